#include "library/Ffixtureimport.h"

#include "common/PFileChooser.h"
#include "common/PText.h"
#include "common/PTranslation.h"
#include "library/QxfImport.h"

#include <QFileInfo>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kModeRole = Qt::UserRole;
// The first names reach the tree at once; then larger batches keep the posting cheap.
constexpr std::size_t kFirstBatch = 16;
constexpr std::size_t kBatch = 128;

std::vector<std::string> goboFolders(const QString& listingFolder, const std::string& file = {})
{
    std::vector<std::string> folders{qxfGoboFolderFor(listingFolder.toStdString())};
    if (!file.empty())
        folders.push_back(std::filesystem::path(file).parent_path().string());
    return folders;
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// The wheel a block name of the preview stands for, to list its slots.
const KyGobo* wheelOf(const KyDevice& device, const std::string& block)
{
    const std::pair<const char*, const KyGobo*> wheels[] = {{"Kolor 1", &device.color1}, {"Gobo 1", &device.gobo1},
                                                           {"Gobo 2", &device.gobo2},    {"Efekt 1", &device.effect1},
                                                           {"Efekt 2", &device.effect2}};
    for (const auto& [name, wheel] : wheels)
        if (block == name)
            return wheel;
    return nullptr;
}

QString slotList(const KyGobo& wheel)
{
    QStringList names;
    for (std::size_t i = 0; i < wheel.slotCount(); ++i)
        names << QStringLiteral("%1 (%2)").arg(vt::fromCp1250(wheel.slotAt(i).name)).arg(wheel.slotAt(i).value);
    return names.join(QStringLiteral(", "));
}

// One line per block: its channels, and a wheel's slots.
QString previewText(const KyQxfImport& import)
{
    if (!import.imported())
        return TFixtureImportForm::tr("Nie można zaimportować: %1").arg(vt::coreText(qxfRefusalText(import)));
    QStringList lines{TFixtureImportForm::tr("Nazwa: %1").arg(vt::fromCp1250(import.device.name)),
                      TFixtureImportForm::tr("Kanały: %1").arg(import.modeChannels)};
    std::vector<std::string> blocks;
    for (const KyQxfPlacement& p : import.placements)
        if (std::find(blocks.begin(), blocks.end(), p.block) == blocks.end())
            blocks.push_back(p.block);
    for (const std::string& block : blocks) {
        QStringList channels;
        for (const KyQxfPlacement& p : import.placements)
            if (p.block == block)
                channels << QStringLiteral("%1 %2").arg(p.channel).arg(fromUtf8(p.name));
        QString line = vt::coreText(block) + QStringLiteral(": ") + channels.join(QStringLiteral(", "));
        if (const KyGobo* wheel = wheelOf(import.device, block); wheel && wheel->slotCount() > 0)
            line += QStringLiteral(" — ") + slotList(*wheel);
        lines << line;
    }
    // The names the mode gives its channels, each with the program's own note where it has one.
    if (!import.leftOut.empty()) {
        QStringList names;
        for (const std::string& name : import.leftOut)
            names << vt::coreText(name);
        lines << TFixtureImportForm::tr("Pominięto: %1").arg(names.join(QStringLiteral(", ")));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

const QString TFixtureImportForm::kSystemFolder = QStringLiteral("/usr/share/qlcplus/fixtures");

TFixtureImportForm::TFixtureImportForm(QWidget* owner, const QString& folder)
    : QDialog(owner), search_(new QLineEdit(this)), tree_(new QTreeWidget(this)), modes_(new QListWidget(this)),
      preview_(new QPlainTextEdit(this)), progress_(new QProgressBar(this)), notice_(new QLabel(this)),
      importButton_(new QPushButton(TFixtureImportForm::tr("Importuj"), this)),
      fileButton_(new QPushButton(TFixtureImportForm::tr("Z pliku..."), this)),
      closeButton_(new QPushButton(TFixtureImportForm::tr("Zamknij"), this)), folder_(folder),
      pictures_(goboFolders(folder))
{
    setWindowTitle(TFixtureImportForm::tr("Import urządzeń"));
    search_->setPlaceholderText(TFixtureImportForm::tr("producent lub model"));
    search_->setClearButtonEnabled(true);
    tree_->setHeaderHidden(true);
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(0, Qt::AscendingOrder);
    modes_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    preview_->setReadOnly(true);
    preview_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    notice_->setWordWrap(true);
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(TFixtureImportForm::tr("Szukaj:"), this));
    search->addWidget(search_);
    auto* fixtures = new QVBoxLayout;
    fixtures->addLayout(search);
    fixtures->addWidget(notice_);
    fixtures->addWidget(tree_, 1);
    fixtures->addWidget(progress_);
    auto* modes = new QVBoxLayout;
    modes->addWidget(new QLabel(TFixtureImportForm::tr("Tryby"), this));
    modes->addWidget(modes_);
    modes->addWidget(new QLabel(TFixtureImportForm::tr("Podgląd"), this));
    modes->addWidget(preview_, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fileButton_);
    buttons->addStretch();
    buttons->addWidget(importButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QGridLayout(this);
    layout->addLayout(fixtures, 0, 0);
    layout->addLayout(modes, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 3);
    for (QPushButton* b : {importButton_, fileButton_, closeButton_})
        b->setAutoDefault(false);
    importButton_->setEnabled(false);
    resize(900, 600);

    connect(search_, &QLineEdit::textChanged, this, &TFixtureImportForm::applyFilter);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &TFixtureImportForm::fixturePicked);
    connect(modes_, &QListWidget::itemSelectionChanged, this, &TFixtureImportForm::showPreview);
    connect(importButton_, &QPushButton::clicked, this, &TFixtureImportForm::ImportButtonClick);
    connect(fileButton_, &QPushButton::clicked, this, &TFixtureImportForm::FileButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);

    startListing(folder);
}

TFixtureImportForm::~TFixtureImportForm()
{
    stop_ = true;
    if (lister_.joinable())
        lister_.join();
}

void TFixtureImportForm::startListing(const QString& folder)
{
    if (!QFileInfo(folder).isDir()) {
        notice_->setText(tr("Brak biblioteki definicji urządzeń w %1.\nZainstaluj ją poleceniem: "
                            "apt install qlcplus-data\nalbo wybierz plik przyciskiem \"Z pliku...\".")
                             .arg(folder));
        progress_->hide();
        return;
    }
    notice_->hide();
    listing_ = true;
    lister_ = std::thread([this, folder = folder.toStdString()] {
        std::vector<std::string> paths = listQxfFiles(folder);
        std::vector<Entry> batch;
        int total = static_cast<int>(paths.size());
        for (int done = 0; done < total && !stop_; ++done) {
            const std::string& path = paths[static_cast<std::size_t>(done)];
            if (auto fixture = readQxfFile(path))
                batch.push_back({path, fixture->maker, fixture->model});
            bool last = done + 1 == total;
            if (last || batch.size() >= (done < static_cast<int>(kBatch) ? kFirstBatch : kBatch)) {
                QMetaObject::invokeMethod(
                    this, [this, batch = std::move(batch), done, total] { addEntries(batch, done + 1, total); },
                    Qt::QueuedConnection);
                batch.clear();
            }
        }
        if (total == 0)
            QMetaObject::invokeMethod(this, [this] { addEntries({}, 0, 0); }, Qt::QueuedConnection);
    });
}

void TFixtureImportForm::addEntries(const std::vector<Entry>& entries, int done, int total)
{
    tree_->setUpdatesEnabled(false);
    for (const Entry& entry : entries) {
        QString maker = fromUtf8(entry.maker);
        QTreeWidgetItem*& makerItem = makers_[maker];
        bool fresh = !makerItem;
        if (fresh)
            makerItem = new QTreeWidgetItem(tree_, {maker});
        auto* item = new QTreeWidgetItem(makerItem, {fromUtf8(entry.model)});
        item->setData(0, kPathRole, fromUtf8(entry.path));
        item->setHidden(!matches(item));
        // A maker shows while one of its models matches the search.
        makerItem->setHidden((fresh || makerItem->isHidden()) && item->isHidden());
        makerItem->setExpanded(!makerItem->isHidden() && !search_->text().trimmed().isEmpty());
    }
    tree_->setUpdatesEnabled(true);
    progress_->setRange(0, total);
    progress_->setValue(done);
    if (done == total) {
        listing_ = false;
        progress_->hide();
        emit listed();
    }
}

bool TFixtureImportForm::matches(const QTreeWidgetItem* item) const
{
    QString text = item->parent()->text(0) + QLatin1Char(' ') + item->text(0);
    const QStringList words = search_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(words.begin(), words.end(),
                       [&](const QString& word) { return text.contains(word, Qt::CaseInsensitive); });
}

void TFixtureImportForm::applyFilter()
{
    tree_->setUpdatesEnabled(false);
    bool searching = !search_->text().trimmed().isEmpty();
    for (auto& [maker, makerItem] : makers_) {
        bool any = false;
        for (int i = 0; i < makerItem->childCount(); ++i) {
            QTreeWidgetItem* item = makerItem->child(i);
            item->setHidden(!matches(item));
            any = any || !item->isHidden();
        }
        makerItem->setHidden(!any);
        makerItem->setExpanded(searching && any);
    }
    tree_->setUpdatesEnabled(true);
}

void TFixtureImportForm::fixturePicked()
{
    QTreeWidgetItem* item = tree_->currentItem();
    if (item && item->parent())
        openFixture(item->data(0, kPathRole).toString());
}

bool TFixtureImportForm::openFixture(const QString& path)
{
    std::string error;
    fixture_ = readQxfFile(path.toStdString(), &error);
    modes_->clear();
    preview_->clear();
    if (!fixture_) {
        preview_->setPlainText(TFixtureImportForm::tr("Nie można odczytać pliku %1: %2").arg(path, fromUtf8(error)));
        importButton_->setEnabled(false);
        return false;
    }
    fixtureFile_ = QFileInfo(path).fileName().toStdString();
    for (std::size_t m = 0; m < fixture_->modes.size(); ++m) {
        const KyQxfMode& mode = fixture_->modes[m];
        auto* item = new QListWidgetItem(
            TFixtureImportForm::tr("%1 (%2 kan.)").arg(fromUtf8(mode.name)).arg(mode.channels.size()), modes_);
        item->setData(kModeRole, static_cast<int>(m));
    }
    if (modes_->count() > 0)
        modes_->setCurrentRow(0);
    importButton_->setEnabled(modes_->count() > 0);
    return true;
}

void TFixtureImportForm::showPreview()
{
    QStringList parts;
    for (QListWidgetItem* item : modes_->selectedItems()) {
        const KyQxfMode& mode = fixture_->modes[static_cast<std::size_t>(item->data(kModeRole).toInt())];
        parts << previewText(importQxfMode(*fixture_, mode, nullptr, fixtureFile_));
    }
    preview_->setPlainText(parts.join(QStringLiteral("\n\n")));
}

void TFixtureImportForm::ImportButtonClick()
{
    if (!fixture_)
        return;
    std::vector<KyDevice> devices;
    QStringList refused;
    for (int row = 0; row < modes_->count(); ++row) {
        QListWidgetItem* item = modes_->item(row);
        if (!item->isSelected())
            continue;
        const KyQxfMode& mode = fixture_->modes[static_cast<std::size_t>(item->data(kModeRole).toInt())];
        KyQxfImport import = importQxfMode(*fixture_, mode, &pictures_, fixtureFile_);
        if (import.imported())
            devices.push_back(std::move(import.device));
        else
            refused << fromUtf8(mode.name) + QStringLiteral(": ") + vt::coreText(qxfRefusalText(import));
    }
    if (!refused.isEmpty())
        QMessageBox::warning(this, TFixtureImportForm::tr("Import urządzeń"),
                             TFixtureImportForm::tr("Nie zaimportowano:\n%1").arg(refused.join(QLatin1Char('\n'))));
    if (devices.empty())
        return;
    imported_ = std::move(devices);
    accept();
}

void TFixtureImportForm::FileButtonClick()
{
    vt::FileRequest request;
    request.filter = TFixtureImportForm::tr("Definicje urządzeń (*.qxf)");
    request.defaultSuffix = QStringLiteral("qxf");
    QString path = vt::chooseFile(this, request);
    if (path.isEmpty())
        return;
    pictures_ = TQxfPictures(goboFolders(folder_, path.toStdString()));
    tree_->setCurrentItem(nullptr);
    openFixture(path);
}
