// The real timer ticking the show while the audio thread plays a file into the beat source
// and the window side switches sources, taps and reads the tempo and level. Run under
// ThreadSanitizer too.

#include "app/Show.h"
#include "common/MMTimer.h"
#include "music/RhythmControl.h"
#include "music/TestAudio.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

TEST(MusicConcurrency, TickAgainstTheAudioThreadAndSourceChanges)
{
    const auto wav = std::filesystem::temp_directory_path() / ("vt-music-" + std::to_string(::getpid()) + ".wav");
    testaudio::writeWav(wav.string(), testaudio::makeTrack(testaudio::Style::Clicks, {{174, 3}}, 0.1));
    KyShow show(DataPaths::in("/nonexistent"));
    KyRhythmControl control(show.beats, show.audioBeats, show.showLock(), wav.string());
    {
        std::lock_guard lock(show.showLock());
        show.musicMode = true;
        show.dmx.liveCue().zoneEngine(0).music = true;
    }
    TMMTimer timer;
    timer.SetInterval(2);
    std::atomic<int> ticks{0};
    timer.setOnMMTimer([&](TMMTimer&) {
        show.tick();
        ++ticks;
    });
    timer.setEnabled(true);

    ASSERT_TRUE(control.apply({KyRhythmSource::Audio, "default"}));
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2500);
    double heard = 0;
    for (int round = 0; std::chrono::steady_clock::now() < until; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        {
            std::lock_guard lock(show.showLock());
            heard = std::max(heard, show.beats.bpm());
            if (round % 50 == 49)
                show.beats.tap(KyClock::now());
        }
        volatile float level = show.beats.audio().level();
        (void)level;
        if (round == 300) // the file has had time to lock; now the window switches away and back
            control.apply({KyRhythmSource::Tap, "default"});
        if (round == 320)
            control.apply({KyRhythmSource::Audio, "default"});
    }
    timer.setEnabled(false);
    control.apply({KyRhythmSource::Module, "default"});
    std::filesystem::remove(wav);
    EXPECT_GT(ticks.load(), 100);
    EXPECT_GT(heard, 100.0) << "the tempo of the file reached the tick's side";
}
