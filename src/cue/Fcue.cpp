#include "cue/Fcue.h"

#include "common/Change.h"
#include "common/Fname.h"
#include "common/PShownTimer.h"
#include "common/PStoredList.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PToolWindow.h"
#include "common/PTrackBar.h"
#include "common/PUndo.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/CueGlobals.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kRefreshMs = 30;

QLabel* framedLabel(QWidget* parent, int minimumWidth)
{
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(minimumWidth);
    return label;
}

TPTrackBar* horizontalBar(int min, int max, QWidget* parent)
{
    auto* bar = new TPTrackBar(parent);
    bar->setIsVertical(false);
    bar->setMin(min);
    bar->setMax(max);
    bar->setLineSize(1);
    return bar;
}

// Hidden controls keep their place, so the table does not shift as zones fill and empty.
void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

TCueForm::TCueForm(const TCueFormModel& model, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), model_(model), edit_(model_.dmx.liveCue(), model_.store),
      undo_(vt::newUndoStack(this))
{
    setWindowTitle(TCueForm::tr("Cue"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(createFileRow());
    left->addWidget(createZoneTable());
    left->addWidget(createBars());
    left->addStretch();
    layout->addLayout(left);
    layout->addWidget(createListBlock(), 1);

    // While hidden the refresh shows nothing; what it does to the show (the generator
    // amplitude following the live cue) is done when the panel replaces the live cue.
    connect(timerWhileShown(this, kRefreshMs), &QTimer::timeout, this, &TCueForm::RefreshTimerTimer);

    std::lock_guard lock(model_.showLock);
    cueGlobals().speedListener = [this] { CueSpeedFollowed(); };
}

TCueForm::~TCueForm()
{
    std::lock_guard lock(model_.showLock);
    cueGlobals().speedListener = nullptr;
    edit_.close();
}

// ---- Controls

QWidget* TCueForm::createFileRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    save_ = new QPushButton(TCueForm::tr("Zapisz"), box);
    save_->setToolTip(TCueForm::tr("Zapisz Cue"));
    saveAs_ = new QPushButton(TCueForm::tr("Zapisz jako"), box);
    saveAs_->setToolTip(TCueForm::tr("Zapisz Cue jako..."));
    new_ = new QPushButton(TCueForm::tr("Nowe"), box);
    new_->setToolTip(TCueForm::tr("Nowe Cue"));
    name_ = framedLabel(box, 200);
    for (QWidget* w : {static_cast<QWidget*>(save_), static_cast<QWidget*>(saveAs_), static_cast<QWidget*>(new_)})
        row->addWidget(w);
    row->addWidget(name_, 1);
    vt::addUndoButtons(*undo_, row, box);

    connect(save_, &QPushButton::clicked, this, &TCueForm::SaveButtonClick);
    connect(saveAs_, &QPushButton::clicked, this, &TCueForm::SaveAsButtonClick);
    connect(new_, &QPushButton::clicked, this, &TCueForm::NewButtonClick);
    return box;
}

QWidget* TCueForm::createZoneTable()
{
    auto* box = new QFrame(this);
    box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    const QStringList headers = {TCueForm::tr("Lp."),      TCueForm::tr("Aktyw."), TCueForm::tr("Sekwencja"),
                                 TCueForm::tr("Fade"),     TCueForm::tr("Prędkość"), TCueForm::tr("Muz."),
                                 TCueForm::tr("Bity")};
    for (int column = 0; column < headers.size(); ++column) {
        auto* header = new QLabel(headers[column], box);
        header->setAlignment(Qt::AlignCenter);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        grid->addWidget(header, 0, column);
    }
    for (int zone = 0; zone < kZones; ++zone)
        createZoneRow(grid, zone);
    grid->setColumnStretch(2, 1);
    return box;
}

void TCueForm::createZoneRow(QGridLayout* grid, int zone)
{
    QWidget* box = grid->parentWidget();
    ZoneRow& r = rows_[std::size_t(zone)];
    r.number = new QLabel(QString::number(zone + 1), box);
    r.number->setAlignment(Qt::AlignCenter);
    r.active = new QCheckBox(box);
    r.sequence = createDropList(box);
    r.sequence->setMinimumWidth(180);
    r.erase = new QToolButton(box);
    r.erase->setText(QStringLiteral("X"));
    r.erase->setToolTip(TCueForm::tr("Usuń"));
    r.fade = new QCheckBox(box);
    // It only shows the sequence's own setting.
    r.fade->setAttribute(Qt::WA_TransparentForMouseEvents);
    r.fade->setFocusPolicy(Qt::NoFocus);
    r.speed = horizontalBar(-100, 100, box);
    r.speed->setMinimumWidth(160);
    r.speed->fitCaptionAboveKnob(); // an offset of 0 would sit under the knob
    r.music = new QCheckBox(box);
    r.pulses = createDropList(box);
    for (std::uint32_t pulses : kZonePulses)
        r.pulses->addItem(QString::number(pulses));
    r.pulses->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    const int line = zone + 1;
    grid->addWidget(r.number, line, 0);
    grid->addWidget(r.active, line, 1, Qt::AlignCenter);
    auto* sequenceCell = new QHBoxLayout;
    sequenceCell->addWidget(r.sequence, 1);
    sequenceCell->addWidget(r.erase);
    grid->addLayout(sequenceCell, line, 2);
    grid->addWidget(r.fade, line, 3, Qt::AlignCenter);
    grid->addWidget(r.speed, line, 4);
    grid->addWidget(r.music, line, 5, Qt::AlignCenter);
    grid->addWidget(r.pulses, line, 6);
    for (QWidget* w : {static_cast<QWidget*>(r.active), static_cast<QWidget*>(r.erase), static_cast<QWidget*>(r.fade),
                       static_cast<QWidget*>(r.speed), static_cast<QWidget*>(r.music),
                       static_cast<QWidget*>(r.pulses)})
        keepPlaceWhenHidden(w);

    connect(r.active, &QCheckBox::toggled, this, [this, zone](bool on) {
        changeZones([&](KyCueEdit& e) { e.setActive(zone, on); });
        commitZones(tr("aktywność strefy"));
    });
    connect(r.sequence, &QComboBox::activated, this, [this, zone](int index) {
        changeZones([&](KyCueEdit& e) {
            if (std::size_t(index) < model_.store.sequenceCount())
                e.chooseSequence(zone, std::size_t(index));
        });
        commitZones(tr("wybór sekwencji"));
    });
    connect(r.erase, &QToolButton::clicked, this, [this, zone] {
        changeZones([&](KyCueEdit& e) { e.eraseZone(zone); });
        commitZones(tr("usunięcie strefy"));
    });
    // A drag of the speed bar, or a run of its keys, is one step, taken when it ends.
    r.speed->installEventFilter(this);
    connect(r.speed, &TPTrackBar::changed, this, [this, zone] {
        const int position = rows_[std::size_t(zone)].speed->position();
        changeZones([&](KyCueEdit& e) { e.setZoneSpeed(zone, position); });
    });
    connect(r.music, &QCheckBox::toggled, this, [this, zone](bool on) {
        changeZones([&](KyCueEdit& e) { e.setMusic(zone, on); });
        commitZones(tr("muzykę strefy"));
    });
    connect(r.pulses, &QComboBox::activated, this, [this, zone](int item) {
        changeZones([&](KyCueEdit& e) { e.setPulses(zone, std::size_t(item)); });
        commitZones(tr("bity strefy"));
    });
}

QComboBox* TCueForm::createDropList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

// The open list of a drop-down is a popup window of its own, owned by the drop-down.
bool TCueForm::listOpen() const
{
    for (const QObject* o = QApplication::activePopupWidget(); o; o = o->parent())
        if (o == this)
            return true;
    return false;
}

QWidget* TCueForm::createBars()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(0, 1);
    cueSpeed_ = createBar(grid, 0, TCueForm::tr("PRĘDKOŚĆ CUE"), -100, 100);
    generatorSpeed_ = createBar(grid, 1, TCueForm::tr("PRĘDKOŚĆ GENERATORÓW"), -100, 100);
    amplitude_ = createBar(grid, 2, TCueForm::tr("AMPLITUDA GENERATORÓW"), 0, 100);
    amplitude_.bar->setPositionSilently(100);
    showBarValues();

    connect(cueSpeed_.bar, &TPTrackBar::changed, this, &TCueForm::CueSpeedTBarChange);
    connect(generatorSpeed_.bar, &TPTrackBar::changed, this, &TCueForm::GeneratorSpeedTBarChange);
    connect(amplitude_.bar, &TPTrackBar::changed, this, &TCueForm::GeneratorAmplitudeTBarChange);
    return box;
}

TCueForm::ValueBar TCueForm::createBar(QGridLayout* grid, int line, const QString& caption, int min, int max)
{
    ValueBar bar;
    bar.bar = horizontalBar(min, max, grid->parentWidget());
    bar.bar->setCaption(caption);
    bar.bar->fitCaptionAboveKnob();
    bar.bar->setMinimumWidth(bar.bar->fontMetrics().horizontalAdvance(caption) + 2 * bar.bar->sliderSize() + 24);
    bar.value = framedLabel(grid->parentWidget(), 48);
    bar.value->setFixedWidth(48);
    grid->addWidget(bar.bar, line, 0);
    grid->addWidget(bar.value, line, 1);
    return bar;
}

QWidget* TCueForm::createListBlock()
{
    stored_ = new TPStoredList(TCueForm::tr("CUE"), this);
    list_ = stored_->grid();
    list_->setMinimumWidth(240);

    connect(stored_, &TPStoredList::rowChosen, this, &TCueForm::ListSelectCell);
    // The refresh keeps the first row current while the live cue is not stored; a click on
    // it loads it all the same.
    connect(stored_, &TPStoredList::rowClicked, this, [this](int row) {
        bool stale = false;
        {
            std::lock_guard lock(model_.showLock);
            stale = std::size_t(row) < model_.store.cueCount() && !edit_.isLive(std::size_t(row));
        }
        if (stale)
            ListSelectCell(row);
    });
    connect(stored_, &TPStoredList::renameClicked, this, &TCueForm::RenameButtonClick);
    connect(stored_, &TPStoredList::eraseClicked, this, &TCueForm::EraseButtonClick);
    return stored_;
}

// ---- Opening, closing and the refresh

void TCueForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TCueForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        FormClose();
    QWidget::hideEvent(event);
}

void TCueForm::FormShow()
{
    Rows shown;
    {
        std::lock_guard lock(model_.showLock);
        edit_.open();
        shown = edit_.zoneRows();
    }
    fillSequenceLists();
    showRows(shown);
    fillList();
    RefreshTimerTimer();
}

void TCueForm::FormClose()
{
    undo_->clear();
    std::lock_guard lock(model_.showLock);
    edit_.close();
}

void TCueForm::commitZones(const QString& what)
{
    std::unique_ptr<KyChange> change;
    {
        std::lock_guard lock(model_.showLock);
        change = edit_.takeChange();
    }
    vt::pushChange(*undo_, model_.showLock, what, std::move(change), [this] { changeZones([](KyCueEdit&) {}); });
}

void TCueForm::forgetSteps()
{
    undo_->clear();
    std::lock_guard lock(model_.showLock);
    edit_.mark();
}

bool TCueForm::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    const bool repeated = type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->isAutoRepeat();
    if (!repeated && (type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease || type == QEvent::Wheel))
        QTimer::singleShot(0, this, [this] { commitZones(tr("prędkość strefy")); });
    return QWidget::eventFilter(watched, event);
}

void TCueForm::RefreshTimerTimer()
{
    if (listOpen())
        return;
    KyCueEditView view;
    {
        std::lock_guard lock(model_.showLock);
        view = edit_.refresh();
    }
    if (int(view.liveRow) < list_->rowCount() && list_->currentRow() != int(view.liveRow)) {
        QSignalBlocker quiet(list_);
        list_->setCurrentCell(int(view.liveRow), 1);
    }
    name_->setText(vt::fromCp1250(view.name));
    amplitude_.bar->setPositionSilently(view.amplitudePosition);
    generatorSpeed_.bar->setPositionSilently(view.generatorSpeedPosition);
    cueSpeed_.bar->setPositionSilently(view.cueSpeed);
    showBarValues();
}

void TCueForm::showBarValues()
{
    for (const ValueBar* b : {&cueSpeed_, &generatorSpeed_, &amplitude_})
        b->value->setText(QString::number(b->bar->position()));
}

void TCueForm::fillSequenceLists()
{
    std::vector<std::string> names;
    {
        std::lock_guard lock(model_.showLock);
        names = storedSequenceNames(model_.store);
    }
    QStringList items;
    for (const auto& name : names)
        items << vt::fromCp1250(name);
    for (ZoneRow& r : rows_) {
        QSignalBlocker quiet(r.sequence);
        r.sequence->clear();
        r.sequence->addItems(items);
    }
}

void TCueForm::fillList()
{
    std::vector<std::string> names;
    {
        std::lock_guard lock(model_.showLock);
        names = storedCueNames(model_.store);
    }
    stored_->showNames(names);
}

// ---- Zone rows

void TCueForm::showRow(int zone, const KyZoneRow& shown)
{
    ZoneRow& r = rows_[std::size_t(zone)];
    const QSignalBlocker quiet[] = {QSignalBlocker(r.active), QSignalBlocker(r.sequence), QSignalBlocker(r.music),
                                    QSignalBlocker(r.pulses)};
    r.number->setEnabled(!shown.empty);
    r.sequence->setCurrentIndex(shown.sequenceRow);
    for (QWidget* w : {static_cast<QWidget*>(r.active), static_cast<QWidget*>(r.erase), static_cast<QWidget*>(r.fade),
                       static_cast<QWidget*>(r.speed), static_cast<QWidget*>(r.music)})
        w->setVisible(!shown.empty);
    r.pulses->setVisible(!shown.empty && shown.music);
    r.active->setChecked(shown.active);
    r.fade->setChecked(shown.fade);
    r.speed->setPositionSilently(shown.speed);
    r.speed->setCaption(QString::number(r.speed->position()));
    r.music->setChecked(shown.music);
    r.pulses->setCurrentIndex(shown.pulsesItem);
}

void TCueForm::showRows(const Rows& shown)
{
    for (int zone = 0; zone < kZones; ++zone)
        showRow(zone, shown[std::size_t(zone)]);
}

template <class Change> void TCueForm::changeZones(Change change)
{
    Rows shown;
    {
        std::lock_guard lock(model_.showLock);
        change(edit_);
        shown = edit_.zoneRows();
    }
    showRows(shown);
}

void TCueForm::CueSpeedFollowed()
{
    edit_.followCueSpeed();
    showRows(edit_.zoneRows());
}

void TCueForm::rereadZones()
{
    changeZones([](KyCueEdit& e) { e.rereadZones(); });
    forgetSteps();
    RefreshTimerTimer();
}

// ---- Bars

void TCueForm::CueSpeedTBarChange()
{
    const int position = cueSpeed_.bar->position();
    {
        // The speed listener shows the rows again.
        std::lock_guard lock(model_.showLock);
        edit_.setCueSpeed(position);
    }
    showBarValues();
}

void TCueForm::GeneratorSpeedTBarChange()
{
    const int position = generatorSpeed_.bar->position();
    {
        std::lock_guard lock(model_.showLock);
        edit_.setGeneratorSpeed(position);
    }
    showBarValues();
}

void TCueForm::GeneratorAmplitudeTBarChange()
{
    const int position = amplitude_.bar->position();
    {
        std::lock_guard lock(model_.showLock);
        edit_.setGeneratorAmplitude(position);
    }
    showBarValues();
}

// ---- Stored cues

std::optional<std::size_t> TCueForm::selectedCue() const
{
    std::lock_guard lock(model_.showLock);
    return stored_->currentItem(model_.store.cueCount());
}

void TCueForm::ListSelectCell(int line)
{
    bool loaded = false;
    changeZones([&](KyCueEdit& e) {
        if (line >= 0 && std::size_t(line) < model_.store.cueCount()) {
            e.load(std::size_t(line));
            loaded = true;
        }
    });
    if (loaded) {
        forgetSteps();
        emit liveCueReplaced();
    }
}

void TCueForm::writeCues()
{
    reportSaveFailure(this, model_.saveCues());
}

void TCueForm::SaveButtonClick()
{
    bool saved = false;
    {
        std::lock_guard lock(model_.showLock);
        saved = edit_.save();
    }
    if (!saved)
        return SaveAsButtonClick();
    writeCues();
}

void TCueForm::SaveAsButtonClick()
{
    std::string name;
    {
        std::lock_guard lock(model_.showLock);
        name = model_.dmx.liveCue().name;
    }
    const std::optional<std::string> given = askForName(this, name);
    if (!given)
        return;
    {
        std::lock_guard lock(model_.showLock);
        edit_.saveAs(*given);
    }
    name_->setText(vt::fromCp1250(*given));
    fillList();
    // Selecting another row loads the stored copy back, which starts its zones again.
    list_->setCurrentCell(list_->rowCount() - 1, 1);
    writeCues();
}

void TCueForm::NewButtonClick()
{
    changeZones([](KyCueEdit& e) { e.startNew(); });
    forgetSteps();
    name_->setText(QString());
    emit liveCueReplaced();
}

void TCueForm::RenameButtonClick()
{
    const auto selected = selectedCue();
    if (!selected)
        return;
    std::string name;
    {
        std::lock_guard lock(model_.showLock);
        name = model_.store.cueAt(*selected).name;
    }
    const std::optional<std::string> given = askForName(this, name, {.atPointer = true});
    if (!given)
        return;
    changeZones([&](KyCueEdit& e) { e.rename(*selected, *given); });
    forgetSteps();
    fillList();
    emit liveCueReplaced();
}

void TCueForm::EraseButtonClick()
{
    const auto selected = selectedCue();
    if (!selected)
        return;
    if (!confirmErase(this, TCueForm::tr("Na pewno chcesz wykasowac CUE")))
        return;
    changeZones([&](KyCueEdit& e) {
        if (*selected < model_.store.cueCount())
            e.erase(*selected);
    });
    forgetSteps();
    fillList();
    emit liveCueReplaced();
    writeCues();
}
