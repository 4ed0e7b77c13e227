#include "functions/ReadBack.h"

std::uint8_t KyFunctionSnapshot::value(int index) const
{
    return KyDmxSpace::inRange(index) ? universe[static_cast<std::size_t>(index)] : 0;
}

KyFunctionSnapshot takeFunctionSnapshot(KyDmxSpace& dmx)
{
    KyFunctionSnapshot snapshot;
    snapshot.universe = dmx.data();
    for (int i = 0; i < KyDmxSpace::kChannels; ++i)
        snapshot.held[static_cast<std::size_t>(i)] = dmx.isHeld(i);
    const KySequence& edited = *dmx.editedSequence();
    if (edited.sceneCount() > 0)
        for (const auto& [channel, status] : edited.sceneAt(0).channels())
            if (KyDmxSpace::inRange(channel))
                snapshot.recorded[static_cast<std::size_t>(channel)] = true;
    snapshot.recording = dmx.recordingMode;
    const KySeqEngine& preview = dmx.previewEngine();
    snapshot.previewRunning = preview.playing || preview.paused;
    return snapshot;
}

KyHoldState holdState(const KyFunctionSnapshot& snapshot, std::initializer_list<int> channels)
{
    const auto& mask = snapshot.recording ? snapshot.recorded : snapshot.held;
    bool down = false;
    for (int channel : channels)
        down = down || (KyDmxSpace::inRange(channel) && mask[static_cast<std::size_t>(channel)]);
    if (snapshot.recording)
        return {"PRG", down, down};
    return {down ? "Man" : "Auto", down, false};
}
