#pragma once
// The command line of vantorel-cli.

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

extern const char* const kUsage;

// A command line that does not say what to do.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    enum Command { Help, Version, Dump, Load, Rewrite, Render, Image, Beats, ImportFixture };
    Command command = Help;
    std::string dataDir;
    std::string file; // dump of one file, the track of beats, the fixture definition
    std::optional<std::int32_t> cueId;
    std::optional<std::string> cueName; // UTF-8
    long ticks = 100;
    bool music = false;
    std::set<long> pulses; // ticks, counted from 1
    // render also sends each tick to this OLA universe, at the tick's pace.
    std::optional<unsigned> olaUniverse;
    std::optional<std::uint16_t> olaPort;
    // image: the cues in the order of the presses, the same id as often as given.
    std::vector<std::int32_t> cueIds;
    bool panel = false;
    std::optional<int> generation;
    std::string identifier; // UTF-8
    bool serialInput = false;
    std::string out;
    // import-fixture: the modes to import, all when none is named.
    std::vector<std::string> modes;
};

// Throws UsageError.
CliOptions parseCliOptions(int argc, const char* const* argv);
