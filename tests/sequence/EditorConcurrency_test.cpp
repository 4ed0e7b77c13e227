// The real timer running the sequence editor's tick while the window side records, edits the
// scenes, previews, stores sequences and swaps the tick handlers the way the editor does. Run
// under ThreadSanitizer by the test command.

#include "app/Show.h"
#include "common/MMTimer.h"
#include "sequence/SequenceEdit.h"
#include "sequence/SequenceFile.h"
#include "support/PlaybackLoad.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(EditorConcurrency, EditorTickAgainstTheEditorsOperations)
{
    KyShow show(DataPaths::in("/nonexistent"));
    KySequenceEdit edit(show.dmx, show.seque);
    std::atomic<int> editorTicks{0};
    std::atomic<int> mainTicks{0};
    const TMMTimer::Handler mainTick = [&](TMMTimer&) {
        show.tick();
        ++mainTicks;
    };
    const TMMTimer::Handler editorHandler = [&](TMMTimer&) {
        std::lock_guard lock(show.showLock());
        editorTick(show.dmx, show.usb, show.inputChanged);
        ++editorTicks;
    };
    {
        std::lock_guard lock(show.showLock());
        show.seque.addSequence(*playback_load::fullSequence(0, 3, 2));
        KyCue& live = show.dmx.liveCue();
        live.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(0));
        live.play();
    }
    TMMTimer timer;
    timer.SetInterval(1);
    timer.setOnMMTimer(mainTick);
    timer.setEnabled(true);

    // The editor opens and closes every 20 ms, until both ticks have run often enough.
    using namespace std::chrono;
    const auto start = steady_clock::now();
    bool open = false;
    for (int round = 0;; ++round) {
        const auto elapsed = duration_cast<milliseconds>(steady_clock::now() - start).count();
        const bool done = elapsed > 400 && editorTicks >= 20 && mainTicks >= 20;
        if (done || elapsed > 20000)
            break;
        if (open != ((elapsed / 20) % 2 == 0)) {
            open = !open;
            if (open) {
                {
                    std::lock_guard lock(show.showLock());
                    show.dmx.liveCue().stop();
                    edit.open();
                }
                timer.setOnMMTimer(editorHandler);
            } else {
                timer.setOnMMTimer(mainTick);
                std::lock_guard lock(show.showLock());
                edit.close();
                show.dmx.liveCue().play();
            }
        }
        {
            std::lock_guard lock(show.showLock());
            show.dmx.setManual(round % 64, static_cast<std::uint8_t>(round));
            switch (round % 10) {
            case 1: edit.addScene(); break;
            case 2: edit.stepTime(KySequenceEdit::kTenth, round % 4 == 2); break;
            case 3: edit.startPreview(); break;
            case 5: edit.stopPreview(); break;
            case 6: edit.eraseScene(); break;
            case 7: // a few stored sequences are enough
                show.seque.sequenceCount() < 8 ? edit.saveAs("S") : static_cast<void>(edit.save());
                break;
            case 8: show.dmx.releaseChannel(round % 64); break;
            default: break;
            }
        }
        if (round % 25 == 9) { // a load runs one main tick with the timer held off
            timer.setEnabled(false);
            show.tick();
            timer.setEnabled(true);
            std::lock_guard lock(show.showLock());
            edit.load(0);
        }
        std::this_thread::yield();
    }
    timer.setEnabled(false);
    EXPECT_GE(editorTicks.load(), 20);
    EXPECT_GE(mainTicks.load(), 20);
}
