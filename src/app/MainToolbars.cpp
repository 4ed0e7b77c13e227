#include "app/Fmain.h"

#include "common/PTrackBar.h"
#include "music/Fbeatsource.h"
#include "music/RhythmControl.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

using namespace mainform;

void TMainForm::createToolbars()
{
    createFunctionToolbar();
    addToolBarBreak();
    createCueToolbar();
    addToolBarBreak();
    createGeneratorToolbar();
    for (QToolBar* toolbar : findChildren<QToolBar*>()) {
        toolbar->setMovable(false);
        toolbar->setFloatable(false);
    }
}

void TMainForm::createFunctionToolbar()
{
    QToolBar* toolbar = addToolBar(TMainForm::tr("Funkcje"));
    toolbar->setObjectName(QStringLiteral("FunctionToolBar"));
    toolbar->setIconSize(QSize(32, 32));
    for (QAction* action : actions_.functions)
        toolbar->addAction(action);
    toolbar->addSeparator();

    auto* blackout = new QToolButton(toolbar);
    blackout->setObjectName(QStringLiteral("BlackoutButton"));
    blackout->setDefaultAction(actions_.blackout);
    blackout->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont large = blackout->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    blackout->setFont(large);
    toolbar->addWidget(blackout);

    controls_.dmxTrackerButton = new QToolButton(toolbar);
    controls_.dmxTrackerButton->setObjectName(QStringLiteral("DmxTrackerButton"));
    controls_.dmxTrackerButton->setText(TMainForm::tr("DMX Tracker"));
    controls_.dmxTrackerButton->setIcon(picture("tracker"));
    controls_.dmxTrackerButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(controls_.dmxTrackerButton, &QToolButton::clicked, this, &TMainForm::DmxTrackerButtonClick);
    toolbar->addWidget(controls_.dmxTrackerButton);
}

TPTrackBar* TMainForm::makeBar(const char* name, int min, int max)
{
    auto* bar = new TPTrackBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setIsVertical(false);
    bar->setMin(min);
    bar->setMax(max);
    int widest = bar->fontMetrics().horizontalAdvance(tr(kGeneratorAmplitudeLabel) + QStringLiteral("-100"));
    bar->setFixedWidth(widest + 2 * bar->sliderSize() + 16);
    bar->fitCaptionAboveKnob(); // the knob never covers the caption
    return bar;
}

void TMainForm::createCueToolbar()
{
    QToolBar* toolbar = addToolBar(TMainForm::tr("Cue"));
    toolbar->setObjectName(QStringLiteral("CueToolBar"));
    toolbar->addActions({actions_.play, actions_.pause, actions_.stop});
    controls_.cueSpeedBar = makeBar("CueSpeedTBar", -100, 100);
    showOnBar(controls_.cueSpeedBar, tr(kCueSpeedLabel), 0);
    connect(controls_.cueSpeedBar, &TPTrackBar::changed, this, &TMainForm::CueSpeedTBarChange);
    toolbar->addWidget(controls_.cueSpeedBar);
    toolbar->addActions({actions_.sequence, actions_.cue, actions_.directPanel});
    toolbar->addSeparator();
    toolbar->addAction(actions_.manualOff);
    controls_.heldCounter = new QLabel(toolbar);
    controls_.heldCounter->setObjectName(QStringLiteral("HeldCounter"));
    controls_.heldCounter->setToolTip(TMainForm::tr("Kanały trzymane ręcznie"));
    toolbar->addWidget(controls_.heldCounter);
    toolbar->addSeparator();
    toolbar->addAction(actions_.music);
    toolbar->addAction(actions_.tap);
    controls_.tempoLabel = new QLabel(toolbar);
    controls_.tempoLabel->setObjectName(QStringLiteral("TempoLabel"));
    const QString widest = tempoText(888.8, KyRhythmSource::Module);
    controls_.tempoLabel->setMinimumWidth(controls_.tempoLabel->fontMetrics().horizontalAdvance(widest));
    toolbar->addWidget(controls_.tempoLabel);
}

void TMainForm::createGeneratorToolbar()
{
    QToolBar* toolbar = addToolBar(TMainForm::tr("Generatory"));
    toolbar->setObjectName(QStringLiteral("GeneratorToolBar"));
    controls_.generatorAmplitudeBar = makeBar("GeneratorAmplitudeTBar", 0, 100);
    showOnBar(controls_.generatorAmplitudeBar, tr(kGeneratorAmplitudeLabel), 100);
    connect(controls_.generatorAmplitudeBar, &TPTrackBar::changed, this, &TMainForm::GeneratorAmplitudeTBarChange);
    toolbar->addWidget(controls_.generatorAmplitudeBar);
    toolbar->addActions({actions_.generatorPlay, actions_.generatorPause, actions_.generatorStop});
    controls_.generatorSpeedBar = makeBar("GeneratorSpeedTBar", -100, 100);
    showOnBar(controls_.generatorSpeedBar, tr(kGeneratorSpeedLabel), 0);
    connect(controls_.generatorSpeedBar, &TPTrackBar::changed, this, &TMainForm::GeneratorSpeedTBarChange);
    toolbar->addWidget(controls_.generatorSpeedBar);
}
