#pragma once
// The pictures of imported fixture types, drawn with Qt's image and SVG code: colour
// swatches and gobo pictures at the size of a wheel slot's picture, and a device icon for
// each kind of fixture, all as BMP files.

#include "library/QxfImport.h"

#include <map>
#include <string>
#include <vector>

class TQxfPictures : public KyQxfPictures {
public:
    static constexpr int kSlotSize = 31;
    static constexpr int kIconSize = 32;

    // Gobo files are looked up in these folders, in order.
    explicit TQxfPictures(std::vector<std::string> goboFolders);

    std::vector<std::uint8_t> swatch(std::uint32_t rgb, std::optional<std::uint32_t> second) override;
    std::vector<std::uint8_t> gobo(const std::string& resource) override;
    std::vector<std::uint8_t> icon(std::string_view fixtureType) override;

private:
    std::vector<std::string> goboFolders_;
    // Many fixtures share their gobos and every type of a kind its icon.
    std::map<std::string, std::vector<std::uint8_t>, std::less<>> gobos_;
    std::map<std::string, std::vector<std::uint8_t>, std::less<>> icons_;
};

// The gobo folder that belongs to a folder of fixture definitions (…/fixtures → …/gobos).
std::string qxfGoboFolderFor(const std::string& fixtureFolder);
