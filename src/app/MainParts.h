#pragma once
// What the main window's parts share: its actions, the controls of its toolbars, its tool
// windows, and the texts and helpers the files that build and update them have in common.

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
    {"ResetAction", "Reset", "Reset", "reset"},
    {"LightAction", "Światło", "Światło", "light"},
    {"LampAction", "Lampa", "Lampa", "lamp"},
    {"PanTiltAction", "Pan Tilt", "Pan Tilt", "pantilt"},
    {"ColorAction", "Kolor", "Kolor", "color"},
    {"MixerAction", "Mixer kolorów", "RGB/CMY", "mixer"},
    {"GoboAction", "Gobo", "Gobo", "gobo"},
    {"EffectAction", "Efekt", "Efekt", "effect"},
    {"OpticAction", "Optyka", "Optyka", "optic"},
    {"DimmersAction", "Dimmery", "Dimmery", "dimmers"},
};

inline const QString kCueSpeedLabel = QStringLiteral("PRĘDKOŚĆ CUE:  ");
inline const QString kGeneratorAmplitudeLabel = QStringLiteral("AMPLITUDA GENERATORÓW:  ");
inline const QString kGeneratorSpeedLabel = QStringLiteral("PRĘDKOŚĆ GENERATORÓW:  ");

// The sequence editor takes the output: what it disables says so.
inline const std::string kSequenceEditorOpen = "Niedostępne, gdy otwarty jest edytor sekwencji";

QIcon picture(const char* name);

// Sets a bar to a value read back from the show, without acting on the show, and writes the
// value into its caption.
void showOnBar(TPTrackBar* bar, const QString& label, int position);

// An action's hint and, on a line of its own while the action cannot be used, why.
void setHint(QAction* action, const QString& hint, const std::string& reason);

bool isShown(const QWidget* window);

} // namespace mainform
