#include "cue/CueFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'v', 't', '2', ' ', 'c', 'u', 'e', '\0'};

struct Layout {
    bool versioned;
    // Reads a version field where the layout has one; the older layout has none.
    bool version(vt::ByteReader& in, std::int32_t& v) const
    {
        v = 0;
        return !versioned || in.i32(v);
    }
    std::size_t zoneSize() const { return versioned ? 18 : 14; }
};

void writeZone(vt::ByteWriter& out, const KySeqEngine& engine)
{
    out.i32(1);
    out.i32(engine.sequenceId);
    out.i32(engine.speed);
    out.i32(static_cast<std::int32_t>(engine.beatsPerStep));
    out.boolean(engine.active);
    out.boolean(engine.music);
}

bool readZone(vt::ByteReader& in, const Layout& layout, KySeqEngProp& zone)
{
    std::int32_t version;
    return layout.version(in, version) && in.i32(zone.sequenceId) && in.i32(zone.speed) &&
           in.i32(zone.beatsPerStep) && in.boolean(zone.active) && in.boolean(zone.music);
}

void writeCue(vt::ByteWriter& out, const KyCue& cue)
{
    out.i32(2);
    out.i32(cue.id);
    out.i32(KyCue::kZones);
    for (const auto& engine : cue.zones)
        writeZone(out, engine);
    out.f64(cue.generatorAmplitude);
    out.f64(cue.generatorSpeed);
    out.i32(cue.speed);
    out.str(cue.name);
}

// Version 1 holds the generator factors as hundredths, version 2 and later as doubles,
// the older layout not at all.
bool readGeneratorFactors(vt::ByteReader& in, const Layout& layout, std::int32_t version, KyCue& cue)
{
    if (!layout.versioned)
        return true;
    if (version == 1) {
        std::int32_t amplitude, speed;
        if (!in.i32(amplitude) || !in.i32(speed))
            return false;
        cue.generatorAmplitude = amplitude * 0.01;
        cue.generatorSpeed = speed * 0.01;
        return true;
    }
    return in.f64(cue.generatorAmplitude) && in.f64(cue.generatorSpeed);
}

bool readCue(vt::ByteReader& in, const Layout& layout, const KySeque& store, KyCue& cue)
{
    std::int32_t version;
    std::uint32_t zoneCount = 0;
    if (!layout.version(in, version) || !in.i32(cue.id) || !in.count(zoneCount, layout.zoneSize()))
        return false;
    // A file may name more zones than a cue has; the extra records are read past.
    for (std::uint32_t i = 0; i < zoneCount; ++i) {
        KySeqEngProp zone;
        if (!readZone(in, layout, zone))
            return false;
        if (i < KyCue::kZones)
            cue.zoneProps[i] = zone;
    }
    std::int32_t speed = 0;
    if (!readGeneratorFactors(in, layout, version, cue) || !in.i32(speed))
        return false;
    cue.setSpeed(speed, true);
    cue.setGeneratorSpeed(cue.generatorSpeed, true);
    if (!in.strWhole(cue.name))
        return false;
    bindZones(cue, store);
    return true;
}

} // namespace

void bindZones(KyCue& cue, const KySeque& store)
{
    for (int i = 0; i < KyCue::kZones; ++i) {
        const KySeqEngProp& props = cue.zoneProps[static_cast<std::size_t>(i)];
        auto sequence = store.findSharedSequence(props.sequenceId);
        if (!sequence)
            continue;
        KySeqEngine& engine = cue.zoneEngine(i);
        engine = KySeqEngine(std::move(sequence));
        engine.speed = props.speed;
        engine.beatsPerStep = static_cast<std::uint32_t>(props.beatsPerStep);
        engine.active = props.active;
        engine.music = props.music;
    }
}

vt::Bytes cuesToBytes(const KySeque& store)
{
    vt::ByteWriter out;
    out.raw(kMagic, sizeof kMagic);
    out.i32(1);
    out.i32(store.nextCueId);
    out.i32(static_cast<std::int32_t>(store.cueCount()));
    for (const auto& cue : store.cues())
        writeCue(out, cue);
    return out.take();
}

vt::LoadStatus cuesFromBytes(KySeque& store, std::span<const std::uint8_t> bytes)
{
    const bool versioned = bytes.size() >= sizeof kMagic && std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0;
    const Layout layout{versioned};
    vt::ByteReader in(versioned ? bytes.subspan(sizeof kMagic) : bytes);
    std::int32_t listVersion;
    std::uint32_t count = 0;
    std::vector<KyCue> read;
    // The smallest cue record: no zones, no generator factors, an empty name.
    const std::size_t minCueSize = versioned ? 20 : 16;
    if (layout.version(in, listVersion) && in.i32(store.nextCueId) && in.count(count, minCueSize)) {
        for (std::uint32_t i = 0; i < count; ++i) {
            KyCue cue;
            if (!readCue(in, layout, store, cue))
                break; // a cue cut short is not kept
            read.push_back(std::move(cue));
        }
    }
    // A counter below an id already in the file would hand that id out again.
    for (const auto& cue : read)
        store.nextCueId = std::max(store.nextCueId, cue.id);
    store.replaceCues(std::move(read));
    return in.ok() ? vt::LoadStatus::Complete : vt::LoadStatus::Incomplete;
}

vt::LoadStatus loadCues(KySeque& store, const std::string& path)
{
    return vt::loadFile(path, [&](std::span<const std::uint8_t> bytes) { return cuesFromBytes(store, bytes); });
}

bool saveCues(const KySeque& store, const std::string& path, std::string* error)
{
    return vt::writeFileAtomically(path, cuesToBytes(store), error);
}
