#pragma once
// The main window: the operator's desk and the owner of the show. Its parts live in files of
// their own: start-up, tick and close here; actions and menus (MainActions.cpp), toolbars
// (MainToolbars.cpp), what the actions do (MainCommands.cpp), the tool windows and their
// docks (MainDocks.cpp) and the 50 ms update pass (MainUpdate.cpp).

#include "app/MainParts.h"
#include "app/Show.h"
#include "app/StartOptions.h"
#include "club/PIconPages.h"
#include "common/MMTimer.h"

#include <QMainWindow>

#include <memory>

class KyRhythmControl;
class QTimer;
class TDesk;
class TPEditHistory;
class TPUndoContexts;

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
    TCueForm* cueForm() const { return windows_.cue.get(); }
    TDmxSpaceForm* dmxSpaceForm() const { return windows_.dmxSpace.get(); }
    TDmxTrackerForm* dmxTrackerForm() const { return windows_.dmxTracker.get(); }
    TDirectAccessForm* directAccessForm() const { return windows_.directAccess.get(); }
    TSequenceForm* sequenceForm() const { return windows_.sequence.get(); }
    TBeatSourceForm* beatSourceForm() const { return windows_.beatSource.get(); }
    TOlaForm* olaForm() const { return windows_.ola.get(); }

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
    // Start-up, tick and close.
    TMMTimer::Handler mainTick();
    void reportLoadWarnings(const std::vector<std::string>& warnings);
    // Failures of the exit save go to message boxes, or to standard error when nobody may
    // be there to read them.
    enum class Report { MessageBox, StandardError };
    void shutdown(Report report = Report::MessageBox);

    // Actions, menus and toolbars.
    QAction* makeAction(const char* name, const QString& caption, const QString& hint, const char* picture);
    void createActions();
    void createFunctionActions();
    void connectActions();
    void createMenus();
    void createToolbars();
    void createFunctionToolbar();
    void createCueToolbar();
    void createGeneratorToolbar();
    TPTrackBar* makeBar(const char* name, int min, int max);

    // What the actions and bars do.
    void IconMoveActionExecute(bool checked);
    void liveCueDo(void (KyCue::*operation)());
    void CueSpeedTBarChange();
    void GeneratorSpeedTBarChange();
    void GeneratorAmplitudeTBarChange();
    void DmxTrackerButtonClick();
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
    void DmxModuleActionExecute();
    void AboutActionExecute();
    // A tap makes taps the rhythm source and is a beat.
    void TapActionExecute();
    // The rhythm source the user chose last time, or the audio file of the command line.
    void startRhythm(const StartOptions& options);

    // The tool windows and their docks.
    void createToolWindows();
    // The generator window, which the Pan/Tilt window shows from its Generator group.
    void createGeneratorWindow();
    void createSequenceWindow();
    // The cue editor, after the direct-access window; each shows what the other changed.
    void createCueWindow();
    void createFunctionWindows();
    void dockToolWindows();
    void connectFunctionWindows();
    // Shows a tool window in front of its tab group.
    static void bringUp(QWidget* window);
    // Takes the function windows off the screen without the operator closing them, and keeps
    // them off while the library or installation changes underneath them (the update pass
    // runs on inside the modal window); resuming re-evaluates them once, so that they come
    // back with the next selection.
    void suspendFunctionWindows();
    void resumeFunctionWindows();

    // The update pass, run by the update timer and after each input event.
    void updateActions();
    void updateFunctionActions();
    void updateLiveCueControls();
    void updateSequenceEditorRule();
    void updateActionsAfterInput();
    void updateHeldChannels();
    void updateTempo();
    void updateCaption();

    // Undo: the stacks of the library and the installation, the group that follows the
    // window in use, and the menu "Edycja".
    void createUndoMenu();
    void createEditHistories();
    void commitIconMove(QObject* watched, QEvent* event);

    KyShow show_;
    TMMTimer timer_;
    TPIconPages* pageControl_ = nullptr;
    TDesk* desk_ = nullptr;
    std::unique_ptr<KyRhythmControl> rhythm_;
    TToolWindows windows_;
    TMainActions actions_;
    TMainControls controls_;
    QTimer* updateTimer_ = nullptr;
    QTimer* actionUpdateAfterInput_ = nullptr;
    bool shutDown_ = false;
    bool functionWindowsSuspended_ = false;
    // Pages added in the pages window since the program started; names the next one.
    int pagesAdded_ = 0;
    TPUndoContexts* undoContexts_ = nullptr;
    TPEditHistory* libraryHistory_ = nullptr;
    TPEditHistory* installationHistory_ = nullptr;
};
