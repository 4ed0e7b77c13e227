#pragma once
// The library window: creates, copies, edits, erases, imports and exports device types.
// Every change goes through the device editor on a working copy; this window puts the copy
// into the library, under the show lock, when the editor closes with "OK".

#include "library/Library.h"

#include <QDialog>

#include <memory>
#include <mutex>

class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class TPEditHistory;
class TPStringGrid;

class TLibraryForm : public QDialog {
    Q_OBJECT
public:
    TLibraryForm(KyLibrary& library, std::mutex& showLock, QWidget* owner);
    // Adding, copying, editing and erasing types become steps of `history`, which the window's
    // two buttons take back and make again.
    void setHistory(TPEditHistory* history);

    TPStringGrid* deviceGrid() const { return deviceGrid_; }
    QPlainTextEdit* description() const { return description_; }
    QPushButton* newButton() const { return newButton_; }
    QPushButton* newFromButton() const { return newFromButton_; }
    QPushButton* propertiesButton() const { return propertiesButton_; }
    QPushButton* eraseButton() const { return eraseButton_; }
    QPushButton* importButton() const { return importButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    QPushButton* fixtureImportButton() const { return fixtureImportButton_; }
    QPushButton* closeButton() const { return closeButton_; }

private:
    void refresh();
    void showDescription();
    // The type of the grid's current row; none for an empty library.
    std::shared_ptr<KyDevice> currentType() const;
    // Opens the editor on the copy and adds it as a new type on "OK".
    void addEdited(KyDevice working);
    void commit(const QString& what);

    void NewButtonClick();
    void NewFromButtonClick();
    void PropertiesButtonClick();
    void EraseButtonClick();
    void ImportButtonClick();
    void ExportButtonClick();
    void FixtureImportButtonClick();

    KyLibrary& library_;
    std::mutex& showLock_;
    TPEditHistory* history_ = nullptr;
    QVBoxLayout* buttonColumn_;
    TPStringGrid* deviceGrid_;
    QPlainTextEdit* description_;
    QPushButton* newButton_;
    QPushButton* newFromButton_;
    QPushButton* propertiesButton_;
    QPushButton* eraseButton_;
    QPushButton* importButton_;
    QPushButton* exportButton_;
    QPushButton* fixtureImportButton_;
    QPushButton* closeButton_;
};
