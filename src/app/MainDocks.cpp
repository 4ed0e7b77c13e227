#include "app/Fmain.h"

#include "app/Desk.h"
#include "common/PToolDock.h"
#include "controllers/Fcontrollers.h"
#include "cue/Fcue.h"
#include "dmx/Fdmxspace.h"
#include "dmx/Fdmxtracker.h"
#include "dmx/Fola.h"
#include "functions/Fblackout.h"
#include "functions/Fchvalue.h"
#include "functions/Fdimmers.h"
#include "functions/Fgenerator.h"
#include "functions/Flight.h"
#include "functions/Fmixer.h"
#include "functions/Fpantilt.h"
#include "functions/Fwheel.h"
#include "music/Fbeatsource.h"
#include "panel/Fdirectaccess.h"
#include "remote/Fremote.h"
#include "sequence/Fsequence.h"

#include <QAction>
#include <QDockWidget>

using namespace mainform;

TToolWindows::TToolWindows() = default;
TToolWindows::~TToolWindows() = default;

void TMainForm::createToolWindows()
{
    windows_.dmxSpace = std::make_unique<TDmxSpaceForm>(show_.dmx, show_.showLock(), this);
    createGeneratorWindow();
    createSequenceWindow();
    windows_.directAccess = std::make_unique<TDirectAccessForm>(show_.panel, show_.seque, show_.dmx, show_.zoneNames,
                                                            show_.showLock(), this);
    createCueWindow();
    createFunctionWindows();
    windows_.dmxTracker = std::make_unique<TDmxTrackerForm>(show_.dmx, show_.icons, show_.showLock(), this);
    connect(pageControl_, &TPIconPages::selectionChanged, windows_.dmxTracker.get(), &TDmxTrackerForm::followSelection);
    windows_.beatSource = std::make_unique<TBeatSourceForm>(*rhythm_, show_.beats, show_.showLock(), this);
    windows_.ola = std::make_unique<TOlaForm>(show_.ola, this);
}

// Function windows down the right-hand side, the editors and the panel under the pages,
// monitors and settings on the left; then where the operator left them.
void TMainForm::dockToolWindows()
{
    desk_ = new TDesk(*this);
    // Every function window takes the selected device's name for its title: the kind tells
    // tabbed ones apart.
    for (std::size_t i = 0; i < windows_.functions.size(); ++i)
        desk_->add(windows_.functions[i].get(), QString::fromLatin1(kFunctionActions[i].name).remove(QStringLiteral("Action")),
                   Qt::RightDockWidgetArea)
            ->setKind(tr(kFunctionActions[i].caption));
    desk_->add(windows_.blackout.get(), QStringLiteral("Blackout"), Qt::RightDockWidgetArea);
    desk_->add(windows_.generator.get(), QStringLiteral("Generator"), Qt::RightDockWidgetArea);
    desk_->add(windows_.sequence.get(), QStringLiteral("Sequence"), Qt::BottomDockWidgetArea);
    desk_->add(windows_.cue.get(), QStringLiteral("Cue"), Qt::BottomDockWidgetArea);
    desk_->add(windows_.directAccess.get(), QStringLiteral("DirectAccess"), Qt::BottomDockWidgetArea);
    desk_->add(windows_.dmxSpace.get(), QStringLiteral("DmxSpace"), Qt::LeftDockWidgetArea);
    desk_->add(windows_.dmxTracker.get(), QStringLiteral("DmxTracker"), Qt::LeftDockWidgetArea);
    desk_->add(windows_.beatSource.get(), QStringLiteral("BeatSource"), Qt::LeftDockWidgetArea);
    desk_->add(windows_.ola.get(), QStringLiteral("Ola"), Qt::LeftDockWidgetArea);
    desk_->add(windows_.remote.get(), QStringLiteral("Remote"), Qt::LeftDockWidgetArea);
    desk_->add(windows_.controllers.get(), QStringLiteral("Controllers"), Qt::LeftDockWidgetArea);
    desk_->restoreSaved();
}

void TMainForm::bringUp(QWidget* window)
{
    window->show();
    for (QWidget* w = window; w; w = w->parentWidget()) {
        if (auto* dock = qobject_cast<QDockWidget*>(w)) {
            dock->raise(); // to the front of its tab group
            return;
        }
    }
}

void TMainForm::createCueWindow()
{
    windows_.cue = std::make_unique<TCueForm>(
        TCueFormModel{show_.dmx, show_.seque, show_.showLock(), [this] { return show_.saveCues(); }}, this);
    connect(windows_.cue.get(), &TCueForm::liveCueReplaced, windows_.directAccess.get(), &TDirectAccessForm::fullRefresh);
    connect(windows_.directAccess.get(), &TDirectAccessForm::liveZonesChanged, windows_.cue.get(), &TCueForm::rereadZones);
}

void TMainForm::createFunctionWindows()
{
    const KyFunctionModel model{show_.dmx, show_.icons, show_.showLock()};
    windows_.functions = {
        std::make_unique<TResetForm>(model, this),
        std::make_unique<TLightForm>(model, this),
        std::make_unique<TLampForm>(model, this),
        std::make_unique<TPanTiltForm>(model, show_.genList, this),
        std::make_unique<TColorForm>(model, this),
        std::make_unique<TMixerColorForm>(model, this),
        std::make_unique<TGoboForm>(model, this),
        std::make_unique<TEffectForm>(model, this),
        std::make_unique<TOpticForm>(model, this),
        std::make_unique<TDimmersForm>(model, this),
    };
    static_cast<TPanTiltForm&>(*windows_.functions[3]).setGeneratorWindows(windows_.generator->windows());
    windows_.blackout = std::make_unique<TBlackoutForm>(show_.usb, show_.showLock(), this);
}

void TMainForm::createSequenceWindow()
{
    const TSequenceFormModel model{show_.dmx, show_.seque, show_.usb, show_.inputChanged, show_.showLock(),
                                   [this] { return show_.saveSequences(); }};
    TSequenceFormHost host{timer_, mainTick(), [this] { actions_.stop->trigger(); }, [this] { actions_.play->trigger(); },
                           [this](bool enabled) { enableGeneratorControls(enabled); }};
    windows_.sequence = std::make_unique<TSequenceForm>(model, std::move(host), this);
}

void TMainForm::createGeneratorWindow()
{
    const KyFunctionModel model{show_.dmx, show_.icons, show_.showLock()};
    windows_.generator = std::make_unique<TGeneratorForm>(model, show_.genList, show_.paths().generators, this);
}

// A function action closes its window when it is on screen and shows it otherwise; the
// blackout action shows the blackout window when it becomes checked and closes it otherwise.
void TMainForm::connectFunctionWindows()
{
    for (std::size_t i = 0; i < actions_.functions.size(); ++i) {
        TFunctionForm* form = windows_.functions[i].get();
        connect(actions_.functions[i], &QAction::triggered, this, [this, form, i] {
            if (form->isVisible())
                form->close();
            else
                bringUp(form);
            actions_.functions[i]->setChecked(form->isVisible());
        });
    }
    connect(actions_.blackout, &QAction::triggered, this, [this](bool checked) {
        if (checked)
            bringUp(windows_.blackout.get());
        else
            windows_.blackout->close();
    });
}

void TMainForm::suspendFunctionWindows()
{
    functionWindowsSuspended_ = true;
    for (auto& form : windows_.functions)
        form->hide();
}

void TMainForm::resumeFunctionWindows()
{
    functionWindowsSuspended_ = false;
    updateFunctionActions();
}
