#pragma once
// Reading data files whole, writing them atomically, and setting damaged ones aside.

#include "common/Stream.h"

#include <functional>
#include <span>
#include <string>

namespace vt {

enum class ReadResult { Ok, Missing, Unreadable };

// An unreadable file's reason (in the operator's words) goes to `reason` when given.
ReadResult readWholeFile(const std::string& path, Bytes& out, std::string* reason = nullptr);

// Writes to a temporary file beside `path`, flushes it to disk and renames it over
// `path`, so an interrupted save leaves the old file. False (with the reason in `error`
// when given: the system's reason and the step that failed) if any step fails; the old file
// is then untouched.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> data,
                         std::string* error = nullptr);

// How a loader fared with its file.
enum class LoadStatus {
    Missing,    // no file: the store stays empty
    Complete,   // read to the end as written
    Incomplete, // damaged or cut short: what could be read was taken
    Unreadable, // there but could not be read (permissions, a folder in its place, an I/O
                // error): the store stays empty, and saving it would destroy what the file holds
};

// Reads a data file and hands its bytes to `parse`, which replaces the store with what
// they hold. A missing or unreadable file is handed over as no bytes, so the store ends up
// empty; it counts as Missing or Unreadable respectively.
LoadStatus loadFile(const std::string& path,
                    const std::function<LoadStatus(std::span<const std::uint8_t>)>& parse);

// As loadFile, for large files: `parse` reads the file part by part through the reader, so
// its bytes are never held whole beside what they are read into. A file that cannot be
// read to its end counts as Unreadable, and `parse` then runs again on no bytes.
LoadStatus loadFileInParts(const std::string& path, const std::function<LoadStatus(ByteReader&)>& parse);

// Copies a file that did not load completely to `<path>.damaged` (or `<path>.damaged.N`
// when an earlier, different copy is there). Returns the copy's path, or an empty string
// when no copy could be made.
std::string setAsideDamaged(const std::string& path);

// The file name part of a path.
std::string baseName(const std::string& path);

// What the operator is told about a data file that could not be written.
std::string saveFailureMessage(const std::string& path, const std::string& reason);

// The operator's words for a system error number: the common ones in Polish, any other by
// its number.
std::string systemReason(int error);

} // namespace vt
