// Controllers' inputs without a window: MIDI bytes, the text of actions and mappings, the
// queue under a burst, OSC packets good and bad, and the sequencer port where there is one.
#include "input/ControlMap.h"
#include "input/InputQueue.h"
#include "input/MidiDecoder.h"
#include "input/MidiPort.h"
#include "input/OscInput.h"

#include <gtest/gtest.h>
#include <lo/lo.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

std::vector<std::string> decoded(std::vector<std::uint8_t> bytes)
{
    std::vector<std::string> events;
    KyMidiDecoder decoder([&](const KyInputEvent& e) {
        events.push_back(inputText(e.input) + '=' + std::to_string(int(std::lround(e.value * 1000))));
    });
    decoder.feed(bytes);
    return events;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(MidiDecoder, TurnsByteStreamsIntoMoves)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        Lines events;
    };
    const std::vector<Case> cases{
        {"note on, off, on with velocity 0", {0x90, 36, 127, 0x80, 36, 64, 0x91, 40, 0},
         {"note/1/36=1000", "note/1/36=0", "note/2/40=0"}},
        {"running status", {0x9F, 60, 127, 61, 127, 60, 0}, {"note/16/60=1000", "note/16/61=1000", "note/16/60=0"}},
        {"real time inside a message", {0xB0, 0xF8, 7, 0xFE, 127}, {"cc/1/7=1000"}},
        {"system exclusive cancels the status", {0xB0, 7, 0, 0xF0, 1, 2, 0xF7, 7, 10}, {"cc/1/7=0"}},
        {"data before any status, program change skipped", {5, 6, 0xC0, 3, 0xB0, 1, 127}, {"cc/1/1=1000"}},
        {"a 14-bit pair, then its high byte alone",
         {0xB2, 1, 64, 33, 0, 1, 127, 33, 127},
         {"cc/3/1=504", "cc/3/33=0", "cc14/3/1=500", "cc/3/1=1000", "cc14/3/1=992", "cc/3/33=1000",
          "cc14/3/1=1000"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decoded(c.bytes), c.events) << c.what;
}

TEST(ControlText, ActionsAndInputsReadBackAndRefuseWhatIsOutOfRange)
{
    for (const char* text : {"cue/1/1", "cue/10/20", "zone/10/10/5", "page/4", "start", "pause", "stop", "blackout",
                             "blackout/toggle", "manualoff", "music", "tap", "next", "previous", "speed",
                             "generator/speed", "generator/amplitude"}) {
        const auto action = parseAction(text);
        ASSERT_TRUE(action) << text;
        EXPECT_EQ(actionText(*action), text);
    }
    EXPECT_EQ(parseAction("zone/2/3/4"), (KyControlAction{KyControlAction::ZoneButton, 1, 2, 3}));
    for (const char* text : {"cue/0/1", "cue/1/21", "cue/1", "cue/1/1/1", "zone/11/1/1", "zone/1/1/6", "page/x", "startx",
                             "blackout/", "cue/1/+1", "", "cue//1"})
        EXPECT_FALSE(parseAction(text)) << text;

    for (const char* text : {"note/1/36", "cc/16/127", "cc14/1/31", "osc/1/fader3"}) {
        const auto input = parseInput(text);
        ASSERT_TRUE(input) << text;
        EXPECT_EQ(inputText(*input), text);
    }
    for (const char* text : {"note/0/1", "note/17/1", "cc/1/128", "cc14/1/32", "osc", "midi/1/1"})
        EXPECT_FALSE(parseInput(text)) << text;
}

TEST(ControlMap, KeepsOneActionPerInputAndReadsBackItsText)
{
    KyControlMap map;
    map.set(*parseInput("note/1/36"), *parseAction("cue/1/1"));
    map.set(*parseInput("cc14/1/0"), *parseAction("speed"));
    map.set(*parseInput("note/1/36"), *parseAction("cue/2/5"));
    EXPECT_EQ(map.text(), "note/1/36 cue/2/5\ncc14/1/0 speed\n");

    KyControlMap read;
    EXPECT_EQ(read.read("note/1/36 cue/2/5\r\nrubbish\ncc/1/7 nothing\n\ncc14/1/0 speed"), 2u);
    EXPECT_EQ(read.text(), map.text());
    EXPECT_EQ(*read.find(*parseInput("cc14/1/0")), *parseAction("speed"));
    EXPECT_EQ(read.find(*parseInput("cc/1/0")), nullptr);

    EXPECT_EQ(oscAction("/vantorel/zone/1/2/3"), parseAction("zone/1/2/3"));
    EXPECT_FALSE(oscAction("/other/cue/1/1"));
}

TEST(InputQueue, CoalescesFadersKeepsPressesAndStaysBoundedUnderABurst)
{
    int wakes = 0;
    KyInputQueue queue([&] { ++wakes; });
    const KyInputId fader = *parseInput("cc/1/7"), key = *parseInput("note/1/36");
    for (int i = 0; i < 10000; ++i)
        queue.push({fader, float(i) / 10000});
    queue.push({key, 1});
    queue.push({key, 0});
    queue.push({key, 1});
    auto taken = queue.take();
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_FLOAT_EQ(taken[0].value, 0.9999f);
    EXPECT_EQ(taken[3].value, 1);
    EXPECT_EQ(wakes, 1);

    // 10,000 different addresses: the queue keeps its bound, and a full queue still lets a
    // queued element end where it was left.
    for (int i = 0; i < 10000; ++i)
        queue.push({{KyInputId::Osc, 0, 0, "/a/" + std::to_string(i)}, 1});
    queue.push({{KyInputId::Osc, 0, 0, "/a/0"}, 0});
    taken = queue.take();
    ASSERT_EQ(taken.size(), KyInputQueue::kCapacity);
    EXPECT_EQ(taken[0].value, 0);
    EXPECT_EQ(queue.dropped(), 10000 - KyInputQueue::kCapacity);
    EXPECT_EQ(wakes, 2);
}

namespace {

std::vector<KyInputEvent> waitForEvents(KyInputQueue& queue, std::size_t count)
{
    std::vector<KyInputEvent> events;
    for (int i = 0; i < 200 && events.size() < count; ++i) {
        auto more = queue.take();
        events.insert(events.end(), more.begin(), more.end());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return events;
}

std::uint16_t freeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

void sendRaw(std::uint16_t port, const std::string& bytes)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
    close(fd);
}

} // namespace

TEST(OscInput, TakesReadableMessagesIgnoresTheRestAndAnswersTheSender)
{
    KyInputQueue queue;
    KyOscInput osc(queue);
    const std::uint16_t port = freeUdpPort();
    std::string error;
    ASSERT_TRUE(osc.start(port, error)) << error;
    KyOscInput busy(queue);
    EXPECT_FALSE(busy.start(port, error));

    // Garbage, a cut message, an address too long, two arguments, a string: nothing comes.
    sendRaw(port, "\xff\x00garbage");
    sendRaw(port, std::string("/vantorel/tap\0\0\0,i", 18));
    const std::string target = std::to_string(port);
    lo_address to = lo_address_new("127.0.0.1", target.c_str());
    lo_send(to, ("/" + std::string(200, 'a')).c_str(), "i", 1);
    lo_send(to, "/vantorel/speed", "ii", 1, 2);
    lo_send(to, "/vantorel/speed", "s", "x");

    // What a tablet sends, from the port it listens on.
    lo_server tablet = lo_server_new_with_proto(nullptr, LO_UDP, nullptr);
    lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/cue/1/2", "i", 1);
    lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/speed", "f", 0.25f);
    lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/tap", "");
    const auto events = waitForEvents(queue, 3);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].input.address, "/vantorel/cue/1/2");
    EXPECT_EQ(events[0].value, 1);
    EXPECT_EQ(events[1].value, 0.25f);
    EXPECT_EQ(events[2].input.address, "/vantorel/tap");
    EXPECT_EQ(events[2].value, 1);

    std::string feedback;
    int value = -1;
    std::pair<std::string*, int*> seen{&feedback, &value};
    lo_server_add_method(tablet, nullptr, "i",
                         [](const char* path, const char*, lo_arg** argv, int, lo_message, void* seen) {
                             auto* got = static_cast<std::pair<std::string*, int*>*>(seen);
                             *got->first = path;
                             *got->second = argv[0]->i;
                             return 0;
                         },
                         &seen);
    osc.sendToSenders("/vantorel/cue/1/2", 1);
    lo_server_recv_noblock(tablet, 2000);
    EXPECT_EQ(feedback, "/vantorel/cue/1/2");
    EXPECT_EQ(value, 1);
    lo_server_free(tablet);
    lo_address_free(to);
}

TEST(MidiPort, OpensWhereTheMachineHasASequencer)
{
    KyInputQueue queue;
    KyMidiPort port(queue);
    std::string error;
    if (access(KyMidiPort::kDevice, F_OK) != 0) {
        std::printf("skipped: %s is missing, this machine has no ALSA sequencer\n", KyMidiPort::kDevice);
        EXPECT_FALSE(port.open(error));
        EXPECT_FALSE(port.isOpen());
        GTEST_SKIP() << "no " << KyMidiPort::kDevice;
    }
    ASSERT_TRUE(port.open(error)) << error;
    EXPECT_FALSE(port.address().empty());
    port.sendNote(0, 36, 127);
    port.close();
    EXPECT_FALSE(port.isOpen());
}
