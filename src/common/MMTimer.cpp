#include "common/MMTimer.h"

#include <ctime>
#include <pthread.h>
#include <sched.h>

namespace {

constexpr long kNanosPerSecond = 1'000'000'000L;

long long nowNanos()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * kNanosPerSecond + ts.tv_nsec;
}

void sleepUntil(long long deadline)
{
    timespec ts{static_cast<time_t>(deadline / kNanosPerSecond), static_cast<long>(deadline % kNanosPerSecond)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// Real-time scheduling keeps the period steady when both cores are busy; without the
// privilege the thread simply stays at normal priority.
void askForRealTimePriority()
{
    sched_param param{};
    param.sched_priority = 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

} // namespace

TMMTimer::TMMTimer()
{
    std::lock_guard restart(restartMutex_);
    timerId_ = StartTimer();
}

TMMTimer::~TMMTimer()
{
    std::lock_guard restart(restartMutex_);
    StopTimer();
}

void TMMTimer::setOnMMTimer(Handler handler)
{
    auto replacement = handler ? std::make_shared<const Handler>(std::move(handler)) : nullptr;
    std::lock_guard swap(handlerMutex_);
    onMMTimer_.swap(replacement);
}

void TMMTimer::SetInterval(int ms)
{
    std::lock_guard restart(restartMutex_);
    StopTimer();
    interval_ = ms;
    timerId_ = StartTimer();
}

void TMMTimer::SetResolution(int ms)
{
    std::lock_guard restart(restartMutex_);
    StopTimer();
    resolution_ = ms;
    timerId_ = StartTimer();
}

void TMMTimer::SetType(TimerEventType type)
{
    std::lock_guard restart(restartMutex_);
    StopTimer();
    type_ = type;
    timerId_ = StartTimer(); // periodic in every case
}

void TMMTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        std::lock_guard drain(callbackMutex_);
}

unsigned TMMTimer::StartTimer()
{
    stopping_ = false;
    unsigned id = ++lastId_;
    thread_ = std::thread([this] { run(); });
    return id;
}

void TMMTimer::StopTimer()
{
    if (!thread_.joinable())
        return;
    stopping_ = true;
    thread_.join();
    timerId_ = 0;
}

void TMMTimer::run()
{
    askForRealTimePriority();
    const long long period = static_cast<long long>(interval_.load() > 0 ? interval_.load() : 1) * 1'000'000LL;
    long long deadline = nowNanos() + period;
    while (!stopping_) {
        sleepUntil(deadline);
        if (stopping_)
            break;
        MMTimerCallbackProc();
        // A late event is followed by one event at once and then the regular grid again,
        // never by a burst of catch-up events.
        deadline += period;
        long long now = nowNanos();
        if (deadline < now)
            deadline += (now - deadline) / period * period;
    }
}

void TMMTimer::MMTimerCallbackProc()
{
    std::lock_guard running(callbackMutex_);
    if (!enabled_)
        return;
    std::shared_ptr<const Handler> handler;
    {
        std::lock_guard copy(handlerMutex_);
        handler = onMMTimer_;
    }
    if (handler && *handler)
        (*handler)(*this);
}
