#include "Options.h"

#include <charconv>
#include <limits>
#include <string_view>
#include <vector>

const char* const kUsage =
    "usage: vantorel-cli dump --data-dir DIR\n"
    "       vantorel-cli dump FILE            (.dev, .vtg, or a data file by its name)\n"
    "       vantorel-cli load --data-dir DIR  < show.json\n"
    "       vantorel-cli rewrite --data-dir DIR\n"
    "       vantorel-cli render --data-dir DIR (--cue-id N | --cue NAME) [--ticks N] [--music]\n"
    "                           [--pulses T1,T2,...] [--ola-universe N [--ola-port P]]\n"
    "       vantorel-cli image --data-dir DIR [--cue-id N]... [--panel] --generation G [--id TEXT]\n"
    "                          [--serial-input] --out FILE\n"
    "       vantorel-cli beats FILE.wav\n"
    "       vantorel-cli import-fixture --data-dir DIR FILE.qxf [--mode NAME]...\n"
    "       vantorel-cli --help | --version\n";

namespace {

template <class T>
T number(std::string_view text, T lowest, const char* option, T highest = std::numeric_limits<T>::max())
{
    T v{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || v < lowest || v > highest) {
        std::string range = std::to_string(lowest);
        if (highest != std::numeric_limits<T>::max())
            range += " to " + std::to_string(highest);
        throw UsageError(std::string(option) + " takes a number from " + range + ", not \"" + std::string(text) + "\"");
    }
    return v;
}

std::set<long> tickList(std::string_view text)
{
    std::set<long> ticks;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        ticks.insert(number<long>(text.substr(start, comma - start), 1, "--pulses"));
        if (comma == std::string_view::npos)
            return ticks;
        start = comma + 1;
    }
}

CliOptions::Command commandNamed(std::string_view name)
{
    if (name == "dump")
        return CliOptions::Dump;
    if (name == "load")
        return CliOptions::Load;
    if (name == "rewrite")
        return CliOptions::Rewrite;
    if (name == "render")
        return CliOptions::Render;
    if (name == "image")
        return CliOptions::Image;
    if (name == "beats")
        return CliOptions::Beats;
    if (name == "import-fixture")
        return CliOptions::ImportFixture;
    if (name == "--help" || name == "-h")
        return CliOptions::Help;
    if (name == "--version" || name == "-v")
        return CliOptions::Version;
    throw UsageError("unknown command \"" + std::string(name) + "\"");
}

void check(bool ok, const char* problem)
{
    if (!ok)
        throw UsageError(problem);
}

void checkCombination(const CliOptions& o, bool renderOptions, bool imageOptions)
{
    using C = CliOptions;
    if (o.command == C::Dump)
        check(o.dataDir.empty() != o.file.empty(), "dump takes either --data-dir DIR or one FILE");
    else if (o.command == C::Beats)
        check(o.dataDir.empty() && !o.file.empty(), "beats takes one FILE.wav");
    else
        check(!o.dataDir.empty(), "--data-dir DIR is missing");
    if (o.command == C::ImportFixture)
        check(!o.file.empty(), "import-fixture takes one FILE.qxf");
    check(o.command == C::Dump || o.command == C::Beats || o.command == C::ImportFixture || o.file.empty(),
          "unexpected argument");
    check(o.command == C::ImportFixture || o.modes.empty(), "only import-fixture takes --mode");
    check(o.command == C::Render || !renderOptions,
          "only render takes --cue, --ticks, --music, --pulses, --ola-universe, --ola-port");
    check(o.command == C::Image || !imageOptions, "only image takes --panel, --generation, --id, --serial-input, --out");
    check(o.command == C::Render || o.command == C::Image || o.cueIds.empty(), "only render and image take --cue-id");
    if (o.command == C::Render) {
        check(o.cueId.has_value() != o.cueName.has_value(), "render takes one of --cue-id N and --cue NAME");
        check(o.olaUniverse.has_value() || !o.olaPort.has_value(), "--ola-port goes with --ola-universe N");
    }
    if (o.command == C::Image)
        check(o.generation.has_value() && !o.out.empty(), "image takes --generation G and --out FILE");
}

} // namespace

CliOptions parseCliOptions(int argc, const char* const* argv)
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty())
        throw UsageError("no command");
    CliOptions o;
    o.command = commandNamed(args[0]);
    if (o.command == CliOptions::Help || o.command == CliOptions::Version)
        return o;
    bool renderOptions = false;
    bool imageOptions = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "-v") {
            o.command = commandNamed(arg);
            return o;
        }
        auto value = [&]() -> std::string_view {
            if (i + 1 >= args.size())
                throw UsageError(std::string(arg) + " needs a value");
            return args[++i];
        };
        if (arg == "--data-dir") {
            o.dataDir = value();
            check(!o.dataDir.empty(), "--data-dir needs a directory");
        } else if (!arg.starts_with("-") && o.file.empty()) {
            o.file = arg;
        } else if (arg == "--mode") {
            o.modes.emplace_back(value());
        } else if (arg == "--cue-id") {
            o.cueId = number<std::int32_t>(value(), std::numeric_limits<std::int32_t>::min(), "--cue-id");
            o.cueIds.push_back(*o.cueId);
        } else if (arg == "--panel" || arg == "--generation" || arg == "--id" || arg == "--serial-input" ||
                   arg == "--out") {
            imageOptions = true;
            if (arg == "--panel")
                o.panel = true;
            else if (arg == "--generation")
                o.generation = number<int>(value(), 0, "--generation");
            else if (arg == "--id")
                o.identifier = value();
            else if (arg == "--serial-input")
                o.serialInput = true;
            else
                o.out = value();
        } else {
            renderOptions = true;
            if (arg == "--cue")
                o.cueName = value();
            else if (arg == "--ticks")
                o.ticks = number<long>(value(), 0, "--ticks");
            else if (arg == "--music")
                o.music = true;
            else if (arg == "--pulses")
                o.pulses = tickList(value());
            else if (arg == "--ola-universe")
                o.olaUniverse = number<unsigned>(value(), 1, "--ola-universe", 65535);
            else if (arg == "--ola-port")
                o.olaPort = static_cast<std::uint16_t>(number<unsigned>(value(), 1, "--ola-port", 65535));
            else
                throw UsageError("unexpected argument \"" + std::string(arg) + "\"");
        }
    }
    checkCombination(o, renderOptions, imageOptions);
    return o;
}
