#pragma once
// The list of what the show has stored under names (sequences, cues): a numbered grid with
// "Zmień nazwę" and "Usuń" under it, and the questions and warnings that go with it.

#include <QWidget>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QHBoxLayout;
class QPushButton;
class TPStringGrid;

class TPStoredList : public QWidget {
    Q_OBJECT
public:
    TPStoredList(const QString& header, QWidget* parent);

    TPStringGrid* grid() const { return grid_; }
    QPushButton* renameButton() const { return rename_; }
    QPushButton* eraseButton() const { return erase_; }
    // The row under the grid, for buttons of the owner's own.
    QHBoxLayout* buttonRow() const { return buttons_; }

    // One numbered row per cp1250 name, without signals; an empty list shows one empty row.
    void showNames(const std::vector<std::string>& names);
    // The current row, when it is one of the `stored` items.
    std::optional<std::size_t> currentItem(std::size_t stored) const;

signals:
    // The current row moved to another row.
    void rowChosen(int row);
    // A click on a row, current or not.
    void rowClicked(int row);
    void renameClicked();
    void eraseClicked();

private:
    TPStringGrid* grid_;
    QPushButton* rename_;
    QPushButton* erase_;
    QHBoxLayout* buttons_;
};

// Shows why a stored list could not be written; nothing when `failure` is empty.
void reportSaveFailure(QWidget* owner, const std::string& failure);
// Asks `question` with "OK" and "Anuluj", "Anuluj" the default.
bool confirmErase(QWidget* owner, const QString& question);
