#pragma once
// What the main window's parts share: its actions, the controls of its toolbars, its tool
// windows, and the texts and helpers the files that build and update them have in common.

#include <QCoreApplication>
#include <QString>

#include <array>
#include <memory>
#include <string>

class QAction;
class QIcon;
class QLabel;
class QToolButton;
class QWidget;
class TBeatSourceForm;
class TBlackoutForm;
class TCueForm;
class TDirectAccessForm;
class TDmxSpaceForm;
class TDmxTrackerForm;
class TFunctionForm;
class TGeneratorForm;
class TOlaForm;
class TPTrackBar;
class TRemoteForm;
class TControllersForm;
class TSequenceForm;

struct TMainActions {
    // Reset, Light, Lamp, PanTilt, Color, Mixer, Gobo, Effect, Optic, Dimmers.
    std::array<QAction*, 10> functions{};
    QAction* library = nullptr;
    QAction* club = nullptr;
    QAction* iconMove = nullptr;
    QAction* floors = nullptr;
    QAction* dmxSpace = nullptr;
    QAction* dmxModule = nullptr;
    QAction* ola = nullptr;
    QAction* exit = nullptr;
    QAction* blackout = nullptr;
    QAction* sequence = nullptr;
    QAction* cue = nullptr;
    QAction* directPanel = nullptr;
    QAction* play = nullptr;
    QAction* pause = nullptr;
    QAction* stop = nullptr;
    QAction* manualOff = nullptr;
    QAction* music = nullptr;
    QAction* about = nullptr;
    QAction* beatSource = nullptr;
    QAction* tap = nullptr;
    QAction* generatorPlay = nullptr;
    QAction* generatorPause = nullptr;
    QAction* generatorStop = nullptr;
    QAction* restoreLayout = nullptr;
};

struct TMainControls {
    QLabel* tempoLabel = nullptr;
    QLabel* heldCounter = nullptr;
    // The count the counter shows; its style is set again only when it changes.
    int heldShown = -1;
    QToolButton* dmxTrackerButton = nullptr;
    TPTrackBar* cueSpeedBar = nullptr;
    TPTrackBar* generatorAmplitudeBar = nullptr;
    TPTrackBar* generatorSpeedBar = nullptr;
};

// Made once at start-up and destroyed in reverse order, before the show they read.
struct TToolWindows {
    TToolWindows();
    ~TToolWindows();

    std::unique_ptr<TDmxSpaceForm> dmxSpace;
    // Destroyed after the Pan/Tilt window, which refers to it.
    std::unique_ptr<TGeneratorForm> generator;
    std::unique_ptr<TDmxTrackerForm> dmxTracker;
    // In the order of the function actions.
    std::array<std::unique_ptr<TFunctionForm>, 10> functions;
    std::unique_ptr<TBlackoutForm> blackout;
    std::unique_ptr<TSequenceForm> sequence;
    std::unique_ptr<TCueForm> cue;
    std::unique_ptr<TDirectAccessForm> directAccess;
    // Destroyed before the panel window, whose actions it presses.
    std::unique_ptr<TRemoteForm> remote;
    std::unique_ptr<TControllersForm> controllers;
    std::unique_ptr<TBeatSourceForm> beatSource;
    std::unique_ptr<TOlaForm> ola;
};

namespace mainform {

struct FunctionActionText {
    const char* name;
    const char* caption;
    const char* hint;
    const char* picture;
};

// In the order of the function toolbar.
constexpr FunctionActionText kFunctionActions[] = {
    {"ResetAction", QT_TRANSLATE_NOOP("TMainForm", "Reset"), QT_TRANSLATE_NOOP("TMainForm", "Reset"), "reset"},
    {"LightAction", QT_TRANSLATE_NOOP("TMainForm", "Światło"), QT_TRANSLATE_NOOP("TMainForm", "Światło"), "light"},
    {"LampAction", QT_TRANSLATE_NOOP("TMainForm", "Lampa"), QT_TRANSLATE_NOOP("TMainForm", "Lampa"), "lamp"},
    {"PanTiltAction", QT_TRANSLATE_NOOP("TMainForm", "Pan Tilt"), QT_TRANSLATE_NOOP("TMainForm", "Pan Tilt"), "pantilt"},
    {"ColorAction", QT_TRANSLATE_NOOP("TMainForm", "Kolor"), QT_TRANSLATE_NOOP("TMainForm", "Kolor"), "color"},
    {"MixerAction", QT_TRANSLATE_NOOP("TMainForm", "Mixer kolorów"), QT_TRANSLATE_NOOP("TMainForm", "RGB/CMY"), "mixer"},
    {"GoboAction", QT_TRANSLATE_NOOP("TMainForm", "Gobo"), QT_TRANSLATE_NOOP("TMainForm", "Gobo"), "gobo"},
    {"EffectAction", QT_TRANSLATE_NOOP("TMainForm", "Efekt"), QT_TRANSLATE_NOOP("TMainForm", "Efekt"), "effect"},
    {"OpticAction", QT_TRANSLATE_NOOP("TMainForm", "Optyka"), QT_TRANSLATE_NOOP("TMainForm", "Optyka"), "optic"},
    {"DimmersAction", QT_TRANSLATE_NOOP("TMainForm", "Dimmery"), QT_TRANSLATE_NOOP("TMainForm", "Dimmery"), "dimmers"},
};

inline const char* const kCueSpeedLabel = QT_TRANSLATE_NOOP("TMainForm", "PRĘDKOŚĆ CUE:  ");
inline const char* const kGeneratorAmplitudeLabel = QT_TRANSLATE_NOOP("TMainForm", "AMPLITUDA GENERATORÓW:  ");
inline const char* const kGeneratorSpeedLabel = QT_TRANSLATE_NOOP("TMainForm", "PRĘDKOŚĆ GENERATORÓW:  ");

// The sequence editor takes the output: what it disables says so.
inline const char* const kSequenceEditorOpen = QT_TRANSLATE_NOOP("TMainForm", "Niedostępne, gdy otwarty jest edytor sekwencji");

QIcon picture(const char* name);

// Sets a bar to a value read back from the show, without acting on the show, and writes the
// value into its caption.
void showOnBar(TPTrackBar* bar, const QString& label, int position);

// An action's hint and, on a line of its own while the action cannot be used, why.
void setHint(QAction* action, const QString& hint, const QString& reason);

bool isShown(const QWidget* window);

} // namespace mainform
