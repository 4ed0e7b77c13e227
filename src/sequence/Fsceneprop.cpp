#include "sequence/Fsceneprop.h"

#include "common/PStringGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TScenePropForm::TScenePropForm(const Contents& contents, QWidget* owner)
    : QDialog(owner), grid_(new TPStringGrid({TScenePropForm::tr("Kanał"), TScenePropForm::tr("Wartość")}, this)),
      close_(new QPushButton(TScenePropForm::tr("&Koniec"), this))
{
    setWindowTitle(TScenePropForm::tr("Właściwości sceny"));
    grid_->setCanEdit([](int, int) { return false; });
    grid_->setDataRowCount(static_cast<int>(contents.size()));
    for (std::size_t row = 0; row < contents.size(); ++row) {
        grid_->setText(int(row), 0, QString::number(contents[row].first));
        grid_->setText(int(row), 1, QString::number(contents[row].second));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}
