#include "dmx/FrameSlot.h"

#include <algorithm>

void KyFrameSlot::put(std::span<const std::uint8_t, 512> frame)
{
    const std::uint64_t number = putCount_.load(std::memory_order_relaxed) + 1;
    Entry& entry = buffers_[writing_];
    std::copy(frame.begin(), frame.end(), entry.frame.begin());
    entry.number = number;
    writing_ = between_.exchange(writing_ | kFresh, std::memory_order_acq_rel) & kIndex;
    putCount_.store(number, std::memory_order_release);
}

const KyFrameSlot::Entry* KyFrameSlot::take()
{
    if (!(between_.load(std::memory_order_acquire) & kFresh))
        return nullptr;
    reading_ = between_.exchange(reading_, std::memory_order_acq_rel) & kIndex;
    return &buffers_[reading_];
}
