#pragma once
// A periodic high-resolution timer that calls its handler on a thread of its own.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TMMTimer {
public:
    enum TimerEventType { etOneShot, etPeriodic };
    using Handler = std::function<void(TMMTimer& sender)>;

    // Starts the timer thread at once with the default period; events reach the handler
    // only while Enabled is set.
    TMMTimer();
    ~TMMTimer();
    TMMTimer(const TMMTimer&) = delete;
    TMMTimer& operator=(const TMMTimer&) = delete;

    // Replaces the handler in one step; the next event calls the new one.
    void setOnMMTimer(Handler handler);

    int Interval() const { return interval_.load(); }
    int Resolution() const { return resolution_.load(); }
    bool Enabled() const { return enabled_.load(); }
    TimerEventType Type() const { return type_.load(); }

    // Each of these stops the running timer thread, stores the value and starts a new one.
    // They wait for the current event to finish, so they must not be called while holding
    // a lock that the handler takes.
    void SetInterval(int ms);
    void SetResolution(int ms);
    void SetType(TimerEventType type);

    // Clearing waits for an event that is already running, so no handler call happens
    // after it returns. Same locking caveat as above.
    void setEnabled(bool enabled);

    // Identifier of the running timer thread, 0 when none; a new one for every restart.
    unsigned timerId() const { return timerId_.load(); }

private:
    unsigned StartTimer();
    void StopTimer();
    void run();
    void MMTimerCallbackProc();

    // Guarded by a lock of its own, held only to copy the pointer: the standard library's
    // atomic shared_ptr here releases its reads too weakly for a swap while events run.
    std::mutex handlerMutex_;
    std::shared_ptr<const Handler> onMMTimer_;
    std::atomic<int> interval_{10};
    std::atomic<int> resolution_{0};
    std::atomic<bool> enabled_{false};
    std::atomic<TimerEventType> type_{etPeriodic};

    std::mutex restartMutex_;  // serialises restarts from the window thread
    std::mutex callbackMutex_; // held while the handler runs
    std::atomic<bool> stopping_{false};
    std::atomic<unsigned> timerId_{0};
    unsigned lastId_ = 0;
    std::thread thread_;
};
