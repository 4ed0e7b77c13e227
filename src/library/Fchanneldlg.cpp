#include "library/Fchanneldlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TChannelDlgForm::TChannelDlgForm(const KyChValue& list, int& channel, QWidget* owner)
    : QDialog(owner), channel_(channel)
{
    setWindowTitle(TChannelDlgForm::tr("Kanał"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(TChannelDlgForm::tr("Numer kanału"), this));
    channelList_ = new QComboBox(this);
    for (int c = 1; c <= 32; ++c)
        if (!list.values.contains(c))
            channelList_->addItem(QString::number(c), c);
    layout->addWidget(channelList_);

    auto* buttons = new QHBoxLayout;
    okButton_ = new QPushButton(TChannelDlgForm::tr("&OK"), this);
    cancelButton_ = new QPushButton(TChannelDlgForm::tr("&Anuluj"), this);
    okButton_->setEnabled(channelList_->count() > 0);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(okButton_, &QPushButton::clicked, this, &TChannelDlgForm::OkButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    if (owner)
        move(owner->window()->pos() + QPoint(150, 150));
    cancelButton_->setFocus();
}

void TChannelDlgForm::OkButtonClick()
{
    channel_ = channelList_->currentData().toInt();
    accept();
}
