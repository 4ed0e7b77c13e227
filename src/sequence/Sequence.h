#pragma once
// Scenes (stored looks) and sequences (scenes played in a loop).

#include "generator/Generator.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The record of one universe channel in a scene.
struct KyChStatus {
    std::uint8_t value = 0;
    std::uint8_t kind = 0;     // 0 single 8-bit channel, 1 fine byte of a pair, 2 coarse byte
    std::uint8_t pairRole = 0; // 0 none, 1 pan, 2 tilt of a generator-driven pair
    std::int32_t fineChannel = 0;
    std::int32_t pairChannel = 0;

    friend bool operator==(const KyChStatus&, const KyChStatus&) = default;
};

class KyScene {
public:
    std::map<std::int32_t, KyChStatus> channels;
    std::map<std::int32_t, KyGenerator> generators;
    std::uint32_t sceneTime = 20;

    // Replaces the channel's record; a channel new to the scene also gets a default
    // generator entry, an existing generator entry is kept.
    void setStatus(std::int32_t channel, const KyChStatus& status);
    void removeChannel(std::int32_t channel);
    bool hasChannel(std::int32_t channel) const { return channels.count(channel) != 0; }
    KyChStatus statusOf(std::int32_t channel) const;
    // For a channel without a generator entry: the one shared default record.
    KyGenerator& generatorFor(std::int32_t channel);
    std::size_t entryCount() const { return channels.size(); }
    std::pair<std::int32_t, KyChStatus> entryAt(std::size_t i) const;
    void resetGenerators();
};

class KySequence {
public:
    std::int32_t id = 0;
    std::vector<KyScene> scenes;
    bool fade = false;
    std::string name; // cp1250

    void appendScene(const KyScene& scene) { scenes.push_back(scene); }
    void eraseScene(std::size_t i) { scenes.erase(scenes.begin() + static_cast<std::ptrdiff_t>(i)); }
    KyScene& sceneAt(std::size_t i) { return scenes[i]; }
    const KyScene& sceneAt(std::size_t i) const { return scenes[i]; }
    std::size_t sceneCount() const { return scenes.size(); }
    void setAllSceneTimes(std::uint32_t t);
    void removeChannelEverywhere(std::int32_t channel);
    static bool sameId(const KySequence& a, const KySequence& b) { return a.id == b.id; }
};
