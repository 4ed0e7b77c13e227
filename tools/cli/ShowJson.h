#pragma once
// The models of each data file as JSON, with the models' member names as keys.

#include "JsonIo.h"

#include "app/Configuration.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class KyClub;
class KyDevice;
class KyGenList;
class KyLibrary;
class KyPanel;
class KySeque;

// `fileText` is vt2.cnf as read; the document carries it as `iniText` only when the
// program, writing the names alone, would not write that text.
Json configurationToJson(const std::vector<std::string>& pageNames, const ZoneNames& zoneNames,
                         std::string_view fileText);
// Sets the names and returns the text of vt2.cnf: `iniText` as it is when it holds these
// names, else the names written into it (or into an empty file) as the program saves them.
std::string configurationFromJson(const Json& j, std::vector<std::string>& pageNames, ZoneNames& zoneNames);

Json deviceToJson(const KyDevice& device);
Json libraryToJson(const KyLibrary& library);
void libraryFromJson(const Json& j, KyLibrary& library);
// Installed devices resolve their types through `types`; an unknown type is refused.
Json clubToJson(const KyClub& club);
void clubFromJson(const Json& j, KyClub& club, const std::vector<std::shared_ptr<KyDevice>>& types);
Json genListToJson(const KyGenList& list);
void genListFromJson(const Json& j, KyGenList& list);
Json sequencesToJson(const KySeque& store);
void sequencesFromJson(const Json& j, KySeque& store);
// Zones are bound to the store's sequences, which must hold every sequence they name.
Json cuesToJson(const KySeque& store);
void cuesFromJson(const Json& j, KySeque& store);
Json panelToJson(const KyPanel& panel);
void panelFromJson(const Json& j, KyPanel& panel);
