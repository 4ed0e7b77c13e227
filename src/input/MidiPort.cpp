#include "input/MidiPort.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

#include <vector>

namespace {

snd_seq_t* seqOf(void* seq)
{
    return static_cast<snd_seq_t*>(seq);
}

} // namespace

KyMidiPort::KyMidiPort(KyInputQueue& queue) : decoder_([&queue](const KyInputEvent& event) { queue.push(event); }) {}

KyMidiPort::~KyMidiPort()
{
    close();
}

bool KyMidiPort::open(std::string& error)
{
    close();
    if (access(kDevice, R_OK | W_OK) != 0) {
        error = std::string("no ") + kDevice;
        return false;
    }
    snd_seq_t* seq = nullptr;
    int result = snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK);
    if (result < 0) {
        error = snd_strerror(result);
        return false;
    }
    snd_seq_set_client_name(seq, kName);
    port_ = snd_seq_create_simple_port(seq, kName,
                                       SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE | SND_SEQ_PORT_CAP_READ |
                                           SND_SEQ_PORT_CAP_SUBS_READ,
                                       SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    wakeFd_ = eventfd(0, EFD_CLOEXEC);
    if (port_ < 0 || wakeFd_ < 0) {
        error = snd_strerror(port_ < 0 ? port_ : -errno);
        snd_seq_close(seq);
        if (wakeFd_ >= 0)
            ::close(wakeFd_);
        wakeFd_ = -1;
        return false;
    }
    seq_ = seq;
    thread_ = std::thread([this] { run(); });
    return true;
}

void KyMidiPort::close()
{
    if (!seq_)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = write(wakeFd_, &one, sizeof one);
    thread_.join();
    ::close(wakeFd_);
    wakeFd_ = -1;
    snd_seq_close(seqOf(seq_));
    seq_ = nullptr;
}

std::string KyMidiPort::address() const
{
    return seq_ ? std::to_string(snd_seq_client_id(seqOf(seq_))) + ':' + std::to_string(port_) : std::string();
}

// Each sequencer event goes back to MIDI bytes, which the decoder reads as from a cable.
void KyMidiPort::run()
{
    snd_seq_t* seq = seqOf(seq_);
    snd_midi_event_t* bytes = nullptr;
    if (snd_midi_event_new(64, &bytes) < 0)
        return;
    std::vector<pollfd> fds(std::size_t(snd_seq_poll_descriptors_count(seq, POLLIN)) + 1);
    snd_seq_poll_descriptors(seq, fds.data(), unsigned(fds.size() - 1), POLLIN);
    fds.back() = {wakeFd_, POLLIN, 0};
    for (;;) {
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            break;
        if (fds.back().revents & POLLIN)
            break;
        snd_seq_event_t* event = nullptr;
        while (snd_seq_event_input(seq, &event) >= 0 && event) {
            unsigned char buffer[64];
            const long count = snd_midi_event_decode(bytes, buffer, sizeof buffer, event);
            if (count > 0)
                decoder_.feed({buffer, std::size_t(count)});
        }
    }
    snd_midi_event_free(bytes);
}

void KyMidiPort::sendNote(int channel, int note, int velocity)
{
    if (!seq_)
        return;
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    snd_seq_ev_set_source(&event, port_);
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    snd_seq_ev_set_noteon(&event, channel, note, velocity);
    snd_seq_event_output_direct(seqOf(seq_), &event);
}
