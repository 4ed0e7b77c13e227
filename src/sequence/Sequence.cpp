#include "sequence/Sequence.h"

#include <algorithm>
#include <atomic>
#include <bitset>

namespace {

std::atomic<std::uint64_t> lastRevision{0};

KyGenerator& sharedDefaultGenerator()
{
    static KyGenerator shared;
    return shared;
}

const KyScene::Shape& emptyShape()
{
    static const KyScene::Shape empty = std::make_shared<const KySceneShape>();
    return empty;
}

std::uint32_t positionIn(const std::vector<std::int32_t>& sorted, std::int32_t ch)
{
    auto it = std::lower_bound(sorted.begin(), sorted.end(), ch);
    return it != sorted.end() && *it == ch ? std::uint32_t(it - sorted.begin()) : KySceneShape::kNone;
}

template <class Vector, class T>
void insertAt(Vector& v, std::size_t i, const T& value)
{
    v.insert(v.begin() + std::ptrdiff_t(i), value);
}

template <class Vector>
void eraseAt(Vector& v, std::size_t i)
{
    v.erase(v.begin() + std::ptrdiff_t(i));
}

// Entries as read, put in ascending channel order with the last of a repeated channel kept,
// as the ordered maps that files were once read into did.
template <class Entry>
void normalise(std::vector<Entry>& entries)
{
    auto byChannel = [](const Entry& a, const Entry& b) { return a.first < b.first; };
    if (std::adjacent_find(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.first >= b.first;
        }) == entries.end())
        return;
    std::stable_sort(entries.begin(), entries.end(), byChannel);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (kept > 0 && entries[kept - 1].first == entries[i].first)
            --kept;
        entries[kept++] = entries[i];
    }
    entries.resize(kept);
}

} // namespace

// ---- The shape

std::uint32_t KySceneShape::find(std::int32_t ch) const
{
    return positionIn(channel, ch);
}

std::uint32_t KySceneShape::findStray(std::int32_t ch) const
{
    return positionIn(strays, ch);
}

std::uint32_t KySceneShape::slotOf(std::int32_t ch) const
{
    const std::uint32_t i = find(ch);
    if (i != kNone)
        return hasGenerator[i] ? i : kNone;
    const std::uint32_t stray = findStray(ch);
    return stray == kNone ? kNone : std::uint32_t(size()) + stray;
}

bool KySceneShape::anyGenerator() const
{
    return !strays.empty() || std::find(hasGenerator.begin(), hasGenerator.end(), 1) != hasGenerator.end();
}

bool KySceneShape::sameRecords(const KySceneShape& o) const
{
    return channel == o.channel && fineChannel == o.fineChannel && pairChannel == o.pairChannel && kind == o.kind &&
           pairRole == o.pairRole && hasGenerator == o.hasGenerator && strays == o.strays;
}

void KySceneShape::derive()
{
    finePosition.assign(size(), kNone);
    for (std::size_t i = 0; i < size(); ++i) {
        if (kind[i] != 2)
            continue;
        // The fine byte is nearly always the next entry.
        const bool next = i + 1 < size() && channel[i + 1] == fineChannel[i];
        finePosition[i] = next ? std::uint32_t(i + 1) : find(fineChannel[i]);
    }
    planWrites();
    findPairs();
}

void KySceneShape::planWrites()
{
    constexpr std::int32_t universe = 512;
    auto inUniverse = [](std::int32_t ch) { return ch >= 0 && ch < universe; };
    std::bitset<universe> written;
    auto claim = [&](std::int32_t ch) {
        if (!inUniverse(ch))
            return true; // writes outside the universe are dropped
        bool fresh = !written.test(std::size_t(ch));
        written.set(std::size_t(ch));
        return fresh;
    };
    auto extend = [](std::vector<Run>& into, std::uint32_t position, std::int32_t ch) {
        Run* last = into.empty() ? nullptr : &into.back();
        if (last && last->position + last->length == position && last->channel + std::int32_t(last->length) == ch)
            ++last->length;
        else
            into.push_back({position, 1, ch});
    };
    runs.clear();
    valueRuns.clear();
    pairPositions.clear();
    orderedWrites = false;
    for (std::uint32_t i = 0; i < size(); ++i) {
        const std::int32_t ch = channel[i];
        if (inUniverse(ch))
            extend(valueRuns, i, ch);
        if (kind[i] == 2) {
            const bool coarseFresh = claim(ch);
            const bool fineFresh = claim(fineChannel[i]);
            orderedWrites |= !(coarseFresh && fineFresh);
            pairPositions.push_back(i);
        } else if (kind[i] == 0) {
            orderedWrites |= !claim(ch);
            if (inUniverse(ch))
                extend(runs, i, ch);
        }
    }
    for (auto* v : {&runs, &valueRuns})
        v->shrink_to_fit();
    pairPositions.shrink_to_fit();
}

void KySceneShape::findPairs()
{
    pairs.clear();
    for (std::uint32_t i = 0; i < size(); ++i) {
        if (pairRole[i] != 1 || (kind[i] != 0 && kind[i] != 2))
            continue;
        const std::int32_t tilt = pairChannel[i];
        const std::uint32_t t = find(tilt);
        const bool wide = kind[i] == 2;
        const std::int32_t tiltFine = wide && t != kNone ? fineChannel[t] : 0;
        pairs.push_back(
            {channel[i], wide ? fineChannel[i] : 0, tilt, tiltFine, wide, slotOf(channel[i]), slotOf(tilt)});
    }
    pairs.shrink_to_fit();
    std::vector<std::uint32_t> driven;
    for (const Pair& pair : pairs)
        driven.insert(driven.end(), {pair.panSlot, pair.tiltSlot});
    std::sort(driven.begin(), driven.end());
    pairsShareGenerators = std::adjacent_find(driven.begin(), driven.end()) != driven.end();
}

// ---- The scene

KyScene::KyScene() : shape_(emptyShape()), revision_(++lastRevision) {}

KyScene::KyScene(const KyScene& other)
    : sceneTime(other.sceneTime), shape_(other.shape_), values_(other.values_), generators_(other.generators_),
      revision_(++lastRevision)
{
}

KyScene& KyScene::operator=(const KyScene& other)
{
    if (this != &other) {
        sceneTime = other.sceneTime;
        shape_ = other.shape_;
        values_ = other.values_;
        generators_ = other.generators_;
        touch();
    }
    return *this;
}

// The records stay where they are; a scene left behind holds nothing and must not pass for
// the scene it was.
KyScene::KyScene(KyScene&& other) noexcept
    : sceneTime(other.sceneTime), shape_(std::exchange(other.shape_, emptyShape())),
      values_(std::move(other.values_)), generators_(std::move(other.generators_)), revision_(other.revision_)
{
    other.values_.clear();
    other.generators_.clear();
    other.touch();
}

KyScene& KyScene::operator=(KyScene&& other) noexcept
{
    if (this != &other) {
        sceneTime = other.sceneTime;
        shape_ = std::exchange(other.shape_, emptyShape());
        values_ = std::move(other.values_);
        generators_ = std::move(other.generators_);
        revision_ = other.revision_;
        other.values_.clear();
        other.generators_.clear();
        other.touch();
    }
    return *this;
}

void KyScene::touch()
{
    revision_ = ++lastRevision;
}

void KyScene::setShape(KySceneShape shape)
{
    if (!shape.anyGenerator())
        generators_ = {};
    shape.derive();
    shape_ = std::make_shared<const KySceneShape>(std::move(shape));
    touch();
}

void KyScene::shareShapeWith(const KyScene& other)
{
    if (shape_ != other.shape_ && shape_->sameRecords(*other.shape_))
        shape_ = other.shape_;
}

KyGenerator& KyScene::sharedDefault()
{
    return sharedDefaultGenerator();
}

void KyScene::setStatus(std::int32_t channel, const KyChStatus& status)
{
    const std::uint32_t i = shape_->find(channel);
    if (i != KySceneShape::kNone && shape_->hasGenerator[i] && shape_->status(i, status.value) == status) {
        values_[i] = status.value; // the same shape
        touch();
        return;
    }
    KySceneShape shape = editableShape();
    if (generators_.empty())
        generators_.resize(shape.size()); // no strays either: the scene had no generator entry
    std::size_t at = i;
    if (i == KySceneShape::kNone) {
        at = std::size_t(std::lower_bound(shape.channel.begin(), shape.channel.end(), channel) - shape.channel.begin());
        KyGenerator record;
        // A generator entry the channel had without a record becomes its own.
        if (const std::uint32_t stray = shape.findStray(channel); stray != KySceneShape::kNone) {
            record = generators_[shape.size() + stray];
            eraseAt(generators_, shape.size() + stray);
            eraseAt(shape.strays, stray);
        }
        insertAt(generators_, at, record);
        insertAt(values_, at, std::uint8_t(0));
        insertAt(shape.channel, at, channel);
        for (auto* column : {&shape.fineChannel, &shape.pairChannel})
            insertAt(*column, at, 0);
        for (auto* column : {&shape.kind, &shape.pairRole})
            insertAt(*column, at, std::uint8_t(0));
        insertAt(shape.hasGenerator, at, std::uint8_t(1));
    } else if (!shape.hasGenerator[at]) {
        generators_[at] = KyGenerator();
        shape.hasGenerator[at] = 1;
    }
    values_[at] = status.value;
    shape.kind[at] = status.kind;
    shape.pairRole[at] = status.pairRole;
    shape.fineChannel[at] = status.fineChannel;
    shape.pairChannel[at] = status.pairChannel;
    setShape(std::move(shape));
}

void KyScene::removeChannel(std::int32_t channel)
{
    KySceneShape shape = editableShape();
    if (const std::uint32_t i = shape.find(channel); i != KySceneShape::kNone) {
        eraseAt(values_, i);
        if (!generators_.empty())
            eraseAt(generators_, i);
        for (auto* column : {&shape.channel, &shape.fineChannel, &shape.pairChannel})
            eraseAt(*column, i);
        for (auto* column : {&shape.kind, &shape.pairRole, &shape.hasGenerator})
            eraseAt(*column, i);
    } else if (const std::uint32_t stray = shape.findStray(channel); stray != KySceneShape::kNone) {
        eraseAt(generators_, shape.size() + stray);
        eraseAt(shape.strays, stray);
    } else {
        return;
    }
    setShape(std::move(shape));
}

void KyScene::assign(const ChannelMap& channels, const GeneratorMap& generators)
{
    Assembler assembler;
    for (const auto& [channel, status] : channels)
        assembler.addChannel(channel, status);
    for (const auto& [channel, g] : generators)
        assembler.addGenerator(channel, g);
    assembler.finish(*this);
}

KyChStatus KyScene::statusOf(std::int32_t channel) const
{
    const std::uint32_t i = shape_->find(channel);
    return i == KySceneShape::kNone ? KyChStatus{} : shape_->status(i, values_[i]);
}

KyGenerator& KyScene::generatorFor(std::int32_t channel)
{
    return slot(shape_->slotOf(channel));
}

const KyGenerator& KyScene::generatorFor(std::int32_t channel) const
{
    const std::uint32_t s = shape_->slotOf(channel);
    return s == KySceneShape::kNone ? sharedDefaultGenerator() : generators_[s];
}

std::pair<std::int32_t, KyChStatus> KyScene::entryAt(std::size_t i) const
{
    return {shape_->channel[i], shape_->status(std::uint32_t(i), values_[i])};
}

const KyGenerator& KyScene::entryGenerator(std::size_t i) const
{
    return shape_->hasGenerator[i] ? generators_[i] : sharedDefaultGenerator();
}

void KyScene::resetGenerators()
{
    for (KyGenerator& g : generators_)
        g.resetRunningState();
}

KyScene::PairRecords KyScene::recordsOfPair(const KyScene& other, std::size_t i) const
{
    const KySceneShape::Pair& p = other.shape_->pairs[i];
    if (shape_ == other.shape_) {
        auto record = [this](std::uint32_t s) -> const KyGenerator* {
            return s == KySceneShape::kNone ? &sharedDefaultGenerator() : &generators_[s];
        };
        return {record(p.panSlot), record(p.tiltSlot)};
    }
    return {&generatorFor(p.pan), &generatorFor(p.tilt)};
}

KyScene::ChannelView KyScene::channels() const
{
    return ChannelView(*this);
}

KyScene::GeneratorView KyScene::generators() const
{
    return GeneratorView(*this);
}

void KyScene::Assembler::finish(KyScene& scene)
{
    normalise(channels_);
    normalise(generators_);
    KySceneShape& s = shape_;
    for (auto* column : {&s.channel, &s.fineChannel, &s.pairChannel, &s.strays})
        column->clear();
    for (auto* column : {&s.kind, &s.pairRole, &s.hasGenerator})
        column->clear();
    vt::BulkVector<std::uint8_t> values(storage_);
    values.reserve(channels_.size());
    for (const auto& [channel, status] : channels_) {
        s.channel.push_back(channel);
        s.fineChannel.push_back(status.fineChannel);
        s.pairChannel.push_back(status.pairChannel);
        s.kind.push_back(status.kind);
        s.pairRole.push_back(status.pairRole);
        s.hasGenerator.push_back(0);
        values.push_back(status.value);
    }
    // Both lists ascend: one walk pairs each generator entry with its channel's record.
    std::size_t at = 0;
    for (const auto& [channel, g] : generators_) {
        while (at < s.size() && s.channel[at] < channel)
            ++at;
        if (at < s.size() && s.channel[at] == channel)
            s.hasGenerator[at] = 1;
        else
            s.strays.push_back(channel);
    }
    vt::BulkVector<KyGenerator> records(storage_);
    if (!generators_.empty()) {
        records.reserve(s.size() + s.strays.size());
        records.resize(s.size());
        at = 0;
        for (const auto& [channel, g] : generators_) {
            while (at < s.size() && s.channel[at] < channel)
                ++at;
            if (at < s.size() && s.channel[at] == channel)
                records[at] = g;
            else
                records.push_back(g);
        }
    }
    if (!last_ || !last_->sameRecords(s)) {
        KySceneShape made = s; // exactly sized
        made.derive();
        last_ = std::make_shared<const KySceneShape>(std::move(made));
    }
    scene.shape_ = last_;
    scene.values_ = std::move(values);
    scene.generators_ = std::move(records);
    scene.touch();
    channels_.clear();
    generators_.clear();
}

// ---- Views

bool operator==(const KyScene::ChannelView& a, const KyScene::ChannelView& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.first == y.first && x.second == y.second;
           });
}

KyScene::GeneratorView::iterator::iterator(const KyScene* scene, std::size_t entry, std::size_t stray)
    : scene_(scene), entry_(entry), stray_(stray)
{
    skipBare();
}

bool KyScene::GeneratorView::iterator::strayFirst() const
{
    const KySceneShape& s = *scene_->shape_;
    if (stray_ >= s.strays.size())
        return false;
    return entry_ >= s.size() || s.strays[stray_] < s.channel[entry_];
}

// Entries without a generator entry are not part of the list.
void KyScene::GeneratorView::iterator::skipBare()
{
    const KySceneShape& s = *scene_->shape_;
    while (entry_ < s.size() && !s.hasGenerator[entry_])
        ++entry_;
}

KyScene::GeneratorView::iterator::value_type KyScene::GeneratorView::iterator::operator*() const
{
    const KySceneShape& s = *scene_->shape_;
    if (strayFirst())
        return {s.strays[stray_], scene_->generators_[s.size() + stray_]};
    return {s.channel[entry_], scene_->generators_[entry_]};
}

KyScene::GeneratorView::iterator& KyScene::GeneratorView::iterator::operator++()
{
    if (strayFirst()) {
        ++stray_;
    } else {
        ++entry_;
        skipBare();
    }
    return *this;
}

std::size_t KyScene::GeneratorView::size() const
{
    const KySceneShape& s = *scene_->shape_;
    return std::size_t(std::count(s.hasGenerator.begin(), s.hasGenerator.end(), 1)) + s.strays.size();
}

// ---- The sequence

void KySequence::appendScene(const KyScene& scene)
{
    scenes.push_back(scene);
    if (scenes.size() > 1)
        scenes.back().shareShapeWith(scenes[scenes.size() - 2]);
}

void KySequence::setAllSceneTimes(std::uint32_t t)
{
    for (auto& scene : scenes)
        scene.sceneTime = t;
}

void KySequence::removeChannelEverywhere(std::int32_t channel)
{
    for (auto& scene : scenes)
        scene.removeChannel(channel);
}

void KySequence::resetGenerators()
{
    for (auto& scene : scenes)
        scene.resetGenerators();
}
