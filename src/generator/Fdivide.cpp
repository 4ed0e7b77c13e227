#include "generator/Fdivide.h"

#include "common/PTrackBar.h"
#include "generator/FigureEdit.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

TDivideForm::TDivideForm(int heads, QWidget* owner)
    : QDialog(owner), bar_(new TPTrackBar(this)), count_(new QLineEdit(this)),
      apply_(new QPushButton(TDivideForm::tr("Zastosuj"), this))
{
    setWindowTitle(TDivideForm::tr("Podziel efekt"));
    bar_->setObjectName(QStringLiteral("DelayBar"));
    bar_->setIsVertical(false);
    bar_->setMin(0);
    bar_->setMax(359);
    bar_->setToolTip(TDivideForm::tr("Opóźnienie globalne"));
    bar_->fitCaptionAboveKnob(); // the knob never covers the offset it shows
    bar_->setMinimumWidth(260);
    count_->setObjectName(QStringLiteral("CountEdit"));
    count_->setMaxLength(3);
    count_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), count_));
    count_->setText(QString::number(heads));
    apply_->setDefault(true);

    auto* layout = new QFormLayout(this);
    layout->addRow(bar_);
    layout->addRow(TDivideForm::tr("Podziel na urządzenia"), count_);
    layout->addRow(apply_);

    connect(count_, &QLineEdit::textEdited, this, &TDivideForm::countEdited);
    connect(bar_, &TPTrackBar::changed, this, &TDivideForm::barMoved);
    connect(apply_, &QPushButton::clicked, this, &QDialog::accept);
    propose(heads);
}

int TDivideForm::offset() const
{
    return bar_->position();
}

void TDivideForm::propose(int heads)
{
    bar_->setPositionSilently(dividedPhaseOffset(heads));
    bar_->setCaption(QString::number(bar_->position()));
}

// Text that is no number counts as one head.
void TDivideForm::countEdited(const QString& text)
{
    bool number = false;
    const int heads = text.toInt(&number);
    propose(number ? heads : 1);
}

void TDivideForm::barMoved()
{
    count_->clear();
    bar_->setCaption(QString::number(bar_->position()));
}

std::optional<int> askPhaseOffset(QWidget* owner, int heads)
{
    TDivideForm form(heads, owner);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.offset();
}
