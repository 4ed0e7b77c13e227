#include "music/Wav.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kExtensible = 0xFFFE;
constexpr std::size_t kBlockFrames = 4096;

std::uint16_t u16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// One sample scaled to -1..1.
float sampleAt(const std::uint8_t* p, int bytes)
{
    switch (bytes) {
    case 1:
        return (float(p[0]) - 128.0f) / 128.0f;
    case 2:
        return float(std::int16_t(u16(p))) / 32768.0f;
    case 3:
        return float(std::int32_t(std::uint32_t(p[0]) << 8 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 24)) /
               2147483648.0f;
    default:
        return float(std::int32_t(u32(p))) / 2147483648.0f;
    }
}

} // namespace

const char* wavErrorText(KyWavError error)
{
    switch (error) {
    case KyWavError::None:
        return "no error";
    case KyWavError::NotWav:
        return "not a WAV file";
    case KyWavError::NotPcm:
        return "not PCM audio";
    case KyWavError::Unsupported:
        return "unsupported WAV format";
    case KyWavError::Truncated:
        return "truncated WAV file";
    }
    return "unreadable WAV file";
}

KyWavReader::KyWavReader(std::istream& in) : in_(in)
{
    readHeader();
    if (error_ == KyWavError::None)
        block_.resize(kBlockFrames * std::size_t(format_.channels * bytesPerSample_));
}

void KyWavReader::readHeader()
{
    const std::istream::pos_type start = in_.tellg();
    in_.seekg(0, std::ios::end);
    const std::istream::pos_type end = in_.tellg();
    in_.seekg(start);
    if (start < 0 || end < start) {
        error_ = KyWavError::NotWav;
        return;
    }
    const auto total = std::uint64_t(end - start);

    std::array<std::uint8_t, 12> riff{};
    if (!in_.read(reinterpret_cast<char*>(riff.data()), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
        error_ = KyWavError::NotWav;
        return;
    }
    std::uint64_t position = riff.size();
    bool haveFormat = false;
    for (;;) {
        std::array<std::uint8_t, 8> chunk{};
        if (!in_.read(reinterpret_cast<char*>(chunk.data()), chunk.size())) {
            error_ = haveFormat ? KyWavError::Truncated : KyWavError::NotWav;
            return;
        }
        position += chunk.size();
        const std::uint32_t size = u32(chunk.data() + 4);
        if (std::memcmp(chunk.data(), "fmt ", 4) == 0) {
            if (!readFormat(size))
                return;
            haveFormat = true;
        } else if (std::memcmp(chunk.data(), "data", 4) == 0) {
            if (!haveFormat) {
                error_ = KyWavError::NotWav;
                return;
            }
            if (position + size > total) {
                error_ = KyWavError::Truncated;
                return;
            }
            format_.frames = size / std::uint64_t(format_.channels * bytesPerSample_);
            framesLeft_ = format_.frames;
            return;
        } else {
            // Chunks are padded to an even size.
            in_.seekg(std::streamoff(size + (size & 1)), std::ios::cur);
        }
        position += size + (size & 1);
        if (position > total) {
            error_ = haveFormat ? KyWavError::Truncated : KyWavError::NotWav;
            return;
        }
    }
}

bool KyWavReader::readFormat(std::uint32_t size)
{
    std::array<std::uint8_t, 40> fmt{};
    if (size < 16) {
        error_ = KyWavError::NotWav;
        return false;
    }
    const std::uint32_t kept = std::min<std::uint32_t>(size, fmt.size());
    if (!in_.read(reinterpret_cast<char*>(fmt.data()), kept)) {
        error_ = KyWavError::Truncated;
        return false;
    }
    in_.seekg(std::streamoff(size - kept + (size & 1)), std::ios::cur);
    std::uint16_t tag = u16(fmt.data());
    if (tag == kExtensible && kept >= 26)
        tag = u16(fmt.data() + 24); // the sub-format's first two bytes
    if (tag != kPcm) {
        error_ = KyWavError::NotPcm;
        return false;
    }
    format_.channels = u16(fmt.data() + 2);
    const std::uint32_t rate = u32(fmt.data() + 4);
    const std::uint16_t blockAlign = u16(fmt.data() + 12);
    format_.bitsPerSample = u16(fmt.data() + 14);
    bytesPerSample_ = (format_.bitsPerSample + 7) / 8;
    const bool supported = format_.channels >= 1 && format_.channels <= kMaxChannels && bytesPerSample_ >= 1 &&
                           bytesPerSample_ <= 4 && format_.bitsPerSample >= 8 &&
                           blockAlign == format_.channels * bytesPerSample_ && rate >= kMinSampleRate &&
                           rate <= kMaxSampleRate;
    if (!supported) {
        error_ = KyWavError::Unsupported;
        return false;
    }
    format_.sampleRate = int(rate);
    return true;
}

std::size_t KyWavReader::read(std::span<float> out)
{
    if (error_ != KyWavError::None)
        return 0;
    const std::size_t frames = std::min<std::uint64_t>({out.size(), kBlockFrames, framesLeft_});
    const std::size_t frameBytes = std::size_t(format_.channels * bytesPerSample_);
    if (frames == 0)
        return 0;
    if (!in_.read(reinterpret_cast<char*>(block_.data()), std::streamsize(frames * frameBytes))) {
        error_ = KyWavError::Truncated;
        return 0;
    }
    framesLeft_ -= frames;
    const float share = 1.0f / float(format_.channels);
    const std::uint8_t* p = block_.data();
    for (std::size_t f = 0; f < frames; ++f) {
        float sum = 0;
        for (int c = 0; c < format_.channels; ++c, p += bytesPerSample_)
            sum += sampleAt(p, bytesPerSample_);
        out[f] = sum * share;
    }
    return frames;
}
