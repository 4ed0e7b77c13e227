#pragma once
// Fixture-definition tests: the folder of Debian's definitions and pictures that say what
// was asked for, so a test sees which colour or gobo went into which slot.

#include "library/QxfImport.h"

#include <cstdio>
#include <filesystem>
#include <string>

inline const std::string kQxfFolder = "/usr/share/qlcplus/fixtures";

inline bool haveQxfData()
{
    std::error_code error;
    return std::filesystem::is_directory(kQxfFolder, error);
}

class KyRecordingPictures : public KyQxfPictures {
public:
    static std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

    std::vector<std::uint8_t> swatch(std::uint32_t rgb, std::optional<std::uint32_t> second) override
    {
        return bytes("swatch " + hex(rgb) + (second ? " " + hex(*second) : ""));
    }
    std::vector<std::uint8_t> gobo(const std::string& resource) override { return bytes("gobo " + resource); }
    std::vector<std::uint8_t> icon(std::string_view type) override { return bytes("icon " + std::string(type)); }

private:
    static std::string hex(std::uint32_t rgb)
    {
        char text[8];
        std::snprintf(text, sizeof text, "#%06x", rgb);
        return text;
    }
};
