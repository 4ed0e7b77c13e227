#include "music/TapTempo.h"

#include <cmath>

void KyTempoLearner::add(KyClock::time_point time)
{
    if (count_ > 0) {
        const KyClock::duration interval = time - times_[std::size_t(count_ - 1)];
        const KyClock::duration run = runPeriod();
        const bool fits =
            interval.count() > 0 && interval <= kLongestBeat &&
            (run.count() == 0 || std::abs(double(interval.count()) / double(run.count()) - 1) <= kTolerance);
        if (!fits)
            count_ = 0;
    }
    if (count_ == kRemembered) {
        for (int i = 1; i < kRemembered; ++i)
            times_[std::size_t(i - 1)] = times_[std::size_t(i)];
        --count_;
    }
    times_[std::size_t(count_++)] = time;
    if (count_ >= 2)
        period_ = runPeriod();
}

KyClock::duration KyTempoLearner::runPeriod() const
{
    if (count_ < 2)
        return KyClock::duration::zero();
    return (times_[std::size_t(count_ - 1)] - times_[0]) / (count_ - 1);
}

double KyTempoLearner::bpm() const
{
    const auto seconds = std::chrono::duration<double>(period_).count();
    return seconds > 0 ? 60 / seconds : 0;
}

void KyTapTempo::tap(KyClock::time_point time)
{
    if (lastTap_ && time - *lastTap_ < kBounce)
        return;
    lastTap_ = time;
    learner_.add(time);
    const KyClock::duration period = learner_.period();
    // A tap just after a beat that has pulsed is that beat, tapped late: it moves the
    // following beats but does not pulse again.
    tapPending_ = !(lastBeat_ && period.count() > 0 && time - *lastBeat_ < period / 4);
    if (period.count() > 0)
        next_ = time + period;
    else
        next_.reset();
}

bool KyTapTempo::due(KyClock::time_point now)
{
    if (tapPending_) {
        tapPending_ = false;
        lastBeat_ = lastTap_;
        return true;
    }
    if (!next_ || now < *next_)
        return false;
    const KyClock::duration period = learner_.period();
    while (*next_ <= now)
        *next_ += period;
    lastBeat_ = *next_ - period;
    return true;
}
