#pragma once
// The sequence-and-cue store: every stored sequence and every stored cue, with the id
// counters that make sure no id is handed out twice.

#include "cue/Cue.h"
#include "sequence/SequenceStore.h"

#include <cstdint>
#include <memory>
#include <vector>

class KySeque final : public KySequenceStore {
public:
    std::int32_t nextCueId = 0; // the last cue id handed out

    // Gives `cue` the new id and stores a copy of it.
    void addCue(KyCue& cue);
    void eraseCue(std::size_t index);
    void sortCues();
    std::size_t cueCount() const { return cues_.size(); }
    KyCue& cueAt(std::size_t index) { return cues_[index]; }
    const KyCue& cueAt(std::size_t index) const { return cues_[index]; }
    KyCue* findCue(std::int32_t id);
    // The cue with the id, or the first stored cue when none has it.
    KyCue* findCueOrFirst(std::int32_t id);
    int indexOfCue(const KyCue& cue) const;
    const std::vector<KyCue>& cues() const { return cues_; }
    void replaceCues(std::vector<KyCue> cues) { cues_ = std::move(cues); }

private:
    // Stored cues release the sequence.
    void releaseSequence(const KySequence& sequence) override;

    // Cues are never assigned inside this list (erasing and sorting rebuild it), because
    // assigning a cue changes the generator speed the live show runs at.
    std::vector<KyCue> cues_;
};
