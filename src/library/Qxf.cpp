#include "library/Qxf.h"

#include "common/Files.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace {

int number(const char* text)
{
    int value = 0;
    std::string_view view(text);
    std::from_chars(view.data(), view.data() + view.size(), value);
    return value;
}

int dmxValue(const char* text)
{
    int value = number(text);
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

// "#rrggbb"; nothing for anything else.
std::optional<std::uint32_t> colourOf(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    std::uint32_t rgb = 0;
    auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
    if (error != std::errc() || end != text.data() + 7)
        return std::nullopt;
    return rgb;
}

// Older files give colours and pictures as Color, Color2 and Res; newer ones as Res1 and Res2.
void readResources(const pugi::xml_node& node, KyQxfCapability& capability)
{
    std::string_view first = node.attribute("Res1").as_string(node.attribute("Color").as_string());
    std::string_view second = node.attribute("Res2").as_string(node.attribute("Color2").as_string());
    capability.colour = colourOf(first);
    capability.colour2 = colourOf(second);
    if (!capability.colour && !first.empty())
        capability.picture = first;
    if (capability.picture.empty())
        capability.picture = node.attribute("Res").as_string();
}

KyQxfCapability readCapability(const pugi::xml_node& node)
{
    KyQxfCapability capability;
    capability.min = dmxValue(node.attribute("Min").as_string());
    capability.max = dmxValue(node.attribute("Max").as_string());
    capability.name = node.child_value();
    capability.preset = node.attribute("Preset").as_string();
    readResources(node, capability);
    return capability;
}

KyQxfChannel readChannel(const pugi::xml_node& node)
{
    KyQxfChannel channel;
    channel.name = node.attribute("Name").as_string();
    channel.preset = node.attribute("Preset").as_string();
    pugi::xml_node group = node.child("Group");
    channel.group = group.child_value();
    channel.byte = number(group.attribute("Byte").as_string());
    channel.colour = node.child_value("Colour");
    for (pugi::xml_node capability : node.children("Capability"))
        channel.capabilities.push_back(readCapability(capability));
    return channel;
}

KyQxfMode readMode(const pugi::xml_node& node)
{
    KyQxfMode mode;
    mode.name = node.attribute("Name").as_string();
    for (pugi::xml_node channel : node.children("Channel"))
        mode.channels.emplace_back(channel.child_value());
    for (pugi::xml_node head : node.children("Head")) {
        std::vector<int>& positions = mode.heads.emplace_back();
        for (pugi::xml_node channel : head.children("Channel"))
            positions.push_back(number(channel.child_value()));
    }
    return mode;
}

} // namespace

const KyQxfChannel* KyQxfFixture::channelNamed(std::string_view name) const
{
    for (const KyQxfChannel& channel : channels)
        if (channel.name == name)
            return &channel;
    return nullptr;
}

std::optional<KyQxfFixture> readQxf(std::string_view xml, std::string* error)
{
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    pugi::xml_node root = document.child("FixtureDefinition");
    if (!parsed || !root) {
        if (error)
            *error = parsed ? "no fixture definition" : parsed.description();
        return std::nullopt;
    }
    KyQxfFixture fixture;
    fixture.maker = root.child_value("Manufacturer");
    fixture.model = root.child_value("Model");
    fixture.type = root.child_value("Type");
    for (pugi::xml_node channel : root.children("Channel"))
        fixture.channels.push_back(readChannel(channel));
    for (pugi::xml_node mode : root.children("Mode"))
        fixture.modes.push_back(readMode(mode));
    return fixture;
}

std::optional<KyQxfFixture> readQxfFile(const std::string& path, std::string* error)
{
    vt::Bytes data;
    std::string reason;
    vt::ReadResult read = vt::readWholeFile(path, data, &reason);
    if (read != vt::ReadResult::Ok) {
        if (error)
            *error = read == vt::ReadResult::Missing ? "no such file" : reason;
        return std::nullopt;
    }
    return readQxf(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), error);
}

std::vector<std::string> listQxfFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".qxf" && it->is_regular_file(error))
            paths.push_back(it->path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}
