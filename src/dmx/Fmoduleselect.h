#pragma once
// The window that lets the operator pick one of several DMX modules found at start-up, and the
// operator side of module discovery.

#include "dmx/Usb.h"

#include <QDialog>

class QComboBox;
class QPushButton;

class TModuleForm : public QDialog {
    Q_OBJECT
public:
    // `names` are cp1250, in the order of the module table.
    explicit TModuleForm(const std::vector<std::string>& names, QWidget* parent = nullptr);

    // The list's index when "OK" was pressed; -1 when no entry was current.
    int selectedModule() const { return selectedModule_; }
    QComboBox* moduleList() const { return moduleList_; }
    QPushButton* okButton() const { return okButton_; }

    // "OK" is the only way out: Escape and the window manager's close are ignored.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OkButtonClick();

    QComboBox* moduleList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    int selectedModule_ = -1;
};

// Discovery's questions as message boxes and the selection window.
class TModuleChooser : public KyModuleChooser {
public:
    explicit TModuleChooser(QWidget* parent = nullptr) : parent_(parent) {}
    void noModule() override;
    void noAccess(const std::string& portPath) override;
    int choose(const std::vector<std::string>& names) override;

private:
    QWidget* parent_;
};
