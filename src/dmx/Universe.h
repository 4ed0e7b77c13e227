#pragma once
// The DMX universe: 512 channel values and the mask of channels held by hand. While
// recording, the operator's writes are handed to the room above (the sequence editor's
// recording, sequence/EditSpace.h) instead of holding their channels.

#include <algorithm>
#include <array>
#include <cstdint>

class KyUniverse {
public:
    static constexpr int kChannels = 512;
    using Universe = std::array<std::uint8_t, kChannels>;

    // Channel arguments are universe indexes 0-511; any other index is dropped.
    const Universe& data() const { return universe_; }
    void setChannel(int i, std::uint8_t v)
    {
        if (inRange(i))
            universe_[static_cast<std::size_t>(i)] = v;
    }
    // Engine writes of consecutive channels first..first+n-1, all inside the universe;
    // held channels keep their values.
    void setFreeChannels(int first, const std::uint8_t* values, std::size_t n)
    {
        std::uint8_t* u = universe_.data() + first;
        const std::uint8_t* held = heldMask_.data() + first;
        for (std::size_t k = 0; k < n; ++k)
            u[k] = static_cast<std::uint8_t>((u[k] & held[k]) | (values[k] & ~held[k]));
    }
    void setManual(int i, std::uint8_t v);
    void setManual16(int coarse, int fine, std::uint16_t v);
    void releaseChannel(int i);
    bool isHeld(int i) const { return inRange(i) && heldMask_[static_cast<std::size_t>(i)] != 0; }
    // How many channels the operator holds by hand.
    int heldCount() const { return static_cast<int>(std::count(heldMask_.begin(), heldMask_.end(), 0xFF)); }
    // Drops every channel that is not held by hand; each tick starts from here.
    void keepHeldOnly();

    // Operator writes are recorded instead of held.
    bool recordingMode = false;

    static bool inRange(int i) { return static_cast<unsigned>(i) < static_cast<unsigned>(kChannels); }

protected:
    KyUniverse() = default;
    KyUniverse(const KyUniverse&) = default;
    KyUniverse& operator=(const KyUniverse&) = default;
    ~KyUniverse() = default;

private:
    // What the recording makes of the operator's writes, channels inside the universe only:
    // a byte, the coarse and fine bytes of a 16-bit value (either may lie outside), and a
    // released channel.
    virtual void recordByte(int channel, std::uint8_t value) = 0;
    virtual void recordWord(int coarse, int fine, std::uint16_t value) = 0;
    virtual void recordRelease(int channel) = 0;

    void hold(int i, bool held) { heldMask_[static_cast<std::size_t>(i)] = held ? 0xFF : 0; }

    Universe universe_{};
    std::array<std::uint8_t, kChannels> heldMask_{}; // 0xFF where held, so clearing is a mask
};
