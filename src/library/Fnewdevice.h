#pragma once
// The install dialog: places a device type of the library at a DMX start address as an
// installed device, or changes the name, address and page of an installed one.

#include "library/Library.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TPStringGrid;

// The type row and the page of the last "OK". The installation window keeps one, resets it
// each time it opens, and hands it to every install dialog it opens; a new device starts on
// the remembered page.
struct TNewDeviceChoice {
    int typeRow = 0;
    int page = 0;
};

class TNewDeviceForm : public QDialog {
    Q_OBJECT
public:
    // `device` is a new, empty device (type identifier 0) or a copy of an installed one; it
    // takes the dialog's values on "OK" only. `pageNames` are the main window's page
    // captions (cp1250), in page order.
    TNewDeviceForm(KyClubDevice& device, const KyLibrary& library, const std::vector<std::string>& pageNames,
                   TNewDeviceChoice& remembered, QWidget* owner);

    TPStringGrid* typeGrid() const { return typeGrid_; }
    QLabel* icon() const { return icon_; }
    QPlainTextEdit* description() const { return description_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QLineEdit* startEdit() const { return startEdit_; }
    QLineEdit* endEdit() const { return endEdit_; }
    QLabel* channelCount() const { return channelCount_; }
    QComboBox* pageList() const { return pageList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    // The type of the current row; none for a row without one.
    std::shared_ptr<KyDevice> chosenType() const;
    void fillTypes();
    void showType(const KyDevice& type);
    void TypeGridSelect(int row, int column, int previousRow);
    void StartEditChange();
    void OkButtonClick();

    KyClubDevice& device_;
    const KyLibrary& library_;
    TNewDeviceChoice& remembered_;
    TPStringGrid* typeGrid_;
    QLabel* icon_;
    QPlainTextEdit* description_;
    QLineEdit* nameEdit_;
    QLineEdit* startEdit_;
    QLineEdit* endEdit_;
    QLabel* channelCount_;
    QComboBox* pageList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
