#include "functions/SceneGenerators.h"

KyScene* recordedScene(KyDmxSpace& dmx)
{
    KySequence& edited = *dmx.editedSequence();
    if (dmx.currentScene < 0 || static_cast<std::size_t>(dmx.currentScene) >= edited.sceneCount())
        return nullptr;
    return &edited.sceneAt(static_cast<std::size_t>(dmx.currentScene));
}

namespace {

// A channel read from an old file may lack its generator entry; storing its record again
// gives it one of its own.
void ownGenerator(KyScene& scene, int channel)
{
    if (scene.generators().count(channel) == 0)
        scene.setStatus(channel, scene.statusOf(channel));
}

bool hasPanTilt(const KyClubDevice& device)
{
    return device.deviceType && device.deviceType->panTilt.active;
}

// The scene's records of a head's pan and tilt coarse channels.
std::optional<KyGeneratorPair> headGenerators(KyScene& scene, const KyClubDevice& device)
{
    KyPanTiltChannels ch = panTiltChannels(device);
    return sceneGenerators(scene, ch.pan, ch.tilt);
}

// The records a head's pan and tilt axes drive.
KyGeneratorPair axisTargets(KyGeneratorPair channels, const KyClubDevice& device)
{
    return device.panTiltSwapped ? KyGeneratorPair{channels.tilt, channels.pan} : channels;
}

// A new master direction turns both figures round; `pair.pan` holds the direction compared.
void turnFigure(KyGeneratorPair pair, std::uint8_t direction)
{
    if (pair.pan->masterDirection == direction)
        return;
    for (KyGenerator* g : {pair.pan, pair.tilt}) {
        g->masterDirection = direction;
        g->direction = !g->direction;
    }
}

// Calls `each`(device, pair) for every head whose channels the recorded scene holds.
template <class Each>
void forEachHead(KyDmxSpace& dmx, const KyDevices& devices, Each each)
{
    KyScene* scene = recordedScene(dmx);
    if (!scene)
        return;
    for (const auto& device : devices)
        if (hasPanTilt(*device))
            if (auto pair = headGenerators(*scene, *device))
                each(*device, *pair);
}

} // namespace

std::optional<KyGeneratorPair> sceneGenerators(KyScene& scene, int panChannel, int tiltChannel)
{
    if (!scene.hasChannel(panChannel) || !scene.hasChannel(tiltChannel))
        return std::nullopt;
    // Both entries first: giving a channel its entry may move the scene's records.
    ownGenerator(scene, panChannel);
    ownGenerator(scene, tiltChannel);
    return KyGeneratorPair{&scene.generatorFor(panChannel), &scene.generatorFor(tiltChannel)};
}

void linkPartnerSpeeds(KyGeneratorPair pair)
{
    pair.pan->partnerSpeed = pair.tilt->effectiveSpeed();
    pair.tilt->partnerSpeed = pair.pan->effectiveSpeed();
}

void switchGenerators(KyDmxSpace& dmx, const KyDevices& devices, bool on)
{
    if (!dmx.recordingMode)
        return;
    forEachHead(dmx, devices, [&](const KyClubDevice& device, KyGeneratorPair pair) {
        pair.pan->enabled = on;
        pair.tilt->enabled = on;
        if (on) {
            pair.pan->phaseFlip = device.panInverted;
            pair.tilt->phaseFlip = device.tiltInverted;
        }
    });
}

void setAmplitudeModifiers(KyDmxSpace& dmx, const KyDevices& devices, int position)
{
    forEachHead(dmx, devices, [&](const KyClubDevice&, KyGeneratorPair pair) {
        pair.pan->setAmplitudeModifier(position);
        pair.tilt->setAmplitudeModifier(position);
    });
}

void setSpeedModifiers(KyDmxSpace& dmx, const KyDevices& devices, int position)
{
    const int modifier = speedModifierFor(position);
    forEachHead(dmx, devices, [&](const KyClubDevice&, KyGeneratorPair pair) {
        pair.pan->setSpeedModifier(modifier);
        pair.tilt->setSpeedModifier(modifier);
        linkPartnerSpeeds(pair);
    });
}

void setPhaseModifiers(KyDmxSpace& dmx, const KyDevices& devices, int position)
{
    forEachHead(dmx, devices, [&](const KyClubDevice&, KyGeneratorPair pair) {
        pair.pan->phaseModifier = position;
        pair.tilt->phaseModifier = position;
        linkPartnerSpeeds(pair);
    });
}

void setMasterDirection(KyDmxSpace& dmx, const KyDevices& devices, std::uint8_t direction)
{
    forEachHead(dmx, devices, [&](const KyClubDevice&, KyGeneratorPair pair) { turnFigure(pair, direction); });
}

void loadFigure(KyDmxSpace& dmx, const KyDevices& devices, const KyPanTiltGen& figure)
{
    forEachHead(dmx, devices, [&](const KyClubDevice& device, KyGeneratorPair pair) {
        const KyGeneratorPair targets = axisTargets(pair, device);
        *targets.pan = figure.pan;
        *targets.tilt = figure.tilt;
        targets.pan->enabled = 1;
        targets.tilt->enabled = 1;
        targets.pan->phaseFlip = device.panInverted;
        targets.tilt->phaseFlip = device.tiltInverted;
        linkPartnerSpeeds(pair);
    });
}

void divideEffect(KyDmxSpace& dmx, const KyDevices& devices, int offset)
{
    KyScene* scene = recordedScene(dmx);
    if (!scene)
        return;
    int head = 0;
    for (const auto& device : devices) {
        if (!hasPanTilt(*device))
            continue;
        const int phase = offset * head++;
        if (auto pair = headGenerators(*scene, *device)) {
            pair->pan->phaseModifier = phase;
            pair->tilt->phaseModifier = phase;
            linkPartnerSpeeds(*pair);
        }
    }
}

void editAxis(KyDmxSpace& dmx, const KyDevices& devices, KyAxis axis, KyAxisEdit edit, int value)
{
    forEachHead(dmx, devices, [&](const KyClubDevice& device, KyGeneratorPair pair) {
        const KyGeneratorPair targets = axisTargets(pair, device);
        if (axis == KyAxis::Pan)
            edit(*targets.pan, *targets.tilt, value);
        else
            edit(*targets.tilt, *targets.pan, value);
    });
}

void setAxisMasterDirection(KyDmxSpace& dmx, const KyDevices& devices, std::uint8_t direction)
{
    forEachHead(dmx, devices, [&](const KyClubDevice& device, KyGeneratorPair pair) {
        turnFigure(axisTargets(pair, device), direction);
    });
}

std::optional<KyPanTiltGen> axisRecords(KyDmxSpace& dmx, const KyClubDevice& device)
{
    KyScene* scene = recordedScene(dmx);
    if (!scene || !hasPanTilt(device))
        return std::nullopt;
    const KyPanTiltChannels ch = panTiltChannels(device);
    const int panAxis = device.panTiltSwapped ? ch.tilt : ch.pan;
    const int tiltAxis = device.panTiltSwapped ? ch.pan : ch.tilt;
    // Read only: a channel the scene lacks gives the shared default record.
    return KyPanTiltGen{{}, scene->generatorFor(panAxis), scene->generatorFor(tiltAxis)};
}

KyGeneratorView generatorView(KyDmxSpace& dmx, const KyClubDevice& reference)
{
    KyGeneratorView view;
    KyScene* scene = recordedScene(dmx);
    if (!scene || !hasPanTilt(reference))
        return view;
    KyPanTiltChannels ch = panTiltChannels(reference);
    // Read only: a channel the scene lacks shows the shared default record.
    const KyGenerator& pan = scene->generatorFor(ch.pan);
    const KyGenerator& tilt = scene->generatorFor(ch.tilt);
    view.pan = pan;
    view.editable = dmx.recordingMode && scene->hasChannel(ch.pan) && scene->hasChannel(ch.tilt);
    view.on = pan.enabled && tilt.enabled;
    return view;
}
