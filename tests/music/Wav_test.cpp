#include "music/TestAudio.h"
#include "music/Wav.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace testaudio;

namespace {

std::istringstream streamOf(const std::vector<std::uint8_t>& bytes)
{
    return std::istringstream(std::string(bytes.begin(), bytes.end()));
}

Track ramp()
{
    Track track;
    for (int i = 0; i < 5000; ++i)
        track.samples.push_back(float(i % 200 - 100) / 128.0f);
    return track;
}

std::vector<float> readAll(KyWavReader& reader, std::size_t block)
{
    std::vector<float> all, part(block);
    while (std::size_t n = reader.read(part))
        all.insert(all.end(), part.begin(), part.begin() + long(n));
    return all;
}

void setU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t v)
{
    bytes[at] = std::uint8_t(v);
    bytes[at + 1] = std::uint8_t(v >> 8);
}

} // namespace

TEST(Wav, ReadsEveryIntegerLayoutAsMono)
{
    const Track track = ramp();
    for (int bits : {8, 16, 24, 32}) {
        for (int channels : {1, 2, 6}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(channels) + " channels");
            auto in = streamOf(wavBytes(track, channels, bits));
            KyWavReader reader(in);
            ASSERT_EQ(reader.error(), KyWavError::None);
            EXPECT_EQ(reader.format().sampleRate, kSampleRate);
            EXPECT_EQ(reader.format().frames, track.samples.size());
            const auto samples = readAll(reader, 777);
            ASSERT_EQ(samples.size(), track.samples.size());
            for (std::size_t i = 0; i < samples.size(); i += 97)
                EXPECT_NEAR(samples[i], track.samples[i], 1.0 / 100);
        }
    }
}

// Chunks other than the format and the data are stepped over, odd sizes with their pad
// byte; the extensible header counts when its sub-format is PCM.
TEST(Wav, SkipsOtherChunksAndReadsTheExtensibleHeader)
{
    const Track track = ramp();
    auto bytes = wavBytes(track);
    const std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 36, list.begin(), list.end());
    auto in = streamOf(bytes);
    KyWavReader reader(in);
    ASSERT_EQ(reader.error(), KyWavError::None);
    EXPECT_EQ(readAll(reader, 4096).size(), track.samples.size());

    auto extensible = wavBytes(track);
    std::vector<std::uint8_t> tail(24, 0);
    tail[0] = 22;           // cbSize
    tail[8] = 1;            // sub-format: PCM
    extensible[16] = 40;    // fmt chunk size
    setU16(extensible, 20, 0xFFFE);
    extensible.insert(extensible.begin() + 36, tail.begin(), tail.end());
    auto in2 = streamOf(extensible);
    KyWavReader reader2(in2);
    EXPECT_EQ(reader2.error(), KyWavError::None);
    EXPECT_EQ(readAll(reader2, 100).size(), track.samples.size());
}

TEST(Wav, RefusesWhatItCannotRead)
{
    const auto good = wavBytes(ramp());
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        KyWavError error;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, KyWavError::NotWav});
    cases.push_back({"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}, KyWavError::NotWav});
    auto cut = good;
    cut.resize(good.size() - 1000);
    cases.push_back({"cut short", cut, KyWavError::Truncated});
    auto headerOnly = good;
    headerOnly.resize(30);
    cases.push_back({"cut in the format", headerOnly, KyWavError::Truncated});
    auto floats = good;
    setU16(floats, 20, 3);
    cases.push_back({"IEEE float", floats, KyWavError::NotPcm});
    auto noFormat = good;
    std::copy_n("junk", 4, noFormat.begin() + 12);
    cases.push_back({"data before any format", noFormat, KyWavError::NotWav});
    auto badAlign = good;
    setU16(badAlign, 32, 3);
    cases.push_back({"block size that does not fit", badAlign, KyWavError::Unsupported});
    auto noRate = good;
    std::fill_n(noRate.begin() + 24, 4, 0);
    cases.push_back({"no sample rate", noRate, KyWavError::Unsupported});
    auto noChannels = good;
    setU16(noChannels, 22, 0);
    cases.push_back({"no channels", noChannels, KyWavError::Unsupported});
    auto huge = good;
    std::fill_n(huge.begin() + 40, 4, 0xFF);
    cases.push_back({"data larger than the file", huge, KyWavError::Truncated});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto in = streamOf(c.bytes);
        KyWavReader reader(in);
        EXPECT_EQ(reader.error(), c.error);
        std::vector<float> out(64);
        EXPECT_EQ(reader.read(out), 0u);
    }
}
