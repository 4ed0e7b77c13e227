#pragma once
// The blackout window: while it is shown, the module link sends every installed device
// type's blackout values in place of the live ones. It has no close box; "Wyłącz" closes it.

#include <QWidget>

#include <mutex>

class KyUsb;
class QPushButton;

class TBlackoutForm : public QWidget {
    Q_OBJECT
public:
    TBlackoutForm(KyUsb& usb, std::mutex& showLock, QWidget* parent = nullptr);

    QPushButton* offButton() const { return offButton_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Minimising the main window hides its tool windows too; that must not end the blackout.
    void hideEvent(QHideEvent* event) override;

private:
    void setActive(bool active);

    KyUsb& usb_;
    std::mutex& showLock_;
    QPushButton* offButton_;
};
