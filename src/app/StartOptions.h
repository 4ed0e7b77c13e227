#pragma once
// Command-line options of the program.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct StartOptions {
    std::string dataDirectory;      // empty: the default folder (app/DataFolder.h)
    std::vector<std::string> ports; // extra serial ports to probe, from --port
    std::string audioFile;          // --audio-file: a WAV file stands in for the audio input
    std::string language;           // --language pl|en for this run; empty: the operator's choice
    // Whether the machine's serial ports and VANTOREL_PORTS are probed too. The program turns
    // it on; anything else that builds a main window (tests) stays off the machine's ports.
    bool listSystemPorts = false;
    // The OLA output for this run only, over the user's saved choice: --ola-universe N turns
    // it on for universe N, --ola-port P names the daemon's port.
    std::optional<unsigned> olaUniverse;
    std::optional<std::uint16_t> olaPort;
    // The web remote for this run only: --remote-port P turns it on at port P, --remote-code
    // NNNNNN (six digits) is its access code.
    std::optional<std::uint16_t> remotePort;
    std::string remoteCode;
    // OSC for this run only: --osc-port P turns it on at port P.
    std::optional<std::uint16_t> oscPort;
    // --help or --version: the program prints startUsage() or its version and ends.
    bool helpRequested = false;
    bool versionRequested = false;
};

// Reads the whole command line before the toolkit starts, so that --help, --version and a
// refused line need no display: --data-dir DIR, any number of --port PATH, --ola-universe N
// and --ola-port P (1-65535), --audio-file FILE, --remote-port P, --remote-code NNNNNN, --osc-port P,
// --help
// and --version. The toolkit's own options (-platform, -style ...) pass unread; the toolkit
// takes them when it starts. An unknown option, an option without its value, a value out of
// range or a stray argument returns false with a one-line message in `error`.
bool parseStartOptions(int argc, const char* const* argv, StartOptions& options, std::string& error);

// What --help prints and a refused command line shows after its message.
std::string startUsage();
