#pragma once
// Answers the modal dialogs a window opens during a test: each expected dialog is
// matched by a piece of its text, its text is recorded, and the named button is clicked.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class ModalAnswerer : public QObject {
public:
    // Handles every modal dialog that appears, in order: a message box gets the button
    // whose text contains `button` (or its default button when `button` is empty);
    // any other dialog is passed to `onDialog` when given, otherwise rejected.
    explicit ModalAnswerer(QObject* parent = nullptr) : QObject(parent)
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }

    void expectMessage(const QString& button) { buttons_.push_back(button); }
    void onDialog(std::function<void(QDialog*)> handler) { dialogHandler_ = std::move(handler); }

    QStringList seen;   // the texts of the message boxes answered so far
    QStringList titles; // and their titles

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            seen << box->text();
            titles << box->windowTitle();
            QString wanted = buttons_.empty() ? QString() : buttons_.front();
            if (!buttons_.empty())
                buttons_.pop_front();
            for (auto* b : box->buttons())
                if (!wanted.isEmpty() && b->text().remove('&').contains(wanted)) {
                    b->click();
                    return;
                }
            if (box->defaultButton())
                box->defaultButton()->click();
            else
                box->buttons().front()->click();
            return;
        }
        if (dialogHandler_)
            dialogHandler_(dialog);
        else
            dialog->reject();
    }

    QTimer timer_;
    std::deque<QString> buttons_;
    std::function<void(QDialog*)> dialogHandler_;
};
