#include "app/StartOptions.h"

#include <string_view>

bool parseStartOptions(int argc, const char* const* argv, StartOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool takesValue = arg == "--data-dir" || arg == "--port" || arg == "--audio-file";
        if (!takesValue)
            continue;
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return false;
        }
        std::string value = argv[++i];
        if (arg == "--data-dir")
            options.dataDirectory = value;
        else if (arg == "--audio-file")
            options.audioFile = value;
        else
            options.ports.push_back(value);
    }
    return true;
}
