#include "input/InputQueue.h"

#include <algorithm>

namespace {

// A press and a release of the same key both count; two values of a fader only the last.
bool replaces(const KyInputEvent& next, const KyInputEvent& queued)
{
    if (next.input != queued.input)
        return false;
    return next.input.kind == KyInputId::Control || next.input.kind == KyInputId::Control14 ||
           (next.value > 0) == (queued.value > 0);
}

} // namespace

KyInputQueue::KyInputQueue(std::function<void()> wake) : wake_(std::move(wake))
{
    events_.reserve(kCapacity);
}

void KyInputQueue::push(KyInputEvent event)
{
    bool first = false;
    {
        std::lock_guard lock(lock_);
        auto last = std::find_if(events_.rbegin(), events_.rend(),
                                 [&](const KyInputEvent& queued) { return queued.input == event.input; });
        const bool full = events_.size() == kCapacity;
        if (last != events_.rend() && (full || replaces(event, *last))) {
            last->value = event.value; // when full, an element at least ends where it was left
            return;
        }
        if (full) {
            ++dropped_;
            return;
        }
        first = events_.empty();
        events_.push_back(std::move(event));
    }
    if (first && wake_)
        wake_();
}

std::vector<KyInputEvent> KyInputQueue::take()
{
    std::vector<KyInputEvent> taken;
    taken.reserve(kCapacity);
    std::lock_guard lock(lock_);
    taken.swap(events_);
    return taken;
}

std::size_t KyInputQueue::dropped() const
{
    std::lock_guard lock(lock_);
    return dropped_;
}
