// WAV files from any bytes: a file is refused or read whole, never past its data, with
// every sample within -1..1 and no more frames than its header declares.
#include "music/Wav.h"

#include <array>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    KyWavReader reader(in);
    std::array<float, 1000> block{};
    std::uint64_t frames = 0;
    while (const std::size_t n = reader.read(block)) {
        frames += n;
        for (std::size_t i = 0; i < n; ++i)
            if (!(block[i] >= -1.0f && block[i] <= 1.0f))
                __builtin_trap();
    }
    if (frames > reader.format().frames || (reader.error() == KyWavError::None && frames != reader.format().frames))
        __builtin_trap();
    return 0;
}
