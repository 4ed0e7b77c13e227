#pragma once
// Hands DMX frames from one writer to one reader: the reader always gets the newest frame,
// the writer never waits, makes no system call and allocates nothing. Three buffers rotate
// between the writer, the reader and the slot between them, which holds the newest frame
// until it is taken.

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

class KyFrameSlot {
public:
    struct Entry {
        std::array<std::uint8_t, 512> frame;
        std::uint64_t number; // 1 for the first frame put, counting up
    };

    // Writer: makes `frame` the newest, replacing one the reader has not taken yet.
    void put(std::span<const std::uint8_t, 512> frame);

    // Reader: the newest frame if it came after the last one taken, otherwise null. What it
    // points to stays as it is until the next call.
    const Entry* take();

    // Any thread: how many frames were put.
    std::uint64_t putCount() const { return putCount_.load(std::memory_order_acquire); }

private:
    static constexpr std::uint32_t kIndex = 3;
    static constexpr std::uint32_t kFresh = 4;

    std::array<Entry, 3> buffers_{};
    std::uint32_t writing_ = 0; // the writer's own buffer
    std::uint32_t reading_ = 1; // the reader's own buffer
    // The buffer between them, with kFresh while it holds a frame not taken yet.
    std::atomic<std::uint32_t> between_{2};
    std::atomic<std::uint64_t> putCount_{0};
};
