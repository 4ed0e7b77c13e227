#pragma once
// The open fixture-definition format (.qxf, XML): one fixture model with its channels, their
// capabilities and the modes that lay channels out at DMX addresses. Texts are UTF-8, as in
// the file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One value range of a channel and what it does there.
struct KyQxfCapability {
    int min = 0;
    int max = 0;
    std::string name;
    std::string preset;
    std::optional<std::uint32_t> colour;  // 0xRRGGBB
    std::optional<std::uint32_t> colour2; // the second half of a two-colour slot
    std::string picture;                  // a gobo file, relative to the gobo folder
};

struct KyQxfChannel {
    std::string name;
    std::string preset; // empty when the channel is described by its group
    std::string group;
    int byte = 0; // 1: the fine byte of a 16-bit pair
    std::string colour; // the colour of a group-described intensity channel, as written
    std::vector<KyQxfCapability> capabilities;
};

struct KyQxfMode {
    std::string name;
    std::vector<std::string> channels; // channel names, the first at the mode's first address
    std::vector<std::vector<int>> heads; // per head, the mode's channel positions from 0
};

struct KyQxfFixture {
    std::string maker;
    std::string model;
    std::string type;
    std::vector<KyQxfChannel> channels;
    std::vector<KyQxfMode> modes;

    // The channel the mode calls by this name, or none.
    const KyQxfChannel* channelNamed(std::string_view name) const;
};

// Nothing, with the reason in `error`, for data that is no fixture definition.
std::optional<KyQxfFixture> readQxf(std::string_view xml, std::string* error = nullptr);
std::optional<KyQxfFixture> readQxfFile(const std::string& path, std::string* error = nullptr);

// The fixture definitions below a folder (one folder per maker), by path.
std::vector<std::string> listQxfFiles(const std::string& folder);
