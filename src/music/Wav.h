#pragma once
// Reading WAV files of integer PCM as mono samples, a block at a time, for the beat tracker
// (rehearsal playback and the command line). Any bytes are refused cleanly.

#include <cstdint>
#include <iosfwd>
#include <span>
#include <vector>

enum class KyWavError : std::uint8_t { None, NotWav, NotPcm, Unsupported, Truncated };

// English, for the command line: "not a WAV file" and the like.
const char* wavErrorText(KyWavError error);

struct KyWavFormat {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    std::uint64_t frames = 0;
};

class KyWavReader {
public:
    static constexpr int kMinSampleRate = 8000;
    static constexpr int kMaxSampleRate = 384000;
    static constexpr int kMaxChannels = 64;

    // Reads the header from the stream's current position; `in` must outlive the reader.
    // A file whose audio data is shorter than its header says is refused as truncated.
    explicit KyWavReader(std::istream& in);

    KyWavError error() const { return error_; }
    const KyWavFormat& format() const { return format_; }

    // Decodes up to out.size() frames, channels averaged; 0 at the end of the data. A read
    // that fails half-way (the file shrank) sets error() to Truncated.
    std::size_t read(std::span<float> out);

private:
    void readHeader();
    bool readFormat(std::uint32_t size);

    std::istream& in_;
    KyWavError error_ = KyWavError::None;
    KyWavFormat format_;
    int bytesPerSample_ = 0;
    std::uint64_t framesLeft_ = 0;
    std::vector<std::uint8_t> block_;
};
