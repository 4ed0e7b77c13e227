#pragma once
// "Sterowniki": the MIDI port's state, OSC on or off and its port, and the mappings of
// controllers' elements to desk actions. "Ucz" makes a mapping from the next desk control
// pressed and the next element moved. The mappings and the OSC choice are the user's
// (QSettings), with export and import to a text file.

#include "controllers/ControllerDesk.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QSpinBox;
class QTableWidget;
struct TDeskControls;

class TControllersForm : public QWidget {
    Q_OBJECT
public:
    TControllersForm(TDeskActions& desk, std::optional<std::uint16_t> oscPort, QWidget* parent = nullptr);

    TControllerDesk& controllers() const { return *controllers_; }
    QLabel* midiLabel() const { return midi_; }
    QCheckBox* oscBox() const { return osc_; }
    QSpinBox* portBox() const { return port_; }
    QLabel* problemLabel() const { return problem_; }
    QTableWidget* table() const { return table_; }
    QPushButton* learnButton() const { return learn_; }
    QPushButton* removeButton() const { return remove_; }
    // Export and import, as the buttons do after their file dialogs.
    bool exportTo(const QString& path) const;
    bool importFrom(const QString& path);

private:
    void watchControls(const TDeskControls& controls);
    void learnAction(const KyControlAction& action);
    void learnInput(const KyInputId& input);
    void finishLearning();
    void applyOsc();
    void saveMappings();
    void showMappings();

    TControllerDesk* controllers_;
    QLabel* midi_;
    QCheckBox* osc_;
    QSpinBox* port_;
    QLabel* problem_;
    QTableWidget* table_;
    QPushButton* learn_;
    QPushButton* remove_;
    QLabel* hint_;
    std::optional<KyControlAction> learnedAction_;
    std::optional<KyInputId> learnedInput_;
};

// Makes the window with its controllers for the main window's desk and puts "Sterowniki"
// into its System menu; the caller owns the window and docks it.
TControllersForm* installControllers(QMainWindow& mainWindow, TDeskActions& desk, std::optional<std::uint16_t> oscPort);
