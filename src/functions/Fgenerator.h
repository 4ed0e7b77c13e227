#pragma once
// The generator window: the pan and tilt figures of the selected heads in the scene being
// recorded, axis by axis, with the modifiers of both axes; saving a head's figure into the
// list and loading one from it. The Pan/Tilt window shows and hides it.

#include "functions/Fpantilt.h"
#include "functions/SceneGenerators.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QGridLayout;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;
class TPTrackBar;

class TGeneratorForm : public QWidget {
    Q_OBJECT
public:
    // The bars of the modifier group and of each axis group, in this order.
    enum Bar : std::size_t { Amplitude = 0, Speed = 1, Phase = 2 };

    // `genListPath` is where the list window writes the list after a deletion.
    TGeneratorForm(const KyFunctionModel& model, KyGenList& genList, std::string genListPath,
                   QWidget* parent = nullptr);

    // What the Pan/Tilt window's Generator group opens: this window, the list window and the
    // divide window.
    KyGeneratorWindows windows();
    // Where the list window writes the list; empty keeps the list off the disk.
    void setGenListPath(std::string path) { genListPath_ = std::move(path); }

    QPushButton* saveButton() const { return save_; }
    QPushButton* chooseButton() const { return choose_; }
    QToolButton* masterDirectionButton(std::uint8_t direction) const { return masterDirection_[direction]; }
    TPTrackBar* modifierBar(Bar bar) const { return modifierBars_[bar]; }
    QLabel* modifierLabel(Bar bar) const { return modifierLabels_[bar]; }
    QToolButton* directionButton(KyAxis axis, std::uint8_t direction) const
    {
        return axes_[index(axis)].direction[direction];
    }
    TPTrackBar* axisBar(KyAxis axis, Bar bar) const { return axes_[index(axis)].bars[bar]; }
    QLabel* axisLabel(KyAxis axis, Bar bar) const { return axes_[index(axis)].labels[bar]; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct AxisControls {
        std::array<QToolButton*, 2> direction{};
        std::array<TPTrackBar*, 3> bars{};
        std::array<QLabel*, 3> labels{};
    };
    static std::size_t index(KyAxis axis) { return axis == KyAxis::Pan ? 0 : 1; }

    QWidget* buildModifiers();
    QWidget* buildAxis(KyAxis axis, const QString& caption);
    TPTrackBar* addBar(QWidget* box, const char* caption, int min, int max, int start, QLabel*& label);
    std::array<QToolButton*, 2> addDirectionButtons(QGridLayout* grid, QWidget* box, const char* name);

    KyDevices heads() const;
    // Runs an edit of the selected heads' records under the show lock, then shows the result.
    void editHeads(const std::function<void(KyDmxSpace&, const KyDevices&)>& edit);
    void editAxisBar(KyAxis axis, KyAxisEdit edit, int value);
    // Whether there is a selection and a scene to work on.
    bool canEdit() const;
    void SaveButtonClick();
    void ChooseButtonClick();
    void refresh();
    void showRecords(const KyPanTiltGen& records);

    KyFunctionModel model_;
    KyGenList& genList_;
    std::string genListPath_;
    QTimer* updateTimer_;
    QPushButton* save_ = nullptr;
    QPushButton* choose_ = nullptr;
    std::array<QToolButton*, 2> masterDirection_{};
    std::array<TPTrackBar*, 3> modifierBars_{};
    std::array<QLabel*, 3> modifierLabels_{};
    std::array<AxisControls, 2> axes_{};
    // What the controls show: the reference head's records, or while there are none the
    // last ones shown (the controls' start values are a default record's), so that a
    // control used while nothing can be edited does not keep a state that was not applied.
    KyPanTiltGen shown_;
};
