#pragma once
// The pickers of the direct-access window: modal lists of the stored sequences or cues,
// numbered from 1, from which "Załaduj" or a double click takes one.

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class KySeque;
class QPushButton;
class TPStringGrid;

class TPickListForm : public QDialog {
    Q_OBJECT
public:
    // Which choices the picker remembers for the next time it opens.
    enum class Remember { DoubleClickOnly, EveryChoice };

    // `names` (cp1250) in the store's order. `rememberedRow` is the list index preselected and
    // scrolled to the top (the first item when it is beyond the list); choices update it by
    // `remember`.
    TPickListForm(const QString& caption, const QString& header, const std::vector<std::string>& names,
                  int& rememberedRow, Remember remember, QWidget* owner);

    // The chosen item's index once the dialog closed with a choice.
    std::optional<int> chosen() const { return chosen_; }

    TPStringGrid* itemGrid() const { return itemGrid_; }
    QPushButton* loadButton() const { return loadButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void choose(int row, bool byDoubleClick);

    int itemCount_;
    int& rememberedRow_;
    Remember remember_;
    std::optional<int> chosen_;
    TPStringGrid* itemGrid_;
    QPushButton* loadButton_;
    QPushButton* cancelButton_;
};

class TSeqListForm : public TPickListForm {
    Q_OBJECT
public:
    TSeqListForm(const KySeque& store, int& rememberedRow, QWidget* owner);
};

class TCueListForm : public TPickListForm {
    Q_OBJECT
public:
    TCueListForm(const KySeque& store, int& rememberedRow, QWidget* owner);
};
