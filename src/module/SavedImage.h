#pragma once
// Saved images (.sav files): the first blockCount × 256 bytes of a module's memory image, as
// "Odczyt" writes them and "Programowanie z pliku" reads them back.

#include "common/Stream.h"
#include "module/ModuleImage.h"

#include <span>
#include <string>

enum class KySavedImageVerdict {
    Accepted,
    OldVersion, // "Stara wersja pliku": an older layout, or fewer bytes than its header claims
    TooLarge,   // "BRAK PAMIĘCI": more than the module of this generation takes
};

struct KySavedImage {
    KySavedImageVerdict verdict = KySavedImageVerdict::OldVersion;
    KyBlockCounts counts;
};

// Whether the file's bytes may be written to a module of the generation, and how.
KySavedImage checkSavedImage(std::span<const std::uint8_t> file, int generation);

// Reads at most `limit` + 1 bytes, so that a file too large shows as such without being
// read whole. False when the file cannot be read.
bool readSavedImageFile(const std::string& path, std::size_t limit, vt::Bytes& out);

// The message for a verdict other than Accepted (UTF-8).
const char* savedImageMessage(KySavedImageVerdict verdict);
