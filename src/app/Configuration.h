#pragma once
// vt2.cnf: the captions of the main window's pages and the names of the ten zones.

#include "common/Files.h"
#include "common/Ini.h"

#include <array>
#include <string>
#include <vector>

using ZoneNames = std::array<std::string, 10>;

// The main window never has more pages than this; a larger stored count is cut to it.
constexpr int maxPages = 10;

// Captions and names are cp1250. Missing keys give the defaults: one page "Strona 1",
// further pages without a caption, zones named by their number.
void readConfiguration(const vt::IniFile& ini, std::vector<std::string>& pageNames, ZoneNames& zoneNames);
// Replaces the page section whole (no stale captions survive) and overwrites the zone keys;
// anything else in the file stays.
void writeConfiguration(vt::IniFile& ini, const std::vector<std::string>& pageNames, const ZoneNames& zoneNames);

vt::LoadStatus loadConfiguration(const std::string& path, std::vector<std::string>& pageNames, ZoneNames& zoneNames);
bool saveConfiguration(const std::string& path, const std::vector<std::string>& pageNames,
                       const ZoneNames& zoneNames, std::string* error = nullptr);
