#include "generator/Fgenlist.h"

#include "common/Files.h"
#include "common/Fname.h"
#include "common/PFileChooser.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PTranslation.h"

#include <QDir>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// Import and export start in the folder "export" below the working directory when it exists.
vt::FileRequest figureFileRequest(QFileDialog::AcceptMode mode)
{
    vt::FileRequest request;
    request.mode = mode;
    request.filter = TGenListForm::tr("generator (*.vtg)");
    request.defaultSuffix = QStringLiteral("vtg");
    QDir exportFolder(QStringLiteral("export"));
    if (exportFolder.exists())
        request.folder = exportFolder.absolutePath();
    return request;
}

} // namespace

TGenListForm::TGenListForm(KyGenList& list, std::string listPath, QWidget* owner)
    : QDialog(owner), list_(list), listPath_(std::move(listPath)),
      grid_(new TPStringGrid({QString(), TGenListForm::tr("Nazwa")}, this)),
      import_(new QPushButton(TGenListForm::tr("&Import"), this)),
      export_(new QPushButton(TGenListForm::tr("&Export"), this)),
      rename_(new QPushButton(TGenListForm::tr("&Zmień nazwę"), this)),
      erase_(new QPushButton(TGenListForm::tr("&Usuń"), this)), load_(new QPushButton(TGenListForm::tr("Za&ładuj"), this))
{
    setWindowTitle(TGenListForm::tr("Lista gen."));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    import_->setToolTip(TGenListForm::tr("Importuj generator"));
    export_->setToolTip(TGenListForm::tr("Exportuj generator"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid_);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {import_, export_, rename_, erase_, load_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(grid_, &QTableWidget::cellDoubleClicked, this, &TGenListForm::LoadButtonClick);
    connect(load_, &QPushButton::clicked, this, &TGenListForm::LoadButtonClick);
    connect(erase_, &QPushButton::clicked, this, &TGenListForm::EraseButtonClick);
    connect(rename_, &QPushButton::clicked, this, &TGenListForm::RenameButtonClick);
    connect(import_, &QPushButton::clicked, this, &TGenListForm::ImportButtonClick);
    connect(export_, &QPushButton::clicked, this, &TGenListForm::ExportButtonClick);

    grid_->setCurrentCell(0, 1);
    refill();
}

void TGenListForm::refill()
{
    const int count = static_cast<int>(list_.size());
    grid_->setDataRowCount(count);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const bool figure = row < count;
        grid_->setText(row, 0, figure ? QString::number(row + 1) : QString());
        grid_->setText(row, 1, figure ? vt::fromCp1250(list_.at(static_cast<std::size_t>(row)).name) : QString());
    }
}

std::optional<std::size_t> TGenListForm::current() const
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(list_.size()))
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void TGenListForm::LoadButtonClick()
{
    if (auto figure = current()) {
        chosen_ = static_cast<int>(*figure);
        accept();
    }
}

// The list file is written whatever the answer.
void TGenListForm::EraseButtonClick()
{
    auto figure = current();
    if (!figure)
        return;
    QMessageBox confirm(QMessageBox::Warning, TGenListForm::tr("Ostrzeżenie"),
                        TGenListForm::tr("Na pewno chcesz wykasowac generator"), QMessageBox::Ok | QMessageBox::Cancel,
                        this);
    if (confirm.exec() == QMessageBox::Ok) {
        list_.erase(*figure);
        refill();
    }
    std::string reason;
    if (!listPath_.empty() && !list_.save(listPath_, &reason))
        warnUnsaved(listPath_, reason);
}

void TGenListForm::RenameButtonClick()
{
    auto figure = current();
    if (!figure)
        return;
    const std::optional<std::string> name = askForName(this, list_.at(*figure).name);
    if (!name)
        return;
    list_.at(*figure).name = *name;
    refill();
}

// A file that cannot be read as a figure file leaves the list as it was.
void TGenListForm::ImportButtonClick()
{
    const QString path = vt::chooseFile(this, figureFileRequest(QFileDialog::AcceptOpen));
    if (path.isEmpty())
        return;
    std::optional<KyPanTiltGen> figure;
    try {
        figure = importFigure(path.toStdString());
    } catch (const std::runtime_error& failure) {
        QMessageBox::critical(this, TGenListForm::tr("Błąd"), QString::fromStdString(failure.what()));
        return;
    }
    if (!figure)
        return;
    list_.append(*figure);
    refill();
    grid_->setCurrentCell(static_cast<int>(list_.size()) - 1, 1);
}

void TGenListForm::ExportButtonClick()
{
    auto figure = current();
    if (!figure)
        return;
    vt::FileRequest request = figureFileRequest(QFileDialog::AcceptSave);
    // A name with a path separator in it would lead the dialog into another folder.
    QString name = vt::fromCp1250(list_.at(*figure).name);
    request.proposedName = name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString path = vt::chooseFile(this, request);
    if (path.isEmpty())
        return;
    std::string reason;
    if (!exportFigure(list_.at(*figure), path.toStdString(), &reason))
        warnUnsaved(path.toStdString(), reason);
}

void TGenListForm::warnUnsaved(const std::string& path, const std::string& reason)
{
    QMessageBox::warning(this, TGenListForm::tr("Błąd"),
                         vt::coreText(vt::saveFailureMessage(path, reason)));
}

std::optional<int> chooseFigure(KyGenList& list, const std::string& listPath, QWidget* owner)
{
    TGenListForm form(list, listPath, owner);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.chosen();
}
