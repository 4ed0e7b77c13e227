#pragma once
// The direct-access window: starts a stored cue with one click, swaps the sequence of one
// zone with one click, plays flash buttons while they are held, shifts the overall speed and
// starts, pauses or stops everything. What its controls do is the desk's (TDeskActions,
// which it owns); the window shows the outcome and keeps the button assignments.

#include "panel/DeskActions.h"

#include <QWidget>

#include <array>
#include <mutex>
#include <string>

class KyDmxSpace;
class KySeque;
class QLabel;
class QPushButton;
class QTimer;
class TPPanelButton;
class TPTrackBar;

class TDirectAccessForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZones = KyPanel::kZones;
    using ZoneNames = std::array<std::string, kZones>;

    TDirectAccessForm(KyPanel& panel, KySeque& store, KyDmxSpace& dmx, ZoneNames& zoneNames, std::mutex& showLock,
                      QWidget* parent = nullptr);

    // The desk's actions, which this window's controls run and every other input shares.
    TDeskActions& actions() const { return *actions_; }

    // Every button shown again from the model, every sequence button dark, and the live cue's
    // name; also asked for by the cue editor after it replaced or renamed the live cue.
    void fullRefresh();

    QPushButton* startButton() const { return startButton_; }
    QPushButton* pauseButton() const { return pauseButton_; }
    QPushButton* stopButton() const { return stopButton_; }
    TPTrackBar* speedBar() const { return speedBar_; }
    QLabel* cueNameLabel() const { return cueName_; }
    TPPanelButton* cueButton(int k) const { return cueButtons_[std::size_t(k)]; }
    QPushButton* cuePageButton(int page) const { return cuePageButtons_[std::size_t(page)]; }
    TPPanelButton* seqButton(int zone, int k) const { return zones_[std::size_t(zone)].buttons[std::size_t(k)]; }
    QPushButton* previousPageButton(int zone) const { return zones_[std::size_t(zone)].previous; }
    QPushButton* nextPageButton(int zone) const { return zones_[std::size_t(zone)].next; }
    QLabel* pageLetter(int zone) const { return zones_[std::size_t(zone)].letter; }
    QLabel* playingLabel(int zone) const { return zones_[std::size_t(zone)].playing; }
    QLabel* zoneNameLabel(int zone) const { return zones_[std::size_t(zone)].name; }

signals:
    // The live cue's zones changed here; the cue editor reads them again.
    void liveZonesChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ZoneColumn {
        QPushButton* previous = nullptr;
        QPushButton* next = nullptr;
        QLabel* letter = nullptr;
        std::array<TPPanelButton*, KySeqButtons::kButtons> buttons{};
        QLabel* playing = nullptr;
        QLabel* name = nullptr;
    };

    QWidget* createTransport();
    QWidget* createCueBlock();
    QWidget* createSequenceBlock();
    QWidget* createZoneColumn(int zone);

    void refreshCueBlock();
    void refreshColumn(int zone);
    void connectActions();
    void showSpeed(int position);
    // Puts the bar where the desk's shift is, without acting on the live cue.
    void showSpeedShift(int shift);

    void CueButtonMouseDown(int k, Qt::MouseButton button);
    void SeqButtonMouseDown(int zone, int k, Qt::MouseButton button);
    void ZoneNameMouseDown(int zone);
    void RefreshTimerTimer();
    void cueButtonMenu(int k);
    void seqButtonMenu(int zone, int k);

    KyPanel& panel_;
    TDeskActions* actions_;
    KySeque& store_;
    KyDmxSpace& dmx_;
    ZoneNames& zoneNames_;
    std::mutex& showLock_;
    // The pickers' last chosen rows, kept while the program runs.
    int seqPickerRow_ = 0;
    int cuePickerRow_ = 0;

    QPushButton* startButton_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    TPTrackBar* speedBar_ = nullptr;
    QLabel* cueName_ = nullptr;
    std::array<TPPanelButton*, KyCueButtons::kButtons> cueButtons_{};
    std::array<QPushButton*, KyCueButtons::kPages> cuePageButtons_{};
    std::array<ZoneColumn, kZones> zones_{};
    QTimer* refreshTimer_ = nullptr;
};
