#pragma once
// sequences.vt2: the id counter and every stored sequence with its scenes. The current
// layout (magic and version fields) is written; the older layout without them is read too.

#include "common/Files.h"
#include "sequence/SequenceStore.h"

#include <string>

vt::Bytes sequencesToBytes(const KySequenceStore& store);
// Replaces the store's sequences and counter with the file's; cues are not touched. A file
// that ends early keeps the sequences read whole before the end.
vt::LoadStatus sequencesFromBytes(KySequenceStore& store, std::span<const std::uint8_t> bytes);

// A missing file leaves the store's sequences empty and its counter as it was.
vt::LoadStatus loadSequences(KySequenceStore& store, const std::string& path);
bool saveSequences(const KySequenceStore& store, const std::string& path, std::string* error = nullptr);
