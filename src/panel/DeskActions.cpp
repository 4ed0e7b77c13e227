#include "panel/DeskActions.h"

#include "sequence/CueGlobals.h"
#include "cue/CueStart.h"
#include "cue/Dmx_space.h"
#include "common/PTrackBar.h"
#include "generator/GeneratorScale.h"
#include "cue/Seque.h"

#include <QAction>

#include <algorithm>

namespace {

bool within(int value, int end)
{
    return value >= 0 && value < end;
}

} // namespace

TDeskControls deskControlsOf(const QObject& mainWindow)
{
    auto action = [&](const char* name) { return mainWindow.findChild<QAction*>(QString::fromLatin1(name)); };
    auto bar = [&](const char* name) { return mainWindow.findChild<TPTrackBar*>(QString::fromLatin1(name)); };
    return {action("BlackoutAction"),   action("ManualOffAction"),   action("MusicAction"),
            action("TapAction"),        action("DirectPanelAction"), bar("CueSpeedTBar"),
            bar("GeneratorSpeedTBar"), bar("GeneratorAmplitudeTBar")};
}

TDeskActions::TDeskActions(KyPanel& panel, KySeque& store, KyDmxSpace& dmx, std::mutex& showLock, QObject* parent)
    : QObject(parent), panel_(panel), store_(store), dmx_(dmx), showLock_(showLock)
{
    std::lock_guard lock(showLock_);
    cueGlobals().panelListener = [this] { resetSpeedShift(); };
}

TDeskActions::~TDeskActions()
{
    std::lock_guard lock(showLock_);
    cueGlobals().panelListener = nullptr;
}

bool TDeskActions::panelAvailable() const
{
    return !controls_.panel || controls_.panel->isEnabled();
}

// ---- Cue buttons

void TDeskActions::pressCueButton(int k)
{
    if (!within(k, KyCueButtons::kButtons))
        return;
    emit acted({KyControlAction::CueButton, 0, std::int8_t(panel_.cueButtons.page), std::int8_t(k)});
    KyToggle pressed = panel_.cueButtons.toggle(k);
    if (pressed.outcome == KyToggle::NothingDone)
        return;
    {
        std::lock_guard lock(showLock_);
        startCue(dmx_.liveCue(), pressed.outcome == KyToggle::Selected ? store_.findCue(pressed.id) : nullptr);
    }
    resetSpeedShift();
    for (KySeqButtons& column : panel_.seqButtons)
        column.unlightAll();
    emit liveCueReplaced();
    emit liveZonesChanged();
}

void TDeskActions::showCuePage(int page)
{
    if (!within(page, KyCueButtons::kPages))
        return;
    emit acted({KyControlAction::CuePage, 0, std::int8_t(page), 0});
    panel_.cueButtons.page = page;
    emit cueBlockChanged();
}

void TDeskActions::stepCue(int step)
{
    step = step < 0 ? -1 : 1;
    emit acted({step < 0 ? KyControlAction::PreviousCue : KyControlAction::NextCue});
    constexpr int perPage = KyCueButtons::kButtons;
    constexpr int count = KyCueButtons::kPages * perPage;
    KyCueButtons& block = panel_.cueButtons;
    auto at = [&](int i) -> KyButton& { return block.pages[std::size_t(i / perPage)][std::size_t(i % perPage)]; };
    int lit = -1;
    for (int i = 0; i < count; ++i)
        if (at(i).shownLit())
            lit = i;
    const int from = lit >= 0 ? lit : block.page * perPage - (step > 0 ? 1 : 0);
    for (int n = 1; n <= count; ++n) {
        const int i = ((from + step * n) % count + count) % count;
        if (i == lit || at(i).id == 0 || !store_.findCue(at(i).id))
            continue;
        block.page = i / perPage;
        pressCueButton(i % perPage);
        return;
    }
}

// ---- Sequence buttons

bool TDeskActions::playSequenceButton(int zone, int k)
{
    KySeqButtons& column = panel_.seqButtons[std::size_t(zone)];
    KyToggle pressed = column.toggle(k);
    if (pressed.outcome == KyToggle::NothingDone)
        return false;
    const KyButton& button = column.button(k);
    auto sequence = pressed.outcome == KyToggle::Selected ? store_.findSharedSequence(pressed.id) : nullptr;
    KySeqEngine engine = sequence ? KySeqEngine(sequence) : KySeqEngine();
    engine.music = button.musicPulses != 0;
    engine.beatsPerStep = button.musicPulses != 0 ? static_cast<std::uint32_t>(button.musicPulses) : 1;

    std::lock_guard lock(showLock_);
    KyCue& live = dmx_.liveCue();
    KySeqEngine& playing = live.zoneEngine(zone);
    playing = std::move(engine);
    if (live.playState != KyCue::Stopped)
        playing.play();
    if (live.generatorState != KyCue::Stopped) {
        playing.stopGenerators();
        playing.playGenerators();
    }
    return true;
}

// Starts the column's remembered button again, on its own page, from the beginning.
void TDeskActions::playRememberedButton(int zone)
{
    const Remembered& remembered = remembered_[std::size_t(zone)];
    if (remembered.button < 0)
        return;
    KySeqButtons& model = panel_.seqButtons[std::size_t(zone)];
    const int shown = model.page;
    model.page = remembered.page;
    playSequenceButton(zone, remembered.button);
    model.page = shown;
}

void TDeskActions::pressSeqButton(int zone, int k)
{
    if (!within(zone, kZones) || !within(k, KySeqButtons::kButtons))
        return;
    emit acted({KyControlAction::ZoneButton, std::int8_t(zone), std::int8_t(panel_.seqButtons[std::size_t(zone)].page),
                std::int8_t(k)});
    if (!playSequenceButton(zone, k))
        return;
    emit columnChanged(zone);
    emit liveZonesChanged();
}

// A flash button plays while it is held: its release darkens it again and brings back the
// button that was playing before.
void TDeskActions::releaseSeqButton(int zone, int k)
{
    if (!within(zone, kZones) || !within(k, KySeqButtons::kButtons))
        return;
    KySeqButtons& model = panel_.seqButtons[std::size_t(zone)];
    Remembered& remembered = remembered_[std::size_t(zone)];
    const KyButton& button = model.button(k);
    if (button.id == 0)
        return;
    if (button.flash) {
        playSequenceButton(zone, k);
        playRememberedButton(zone);
        emit columnChanged(zone);
        emit liveZonesChanged();
    } else if (button.lit) {
        remembered = {k, model.page};
    } else {
        remembered = {};
    }
}

void TDeskActions::stepZonePage(int zone, int step)
{
    if (within(zone, kZones))
        showZonePage(zone, panel_.seqButtons[std::size_t(zone)].page + step);
}

void TDeskActions::showZonePage(int zone, int page)
{
    if (!within(zone, kZones) || !within(page, KySeqButtons::kPages))
        return;
    panel_.seqButtons[std::size_t(zone)].page = page;
    emit columnChanged(zone);
}

// ---- Transport and speed

void TDeskActions::liveCueDo(void (KyCue::*play)(), void (KyCue::*generators)())
{
    std::lock_guard lock(showLock_);
    KyCue& live = dmx_.liveCue();
    (live.*play)();
    (live.*generators)();
}

void TDeskActions::start()
{
    emit acted({KyControlAction::Start});
    liveCueDo(&KyCue::play, &KyCue::playGenerators);
}

void TDeskActions::pause()
{
    emit acted({KyControlAction::Pause});
    liveCueDo(&KyCue::pause, &KyCue::pauseGenerators);
}

void TDeskActions::stop()
{
    emit acted({KyControlAction::Stop});
    liveCueDo(&KyCue::stop, &KyCue::stopGenerators);
}

// The shift moves both speeds from the values last reported, without reporting itself, so
// that its own shift does not reset it.
void TDeskActions::shiftSpeed(int shift)
{
    speedShift_ = std::clamp(shift, -100, 100);
    {
        std::lock_guard lock(showLock_);
        KyCue& live = dmx_.liveCue();
        live.setSpeed(live.reportedSpeed + speedShift_, false);
        live.setGeneratorSpeed(
            generatorSpeedFactor(generatorSpeedPosition(live.reportedGeneratorSpeed) + speedShift_), false);
    }
    emit speedShiftChanged(speedShift_);
}

// Also the panel listener, which runs inside a report under the show lock: every control
// that reports a speed runs on the window thread, and nothing connected here takes the lock.
void TDeskActions::resetSpeedShift()
{
    speedShift_ = 0;
    emit speedShiftChanged(0);
}

// ---- The main window's controls

namespace {

// As the operator's click: a disabled action or bar does nothing.
void trigger(QAction* action)
{
    if (action && action->isEnabled())
        action->trigger();
}

void turn(QAction* action, bool on)
{
    if (action && action->isChecked() != on)
        trigger(action);
}

void move(TPTrackBar* bar, int position)
{
    if (bar && bar->isEnabled())
        bar->setPosition(position);
}

} // namespace

void TDeskActions::setBlackout(bool on)
{
    turn(controls_.blackout, on);
}

void TDeskActions::manualOff()
{
    trigger(controls_.manualOff);
}

void TDeskActions::setMusic(bool on)
{
    turn(controls_.music, on);
}

void TDeskActions::tap()
{
    trigger(controls_.tap);
}

void TDeskActions::setCueSpeed(int position)
{
    move(controls_.cueSpeed, position);
}

void TDeskActions::setGeneratorSpeed(int position)
{
    move(controls_.generatorSpeed, position);
}

void TDeskActions::setGeneratorAmplitude(int position)
{
    move(controls_.generatorAmplitude, position);
}
