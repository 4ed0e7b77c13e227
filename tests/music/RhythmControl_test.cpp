#include "music/RhythmControl.h"
#include "music/TestAudio.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(RhythmControl, WordsTheWindowsShow)
{
    for (KyRhythmSource source : {KyRhythmSource::Module, KyRhythmSource::Audio, KyRhythmSource::Tap})
        EXPECT_EQ(rhythmSourceFromKey(rhythmSourceKey(source)), source);
    EXPECT_EQ(rhythmSourceFromKey("something else"), KyRhythmSource::Module);
    EXPECT_EQ(tempoCaption(127.96, KyRhythmSource::Audio), "128.0 BPM (audio)");
    EXPECT_EQ(tempoCaption(0, KyRhythmSource::Module), "--- BPM (moduł)");
    EXPECT_EQ(tempoCaption(90, KyRhythmSource::Tap), "90.0 BPM (tap)");
    EXPECT_EQ(levelPercent(0), 0);
    EXPECT_EQ(levelPercent(0.0001f), 0); // -80 dBFS
    EXPECT_EQ(levelPercent(0.001f), 0);  // -60 dBFS
    EXPECT_EQ(levelPercent(0.0316f), 50);
    EXPECT_EQ(levelPercent(1), 100);
    EXPECT_EQ(levelPercent(3), 100);
}

// The rehearsal file plays once: reapplying the same choice keeps it playing, and its end
// is reported; choosing audio again starts it over.
TEST(RhythmControl, PlaysTheRehearsalFileAndSaysWhenItEnded)
{
    const fs::path wav = fs::temp_directory_path() / ("vt-rhythm-" + std::to_string(::getpid()) + ".wav");
    testaudio::writeWav(wav.string(), testaudio::makeTrack(testaudio::Style::Clicks, {{120, 0.4}}, 0.05));
    KyBeatSource beats;
    KyAudioBeats audio(beats.audio());
    std::mutex lock;
    KyRhythmControl control(beats, audio, lock, wav.string());
    ASSERT_TRUE(control.apply({KyRhythmSource::Audio, "default"}));
    EXPECT_EQ(beats.source(), KyRhythmSource::Audio);
    EXPECT_EQ(control.trouble(), "");
    ASSERT_TRUE(control.apply({KyRhythmSource::Audio, "hw:9"})); // the file stands in for any input
    EXPECT_EQ(audio.state(), KyAudioBeats::Listening);
    for (int i = 0; i < 300 && audio.state() == KyAudioBeats::Listening; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(control.trouble(), "Plik odtworzony do końca.");
    ASSERT_TRUE(control.apply({KyRhythmSource::Audio, "default"}));
    EXPECT_EQ(audio.state(), KyAudioBeats::Listening);

    ASSERT_TRUE(control.apply({KyRhythmSource::Tap, "default"}));
    EXPECT_EQ(audio.state(), KyAudioBeats::Idle);
    EXPECT_EQ(beats.source(), KyRhythmSource::Tap);
    fs::remove(wav);
}

TEST(RhythmControl, AFileThatCannotPlayLeavesTheModule)
{
    const fs::path bad = fs::temp_directory_path() / ("vt-rhythm-bad-" + std::to_string(::getpid()) + ".wav");
    auto bytes = testaudio::wavBytes(testaudio::makeTrack(testaudio::Style::Clicks, {{120, 1}}));
    bytes.resize(bytes.size() - 10);
    std::ofstream(bad, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    for (const fs::path& path : {bad, fs::path("/nonexistent/track.wav")}) {
        KyBeatSource beats;
        KyAudioBeats audio(beats.audio());
        std::mutex lock;
        KyRhythmControl control(beats, audio, lock, path.string());
        EXPECT_FALSE(control.apply({KyRhythmSource::Audio, "default"}));
        EXPECT_EQ(beats.source(), KyRhythmSource::Module);
        EXPECT_EQ(control.trouble(), control.problem());
        EXPECT_TRUE(control.problem().starts_with("Nie można otworzyć pliku") ||
                    control.problem() == "Nie można odtworzyć pliku " + path.string() + ": plik jest niepełny")
            << control.problem();
    }
    fs::remove(bad);
}
