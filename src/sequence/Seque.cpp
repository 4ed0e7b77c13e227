#include "sequence/Seque.h"

#include "common/Collation.h"

#include <algorithm>
#include <numeric>

namespace {

// The next id after `last`, wrapping instead of overflowing on a counter read from a
// damaged file.
std::int32_t nextId(std::int32_t last)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(last) + 1u);
}

} // namespace

void KySeque::addSequence(const KySequence& seq)
{
    auto stored = std::make_shared<KySequence>(seq);
    nextSequenceId = nextId(nextSequenceId);
    stored->id = nextSequenceId;
    sequences_.push_back(std::move(stored));
}

void KySeque::eraseSequence(std::size_t index)
{
    for (auto& cue : cues_)
        cue.releaseSequence(*sequences_[index]);
    sequences_.erase(sequences_.begin() + static_cast<std::ptrdiff_t>(index));
}

void KySeque::sortSequences()
{
    vt::NameCollator collator;
    std::sort(sequences_.begin(), sequences_.end(),
              [&](const auto& a, const auto& b) { return collator.less(a->name, b->name); });
}

KySequence* KySeque::findSequence(std::int32_t id) const
{
    return findSharedSequence(id).get();
}

std::shared_ptr<KySequence> KySeque::findSharedSequence(std::int32_t id) const
{
    auto it = std::find_if(sequences_.begin(), sequences_.end(), [id](const auto& s) { return s->id == id; });
    return it == sequences_.end() ? nullptr : *it;
}

void KySeque::addCue(KyCue& cue)
{
    nextCueId = nextId(nextCueId);
    cue.id = nextCueId;
    cues_.push_back(cue);
}

void KySeque::eraseCue(std::size_t index)
{
    std::vector<KyCue> kept;
    kept.reserve(cues_.size() - 1);
    for (std::size_t i = 0; i < cues_.size(); ++i)
        if (i != index)
            kept.push_back(std::move(cues_[i]));
    cues_ = std::move(kept);
}

void KySeque::sortCues()
{
    vt::NameCollator collator;
    std::vector<std::size_t> order(cues_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return collator.less(cues_[a].name, cues_[b].name); });
    std::vector<KyCue> sorted;
    sorted.reserve(cues_.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(cues_[i]));
    cues_ = std::move(sorted);
}

KyCue* KySeque::findCue(std::int32_t id)
{
    auto it = std::find_if(cues_.begin(), cues_.end(), [id](const KyCue& c) { return c.id == id; });
    return it == cues_.end() ? nullptr : &*it;
}

KyCue* KySeque::findCueOrFirst(std::int32_t id)
{
    if (KyCue* cue = findCue(id))
        return cue;
    return cues_.empty() ? nullptr : &cues_.front();
}

int KySeque::indexOfCue(const KyCue& cue) const
{
    for (std::size_t i = 0; i < cues_.size(); ++i)
        if (KyCue::sameId(cues_[i], cue))
            return static_cast<int>(i);
    return -1;
}
