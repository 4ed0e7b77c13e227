#include "sequence/EditSpace.h"

// The preview keeps its fades' steps between ticks, as every engine that plays does.
KyEditSpace::KyEditSpace() : editedSequence_(std::make_shared<KySequence>()), previewEngine_(editedSequence_)
{
    previewEngine_.keepFadeSteps();
}

KyScene* KyEditSpace::recordedScene()
{
    auto& scenes = editedSequence_->scenes;
    if (currentScene < 0 || static_cast<std::size_t>(currentScene) >= scenes.size())
        return nullptr;
    return &scenes[static_cast<std::size_t>(currentScene)];
}

// Stores the record in the current scene and adds it, with value 0, to every other scene
// that lacks the channel, so all scenes of a recorded sequence carry the same channels.
void KyEditSpace::record(int channel, const KyChStatus& status)
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

void KyEditSpace::recordByte(int channel, std::uint8_t value)
{
    record(channel, KyChStatus{value, 0, 0, 0, 0});
}

void KyEditSpace::recordWord(int coarse, int fine, std::uint16_t value)
{
    if (inRange(coarse))
        record(coarse, KyChStatus{static_cast<std::uint8_t>(value >> 8), 2, 0, fine, 0});
    if (inRange(fine))
        record(fine, KyChStatus{static_cast<std::uint8_t>(value & 0xFF), 1, 0, 0, 0});
}

void KyEditSpace::recordRelease(int channel)
{
    editedSequence_->removeChannelEverywhere(channel);
}

void KyEditSpace::linkPair(int pan, int tilt)
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
