#pragma once
// The windows' side of undo: a change of the show on Qt's undo stack, the stacks' limit, the
// editors' two buttons, and the group that follows the window the operator works in.

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <mutex>

class KyChange;
class QBoxLayout;
class QUndoGroup;
class QUndoStack;
class QWidget;

namespace vt {

inline constexpr int kUndoLimit = 200;

// A stack of at most kUndoLimit steps.
QUndoStack* newUndoStack(QObject* parent);

// Puts a change that was just made on the stack under the name of what it did; a null change
// (nothing changed) is not put. Undo and redo take the show lock; a change that finds its
// target gone is dropped from the stack.
void pushChange(QUndoStack& stack, std::mutex& showLock, const QString& what, std::unique_ptr<KyChange> change);

// The editor's "Cofnij" and "Ponów" buttons, their hints naming what they would do.
void addUndoButtons(QUndoStack& stack, QBoxLayout* row, QWidget* parent);

} // namespace vt

// The stacks of the windows, one of which is active: that of the window last focused, else
// the default one.
class TPUndoContexts : public QObject {
    Q_OBJECT
public:
    explicit TPUndoContexts(QObject* parent = nullptr);
    QUndoGroup* group() const { return group_; }
    // The stack used while no window of another stack holds the focus.
    void setDefault(QUndoStack* stack);
    // Focus inside `window` makes `stack` the active one.
    void add(QWidget* window, QUndoStack* stack);

private:
    void followFocus(QWidget* now);

    QUndoGroup* group_;
    QUndoStack* default_ = nullptr;
    QHash<QWidget*, QUndoStack*> windows_;
};
