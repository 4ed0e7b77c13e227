#pragma once
// The windows' side of undo: a change of the show on Qt's undo stack, the stacks' limit, the
// editors' two buttons, and the group that follows the window the operator works in.

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
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
// target gone is dropped from the stack. `shown`, when given, runs after each undo and redo,
// without the lock, to show what changed.
void pushChange(QUndoStack& stack, std::mutex& showLock, const QString& what, std::unique_ptr<KyChange> change,
                std::function<void()> shown = {});

// The editor's "Cofnij" and "Ponów" buttons, their hints naming what they would do.
void addUndoButtons(QUndoStack& stack, QBoxLayout* row, QWidget* parent);

} // namespace vt

// The undo stack of a model that windows edit in place (the library's types, the
// installation): an edit is what changed since the last step.
class TPEditHistory : public QObject {
    Q_OBJECT
public:
    // Both are called under the show lock.
    struct Model {
        std::function<void()> mark;
        std::function<std::unique_ptr<KyChange>()> changeSinceMark;
    };
    TPEditHistory(std::mutex& showLock, Model model, QObject* parent);

    QUndoStack* stack() const { return stack_; }
    // What changed since the last step becomes one, named `what`; nothing is put when
    // nothing changed.
    void commit(const QString& what);
    // A change the caller made and took itself, under the lock.
    void push(const QString& what, std::unique_ptr<KyChange> change);
    // The two buttons in a row of their own above the last item of a window's button column;
    // `refresh` shows the model again after an undo or redo.
    void addButtons(QBoxLayout* column, QWidget* window, std::function<void()> refresh);

signals:
    // After an undo or a redo, for the windows that show the model.
    void changed();

private:
    void mark();

    std::mutex& showLock_;
    Model model_;
    QUndoStack* stack_;
};

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
