// The module link against raw pseudo-terminals and the virtual module.

#include "app/Show.h"
#include "dmx/Usb.h"
#include "LinkFixtures.h"
#include "support/ModuleSimProcess.h"
#include "support/Pty.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace {

using namespace std::chrono_literals;

std::string hexOf(const KyDmxSpace::Universe& universe)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (auto b : universe) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

// Waits until the simulator has written `count` frames to its file.
std::vector<std::string> awaitFrames(const std::filesystem::path& file, std::size_t count)
{
    auto deadline = std::chrono::steady_clock::now() + 5s;
    auto frames = framesIn(file);
    while (frames.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
        frames = framesIn(file);
    }
    return frames;
}

// Each write first discards what the module has not read yet, so a frame counts once the
// module has it; under load the kernel may take a while to hand it over.
std::vector<std::string> tickAndAwaitFrames(KyShow& show, const std::filesystem::path& file, int ticks)
{
    std::vector<std::string> frames = framesIn(file);
    for (int i = 0; i < ticks; ++i) {
        show.tick();
        frames = awaitFrames(file, frames.size() + 1);
    }
    return frames;
}

void tickTimes(KyShow& show, int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        show.tick();
        std::this_thread::sleep_for(15ms);
    }
}

std::uint8_t moduleState(KyShow& show)
{
    std::lock_guard lock(show.showLock());
    return show.usb.moduleState;
}

// Lets a sent request reach the virtual module and its reply come back.
void letReplyArrive()
{
    std::this_thread::sleep_for(20ms);
}

struct ClearFirstChannel : KyFrameOverride {
    void overrideFrame(std::span<std::uint8_t, 512> payload) override { payload[0] = 0; }
};

struct LastFrameOutput : KyFrameOutput {
    std::vector<std::uint8_t> frame;
    void frameBuilt(std::span<const std::uint8_t, 512> built) override { frame.assign(built.begin(), built.end()); }
};

} // namespace

TEST(Usb, FrameCarriesHeaderUniverseAndBlackoutOverride)
{
    RawPty pty;
    KyUsb usb;
    LastFrameOutput output;
    usb.frameOutput = &output;
    KyDmxSpace::Universe universe{};
    universe[0] = 255;
    universe[511] = 7;
    bool changed = true;
    EXPECT_FALSE(usb.sendFrame(universe, changed)); // not connected: nothing is sent to a module
    EXPECT_FALSE(changed); // and a change of the last frame does not pulse again
    EXPECT_TRUE(std::equal(universe.begin(), universe.end(), output.frame.begin(), output.frame.end()));
    EXPECT_TRUE(std::equal(universe.begin(), universe.end(), usb.lastFrame().begin()));

    usb.port.configure(pty.path(), 6, true, 0, 0);
    ASSERT_TRUE(usb.port.open());
    usb.moduleState = 1;
    ASSERT_TRUE(usb.sendFrame(universe, changed));
    auto frame = pty.received();
    ASSERT_EQ(frame.size(), 528u);
    EXPECT_EQ(frame[0], 0xAA);
    EXPECT_EQ(frame[1], 1);
    EXPECT_EQ(frame[14], 0x00);
    EXPECT_EQ(frame[15], 0x55);
    EXPECT_TRUE(std::equal(universe.begin(), universe.end(), frame.begin() + 16));

    ClearFirstChannel blackout;
    usb.blackoutOverride = &blackout;
    usb.blackoutActive = true;
    ASSERT_TRUE(usb.sendFrame(universe, changed));
    frame = pty.received();
    ASSERT_EQ(frame.size(), 528u);
    EXPECT_EQ(frame[16], 0);
    EXPECT_EQ(frame[527], 7);
    EXPECT_EQ(universe[0], 255);
    EXPECT_TRUE(std::equal(frame.begin() + 16, frame.end(), output.frame.begin(), output.frame.end()));
    EXPECT_TRUE(std::equal(frame.begin() + 16, frame.end(), usb.lastFrame().begin()));

    usb.blackoutActive = false;
    ASSERT_TRUE(usb.sendFrame(universe, changed));
    EXPECT_EQ(pty.received().at(16), 255);

    pty.hangUp();
    EXPECT_FALSE(usb.sendFrame(universe, changed));
    EXPECT_EQ(usb.moduleState, 0);
}

TEST(Usb, WithoutAModuleProbesOnlyWhenThePortListChanges)
{
    std::vector<std::unique_ptr<RawPty>> ptys;
    for (int i = 0; i < 4; ++i)
        ptys.push_back(std::make_unique<RawPty>());
    std::vector<std::string> listed{ptys[0]->path(), ptys[1]->path(), ptys[2]->path()};
    KyUsb usb([&] { return listed; });

    FakeChooser chooser;
    EXPECT_FALSE(usb.discover(chooser));
    EXPECT_EQ(chooser.warnings, 1);
    EXPECT_EQ(usb.portCount, 3);
    EXPECT_EQ(usb.probeBudget, 0);
    for (int i = 0; i < 3; ++i) {
        auto request = ptys[static_cast<std::size_t>(i)]->received();
        ASSERT_EQ(request.size(), 528u) << "port " << i << " was not asked";
        EXPECT_EQ(request[1], 10);
    }

    KyDmxSpace::Universe universe{};
    bool changed = false;
    // Which ports each tick touched.
    auto tick = [&] {
        if (!usb.sendFrame(universe, changed))
            usb.reconnectStep();
        std::vector<int> touched;
        for (int i = 0; i < 4; ++i)
            if (!ptys[static_cast<std::size_t>(i)]->received().empty())
                touched.push_back(i);
        return touched;
    };
    for (int t = 0; t < 3; ++t)
        EXPECT_TRUE(tick().empty()) << "tick " << t;

    // One probe per tick, from the last listed port to the first, then none. A loaded
    // machine may hand a probe to the port too late to be seen before the port is closed
    // (closing discards it), so a tick may show nothing, never a port out of turn.
    listed.push_back(ptys[3]->path());
    const std::vector<std::vector<int>> turns{{3}, {2}, {1}, {0}, {}, {}};
    const std::vector<int> budgets{3, 2, 1, 0, 0, 0};
    for (std::size_t t = 0; t < turns.size(); ++t) {
        auto touched = tick();
        EXPECT_TRUE(touched.empty() || touched == turns[t]) << "tick " << t;
        EXPECT_EQ(usb.probeBudget, budgets[t]) << "tick " << t;
    }
    EXPECT_EQ(usb.moduleState, 0);
    EXPECT_EQ(chooser.warnings, 1);
}

// Only a refused permission earns the hint about the dialout group; a port that is not a
// terminal, or that another program holds, is just no module.
TEST(Usb, PortsThatFailForOtherReasonsAreNotReportedAsDenied)
{
    TempFolder folder;
    std::ofstream{folder / "plain"} << "not a terminal";
    std::filesystem::create_directory(folder / "directory");
    RawPty busy;
    C_RS232 holder;
    holder.configure(busy.path(), 6, true, C_RS232::NoParity, C_RS232::OneStopBit);
    ASSERT_TRUE(holder.open());

    KyUsb usb(onlyPaths({folder / "plain", folder / "directory", busy.path()}));
    FakeChooser chooser;
    EXPECT_FALSE(usb.discover(chooser));
    EXPECT_EQ(usb.portCount, 3);
    EXPECT_TRUE(chooser.denied.empty());
    EXPECT_EQ(chooser.warnings, 1);
}

TEST(Usb, OneModuleConnectsAndEveryTickSendsTheUniverse)
{
    TempFolder folder;
    ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-A", "--frames", (folder / "frames").string()});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(show.usb.discover(chooser));
    EXPECT_EQ(chooser.warnings, 0);
    EXPECT_TRUE(chooser.offered.empty());
    EXPECT_EQ(show.usb.connectedModuleName, "SIM-A");

    show.dmx.setManual(0, 0x12);
    show.dmx.setManual(511, 0xFE);
    show.dmx.setChannel(5, 9); // not held: the tick clears it before the frame
    auto frames = tickAndAwaitFrames(show, folder / "frames", 5);

    KyDmxSpace::Universe expected{};
    expected[0] = 0x12;
    expected[511] = 0xFE;
    ASSERT_EQ(frames.size(), 5u);
    for (const auto& frame : frames)
        EXPECT_EQ(frame, hexOf(expected));
    EXPECT_EQ(moduleState(show), 1);
}

TEST(Usb, SeveralModulesLetTheOperatorChoose)
{
    TempFolder folder;
    ModuleSimProcess first(folder / "dmx-a", {"--name", "SIM-A", "--frames", (folder / "frames-a").string()});
    ModuleSimProcess second(folder / "dmx-b", {"--name", "SIM-B", "--frames", (folder / "frames-b").string()});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({first.link(), second.link()}));
    FakeChooser chooser;
    chooser.answer = 1;
    ASSERT_TRUE(show.usb.discover(chooser));
    EXPECT_EQ(chooser.offered, (std::vector<std::vector<std::string>>{{"SIM-A", "SIM-B"}}));
    EXPECT_EQ(show.usb.selectedModule, 1);
    EXPECT_EQ(show.usb.connectedModuleName, "SIM-B");

    EXPECT_EQ(tickAndAwaitFrames(show, folder / "frames-b", 3).size(), 3u);
    EXPECT_TRUE(framesIn(folder / "frames-a").empty());
}

TEST(Usb, UnpluggedModuleComesBackWithoutTheOperator)
{
    TempFolder folder;
    ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-A", "--frames", (folder / "frames").string()});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(show.usb.discover(chooser));
    tickTimes(show, 2);

    ASSERT_EQ(sim.command("unplug"), "unplugged");
    show.tick();
    EXPECT_EQ(moduleState(show), 0); // the first failed write
    tickTimes(show, 3);
    EXPECT_EQ(moduleState(show), 0);

    ASSERT_EQ(sim.command("plug"), sim.link().string());
    int ticks = 0;
    while (moduleState(show) != 1 && ticks < 5) {
        show.tick();
        ++ticks;
    }
    EXPECT_LE(ticks, 2);
    EXPECT_EQ(show.usb.connectedModuleName, "SIM-A");
    EXPECT_EQ(chooser.warnings, 0);

    std::size_t before = framesIn(folder / "frames").size();
    EXPECT_EQ(tickAndAwaitFrames(show, folder / "frames", 2).size(), before + 2);
}

TEST(Usb, EachMusicInputChangeIsOnePulse)
{
    TempFolder folder;
    ModuleSimProcess sim(folder / "dmx");
    KyUsb usb(onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(usb.discover(chooser));

    KyDmxSpace::Universe universe{};
    std::vector<int> pulses;
    for (int frame = 0; frame < 30; ++frame) {
        if (frame == 8) {
            EXPECT_EQ(sim.command("music"), "music 0");
        }
        if (frame == 18) {
            EXPECT_EQ(sim.command("music"), "music 1");
        }
        bool changed = false;
        ASSERT_TRUE(usb.sendFrame(universe, changed));
        if (changed)
            pulses.push_back(frame);
        letReplyArrive();
    }
    ASSERT_EQ(pulses.size(), 2u);
    EXPECT_GT(pulses[0], 7);
    EXPECT_LT(pulses[0], 18);
    EXPECT_GT(pulses[1], 17);
}

TEST(Usb, MemoryCommandsFollowTheModule)
{
    TempFolder folder;
    ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-M", "--serial-input", "1", "--module-version", "V 2.5",
                                          "--serial", "SIMULATOR-11-001", "--erase-polls", "3"});
    KyUsb usb(onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(usb.discover(chooser));

    // Each answer comes one exchange late, so every command is asked twice.
    std::array<std::uint8_t, 18> identity{};
    usb.identify(identity);
    letReplyArrive();
    ASSERT_TRUE(usb.identify(identity));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(identity.data())), "SIM-M");
    EXPECT_EQ(identity[17], 1);

    std::array<std::uint8_t, 16> text{};
    usb.readSerial(text);
    letReplyArrive();
    ASSERT_TRUE(usb.readSerial(text));
    EXPECT_EQ(std::string(text.begin(), text.end()), "SIMULATOR-11-001");
    usb.readVersion(text);
    letReplyArrive();
    ASSERT_TRUE(usb.readVersion(text));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text.data()), 5), "V 2.5");

    std::array<std::array<std::uint8_t, 256>, 3> blocks;
    for (std::size_t k = 0; k < blocks.size(); ++k)
        for (std::size_t i = 0; i < 256; ++i)
            blocks[k][i] = static_cast<std::uint8_t>(k * 16 + i);
    usb.blockCount = 2;
    usb.writeBlock(blocks[0], 0, 5);
    letReplyArrive();
    EXPECT_TRUE(usb.writeBlock(blocks[1], 1, 5));
    letReplyArrive();
    EXPECT_TRUE(usb.writeBlock(blocks[2], 2, 5));
    letReplyArrive();
    EXPECT_FALSE(usb.writeBlock(blocks[0], 3, 5)); // beyond the block count

    std::array<std::uint8_t, 256> out{};
    usb.readBlock(out, 0, 5);
    letReplyArrive();
    ASSERT_TRUE(usb.readBlock(out, 1, 5));
    EXPECT_EQ(out, blocks[0]);
    letReplyArrive();
    EXPECT_FALSE(usb.readBlock(out, 3, 5)); // refused without an exchange...
    letReplyArrive();
    ASSERT_TRUE(usb.readBlock(out, 2, 5));
    EXPECT_EQ(out, blocks[1]); // ...so this is still the answer for block 1
    letReplyArrive();
    usb.blockCount = 5;
    ASSERT_TRUE(usb.readBlock(out, 5, 0));
    EXPECT_EQ(out, blocks[2]);
    letReplyArrive();
    ASSERT_TRUE(usb.readBlock(out, 5, 0));
    EXPECT_EQ(out, blocks[0]); // a generation-11 module keeps image block 0 at module block 5

    EXPECT_FALSE(usb.erase(0, 0));
    int polls = 0;
    bool erased = false;
    while (!erased && polls < 20) {
        letReplyArrive();
        erased = usb.erase(1, 0);
        ++polls;
    }
    EXPECT_TRUE(erased);
    EXPECT_GT(polls, 1); // the erase takes several polls
    usb.readBlock(out, 0, 5);
    letReplyArrive();
    ASSERT_TRUE(usb.readBlock(out, 0, 5));
    std::array<std::uint8_t, 256> erasedBlock;
    erasedBlock.fill(0xFF);
    EXPECT_EQ(out, erasedBlock);

    usb.moduleState = 0;
    EXPECT_FALSE(usb.identify(identity));
    EXPECT_FALSE(usb.readSerial(text));
    EXPECT_FALSE(usb.readVersion(text));
    EXPECT_FALSE(usb.erase(1, 0));
    EXPECT_FALSE(usb.readBlock(out, 0, 0));
    EXPECT_FALSE(usb.writeBlock(out, 0, 0));
}

TEST(Usb, ModulesThatMisbehaveNeverStallTheTick)
{
    TempFolder folder;
    ModuleSimProcess noisy(folder / "noisy", {"--garbage"});
    ModuleSimProcess sluggish(folder / "sluggish", {"--reply-delay-ms", "300"});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({noisy.link(), sluggish.link()}));
    FakeChooser chooser;
    EXPECT_FALSE(show.usb.discover(chooser));
    EXPECT_EQ(chooser.warnings, 1);

    // A module that answers a little late is found and kept; only writes judge the link.
    ModuleSimProcess late(folder / "late", {"--reply-delay-ms", "30", "--frames", (folder / "frames").string()});
    KyShow lateShow(DataPaths::in((folder / "show").string()), onlyPaths({late.link()}));
    ASSERT_TRUE(lateShow.usb.discover(chooser));
    tickTimes(lateShow, 5);
    EXPECT_EQ(moduleState(lateShow), 1);
    EXPECT_FALSE(lateShow.inputChanged);

    // A module that hangs still takes frames: the line discards what it never read.
    ::kill(late.pid(), SIGSTOP);
    tickTimes(lateShow, 5);
    EXPECT_EQ(moduleState(lateShow), 1);
    ::kill(late.pid(), SIGCONT);

    // A module pulled out and put back while frames stream from another thread.
    std::atomic<bool> running{true};
    std::atomic<long long> longestTickMs{0};
    std::thread ticker([&] {
        while (running) {
            auto start = std::chrono::steady_clock::now();
            lateShow.tick();
            auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
            longestTickMs = std::max(longestTickMs.load(), static_cast<long long>(ms.count()));
            std::this_thread::sleep_for(3ms);
        }
    });
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(late.command("unplug"), "unplugged");
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(late.command("plug"), late.link().string());
    std::this_thread::sleep_for(60ms);
    running = false;
    ticker.join();
    EXPECT_LT(longestTickMs.load(), 2000); // a hang, not a measurement
}
