#pragma once
// Code page 1250 <-> UTF-8 at the boundary between the models (cp1250 bytes, as stored in
// the files) and the user interface (UTF-8).

#include <optional>
#include <string>
#include <string_view>

namespace vt {

// Every byte maps to one code point; the five bytes that code page 1250 leaves unassigned
// map to the C1 controls of the same value, so any byte string survives a round trip.
std::u32string cp1250ToUnicode(std::string_view cp1250);
std::string cp1250ToUtf8(std::string_view cp1250);

// The cp1250 byte for a code point, or nothing when cp1250 cannot hold it.
std::optional<char> unicodeToCp1250(char32_t c);

// Strict conversion: nothing when the text is not valid UTF-8 or holds a character that
// cp1250 cannot hold.
std::optional<std::string> utf8ToCp1250(std::string_view utf8);
// Lenient conversion for input fields: characters cp1250 cannot hold become '?'.
std::string utf8ToCp1250Lossy(std::string_view utf8);

} // namespace vt
