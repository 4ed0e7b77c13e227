#pragma once
// The audio thread: reads a stream of audio, runs the beat tracker on it and hands the
// beats, the tempo and the input level to the tick through KyBeatPulses. It never takes
// the show lock, and the tick never waits for it.

#include "music/BeatPulses.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <thread>

// Mono audio arriving in real time: the computer's input or a file played at its pace.
class KyAudioStream {
public:
    virtual ~KyAudioStream() = default;
    virtual int sampleRate() const = 0;
    // Waits for the next audio, a tenth of a second at most: the number of frames put in
    // `mono`, 0 when none came in time, -1 when the stream ended or failed.
    virtual long read(std::span<float> mono) = 0;
};

class KyAudioBeats {
public:
    enum State : std::uint8_t { Idle, Listening, Ended };

    explicit KyAudioBeats(KyBeatPulses& pulses) : pulses_(pulses) {}
    ~KyAudioBeats() { stop(); }
    KyAudioBeats(const KyAudioBeats&) = delete;
    KyAudioBeats& operator=(const KyAudioBeats&) = delete;

    // Listens to `stream` on a thread of its own, after stopping what listened before.
    void start(std::unique_ptr<KyAudioStream> stream);
    // Waits for the thread to finish; the stream is closed after it.
    void stop();
    State state() const { return state_.load(); }

private:
    void run();

    KyBeatPulses& pulses_;
    std::unique_ptr<KyAudioStream> stream_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<State> state_{Idle};
};
