#pragma once
// The Pan/Tilt window: a pad that positions every selected head in 8 or 16 bit with each
// device's inversion and swap, arrows and a centre button, the hold button of the whole
// position, the two auxiliary controllers of the reference device's type, and the
// "Generator" group, which edits the figure generators that the scene being recorded keeps
// for the selected heads.

#include "functions/Ffunction.h"
#include "functions/PanTilt.h"
#include "functions/SceneGenerators.h"

#include <array>
#include <functional>
#include <optional>

class KyDimmerControl;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TPTrackBar;
class TPTrackPad;

// The generator windows the Generator group opens, built elsewhere. A button whose window
// is not given stays disabled.
struct KyGeneratorWindows {
    // "Właściwości" shows and closes it; it is hidden whenever generators cannot be edited.
    QWidget* generatorForm = nullptr;
    // "Ładuj Generator": the generator list window, modal; the chosen figure's index.
    std::function<std::optional<int>(QWidget* parent)> chooseFigure;
    // "Podziel efekt": the divide window, modal, for this many heads; the phase offset.
    std::function<std::optional<int>(QWidget* parent, int heads)> askPhaseOffset;
};

class TPanTiltForm : public TFunctionForm {
    Q_OBJECT
public:
    static constexpr std::array<int, 6> kResolutions = {1, 16, 32, 64, 128, 256};

    TPanTiltForm(const KyFunctionModel& model, KyGenList& genList, QWidget* parent = nullptr);

    void setGeneratorWindows(KyGeneratorWindows windows);

    int resolution() const { return resolution_; }
    TPTrackPad* pad() const { return pad_; }
    QPushButton* resolutionButton(std::size_t i) const { return resolutionButtons_[i]; }
    QLabel* fineLabel() const { return fineLabel_; }
    QLineEdit* valueBox(bool tilt, bool fine) const { return valueBoxes_[(tilt ? 2 : 0) + (fine ? 1 : 0)]; }
    QToolButton* arrowButton(KyPadArrow arrow) const { return arrows_[static_cast<std::size_t>(arrow)]; }
    QToolButton* centreButton() const { return centre_; }
    QPushButton* holdButton() const { return hold_; }
    QWidget* controllers() const { return controllers_; }
    KyDimmerControl* controller(std::size_t i) const { return controllerControls_[i]; }
    QGroupBox* generatorGroup() const { return generatorGroup_; }
    QPushButton* generatorOnButton() const { return generatorOn_; }
    QPushButton* generatorOffButton() const { return generatorOff_; }
    QToolButton* masterDirectionButton(std::uint8_t direction) const { return masterDirection_[direction]; }
    TPTrackBar* amplitudeBar() const { return generatorBars_[0]; }
    TPTrackBar* speedBar() const { return generatorBars_[1]; }
    TPTrackBar* phaseBar() const { return generatorBars_[2]; }
    QLineEdit* generatorValueBox(std::size_t i) const { return generatorValues_[i]; }
    QPushButton* loadFigureButton() const { return loadFigure_; }
    QPushButton* divideButton() const { return divide_; }
    QPushButton* propertiesButton() const { return properties_; }

protected:
    void configure(const KyClubDevice& reference) override;
    void copyUnderLock(const KyClubDevice& reference) override;
    void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPositionControls();
    QWidget* buildControllers();
    QGroupBox* buildGeneratorGroup();
    void setResolution(int resolution);
    void applyPad();
    void holdClicked(bool down);
    void moveByArrow(KyPadArrow arrow);
    void centre();
    KyDevices heads() const;
    // Runs an edit of the selected heads' generators under the show lock, then shows it.
    void editGenerators(const std::function<void(KyDmxSpace&, const KyDevices&)>& edit);
    void toggleGeneratorForm();
    void loadFigureClicked();
    void divideClicked();
    void showGenerators();

    KyGenList& genList_;
    KyGeneratorWindows windows_;
    int resolution_ = 1;
    KyGeneratorView view_;

    TPTrackPad* pad_ = nullptr;
    std::array<QPushButton*, 6> resolutionButtons_{};
    QLabel* fineLabel_ = nullptr;
    std::array<QLineEdit*, 4> valueBoxes_{};
    std::array<QToolButton*, 4> arrows_{};
    QToolButton* centre_ = nullptr;
    QPushButton* hold_ = nullptr;
    QWidget* controllers_ = nullptr;
    std::array<KyDimmerControl*, 2> controllerControls_{};
    QGroupBox* generatorGroup_ = nullptr;
    QPushButton* loadFigure_ = nullptr;
    QPushButton* divide_ = nullptr;
    QPushButton* properties_ = nullptr;
    QPushButton* generatorOn_ = nullptr;
    QPushButton* generatorOff_ = nullptr;
    std::array<QToolButton*, 2> masterDirection_{};
    std::array<TPTrackBar*, 3> generatorBars_{};
    std::array<QLineEdit*, 3> generatorValues_{};
};
