#include "common/Fname.h"

#include "common/PText.h"

#include <QCursor>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TNameForm::TNameForm(std::string& name, QWidget* owner, int maxLength)
    : QDialog(owner), name_(name), nameEdit_(new QLineEdit(this)),
      okButton_(new QPushButton(TNameForm::tr("OK"), this)),
      cancelButton_(new QPushButton(TNameForm::tr("Anuluj"), this))
{
    setWindowTitle(TNameForm::tr("Podaj nazwę"));
    nameEdit_->setMaxLength(maxLength);
    nameEdit_->setValidator(new TPCp1250Validator(nameEdit_));
    nameEdit_->setText(vt::fromCp1250(name_));
    okButton_->setDefault(true);

    auto* layout = new QFormLayout(this);
    layout->addRow(TNameForm::tr("Nazwa:"), nameEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addRow(buttons);

    connect(nameEdit_, &QLineEdit::textChanged, this, [this](const QString& text) { name_ = vt::toCp1250(text); });
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TNameForm::centreOnPointer()
{
    adjustSize();
    QPoint pointer = QCursor::pos();
    move(pointer.x() - width() / 2, pointer.y());
}

std::optional<std::string> askForName(QWidget* owner, std::string name, TNameRequest request)
{
    TNameForm dialog(name, owner, request.maxLength);
    if (request.atPointer)
        dialog.centreOnPointer();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return name;
}
