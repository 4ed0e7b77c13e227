#pragma once
// library.vt2 and the single-device export file (*.dev), which holds one device record
// exactly as the library file does.

#include "common/Files.h"
#include "common/Stream.h"
#include "library/Library.h"

#include <span>
#include <string>

// One device record. The reader overwrites every field of `device`: a text, picture or
// list it cannot read whole is left empty, or holds the entries read before the data
// ended; a number it cannot read keeps its value. False when the data ended or failed.
void writeDevice(vt::ByteWriter& w, const KyDevice& device);
bool readDevice(vt::ByteReader& r, KyDevice& device);

vt::Bytes libraryToBytes(const KyLibrary& library);
// More types than any club keeps; defaults for a file that ended early stop here.
constexpr std::size_t maxPaddedLibrary = 256;

// Replaces `lastId` and the device list. A file that ends early keeps what was read and
// stands default types in for the rest of the declared count, though never beyond
// `maxPaddedLibrary` types in all, so a damaged count cannot fill memory.
vt::LoadStatus libraryFromBytes(std::span<const std::uint8_t> data, KyLibrary& library);
vt::LoadStatus loadLibrary(KyLibrary& library, const std::string& path);
bool saveLibrary(const KyLibrary& library, const std::string& path, std::string* error = nullptr);

vt::Bytes deviceToBytes(const KyDevice& device);
// Reads into a type the caller constructed; see readDevice.
vt::LoadStatus deviceFromBytes(std::span<const std::uint8_t> data, KyDevice& device);
// A file that cannot be read leaves `device` untouched.
vt::LoadStatus loadDeviceFile(KyDevice& device, const std::string& path);
bool saveDeviceFile(const KyDevice& device, const std::string& path, std::string* error = nullptr);
