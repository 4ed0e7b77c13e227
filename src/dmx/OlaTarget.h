#pragma once
// Where the OLA output sends the universe, and the rules the "Wyjście OLA" window and the
// command line follow for it. The choice is the user's, kept in the user's settings.

#include <cstdint>
#include <optional>
#include <string>

struct KyOlaTarget {
    static constexpr unsigned kMinUniverse = 1;
    static constexpr unsigned kMaxUniverse = 65535;
    static constexpr std::uint16_t kDefaultPort = 9010; // the OLA daemon's own default

    bool enabled = false;
    unsigned universe = kMinUniverse;
    std::uint16_t port = kDefaultPort;

    bool operator==(const KyOlaTarget&) const = default;
};

// A target read from settings that someone may have edited by hand: the universe kept within
// its range, port 0 taken for the default.
KyOlaTarget boundedOlaTarget(bool enabled, long long universe, long long port);

// The command line's choice for one run: a universe turns the output on for it.
KyOlaTarget withStartOverrides(KyOlaTarget saved, std::optional<unsigned> universe, std::optional<std::uint16_t> port);

// The window's state line, UTF-8.
std::string olaStateText(bool connected, unsigned universe);
