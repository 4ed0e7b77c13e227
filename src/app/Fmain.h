#pragma once
// The main window: the operator's desk and the owner of the show.

#include "app/Show.h"
#include "app/StartOptions.h"
#include "club/PIconPages.h"
#include "common/MMTimer.h"

#include <QMainWindow>

#include <array>
#include <memory>

class KyRhythmControl;
class QAction;
class QLabel;
class QTimer;
class QToolButton;
class TDirectAccessForm;
class TDmxSpaceForm;
class TDmxTrackerForm;
class TBeatSourceForm;
class TBlackoutForm;
class TCueForm;
class TFunctionForm;
class TGeneratorForm;
class TOlaForm;
class TPTrackBar;
class TSequenceForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Performs the whole start-up; a file that must end it throws. A signal during one of its
    // questions ends it early with the show saved, and closed() tells so.
    explicit TMainForm(const StartOptions& options, QWidget* parent = nullptr);
    ~TMainForm() override;

    KyShow& show() { return show_; }
    TMMTimer& timer() { return timer_; }
    TPIconPages* pageControl() const { return pageControl_; }
    TCueForm* cueForm() const { return cueForm_.get(); }
    TDmxSpaceForm* dmxSpaceForm() const { return dmxSpaceForm_.get(); }
    TDmxTrackerForm* dmxTrackerForm() const { return dmxTrackerForm_.get(); }
    TDirectAccessForm* directAccessForm() const { return directAccessForm_.get(); }
    TSequenceForm* sequenceForm() const { return sequenceForm_.get(); }
    TBeatSourceForm* beatSourceForm() const { return beatSourceForm_.get(); }
    TOlaForm* olaForm() const { return olaForm_.get(); }

    // The tick, called by the timer on its own thread.
    void MMTimerMMTimer(TMMTimer& sender);
    // A signal ended the session: the close sequence without the question, its failures on
    // standard error, then the program leaves every event loop (an open dialog's too).
    void closeOnSignal();
    // The show is saved and the output closed: nothing more is to be done with the window.
    bool closed() const { return shutDown_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolWindows();
    void keepToolWindowPlaces();
    QRect deskArea() const;
    // The generator window, which the Pan/Tilt window shows from its Generator group.
    void createGeneratorWindow();
    void createSequenceWindow();
    TMMTimer::Handler mainTick();
    void createActions();
    void createFunctionActions();
    void createMenus();
    void createToolbars();
    void createFunctionToolbar();
    void createCueToolbar();
    void createGeneratorToolbar();
    QAction* makeAction(const char* name, const QString& caption, const QString& hint, const char* picture);
    TPTrackBar* makeBar(const char* name, int min, int max);

    // The action update pass, run by the update timer and after each input event.
    void updateActions();
    void updateFunctionActions();
    void updateLiveCueControls();
    void updateSequenceEditorRule();
    void updateActionsAfterInput();
    void updateHeldChannels();

    void IconMoveActionExecute(bool checked);
    void liveCueDo(void (KyCue::*operation)());
    void CueSpeedTBarChange();
    void GeneratorSpeedTBarChange();
    void GeneratorAmplitudeTBarChange();
    void DmxTrackerButtonClick();
    // The cue editor, after the direct-access window; each shows what the other changed.
    void createCueWindow();
    void CueActionExecute();
    void LibraryActionExecute();
    void ClubActionExecute();
    void FloorsActionExecute();
    void DirectPanelActionExecute();
    void SequenceActionExecute();
    // The sequence editor takes the generator bars and buttons while it is shown.
    void enableGeneratorControls(bool enabled);
    void ManualOffActionExecute();
    void MusicActionExecute(bool checked);
    void DmxSpaceActionExecute();
    void DmxModuleActionExecute();
    void OlaActionExecute();
    void AboutActionExecute();
    void BeatSourceActionExecute();
    // A tap makes taps the rhythm source and is a beat.
    void TapActionExecute();
    // The rhythm source the user chose last time, or the audio file of the command line.
    void startRhythm(const StartOptions& options);
    void updateTempo();

    // Function windows and the blackout window.
    void createFunctionWindows();
    void connectFunctionWindows();
    // Takes the function windows off the screen without the operator closing them, and keeps
    // them off while the library or installation changes underneath them (the update pass
    // runs on inside the modal window); resuming re-evaluates them once, so that they come
    // back with the next selection.
    void suspendFunctionWindows();
    void resumeFunctionWindows();

    void updateCaption();
    void reportLoadWarnings(const std::vector<std::string>& warnings);
    // Failures of the exit save go to message boxes, or to standard error when nobody may
    // be there to read them.
    enum class Report { MessageBox, StandardError };
    void shutdown(Report report = Report::MessageBox);

    KyShow show_;
    TMMTimer timer_;
    TPIconPages* pageControl_ = nullptr;
    QTimer* updateTimer_ = nullptr;
    bool shutDown_ = false;
    bool functionWindowsSuspended_ = false;
    // Pages added in the pages window since the program started; names the next one.
    int pagesAdded_ = 0;

    // Tool windows, destroyed before the show they read.
    std::unique_ptr<TDmxSpaceForm> dmxSpaceForm_;
    // Destroyed after the Pan/Tilt window, which refers to it.
    std::unique_ptr<TGeneratorForm> generatorForm_;
    std::unique_ptr<TDmxTrackerForm> dmxTrackerForm_;
    // In the order of the function actions.
    std::array<std::unique_ptr<TFunctionForm>, 10> functionForms_;
    std::unique_ptr<TBlackoutForm> blackoutForm_;
    std::unique_ptr<TSequenceForm> sequenceForm_;
    std::unique_ptr<TCueForm> cueForm_;
    std::unique_ptr<TDirectAccessForm> directAccessForm_;
    std::unique_ptr<KyRhythmControl> rhythm_;
    std::unique_ptr<TBeatSourceForm> beatSourceForm_;
    std::unique_ptr<TOlaForm> olaForm_;

    // Reset, Light, Lamp, PanTilt, Color, Mixer, Gobo, Effect, Optic, Dimmers.
    std::array<QAction*, 10> functionActions_{};
    QAction* libraryAction_ = nullptr;
    QAction* clubAction_ = nullptr;
    QAction* iconMoveAction_ = nullptr;
    QAction* floorsAction_ = nullptr;
    QAction* dmxSpaceAction_ = nullptr;
    QAction* dmxModuleAction_ = nullptr;
    QAction* olaAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* blackoutAction_ = nullptr;
    QAction* sequenceAction_ = nullptr;
    QAction* cueAction_ = nullptr;
    QAction* directPanelAction_ = nullptr;
    QAction* playAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* stopAction_ = nullptr;
    QAction* manualOffAction_ = nullptr;
    QAction* musicAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* beatSourceAction_ = nullptr;
    QAction* tapAction_ = nullptr;
    QLabel* tempoLabel_ = nullptr;
    QLabel* heldCounter_ = nullptr;
    // The count the counter shows; its style is set again only when it changes.
    int heldShown_ = -1;
    QAction* generatorPlayAction_ = nullptr;
    QAction* generatorPauseAction_ = nullptr;
    QAction* generatorStopAction_ = nullptr;
    QToolButton* dmxTrackerButton_ = nullptr;
    TPTrackBar* cueSpeedBar_ = nullptr;
    TPTrackBar* generatorAmplitudeBar_ = nullptr;
    TPTrackBar* generatorSpeedBar_ = nullptr;
    QTimer* actionUpdateAfterInput_ = nullptr;
};
