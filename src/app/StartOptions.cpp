#include "app/StartOptions.h"

#include <charconv>
#include <string_view>

namespace {

// A whole number from 1 to 65535, or nothing.
std::optional<std::uint16_t> numberUpTo65535(std::string_view text)
{
    unsigned value = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

bool takeOlaOption(std::string_view option, std::string_view value, StartOptions& options, std::string& error)
{
    std::optional<std::uint16_t> number = numberUpTo65535(value);
    if (!number) {
        error = std::string(option) + " takes a number from 1 to 65535, not \"" + std::string(value) + "\"";
        return false;
    }
    if (option == "--ola-universe")
        options.olaUniverse = *number;
    else
        options.olaPort = *number;
    return true;
}

} // namespace

bool parseStartOptions(int argc, const char* const* argv, StartOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool olaOption = arg == "--ola-universe" || arg == "--ola-port";
        bool takesValue = arg == "--data-dir" || arg == "--port" || olaOption || arg == "--audio-file";
        if (!takesValue)
            continue;
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return false;
        }
        std::string value = argv[++i];
        if (olaOption) {
            if (!takeOlaOption(arg, value, options, error))
                return false;
        } else if (arg == "--data-dir") {
            options.dataDirectory = value;
        } else if (arg == "--audio-file") {
            options.audioFile = value;
        } else {
            options.ports.push_back(value);
        }
    }
    return true;
}
