#include "sequence/SequenceFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'v', 't', '2', ' ', 's', 'e', 'q', '\0'};

// The layout being read: the older one has no version fields and shorter records.
struct Layout {
    bool versioned;
    // Reads a version field where the layout has one; the older layout counts as version 1.
    bool version(vt::ByteReader& in, std::int32_t& v) const
    {
        v = 1;
        return !versioned || in.i32(v);
    }
};

void writeStatus(vt::ByteWriter& out, const KyChStatus& s)
{
    out.i32(2);
    out.u8(s.value);
    out.u8(s.kind);
    out.i32(s.fineChannel);
    out.u8(s.pairRole);
    out.i32(s.pairChannel);
}

bool readStatus(vt::ByteReader& in, const Layout& layout, KyChStatus& s)
{
    std::int32_t version;
    if (!layout.version(in, version))
        return false;
    in.u8(s.value);
    in.u8(s.kind);
    in.i32(s.fineChannel);
    if (version > 1) {
        in.u8(s.pairRole);
        in.i32(s.pairChannel);
    }
    return in.ok();
}

void writeScene(vt::ByteWriter& out, const KyScene& scene)
{
    out.i32(2);
    out.i32(static_cast<std::int32_t>(scene.channels().size()));
    for (const auto& [channel, status] : scene.channels()) {
        out.i32(channel);
        writeStatus(out, status);
    }
    out.u32(scene.sceneTime);
    out.i32(static_cast<std::int32_t>(scene.generators().size()));
    for (const auto& [channel, generator] : scene.generators()) {
        out.i32(channel);
        writeGenerator(out, generator);
    }
}

bool readGeneratorEntries(vt::ByteReader& in, KyScene::GeneratorMap& generators)
{
    std::uint32_t count = 0;
    if (!in.count(count, 4 + kMinGeneratorRecordSize))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t channel = 0;
        KyGenerator g;
        if (!in.i32(channel))
            return false;
        if (readGenerator(in, g) != GeneratorRead::Ok) {
            in.fail(); // an unknown record version leaves the rest unreadable
            return false;
        }
        generators[channel] = g;
    }
    return true;
}

bool readScene(vt::ByteReader& in, const Layout& layout, KyScene& scene)
{
    std::int32_t version;
    std::uint32_t count = 0;
    const std::size_t entrySize = layout.versioned ? 4 + 4 + 6 : 4 + 6;
    if (!layout.version(in, version) || !in.count(count, entrySize))
        return false;
    KyScene::ChannelMap channels;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t channel = 0;
        KyChStatus status;
        if (!in.i32(channel) || !readStatus(in, layout, status))
            return false;
        channels[channel] = status;
    }
    KyScene::GeneratorMap generators;
    if (!in.u32(scene.sceneTime) || (version > 1 && !readGeneratorEntries(in, generators)))
        return false;
    scene.assign(std::move(channels), std::move(generators));
    return true;
}

void writeSequence(vt::ByteWriter& out, const KySequence& seq)
{
    out.i32(1);
    out.i32(seq.id);
    out.i32(static_cast<std::int32_t>(seq.scenes.size()));
    for (const auto& scene : seq.scenes)
        writeScene(out, scene);
    out.boolean(seq.fade);
    out.str(seq.name);
}

bool readSequence(vt::ByteReader& in, const Layout& layout, KySequence& seq)
{
    std::int32_t version;
    std::uint32_t count = 0;
    const std::size_t minSceneSize = layout.versioned ? 12 : 8;
    if (!layout.version(in, version) || !in.i32(seq.id) || !in.count(count, minSceneSize))
        return false;
    seq.scenes.resize(count);
    for (auto& scene : seq.scenes)
        if (!readScene(in, layout, scene))
            return false;
    return in.boolean(seq.fade) && in.strWhole(seq.name);
}

} // namespace

vt::Bytes sequencesToBytes(const KySeque& store)
{
    vt::ByteWriter out;
    out.raw(kMagic, sizeof kMagic);
    out.i32(1);
    out.i32(store.nextSequenceId);
    out.i32(static_cast<std::int32_t>(store.sequenceCount()));
    for (const auto& seq : store.sequences())
        writeSequence(out, *seq);
    return out.take();
}

vt::LoadStatus sequencesFromBytes(KySeque& store, std::span<const std::uint8_t> bytes)
{
    const bool versioned = bytes.size() >= sizeof kMagic && std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0;
    const Layout layout{versioned};
    vt::ByteReader in(versioned ? bytes.subspan(sizeof kMagic) : bytes);
    std::int32_t listVersion;
    std::uint32_t count = 0;
    KySeque::SequenceList read;
    if (layout.version(in, listVersion) && in.i32(store.nextSequenceId) &&
        in.count(count, versioned ? 17 : 13)) {
        for (std::uint32_t i = 0; i < count; ++i) {
            auto seq = std::make_shared<KySequence>();
            if (!readSequence(in, layout, *seq))
                break; // a sequence cut short is not kept
            if (seq->id != 0)
                read.push_back(std::move(seq));
        }
    }
    // A counter below an id already in the file would hand that id out again.
    for (const auto& seq : read)
        store.nextSequenceId = std::max(store.nextSequenceId, seq->id);
    store.replaceSequences(std::move(read));
    return in.ok() ? vt::LoadStatus::Complete : vt::LoadStatus::Incomplete;
}

vt::LoadStatus loadSequences(KySeque& store, const std::string& path)
{
    return vt::loadFile(path, [&](std::span<const std::uint8_t> bytes) { return sequencesFromBytes(store, bytes); });
}

bool saveSequences(const KySeque& store, const std::string& path, std::string* error)
{
    return vt::writeFileAtomically(path, sequencesToBytes(store), error);
}
