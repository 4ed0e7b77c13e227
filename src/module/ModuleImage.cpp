#include "module/ModuleImage.h"

#include "library/Club.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr std::size_t kImageCapacity = std::size_t{4} << 20;
constexpr std::size_t kChannelPairTable = 256;
constexpr std::size_t kSequenceTable = 768;
constexpr std::size_t kChannels = 512;
constexpr std::size_t kHalf = 256;
constexpr std::size_t kCueRecordSize = 60;
constexpr std::size_t kZoneGroupSize = 6;
constexpr std::size_t kZoneSlot = 51;
constexpr std::size_t kZones = 10;
constexpr const char* kAllZones = "WSZYSTKIE STREFY";

std::size_t aligned(std::size_t offset)
{
    return (offset + kBlockSize - 1) / kBlockSize * kBlockSize;
}

// Truncation toward zero into an int, for values a damaged file may push out of its range.
int truncated(double v)
{
    if (std::isnan(v))
        return 0;
    v = std::clamp(v, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
    return static_cast<int>(v);
}

// A NaN lands on the lower bound.
double clampedOrLow(double v, double low, double high)
{
    return v >= low ? (v <= high ? v : high) : low;
}

// The image buffer, zero where nothing was written. It grows as sections are written; what
// would land beyond the module's largest memory is dropped and remembered, so a selection
// far too large costs no more than that.
class ImageWriter {
public:
    explicit ImageWriter(int generation) : base_(static_cast<std::uint32_t>(imageBaseFor(generation))) {}

    void u8(std::size_t at, std::uint8_t v)
    {
        if (at >= bytes_.size() && !grow(at))
            return;
        bytes_[at] = v;
    }
    void setBits(std::size_t at, std::uint8_t bits)
    {
        if (at >= bytes_.size() && !grow(at))
            return;
        bytes_[at] |= bits;
    }
    // The low `width` bytes of `v`, low byte first.
    void number(std::size_t at, std::uint32_t v, int width)
    {
        for (int i = 0; i < width; ++i)
            u8(at + std::size_t(i), static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void address(std::size_t at, std::size_t offset, int width)
    {
        number(at, base_ + static_cast<std::uint32_t>(offset), width);
    }
    std::uint32_t base() const { return base_; }
    bool overflowed() const { return overflowed_; }
    vt::Bytes firstBytes(std::size_t n) const
    {
        vt::Bytes out(n, 0);
        std::copy_n(bytes_.begin(), std::min(n, bytes_.size()), out.begin());
        return out;
    }

private:
    bool grow(std::size_t at)
    {
        if (at >= kImageCapacity) {
            overflowed_ = true;
            return false;
        }
        bytes_.resize(std::min(kImageCapacity, std::max(at + 1, 2 * bytes_.size())), 0);
        return true;
    }

    vt::Bytes bytes_;
    std::uint32_t base_;
    bool overflowed_ = false;
};

// Writes one byte after another from a start offset.
class Cursor {
public:
    Cursor(ImageWriter& image, std::size_t at) : image_(image), at_(at) {}
    void u8(std::uint32_t v) { image_.u8(at_++, static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v)
    {
        image_.number(at_, v, 2);
        at_ += 2;
    }
    std::size_t at() const { return at_; }

private:
    ImageWriter& image_;
    std::size_t at_;
};

// The module numbers its sequences by the rank of their id.
class SequenceNumbers {
public:
    explicit SequenceNumbers(const std::vector<KySequence>& sequences)
    {
        for (const KySequence& s : sequences)
            ids_.push_back(s.id);
    }
    std::optional<std::uint8_t> of(std::int32_t id) const
    {
        auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
        if (it == ids_.end() || *it != id)
            return std::nullopt;
        return static_cast<std::uint8_t>(it - ids_.begin());
    }

private:
    std::vector<std::int32_t> ids_;
};

// Device channel c of a device at start address s, in 64 bits: a damaged file may hold
// numbers whose sum overflows an int.
std::int64_t universeIndex(std::int32_t start, std::int32_t channel)
{
    return std::int64_t{start} + channel - 2;
}

bool inUniverse(std::int64_t index)
{
    return index >= 0 && index < std::int64_t(kChannels);
}

// ---- Section 1: which channels pair up into 16-bit values

// Coarse and fine on one channel make no pair; the channel stays a plain one.
void markPair(ImageWriter& image, std::int64_t coarse, std::int64_t fine)
{
    if (!inUniverse(coarse) || !inUniverse(fine) || coarse == fine)
        return;
    const auto distance = static_cast<std::uint8_t>((coarse > fine ? coarse - fine : fine - coarse) & 0x3F);
    const bool fineAbove = fine > coarse;
    image.u8(kChannelPairTable + std::size_t(coarse), (fineAbove ? 0xC0 : 0x40) | distance);
    image.u8(kChannelPairTable + std::size_t(fine), (fineAbove ? 0x00 : 0x80) | distance);
}

void writeChannelPairs(ImageWriter& image, const KyClub& club)
{
    for (std::size_t i = 0; i < kChannels; ++i)
        image.u8(kChannelPairTable + i, 0xC0);
    for (const auto& device : club.clubDevices) {
        if (!device->deviceType || device->deviceType->panTilt.mode8bit)
            continue;
        const KyPanTilt& pt = device->deviceType->panTilt;
        const std::int32_t s = device->startAddress;
        markPair(image, universeIndex(s, pt.panChannel), universeIndex(s, pt.panFineChannel));
        markPair(image, universeIndex(s, pt.tiltChannel), universeIndex(s, pt.tiltFineChannel));
    }
}

// ---- Section 2: sequences and their scenes

// The generator settings of one axis, with its partner's speed as the engine keeps it while
// the pair plays. The stored partner speed is running state and says nothing in a copy.
int phaseUnits(const KyGenerator& axis, const KyGenerator& partner)
{
    KyGenerator g;
    g.speed = axis.speed;
    g.speedModifier = axis.speedModifier;
    g.phase = axis.phase;
    g.phaseModifier = axis.phaseModifier;
    g.partnerSpeed = partner.effectiveSpeed();
    int p = truncated(g.effectivePhase() * 4.444444444444445);
    if (axis.phaseFlip)
        p += 800;
    return (p + 1200) % 1600;
}

void writeAxis(Cursor& out, std::int32_t channel, const KyGenerator& axis, const KyGenerator& partner,
               std::uint8_t continuation)
{
    const int speed = truncated(std::min(axis.effectiveSpeed() * 256, 65280.0));
    const int phase = phaseUnits(axis, partner);
    out.u8(static_cast<std::uint32_t>(channel));
    out.u8(continuation);
    out.u16(static_cast<std::uint32_t>(speed));
    out.u8(static_cast<std::uint32_t>(phase));
    out.u8((static_cast<std::uint32_t>(phase >> 8) & 0xFF) | (axis.direction == 1 ? 0x80 : 0));
    out.u8(static_cast<std::uint32_t>(truncated(axis.effectiveAmplitude())));
}

void writeFigure(Cursor& out, const KyScene& scene, const KyScene& previous, std::int32_t pan, std::int32_t tilt)
{
    const KyGenerator& p1 = scene.generatorFor(pan);
    const KyGenerator& t1 = scene.generatorFor(tilt);
    const bool continues = figureContinues(previous.generatorFor(pan), previous.generatorFor(tilt), p1, t1);
    const std::uint8_t continuation = continues ? 0x80 : 0xC0;
    writeAxis(out, pan, p1, t1, continuation);
    writeAxis(out, tilt, t1, p1, continuation);
}

// One channel entry of a scene as the record needs it, gathered in one pass.
struct SceneEntry {
    std::int32_t channel;
    std::int32_t tilt; // a pan channel's partner
    std::uint8_t value;
    bool pan;
    bool generator; // its generator is switched on
};

void writeScene(Cursor& out, const KySequence& sequence, std::size_t index, std::vector<SceneEntry>& entries)
{
    const KyScene& scene = sequence.sceneAt(index);
    const KyScene& previous = sequence.sceneAt(index == 0 ? sequence.sceneCount() - 1 : index - 1);
    entries.clear();
    std::array<std::size_t, 2> channels{};
    std::array<std::size_t, 2> generators{};
    for (std::size_t i = 0; i < scene.entryCount(); ++i) {
        const auto [channel, status] = scene.entryAt(i);
        if (!inUniverse(channel))
            continue;
        const bool generator = scene.entryGenerator(i).enabled != 0;
        entries.push_back({channel, status.pairChannel, status.value, status.pairRole == 1, generator});
        ++channels[std::size_t(channel) / kHalf];
        generators[std::size_t(channel) / kHalf] += generator;
    }
    // Entries ascend, so the first half's come first.
    const auto half = std::partition_point(entries.begin(), entries.end(),
                                           [](const SceneEntry& e) { return e.channel < std::int32_t(kHalf); });
    const std::array<std::pair<decltype(half), decltype(half)>, 2> halves{{{entries.begin(), half}, {half, entries.end()}}};

    out.u16(scene.sceneTime);
    out.u8((channels[0] ? 1 : 0) | (channels[1] ? 2 : 0) | (generators[0] ? 4 : 0) | (generators[1] ? 8 : 0));
    for (std::size_t h = 0; h < 2; ++h) {
        if (!channels[h])
            continue;
        out.u8(static_cast<std::uint32_t>(channels[h]));
        for (auto e = halves[h].first; e != halves[h].second; ++e) {
            out.u8(static_cast<std::uint32_t>(e->channel) - std::uint32_t(h * kHalf));
            out.u8(e->value);
        }
    }
    for (std::size_t h = 0; h < 2; ++h) {
        if (!generators[h])
            continue;
        out.u8(static_cast<std::uint32_t>(generators[h]));
        for (auto e = halves[h].first; e != halves[h].second; ++e)
            if (e->pan && e->generator)
                writeFigure(out, scene, previous, e->channel, e->tilt);
    }
}

// Returns where the section ends.
std::size_t writeSequences(ImageWriter& image, const std::vector<KySequence>& sequences, bool old)
{
    Cursor data(image, aligned(kSequenceTable + 6 * sequences.size()));
    Cursor table(image, kSequenceTable);
    std::vector<SceneEntry> entries;
    for (const KySequence& sequence : sequences) {
        // A sequence without scenes starts where its scenes would.
        const std::uint32_t start = image.base() + static_cast<std::uint32_t>(data.at());
        for (std::size_t i = 0; i < sequence.sceneCount(); ++i)
            writeScene(data, sequence, i, entries);
        if (old) {
            table.u16(start);
        } else {
            table.u16(start);
            table.u16(start >> 16);
        }
        table.u8(static_cast<std::uint32_t>(sequence.sceneCount()));
        table.u8(sequence.fade ? 127 : 0);
    }
    return data.at();
}

// ---- Sections 3 and 4: cues and their order

std::uint8_t generatorSpeedPosition(double factor)
{
    const double x = clampedOrLow(factor, 0.125, 4.0);
    const double position = x >= 1 ? 33.50785340314136 * (x - 1) : 114.28571428571429 * (x - 1);
    return static_cast<std::uint8_t>(truncated(std::floor(position + 0.5)));
}

void writeCueRecord(ImageWriter& image, std::size_t at, const KyCueDM& cue, const SequenceNumbers& numbers)
{
    const auto amplitude = static_cast<std::uint8_t>(truncated(clampedOrLow(cue.generatorAmplitude * 128, 0, 128)));
    const std::uint8_t speedPosition = generatorSpeedPosition(cue.generatorSpeed);
    for (const KySeqEngProp& entry : cue.zoneEntries) {
        const std::optional<std::uint8_t> number = numbers.of(entry.sequenceId);
        if (!number || entry.zone < 0 || entry.zone >= int(kZones))
            continue;
        Cursor group(image, at + kZoneGroupSize * std::size_t(entry.zone));
        group.u8((entry.active ? 3 : 0) | (entry.music ? 4 : 0));
        group.u8(static_cast<std::uint32_t>(entry.beatsPerStep));
        group.u8(static_cast<std::uint32_t>(entry.speed));
        group.u8(amplitude);
        group.u8(speedPosition);
        group.u8(*number);
    }
}

std::size_t writeCues(ImageWriter& image, std::size_t at, const std::vector<KyCueDM>& cues,
                      const SequenceNumbers& numbers, bool old)
{
    const std::size_t records = at + (old ? 256 : 1024);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        image.address(at + (old ? 2 : 4) * i, records + kCueRecordSize * i, old ? 2 : 4);
        writeCueRecord(image, records + kCueRecordSize * i, cues[i], numbers);
    }
    return records + kCueRecordSize * cues.size();
}

// Each 4-byte entry of the newer layout sits 2 bytes after the previous one, so only the
// last keeps its upper half; the module reads them so.
std::size_t writeCueOrder(ImageWriter& image, std::size_t at, std::size_t count, bool old)
{
    const std::size_t records = at + (old ? 256 : 512);
    image.u8(at, 0);
    image.u8(at + 1, static_cast<std::uint8_t>(count - 1));
    for (std::size_t i = 0; i < count; ++i)
        image.address(at + 2 + 2 * i, records + (old ? 2 : 4) * i, old ? 2 : 4);
    for (std::size_t i = 0; i < count; ++i) {
        Cursor record(image, records + 4 * i);
        record.u8(1);
        record.u8(5);
        record.u8(0);
        record.u8(static_cast<std::uint32_t>(i));
    }
    return records + 4 * count;
}

// ---- Section 5: channels that blackout and intensity concern

void flagChannel(ImageWriter& image, std::size_t table, std::int64_t index, std::uint8_t bit)
{
    if (inUniverse(index))
        image.setBits(table + std::size_t(index), bit);
}

std::size_t writeChannelFlags(ImageWriter& image, std::size_t at, const KyClub& club)
{
    for (const auto& device : club.clubDevices) {
        const KyDevice* type = device->deviceType.get();
        if (!type)
            continue;
        const std::int32_t s = device->startAddress;
        if (type->blackout.active)
            for (const auto& [channel, value] : type->blackout.values)
                flagChannel(image, at, universeIndex(s, channel), 0x80);
        if (type->intensity.active)
            flagChannel(image, at, universeIndex(s, type->intensity.channel), 0x01);
        for (const KyDimm& dimm : type->dimmers.dimms)
            if (dimm.isIntensity)
                flagChannel(image, at, universeIndex(s, dimm.channel), 0x01);
    }
    return at + kChannels;
}

// ---- Sections 6, 7 and 9: names and the tables of their addresses

struct NameSection {
    std::size_t first, table, end;
};

template <class Names>
NameSection writeNames(ImageWriter& image, std::size_t at, const Names& names, bool old)
{
    NameSection section{at, 0, 0};
    std::vector<std::size_t> starts;
    Cursor out(image, at);
    for (const std::string& name : names) {
        starts.push_back(out.at());
        for (char c : name)
            out.u8(static_cast<std::uint8_t>(c));
        out.u8(0);
    }
    section.table = out.at();
    const int width = old ? 2 : 3;
    for (std::size_t i = 0; i < starts.size(); ++i)
        image.address(section.table + std::size_t(width) * i, starts[i], width);
    section.end = section.table + std::size_t(width) * starts.size();
    return section;
}

// ---- Section 8: the module panel's sequences per zone

// A longer list would run into the next zone's slot; what does not fit is counted.
struct ZoneList {
    std::vector<std::uint8_t> numbers;
    std::vector<std::uint8_t> pulses;
    int dropped = 0;

    void add(std::uint8_t number, std::uint8_t pulse)
    {
        if (numbers.size() >= kZoneListLength) {
            ++dropped;
            return;
        }
        numbers.push_back(number);
        pulses.push_back(pulse);
    }
    bool has(std::uint8_t number) const
    {
        return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
    }
};

std::array<ZoneList, kZones> zoneLists(const KySequeDM& data, const SequenceNumbers& numbers)
{
    std::array<ZoneList, kZones> lists;
    for (std::size_t z = 0; z < kZones; ++z) {
        ZoneList& list = lists[z];
        if (data.includePanel)
            for (std::size_t b = 0; b < kZoneListLength; ++b) {
                const std::size_t index = z * kZoneListLength + b;
                if (index >= data.panelSequences.size())
                    break;
                const KyPanel::SequenceEntry& button = data.panelSequences[index];
                if (auto number = button.id != 0 ? numbers.of(button.id) : std::nullopt)
                    list.add(*number, static_cast<std::uint8_t>(button.musicPulses));
            }
        for (const KyCueDM& cue : data.cues)
            for (const KySeqEngProp& entry : cue.zoneEntries)
                if (entry.zone == int(z))
                    if (auto number = numbers.of(entry.sequenceId); number && !list.has(*number))
                        list.add(*number, 0);
    }
    return lists;
}

std::vector<KyZoneCut> zoneCuts(const std::array<ZoneList, kZones>& lists)
{
    std::vector<KyZoneCut> cuts;
    for (std::size_t z = 0; z < kZones; ++z)
        if (lists[z].dropped > 0)
            cuts.push_back({static_cast<int>(z), lists[z].dropped});
    return cuts;
}

struct ZoneSection {
    std::size_t numbers, pulses, end;
};

ZoneSection writeZoneLists(ImageWriter& image, std::size_t at, const std::array<ZoneList, kZones>& lists)
{
    const ZoneSection section{at, aligned(at + 510), aligned(at + 510) + 500};
    for (std::size_t z = 0; z < kZones; ++z) {
        Cursor numbers(image, section.numbers + kZoneSlot * z);
        Cursor pulses(image, section.pulses + kZoneSlot * z);
        for (std::size_t i = 0; i < lists[z].numbers.size(); ++i) {
            numbers.u8(lists[z].numbers[i]);
            pulses.u8(lists[z].pulses[i]);
        }
        numbers.u8(0xFF);
    }
    return section;
}

std::vector<std::string> zoneNameList(const std::array<std::string, 10>& zoneNames)
{
    std::vector<std::string> names{kAllZones};
    names.insert(names.end(), zoneNames.begin(), zoneNames.end());
    return names;
}

template <class Item>
std::vector<std::string> namesOf(const std::vector<Item>& items)
{
    std::vector<std::string> names;
    for (const Item& item : items)
        names.push_back(item.name);
    return names;
}

// ---- Header

struct SectionAddresses {
    std::size_t sequenceTable, cueTable, cueOrder, channelFlags;
    NameSection cueNames, sequenceNames;
    ZoneSection zoneLists;
    NameSection zoneNames;
};

void writeHeader(ImageWriter& image, const SectionAddresses& s, const KyBlockCounts& counts,
                 const KyImageSettings& settings)
{
    const std::size_t addresses[] = {
        kChannelPairTable,      s.sequenceTable,         s.cueTable,         s.cueOrder,
        s.channelFlags,         s.cueNames.first,        s.cueNames.table,   s.sequenceNames.first,
        s.sequenceNames.table,  s.zoneLists.numbers,     s.zoneLists.pulses, s.zoneNames.first,
        s.zoneNames.table,
    };
    for (std::size_t i = 0; i < std::size(addresses); ++i)
        image.address(4 * i, addresses[i], 4);
    image.u8(kSerialInputOffset, settings.serialInput ? 1 : 0);
    image.u8(kCountMarkOffset, 1);
    image.number(kBlockCountOffset, static_cast<std::uint32_t>(counts.blockCount) + image.base(), 4);
    const std::string& id = settings.identifier;
    for (std::size_t i = 0; i < std::min(id.size(), kIdentifierLength); ++i)
        image.u8(kIdentifierOffset + i, static_cast<std::uint8_t>(id[i]));
}

} // namespace

std::size_t maxEndOffsetFor(int generation)
{
    return isOldGeneration(generation) ? 64255 : (std::size_t{2} << 20) - 1;
}

int maxBlocksFor(int generation)
{
    return isOldGeneration(generation) ? kOldImageBlocks : 8192;
}

KyBlockCounts blockCountFor(std::size_t size, int generation)
{
    KyBlockCounts counts;
    counts.blockCount = static_cast<int>(aligned(size) / kBlockSize);
    counts.eraseCount = isOldGeneration(generation) ? 1 : static_cast<int>(aligned(std::size_t(counts.blockCount) + 5) / kBlockSize);
    return counts;
}

std::vector<std::string> refusalMessages(KyImageRefusal refusal)
{
    switch (refusal) {
    case KyImageRefusal::None:
        return {};
    case KyImageRefusal::TooManySequences:
        return {vt::kTooManySequences, vt::kOutOfMemory};
    case KyImageRefusal::TooManyCues:
        return {vt::kTooManyCues, vt::kOutOfMemory};
    case KyImageRefusal::TooLarge:
        return {vt::kOutOfMemory};
    }
    return {};
}

KyModuleImage buildImage(const KySequeDM& data, const KyClub& club, const std::array<std::string, 10>& zoneNames,
                         const KyImageSettings& settings)
{
    KyModuleImage result;
    if (data.sequences.size() > kMaxSequencesInModule) {
        result.refusal = KyImageRefusal::TooManySequences;
        return result;
    }
    if (data.cues.size() > kMaxCuesInModule) {
        result.refusal = KyImageRefusal::TooManyCues;
        return result;
    }
    const int generation = settings.firmwareGeneration;
    const bool old = isOldGeneration(generation);
    const SequenceNumbers numbers(data.sequences);
    ImageWriter image(generation);
    SectionAddresses s{};

    writeChannelPairs(image, club);
    s.sequenceTable = kSequenceTable;
    const std::size_t sequencesEnd = writeSequences(image, data.sequences, old);
    s.cueTable = aligned(sequencesEnd);
    s.cueOrder = aligned(writeCues(image, s.cueTable, data.cues, numbers, old));
    s.channelFlags = aligned(writeCueOrder(image, s.cueOrder, data.cues.size(), old));
    s.cueNames = writeNames(image, aligned(writeChannelFlags(image, s.channelFlags, club)), namesOf(data.cues), old);
    s.sequenceNames = writeNames(image, aligned(s.cueNames.end), namesOf(data.sequences), old);
    const std::array<ZoneList, kZones> lists = zoneLists(data, numbers);
    s.zoneLists = writeZoneLists(image, aligned(s.sequenceNames.end), lists);
    s.zoneNames = writeNames(image, aligned(s.zoneLists.end), zoneNameList(zoneNames), old);

    result.endOffset = s.zoneNames.end;
    if (image.overflowed() || result.endOffset > maxEndOffsetFor(generation)) {
        result.refusal = KyImageRefusal::TooLarge;
        return result;
    }
    result.zoneCuts = zoneCuts(lists);
    result.counts = blockCountFor(result.endOffset, generation);
    writeHeader(image, s, result.counts, settings);
    result.bytes = image.firstBytes(std::size_t(result.counts.blockCount) * kBlockSize);
    return result;
}
