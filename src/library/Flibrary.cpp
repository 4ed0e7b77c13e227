#include "library/Flibrary.h"

#include "common/Files.h"
#include "common/ListChange.h"
#include "common/PFileChooser.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PTranslation.h"
#include "common/PUndo.h"
#include "library/Fdevice.h"
#include "library/Ffixtureimport.h"
#include "library/LibraryFile.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kDeviceFilter = QT_TRANSLATE_NOOP("TLibraryForm", "urządzenie DMX (*.dev)");

// Export and import start in the folder "export" below the working directory when it exists.
vt::FileRequest deviceFileRequest(QFileDialog::AcceptMode mode, const QString& suffix)
{
    vt::FileRequest request;
    request.mode = mode;
    request.filter = TLibraryForm::tr(kDeviceFilter);
    request.defaultSuffix = suffix;
    QDir exportFolder(QStringLiteral("export"));
    if (exportFolder.exists())
        request.folder = exportFolder.absolutePath();
    return request;
}

// The file dialog cannot start with a name that is no file name.
bool usableAsFileName(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

TLibraryForm::TLibraryForm(KyLibrary& library, std::mutex& showLock, QWidget* owner)
    : QDialog(owner), library_(library), showLock_(showLock),
      deviceGrid_(new TPStringGrid({TLibraryForm::tr("Lp."), TLibraryForm::tr("Nazwa")}, this)),
      description_(new QPlainTextEdit(this)), newButton_(new QPushButton(TLibraryForm::tr("Nowe"), this)),
      newFromButton_(new QPushButton(TLibraryForm::tr("Nowe z ..."), this)),
      propertiesButton_(new QPushButton(TLibraryForm::tr("Właściwości"), this)),
      eraseButton_(new QPushButton(TLibraryForm::tr("Usuń"), this)),
      importButton_(new QPushButton(TLibraryForm::tr("Importuj"), this)),
      exportButton_(new QPushButton(TLibraryForm::tr("Eksportuj"), this)),
      fixtureImportButton_(new QPushButton(TLibraryForm::tr("Import urządzeń"), this)),
      closeButton_(new QPushButton(TLibraryForm::tr("&Zakończ"), this))
{
    setWindowTitle(TLibraryForm::tr("Biblioteka urządzeń"));
    deviceGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    description_->setReadOnly(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(TLibraryForm::tr("Dostępne urządzenia"), this), 0, 0);
    layout->addWidget(deviceGrid_, 1, 0);
    layout->addWidget(new QLabel(TLibraryForm::tr("Opis urządzenia"), this), 0, 1);
    layout->addWidget(description_, 1, 1);
    auto* buttons = buttonColumn_ = new QVBoxLayout;
    for (QPushButton* b : {newButton_, newFromButton_, propertiesButton_, eraseButton_, importButton_, exportButton_,
                           fixtureImportButton_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    closeButton_->setAutoDefault(false);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons, 1, 2);

    connect(deviceGrid_, &QTableWidget::currentCellChanged, this, &TLibraryForm::showDescription);
    connect(newButton_, &QPushButton::clicked, this, &TLibraryForm::NewButtonClick);
    connect(newFromButton_, &QPushButton::clicked, this, &TLibraryForm::NewFromButtonClick);
    connect(propertiesButton_, &QPushButton::clicked, this, &TLibraryForm::PropertiesButtonClick);
    connect(eraseButton_, &QPushButton::clicked, this, &TLibraryForm::EraseButtonClick);
    connect(importButton_, &QPushButton::clicked, this, &TLibraryForm::ImportButtonClick);
    connect(exportButton_, &QPushButton::clicked, this, &TLibraryForm::ExportButtonClick);
    connect(fixtureImportButton_, &QPushButton::clicked, this, &TLibraryForm::FixtureImportButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    deviceGrid_->setCurrentCell(0, 1);
    refresh();
}

void TLibraryForm::refresh()
{
    int count = static_cast<int>(library_.deviceCount());
    deviceGrid_->setDataRowCount(count);
    for (int row = 0; row < deviceGrid_->rowCount(); ++row) {
        bool type = row < count;
        deviceGrid_->setText(row, 0, type ? QString::number(row + 1) : QString());
        deviceGrid_->setText(row, 1, type ? vt::fromCp1250(library_.deviceAt(static_cast<std::size_t>(row))->name)
                                          : QString());
    }
    showDescription();
}

void TLibraryForm::showDescription()
{
    QStringList lines;
    if (auto type = currentType())
        for (const auto& line : type->description)
            lines << vt::fromCp1250(line);
    description_->setPlainText(lines.join(QLatin1Char('\n')));
}

std::shared_ptr<KyDevice> TLibraryForm::currentType() const
{
    int row = deviceGrid_->currentRow();
    if (row < 0 || row >= static_cast<int>(library_.deviceCount()))
        return nullptr;
    return library_.deviceAt(static_cast<std::size_t>(row));
}

void TLibraryForm::setHistory(TPEditHistory* history)
{
    history_ = history;
    history->addButtons(buttonColumn_, this, [this] { refresh(); });
}

void TLibraryForm::commit(const QString& what)
{
    if (history_)
        history_->commit(what);
}

void TLibraryForm::addEdited(KyDevice working)
{
    TDeviceForm editor(working, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    bool added = false;
    {
        std::lock_guard lock(showLock_);
        added = library_.addDevice(working);
    }
    commit(tr("dodanie typu urządzenia"));
    refresh();
    if (added)
        deviceGrid_->setCurrentCell(static_cast<int>(library_.deviceCount()) - 1, 1);
}

void TLibraryForm::NewButtonClick()
{
    KyDevice working;
    working.name = vt::toCp1250(TLibraryForm::tr("Nowe urządzenie"));
    addEdited(std::move(working));
}

void TLibraryForm::NewFromButtonClick()
{
    if (auto type = currentType())
        addEdited(*type);
}

void TLibraryForm::PropertiesButtonClick()
{
    auto type = currentType();
    if (!type)
        return;
    KyDevice working = *type;
    TDeviceForm editor(working, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    std::unique_ptr<KyChange> change;
    {
        // The type object stays where it is, so every installed device of it sees the edit.
        std::lock_guard lock(showLock_);
        std::swap(*type, working);
        change = KyListChange<KyDevice>::exchanged(library_.devices, type, std::move(working));
    }
    if (history_)
        history_->push(tr("zmianę typu urządzenia"), std::move(change));
    refresh();
}

void TLibraryForm::EraseButtonClick()
{
    auto type = currentType();
    if (!type)
        return;
    if (library_.club.countOfType(*type) > 0) {
        QMessageBox::warning(this, TLibraryForm::tr("Ostrzeżenie"),
                             TLibraryForm::tr("Nie można skasować urządzenia zainstalowanego w klubie !!!\n"
                                              "Aby usunać urządzenie z biblioteki usuń wszystkie urządzenia \n"
                                              "tego typu z konfiguracji klubu."),
                             QMessageBox::Ok);
        return;
    }
    QMessageBox confirm(QMessageBox::Question, TLibraryForm::tr("Potwierdzenie"),
                        TLibraryForm::tr("Urządzenie będzie bezpowrotnie utracone\nCzy kontynuować ?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
    if (confirm.exec() != QMessageBox::Ok)
        return;
    {
        std::lock_guard lock(showLock_);
        library_.eraseDevice(static_cast<std::size_t>(deviceGrid_->currentRow()));
    }
    commit(tr("usunięcie typu urządzenia"));
    refresh();
}

void TLibraryForm::ImportButtonClick()
{
    QString path = vt::chooseFile(this, deviceFileRequest(QFileDialog::AcceptOpen, QStringLiteral("bin")));
    if (path.isEmpty())
        return;
    // What cannot be read stays at the defaults; the operator sees it in the editor.
    KyDevice working;
    loadDeviceFile(working, path.toStdString());
    addEdited(std::move(working));
}

void TLibraryForm::ExportButtonClick()
{
    auto type = currentType();
    if (!type)
        return;
    KyDevice working = *type;
    QString name = vt::fromCp1250(working.name);
    QString path;
    if (usableAsFileName(name)) {
        vt::FileRequest request = deviceFileRequest(QFileDialog::AcceptSave, QStringLiteral("dev"));
        request.proposedName = name;
        path = vt::chooseFile(this, request);
    }
    if (path.isEmpty()) {
        QMessageBox::warning(this, TLibraryForm::tr("Ostrzeżenie"),
                             TLibraryForm::tr("Niedozwolona nazawa urządzenia !!!\n"
                                              "Nazwa urządzenia nie może zawierać\n"
                                              "znaków takich jak : /, \\, !, $ itp."),
                             QMessageBox::Ok);
        return;
    }
    std::string reason;
    if (!saveDeviceFile(working, path.toStdString(), &reason))
        QMessageBox::warning(this, TLibraryForm::tr("Błąd"),
                             vt::coreText(vt::saveFailureMessage(path.toStdString(), reason)));
}

void TLibraryForm::FixtureImportButtonClick()
{
    TFixtureImportForm importer(this);
    if (importer.exec() != QDialog::Accepted)
        return;
    std::size_t added = 0;
    {
        std::lock_guard lock(showLock_);
        for (const KyDevice& type : importer.imported())
            added += library_.addDevice(type) ? 1 : 0;
    }
    commit(tr("import urządzeń"));
    refresh();
    if (added > 0)
        deviceGrid_->setCurrentCell(static_cast<int>(library_.deviceCount()) - 1, 1);
}
