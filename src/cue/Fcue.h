#pragma once
// The cue editor "Cue": composes the live cue zone by zone while the lights follow at once,
// and lists, loads, saves, renames and erases the stored cues. What it does to the show lives
// in KyCueEdit; the window maps its controls to it under the show lock. It lives from
// start-up to exit, and its refresh runs all that time, shown or not.

#include "common/PStoredList.h"
#include "cue/CueEdit.h"

#include <QWidget>

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

class KyDmxSpace;
class KySeque;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QUndoStack;
class TPStringGrid;
class TPTrackBar;

// What the editor works on; all of it is the show's.
struct TCueFormModel {
    KyDmxSpace& dmx;
    KySeque& store;
    std::mutex& showLock;
    // Writes cues.vt2 without the show lock: empty, or the message that says why it could not.
    std::function<std::string()> saveCues;
};

class TCueForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZones = KyCue::kZones;

    // Installs the speed listener; the destructor removes it and sorts the stored cues.
    explicit TCueForm(const TCueFormModel& model, QWidget* parent = nullptr);
    ~TCueForm() override;

    // The direct-access window replaced the live cue or one of its zones: the offsets are
    // read again and every row shown.
    void rereadZones();

    QPushButton* saveButton() const { return save_; }
    QPushButton* saveAsButton() const { return saveAs_; }
    QPushButton* newButton() const { return new_; }
    QLabel* nameDisplay() const { return name_; }
    QLabel* rowNumber(int zone) const { return row(zone).number; }
    QCheckBox* activeCheck(int zone) const { return row(zone).active; }
    QComboBox* sequenceList(int zone) const { return row(zone).sequence; }
    QToolButton* zoneEraseButton(int zone) const { return row(zone).erase; }
    QCheckBox* fadeCheck(int zone) const { return row(zone).fade; }
    TPTrackBar* speedBar(int zone) const { return row(zone).speed; }
    QCheckBox* musicCheck(int zone) const { return row(zone).music; }
    QComboBox* pulsesList(int zone) const { return row(zone).pulses; }
    TPTrackBar* cueSpeedBar() const { return cueSpeed_.bar; }
    TPTrackBar* generatorSpeedBar() const { return generatorSpeed_.bar; }
    TPTrackBar* amplitudeBar() const { return amplitude_.bar; }
    QLabel* cueSpeedValue() const { return cueSpeed_.value; }
    QLabel* generatorSpeedValue() const { return generatorSpeed_.value; }
    QLabel* amplitudeValue() const { return amplitude_.value; }
    TPStringGrid* cueList() const { return list_; }
    QPushButton* renameButton() const { return stored_->renameButton(); }
    // The zone edits of the live cue; cleared when the live cue is replaced or the window
    // closes.
    QUndoStack* undoStack() const { return undo_; }
    QPushButton* eraseButton() const { return stored_->eraseButton(); }

signals:
    // The live cue was replaced or renamed here; the direct-access window shows it again.
    void liveCueReplaced();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct ZoneRow {
        QLabel* number = nullptr;
        QCheckBox* active = nullptr;
        QComboBox* sequence = nullptr;
        QToolButton* erase = nullptr;
        QCheckBox* fade = nullptr;
        TPTrackBar* speed = nullptr;
        QCheckBox* music = nullptr;
        QComboBox* pulses = nullptr;
    };
    struct ValueBar {
        TPTrackBar* bar = nullptr;
        QLabel* value = nullptr;
    };
    using Rows = std::array<KyZoneRow, kZones>;

    const ZoneRow& row(int zone) const { return rows_[std::size_t(zone)]; }
    QWidget* createFileRow();
    QWidget* createZoneTable();
    void createZoneRow(QGridLayout* grid, int zone);
    QWidget* createBars();
    ValueBar createBar(QGridLayout* grid, int line, const QString& caption, int min, int max);
    QWidget* createListBlock();
    QComboBox* createDropList(QWidget* parent);
    // Whether one of the window's drop-down lists is open; the refresh waits while one is.
    bool listOpen() const;

    void FormShow();
    void FormClose();
    void RefreshTimerTimer();
    void fillSequenceLists();
    void fillList();
    void showRow(int zone, const KyZoneRow& shown);
    void showRows(const Rows& shown);
    void showBarValues();
    // Runs `change` on the editor under the show lock, then shows every row.
    template <class Change> void changeZones(Change change);
    // What changed in the zones since the last step becomes one, named `what`.
    void commitZones(const QString& what);
    // Another live cue: its steps start afresh.
    void forgetSteps();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The speed listener, called under the show lock by whoever changed a cue's speed.
    void CueSpeedFollowed();
    // The stored cue of the list's current row, if any.
    std::optional<std::size_t> selectedCue() const;
    void writeCues();

    void ListSelectCell(int row);
    void SaveButtonClick();
    void SaveAsButtonClick();
    void NewButtonClick();
    void RenameButtonClick();
    void EraseButtonClick();
    void CueSpeedTBarChange();
    void GeneratorSpeedTBarChange();
    void GeneratorAmplitudeTBarChange();

    TCueFormModel model_;
    KyCueEdit edit_;

    QUndoStack* undo_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    QPushButton* new_ = nullptr;
    QLabel* name_ = nullptr;
    std::array<ZoneRow, kZones> rows_{};
    ValueBar cueSpeed_;
    ValueBar generatorSpeed_;
    ValueBar amplitude_;
    TPStoredList* stored_ = nullptr;
    TPStringGrid* list_ = nullptr;
};
