#pragma once
// The stored sequences, with the id counter that makes sure no sequence id is handed out
// twice. The room above adds the stored cues that play them (`KySeque`, cue/Seque.h).

#include "sequence/Sequence.h"

#include <cstdint>
#include <memory>
#include <vector>

class KySequenceStore {
public:
    using SequenceList = std::vector<std::shared_ptr<KySequence>>;

    std::int32_t nextSequenceId = 0; // the last sequence id handed out

    // Stores a new sequence with the scenes, fade and name of `seq` under a new id;
    // `seq` itself is not changed.
    void addSequence(const KySequence& seq);
    // Whatever plays the sequence releases it first.
    void eraseSequence(std::size_t index);
    void sortSequences();
    std::size_t sequenceCount() const { return sequences_.size(); }
    KySequence& sequenceAt(std::size_t index) { return *sequences_[index]; }
    const std::shared_ptr<KySequence>& sharedSequenceAt(std::size_t index) const { return sequences_[index]; }
    KySequence* findSequence(std::int32_t id) const;
    std::shared_ptr<KySequence> findSharedSequence(std::int32_t id) const;
    const SequenceList& sequences() const { return sequences_; }
    void replaceSequences(SequenceList sequences) { sequences_ = std::move(sequences); }

protected:
    KySequenceStore() = default;
    KySequenceStore(const KySequenceStore&) = default;
    KySequenceStore& operator=(const KySequenceStore&) = default;
    ~KySequenceStore() = default;

    // The next id after `last`, wrapping instead of overflowing on a counter read from a
    // damaged file.
    static std::int32_t nextId(std::int32_t last);

private:
    // Called before the sequence leaves the store.
    virtual void releaseSequence(const KySequence& sequence) = 0;

    SequenceList sequences_;
};
