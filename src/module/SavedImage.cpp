#include "module/SavedImage.h"

#include <fstream>

namespace {

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

// The blocks the header says the image has; nothing for a layout without the count.
std::size_t claimedBlocks(std::span<const std::uint8_t> file, int generation)
{
    if (file[kCountMarkOffset] == 0)
        return 0;
    const std::uint32_t count = u32At(file, kBlockCountOffset);
    const auto base = static_cast<std::uint32_t>(imageBaseFor(generation));
    return count > base ? count - base : 0;
}

} // namespace

KySavedImage checkSavedImage(std::span<const std::uint8_t> file, int generation)
{
    KySavedImage image;
    // Without a whole header block there is nothing a module could start from.
    if (file.size() < std::size_t(kBlockSize) || (file[kCountMarkOffset] == 0 && !isOldGeneration(generation)))
        return image;
    image.counts = blockCountFor(file.size(), generation);
    if (image.counts.blockCount > maxBlocksFor(generation)) {
        image.verdict = KySavedImageVerdict::TooLarge;
        return image;
    }
    if (file.size() < claimedBlocks(file, generation) * kBlockSize)
        return image;
    image.verdict = KySavedImageVerdict::Accepted;
    return image;
}

bool readSavedImageFile(const std::string& path, std::size_t limit, vt::Bytes& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(limit + 1, 0);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (in.bad())
        return false;
    out.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

const char* savedImageMessage(KySavedImageVerdict verdict)
{
    switch (verdict) {
    case KySavedImageVerdict::Accepted:
        return "";
    case KySavedImageVerdict::OldVersion:
        return vt::kOldImageFile;
    case KySavedImageVerdict::TooLarge:
        return vt::kOutOfMemory;
    }
    return "";
}
