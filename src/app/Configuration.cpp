#include "app/Configuration.h"

#include <algorithm>

namespace {

constexpr const char* pageSection = "MAIN PAGE CONTORL";
constexpr const char* zoneSection = "MAIN ZONE CONTORL";

std::string pageKey(std::size_t index)
{
    return "TabSheet" + std::to_string(index);
}

std::string zoneKey(std::size_t index)
{
    return "Zone" + std::to_string(index + 1);
}

vt::IniFile iniFrom(std::span<const std::uint8_t> data)
{
    return vt::IniFile(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

} // namespace

void readConfiguration(const vt::IniFile& ini, std::vector<std::string>& pageNames, ZoneNames& zoneNames)
{
    int pages = std::min(ini.intValue(pageSection, "Pages", 0), maxPages);
    pageNames.assign(1, pages > 0 ? ini.value(pageSection, pageKey(0), "Strona 1") : "Strona 1");
    for (int n = 1; n < pages; ++n)
        pageNames.push_back(ini.value(pageSection, pageKey(static_cast<std::size_t>(n)), ""));
    for (std::size_t i = 0; i < zoneNames.size(); ++i)
        zoneNames[i] = ini.value(zoneSection, zoneKey(i), std::to_string(i + 1));
}

void writeConfiguration(vt::IniFile& ini, const std::vector<std::string>& pageNames, const ZoneNames& zoneNames)
{
    ini.eraseSection(pageSection);
    ini.setValue(pageSection, "Pages", std::to_string(pageNames.size()));
    for (std::size_t i = 0; i < pageNames.size(); ++i)
        ini.setValue(pageSection, pageKey(i), pageNames[i]);
    for (std::size_t i = 0; i < zoneNames.size(); ++i)
        ini.setValue(zoneSection, zoneKey(i), zoneNames[i]);
}

vt::LoadStatus loadConfiguration(const std::string& path, std::vector<std::string>& pageNames, ZoneNames& zoneNames)
{
    return vt::loadFile(path, [&](std::span<const std::uint8_t> data) {
        readConfiguration(iniFrom(data), pageNames, zoneNames);
        return vt::LoadStatus::Complete;
    });
}

bool saveConfiguration(const std::string& path, const std::vector<std::string>& pageNames,
                       const ZoneNames& zoneNames, std::string* error)
{
    // The file is rewritten around its other contents, which stay.
    vt::Bytes old;
    vt::readWholeFile(path, old);
    vt::IniFile ini = iniFrom(old);
    writeConfiguration(ini, pageNames, zoneNames);
    std::string text = ini.text();
    return vt::writeFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                                   error);
}
