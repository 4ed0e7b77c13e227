#pragma once
// The list of serial ports that the module link probes: the system's serial devices and the
// paths the operator names. A port that disappears or appears changes the count, which is
// what wakes the link's reconnection.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct SerialPortSources {
    std::string ttyClassDirectory = "/sys/class/tty"; // empty: no system ports
    std::string deviceDirectory = "/dev";
    std::vector<std::string> givenPaths; // --port paths, then the VANTOREL_PORTS ones
};

// The system's ports in natural name order, then the given paths that exist now, in their
// order; no path twice.
std::vector<std::string> listSerialPorts(const SerialPortSources& sources);

// Splits a colon-separated list, dropping empty parts.
std::vector<std::string> splitPortList(std::string_view list);

// The paths in the environment variable VANTOREL_PORTS.
std::vector<std::string> portsFromEnvironment();

using SerialPortLister = std::function<std::vector<std::string>()>;
SerialPortLister serialPortLister(SerialPortSources sources);
