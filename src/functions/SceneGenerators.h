#pragma once
// The figure generators of the selected heads in the scene being recorded: the records that
// the current scene of the edited sequence keeps for each head's pan and tilt coarse
// channels. Callers hold the show lock. A head whose channels the scene does not hold is
// left alone, so the scene's shared default record is never written.

#include "functions/PanTilt.h"
#include "generator/FigureEdit.h"
#include "generator/GenList.h"

#include <optional>

// The edited sequence's current scene, or null when it has no such scene.
KyScene* recordedScene(KyDmxSpace& dmx);

struct KyGeneratorPair {
    KyGenerator* pan;
    KyGenerator* tilt;
};
// The scene's own records of the two channels, or nothing when it lacks either channel.
std::optional<KyGeneratorPair> sceneGenerators(KyScene& scene, int panChannel, int tiltChannel);
// Each record's partner speed becomes the other's effective speed.
void linkPartnerSpeeds(KyGeneratorPair pair);

// "ON" and "OFF": only while recording. Switching on takes each record's phase flip from
// the device's inversion of that axis.
void switchGenerators(KyDmxSpace& dmx, const KyDevices& devices, bool on);
void setAmplitudeModifiers(KyDmxSpace& dmx, const KyDevices& devices, int position);
void setSpeedModifiers(KyDmxSpace& dmx, const KyDevices& devices, int position);
void setPhaseModifiers(KyDmxSpace& dmx, const KyDevices& devices, int position);
// A new master direction turns both figures of a head round.
void setMasterDirection(KyDmxSpace& dmx, const KyDevices& devices, std::uint8_t direction);
// The figure's pan record goes to the channel the device's pan lands on (its tilt channel
// when swapped), its tilt record to the other; both run.
void loadFigure(KyDmxSpace& dmx, const KyDevices& devices, const KyPanTiltGen& figure);
// The i-th head with pan/tilt (from 0, in the given order) gets phase modifier offset * i.
void divideEffect(KyDmxSpace& dmx, const KyDevices& devices, int offset);

// The generator window works on the records a head's pan and tilt axes drive: for a head
// with pan and tilt swapped, those of its tilt and pan channels.
enum class KyAxis { Pan, Tilt };
// `edit`(the axis's record, the other axis's record, value) on each head.
using KyAxisEdit = void (*)(KyGenerator& axis, KyGenerator& other, int value);
void editAxis(KyDmxSpace& dmx, const KyDevices& devices, KyAxis axis, KyAxisEdit edit, int value);
// As setMasterDirection, with the pan axis's record deciding whether the figures turn.
void setAxisMasterDirection(KyDmxSpace& dmx, const KyDevices& devices, std::uint8_t direction);
// Copies of the records the head's axes drive in the recorded scene, as a figure without a
// name; nothing without such a scene or without pan/tilt. A channel the scene lacks shows
// the default record.
std::optional<KyPanTiltGen> axisRecords(KyDmxSpace& dmx, const KyClubDevice& device);

// What the generator controls show for the reference device.
struct KyGeneratorView {
    // Recording into a current scene that holds the reference device's pan and tilt.
    bool editable = false;
    // Both of its generators run, whether or not they can be edited now.
    bool on = false;
    // Its pan record, shown while the edited sequence has a current scene.
    std::optional<KyGenerator> pan;
};
KyGeneratorView generatorView(KyDmxSpace& dmx, const KyClubDevice& reference);
