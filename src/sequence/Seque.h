#pragma once
// The sequence-and-cue store: every stored sequence and every stored cue, with the id
// counters that make sure no id is handed out twice.

#include "cue/Cue.h"
#include "sequence/Sequence.h"

#include <cstdint>
#include <memory>
#include <vector>

class KySeque {
public:
    using SequenceList = std::vector<std::shared_ptr<KySequence>>;

    std::int32_t nextSequenceId = 0; // the last sequence id handed out
    std::int32_t nextCueId = 0;      // the last cue id handed out

    // Stores a new sequence with the scenes, fade and name of `seq` under a new id;
    // `seq` itself is not changed.
    void addSequence(const KySequence& seq);
    // Stored cues release the sequence first.
    void eraseSequence(std::size_t index);
    void sortSequences();
    std::size_t sequenceCount() const { return sequences_.size(); }
    KySequence& sequenceAt(std::size_t index) { return *sequences_[index]; }
    const std::shared_ptr<KySequence>& sharedSequenceAt(std::size_t index) const { return sequences_[index]; }
    KySequence* findSequence(std::int32_t id) const;
    std::shared_ptr<KySequence> findSharedSequence(std::int32_t id) const;
    const SequenceList& sequences() const { return sequences_; }
    void replaceSequences(SequenceList sequences) { sequences_ = std::move(sequences); }

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
    SequenceList sequences_;
    // Cues are never assigned inside this list (erasing and sorting rebuild it), because
    // assigning a cue changes the generator speed the live show runs at.
    std::vector<KyCue> cues_;
};
