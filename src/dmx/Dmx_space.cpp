#include "dmx/Dmx_space.h"

// The engines that play keep their fades' steps between ticks; those of stored cues do not.
KyDmxSpace::KyDmxSpace() : editedSequence_(std::make_shared<KySequence>()), previewEngine_(editedSequence_)
{
    for (int zone = 0; zone < KyCue::kZones; ++zone)
        liveCue_.zoneEngine(zone).keepFadeSteps();
    previewEngine_.keepFadeSteps();
}

KyScene* KyDmxSpace::recordedScene()
{
    auto& scenes = editedSequence_->scenes;
    if (currentScene < 0 || static_cast<std::size_t>(currentScene) >= scenes.size())
        return nullptr;
    return &scenes[static_cast<std::size_t>(currentScene)];
}

// Stores the record in the current scene and adds it, with value 0, to every other scene
// that lacks the channel, so all scenes of a recorded sequence carry the same channels.
void KyDmxSpace::record(int channel, const KyChStatus& status)
{
    KyScene* current = recordedScene();
    if (!current)
        return;
    current->setStatus(channel, status);
    KyChStatus silent = status;
    silent.value = 0;
    for (auto& scene : editedSequence_->scenes)
        if (&scene != current && !scene.hasChannel(channel))
            scene.setStatus(channel, silent);
}

void KyDmxSpace::setManual(int i, std::uint8_t v)
{
    if (!inRange(i))
        return;
    universe_[static_cast<std::size_t>(i)] = v;
    if (!recordingMode) {
        hold(i, true);
        return;
    }
    record(i, KyChStatus{v, 0, 0, 0, 0});
    hold(i, false);
}

void KyDmxSpace::setManual16(int coarse, int fine, std::uint16_t v)
{
    auto high = static_cast<std::uint8_t>(v >> 8);
    auto low = static_cast<std::uint8_t>(v & 0xFF);
    setChannel(coarse, high);
    setChannel(fine, low);
    if (!recordingMode) {
        if (inRange(coarse))
            hold(coarse, true);
        if (inRange(fine))
            hold(fine, true);
        return;
    }
    if (inRange(coarse)) {
        record(coarse, KyChStatus{high, 2, 0, fine, 0});
        hold(coarse, false);
    }
    if (inRange(fine)) {
        record(fine, KyChStatus{low, 1, 0, 0, 0});
        hold(fine, false);
    }
}

void KyDmxSpace::linkPair(int pan, int tilt)
{
    KyScene* scene = recordedScene();
    if (!scene || !inRange(pan) || !inRange(tilt))
        return;
    KyChStatus panStatus = scene->statusOf(pan);
    KyChStatus tiltStatus = scene->statusOf(tilt);
    if (panStatus.kind != 0 && panStatus.kind != 2)
        return;
    panStatus.pairRole = 1;
    panStatus.pairChannel = tilt;
    tiltStatus.pairRole = 2;
    tiltStatus.pairChannel = tilt;
    scene->setStatus(pan, panStatus);
    scene->setStatus(tilt, tiltStatus);
    if (panStatus.kind != 2 || !inRange(panStatus.fineChannel) || !inRange(tiltStatus.fineChannel))
        return;
    KyChStatus panFine = scene->statusOf(panStatus.fineChannel);
    KyChStatus tiltFine = scene->statusOf(tiltStatus.fineChannel);
    panFine.pairRole = 1;
    panFine.pairChannel = tilt;
    tiltFine.pairRole = 2;
    tiltFine.pairChannel = tilt;
    scene->setStatus(panStatus.fineChannel, panFine);
    scene->setStatus(tiltStatus.fineChannel, tiltFine);
}

void KyDmxSpace::releaseChannel(int i)
{
    if (!inRange(i))
        return;
    if (recordingMode)
        editedSequence_->removeChannelEverywhere(i);
    else
        hold(i, false);
}

void KyDmxSpace::keepHeldOnly()
{
    for (std::size_t i = 0; i < universe_.size(); ++i)
        universe_[i] &= heldMask_[i];
}
