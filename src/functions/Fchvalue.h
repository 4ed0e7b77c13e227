#pragma once
// Windows whose buttons hold a channel/value list of the selected devices while pressed: the
// Reset window ("Reset") and the Lamp window ("ON" and "OFF"). Devices whose type lacks the
// button's list are skipped; letting go gives the channels back to the playback engines.

#include "functions/Ffunction.h"

#include <initializer_list>
#include <vector>

class QPushButton;

class TChValueForm : public TFunctionForm {
    Q_OBJECT
public:
    struct ListButton {
        const char* caption;
        KyChValue KyDevice::*list;
    };

    TChValueForm(const KyFunctionModel& model, KyFunction function, std::initializer_list<ListButton> buttons,
                 QWidget* parent = nullptr);

    QPushButton* button(std::size_t i) const { return buttons_[i]; }

protected:
    void configure(const KyClubDevice&) override {}

private:
    void hold(KyChValue KyDevice::*list, bool down);

    std::vector<QPushButton*> buttons_;
};

class TResetForm : public TChValueForm {
    Q_OBJECT
public:
    explicit TResetForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};

class TLampForm : public TChValueForm {
    Q_OBJECT
public:
    explicit TLampForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};
