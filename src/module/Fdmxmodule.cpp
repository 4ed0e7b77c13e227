#include "module/Fdmxmodule.h"

#include "common/Files.h"
#include "common/PFileChooser.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PTranslation.h"
#include "cue/Seque.h"
#include "module/SavedImage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr int kTransferPeriodMs = 10;
constexpr int kWatchPeriodMs = 20;
// A query takes two timer events; this bound only matters when the timer does not run.
constexpr auto kQueryWaitLimit = std::chrono::seconds(1);

vt::FileRequest imageFileRequest(QFileDialog::AcceptMode mode)
{
    vt::FileRequest request;
    request.mode = mode;
    request.filter = TDmxModuleForm::tr("Programy sterownika DMX (*.sav)");
    request.defaultSuffix = QStringLiteral("sav");
    return request;
}

// The answer's text up to its first zero byte.
QString answerText(const KyModuleJob::Answer& answer, bool trimmed)
{
    if (!answer.ok)
        return TDmxModuleForm::tr("Brak.");
    const auto* bytes = reinterpret_cast<const char*>(answer.bytes.data());
    const QString text = vt::fromCp1250(std::string(bytes, strnlen(bytes, KyModuleJob::Answer::kTextLength)));
    return trimmed ? text.trimmed() : text;
}

// Polish has three forms of a counted noun: 1 blok, 2-4 bloki (but 12-14 bloków), 5 bloków.
// Each form is a text of its own, so that the Polish stays right without any catalogue; the
// first stands for exactly one, which is where English takes its singular too.
struct CountedForms {
    const char* one;
    const char* few;
    const char* many;
};

constexpr CountedForms kBlocks{QT_TRANSLATE_NOOP("TDmxModuleForm", "%1 blok"),
                               QT_TRANSLATE_NOOP("TDmxModuleForm", "%1 bloki"),
                               QT_TRANSLATE_NOOP("TDmxModuleForm", "%1 bloków")};
constexpr CountedForms kSequences{QT_TRANSLATE_NOOP("TDmxModuleForm", "%1 sekwencję"),
                                  QT_TRANSLATE_NOOP("TDmxModuleForm", "%1 sekwencje"),
                                  QT_TRANSLATE_NOOP("TDmxModuleForm", "%1 sekwencji")};

QString counted(int n, const CountedForms& forms)
{
    const bool isFew = n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);
    return TDmxModuleForm::tr(n == 1 ? forms.one : isFew ? forms.few : forms.many).arg(n);
}

QPushButton* pictureButton(const char* picture, const QString& hint, QWidget* owner)
{
    auto* button = new QPushButton(owner);
    button->setIcon(QIcon(QStringLiteral(":/module/%1.svg").arg(QLatin1String(picture))));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(hint);
    return button;
}

TPStringGrid* cueGrid(const QString& header, QWidget* owner)
{
    auto* grid = new TPStringGrid({QString(), header}, owner);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setColumnWidth(0, 40);
    grid->setFixedSize(260, 320);
    return grid;
}

} // namespace

TDmxModuleForm::TDmxModuleForm(const KyModuleWindowModel& model, TMMTimer& timer, TMMTimer::Handler mainTick,
                               QWidget* owner)
    : QDialog(owner), model_(model), timer_(timer), mainTick_(std::move(mainTick)),
      data_(model.seque, model.panel), job_(std::make_shared<KyModuleJob>(model.usb)), jobWatch_(new QTimer(this)),
      serial_(new QLabel(TDmxModuleForm::tr("Serial Number"), this)), version_(new QLabel(TDmxModuleForm::tr("Version"), this)),
      generation_(new QLabel(this)), identifier_(new QLineEdit(this)),
      serialInput_(new QCheckBox(TDmxModuleForm::tr("Komunikacja z RS-232 lub QN-8"), this)),
      available_(cueGrid(TDmxModuleForm::tr("Dostępne CUE"), this)), selected_(cueGrid(TDmxModuleForm::tr("Wybrane CUE"), this)),
      cue_(new QPushButton(TDmxModuleForm::tr("Cue"), this)), remove_(pictureButton("remove", TDmxModuleForm::tr("Usuń"), this)),
      up_(pictureButton("up", TDmxModuleForm::tr("W górę"), this)), down_(pictureButton("down", TDmxModuleForm::tr("W dół"), this)),
      panel_(new QPushButton(TDmxModuleForm::tr("Panel"), this)), read_(new QPushButton(TDmxModuleForm::tr("Odczyt"), this)),
      program_(new QPushButton(TDmxModuleForm::tr("Programowanie"), this)),
      programFile_(new QPushButton(TDmxModuleForm::tr("Programowanie z pliku"), this)), progress_(new QProgressBar(this)),
      transferLine_(new QLabel(this)), imageNote_(new QLabel(this))
{
    setWindowTitle(TDmxModuleForm::tr("Moduł DMX"));
    identifier_->setMaxLength(int(kIdentifierLength));
    identifier_->setValidator(new TPCp1250Validator(identifier_));
    progress_->setRange(0, KyModuleJob::kUncountedProgressMax);
    progress_->setValue(0);
    imageNote_->setWordWrap(true);
    imageNote_->hide();
    buildLayout();

    jobWatch_->setInterval(kWatchPeriodMs);
    connect(jobWatch_, &QTimer::timeout, this, &TDmxModuleForm::watchJob);
    connect(cue_, &QPushButton::clicked, this, &TDmxModuleForm::CueButtonClick);
    connect(remove_, &QPushButton::clicked, this, &TDmxModuleForm::RemoveButtonClick);
    connect(up_, &QPushButton::clicked, this, &TDmxModuleForm::UpButtonClick);
    connect(down_, &QPushButton::clicked, this, &TDmxModuleForm::DownButtonClick);
    connect(panel_, &QPushButton::clicked, this, &TDmxModuleForm::PanelButtonClick);
    connect(read_, &QPushButton::clicked, this, &TDmxModuleForm::ReadButtonClick);
    connect(program_, &QPushButton::clicked, this, &TDmxModuleForm::ProgramButtonClick);
    connect(programFile_, &QPushButton::clicked, this, &TDmxModuleForm::ProgramFileButtonClick);

    askModule();
    fillAvailable();
    refreshSelected(0);
}

TDmxModuleForm::~TDmxModuleForm()
{
    {
        std::lock_guard lock(model_.showLock);
        job_->abandon();
    }
    restoreMainTick();
}

void TDmxModuleForm::buildLayout()
{
    auto* module = new QGridLayout;
    module->addWidget(new QLabel(TDmxModuleForm::tr("Numer Ser.:"), this), 0, 0);
    module->addWidget(serial_, 0, 1);
    module->addWidget(new QLabel(TDmxModuleForm::tr("Wersja:"), this), 0, 2);
    module->addWidget(version_, 0, 3);
    module->addWidget(new QLabel(TDmxModuleForm::tr("Generacja:"), this), 1, 0);
    module->addWidget(generation_, 1, 1);
    module->addWidget(new QLabel(TDmxModuleForm::tr(" Identyfikator:"), this), 1, 2);
    module->addWidget(identifier_, 1, 3);
    module->addWidget(serialInput_, 2, 0, 1, 4);
    module->setColumnStretch(1, 1);
    module->setColumnStretch(3, 1);

    auto* selection = new QVBoxLayout;
    selection->addStretch();
    for (QPushButton* b : {cue_, remove_, up_, down_, panel_})
        selection->addWidget(b);
    selection->addStretch();
    auto* grids = new QHBoxLayout;
    grids->addWidget(available_);
    grids->addLayout(selection);
    grids->addWidget(selected_);

    auto* transfers = new QHBoxLayout;
    for (QPushButton* b : {read_, program_, programFile_})
        transfers->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(module);
    layout->addLayout(grids);
    layout->addLayout(transfers);
    layout->addWidget(progress_);
    layout->addWidget(transferLine_);
    layout->addWidget(imageNote_);
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// ---- Opening: the three queries, each stepped by the timer while the window waits.

void TDmxModuleForm::askModule()
{
    installStepHandler();
    for (auto query : {KyModuleJob::ReadingSerial, KyModuleJob::ReadingVersion, KyModuleJob::ReadingIdentifier}) {
        {
            std::lock_guard lock(model_.showLock);
            job_->startQuery(query);
        }
        waitForQuery();
    }
    restoreMainTick();
    showAnswers();
}

void TDmxModuleForm::waitForQuery()
{
    const auto deadline = std::chrono::steady_clock::now() + kQueryWaitLimit;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::lock_guard lock(model_.showLock);
        if (job_->jobState() == KyModuleJob::Idle)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            job_->abandon();
            break;
        }
    }
}

void TDmxModuleForm::showAnswers()
{
    KyModuleJob::Answer serial, version, identity;
    bool assumed = true;
    {
        std::lock_guard lock(model_.showLock);
        job_->takeOutcome();
        serial = job_->serial();
        version = job_->version();
        identity = job_->identity();
        firmwareGeneration_ = job_->firmwareGeneration();
        assumed = job_->generationAssumed();
    }
    serial_->setText(answerText(serial, true));
    version_->setText(answerText(version, false));
    identifier_->setText(answerText(identity, true));
    if (identity.ok)
        serialInput_->setChecked(identity.bytes[17] == 1);
    generation_->setText(assumed ? TDmxModuleForm::tr("%1 (założona)").arg(firmwareGeneration_)
                                 : QString::number(firmwareGeneration_));
    generation_->setToolTip(assumed ? TDmxModuleForm::tr("Numer seryjny nie podaje generacji modułu; "
                                                         "przyjęto układ pamięci obecnych modułów.")
                                    : QString());
}

// ---- The selection

void TDmxModuleForm::fillAvailable()
{
    const auto& cues = model_.seque.cues();
    available_->setDataRowCount(static_cast<int>(cues.size()));
    for (int row = 0; row < static_cast<int>(cues.size()); ++row) {
        available_->setText(row, 0, QString::number(row));
        available_->setText(row, 1, vt::fromCp1250(cues[std::size_t(row)].name));
    }
    available_->setCurrentCell(0, 1);
}

void TDmxModuleForm::refreshSelected(int currentRow)
{
    const int count = static_cast<int>(data_.cues.size());
    selected_->setDataRowCount(count);
    for (int row = 0; row < selected_->rowCount(); ++row) {
        const bool cue = row < count;
        selected_->setText(row, 0, cue ? QString::number(row) : QString());
        selected_->setText(row, 1, cue ? vt::fromCp1250(data_.cues[std::size_t(row)].name) : QString());
    }
    selected_->setCurrentCell(std::clamp(currentRow, 0, std::max(count - 1, 0)), 1);
}

int TDmxModuleForm::selectedRow() const
{
    const int row = selected_->currentRow();
    return row >= 0 && row < static_cast<int>(data_.cues.size()) ? row : -1;
}

// Copying the stored sequences takes the show lock: the tick moves the figures of those the
// live cue plays.
void TDmxModuleForm::CueButtonClick()
{
    const int row = available_->currentRow();
    if (row < 0)
        return;
    {
        std::lock_guard lock(model_.showLock);
        data_.addCue(static_cast<std::size_t>(row));
    }
    refreshSelected(static_cast<int>(data_.cues.size()) - 1);
}

void TDmxModuleForm::RemoveButtonClick()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    data_.removeCue(static_cast<std::size_t>(row));
    refreshSelected(row);
}

void TDmxModuleForm::UpButtonClick()
{
    const int row = selectedRow();
    if (row >= 0 && data_.moveUp(static_cast<std::size_t>(row)))
        refreshSelected(row - 1);
}

void TDmxModuleForm::DownButtonClick()
{
    const int row = selectedRow();
    if (row >= 0 && data_.moveDown(static_cast<std::size_t>(row)))
        refreshSelected(row + 1);
}

void TDmxModuleForm::PanelButtonClick()
{
    {
        std::lock_guard lock(model_.showLock);
        data_.addPanel();
    }
    refreshSelected(selectedRow());
}

// ---- Transfers

void TDmxModuleForm::ReadButtonClick()
{
    const QString path = vt::chooseFile(this, imageFileRequest(QFileDialog::AcceptSave));
    if (path.isEmpty())
        return;
    pendingReadPath_ = path;
    beginJob(TDmxModuleForm::tr("Odczyt zakończony: odczytano %1."));
    {
        std::lock_guard lock(model_.showLock);
        job_->startRead();
    }
    runJob(kTransferPeriodMs);
}

// The build reads only what the window thread alone changes (the selection's copies, the
// installation, the zone names), so it runs without the show lock.
void TDmxModuleForm::ProgramButtonClick()
{
    beginJob(TDmxModuleForm::tr("Programowanie zakończone: zapisano %1."));
    KyImageSettings settings;
    settings.firmwareGeneration = firmwareGeneration_;
    settings.identifier = vt::toCp1250(identifier_->text());
    settings.serialInput = serialInput_->isChecked();
    const KyModuleImage image = buildImage(data_, model_.club, model_.zoneNames, settings);
    if (image.refusal != KyImageRefusal::None) {
        for (const std::string& message : refusalMessages(image.refusal))
            QMessageBox::warning(this, TDmxModuleForm::tr("Ostrzeżenie"), vt::coreText(message));
        endJob();
        return;
    }
    showZoneCuts(image.zoneCuts);
    {
        std::lock_guard lock(model_.showLock);
        job_->startWrite(image.bytes, image.counts);
        model_.usb.connectedModuleName = settings.identifier;
    }
    // Modules before generation 12 take the image at the regular tick.
    runJob(isOldGeneration(firmwareGeneration_) ? timer_.Interval() : kTransferPeriodMs);
}

void TDmxModuleForm::ProgramFileButtonClick()
{
    const QString path = vt::chooseFile(this, imageFileRequest(QFileDialog::AcceptOpen));
    if (path.isEmpty())
        return;
    vt::Bytes file;
    if (!readSavedImageFile(path.toStdString(), std::size_t(maxBlocksFor(firmwareGeneration_)) * kBlockSize, file)) {
        QMessageBox::critical(this, TDmxModuleForm::tr("Błąd"),
                              TDmxModuleForm::tr("Nie można odczytać pliku %1").arg(QFileInfo(path).fileName()));
        return;
    }
    const KySavedImage saved = checkSavedImage(file, firmwareGeneration_);
    if (saved.verdict != KySavedImageVerdict::Accepted) {
        QMessageBox::critical(this, TDmxModuleForm::tr("Błąd"), vt::coreText(savedImageMessage(saved.verdict)));
        return;
    }
    beginJob(TDmxModuleForm::tr("Programowanie z pliku zakończone: zapisano %1."));
    {
        std::lock_guard lock(model_.showLock);
        job_->startWrite(file, saved.counts);
    }
    runJob(kTransferPeriodMs);
}

void TDmxModuleForm::beginJob(const QString& doneLine)
{
    jobRunning_ = true;
    doneLine_ = doneLine;
    for (QPushButton* b : {read_, program_, programFile_})
        b->setEnabled(false);
    progress_->setRange(0, KyModuleJob::kUncountedProgressMax);
    progress_->setValue(0);
    transferLine_->clear();
}

void TDmxModuleForm::endJob()
{
    jobRunning_ = false;
    for (QPushButton* b : {read_, program_, programFile_})
        b->setEnabled(true);
}

// One line per zone whose list lost sequences; the image goes out all the same.
void TDmxModuleForm::showZoneCuts(const std::vector<KyZoneCut>& cuts)
{
    QStringList lines;
    for (const KyZoneCut& cut : cuts)
        lines << TDmxModuleForm::tr("Strefa „%1”: lista mieści %2, pominięto %3.")
                     .arg(vt::fromCp1250(model_.zoneNames[std::size_t(cut.zone)]),
                          counted(int(kZoneListLength), kSequences), counted(cut.dropped, kSequences));
    imageNote_->setText(lines.join(QLatin1Char('\n')));
    imageNote_->setVisible(!lines.isEmpty());
}

void TDmxModuleForm::installStepHandler()
{
    periodBeforeJob_ = timer_.Interval();
    timer_.setOnMMTimer([job = job_, lock = &model_.showLock](TMMTimer&) {
        std::lock_guard guard(*lock);
        job->step();
    });
    stepHandlerInstalled_ = true;
}

void TDmxModuleForm::runJob(int periodMs)
{
    installStepHandler();
    if (periodMs != periodBeforeJob_)
        timer_.SetInterval(periodMs);
    jobWatch_->start();
}

// The period first, so that the main tick never runs at the transfer's pace. Neither call
// may be made under the show lock: changing the period waits for a running event.
void TDmxModuleForm::restoreMainTick()
{
    if (!stepHandlerInstalled_)
        return;
    if (timer_.Interval() != periodBeforeJob_)
        timer_.SetInterval(periodBeforeJob_);
    timer_.setOnMMTimer(mainTick_);
    stepHandlerInstalled_ = false;
}

void TDmxModuleForm::watchJob()
{
    KyModuleJob::Outcome outcome;
    int position = 0;
    int maximum = 0;
    int blocks = 0;
    {
        std::lock_guard lock(model_.showLock);
        outcome = job_->takeOutcome();
        position = job_->progress();
        maximum = job_->progressMax();
        blocks = job_->blockCount();
    }
    if (outcome != KyModuleJob::Outcome::None) {
        jobEnded(outcome, blocks);
        return;
    }
    progress_->setRange(0, maximum);
    progress_->setValue(position);
}

// A transfer that went through leaves the bar full and says so; a failed one leaves it empty.
void TDmxModuleForm::jobEnded(KyModuleJob::Outcome outcome, int blockCount)
{
    jobWatch_->stop();
    restoreMainTick();
    endJob();
    const QString readPath = std::exchange(pendingReadPath_, QString());
    if (outcome == KyModuleJob::Outcome::ReadError) {
        progress_->setValue(0);
        QMessageBox::critical(this, TDmxModuleForm::tr("Błąd"), vt::coreText(vt::kModuleReadError));
        return;
    }
    if (!readPath.isEmpty() && !saveReadImage(readPath))
        return;
    progress_->setRange(0, blockCount);
    progress_->setValue(blockCount);
    transferLine_->setText(doneLine_.arg(counted(blockCount, kBlocks)));
}

bool TDmxModuleForm::saveReadImage(const QString& path)
{
    vt::Bytes image;
    {
        std::lock_guard lock(model_.showLock);
        const auto bytes = job_->image().first(std::size_t(job_->blockCount()) * kBlockSize);
        image.assign(bytes.begin(), bytes.end());
    }
    std::string reason;
    if (vt::writeFileAtomically(path.toStdString(), image, &reason))
        return true;
    progress_->setValue(0);
    QMessageBox::warning(this, TDmxModuleForm::tr("Błąd"),
                         vt::coreText(vt::saveFailureMessage(path.toStdString(), reason)));
    return false;
}

void TDmxModuleForm::reject()
{
    if (!jobRunning_)
        QDialog::reject();
}

void TDmxModuleForm::closeEvent(QCloseEvent* event)
{
    if (jobRunning_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
