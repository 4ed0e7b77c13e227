// vantorel-cli beats: a track analysed by the live beat tracker, fed as fast as it goes.
#include "Commands.h"

#include "music/BeatTracker.h"
#include "music/Wav.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <stdexcept>

namespace {

void printLine(std::ostream& out, const char* format, double value)
{
    std::array<char, 64> line{};
    std::snprintf(line.data(), line.size(), format, value);
    out << line.data();
}

} // namespace

void beatsCommand(const CliOptions& options, std::ostream& out)
{
    std::ifstream file(options.file, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + options.file);
    KyWavReader reader(file);
    if (reader.error() != KyWavError::None)
        throw std::runtime_error(options.file + ": " + wavErrorText(reader.error()));
    KyBeatTracker tracker(reader.format().sampleRate);
    std::array<float, 4096> block{};
    while (const std::size_t frames = reader.read(block))
        tracker.process(std::span(block.data(), frames), [&](double seconds) { printLine(out, "%.3f\n", seconds); });
    if (reader.error() != KyWavError::None)
        throw std::runtime_error(options.file + ": " + wavErrorText(reader.error()));
    printLine(out, "tempo: %.1f BPM\n", tracker.bpm());
}
