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
    const KySceneShape& shape = scene.shape();
    const auto values = scene.values();
    out.i32(2);
    out.i32(static_cast<std::int32_t>(shape.size()));
    for (std::uint32_t i = 0; i < shape.size(); ++i) {
        out.i32(shape.channel[i]);
        writeStatus(out, shape.status(i, values[i]));
    }
    out.u32(scene.sceneTime);
    const auto generators = scene.generators();
    out.i32(static_cast<std::int32_t>(generators.size()));
    for (const auto& [channel, generator] : generators) {
        out.i32(channel);
        writeGenerator(out, generator);
    }
}

bool readGeneratorEntries(vt::ByteReader& in, KyScene::Assembler& scene)
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
        scene.addGenerator(channel, g);
    }
    return true;
}

// Scenes read one after the other through one assembler share their shape when they can.
bool readScene(vt::ByteReader& in, const Layout& layout, KyScene::Assembler& assembler, KyScene& scene)
{
    std::int32_t version;
    std::uint32_t count = 0;
    const std::size_t entrySize = layout.versioned ? 4 + 4 + 6 : 4 + 6;
    if (!layout.version(in, version) || !in.count(count, entrySize))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t channel = 0;
        KyChStatus status;
        if (!in.i32(channel) || !readStatus(in, layout, status))
            return false;
        assembler.addChannel(channel, status);
    }
    if (!in.u32(scene.sceneTime) || (version > 1 && !readGeneratorEntries(in, assembler)))
        return false;
    assembler.finish(scene);
    return true;
}

// The bytes the current layout takes, so the file is made in one piece.
std::size_t fileSize(const KySequenceStore& store)
{
    std::size_t size = sizeof kMagic + 12;
    for (const auto& seq : store.sequences()) {
        size += 17 + seq->name.size();
        for (const auto& scene : seq->scenes)
            size += 16 + 19 * scene.entryCount() + 36 * scene.generators().size();
    }
    return size;
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

bool readSequence(vt::ByteReader& in, const Layout& layout, KyScene::Assembler& assembler, KySequence& seq)
{
    std::int32_t version;
    std::uint32_t count = 0;
    const std::size_t minSceneSize = layout.versioned ? 12 : 8;
    if (!layout.version(in, version) || !in.i32(seq.id) || !in.count(count, minSceneSize))
        return false;
    seq.scenes = vt::BulkVector<KyScene>(count, assembler.storage());
    for (auto& scene : seq.scenes)
        if (!readScene(in, layout, assembler, scene))
            return false;
    return in.boolean(seq.fade) && in.strWhole(seq.name);
}

} // namespace

vt::Bytes sequencesToBytes(const KySequenceStore& store)
{
    vt::ByteWriter out;
    out.reserve(fileSize(store));
    out.raw(kMagic, sizeof kMagic);
    out.i32(1);
    out.i32(store.nextSequenceId);
    out.i32(static_cast<std::int32_t>(store.sequenceCount()));
    for (const auto& seq : store.sequences())
        writeSequence(out, *seq);
    return out.take();
}

namespace {

// What the scenes of a file take in memory: nearly the size of the file, as long as their
// records are not much shorter than the current layout's. Room that is not used costs only
// addresses; what goes beyond is taken from the heap.
std::size_t bulkSize(std::size_t fileSize)
{
    return fileSize * 2 + (std::size_t(1) << 20);
}

vt::LoadStatus readSequences(KySequenceStore& store, vt::ByteReader& in)
{
    const std::uint8_t* head = nullptr;
    const bool versioned = in.peek(sizeof kMagic, head) && std::memcmp(head, kMagic, sizeof kMagic) == 0;
    if (versioned)
        in.next(sizeof kMagic);
    const Layout layout{versioned};
    std::int32_t listVersion;
    std::uint32_t count = 0;
    KySequenceStore::SequenceList read;
    KyScene::Assembler assembler{vt::BulkAllocator<std::uint8_t>(vt::BulkArena::make(bulkSize(in.remaining())))};
    if (layout.version(in, listVersion) && in.i32(store.nextSequenceId) &&
        in.count(count, versioned ? 17 : 13)) {
        for (std::uint32_t i = 0; i < count; ++i) {
            auto seq = std::make_shared<KySequence>();
            if (!readSequence(in, layout, assembler, *seq))
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

} // namespace

vt::LoadStatus sequencesFromBytes(KySequenceStore& store, std::span<const std::uint8_t> bytes)
{
    vt::ByteReader in(bytes);
    return readSequences(store, in);
}

// The largest file of a show: read part by part, never held whole.
vt::LoadStatus loadSequences(KySequenceStore& store, const std::string& path)
{
    return vt::loadFileInParts(path, [&](vt::ByteReader& in) { return readSequences(store, in); });
}

bool saveSequences(const KySequenceStore& store, const std::string& path, std::string* error)
{
    return vt::writeFileAtomically(path, sequencesToBytes(store), error);
}
