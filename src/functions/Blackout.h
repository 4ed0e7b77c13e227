#pragma once
// The blackout override: while the blackout window is shown, every outgoing frame carries
// each installed device type's blackout values on its devices' channels. The universe keeps
// its values, so the monitors and function windows go on showing them.

#include "club/Icons.h"
#include "dmx/Usb.h"

class KyBlackoutOverride : public KyFrameOverride {
public:
    explicit KyBlackoutOverride(const KyIcons& icons) : icons_(icons) {}

    // Runs inside the tick under the show lock; allocates nothing. Devices are walked in
    // icon order, so where they overlap the later one's value stays. An entry past the last
    // channel, possible once a type has gained channels, is dropped.
    void overrideFrame(std::span<std::uint8_t, 512> payload) override;

private:
    const KyIcons& icons_;
};
