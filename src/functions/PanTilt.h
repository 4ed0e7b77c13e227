#pragma once
// Pan and tilt of moving heads: the pad's 16-bit position (X pan, Y tilt, 0-65535) split over
// a head's coarse and fine channels, with each installed device's inversion and swap. The
// inversion flags belong to the pad's axes, whichever channels the axes land on after a swap.

#include "functions/Targets.h"

// A device's pan/tilt channels as universe indexes, as its type names them (not swapped).
// `wide` for a 16-bit type, whose fine channels are used as well.
struct KyPanTiltChannels {
    int pan = -1;
    int panFine = -1;
    int tilt = -1;
    int tiltFine = -1;
    bool wide = false;
};
KyPanTiltChannels panTiltChannels(const KyClubDevice& device);

struct KyPadPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const KyPadPoint&, const KyPadPoint&) = default;
};

// Callers hold the show lock. Devices whose type has no pan/tilt are skipped. While
// recording, each head's two coarse channels are marked as a pair in the recorded scene.
void writePad(KyDmxSpace& dmx, const KyDevices& devices, KyPadPoint pad);
// Gives back the coarse channels, and the fine ones of 16-bit types.
void releasePanTilt(KyDmxSpace& dmx, const KyDevices& devices);
// Where the pad shows a head's current channels; writing it back gives the same values.
KyPadPoint padPointOf(const KyDmxSpace::Universe& universe, const KyClubDevice& device);

// An arrow moves an 8-bit head's coarse value by exactly one from the read-back position
// (coarse * 256), a 16-bit head's position by the resolution. The pad clamps the result.
enum class KyPadArrow { Up, Down, Left, Right };
KyPadPoint arrowTarget(KyPadPoint from, KyPadArrow arrow, bool mode8bit, int resolution);

// The generator speed bar, -100..100, and the speed modifier it sets, 10..1000 percent;
// every modifier the bar gives reads back as the position that gave it.
int speedModifierFor(int position);
int speedPositionFor(int modifier);
