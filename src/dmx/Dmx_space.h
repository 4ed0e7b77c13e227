#pragma once
// The DMX universe: 512 channel values, the mask of channels held by hand, and the
// recording hook that turns operator writes into edits of the scene being recorded. It
// also carries the live cue that the tick plays and the sequence editor's preview engine.

#include "cue/Cue.h"
#include "sequence/SeqEngine.h"
#include "sequence/Sequence.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

class KyDmxSpace {
public:
    static constexpr int kChannels = 512;
    using Universe = std::array<std::uint8_t, kChannels>;

    KyDmxSpace();

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
    void linkPair(int pan, int tilt);
    void releaseChannel(int i);
    bool isHeld(int i) const { return inRange(i) && heldMask_[static_cast<std::size_t>(i)] != 0; }
    // How many channels the operator holds by hand.
    int heldCount() const { return static_cast<int>(std::count(heldMask_.begin(), heldMask_.end(), 0xFF)); }
    // Drops every channel that is not held by hand; each tick starts from here.
    void keepHeldOnly();

    const std::shared_ptr<KySequence>& editedSequence() const { return editedSequence_; }
    KyCue& liveCue() { return liveCue_; }
    const KyCue& liveCue() const { return liveCue_; }
    // Plays editedSequence for the sequence editor.
    KySeqEngine& previewEngine() { return previewEngine_; }
    bool recordingMode = false;
    int currentScene = 0;

    static bool inRange(int i) { return static_cast<unsigned>(i) < static_cast<unsigned>(kChannels); }

private:
    void hold(int i, bool held) { heldMask_[static_cast<std::size_t>(i)] = held ? 0xFF : 0; }
    // The scene that writes go into while recording, or none when the edited sequence
    // has no such scene.
    KyScene* recordedScene();
    void record(int channel, const KyChStatus& status);

    Universe universe_{};
    std::array<std::uint8_t, kChannels> heldMask_{}; // 0xFF where held, so clearing is a mask
    std::shared_ptr<KySequence> editedSequence_;
    KyCue liveCue_;
    KySeqEngine previewEngine_;
};
