#include "sequence/SequenceStore.h"

#include "common/Collation.h"

#include <algorithm>

std::int32_t KySequenceStore::nextId(std::int32_t last)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(last) + 1u);
}

void KySequenceStore::addSequence(const KySequence& seq)
{
    auto stored = std::make_shared<KySequence>(seq);
    nextSequenceId = nextId(nextSequenceId);
    stored->id = nextSequenceId;
    sequences_.push_back(std::move(stored));
}

void KySequenceStore::eraseSequence(std::size_t index)
{
    releaseSequence(*sequences_[index]);
    sequences_.erase(sequences_.begin() + static_cast<std::ptrdiff_t>(index));
}

void KySequenceStore::sortSequences()
{
    vt::NameCollator collator;
    std::sort(sequences_.begin(), sequences_.end(),
              [&](const auto& a, const auto& b) { return collator.less(a->name, b->name); });
}

KySequence* KySequenceStore::findSequence(std::int32_t id) const
{
    return findSharedSequence(id).get();
}

std::shared_ptr<KySequence> KySequenceStore::findSharedSequence(std::int32_t id) const
{
    auto it = std::find_if(sequences_.begin(), sequences_.end(), [id](const auto& s) { return s->id == id; });
    return it == sequences_.end() ? nullptr : *it;
}
