#pragma once
// A grid of texts under a header row, with an edit mode in which the current cell is typed
// into in place, and cells that show a check box centred in them.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

#include <functional>
#include <optional>
#include <vector>

class TPStringGrid : public QTableWidget {
    Q_OBJECT
public:
    // How an edited text came to be committed.
    enum class Commit { Enter, Move, Leave };

    struct EditRules {
        // Enter commits and stays in edit mode (otherwise edit mode ends).
        bool enterKeepsEditing = false;
        // Selecting another cell in edit mode commits but keeps the current cell, even when
        // the text was taken; a refused text always keeps it.
        bool moveKeepsCell = false;
    };

    explicit TPStringGrid(const QStringList& headers, QWidget* parent = nullptr);
    ~TPStringGrid() override;

    void setEditRules(EditRules rules) { rules_ = rules; }
    // Cells of such a column can be neither selected nor made current.
    void setColumnSelectable(int column, bool selectable);
    void setColumnMaxLength(int column, int length);
    // Whether a cell may be edited now; no cell is without it.
    void setCanEdit(std::function<bool(int row, int column)> canEdit) { canEdit_ = std::move(canEdit); }
    // Stores an edited text: false when it was refused. Called after edit mode ended, except
    // for Enter under `enterKeepsEditing`.
    void setCommit(std::function<bool(int row, int column, const QString& text, Commit reason)> commit)
    {
        commit_ = std::move(commit);
    }

    // Data rows below the header, at least one; the current row is kept when it still exists.
    void setDataRowCount(int rows);
    void setText(int row, int column, const QString& text);
    QString text(int row, int column) const;
    // Shows a check box in the cell, ticked or not; nothing draws none.
    void setCheck(int row, int column, std::optional<bool> checked);
    // Whether a point of the viewport lies inside the cell's check box.
    bool checkBoxContains(int row, int column, const QPoint& point) const;
    QRect checkBoxRect(int row, int column) const;

    bool editing() const { return editor_ != nullptr; }
    QLineEdit* editor() const { return editor_; }
    void enterEditMode();
    // Commits what is being typed as if the grid had been left.
    void finishEditing();

signals:
    // A left click inside a cell's check box.
    void checkClicked(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editable(const QModelIndex& index) const;
    bool commitEdit(Commit reason);
    void endEditMode();
    // Commits before the current cell moves to `target`; false when it must stay.
    bool leaveCellFor(const QModelIndex& target);
    void moveEditingTo(QAbstractItemView::CursorAction action);
    void focusMoved(QWidget* old, QWidget* now);

    EditRules rules_;
    std::vector<bool> selectable_;
    std::vector<int> maxLength_;
    std::function<bool(int, int)> canEdit_;
    std::function<bool(int, int, const QString&, Commit)> commit_;
    QMetaObject::Connection focusWatch_;
    // Guarded: a commit may open a message box, and the editor may be gone after it.
    QPointer<QLineEdit> editor_;
    int editRow_ = -1;
    int editColumn_ = -1;
};

// Captions over groups of a grid's columns ("Adres" over Start and End), kept over their
// columns as the columns change width or the grid scrolls. Place it right above the grid.
class TPColumnCaptions : public QWidget {
    Q_OBJECT
public:
    struct Span {
        int first;
        int last;
        QString caption;
    };

    TPColumnCaptions(QTableView* grid, const std::vector<Span>& spans, QWidget* parent = nullptr);

    // The caption's label, to see where it stands.
    QLabel* label(int span) const { return labels_[static_cast<std::size_t>(span)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeCaptions();

    QTableView* grid_;
    std::vector<Span> spans_;
    std::vector<QLabel*> labels_;
};
