#include "panel/Fpicklist.h"

#include "common/PStringGrid.h"
#include "common/PText.h"
#include "cue/CueEdit.h"
#include "cue/Seque.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TPickListForm::TPickListForm(const QString& caption, const QString& header, const std::vector<std::string>& names,
                             int& rememberedRow, Remember remember, QWidget* owner)
    : QDialog(owner), itemCount_(static_cast<int>(names.size())), rememberedRow_(rememberedRow),
      remember_(remember), itemGrid_(new TPStringGrid({QString(), header}, this)),
      loadButton_(new QPushButton(TCueListForm::tr("Załaduj"), this)),
      cancelButton_(new QPushButton(TCueListForm::tr("Anuluj"), this))
{
    setWindowTitle(caption);
    itemGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    itemGrid_->setDataRowCount(itemCount_);
    for (int row = 0; row < itemCount_; ++row) {
        itemGrid_->setText(row, 0, QString::number(row + 1));
        itemGrid_->setText(row, 1, vt::fromCp1250(names[std::size_t(row)]));
    }
    int row = rememberedRow_ >= 0 && rememberedRow_ < itemCount_ ? rememberedRow_ : 0;
    itemGrid_->setCurrentCell(row, 1);
    itemGrid_->scrollToItem(itemGrid_->item(row, 0), QAbstractItemView::PositionAtTop);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(itemGrid_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(loadButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);

    connect(itemGrid_, &QTableWidget::cellDoubleClicked, this, [this](int r) { choose(r, true); });
    connect(loadButton_, &QPushButton::clicked, this, [this] { choose(itemGrid_->currentRow(), false); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TPickListForm::choose(int row, bool byDoubleClick)
{
    if (row < 0 || row >= itemCount_) {
        // An empty store has nothing to give; "Załaduj" closes with nothing chosen.
        if (!byDoubleClick)
            reject();
        return;
    }
    chosen_ = row;
    if (byDoubleClick || remember_ == Remember::EveryChoice)
        rememberedRow_ = row;
    accept();
}

TSeqListForm::TSeqListForm(const KySeque& store, int& rememberedRow, QWidget* owner)
    : TPickListForm(TCueListForm::tr("Dostępne Sekwencje"), TCueListForm::tr("Nazwa"), storedSequenceNames(store), rememberedRow,
                    Remember::DoubleClickOnly, owner)
{
}

TCueListForm::TCueListForm(const KySeque& store, int& rememberedRow, QWidget* owner)
    : TPickListForm(TCueListForm::tr("Dostępne CUE"), TCueListForm::tr("CUE"), storedCueNames(store), rememberedRow,
                    Remember::EveryChoice, owner)
{
}
