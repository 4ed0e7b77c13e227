#pragma once
// The colour mixer window ("Mixer kolorów"): the three components as dimmer controls, a
// swatch of the reference device's colour and a colour dialog. It acts on every selected
// device with a colour mixer; a device in the other mode (RGB or CMY) than the reference
// device receives complements.

#include "functions/Ffunction.h"

#include <array>

class KyDimmerControl;
class QLabel;
class QPushButton;

class TMixerColorForm : public TFunctionForm {
    Q_OBJECT
public:
    explicit TMixerColorForm(const KyFunctionModel& model, QWidget* parent = nullptr);

    KyDimmerControl* component(std::size_t i) const { return components_[i]; }
    QLabel* swatch() const { return swatch_; }
    QPushButton* colourButton() const { return colourButton_; }

protected:
    void configure(const KyClubDevice& reference) override;
    void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference) override;

private:
    void applyBars();
    void releaseComponent(std::size_t i);
    void pickColour();

    std::array<KyDimmerControl*, 3> components_{};
    QLabel* swatch_;
    QPushButton* colourButton_;
};
