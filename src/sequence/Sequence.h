#pragma once
// Scenes (stored looks) and sequences (scenes played in a loop).

#include "common/BulkArena.h"
#include "generator/Generator.h"

#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
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

// The shape of a scene: its channels in ascending order with every field of their records
// but the value, which of them have a generator entry, and the generator entries of channels
// it has no record for. Shapes never change once made: a scene edited into another shape gets
// a new one, so the scenes of a sequence, which carry the same channels, share theirs. Beside
// the records it keeps what the engines derive from them.
class KySceneShape {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;

    // A run of entries on consecutive channels inside the universe.
    struct Run {
        std::uint32_t position, length;
        std::int32_t channel;
    };
    // A pan/tilt pair marked on a pan entry of kind 0 or 2, by channels (fine ones 0 unless
    // `wide`): its generator records are the scene's slots `panSlot` and `tiltSlot`, or the
    // shared default record (kNone). Complete here, so that the generator step reads nothing
    // else of the shape.
    struct Pair {
        std::int32_t pan, panFine, tilt, tiltFine;
        bool wide;
        std::uint32_t panSlot, tiltSlot;
    };

    // Per entry.
    std::vector<std::int32_t> channel, fineChannel, pairChannel;
    std::vector<std::uint8_t> kind, pairRole, hasGenerator;
    // Channels with a generator entry but no record, ascending; their generator records follow
    // the entries' slots.
    std::vector<std::int32_t> strays;

    std::size_t size() const { return channel.size(); }
    // The entry of a channel, or kNone.
    std::uint32_t find(std::int32_t ch) const;
    std::uint32_t findStray(std::int32_t ch) const;
    // The generator slot of a channel (an entry's own, or a stray's), or kNone.
    std::uint32_t slotOf(std::int32_t ch) const;
    bool anyGenerator() const;
    bool sameRecords(const KySceneShape& other) const;
    KyChStatus status(std::uint32_t i, std::uint8_t value) const
    {
        return {value, kind[i], pairRole[i], fineChannel[i], pairChannel[i]};
    }

    // Derived by `derive`. For a coarse entry, the position of its fine channel's entry.
    std::vector<std::uint32_t> finePosition;
    // Entries of kind 0 as runs, when no channel is written by two entries; otherwise the
    // engine writes entry by entry (`orderedWrites`).
    std::vector<Run> runs;
    std::vector<std::uint32_t> pairPositions; // the coarse entries
    bool orderedWrites = false;
    // Every entry inside the universe as runs, for writing the scene without a fade.
    std::vector<Run> valueRuns;
    std::vector<Pair> pairs;
    // Whether two pairs drive one generator record (or the shared default record): their
    // steps must then run strictly one pair after the other.
    bool pairsShareGenerators = false;

    // Fills the derived members from the records.
    void derive();

private:
    void planWrites();
    void findPairs();
};

class KyScene {
public:
    using ChannelMap = std::map<std::int32_t, KyChStatus>;
    using GeneratorMap = std::map<std::int32_t, KyGenerator>;
    using Shape = std::shared_ptr<const KySceneShape>;

    // The channel entries as (channel, record) pairs in ascending channel order.
    class ChannelView;
    // The generator entries as (channel, record) pairs in ascending channel order.
    class GeneratorView;

    // A pan/tilt pair as the generator step drives it.
    struct PanTiltPair {
        std::int32_t pan, panFine, tilt, tiltFine;
        bool wide;
        KyGenerator* panGenerator;
        KyGenerator* tiltGenerator;
    };

    std::uint32_t sceneTime = 20;

    KyScene();
    KyScene(const KyScene& other);
    KyScene& operator=(const KyScene& other);
    KyScene(KyScene&& other) noexcept;
    KyScene& operator=(KyScene&& other) noexcept;

    // Replaces the channel's record; a channel new to the scene also gets a default
    // generator entry, an existing generator entry is kept.
    void setStatus(std::int32_t channel, const KyChStatus& status);
    void removeChannel(std::int32_t channel);
    // Takes both maps as a file holds them: no generator entries are added.
    void assign(const ChannelMap& channels, const GeneratorMap& generators);

    bool hasChannel(std::int32_t channel) const { return shape_->find(channel) != KySceneShape::kNone; }
    KyChStatus statusOf(std::int32_t channel) const;
    // For a channel without a generator entry: the one shared default record.
    KyGenerator& generatorFor(std::int32_t channel);
    const KyGenerator& generatorFor(std::int32_t channel) const;
    std::size_t entryCount() const { return values_.size(); }
    std::pair<std::int32_t, KyChStatus> entryAt(std::size_t i) const;
    // The generator record of the i-th entry, or the shared default record.
    const KyGenerator& entryGenerator(std::size_t i) const;
    // Calls `visit(channel, record)` for every entry in ascending channel order.
    template <class Visit> void forEachEntry(Visit visit) const
    {
        for (std::size_t i = 0; i < values_.size(); ++i)
            visit(shape_->channel[i], shape_->status(std::uint32_t(i), values_[i]));
    }
    void resetGenerators();

    ChannelView channels() const;
    GeneratorView generators() const;

    // What the engines read: the shape, and the values in entry order.
    const KySceneShape& shape() const { return *shape_; }
    const Shape& sharedShape() const { return shape_; }
    std::span<const std::uint8_t> values() const { return values_; }
    std::size_t pairCount() const { return shape_->pairs.size(); }
    struct PairRecords {
        const KyGenerator* pan = nullptr;
        const KyGenerator* tilt = nullptr;
    };
    // This scene's generator records of the channels of `other`'s pair i: found by slot when
    // the two scenes share a shape, as a sequence's scenes do, else by channel.
    PairRecords recordsOfPair(const KyScene& other, std::size_t i) const;
    PanTiltPair pairAt(std::size_t i)
    {
        const KySceneShape::Pair& p = shape_->pairs[i];
        return {p.pan, p.panFine, p.tilt, p.tiltFine, p.wide, &slot(p.panSlot), &slot(p.tiltSlot)};
    }
    // Takes `other`'s shape when it holds the same records, so that both are walked alike.
    void shareShapeWith(const KyScene& other);
    // Changes whenever the scene's entries do; no two scenes share one.
    std::uint64_t revision() const { return revision_; }

    // Builds scenes from entries as a file lists them: in any order, a repeated channel
    // keeping the last record. Scenes built one after the other that come out in the same
    // shape share it. Their values and generator records are taken from `storage`.
    class Assembler {
    public:
        explicit Assembler(vt::BulkAllocator<std::uint8_t> storage = {}) : storage_(std::move(storage)) {}
        void addChannel(std::int32_t channel, const KyChStatus& status) { channels_.push_back({channel, status}); }
        void addGenerator(std::int32_t channel, const KyGenerator& g) { generators_.push_back({channel, g}); }
        const vt::BulkAllocator<std::uint8_t>& storage() const { return storage_; }
        // Puts the entries added since the last call into `scene` (its time stays).
        void finish(KyScene& scene);

    private:
        std::vector<std::pair<std::int32_t, KyChStatus>> channels_;
        std::vector<std::pair<std::int32_t, KyGenerator>> generators_;
        vt::BulkAllocator<std::uint8_t> storage_;
        KySceneShape shape_;
        Shape last_;
    };

private:
    // Edits go through a private copy of the shape, made into a shared one at the end.
    KySceneShape editableShape() const { return *shape_; }
    void setShape(KySceneShape shape);
    KyGenerator& slot(std::uint32_t s) { return s == KySceneShape::kNone ? sharedDefault() : generators_[s]; }
    // The one record of every channel without a generator entry.
    static KyGenerator& sharedDefault();
    void touch();

    Shape shape_;
    vt::BulkVector<std::uint8_t> values_;
    // Empty while the scene has no generator entry; otherwise a slot per entry (used where
    // the entry has a generator entry), then one per stray generator entry.
    vt::BulkVector<KyGenerator> generators_;
    std::uint64_t revision_;
};

class KyScene::ChannelView {
public:
    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::pair<const std::int32_t, KyChStatus>;
        using difference_type = std::ptrdiff_t;
        using reference = value_type;
        struct pointer {
            value_type entry;
            const value_type* operator->() const { return &entry; }
        };

        iterator(const KyScene* scene, std::size_t i) : scene_(scene), i_(i) {}
        value_type operator*() const
        {
            return {scene_->shape_->channel[i_], scene_->shape_->status(std::uint32_t(i_), scene_->values_[i_])};
        }
        pointer operator->() const { return {**this}; }
        iterator& operator++()
        {
            ++i_;
            return *this;
        }
        iterator operator++(int)
        {
            iterator before = *this;
            ++i_;
            return before;
        }
        friend bool operator==(const iterator& a, const iterator& b) { return a.i_ == b.i_; }

    private:
        const KyScene* scene_;
        std::size_t i_;
    };
    using const_iterator = iterator;
    using value_type = iterator::value_type;

    explicit ChannelView(const KyScene& scene) : scene_(&scene) {}
    iterator begin() const { return {scene_, 0}; }
    iterator end() const { return {scene_, scene_->entryCount()}; }
    std::size_t size() const { return scene_->entryCount(); }
    bool empty() const { return size() == 0; }
    std::size_t count(std::int32_t channel) const { return scene_->hasChannel(channel) ? 1 : 0; }
    operator ChannelMap() const { return ChannelMap(begin(), end()); }
    friend bool operator==(const ChannelView& a, const ChannelView& b);

private:
    const KyScene* scene_;
};

class KyScene::GeneratorView {
public:
    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::pair<const std::int32_t, const KyGenerator&>;
        using difference_type = std::ptrdiff_t;
        using reference = value_type;
        struct pointer {
            value_type entry;
            const value_type* operator->() const { return &entry; }
        };

        // Walks the entries' slots and the strays together, in ascending channel order.
        iterator(const KyScene* scene, std::size_t entry, std::size_t stray);
        value_type operator*() const;
        pointer operator->() const { return {**this}; }
        iterator& operator++();
        iterator operator++(int)
        {
            iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const iterator& a, const iterator& b)
        {
            return a.entry_ == b.entry_ && a.stray_ == b.stray_;
        }

    private:
        bool strayFirst() const;
        void skipBare();

        const KyScene* scene_;
        std::size_t entry_, stray_;
    };
    using const_iterator = iterator;
    using value_type = iterator::value_type;

    explicit GeneratorView(const KyScene& scene) : scene_(&scene) {}
    iterator begin() const { return {scene_, 0, 0}; }
    iterator end() const { return {scene_, scene_->entryCount(), scene_->shape_->strays.size()}; }
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    std::size_t count(std::int32_t channel) const { return scene_->shape_->slotOf(channel) != KySceneShape::kNone; }
    operator GeneratorMap() const { return GeneratorMap(begin(), end()); }

private:
    const KyScene* scene_;
};

class KySequence {
public:
    std::int32_t id = 0;
    // In the bulk storage of the file it was read from; a copy's are on the heap.
    vt::BulkVector<KyScene> scenes;
    bool fade = false;
    std::string name; // cp1250

    // The new scene shares the last one's shape when it carries the same channels.
    void appendScene(const KyScene& scene);
    void eraseScene(std::size_t i) { scenes.erase(scenes.begin() + static_cast<std::ptrdiff_t>(i)); }
    KyScene& sceneAt(std::size_t i) { return scenes[i]; }
    const KyScene& sceneAt(std::size_t i) const { return scenes[i]; }
    std::size_t sceneCount() const { return scenes.size(); }
    void setAllSceneTimes(std::uint32_t t);
    void removeChannelEverywhere(std::int32_t channel);
    void resetGenerators();
    static bool sameId(const KySequence& a, const KySequence& b) { return a.id == b.id; }
};
