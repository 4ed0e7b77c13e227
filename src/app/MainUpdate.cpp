#include "app/Fmain.h"

#include "app/Caption.h"
#include "common/PText.h"
#include "common/PTranslation.h"
#include "cue/Fcue.h"
#include "functions/Fblackout.h"
#include "functions/Ffunction.h"
#include "functions/Functions.h"
#include "common/PTrackBar.h"
#include "generator/GeneratorScale.h"
#include "music/Fbeatsource.h"
#include "music/RhythmControl.h"
#include "sequence/Fsequence.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>

using namespace mainform;

void TMainForm::updateCaption()
{
    bool connected = false;
    std::string name;
    {
        std::lock_guard lock(show_.showLock());
        connected = show_.usb.moduleState == 1;
        if (connected)
            name = show_.usb.connectedModuleName;
    }
    setWindowTitle(mainWindowCaption(connected, vt::fromCp1250(name), show_.ola.target()));
}

void TMainForm::updateActions()
{
    updateFunctionActions();
    updateLiveCueControls();
    updateSequenceEditorRule();
    updateCaption();
    updateTempo();
    updateHeldChannels();
}

// A held channel overrides every cue, so the operator sees how many there are.
void TMainForm::updateHeldChannels()
{
    int held = 0;
    {
        std::lock_guard lock(show_.showLock());
        held = show_.dmx.heldCount();
    }
    if (held == controls_.heldShown)
        return;
    controls_.heldShown = held;
    controls_.heldCounter->setText(TMainForm::tr("Ręcznie: %1").arg(held));
    controls_.heldCounter->setStyleSheet(held ? QStringLiteral("color: red; font-weight: bold;") : QString());
    actions_.manualOff->setToolTip(held ? TMainForm::tr("Manual Off\nKanały trzymane ręcznie: %1").arg(held)
                                      : TMainForm::tr("Manual Off"));
}

// Each function action needs a reference device whose type has the function, and shows
// checked while its window is on screen.
void TMainForm::updateFunctionActions()
{
    std::shared_ptr<KyClubDevice> reference = show_.icons.referenceDevice();
    const KyDevice* type = reference ? reference->deviceType.get() : nullptr;
    for (std::size_t i = 0; i < actions_.functions.size(); ++i) {
        const std::string reason = functionUnavailableReason(type, kFunctions[i]);
        actions_.functions[i]->setEnabled(reason.empty());
        setHint(actions_.functions[i], tr(kFunctionActions[i].hint), vt::coreText(reason));
        if (!functionWindowsSuspended_)
            windows_.functions[i]->reevaluateVisibility();
        actions_.functions[i]->setChecked(isShown(windows_.functions[i].get()));
    }
    actions_.blackout->setChecked(isShown(windows_.blackout.get()));
}

// The transport buttons and the bars show the live cue, whoever changed it.
void TMainForm::updateLiveCueControls()
{
    std::uint8_t playState = 0;
    std::uint8_t generatorState = 0;
    int speed = 0;
    double generatorSpeed = 1;
    double generatorAmplitude = 1;
    {
        std::lock_guard lock(show_.showLock());
        const KyCue& live = show_.dmx.liveCue();
        playState = live.playState;
        generatorState = live.generatorState;
        speed = live.speed;
        generatorSpeed = live.generatorSpeed;
        generatorAmplitude = live.generatorAmplitude;
    }
    const std::array<QAction*, 3> transport = {actions_.play, actions_.pause, actions_.stop};
    const std::array<QAction*, 3> generators = {actions_.generatorPlay, actions_.generatorPause, actions_.generatorStop};
    transport[playState]->setChecked(true);
    generators[generatorState]->setChecked(true);
    showOnBar(controls_.cueSpeedBar, tr(kCueSpeedLabel), speed);
    showOnBar(controls_.generatorSpeedBar, tr(kGeneratorSpeedLabel), generatorSpeedPosition(generatorSpeed));
    showOnBar(controls_.generatorAmplitudeBar, tr(kGeneratorAmplitudeLabel), generatorAmplitudePosition(generatorAmplitude));
}

// While the sequence editor plays with the live output, the cue controls keep out of its way.
void TMainForm::updateSequenceEditorRule()
{
    const bool editorOpen = isShown(windows_.sequence.get());
    const QString reason = editorOpen ? tr(kSequenceEditorOpen) : QString();
    controls_.cueSpeedBar->setEnabled(!editorOpen);
    controls_.cueSpeedBar->setToolTip(reason);
    actions_.cue->setEnabled(windows_.cue && !editorOpen);
    setHint(actions_.cue, TMainForm::tr("Cue"), reason);
    actions_.directPanel->setEnabled(windows_.directAccess && !editorOpen);
    setHint(actions_.directPanel, TMainForm::tr("Panel sterowania"), reason);
    // Both take the tick over; the module window gives back the main tick when it is done.
    actions_.dmxModule->setEnabled(!editorOpen);
    setHint(actions_.dmxModule, TMainForm::tr("Moduł Dmx"), reason);
}

// Input may change what the actions show, so the update pass also runs once the event that
// came in has been handled, without waiting for the update timer.
void TMainForm::updateActionsAfterInput()
{
    actionUpdateAfterInput_ = new QTimer(this);
    actionUpdateAfterInput_->setSingleShot(true);
    actionUpdateAfterInput_->setInterval(0);
    connect(actionUpdateAfterInput_, &QTimer::timeout, this, &TMainForm::updateActions);
    qApp->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    commitIconMove(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        if (actionUpdateAfterInput_)
            actionUpdateAfterInput_->start();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::updateTempo()
{
    double bpm = 0;
    KyRhythmSource source = KyRhythmSource::Module;
    {
        std::lock_guard lock(show_.showLock());
        bpm = show_.beats.bpm();
        source = show_.beats.source();
    }
    controls_.tempoLabel->setText(tempoText(bpm, source));
}
