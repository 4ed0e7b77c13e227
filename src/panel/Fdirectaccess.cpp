#include "panel/Fdirectaccess.h"

#include "common/Fname.h"
#include "common/PText.h"
#include "common/PToolWindow.h"
#include "common/PTrackBar.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "panel/Fpicklist.h"
#include "panel/PPanelButton.h"
#include "sequence/CueGlobals.h"

#include <QButtonGroup>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kSpeedLabel = QT_TRANSLATE_NOOP("TDirectAccessForm", "PRĘDKOŚĆ:  ");
constexpr int kZoneNameLength = 16;

struct MusicItem {
    const char* text;
    std::int32_t pulses;
};

constexpr MusicItem kMusicItems[] = {
    {QT_TRANSLATE_NOOP("TDirectAccessForm", "  Brak"), 0}, {QT_TRANSLATE_NOOP("TDirectAccessForm", "  1 bit"), 1},
    {QT_TRANSLATE_NOOP("TDirectAccessForm", "  2 bit"), 2},  {QT_TRANSLATE_NOOP("TDirectAccessForm", "  4 bit"), 4},
    {QT_TRANSLATE_NOOP("TDirectAccessForm", "  8 bit"), 8},  {QT_TRANSLATE_NOOP("TDirectAccessForm", "16 bit"), 16},
};

QLabel* framedLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumHeight(label->fontMetrics().height() + 6);
    return label;
}

} // namespace

TDirectAccessForm::TDirectAccessForm(KyPanel& panel, KySeque& store, KyDmxSpace& dmx, ZoneNames& zoneNames,
                                     std::mutex& showLock, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), panel_(panel), actions_(new TDeskActions(panel, store, dmx, showLock, this)),
      store_(store), dmx_(dmx), zoneNames_(zoneNames), showLock_(showLock)
{
    setWindowTitle(TDirectAccessForm::tr("Panel sterowania"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createTransport());
    layout->addWidget(createCueBlock());
    layout->addWidget(createSequenceBlock());

    refreshTimer_ = new QTimer(this);
    connect(refreshTimer_, &QTimer::timeout, this, &TDirectAccessForm::RefreshTimerTimer);
    connectActions();
}

// The window shows what the desk did, whichever input asked for it.
void TDirectAccessForm::connectActions()
{
    TDeskActions* desk = actions_;
    connect(desk, &TDeskActions::cueBlockChanged, this, &TDirectAccessForm::refreshCueBlock);
    connect(desk, &TDeskActions::liveCueReplaced, this, &TDirectAccessForm::fullRefresh);
    connect(desk, &TDeskActions::columnChanged, this, &TDirectAccessForm::refreshColumn);
    connect(desk, &TDeskActions::liveZonesChanged, this, &TDirectAccessForm::liveZonesChanged);
    connect(desk, &TDeskActions::speedShiftChanged, this, &TDirectAccessForm::showSpeedShift);
}

QWidget* TDirectAccessForm::createTransport()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    startButton_ = new QPushButton(TDirectAccessForm::tr("Start"), box);
    pauseButton_ = new QPushButton(TDirectAccessForm::tr("Pauza"), box);
    stopButton_ = new QPushButton(TDirectAccessForm::tr("Stop"), box);
    for (QPushButton* b : {startButton_, pauseButton_, stopButton_}) {
        b->setToolTip(b->text());
        row->addWidget(b);
    }
    speedBar_ = new TPTrackBar(box);
    speedBar_->setObjectName(QStringLiteral("SpeedTBar"));
    speedBar_->setIsVertical(false);
    speedBar_->setMin(-100);
    speedBar_->setMax(100);
    speedBar_->setLineSize(1);
    speedBar_->setPositionSilently(0);
    speedBar_->fitCaptionAboveKnob();
    speedBar_->setMinimumWidth(speedBar_->fontMetrics().horizontalAdvance(tr(kSpeedLabel) + QStringLiteral("-100")) +
                               2 * speedBar_->sliderSize() + 16);
    showSpeed(0);
    row->addWidget(speedBar_, 1);
    cueName_ = framedLabel(box);
    cueName_->setMinimumWidth(160);
    row->addWidget(cueName_);

    connect(startButton_, &QPushButton::clicked, actions_, &TDeskActions::start);
    connect(pauseButton_, &QPushButton::clicked, actions_, &TDeskActions::pause);
    connect(stopButton_, &QPushButton::clicked, actions_, &TDeskActions::stop);
    connect(speedBar_, &TPTrackBar::changed, this, [this] { actions_->shiftSpeed(speedBar_->position()); });
    return box;
}

QWidget* TDirectAccessForm::createCueBlock()
{
    auto* group = new QGroupBox(TDirectAccessForm::tr("CUE"), this);
    auto* layout = new QGridLayout(group);
    constexpr int perRow = KyCueButtons::kButtons / 2;
    for (int k = 0; k < KyCueButtons::kButtons; ++k) {
        auto* button = new TPPanelButton(TDirectAccessForm::tr("Cue"), group);
        connect(button, &TPPanelButton::pressed, this, [this, k](Qt::MouseButton b) { CueButtonMouseDown(k, b); });
        cueButtons_[std::size_t(k)] = button;
        layout->addWidget(button, k / perRow, k % perRow);
    }
    auto* pages = new QButtonGroup(group);
    auto* pageRow = new QHBoxLayout;
    for (int page = 0; page < KyCueButtons::kPages; ++page) {
        auto* button = new QPushButton(QString(QChar('A' + page)), group);
        button->setCheckable(true);
        button->setChecked(page == 0);
        pages->addButton(button, page);
        pageRow->addWidget(button);
        cuePageButtons_[std::size_t(page)] = button;
    }
    connect(pages, &QButtonGroup::idClicked, actions_, &TDeskActions::showCuePage);
    layout->addLayout(pageRow, 2, 0, 1, perRow);
    return group;
}

QWidget* TDirectAccessForm::createSequenceBlock()
{
    auto* group = new QGroupBox(TDirectAccessForm::tr("Sekwencje"), this);
    auto* layout = new QHBoxLayout(group);
    for (int zone = 0; zone < kZones; ++zone)
        layout->addWidget(createZoneColumn(zone));
    return group;
}

QWidget* TDirectAccessForm::createZoneColumn(int zone)
{
    ZoneColumn& column = zones_[std::size_t(zone)];
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pageRow = new QHBoxLayout;
    column.previous = new QPushButton(QStringLiteral("<"), box);
    column.letter = framedLabel(box);
    column.letter->setText(QStringLiteral("A"));
    column.next = new QPushButton(QStringLiteral(">"), box);
    for (QWidget* w : {static_cast<QWidget*>(column.previous), static_cast<QWidget*>(column.letter),
                       static_cast<QWidget*>(column.next)}) {
        w->setMaximumWidth(28);
        pageRow->addWidget(w);
    }
    layout->addLayout(pageRow);
    for (int k = 0; k < KySeqButtons::kButtons; ++k) {
        auto* button = new TPPanelButton(TDirectAccessForm::tr("Seq"), box);
        connect(button, &TPPanelButton::pressed, this,
                [this, zone, k](Qt::MouseButton b) { SeqButtonMouseDown(zone, k, b); });
        connect(button, &TPPanelButton::released, this, [this, zone, k] { actions_->releaseSeqButton(zone, k); });
        column.buttons[std::size_t(k)] = button;
        layout->addWidget(button);
    }
    column.playing = framedLabel(box);
    column.name = framedLabel(box);
    column.name->installEventFilter(this);
    layout->addWidget(column.playing);
    layout->addWidget(column.name);

    connect(column.previous, &QPushButton::clicked, this, [this, zone] { actions_->stepZonePage(zone, -1); });
    connect(column.next, &QPushButton::clicked, this, [this, zone] { actions_->stepZonePage(zone, +1); });
    return box;
}

// Only the program's own show and hide count: the window system restoring a minimised
// window must not run a full refresh, which would darken the buttons of zones that play.
void TDirectAccessForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        fullRefresh();
        RefreshTimerTimer();
        refreshTimer_->start(50);
    }
    QWidget::showEvent(event);
}

void TDirectAccessForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        refreshTimer_->stop();
    QWidget::hideEvent(event);
}

bool TDirectAccessForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        for (int zone = 0; zone < kZones; ++zone)
            if (watched == zones_[std::size_t(zone)].name) {
                ZoneNameMouseDown(zone);
                return true;
            }
    return QWidget::eventFilter(watched, event);
}

void TDirectAccessForm::fullRefresh()
{
    refreshCueBlock();
    for (int zone = 0; zone < kZones; ++zone) {
        panel_.seqButtons[std::size_t(zone)].unlightAll();
        refreshColumn(zone);
    }
    std::string name;
    {
        std::lock_guard lock(showLock_);
        name = dmx_.liveCue().name;
    }
    cueName_->setText(vt::fromCp1250(name));
}

void TDirectAccessForm::refreshCueBlock()
{
    KyCueButtons& block = panel_.cueButtons;
    KyCueButtons::Captions captions;
    {
        // The refresh compares the buttons with the live cue.
        std::lock_guard lock(showLock_);
        captions = block.refresh();
    }
    for (int k = 0; k < KyCueButtons::kButtons; ++k) {
        cueButtons_[std::size_t(k)]->setCaption(vt::fromCp1250(captions[std::size_t(k)]));
        cueButtons_[std::size_t(k)]->render(block.button(k).shownLit());
    }
    cuePageButtons_[std::size_t(block.page)]->setChecked(true);
}

void TDirectAccessForm::refreshColumn(int zone)
{
    KySeqButtons& model = panel_.seqButtons[std::size_t(zone)];
    ZoneColumn& column = zones_[std::size_t(zone)];
    KySeqButtons::Captions captions = model.refresh();
    column.letter->setText(QString(QChar(model.pageLetter())));
    for (int k = 0; k < KySeqButtons::kButtons; ++k) {
        column.buttons[std::size_t(k)]->setCaption(vt::fromCp1250(captions[std::size_t(k)]));
        column.buttons[std::size_t(k)]->render(model.button(k).shownLit());
    }
}

void TDirectAccessForm::RefreshTimerTimer()
{
    std::array<std::string, kZones> playing;
    {
        std::lock_guard lock(showLock_);
        const KyCue& live = dmx_.liveCue();
        for (int zone = 0; zone < kZones; ++zone) {
            const KySeqEngine& engine = live.zoneEngine(zone);
            if (engine.sequenceId != 0)
                playing[std::size_t(zone)] = engine.sequence->name;
        }
    }
    for (int zone = 0; zone < kZones; ++zone) {
        zones_[std::size_t(zone)].playing->setText(vt::fromCp1250(playing[std::size_t(zone)]));
        zones_[std::size_t(zone)].name->setText(vt::fromCp1250(zoneNames_[std::size_t(zone)]));
    }
}

// ---- Speed

void TDirectAccessForm::showSpeed(int position)
{
    speedBar_->setCaption(tr(kSpeedLabel) + QString::number(position));
}

void TDirectAccessForm::showSpeedShift(int shift)
{
    if (speedBar_->position() != shift) {
        speedBar_->setPositionSilently(shift);
        speedBar_->fitCaptionAboveKnob();
    }
    showSpeed(shift);
}

// ---- Cue buttons

void TDirectAccessForm::CueButtonMouseDown(int k, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        return cueButtonMenu(k);
    if (button == Qt::LeftButton)
        actions_->pressCueButton(k);
}

void TDirectAccessForm::cueButtonMenu(int k)
{
    KyButton& button = panel_.cueButtons.button(k);
    if (button.shownLit())
        return;
    QMenu menu(this);
    QAction* pick = menu.addAction(TDirectAccessForm::tr("Cue ..."));
    QAction* erase = menu.addAction(TDirectAccessForm::tr("Usuń"));
    erase->setEnabled(button.id != 0);
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == pick) {
        TCueListForm picker(store_, cuePickerRow_, this);
        if (picker.exec() != QDialog::Accepted || !picker.chosen())
            return;
        panel_.cueButtons.assign(k, &store_.cueAt(std::size_t(*picker.chosen())));
    } else if (chosen == erase) {
        panel_.cueButtons.assign(k, nullptr);
    } else {
        return;
    }
    refreshCueBlock();
}

// ---- Sequence buttons

void TDirectAccessForm::SeqButtonMouseDown(int zone, int k, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        return seqButtonMenu(zone, k);
    if (button == Qt::LeftButton)
        actions_->pressSeqButton(zone, k);
}

void TDirectAccessForm::seqButtonMenu(int zone, int k)
{
    KySeqButtons& model = panel_.seqButtons[std::size_t(zone)];
    KyButton& button = model.button(k);
    if (button.shownLit())
        return;
    const bool assigned = button.id != 0;
    QMenu menu(this);
    QAction* pick = menu.addAction(TDirectAccessForm::tr("Sekwencja ..."));
    QAction* flash = menu.addAction(TDirectAccessForm::tr("Flash"));
    flash->setCheckable(true);
    flash->setChecked(button.flash);
    flash->setEnabled(assigned);
    QMenu* music = menu.addMenu(TDirectAccessForm::tr("Muzyka"));
    music->setEnabled(assigned);
    for (const MusicItem& item : kMusicItems) {
        QAction* action = music->addAction(TDirectAccessForm::tr(item.text));
        action->setCheckable(true);
        action->setChecked(button.musicPulses == item.pulses);
        action->setData(item.pulses);
    }
    QAction* erase = menu.addAction(TDirectAccessForm::tr("Usuń"));
    erase->setEnabled(assigned);

    QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen)
        return;
    if (chosen == pick) {
        TSeqListForm picker(store_, seqPickerRow_, this);
        if (picker.exec() != QDialog::Accepted || !picker.chosen())
            return;
        model.assign(k, &store_.sequenceAt(std::size_t(*picker.chosen())));
    } else if (chosen == flash) {
        button.flash = !button.flash;
    } else if (chosen == erase) {
        model.assign(k, nullptr);
    } else {
        button.musicPulses = chosen->data().toInt();
    }
    refreshColumn(zone);
}

void TDirectAccessForm::ZoneNameMouseDown(int zone)
{
    const std::optional<std::string> name =
        askForName(this, zoneNames_[std::size_t(zone)], {.maxLength = kZoneNameLength, .atPointer = true});
    if (!name)
        return;
    zoneNames_[std::size_t(zone)] = *name;
    zones_[std::size_t(zone)].name->setText(vt::fromCp1250(*name));
}
