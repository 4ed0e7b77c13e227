#include "dmx/SerialPorts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// "ttyUSB2" before "ttyUSB10": runs of digits compare by value.
bool naturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (digitA && digitB) {
            std::size_t endA = a.find_first_not_of("0123456789", i);
            std::size_t endB = b.find_first_not_of("0123456789", j);
            endA = endA == std::string::npos ? a.size() : endA;
            endB = endB == std::string::npos ? b.size() : endB;
            auto numA = std::string_view(a).substr(i, endA - i);
            auto numB = std::string_view(b).substr(j, endB - j);
            numA.remove_prefix(std::min(numA.find_first_not_of('0'), numA.size()));
            numB.remove_prefix(std::min(numB.find_first_not_of('0'), numB.size()));
            if (numA.size() != numB.size())
                return numA.size() < numB.size();
            if (numA != numB)
                return numA < numB;
            i = endA;
            j = endB;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// A tty with hardware behind it. Legacy 8250 ports that no UART answers sit on the platform
// bus (older kernels) or report UART type 0 (newer kernels); both are skipped.
bool isRealSerialDevice(const fs::path& ttyEntry)
{
    std::error_code error;
    if (!fs::exists(ttyEntry / "device", error))
        return false;
    fs::path subsystem = fs::canonical(ttyEntry / "device" / "subsystem", error);
    if (!error && subsystem.filename() == "platform")
        return false;
    return !fs::exists(ttyEntry / "type", error) || firstLine(ttyEntry / "type") != "0";
}

std::vector<std::string> systemPorts(const SerialPortSources& sources)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sources.ttyClassDirectory, error)) {
        std::string name = entry.path().filename().string();
        if (isRealSerialDevice(entry.path()) && fs::exists(fs::path(sources.deviceDirectory) / name, error))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), naturalLess);
    std::vector<std::string> paths;
    for (const auto& name : names)
        paths.push_back((fs::path(sources.deviceDirectory) / name).string());
    return paths;
}

} // namespace

std::vector<std::string> listSerialPorts(const SerialPortSources& sources)
{
    std::vector<std::string> ports;
    if (!sources.ttyClassDirectory.empty())
        ports = systemPorts(sources);
    for (const auto& path : sources.givenPaths) {
        std::error_code error;
        if (fs::exists(path, error) && std::find(ports.begin(), ports.end(), path) == ports.end())
            ports.push_back(path);
    }
    return ports;
}

std::vector<std::string> splitPortList(std::string_view list)
{
    std::vector<std::string> paths;
    while (!list.empty()) {
        std::size_t colon = std::min(list.find(':'), list.size());
        if (colon > 0)
            paths.emplace_back(list.substr(0, colon));
        list.remove_prefix(std::min(colon + 1, list.size()));
    }
    return paths;
}

std::vector<std::string> portsFromEnvironment()
{
    const char* value = std::getenv("VANTOREL_PORTS");
    return value ? splitPortList(value) : std::vector<std::string>{};
}

SerialPortLister serialPortLister(SerialPortSources sources)
{
    return [sources = std::move(sources)] { return listSerialPorts(sources); };
}
