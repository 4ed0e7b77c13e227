#pragma once
// The universe with the sequence editor's working copy: while recording, the operator's
// writes become records of the current scene, and the preview engine plays the copy.

#include "dmx/Universe.h"
#include "sequence/SeqEngine.h"
#include "sequence/Sequence.h"

#include <memory>

class KyEditSpace : public KyUniverse {
public:
    const std::shared_ptr<KySequence>& editedSequence() const { return editedSequence_; }
    // Plays editedSequence for the sequence editor.
    KySeqEngine& previewEngine() { return previewEngine_; }
    int currentScene = 0;

    // Marks the two channels (and their fine channels) as a pan/tilt pair in the scene
    // being recorded.
    void linkPair(int pan, int tilt);

protected:
    KyEditSpace();
    ~KyEditSpace() = default;

private:
    // The scene that writes go into while recording, or none when the edited sequence
    // has no such scene.
    KyScene* recordedScene();
    void record(int channel, const KyChStatus& status);
    void recordByte(int channel, std::uint8_t value) override;
    void recordWord(int coarse, int fine, std::uint16_t value) override;
    void recordRelease(int channel) override;

    std::shared_ptr<KySequence> editedSequence_;
    KySeqEngine previewEngine_;
};
