#pragma once
// Hands the moves of controllers' elements from their threads to the window thread. It
// holds a bounded number of events and never grows: a move of an element whose last queued
// move is of the same kind replaces that one (a fader's latest value, a key held); once it is
// full, a move replaces its element's last queued one or is dropped. The window thread is woken once per batch: `wake`
// runs on the input's thread when an event goes into an empty queue.

#include "input/ControlAction.h"

#include <functional>
#include <mutex>
#include <vector>

class KyInputQueue {
public:
    static constexpr std::size_t kCapacity = 256;

    explicit KyInputQueue(std::function<void()> wake = {});

    void push(KyInputEvent event);
    // Takes every queued event, oldest first.
    std::vector<KyInputEvent> take();
    std::size_t dropped() const;

private:
    std::function<void()> wake_;
    mutable std::mutex lock_;
    std::vector<KyInputEvent> events_;
    std::size_t dropped_ = 0;
};
