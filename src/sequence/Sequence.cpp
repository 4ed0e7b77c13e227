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

} // namespace

KyScene::KyScene(const KyScene& other)
    : sceneTime(other.sceneTime), channels_(other.channels_), generators_(other.generators_)
{
    rebuild();
}

KyScene& KyScene::operator=(const KyScene& other)
{
    if (this != &other) {
        sceneTime = other.sceneTime;
        channels_ = other.channels_;
        generators_ = other.generators_;
        rebuild();
    }
    return *this;
}

KyScene::KyScene(KyScene&& other) noexcept
    : sceneTime(other.sceneTime), channels_(std::move(other.channels_)), generators_(std::move(other.generators_)),
      columns_(std::move(other.columns_)), pairs_(std::move(other.pairs_)),
      pairsShareGenerators_(other.pairsShareGenerators_), revision_(other.revision_),
      fadeSteps_(std::move(other.fadeSteps_))
{
    other.forgetContents();
}

KyScene& KyScene::operator=(KyScene&& other) noexcept
{
    if (this != &other) {
        sceneTime = other.sceneTime;
        channels_ = std::move(other.channels_);
        generators_ = std::move(other.generators_);
        columns_ = std::move(other.columns_);
        pairs_ = std::move(other.pairs_);
        pairsShareGenerators_ = other.pairsShareGenerators_;
        revision_ = other.revision_;
        fadeSteps_ = std::move(other.fadeSteps_);
        other.forgetContents();
    }
    return *this;
}

// A scene left behind by a move holds nothing and must not pass for the scene it was.
void KyScene::forgetContents() noexcept
{
    channels_.clear();
    generators_.clear();
    columns_ = Columns{};
    pairs_.clear();
    pairsShareGenerators_ = false;
    revision_ = ++lastRevision;
    fadeSteps_ = FadeSteps{};
}

void KyScene::setStatus(std::int32_t channel, const KyChStatus& status)
{
    channels_[channel] = status;
    generators_.try_emplace(channel);
    rebuild();
}

void KyScene::removeChannel(std::int32_t channel)
{
    channels_.erase(channel);
    generators_.erase(channel);
    rebuild();
}

void KyScene::assign(ChannelMap channels, GeneratorMap generators)
{
    channels_ = std::move(channels);
    generators_ = std::move(generators);
    rebuild();
}

KyChStatus KyScene::statusOf(std::int32_t channel) const
{
    auto it = channels_.find(channel);
    return it == channels_.end() ? KyChStatus{} : it->second;
}

KyGenerator& KyScene::generatorFor(std::int32_t channel)
{
    auto it = generators_.find(channel);
    return it != generators_.end() ? it->second : sharedDefaultGenerator();
}

const KyGenerator& KyScene::generatorFor(std::int32_t channel) const
{
    auto it = generators_.find(channel);
    return it != generators_.end() ? it->second : sharedDefaultGenerator();
}

std::pair<std::int32_t, KyChStatus> KyScene::entryAt(std::size_t i) const
{
    const std::int32_t channel = columns_.channel[i];
    return {channel, channels_.find(channel)->second};
}

void KyScene::resetGenerators()
{
    for (auto& [channel, generator] : generators_)
        generator.resetRunningState();
}

void KyScene::rebuild()
{
    columns_ = Columns{};
    pairs_.clear();
    const std::size_t n = channels_.size();
    for (auto* column : {&columns_.channel, &columns_.fineChannel, &columns_.kind})
        column->reserve(n);
    columns_.value.reserve(n);
    columns_.valueF.reserve(n);
    columns_.level.reserve(n);
    for (const auto& [channel, status] : channels_) {
        int level = status.value;
        if (status.kind == 2)
            level = status.value << 8 | statusOf(status.fineChannel).value;
        columns_.channel.push_back(channel);
        columns_.fineChannel.push_back(status.fineChannel);
        columns_.kind.push_back(status.kind);
        columns_.value.push_back(status.value);
        columns_.valueF.push_back(status.value);
        columns_.level.push_back(static_cast<float>(level));
        if (status.pairRole != 1 || (status.kind != 0 && status.kind != 2))
            continue;
        const std::int32_t tilt = status.pairChannel;
        const bool wide = status.kind == 2;
        pairs_.push_back({channel, wide ? status.fineChannel : 0, tilt, wide ? statusOf(tilt).fineChannel : 0, wide,
                          &generatorFor(channel), &generatorFor(tilt)});
    }
    planWrites();
    std::vector<const KyGenerator*> driven;
    for (const PanTiltPair& pair : pairs_)
        driven.insert(driven.end(), {pair.panGenerator, pair.tiltGenerator});
    std::sort(driven.begin(), driven.end());
    pairsShareGenerators_ = std::adjacent_find(driven.begin(), driven.end()) != driven.end();
    revision_ = ++lastRevision;
    fadeSteps_ = FadeSteps{};
    fadeSteps_.step.resize(n);
}

void KyScene::planWrites()
{
    constexpr std::int32_t universe = 512;
    auto inUniverse = [](std::int32_t channel) { return channel >= 0 && channel < universe; };
    std::bitset<universe> written;
    auto claim = [&](std::int32_t channel) {
        if (!inUniverse(channel))
            return true; // writes outside the universe are dropped
        bool fresh = !written.test(std::size_t(channel));
        written.set(std::size_t(channel));
        return fresh;
    };
    auto extend = [](std::vector<Columns::Run>& runs, std::uint32_t position, std::int32_t channel) {
        Columns::Run* last = runs.empty() ? nullptr : &runs.back();
        if (last && last->position + last->length == position && last->channel + std::int32_t(last->length) == channel)
            ++last->length;
        else
            runs.push_back({position, 1, channel});
    };
    Columns& c = columns_;
    for (std::uint32_t i = 0; i < c.channel.size(); ++i) {
        const std::int32_t channel = c.channel[i];
        if (inUniverse(channel))
            extend(c.valueRuns, i, channel);
        if (c.kind[i] == 2) {
            const bool coarseFresh = claim(channel);
            const bool fineFresh = claim(c.fineChannel[i]);
            c.orderedWrites |= !(coarseFresh && fineFresh);
            c.pairPositions.push_back(i);
        } else if (c.kind[i] == 0) {
            c.orderedWrites |= !claim(channel);
            if (inUniverse(channel))
                extend(c.runs, i, channel);
        }
    }
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
