#pragma once
// The command line of vantorel-cli.

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

extern const char* const kUsage;

// A command line that does not say what to do.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    enum Command { Help, Dump, Load, Rewrite, Render, Beats };
    Command command = Help;
    std::string dataDir;
    std::string file; // dump of one file, the track of beats
    std::optional<std::int32_t> cueId;
    std::optional<std::string> cueName; // UTF-8
    long ticks = 100;
    bool music = false;
    std::set<long> pulses; // ticks, counted from 1
};

// Throws UsageError.
CliOptions parseCliOptions(int argc, const char* const* argv);
