#include "cue/Seque.h"

#include "common/Collation.h"

#include <algorithm>
#include <numeric>

void KySeque::releaseSequence(const KySequence& sequence)
{
    for (auto& cue : cues_)
        cue.releaseSequence(sequence);
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
