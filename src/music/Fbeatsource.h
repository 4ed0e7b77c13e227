#pragma once
// "Źródło rytmu": where music stepping takes its beats from (the module, an audio input of
// the computer, taps) with the input's level. A choice takes effect at once and is kept in
// the user's settings, not in the show.

#include "music/RhythmControl.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QProgressBar;
class QRadioButton;

KyRhythmChoice loadRhythmChoice();
void saveRhythmChoice(const KyRhythmChoice& choice);

class TBeatSourceForm : public QWidget {
    Q_OBJECT
public:
    // A tool window over `parent`. It reads the level and tempo of `beats` and applies the
    // operator's choices through `control`.
    TBeatSourceForm(KyRhythmControl& control, KyBeatSource& beats, std::mutex& showLock, QWidget* parent = nullptr);

    QRadioButton* sourceButton(KyRhythmSource source) const;
    QComboBox* deviceList() const { return deviceList_; }
    QProgressBar* levelMeter() const { return levelMeter_; }
    QLabel* stateLabel() const { return stateLabel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillDevices();
    void showChoice();
    void applyControls();
    void refresh();

    KyRhythmControl& control_;
    KyBeatSource& beats_;
    std::mutex& showLock_;
    QButtonGroup* sources_;
    QComboBox* deviceList_;
    QProgressBar* levelMeter_;
    QLabel* stateLabel_;
};

// The tempo as the desk shows it beside "Muzyka", in the operator's language:
// "120.0 BPM (audio)", "--- BPM (moduł)".
QString tempoText(double bpm, KyRhythmSource source);
