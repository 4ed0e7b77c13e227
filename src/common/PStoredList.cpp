#include "common/PStoredList.h"

#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PTranslation.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

TPStoredList::TPStoredList(const QString& header, QWidget* parent)
    : QWidget(parent), grid_(new TPStringGrid({QString(), header}, this)),
      rename_(new QPushButton(TPStoredList::tr("Zmień nazwę"), this)),
      erase_(new QPushButton(TPStoredList::tr("Usuń"), this)), buttons_(new QHBoxLayout)
{
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setColumnWidth(0, 40);
    buttons_->addWidget(rename_);
    buttons_->addWidget(erase_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons_);

    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous) {
        if (row != previous)
            emit rowChosen(row);
    });
    connect(grid_, &QTableWidget::cellClicked, this, &TPStoredList::rowClicked);
    connect(rename_, &QPushButton::clicked, this, &TPStoredList::renameClicked);
    connect(erase_, &QPushButton::clicked, this, &TPStoredList::eraseClicked);
}

void TPStoredList::showNames(const std::vector<std::string>& names)
{
    QSignalBlocker quiet(grid_);
    grid_->setDataRowCount(static_cast<int>(names.size()));
    grid_->setText(0, 0, QString());
    grid_->setText(0, 1, QString());
    for (std::size_t row = 0; row < names.size(); ++row) {
        grid_->setText(int(row), 0, QString::number(row + 1));
        grid_->setText(int(row), 1, vt::fromCp1250(names[row]));
    }
}

std::optional<std::size_t> TPStoredList::currentItem(std::size_t stored) const
{
    const int row = grid_->currentRow();
    if (row < 0 || std::size_t(row) >= stored)
        return std::nullopt;
    return std::size_t(row);
}

void reportSaveFailure(QWidget* owner, const std::string& failure)
{
    if (!failure.empty())
        QMessageBox::warning(owner, TPStoredList::tr("Błąd"), vt::coreText(failure));
}

bool confirmErase(QWidget* owner, const QString& question)
{
    return QMessageBox::warning(owner, TPStoredList::tr("Ostrzeżenie"), question, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Ok;
}
