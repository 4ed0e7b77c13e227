#pragma once
// The dialog in which the device editor picks a channel that a channel/value list does not
// hold yet.

#include "library/Device.h"

#include <QDialog>

class QComboBox;
class QPushButton;

class TChannelDlgForm : public QDialog {
    Q_OBJECT
public:
    // On "&OK" `channel` holds the chosen channel, 1-32.
    TChannelDlgForm(const KyChValue& list, int& channel, QWidget* owner);

    QComboBox* channelList() const { return channelList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void OkButtonClick();

    int& channel_;
    QComboBox* channelList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
