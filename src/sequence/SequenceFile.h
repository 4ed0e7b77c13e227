#pragma once
// sequences.vt2: the id counter and every stored sequence with its scenes. The current
// layout (magic and version fields) is written; the older layout without them is read too.

#include "common/Files.h"
#include "sequence/Seque.h"

#include <string>

vt::Bytes sequencesToBytes(const KySeque& store);
// Replaces the store's sequences and counter with the file's; cues are not touched. A file
// that ends early keeps the sequences read whole before the end.
vt::LoadStatus sequencesFromBytes(KySeque& store, std::span<const std::uint8_t> bytes);

// A missing file leaves the store's sequences empty and its counter as it was.
vt::LoadStatus loadSequences(KySeque& store, const std::string& path);
bool saveSequences(const KySeque& store, const std::string& path, std::string* error = nullptr);
