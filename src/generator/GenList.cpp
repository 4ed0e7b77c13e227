#include "generator/GenList.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr char kMagic[8] = {'v', 't', '2', ' ', 'g', 'e', 'n', '\0'};

void writeFigure(vt::ByteWriter& out, const KyPanTiltGen& figure)
{
    out.i32(1);
    out.str(figure.name);
    writeGenerator(out, figure.pan);
    writeGenerator(out, figure.tilt);
}

// Reads into `scratch`, whose records keep the fields an older record version does not
// carry from the figure read before. False when the data end first.
bool readFigure(vt::ByteReader& in, KyPanTiltGen& scratch)
{
    std::int32_t version = 0;
    if (!in.i32(version))
        return false;
    if (version != 1)
        throw std::runtime_error("KyPanTiltGen::load: unsupported file format");
    if (!in.strWhole(scratch.name))
        return false;
    for (KyGenerator* record : {&scratch.pan, &scratch.tilt}) {
        switch (readGenerator(in, *record)) {
        case GeneratorRead::Ok:
            break;
        case GeneratorRead::Truncated:
            return false;
        case GeneratorRead::UnsupportedVersion:
            throw std::runtime_error("unsupported file format");
        }
    }
    return true;
}

// A record whose stored fields are all zero, the starting point of the first figure.
KyGenerator zeroRecord()
{
    KyGenerator g;
    g.masterDirection = 0;
    g.speedModifier = 0;
    g.amplitudeModifier = 0;
    g.direction = 0;
    g.amplitude = 0;
    g.speed = 0;
    return g;
}

} // namespace

vt::Bytes KyGenList::toBytes() const
{
    vt::ByteWriter out;
    out.raw(kMagic, sizeof kMagic);
    out.i32(1);
    out.i32(static_cast<std::int32_t>(figures_.size()));
    for (const auto& figure : figures_)
        writeFigure(out, figure);
    return out.take();
}

vt::LoadStatus KyGenList::fromBytes(std::span<const std::uint8_t> bytes)
{
    vt::ByteReader in(bytes);
    char magic[8];
    if (in.raw(magic, sizeof magic) && std::memcmp(magic, kMagic, sizeof kMagic) != 0)
        throw std::runtime_error("unsupported 'generators.vt2' file format");
    std::int32_t version = 0;
    if (in.i32(version) && version != 1)
        throw std::runtime_error("KyGenList::load: unsupported file format");
    std::vector<KyPanTiltGen> read;
    std::uint32_t count = 0;
    constexpr std::size_t minFigureSize = 4 + 4 + 2 * kMinGeneratorRecordSize;
    if (in.count(count, minFigureSize)) {
        KyPanTiltGen scratch{{}, zeroRecord(), zeroRecord()};
        for (std::uint32_t i = 0; i < count && readFigure(in, scratch); ++i)
            read.push_back(scratch);
    }
    figures_ = std::move(read);
    return in.ok() ? vt::LoadStatus::Complete : vt::LoadStatus::Incomplete;
}

vt::LoadStatus KyGenList::load(const std::string& path)
{
    vt::Bytes bytes;
    switch (vt::readWholeFile(path, bytes)) {
    case vt::ReadResult::Missing:
        return vt::LoadStatus::Missing;
    case vt::ReadResult::Unreadable:
        return vt::LoadStatus::Unreadable;
    case vt::ReadResult::Ok:
        break;
    }
    return fromBytes(bytes);
}

bool KyGenList::save(const std::string& path, std::string* error) const
{
    return vt::writeFileAtomically(path, toBytes(), error);
}

bool exportFigure(const KyPanTiltGen& figure, const std::string& path, std::string* error)
{
    KyGenList single;
    single.append(figure);
    return single.save(path, error);
}

std::optional<KyPanTiltGen> importFigure(const std::string& path)
{
    KyGenList scratch;
    scratch.load(path);
    if (scratch.size() == 0)
        return std::nullopt;
    return scratch.at(0);
}
