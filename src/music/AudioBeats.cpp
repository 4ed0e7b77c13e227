#include "music/AudioBeats.h"

#include "music/BeatTracker.h"

#include <array>
#include <cmath>

void KyAudioBeats::start(std::unique_ptr<KyAudioStream> stream)
{
    stop();
    stream_ = std::move(stream);
    stopping_ = false;
    state_ = Listening;
    thread_ = std::thread([this] { run(); });
}

void KyAudioBeats::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    stream_.reset();
    pulses_.setLevel(0);
    state_ = Idle;
}

void KyAudioBeats::run()
{
    KyBeatTracker tracker(stream_->sampleRate());
    std::array<float, 1024> buffer{};
    while (!stopping_) {
        const long frames = stream_->read(buffer);
        if (frames < 0) {
            state_ = Ended;
            break;
        }
        const std::span<const float> audio(buffer.data(), std::size_t(frames));
        tracker.process(audio, [&](double) { pulses_.beat(tracker.bpm()); });
        double sum = 0;
        for (float s : audio)
            sum += double(s) * s;
        if (frames > 0)
            pulses_.setLevel(float(std::sqrt(sum / double(frames))));
        pulses_.setBpm(tracker.bpm());
    }
    pulses_.setLevel(0);
}
