#include "dmx/Fdmxspace.h"

#include "common/PCloseButton.h"
#include "common/PShownTimer.h"
#include "common/PToolWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

TDmxSpaceForm::TDmxSpaceForm(const KyUniverse& dmx, std::mutex& showLock, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), dmx_(dmx), showLock_(showLock)
{
    setWindowTitle(TDmxSpaceForm::tr("Przestrzeń DMX"));
    buildGrid();

    auto* buttons = new QHBoxLayout;
    addCloseButton(buttons, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);

    connect(timerWhileShown(this, 50), &QTimer::timeout, this, &TDmxSpaceForm::refresh);
}

// Row headers give the tens, column headers the units from 1: a cell's DMX channel number is
// the sum of its two headers.
void TDmxSpaceForm::buildGrid()
{
    grid_ = new QTableWidget(kRows, kColumns, this);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    for (int c = 0; c < kColumns; ++c)
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::number(c + 1)));
    for (int r = 0; r < kRows; ++r) {
        grid_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r * kColumns)));
        for (int c = 0; c < kColumns; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, cell);
        }
    }
    int cellWidth = grid_->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    // The columns share whatever width the operator gives the window.
    grid_->horizontalHeader()->setMinimumSectionSize(cellWidth);
    grid_->horizontalHeader()->setDefaultSectionSize(cellWidth);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->setMinimumWidth(grid_->verticalHeader()->sizeHint().width() + kColumns * cellWidth +
                           grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth());
    grid_->setMinimumHeight(16 * grid_->verticalHeader()->defaultSectionSize());
}

void TDmxSpaceForm::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void TDmxSpaceForm::refresh()
{
    KyUniverse::Universe values;
    {
        std::lock_guard lock(showLock_);
        values = dmx_.data();
    }
    for (int i = 0; i < KyUniverse::kChannels; ++i) {
        QString text = QString::number(values[static_cast<std::size_t>(i)]);
        QTableWidgetItem* cell = grid_->item(i / kColumns, i % kColumns);
        if (cell->text() != text)
            cell->setText(text);
    }
}
