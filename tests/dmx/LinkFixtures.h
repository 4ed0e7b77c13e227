#pragma once
// Stand-ins for the operator and the machine's port list in the module-link tests.

#include "dmx/Usb.h"

#include <filesystem>

struct FakeChooser : KyModuleChooser {
    int warnings = 0;
    std::vector<std::string> denied;
    std::vector<std::vector<std::string>> offered;
    int answer = 0;

    void noModule() override { ++warnings; }
    void noAccess(const std::string& portPath) override { denied.push_back(portPath); }
    int choose(const std::vector<std::string>& names) override
    {
        offered.push_back(names);
        return answer;
    }
};

// Only the given paths, and only while they exist: never the machine's own ports.
inline SerialPortLister onlyPaths(const std::vector<std::filesystem::path>& paths)
{
    SerialPortSources sources;
    sources.ttyClassDirectory.clear();
    for (const auto& p : paths)
        sources.givenPaths.push_back(p.string());
    return serialPortLister(std::move(sources));
}
