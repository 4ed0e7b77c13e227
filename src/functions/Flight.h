#pragma once
// The Light window: the shutter's "ON" and "OFF", the intensity and the strobe with its
// "OFF", each group shown only when the reference device's type has the block. It acts on
// the devices of the reference device's type.

#include "functions/Ffunction.h"

class QGroupBox;
class QPushButton;
class KyDimmerControl;

class TLightForm : public TFunctionForm {
    Q_OBJECT
public:
    explicit TLightForm(const KyFunctionModel& model, QWidget* parent = nullptr);

    QGroupBox* shutterGroup() const { return shutterGroup_; }
    QGroupBox* intensityGroup() const { return intensityGroup_; }
    QGroupBox* strobeGroup() const { return strobeGroup_; }
    QPushButton* shutterOnButton() const { return shutterOn_; }
    QPushButton* shutterOffButton() const { return shutterOff_; }
    KyDimmerControl* intensity() const { return intensity_; }
    KyDimmerControl* strobe() const { return strobe_; }
    QPushButton* strobeOffButton() const { return strobeOff_; }

protected:
    void configure(const KyClubDevice& reference) override;
    void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference) override;

private:
    QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent);
    // Writes a fixed value of the reference device's type on a block's channel of every
    // device of that type.
    void writeFixed(KyBlockOf blockOf, std::uint8_t (*valueOf)(const KyDevice&));

    QGroupBox* shutterGroup_;
    QGroupBox* intensityGroup_;
    QGroupBox* strobeGroup_;
    QPushButton* shutterOn_;
    QPushButton* shutterOff_;
    KyDimmerControl* intensity_;
    KyDimmerControl* strobe_;
    QPushButton* strobeOff_;
};
