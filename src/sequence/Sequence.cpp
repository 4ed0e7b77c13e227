#include "sequence/Sequence.h"

#include <iterator>

void KyScene::setStatus(std::int32_t channel, const KyChStatus& status)
{
    channels[channel] = status;
    generators.try_emplace(channel);
}

void KyScene::removeChannel(std::int32_t channel)
{
    channels.erase(channel);
    generators.erase(channel);
}

KyChStatus KyScene::statusOf(std::int32_t channel) const
{
    auto it = channels.find(channel);
    return it == channels.end() ? KyChStatus{} : it->second;
}

KyGenerator& KyScene::generatorFor(std::int32_t channel)
{
    auto it = generators.find(channel);
    if (it != generators.end())
        return it->second;
    static KyGenerator sharedDefault;
    return sharedDefault;
}

std::pair<std::int32_t, KyChStatus> KyScene::entryAt(std::size_t i) const
{
    return *std::next(channels.begin(), static_cast<std::ptrdiff_t>(i));
}

void KyScene::resetGenerators()
{
    for (auto& [channel, generator] : generators)
        generator.resetRunningState();
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
