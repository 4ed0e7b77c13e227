#include "app/Fmain.h"

#include "club/Fclub.h"
#include "club/Ffloors.h"
#include "common/Collation.h"
#include "common/PTranslation.h"
#include "cue/Fcue.h"
#include "dmx/Fdmxtracker.h"
#include "common/PTrackBar.h"
#include "generator/GeneratorScale.h"
#include "library/Flibrary.h"
#include "common/PUndo.h"
#include "module/Fdmxmodule.h"
#include "music/Fbeatsource.h"
#include "music/RhythmControl.h"
#include "panel/Fdirectaccess.h"
#include "sequence/Fsequence.h"

#include <QAction>
#include <QMessageBox>

using namespace mainform;

void TMainForm::IconMoveActionExecute(bool checked)
{
    {
        std::lock_guard lock(show_.showLock());
        show_.icons.setMoveMode(checked);
    }
    pageControl_->placeIcons();
}

void TMainForm::liveCueDo(void (KyCue::*operation)())
{
    std::lock_guard lock(show_.showLock());
    (show_.dmx.liveCue().*operation)();
}

void TMainForm::CueSpeedTBarChange()
{
    std::lock_guard lock(show_.showLock());
    show_.dmx.liveCue().setSpeed(controls_.cueSpeedBar->position(), true);
}

void TMainForm::GeneratorSpeedTBarChange()
{
    std::lock_guard lock(show_.showLock());
    show_.dmx.liveCue().setGeneratorSpeed(generatorSpeedFactor(controls_.generatorSpeedBar->position()), true);
}

void TMainForm::GeneratorAmplitudeTBarChange()
{
    std::lock_guard lock(show_.showLock());
    show_.dmx.liveCue().setGeneratorAmplitude(generatorAmplitudeFactor(controls_.generatorAmplitudeBar->position()));
}

void TMainForm::DmxTrackerButtonClick()
{
    if (windows_.dmxTracker->isVisible())
        windows_.dmxTracker->close();
    else
        bringUp(windows_.dmxTracker.get());
}

// The library reaches its file only here, sorted by name.
void TMainForm::LibraryActionExecute()
{
    suspendFunctionWindows();
    TLibraryForm form(show_.library, show_.showLock(), this);
    form.setHistory(libraryHistory_);
    undoContexts_->add(&form, libraryHistory_->stack());
    form.exec();
    vt::NameCollator collator;
    {
        std::lock_guard lock(show_.showLock());
        show_.library.sortByName(collator);
        show_.rebuildIcons(); // names and pictures may have changed
    }
    pageControl_->rebuildIcons();
    resumeFunctionWindows();
    std::string failure = show_.saveLibrary();
    if (!failure.empty())
        QMessageBox::warning(this, TMainForm::tr("Błąd"), vt::coreText(failure));
}

// The installation reaches its file only here, sorted by start address.
void TMainForm::ClubActionExecute()
{
    suspendFunctionWindows();
    TClubForm form(show_.library, show_.pageNames, show_.showLock(), this);
    form.setHistory(installationHistory_);
    form.exec();
    {
        std::lock_guard lock(show_.showLock());
        show_.library.club.sortByStartAddress();
        show_.rebuildIcons();
    }
    pageControl_->rebuildIcons();
    resumeFunctionWindows();
    std::string failure = show_.saveClub();
    if (!failure.empty())
        QMessageBox::warning(this, TMainForm::tr("Błąd"), vt::coreText(failure));
}

void TMainForm::FloorsActionExecute()
{
    TFloorsForm form(*pageControl_, show_.pageNames, show_.library.club, show_.showLock(), pagesAdded_, this);
    form.exec();
    installationHistory_->commit(tr("zmianę stron"));
}

void TMainForm::CueActionExecute()
{
    bringUp(windows_.cue.get());
}

void TMainForm::DirectPanelActionExecute()
{
    bringUp(windows_.directAccess.get());
}

void TMainForm::SequenceActionExecute()
{
    liveCueDo(&KyCue::stop);
    windows_.directAccess->close();
    if (windows_.cue)
        windows_.cue->close();
    bringUp(windows_.sequence.get());
}

// Disabling sets the generators to their normal speed and full amplitude through the bars,
// as if the operator had moved them.
void TMainForm::enableGeneratorControls(bool enabled)
{
    if (!enabled) {
        controls_.generatorSpeedBar->setPositionSilently(0);
        GeneratorSpeedTBarChange();
        controls_.generatorAmplitudeBar->setPositionSilently(100);
        GeneratorAmplitudeTBarChange();
    }
    const QString reason = enabled ? QString() : tr(kSequenceEditorOpen);
    for (QWidget* bar : {static_cast<QWidget*>(controls_.generatorSpeedBar), static_cast<QWidget*>(controls_.generatorAmplitudeBar)}) {
        bar->setEnabled(enabled);
        bar->setToolTip(reason);
    }
    setHint(actions_.generatorPlay, TMainForm::tr("Start generatorów"), reason);
    setHint(actions_.generatorPause, TMainForm::tr("Pauza generatorów"), reason);
    setHint(actions_.generatorStop, TMainForm::tr("Stop generatorów"), reason);
    for (QAction* action : {actions_.generatorPlay, actions_.generatorPause, actions_.generatorStop})
        action->setEnabled(enabled);
}

// Gives every channel back to the playback engines; the held values drop at the next tick.
void TMainForm::ManualOffActionExecute()
{
    std::lock_guard lock(show_.showLock());
    for (int i = 0; i < KyDmxSpace::kChannels; ++i)
        show_.dmx.releaseChannel(i);
}

void TMainForm::MusicActionExecute(bool checked)
{
    {
        std::lock_guard lock(show_.showLock());
        show_.musicMode = checked;
    }
    actions_.music->setIcon(picture(checked ? "music" : "clock"));
}

void TMainForm::TapActionExecute()
{
    if (rhythm_->choice().source != KyRhythmSource::Tap) {
        KyRhythmChoice choice = rhythm_->choice();
        choice.source = KyRhythmSource::Tap;
        rhythm_->apply(choice);
        saveRhythmChoice(choice);
    }
    std::lock_guard lock(show_.showLock());
    show_.beats.tap(KyClock::now());
}

void TMainForm::startRhythm(const StartOptions& options)
{
    KyRhythmChoice choice = loadRhythmChoice();
    if (!options.audioFile.empty())
        choice.source = KyRhythmSource::Audio;
    if (!rhythm_->apply(choice) && !options.audioFile.empty())
        QMessageBox::warning(nullptr, TMainForm::tr("Ostrzeżenie"), vt::coreText(rhythm_->problem()));
}

// Modal; the show lock stays free while it is open, so playback goes on until a transfer.
void TMainForm::DmxModuleActionExecute()
{
    const KyModuleWindowModel model{show_.seque, show_.panel, show_.library.club, show_.zoneNames, show_.usb,
                                    show_.showLock()};
    TDmxModuleForm form(model, timer_, mainTick(), this);
    form.exec();
}

void TMainForm::AboutActionExecute()
{
    QMessageBox::about(this, TMainForm::tr("O programie"),
                       TMainForm::tr("Vantorel\nSterownik oświetlenia DMX dla klubów i małych scen."));
}
