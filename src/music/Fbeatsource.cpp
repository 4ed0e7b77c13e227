#include "music/Fbeatsource.h"

#include "common/PCloseButton.h"
#include "common/PShownTimer.h"
#include "common/PToolWindow.h"
#include "common/PTranslation.h"
#include "music/AudioInput.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

} // namespace

KyRhythmChoice loadRhythmChoice()
{
    const QSettings settings = userSettings();
    KyRhythmChoice choice;
    choice.source = rhythmSourceFromKey(settings.value(QStringLiteral("rhythm/source")).toString().toStdString());
    choice.device =
        settings.value(QStringLiteral("rhythm/device"), QString::fromStdString(choice.device)).toString().toStdString();
    return choice;
}

void saveRhythmChoice(const KyRhythmChoice& choice)
{
    QSettings settings = userSettings();
    settings.setValue(QStringLiteral("rhythm/source"), QString::fromLatin1(rhythmSourceKey(choice.source)));
    settings.setValue(QStringLiteral("rhythm/device"), QString::fromStdString(choice.device));
}

TBeatSourceForm::TBeatSourceForm(KyRhythmControl& control, KyBeatSource& beats, std::mutex& showLock, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), control_(control), beats_(beats), showLock_(showLock),
      sources_(new QButtonGroup(this)), deviceList_(new QComboBox(this)), levelMeter_(new QProgressBar(this)),
      stateLabel_(new QLabel(this))
{
    setWindowTitle(TBeatSourceForm::tr("Źródło rytmu"));
    const std::pair<KyRhythmSource, QString> buttons[] = {
        {KyRhythmSource::Module, TBeatSourceForm::tr("Moduł DMX")},
        {KyRhythmSource::Audio, TBeatSourceForm::tr("Wejście audio:")},
        {KyRhythmSource::Tap, TBeatSourceForm::tr("Tap")},
    };
    auto* grid = new QGridLayout;
    for (const auto& [source, text] : buttons) {
        auto* button = new QRadioButton(text, this);
        sources_->addButton(button, int(source));
        grid->addWidget(button, int(source), 0);
    }
    deviceList_->setObjectName(QStringLiteral("DeviceList"));
    deviceList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(deviceList_, int(KyRhythmSource::Audio), 1);
    grid->addWidget(new QLabel(TBeatSourceForm::tr("Poziom:"), this), 3, 0);
    levelMeter_->setObjectName(QStringLiteral("LevelMeter"));
    levelMeter_->setRange(0, 100);
    levelMeter_->setTextVisible(false);
    grid->addWidget(levelMeter_, 3, 1);
    stateLabel_->setObjectName(QStringLiteral("StateLabel"));
    // Wide enough for a reason of a line or two; the window grows to its height.
    stateLabel_->setWordWrap(true);
    stateLabel_->setMinimumWidth(stateLabel_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);
    grid->addWidget(stateLabel_, 4, 0, 1, 2);

    auto* bottom = new QHBoxLayout;
    addCloseButton(bottom, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(sources_, &QButtonGroup::idClicked, this, &TBeatSourceForm::applyControls);
    connect(deviceList_, &QComboBox::activated, this, &TBeatSourceForm::applyControls);
    connect(timerWhileShown(this, 50), &QTimer::timeout, this, &TBeatSourceForm::refresh);
}

QRadioButton* TBeatSourceForm::sourceButton(KyRhythmSource source) const
{
    return static_cast<QRadioButton*>(sources_->button(int(source)));
}

void TBeatSourceForm::showEvent(QShowEvent* event)
{
    fillDevices();
    showChoice();
    refresh();
    QWidget::showEvent(event);
}

// The rehearsal file stands in for every input; otherwise the inputs ALSA names now, and
// the chosen one even when it is gone, so the choice is not lost by opening the window.
void TBeatSourceForm::fillDevices()
{
    const QSignalBlocker blocker(deviceList_);
    deviceList_->clear();
    deviceList_->setEnabled(control_.audioFile().empty());
    if (!control_.audioFile().empty()) {
        deviceList_->addItem(TBeatSourceForm::tr("Plik: %1")
                                 .arg(QFileInfo(QString::fromStdString(control_.audioFile())).fileName()));
        return;
    }
    for (const KyAudioDevice& device : audioInputDevices())
        deviceList_->addItem(TBeatSourceForm::tr("%1 (%2)").arg(vt::coreText(device.description), QString::fromStdString(device.name)),
                             QString::fromStdString(device.name));
    const QString chosen = QString::fromStdString(control_.choice().device);
    if (deviceList_->findData(chosen) < 0)
        deviceList_->addItem(chosen, chosen);
}

void TBeatSourceForm::showChoice()
{
    const QSignalBlocker blocker(deviceList_);
    sourceButton(control_.choice().source)->setChecked(true);
    if (control_.audioFile().empty())
        deviceList_->setCurrentIndex(deviceList_->findData(QString::fromStdString(control_.choice().device)));
}

void TBeatSourceForm::applyControls()
{
    KyRhythmChoice choice = control_.choice();
    choice.source = KyRhythmSource(sources_->checkedId());
    if (control_.audioFile().empty() && deviceList_->currentIndex() >= 0)
        choice.device = deviceList_->currentData().toString().toStdString();
    if (choice == control_.choice())
        return;
    control_.apply(choice);
    saveRhythmChoice(choice);
    refresh();
}

void TBeatSourceForm::refresh()
{
    double bpm = 0;
    KyRhythmSource source = KyRhythmSource::Module;
    {
        std::lock_guard lock(showLock_);
        bpm = beats_.bpm();
        source = beats_.source();
    }
    levelMeter_->setValue(levelPercent(beats_.audio().level()));
    QString state = vt::coreText(control_.trouble());
    if (state.isEmpty())
        state = TBeatSourceForm::tr("Tempo: %1").arg(tempoText(bpm, source));
    stateLabel_->setText(state);
}

QString tempoText(double bpm, KyRhythmSource source)
{
    QString name;
    switch (source) {
    case KyRhythmSource::Audio:
        name = TBeatSourceForm::tr("audio");
        break;
    case KyRhythmSource::Tap:
        name = TBeatSourceForm::tr("tap");
        break;
    default:
        name = TBeatSourceForm::tr("moduł");
        break;
    }
    return TBeatSourceForm::tr("%1 BPM (%2)").arg(QString::fromStdString(tempoNumber(bpm)), name);
}
