// vt2.cnf from any text; the names read must survive being written into that same text
// and read again.

#include "app/Configuration.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vt::IniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> pages;
    ZoneNames zones;
    readConfiguration(ini, pages, zones);
    if (pages.empty() || pages.size() > static_cast<std::size_t>(maxPages))
        std::abort();
    writeConfiguration(ini, pages, zones);
    std::vector<std::string> pagesAgain;
    ZoneNames zonesAgain;
    readConfiguration(vt::IniFile(ini.text()), pagesAgain, zonesAgain);
    if (pagesAgain != pages || zonesAgain != zones)
        std::abort();
    return 0;
}
