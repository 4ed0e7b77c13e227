#pragma once
// A small INI reader and writer: [sections] of key=value lines. Section names and keys
// match without regard to (ASCII) case; the first match wins. Comment lines (';' or '#'),
// blank lines and everything the program does not change are written back as they were.
// The text is bytes (cp1250 for the program's own files).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    std::string text() const;

    // A value is trimmed of blanks; one pair of surrounding double quotes is removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string value(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The leading decimal number of the value (saturated to int), or `fallback` when the
    // key is missing or its value does not start with a number.
    int intValue(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the key's line, or adds it at the end of the section (the section at the end
    // of the file). Values that would not read back as given are quoted; line breaks
    // become spaces.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);

private:
    struct Section {
        std::string name;
        std::string header; // the line as read, empty for the preamble
        std::vector<std::string> lines;
    };
    static constexpr std::size_t notFound = static_cast<std::size_t>(-1);

    std::size_t findSection(std::string_view name) const;
    Section& sectionForWriting(std::string_view name);

    // The first entry holds the lines before any header.
    std::vector<Section> sections_{Section{}};
};

} // namespace vt
