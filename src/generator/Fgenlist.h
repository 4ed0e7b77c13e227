#pragma once
// The generator list window ("Lista gen."): the saved figures, numbered from 1, to choose
// one from, rename, delete, import from and export to single-figure files.

#include "generator/GenList.h"

#include <QDialog>

#include <optional>
#include <string>

class QPushButton;
class TPStringGrid;

class TGenListForm : public QDialog {
    Q_OBJECT
public:
    // `listPath` is where the list is written after a deletion; empty: nowhere.
    TGenListForm(KyGenList& list, std::string listPath, QWidget* owner);

    // The chosen figure's index once the window closed with a choice.
    std::optional<int> chosen() const { return chosen_; }

    TPStringGrid* figureGrid() const { return grid_; }
    QPushButton* importButton() const { return import_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* renameButton() const { return rename_; }
    QPushButton* eraseButton() const { return erase_; }
    QPushButton* loadButton() const { return load_; }

private:
    void refill();
    // The selected figure's index, or nothing while the list is empty.
    std::optional<std::size_t> current() const;
    void LoadButtonClick();
    void EraseButtonClick();
    void RenameButtonClick();
    void ImportButtonClick();
    void ExportButtonClick();
    void warnUnsaved(const std::string& path, const std::string& reason);

    KyGenList& list_;
    std::string listPath_;
    std::optional<int> chosen_;
    TPStringGrid* grid_;
    QPushButton* import_;
    QPushButton* export_;
    QPushButton* rename_;
    QPushButton* erase_;
    QPushButton* load_;
};

// Opens the list window modally; the chosen figure's index.
std::optional<int> chooseFigure(KyGenList& list, const std::string& listPath, QWidget* owner);
