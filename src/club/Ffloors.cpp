#include "club/Ffloors.h"

#include "club/PIconPages.h"
#include "common/PStringGrid.h"
#include "common/PText.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TFloorsForm::TFloorsForm(TPIconPages& pageControl, std::vector<std::string>& pageNames, KyClub& club,
                         std::mutex& showLock, int& pagesAdded, QWidget* owner)
    : QDialog(owner), pageControl_(pageControl), pageNames_(pageNames), club_(club), showLock_(showLock),
      pagesAdded_(pagesAdded),
      pageGrid_(new TPStringGrid({TFloorsForm::tr("Lp."), TFloorsForm::tr("Nazwa"), TFloorsForm::tr("Liczba urądz.")},
                                 this)),
      addButton_(new QPushButton(TFloorsForm::tr("Dodaj"), this)),
      eraseButton_(new QPushButton(TFloorsForm::tr("Usuń"), this)),
      closeButton_(new QPushButton(TFloorsForm::tr("Koniec"), this))
{
    setWindowTitle(TFloorsForm::tr("Strony"));
    pageGrid_->setColumnSelectable(DeviceCount, false);
    // The whole header and every page show without scrolling.
    pageGrid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    pageGrid_->setCanEdit([](int, int column) { return column == Name; });
    pageGrid_->setCommit([this](int row, int, const QString& text, TPStringGrid::Commit) {
        return PageGridCommit(row, text);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageGrid_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {addButton_, eraseButton_, closeButton_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    refresh();
    connect(pageGrid_, &QTableWidget::currentCellChanged, this, &TFloorsForm::PageGridSelect);
    connect(addButton_, &QPushButton::clicked, this, &TFloorsForm::AddButtonClick);
    connect(eraseButton_, &QPushButton::clicked, this, &TFloorsForm::EraseButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

int TFloorsForm::devicesOn(int page) const
{
    return static_cast<int>(std::count_if(club_.clubDevices.begin(), club_.clubDevices.end(),
                                           [page](const auto& device) { return device->page == page; }));
}

// Shows every page and selects the row of the active one.
void TFloorsForm::refresh()
{
    const int active = pageControl_.currentIndex();
    pageGrid_->setDataRowCount(pageCount());
    for (int row = 0; row < pageCount(); ++row) {
        pageGrid_->setText(row, Number, QString::number(row + 1));
        pageGrid_->setText(row, Name, vt::fromCp1250(pageNames_[std::size_t(row)]));
        pageGrid_->setText(row, DeviceCount, QString::number(devicesOn(row)));
    }
    pageGrid_->setCurrentCell(std::max(active, 0), Name);
}

void TFloorsForm::PageGridSelect(int row)
{
    if (row >= 0 && row < pageCount())
        pageControl_.setCurrentIndex(row);
}

bool TFloorsForm::PageGridCommit(int row, const QString& caption)
{
    pageNames_[std::size_t(row)] = vt::toCp1250(caption);
    pageControl_.setTabText(row, caption);
    return true;
}

void TFloorsForm::AddButtonClick()
{
    if (pageCount() >= kMaxPages)
        return;
    QString caption = TFloorsForm::tr("Nowa Strona %1").arg(++pagesAdded_);
    pageNames_.push_back(vt::toCp1250(caption));
    pageControl_.addPage(caption);
    pageControl_.setCurrentIndex(pageCount() - 1);
    refresh();
}

void TFloorsForm::EraseButtonClick()
{
    if (pageCount() <= 1)
        return;
    const int active = pageControl_.currentIndex();
    if (devicesOn(active) > 0) {
        QMessageBox::warning(this, TFloorsForm::tr("Ostrzeżenie"),
                             TFloorsForm::tr("Nie można skasować strony, na której \n"
                                             "zainstalowane są urządzenia.\n"));
        return;
    }
    {
        std::lock_guard lock(showLock_);
        for (const auto& device : club_.clubDevices)
            if (device->page > active)
                --device->page;
    }
    pageNames_.erase(pageNames_.begin() + active);
    pageControl_.removePage(active);
    refresh();
}
