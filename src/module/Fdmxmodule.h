#pragma once
// The module programming window ("Moduł DMX"): the connected module's serial number,
// version and identifier, the choice of cues for the module's own memory, and the transfers:
// an image built from the choice ("Programowanie"), a saved image ("Programowanie z pliku"),
// or the module's image read into a file ("Odczyt"). While it talks to the module its step
// handler replaces the main tick, so no DMX frames go out; the main tick comes back when the
// job ends.

#include "common/MMTimer.h"
#include "module/ModuleData.h"
#include "module/ModuleJob.h"

#include <QDialog>

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class KyClub;
class KyPanel;
class KySeque;
class KyUsb;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class TPStringGrid;

// What the window works on, all owned by the show.
struct KyModuleWindowModel {
    KySeque& seque;
    const KyPanel& panel;
    const KyClub& club;
    const std::array<std::string, 10>& zoneNames;
    KyUsb& usb;
    std::mutex& showLock;
};

class TDmxModuleForm : public QDialog {
    Q_OBJECT
public:
    // Asks the module for its serial number, version and identifier before returning;
    // `mainTick` is the handler given back to `timer` after every job.
    TDmxModuleForm(const KyModuleWindowModel& model, TMMTimer& timer, TMMTimer::Handler mainTick, QWidget* owner);
    ~TDmxModuleForm() override;

    bool jobRunning() const { return jobRunning_; }
    const KySequeDM& dataSet() const { return data_; }

    QLabel* serialLabel() const { return serial_; }
    QLabel* versionLabel() const { return version_; }
    QLabel* generationLabel() const { return generation_; }
    QLineEdit* identifierEdit() const { return identifier_; }
    QCheckBox* serialInputCheck() const { return serialInput_; }
    TPStringGrid* availableGrid() const { return available_; }
    TPStringGrid* selectedGrid() const { return selected_; }
    QPushButton* cueButton() const { return cue_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }
    QPushButton* panelButton() const { return panel_; }
    QPushButton* readButton() const { return read_; }
    QPushButton* programButton() const { return program_; }
    QPushButton* programFileButton() const { return programFile_; }
    QProgressBar* progressBar() const { return progress_; }
    // How the last transfer went; empty until one succeeded, cleared when the next starts.
    QLabel* transferLine() const { return transferLine_; }
    // Which zones' lists of the last built image were cut; empty when none was.
    QLabel* imageNote() const { return imageNote_; }

public slots:
    // Refused while a job runs, like closing.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void askModule();
    void waitForQuery();
    void showAnswers();
    void fillAvailable();
    void refreshSelected(int currentRow);
    int selectedRow() const;

    void CueButtonClick();
    void RemoveButtonClick();
    void UpButtonClick();
    void DownButtonClick();
    void PanelButtonClick();
    void ReadButtonClick();
    void ProgramButtonClick();
    void ProgramFileButtonClick();

    // A job holds the window open and its transfer buttons disabled from its start to its end.
    // `doneLine` tells a success, with %1 for the blocks that went.
    void beginJob(const QString& doneLine);
    void endJob();
    void installStepHandler();
    void runJob(int periodMs);
    void restoreMainTick();
    void watchJob();
    void jobEnded(KyModuleJob::Outcome outcome, int blocks);
    void showZoneCuts(const std::vector<KyZoneCut>& cuts);
    // False, and the operator told, when the file could not be written.
    bool saveReadImage(const QString& path);

    KyModuleWindowModel model_;
    TMMTimer& timer_;
    TMMTimer::Handler mainTick_;
    KySequeDM data_;
    // Shared with the step handler, so a step still running after the handler was swapped
    // back never outlives it.
    std::shared_ptr<KyModuleJob> job_;
    int firmwareGeneration_ = KyModuleJob::kAssumedGeneration;
    bool stepHandlerInstalled_ = false;
    int periodBeforeJob_ = 0;
    bool jobRunning_ = false;
    QString doneLine_;
    QString pendingReadPath_;
    QTimer* jobWatch_;

    QLabel* serial_;
    QLabel* version_;
    QLabel* generation_;
    QLineEdit* identifier_;
    QCheckBox* serialInput_;
    TPStringGrid* available_;
    TPStringGrid* selected_;
    QPushButton* cue_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* panel_;
    QPushButton* read_;
    QPushButton* program_;
    QPushButton* programFile_;
    QProgressBar* progress_;
    QLabel* transferLine_;
    QLabel* imageNote_;
};
