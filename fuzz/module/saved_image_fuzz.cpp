// Saved module images (.sav) from any bytes, for a module of the generation the first byte
// names: an accepted file always fits the module and the transfer's buffer.
#include "module/ModuleJob.h"
#include "module/SavedImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int generation = size > 0 ? data[0] % 16 : 12;
    const std::span<const std::uint8_t> file(data, size);
    const KySavedImage image = checkSavedImage(file, generation);
    if (image.verdict != KySavedImageVerdict::Accepted)
        return 0;
    const int blocks = image.counts.blockCount;
    if (blocks > maxBlocksFor(generation) || std::size_t(blocks) * kBlockSize < size || image.counts.eraseCount < 1 ||
        std::size_t(blocks + 1) * kBlockSize > KyModuleJob::kImageSize)
        __builtin_trap();
    return 0;
}
