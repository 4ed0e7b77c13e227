#include "sequence/Fsequence.h"

#include "common/Change.h"
#include "common/Fname.h"
#include "common/PShownTimer.h"
#include "common/PStoredList.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PToolWindow.h"
#include "common/PUndo.h"
#include "sequence/EditSpace.h"
#include "sequence/Fsceneprop.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

QLabel* framedLabel(QWidget* parent, int minimumWidth)
{
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(minimumWidth);
    return label;
}

QToolButton* fileButton(const char* picture, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture))));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(22, 14);
    return button;
}

} // namespace

TSequenceForm::TSequenceForm(const TSequenceFormModel& model, TSequenceFormHost host, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), model_(model), host_(std::move(host)), edit_(model_.dmx, model_.store),
      undo_(vt::newUndoStack(this)), gestureName_(tr("nagranie"))
{
    setWindowTitle(TSequenceForm::tr("Sekwencja"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createFileRow());
    layout->addWidget(createSceneGroup());
    layout->addWidget(createTimeRow());
    layout->addWidget(createPreviewRow());
    layout->addWidget(createListBlock(), 1);

    connect(timerWhileShown(this, 10), &QTimer::timeout, this, &TSequenceForm::RefreshTimerTimer);
}

QWidget* TSequenceForm::createFileRow()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    newButton_ = fileButton("newsequence", TSequenceForm::tr("Nowa sekwencja"), box);
    saveButton_ = fileButton("save", TSequenceForm::tr("Zapisz sekwencję"), box);
    saveAsButton_ = fileButton("saveas", TSequenceForm::tr("Zapisz sekwencję jako..."), box);
    for (QToolButton* b : {newButton_, saveButton_, saveAsButton_})
        buttons->addWidget(b);
    vt::addUndoButtons(*undo_, buttons, box);
    buttons->addStretch();
    fadeCheck_ = new QCheckBox(TSequenceForm::tr("Płynna zmiana"), box);
    buttons->addWidget(fadeCheck_);
    grid->addLayout(buttons, 0, 0, 1, 2);
    grid->addWidget(new QLabel(TSequenceForm::tr("Nazwa"), box), 1, 0);
    nameDisplay_ = framedLabel(box, 200);
    nameDisplay_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(nameDisplay_, 1, 1);
    grid->setColumnStretch(1, 1);

    connect(newButton_, &QToolButton::clicked, this, &TSequenceForm::NewButtonClick);
    connect(saveButton_, &QToolButton::clicked, this, &TSequenceForm::SaveButtonClick);
    connect(saveAsButton_, &QToolButton::clicked, this, &TSequenceForm::SaveAsButtonClick);
    connect(fadeCheck_, &QCheckBox::clicked, this,
            [this](bool checked) { edit(tr("płynną zmianę"), [this, checked] { edit_.setFade(checked); }); });
    return box;
}

QWidget* TSequenceForm::createSceneGroup()
{
    auto* group = new QGroupBox(TSequenceForm::tr("Sceny"), this);
    auto* row = new QHBoxLayout(group);
    previousScene_ = new QPushButton(QStringLiteral("<"), group);
    nextScene_ = new QPushButton(QStringLiteral(">"), group);
    sceneNumber_ = framedLabel(group, 40);
    sceneNumber_->setToolTip(TSequenceForm::tr("Dwukrotne kliknięcie pokazuje kanały sceny"));
    sceneNumber_->installEventFilter(this);
    sceneCount_ = framedLabel(group, 40);
    addScene_ = new QPushButton(TSequenceForm::tr("Dodaj"), group);
    eraseScene_ = new QPushButton(TSequenceForm::tr("Usuń"), group);
    for (QPushButton* b : {previousScene_, nextScene_})
        b->setFixedWidth(32);
    row->addWidget(previousScene_);
    row->addWidget(sceneNumber_);
    row->addWidget(new QLabel(QStringLiteral(":"), group));
    row->addWidget(sceneCount_);
    row->addWidget(nextScene_);
    row->addStretch();
    row->addWidget(addScene_);
    row->addWidget(eraseScene_);

    auto sceneAction = [this](auto action) {
        return [this, action] {
            std::lock_guard lock(model_.showLock);
            (edit_.*action)();
        };
    };
    connect(previousScene_, &QPushButton::clicked, this, sceneAction(&KySequenceEdit::previousScene));
    connect(nextScene_, &QPushButton::clicked, this, sceneAction(&KySequenceEdit::nextScene));
    connect(addScene_, &QPushButton::clicked, this,
            [this] { edit(tr("dodanie sceny"), [this] { edit_.addScene(); }); });
    connect(eraseScene_, &QPushButton::clicked, this,
            [this] { edit(tr("usunięcie sceny"), [this] { edit_.eraseScene(); }); });
    return group;
}

QWidget* TSequenceForm::createTimeRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(createTimeGroup(0, QStringLiteral("min"), KySequenceEdit::kMinute));
    row->addWidget(createTimeGroup(1, QStringLiteral("sek"), KySequenceEdit::kSecond));
    row->addWidget(createTimeGroup(2, TSequenceForm::tr("0.1 sek"), KySequenceEdit::kTenth));
    globalTime_ = new QCheckBox(TSequenceForm::tr("Czas globalny"), box);
    row->addWidget(globalTime_);
    row->addStretch();
    connect(globalTime_, &QCheckBox::toggled, this,
            [this](bool checked) { edit(tr("czas globalny"), [this, checked] { edit_.setGlobalTime(checked); }); });
    return box;
}

QWidget* TSequenceForm::createTimeGroup(int group, const QString& caption, std::uint32_t step)
{
    TimeGroup& time = timeGroups_[std::size_t(group)];
    auto* box = new QGroupBox(caption, this);
    auto* row = new QHBoxLayout(box);
    time.value = framedLabel(box, 36);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    time.up = arrowButton(Qt::UpArrow, box);
    time.down = arrowButton(Qt::DownArrow, box);
    arrows->addWidget(time.up);
    arrows->addWidget(time.down);
    row->addWidget(time.value);
    row->addLayout(arrows);
    for (bool up : {true, false})
        // The arrows repeat while held: the run up to the release is one step.
        connect(up ? time.up : time.down, &QToolButton::clicked, this, [this, step, up] {
            std::lock_guard lock(model_.showLock);
            edit_.stepTime(step, up);
            gestureName_ = tr("czas sceny");
        });
    return box;
}

QWidget* TSequenceForm::createPreviewRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    start_ = new QPushButton(QIcon(QStringLiteral(":/icons/start.svg")), TSequenceForm::tr("Start"), box);
    pause_ = new QPushButton(QIcon(QStringLiteral(":/icons/pause.svg")), TSequenceForm::tr("Pauza"), box);
    stop_ = new QPushButton(QIcon(QStringLiteral(":/icons/stop.svg")), TSequenceForm::tr("Stop"), box);
    start_->setCheckable(true);
    pause_->setCheckable(true);
    for (QPushButton* b : {start_, pause_, stop_})
        row->addWidget(b);
    row->addStretch();
    connect(start_, &QPushButton::clicked, this, &TSequenceForm::StartButtonClick);
    connect(pause_, &QPushButton::clicked, this, &TSequenceForm::PauseButtonClick);
    connect(stop_, &QPushButton::clicked, this, &TSequenceForm::StopButtonClick);
    return box;
}

QWidget* TSequenceForm::createListBlock()
{
    stored_ = new TPStoredList(TSequenceForm::tr("Nazwa"), this);
    list_ = stored_->grid();
    list_->setMinimumHeight(160);
    close_ = new QPushButton(TSequenceForm::tr("Koniec"), stored_);
    stored_->buttonRow()->addStretch();
    stored_->buttonRow()->addWidget(close_);

    connect(stored_, &TPStoredList::rowChosen, this, &TSequenceForm::ListSelectCell);
    // A click on the current row loads it too when it is not the sequence being edited
    // (after an erase the working copy may differ from the row shown).
    connect(stored_, &TPStoredList::rowClicked, this, [this](int row) {
        bool loaded = false;
        {
            std::lock_guard lock(model_.showLock);
            loaded = std::size_t(row) < model_.store.sequenceCount() &&
                     model_.store.sequenceAt(std::size_t(row)).id == edit_.workingCopy().id;
        }
        if (!loaded)
            ListSelectCell(row);
    });
    connect(stored_, &TPStoredList::renameClicked, this, &TSequenceForm::RenameButtonClick);
    connect(stored_, &TPStoredList::eraseClicked, this, &TSequenceForm::EraseButtonClick);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    return stored_;
}

// ---- Opening, closing and the ticks

void TSequenceForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && !open_)
        FormShow();
    QWidget::showEvent(event);
}

void TSequenceForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous() && open_)
        FormClose();
    QWidget::hideEvent(event);
}

void TSequenceForm::FormShow()
{
    open_ = true;
    {
        std::lock_guard lock(model_.showLock);
        edit_.open();
    }
    qApp->installEventFilter(this);
    fillList();
    RefreshTimerTimer();
    host_.pressStop();
    host_.timer.setOnMMTimer([this](TMMTimer&) { editorTick(); });
    host_.enableGeneratorControls(false);
}

void TSequenceForm::FormClose()
{
    open_ = false;
    qApp->removeEventFilter(this);
    undo_->clear();
    host_.timer.setOnMMTimer(host_.mainTick);
    StopButtonClick();
    {
        std::lock_guard lock(model_.showLock);
        edit_.close();
    }
    host_.pressStart();
    host_.enableGeneratorControls(true);
}

void TSequenceForm::editorTick()
{
    std::lock_guard lock(model_.showLock);
    ::editorTick(model_.dmx, model_.usb, model_.inputChanged);
}

void TSequenceForm::runMainTick()
{
    const bool enabled = host_.timer.Enabled();
    host_.timer.setEnabled(false);
    host_.mainTick(host_.timer);
    if (enabled)
        host_.timer.setEnabled(true);
}

void TSequenceForm::RefreshTimerTimer()
{
    bool fade = false;
    int scene = 0;
    std::size_t scenes = 0;
    std::uint32_t time = 0;
    std::string name;
    bool global = false;
    {
        std::lock_guard lock(model_.showLock);
        const KySequence& working = edit_.workingCopy();
        fade = working.fade;
        global = edit_.globalTime();
        scene = edit_.currentScene();
        scenes = working.sceneCount();
        time = edit_.currentSceneTime();
        name = working.name;
    }
    fadeCheck_->setChecked(fade);
    {
        QSignalBlocker quiet(globalTime_);
        globalTime_->setChecked(global);
    }
    sceneNumber_->setText(QString::number(scene + 1));
    sceneCount_->setText(QString::number(scenes));
    const auto texts = sceneTimeTexts(time);
    for (std::size_t group = 0; group < texts.size(); ++group)
        timeGroups_[group].value->setText(QString::fromStdString(texts[group]));
    nameDisplay_->setText(vt::fromCp1250(name));
}

// ---- The list of stored sequences

void TSequenceForm::fillList()
{
    std::vector<std::string> names;
    {
        std::lock_guard lock(model_.showLock);
        for (const auto& sequence : model_.store.sequences())
            names.push_back(sequence->name);
    }
    stored_->showNames(names);
    if (list_->currentRow() < 0) {
        QSignalBlocker quiet(list_);
        list_->setCurrentCell(0, 1);
    }
}

std::optional<std::size_t> TSequenceForm::selectedRow() const
{
    std::lock_guard lock(model_.showLock);
    return stored_->currentItem(model_.store.sequenceCount());
}

void TSequenceForm::ListSelectCell(int row)
{
    {
        std::lock_guard lock(model_.showLock);
        if (row < 0 || std::size_t(row) >= model_.store.sequenceCount())
            return;
    }
    runMainTick();
    edit(tr("wczytanie sekwencji"), [this, row] { edit_.load(std::size_t(row)); });
}

void TSequenceForm::writeSequences()
{
    reportSaveFailure(this, model_.saveSequences());
}

void TSequenceForm::NewButtonClick()
{
    runMainTick();
    edit(tr("nową sekwencję"), [this] { edit_.startNew(); });
}

void TSequenceForm::SaveButtonClick()
{
    bool saved = false;
    {
        std::lock_guard lock(model_.showLock);
        saved = edit_.save();
    }
    if (!saved)
        return SaveAsButtonClick();
    writeSequences();
}

void TSequenceForm::SaveAsButtonClick()
{
    std::string name;
    {
        std::lock_guard lock(model_.showLock);
        name = edit_.workingCopy().name;
    }
    const std::optional<std::string> given = askForName(this, name);
    if (!given)
        return;
    runMainTick();
    {
        std::lock_guard lock(model_.showLock);
        edit_.saveAs(*given);
        edit_.mark();
    }
    fillList();
    {
        QSignalBlocker quiet(list_);
        list_->setCurrentCell(list_->rowCount() - 1, 1);
    }
    writeSequences();
}

void TSequenceForm::RenameButtonClick()
{
    const auto row = selectedRow();
    if (!row)
        return;
    std::string name;
    {
        std::lock_guard lock(model_.showLock);
        name = model_.store.sequenceAt(*row).name;
    }
    const std::optional<std::string> given = askForName(this, name);
    if (!given)
        return;
    {
        std::lock_guard lock(model_.showLock);
        edit_.rename(*row, *given);
        edit_.mark();
    }
    fillList();
}

void TSequenceForm::EraseButtonClick()
{
    const auto row = selectedRow();
    if (!row)
        return;
    if (confirmErase(this, TSequenceForm::tr("Na pewno chcesz wykasowac sekwencje"))) {
        bool replaced = false;
        {
            std::lock_guard lock(model_.showLock);
            edit_.erase(*row);
            // With the last one gone the working copy started anew: its steps are of another.
            replaced = edit_.takeChange() != nullptr;
        }
        if (replaced)
            undo_->clear();
        fillList();
    }
    writeSequences();
}

void TSequenceForm::SceneNumberDblClick()
{
    TScenePropForm::Contents contents;
    {
        std::lock_guard lock(model_.showLock);
        const KySequence& working = edit_.workingCopy();
        const auto scene = static_cast<std::size_t>(edit_.currentScene());
        if (scene < working.sceneCount())
            contents = sceneContents(working.sceneAt(scene));
    }
    TScenePropForm form(contents, this);
    form.exec();
}

bool TSequenceForm::eventFilter(QObject* watched, QEvent* event)
{
    watchGesture(event);
    if (watched == sceneNumber_ && event->type() == QEvent::MouseButtonDblClick) {
        SceneNumberDblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Undo

void TSequenceForm::edit(const QString& what, const std::function<void()>& edit)
{
    commitRecording();
    std::unique_ptr<KyChange> change;
    {
        std::lock_guard lock(model_.showLock);
        edit();
        change = edit_.takeChange();
    }
    vt::pushChange(*undo_, model_.showLock, what, std::move(change));
}

void TSequenceForm::commitRecording()
{
    if (!open_)
        return;
    std::unique_ptr<KyChange> change;
    {
        std::lock_guard lock(model_.showLock);
        change = edit_.takeChange();
    }
    vt::pushChange(*undo_, model_.showLock, std::exchange(gestureName_, tr("nagranie")), std::move(change));
}

// A gesture runs from a press of a button or a key (not repeated) to its release; a turn of
// the wheel is one. Its end is taken after the release was handled.
void TSequenceForm::watchGesture(QEvent* event)
{
    const auto type = event->type();
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if (key && static_cast<QKeyEvent*>(event)->isAutoRepeat())
        return;
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress)
        commitRecording();
    else if (type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease || type == QEvent::Wheel)
        QTimer::singleShot(0, this, &TSequenceForm::commitRecording);
}

// ---- Preview

void TSequenceForm::StartButtonClick()
{
    start_->setChecked(true);
    pause_->setChecked(false);
    {
        std::lock_guard lock(model_.showLock);
        edit_.startPreview();
    }
    setEditingEnabled(false);
}

// "Start" and "Pauza" are one group: "Pauza" goes down only over a playing preview, and
// lets "Start" up; released while the preview plays, it resumes it.
void TSequenceForm::PauseButtonClick(bool down)
{
    bool playing = false;
    {
        std::lock_guard lock(model_.showLock);
        playing = down ? edit_.pausePreview() : edit_.previewPlaying();
    }
    if (!down && playing) {
        StartButtonClick();
        return;
    }
    pause_->setChecked(down && playing);
    start_->setChecked(false);
}

void TSequenceForm::StopButtonClick()
{
    start_->setChecked(false);
    pause_->setChecked(false);
    {
        std::lock_guard lock(model_.showLock);
        edit_.stopPreview();
    }
    setEditingEnabled(true);
}

void TSequenceForm::setEditingEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             newButton_, saveButton_, saveAsButton_, previousScene_, nextScene_, addScene_, eraseScene_, list_,
             stored_->renameButton(), stored_->eraseButton()})
        control->setEnabled(enabled);
}
