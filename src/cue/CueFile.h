#pragma once
// cues.vt2: the cue id counter and every stored cue. The current layout (magic and version
// fields) is written; the older layout without them is read too. Sequences are loaded
// first: zones are bound to stored sequences by id.

#include "common/Files.h"
#include "cue/Seque.h"

#include <string>

vt::Bytes cuesToBytes(const KySeque& store);
// Replaces the store's cues and cue counter with the file's. A file that ends early keeps
// the cues read whole before the end.
vt::LoadStatus cuesFromBytes(KySeque& store, std::span<const std::uint8_t> bytes);

// Zone i plays the stored sequence that zoneProps[i] names, with its settings; a zone whose
// sequence is not stored keeps its placeholder and the engine defaults.
void bindZones(KyCue& cue, const KySeque& store);

// A missing file leaves the store's cues empty and its counter as it was.
vt::LoadStatus loadCues(KySeque& store, const std::string& path);
bool saveCues(const KySeque& store, const std::string& path, std::string* error = nullptr);
