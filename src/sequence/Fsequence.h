#pragma once
// The sequence editor "Sekwencja": while it is shown the universe records every operator
// write into the current scene of its working copy, its own tick plays that scene (or the
// preview) in place of the main tick, and it lists, loads, saves, renames and erases the
// stored sequences. What it does to the show lives in KySequenceEdit; the window maps its
// controls to it under the show lock.

#include "common/MMTimer.h"
#include "common/PStoredList.h"
#include "sequence/SequenceEdit.h"

#include <QWidget>

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

class KyEditSpace;
class KySequenceStore;
class KyUsb;
class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;
class QUndoStack;
class TPStringGrid;

// What the editor works on; all of it is the show's.
struct TSequenceFormModel {
    KyEditSpace& dmx;
    KySequenceStore& store;
    KyUsb& usb;
    bool& inputChanged;
    std::mutex& showLock;
    // Writes sequences.vt2, called without the show lock held: empty, or why it could not.
    std::function<std::string()> saveSequences;
};

// What the editor asks of the main window while it is shown. None of these is called with
// the show lock held.
struct TSequenceFormHost {
    TMMTimer& timer;
    // The main tick: restored when the editor closes, and run once before a sequence is
    // loaded or a new one started.
    TMMTimer::Handler mainTick;
    std::function<void()> pressStop;
    std::function<void()> pressStart;
    // Disabling first sets the generator speed to 0 and the amplitude to 100.
    std::function<void(bool enabled)> enableGeneratorControls;
};

class TSequenceForm : public QWidget {
    Q_OBJECT
public:
    TSequenceForm(const TSequenceFormModel& model, TSequenceFormHost host, QWidget* parent = nullptr);

    // The tick the editor installs, under the show lock.
    void editorTick();

    QToolButton* newButton() const { return newButton_; }
    QToolButton* saveButton() const { return saveButton_; }
    QToolButton* saveAsButton() const { return saveAsButton_; }
    QCheckBox* fadeCheck() const { return fadeCheck_; }
    QLabel* nameDisplay() const { return nameDisplay_; }
    QPushButton* previousSceneButton() const { return previousScene_; }
    QPushButton* nextSceneButton() const { return nextScene_; }
    QLabel* sceneNumberDisplay() const { return sceneNumber_; }
    QLabel* sceneCountDisplay() const { return sceneCount_; }
    QPushButton* addSceneButton() const { return addScene_; }
    QPushButton* eraseSceneButton() const { return eraseScene_; }
    // 0 "min", 1 "sek", 2 "0.1 sek".
    QLabel* timeDisplay(int group) const { return timeGroups_[std::size_t(group)].value; }
    QToolButton* timeUpButton(int group) const { return timeGroups_[std::size_t(group)].up; }
    QToolButton* timeDownButton(int group) const { return timeGroups_[std::size_t(group)].down; }
    QCheckBox* globalTimeCheck() const { return globalTime_; }
    TPStringGrid* listGrid() const { return list_; }
    QPushButton* renameButton() const { return stored_->renameButton(); }
    QPushButton* eraseButton() const { return stored_->eraseButton(); }
    QPushButton* closeButton() const { return close_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* pauseButton() const { return pause_; }
    QPushButton* stopButton() const { return stop_; }
    // The edits of the working copy, recording gestures among them; cleared on closing.
    QUndoStack* undoStack() const { return undo_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TimeGroup {
        QLabel* value = nullptr;
        QToolButton* up = nullptr;
        QToolButton* down = nullptr;
    };

    QWidget* createFileRow();
    QWidget* createSceneGroup();
    QWidget* createTimeRow();
    QWidget* createTimeGroup(int group, const QString& caption, std::uint32_t step);
    QWidget* createPreviewRow();
    QWidget* createListBlock();

    void FormShow();
    void FormClose();
    void RefreshTimerTimer();
    void fillList();
    // The stored sequence the list's current row shows, if any.
    std::optional<std::size_t> selectedRow() const;
    void ListSelectCell(int row);
    // The main tick, once, with the timer kept from running the editor tick meanwhile.
    void runMainTick();
    void writeSequences();

    void NewButtonClick();
    void SaveButtonClick();
    void SaveAsButtonClick();
    void RenameButtonClick();
    void EraseButtonClick();
    void SceneNumberDblClick();
    void StartButtonClick();
    void PauseButtonClick(bool down);
    void StopButtonClick();
    void setEditingEnabled(bool enabled);
    // Runs an edit of the working copy under the show lock and puts what it changed, with
    // whatever was recorded before it, on the undo stack.
    void edit(const QString& what, const std::function<void()>& edit);
    // What the operator recorded or stepped since the last edit becomes one step: called when
    // a press starts a gesture in any window and once its release has been handled.
    void commitRecording();
    void watchGesture(QEvent* event);

    TSequenceFormModel model_;
    TSequenceFormHost host_;
    KySequenceEdit edit_;
    bool open_ = false;

    QToolButton* newButton_ = nullptr;
    QToolButton* saveButton_ = nullptr;
    QToolButton* saveAsButton_ = nullptr;
    QCheckBox* fadeCheck_ = nullptr;
    QLabel* nameDisplay_ = nullptr;
    QPushButton* previousScene_ = nullptr;
    QPushButton* nextScene_ = nullptr;
    QLabel* sceneNumber_ = nullptr;
    QLabel* sceneCount_ = nullptr;
    QPushButton* addScene_ = nullptr;
    QPushButton* eraseScene_ = nullptr;
    std::array<TimeGroup, 3> timeGroups_{};
    QCheckBox* globalTime_ = nullptr;
    TPStoredList* stored_ = nullptr;
    TPStringGrid* list_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* stop_ = nullptr;
    QUndoStack* undo_ = nullptr;
    // What the gesture under way is called: a recording unless the editor's own arrows run.
    QString gestureName_;
};
