#pragma once
// Wheel windows: the Color window on the colour wheel, and the Gobo and Effect windows, each
// with a tab per wheel that shows only while its wheel is active. They act on the devices of
// the reference device's type.

#include "functions/Ffunction.h"

#include <vector>

class QTabWidget;
class TPWheelPanel;

class TWheelForm : public TFunctionForm {
    Q_OBJECT
public:
    struct Wheel {
        const char* tab;
        KyGobo KyDevice::*member;
    };

    // One wheel stands alone; two share the window as tabs.
    TWheelForm(const KyFunctionModel& model, KyFunction function, const char* caption, std::vector<Wheel> wheels,
               QWidget* parent = nullptr);

    TPWheelPanel* panel(std::size_t i) const { return panels_[i]; }
    QTabWidget* tabs() const { return tabs_; }

protected:
    void configure(const KyClubDevice& reference) override;
    void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference) override;

private:
    std::vector<Wheel> wheels_;
    std::vector<TPWheelPanel*> panels_;
    QTabWidget* tabs_ = nullptr;
};

class TColorForm : public TWheelForm {
    Q_OBJECT
public:
    explicit TColorForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};

class TGoboForm : public TWheelForm {
    Q_OBJECT
public:
    explicit TGoboForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};

class TEffectForm : public TWheelForm {
    Q_OBJECT
public:
    explicit TEffectForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};
