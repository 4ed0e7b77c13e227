#pragma once
// What the ten function windows share: they act on the selected devices, show themselves
// while the operator wants them and the reference device's type has their function, take
// the reference device's name and type as their title, and read the universe back every
// 50 ms while shown. All of them are tool windows that stay on top of the main window.

#include "functions/Functions.h"
#include "functions/ReadBack.h"
#include "functions/Targets.h"

#include <QWidget>

#include <memory>

class QTimer;

class TFunctionForm : public QWidget {
    Q_OBJECT
public:
    TFunctionForm(const KyFunctionModel& model, KyFunction function, QWidget* parent = nullptr);

    KyFunction function() const { return function_; }
    // The operator wants the window: set by showing it, cleared by closing it.
    bool userOpened() const { return userOpened_; }
    // On screen exactly while the operator wants the window and the reference device's type
    // has the function; a new reference device reconfigures it.
    void reevaluateVisibility();

protected:
    // Binds the controls to the reference device's type and lays them out.
    virtual void configure(const KyClubDevice& reference) = 0;
    // Shows the reference device's values; called while shown, from the update timer and
    // after each write.
    virtual void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference);
    // Copies, under the show lock, whatever else of the show a window reads back.
    virtual void copyUnderLock(const KyClubDevice& reference);

    // Reads back now.
    void refresh();
    // The 50 ms update timer, which runs while the window is shown.
    void useUpdateTimer();

    // The reference device while it has the window's function, else null.
    std::shared_ptr<KyClubDevice> reference() const;
    KyDevices sameTypeSelection() const { return model_.icons.sameTypeSelection(); }
    KyDevices selectionWith(bool (*has)(const KyDevice&)) const { return ::selectionWith(model_.icons, has); }
    const KyFunctionModel& model() const { return model_; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void configureFor(const KyClubDevice& reference);
    void fitControlsAndTitle();

    KyFunctionModel model_;
    KyFunction function_;
    bool userOpened_ = false;
    std::weak_ptr<KyClubDevice> lastReference_;
    QTimer* updateTimer_ = nullptr;
};

// "Front left -> Scanner": the device's name and its type's name.
QString functionWindowTitle(const KyClubDevice& device);
