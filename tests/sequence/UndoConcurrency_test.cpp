// Undo and redo on the window side while the timer runs the tick: the sequence editor's
// recording gestures and scene edits against the editor's tick, and installation steps against
// the main tick with the blackout reading the installed devices. Run under ThreadSanitizer by
// the test command.

#include "app/Show.h"
#include "common/ListChange.h"
#include "common/MMTimer.h"
#include "sequence/SequenceEdit.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

// Steps as an undo stack keeps them: the newest last, at most `limit`.
struct Steps {
    std::deque<std::unique_ptr<KyChange>> done, undone;

    void push(std::unique_ptr<KyChange> change)
    {
        if (!change)
            return;
        done.push_back(std::move(change));
        undone.clear();
        if (done.size() > 200)
            done.pop_front();
    }
    // A refused step is dropped, as the stack drops it.
    void undo()
    {
        if (done.empty())
            return;
        auto change = std::move(done.back());
        done.pop_back();
        if (change->undo())
            undone.push_back(std::move(change));
    }
    void redo()
    {
        if (undone.empty())
            return;
        auto change = std::move(undone.back());
        undone.pop_back();
        if (change->redo())
            done.push_back(std::move(change));
    }
};

void runFor(std::atomic<int>& ticks, const std::function<void(int round)>& round)
{
    using namespace std::chrono;
    const auto start = steady_clock::now();
    for (int r = 0;; ++r) {
        const auto elapsed = duration_cast<milliseconds>(steady_clock::now() - start).count();
        if ((elapsed > 300 && ticks >= 30) || elapsed > 20000)
            break;
        round(r);
        std::this_thread::yield();
    }
}

} // namespace

TEST(UndoConcurrency, UndoAndRedoAgainstTheRunningTick)
{
    KyShow show(DataPaths::in("/nonexistent"));
    KySequenceEdit edit(show.dmx, show.seque);
    std::atomic<int> ticks{0};
    TMMTimer timer;
    timer.SetInterval(1);
    timer.setOnMMTimer([&](TMMTimer&) {
        std::lock_guard lock(show.showLock());
        editorTick(show.dmx, show.usb, show.inputChanged);
        ++ticks;
    });
    {
        std::lock_guard lock(show.showLock());
        edit.open();
    }
    timer.setEnabled(true);

    Steps sequenceSteps;
    runFor(ticks, [&](int round) {
        std::lock_guard lock(show.showLock());
        switch (round % 8) {
        case 0: edit.addScene(); break;
        case 1: edit.stepTime(KySequenceEdit::kTenth, true); break;
        case 2: edit.startPreview(); break;
        case 3: edit.stopPreview(); break;
        case 4: sequenceSteps.undo(); break;
        case 5: sequenceSteps.redo(); break;
        default: // a gesture: several writes, one step
            for (int v = 0; v < 4; ++v)
                show.dmx.setManual(round % 32, static_cast<std::uint8_t>(round + v));
            break;
        }
        sequenceSteps.push(edit.takeChange());
    });

    // The main tick reads the installed devices while the blackout is on.
    ticks = 0;
    timer.setOnMMTimer([&](TMMTimer&) {
        show.tick();
        ++ticks;
    });
    {
        std::lock_guard lock(show.showLock());
        edit.close();
        KyDevice type;
        type.blackout.active = true;
        type.blackout.setValue(1, 0);
        show.library.addDevice(type);
        show.usb.blackoutActive = true;
    }
    using Devices = KyListChange<KyClubDevice>;
    Steps installationSteps;
    runFor(ticks, [&](int round) {
        std::lock_guard lock(show.showLock());
        KyClub& club = show.library.club;
        const auto before = Devices::take(club.clubDevices, true);
        switch (round % 4) {
        case 0:
            if (club.clubDeviceCount() < 20)
                club.addClubDevice(KyClubDevice(show.library.deviceAt(0)));
            break;
        case 1: installationSteps.undo(); break;
        case 2: installationSteps.redo(); break;
        default:
            if (club.clubDeviceCount() > 0)
                club.clubDeviceAt(0)->startAddress = 1 + round % 400;
            break;
        }
        installationSteps.push(Devices::since(club.clubDevices, before));
        show.rebuildIcons();
    });
    timer.setEnabled(false);
    EXPECT_GE(ticks.load(), 30);
}
