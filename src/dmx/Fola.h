#pragma once
// The window "Wyjście OLA": whether the universe also goes to the OLA daemon, to which of its
// universes and on which port, with a live line saying whether the daemon is reached. The
// choice is the user's: it lives in the user's settings, never in the show's files.

#include "dmx/OlaTarget.h"

#include <QWidget>

class KyOlaOutput;
class QCheckBox;
class QLabel;
class QSpinBox;

// The target kept in the user's settings, and keeping one there.
KyOlaTarget loadOlaTarget();
void saveOlaTarget(const KyOlaTarget& target);

class TOlaForm : public QWidget {
    Q_OBJECT
public:
    // A tool window that stays on top of `parent`, normally the main window.
    TOlaForm(KyOlaOutput& ola, QWidget* parent = nullptr);

    QCheckBox* enabledCheck() const { return enabledCheck_; }
    QSpinBox* universeEdit() const { return universeEdit_; }
    QSpinBox* portEdit() const { return portEdit_; }
    QLabel* stateLabel() const { return stateLabel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showTarget();
    // Sends to what the controls say and keeps it as the user's choice.
    void applyControls();
    void refreshState();

    KyOlaOutput& ola_;
    QCheckBox* enabledCheck_;
    QSpinBox* universeEdit_;
    QSpinBox* portEdit_;
    QLabel* stateLabel_;
};
