#include "sequence/Sequence.h"

namespace {

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

std::pair<std::int32_t, KyChStatus> KyScene::entryAt(std::size_t i) const
{
    const Entry& e = entries_[i];
    return {e.channel, channels_.find(e.channel)->second};
}

void KyScene::resetGenerators()
{
    for (auto& [channel, generator] : generators_)
        generator.resetRunningState();
}

void KyScene::rebuild()
{
    entries_.clear();
    pairs_.clear();
    entries_.reserve(channels_.size());
    for (const auto& [channel, status] : channels_) {
        auto level = static_cast<std::uint16_t>(status.value);
        if (status.kind == 2)
            level = static_cast<std::uint16_t>(status.value << 8 | statusOf(status.fineChannel).value);
        entries_.push_back({channel, status.fineChannel, status.value, status.kind, level});
        if (status.pairRole != 1 || (status.kind != 0 && status.kind != 2))
            continue;
        const std::int32_t tilt = status.pairChannel;
        const bool wide = status.kind == 2;
        pairs_.push_back({channel, wide ? status.fineChannel : 0, tilt, wide ? statusOf(tilt).fineChannel : 0, wide,
                          &generatorFor(channel), &generatorFor(tilt)});
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
