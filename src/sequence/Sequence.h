#pragma once
// Scenes (stored looks) and sequences (scenes played in a loop).

#include "generator/Generator.h"

#include <cstdint>
#include <map>
#include <span>
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
    using ChannelMap = std::map<std::int32_t, KyChStatus>;
    using GeneratorMap = std::map<std::int32_t, KyGenerator>;

    // The channel entries as the playback engine reads them, column by column in
    // ascending channel order, so that the fade's arithmetic runs over plain arrays.
    struct Columns {
        std::vector<std::int32_t> channel;
        std::vector<std::int32_t> fineChannel;
        std::vector<std::int32_t> kind;
        std::vector<std::uint8_t> value;
        std::vector<float> valueF;
        // Where a fade starts from: `value`, or for a coarse byte the 16-bit value with
        // this scene's value of its fine channel.
        std::vector<float> level;
        // Where no channel is written by two entries, the order of the writes does not
        // matter: single channels go out as runs of consecutive channels and pairs by
        // their positions. Otherwise the engine writes entry by entry.
        struct Run {
            std::uint32_t position, length;
            std::int32_t channel;
        };
        bool orderedWrites = false;
        std::vector<Run> runs;
        std::vector<std::uint32_t> pairPositions;
        // Every entry inside the universe as runs, for writing the scene without a fade
        // (each entry writes only its own channel then).
        std::vector<Run> valueRuns;
    };
    // A pan/tilt pair marked on a pan channel of kind 0 or 2, in ascending pan order. The
    // generator pointers are this scene's records (or the shared default record); map
    // nodes never move, so they stay valid until the channel set changes.
    struct PanTiltPair {
        std::int32_t pan, panFine, tilt, tiltFine;
        bool wide;
        KyGenerator* panGenerator;
        KyGenerator* tiltGenerator;
    };

    std::uint32_t sceneTime = 20;

    KyScene() = default;
    KyScene(const KyScene& other);
    KyScene& operator=(const KyScene& other);
    KyScene(KyScene&& other) noexcept;
    KyScene& operator=(KyScene&& other) noexcept;

    // Replaces the channel's record; a channel new to the scene also gets a default
    // generator entry, an existing generator entry is kept.
    void setStatus(std::int32_t channel, const KyChStatus& status);
    void removeChannel(std::int32_t channel);
    // Takes both maps as a file holds them: no generator entries are added.
    void assign(ChannelMap channels, GeneratorMap generators);

    bool hasChannel(std::int32_t channel) const { return channels_.count(channel) != 0; }
    KyChStatus statusOf(std::int32_t channel) const;
    // For a channel without a generator entry: the one shared default record.
    KyGenerator& generatorFor(std::int32_t channel);
    const KyGenerator& generatorFor(std::int32_t channel) const;
    std::size_t entryCount() const { return columns_.channel.size(); }
    std::pair<std::int32_t, KyChStatus> entryAt(std::size_t i) const;
    // Calls `visit(channel, record)` for every entry in ascending channel order.
    template <class Visit> void forEachEntry(Visit visit) const
    {
        for (const auto& [channel, status] : channels_)
            visit(channel, status);
    }
    void resetGenerators();

    const ChannelMap& channels() const { return channels_; }
    const GeneratorMap& generators() const { return generators_; }
    const Columns& columns() const { return columns_; }
    // Changes whenever the scene's entries do; no two rebuilt scenes share one.
    std::uint64_t revision() const { return revision_; }

    // The fade's per-entry steps toward the next scene at one time span, kept between ticks
    // by the engine: they change only when either scene is edited or the speed changes.
    // Sized with the entries, so filling them never allocates.
    struct FadeSteps {
        std::uint64_t nextRevision = 0;
        float span = 0;
        std::vector<float> step;
    };
    FadeSteps& fadeSteps() const { return fadeSteps_; }
    std::span<const PanTiltPair> panTiltPairs() const { return pairs_; }
    // Whether two pairs drive one generator record (or the shared default record): their
    // steps must then run strictly one pair after the other.
    bool pairsShareGenerators() const { return pairsShareGenerators_; }

private:
    void rebuild();
    void planWrites();
    void forgetContents() noexcept;

    ChannelMap channels_;
    GeneratorMap generators_;
    // Flat copies for the tick, rebuilt whenever the channel set or a record changes.
    Columns columns_;
    std::vector<PanTiltPair> pairs_;
    bool pairsShareGenerators_ = false;
    std::uint64_t revision_ = 0;
    // Written by the tick only, under the show lock like every scene access.
    mutable FadeSteps fadeSteps_;
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
    void resetGenerators();
    static bool sameId(const KySequence& a, const KySequence& b) { return a.id == b.id; }
};
