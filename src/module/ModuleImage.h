#pragma once
// The module's memory image: the selected cues, their sequences with every scene and figure
// generator, the installation's channel tables, the per-zone lists of the module's own panel
// and the names, laid out byte for byte as the module's firmware reads them. Building it is a
// pure function of the show and the selection; the programming window and the command-line
// tool share it.

#include "common/Stream.h"
#include "common/Translatable.h"
#include "module/ModuleData.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class KyClub;

namespace vt {
// The operator's texts for the module's memory (UTF-8).
inline constexpr const char* kTooManySequences = VT_TRANSLATABLE("Core", "Zbyt duża liczba sekwencji");
inline constexpr const char* kTooManyCues = VT_TRANSLATABLE("Core", "Zbyt duża liczba CUE");
inline constexpr const char* kOutOfMemory = VT_TRANSLATABLE("Core", "BRAK PAMIĘCI");
inline constexpr const char* kModuleReadError = VT_TRANSLATABLE("Core", "Błąd odczytu z modułu DMX");
inline constexpr const char* kOldImageFile = VT_TRANSLATABLE("Core", "Stara wersja pliku");
} // namespace vt

inline constexpr int kBlockSize = 256;
// What a module before generation 12 holds: module blocks 5-255.
inline constexpr int kOldImageBlocks = 251;
// Firmware generations below this keep a 64 KiB memory and the image 1280 bytes in.
inline constexpr int kWideGeneration = 12;
inline constexpr std::size_t kMaxSequencesInModule = 255;
inline constexpr std::size_t kMaxCuesInModule = 128;
// A zone's list of the module panel holds at most this many sequences.
inline constexpr std::size_t kZoneListLength = 50;

// The image header after the section addresses.
inline constexpr std::size_t kSerialInputOffset = 218;
// 1 when the header carries the block count below; images of older layouts hold 0 there.
inline constexpr std::size_t kCountMarkOffset = 219;
// The module address just past the image's last block, 4 bytes, low byte first.
inline constexpr std::size_t kBlockCountOffset = 220;
inline constexpr std::size_t kIdentifierOffset = 224;
inline constexpr std::size_t kIdentifierLength = 16;

// Generations compare as unsigned: below 12 means 0-11.
inline bool isOldGeneration(int generation)
{
    return static_cast<unsigned>(generation) < static_cast<unsigned>(kWideGeneration);
}
// The module address of image offset 0.
inline int imageBaseFor(int generation)
{
    return isOldGeneration(generation) ? 1280 : 0;
}
// The module block that holds image block 0.
inline int firstModuleBlockFor(int generation)
{
    return imageBaseFor(generation) / kBlockSize;
}
// The largest end offset an image for the generation may have, and the blocks that
// holds: 64255 (251 blocks, module blocks 5-255) below 12, otherwise 2 MiB - 1 (8192).
std::size_t maxEndOffsetFor(int generation);
int maxBlocksFor(int generation);

struct KyBlockCounts {
    int blockCount = 0; // 256-byte blocks to transfer
    int eraseCount = 0; // 64 KiB sectors to erase first
};
KyBlockCounts blockCountFor(std::size_t size, int generation);

struct KyImageSettings {
    int firmwareGeneration = kWideGeneration;
    std::string identifier; // cp1250; the first 16 bytes are written
    bool serialInput = false; // "Komunikacja z RS-232 lub QN-8"
};

enum class KyImageRefusal { None, TooManySequences, TooManyCues, TooLarge };
// What the operator is told, in order; empty for None.
std::vector<std::string> refusalMessages(KyImageRefusal refusal);

// A zone whose list of the module panel was cut at kZoneListLength.
struct KyZoneCut {
    int zone = 0;    // 0-9
    int dropped = 0; // sequences left out
};

struct KyModuleImage {
    KyImageRefusal refusal = KyImageRefusal::None;
    std::vector<KyZoneCut> zoneCuts; // in zone order; the image is built all the same
    vt::Bytes bytes;           // blockCount × 256 bytes, zero after the end; empty when refused
    std::size_t endOffset = 0; // where the last section ends
    KyBlockCounts counts;
};

KyModuleImage buildImage(const KySequeDM& data, const KyClub& club, const std::array<std::string, 10>& zoneNames,
                         const KyImageSettings& settings);
