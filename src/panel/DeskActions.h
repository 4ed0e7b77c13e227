#pragma once
// What the desk's performance controls do, behind one set of calls: the direct-access panel's
// rules (cue and sequence buttons, pages, transport, speed shift) and the main window's
// controls that a performer reaches for (blackout, Manual OFF, Muzyka, Tap, the cue speed and
// the generator bars). The panel window's own buttons and bars come through here, and so does
// every other input (the web remote); all of it runs on the window thread.

#include "input/ControlAction.h"
#include "panel/Panel.h"

#include <QObject>

#include <array>
#include <mutex>

class KyDmxSpace;
class KySeque;
class QAction;
class TPTrackBar;

// The main window's controls that the desk calls press as the operator would; a control
// that is missing or disabled refuses the call.
struct TDeskControls {
    QAction* blackout = nullptr;
    QAction* manualOff = nullptr;
    QAction* music = nullptr;
    QAction* tap = nullptr;
    QAction* panel = nullptr; // disabled while the sequence editor has the live output
    TPTrackBar* cueSpeed = nullptr;
    TPTrackBar* generatorSpeed = nullptr;
    TPTrackBar* generatorAmplitude = nullptr;
};

// The controls of a main window, found by their object names.
TDeskControls deskControlsOf(const QObject& mainWindow);

class TDeskActions : public QObject {
    Q_OBJECT
public:
    static constexpr int kZones = KyPanel::kZones;

    // Installs the panel listener, which sets the speed shift back to 0 whenever another
    // control reports a new speed; the destructor removes it.
    TDeskActions(KyPanel& panel, KySeque& store, KyDmxSpace& dmx, std::mutex& showLock, QObject* parent = nullptr);
    ~TDeskActions() override;

    void bindControls(const TDeskControls& controls) { controls_ = controls; }
    const TDeskControls& controls() const { return controls_; }
    // Whether the panel may act on the live cue: not while the sequence editor has it.
    bool panelAvailable() const;

    const KyPanel& panel() const { return panel_; }

    // ---- The panel. Buttons count on the page shown; every call reports its change.
    void pressCueButton(int k);
    void showCuePage(int page);
    // The next (+1) or previous (-1) assigned cue button after the lit one (the shown page's
    // first when none is lit), over all pages; its page is shown and it is pressed.
    void stepCue(int step);
    void pressSeqButton(int zone, int k);
    void releaseSeqButton(int zone, int k);
    void stepZonePage(int zone, int step);
    void showZonePage(int zone, int page);
    void start();
    void pause();
    void stop();
    // Shifts the live cue's speed and generator speed from the values last reported.
    void shiftSpeed(int shift);
    int speedShift() const { return speedShift_; }

    // ---- The main window's controls, through their own handlers.
    void setBlackout(bool on);
    void manualOff();
    void setMusic(bool on);
    void tap();
    void setCueSpeed(int position);
    void setGeneratorSpeed(int position);
    void setGeneratorAmplitude(int position);

signals:
    // A panel control was pressed, whoever pressed it (what a controller learns).
    void acted(const KyControlAction& action);
    void cueBlockChanged();
    // The whole live cue was replaced: every button is shown again, every sequence button dark.
    void liveCueReplaced();
    void columnChanged(int zone);
    // The live cue's zones changed; the cue editor reads them again.
    void liveZonesChanged();
    void speedShiftChanged(int shift);

private:
    // The press action of a sequence button on the column's shown page; false when the
    // button is empty.
    bool playSequenceButton(int zone, int k);
    void playRememberedButton(int zone);
    void liveCueDo(void (KyCue::*play)(), void (KyCue::*generators)());
    void resetSpeedShift();

    // The last non-flash button left lit in a column, on its own page; -1 for none.
    struct Remembered {
        int button = -1;
        int page = -1;
    };

    KyPanel& panel_;
    KySeque& store_;
    KyDmxSpace& dmx_;
    std::mutex& showLock_;
    TDeskControls controls_;
    std::array<Remembered, kZones> remembered_{};
    int speedShift_ = 0;
};
