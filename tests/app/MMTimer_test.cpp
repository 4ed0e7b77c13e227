#include "common/MMTimer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono;

namespace {

// Records the times of the handler calls.
struct EventLog {
    std::mutex mutex;
    std::vector<steady_clock::time_point> times;

    void attach(TMMTimer& timer)
    {
        timer.setOnMMTimer([this](TMMTimer&) {
            std::lock_guard lock(mutex);
            times.push_back(steady_clock::now());
        });
    }
    std::size_t count()
    {
        std::lock_guard lock(mutex);
        return times.size();
    }
    void clear()
    {
        std::lock_guard lock(mutex);
        times.clear();
    }
    // Waits until n events have arrived (generous bound) and gives their median spacing.
    double medianSpacingMs(std::size_t n)
    {
        auto giveUp = steady_clock::now() + seconds(20);
        while (count() < n && steady_clock::now() < giveUp)
            std::this_thread::sleep_for(milliseconds(5));
        std::lock_guard lock(mutex);
        if (times.size() < n)
            return -1;
        std::vector<double> gaps;
        for (std::size_t i = 1; i < n; ++i)
            gaps.push_back(duration<double, std::milli>(times[i] - times[i - 1]).count());
        std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
        return gaps[gaps.size() / 2];
    }
};

} // namespace

TEST(MMTimer, DefaultsOfANewTimer)
{
    TMMTimer timer;
    EXPECT_EQ(timer.Interval(), 10);
    EXPECT_EQ(timer.Resolution(), 0);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Type(), TMMTimer::etPeriodic);
    EXPECT_NE(timer.timerId(), 0u); // running from construction
}

TEST(MMTimer, EnabledGatesTheHandler)
{
    TMMTimer timer;
    EventLog log;
    log.attach(timer);
    std::this_thread::sleep_for(milliseconds(120));
    EXPECT_EQ(log.count(), 0u);
    timer.setEnabled(true);
    EXPECT_GT(log.medianSpacingMs(4), 0);
    timer.setEnabled(false);
    log.clear();
    std::this_thread::sleep_for(milliseconds(60));
    EXPECT_EQ(log.count(), 0u); // nothing after clearing returns
}

TEST(MMTimer, IntervalChangesRestartTheTimerAtTheNewPeriod)
{
    TMMTimer timer;
    timer.SetInterval(50);
    EventLog log;
    log.attach(timer);
    timer.setEnabled(true);

    auto spacing50 = log.medianSpacingMs(6);
    unsigned before = timer.timerId();
    timer.SetInterval(10);
    EXPECT_NE(timer.timerId(), before);
    log.clear();
    auto spacing10 = log.medianSpacingMs(21);
    timer.SetInterval(50);
    log.clear();
    auto spacing50again = log.medianSpacingMs(6);

    // Medians with wide margins: the machine may be busy, but the periods differ fivefold.
    EXPECT_GT(spacing50, 35);
    EXPECT_LT(spacing50, 90);
    EXPECT_GT(spacing10, 5);
    EXPECT_LT(spacing10, 30);
    EXPECT_GT(spacing50again, 35);
    EXPECT_LT(spacing50again, 90);
}

TEST(MMTimer, TypeIsStoredAndTheTimerStaysPeriodic)
{
    TMMTimer timer;
    EventLog log;
    log.attach(timer);
    timer.SetType(TMMTimer::etOneShot);
    EXPECT_EQ(timer.Type(), TMMTimer::etOneShot);
    timer.setEnabled(true);
    EXPECT_GT(log.medianSpacingMs(5), 0);
}

TEST(MMTimer, HandlerReplacementTakesEffectForLaterEvents)
{
    TMMTimer timer;
    std::atomic<int> first{0}, second{0};
    timer.setOnMMTimer([&](TMMTimer&) { ++first; });
    timer.setEnabled(true);
    while (first < 2)
        std::this_thread::sleep_for(milliseconds(2));
    timer.setOnMMTimer([&](TMMTimer&) { ++second; });
    int firstAtSwap = first;
    while (second < 2)
        std::this_thread::sleep_for(milliseconds(2));
    EXPECT_LE(first.load(), firstAtSwap + 1);
}
