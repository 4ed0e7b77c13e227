#include "common/PUndo.h"

#include "common/Change.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>
#include <QWidget>

namespace {

class TPChangeCommand : public QUndoCommand {
public:
    TPChangeCommand(const QString& what, std::unique_ptr<KyChange> change, std::mutex& showLock,
                    std::function<void()> shown)
        : QUndoCommand(what), change_(std::move(change)), showLock_(showLock), shown_(std::move(shown))
    {
    }
    void undo() override { run(&KyChange::undo); }
    void redo() override
    {
        // The edit was made before the change was pushed.
        if (std::exchange(pushed_, false))
            return;
        run(&KyChange::redo);
    }

private:
    void run(bool (KyChange::*step)())
    {
        {
            std::lock_guard lock(showLock_);
            if (!((*change_).*step)())
                setObsolete(true);
        }
        if (shown_)
            shown_();
    }

    std::unique_ptr<KyChange> change_;
    std::mutex& showLock_;
    std::function<void()> shown_;
    bool pushed_ = true;
};

QToolButton* undoButton(QAction* action, QStyle::StandardPixmap picture, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    action->setIcon(parent->style()->standardIcon(picture));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    return button;
}

} // namespace

namespace vt {

QUndoStack* newUndoStack(QObject* parent)
{
    auto* stack = new QUndoStack(parent);
    stack->setUndoLimit(kUndoLimit);
    return stack;
}

void pushChange(QUndoStack& stack, std::mutex& showLock, const QString& what, std::unique_ptr<KyChange> change,
                std::function<void()> shown)
{
    if (change)
        stack.push(new TPChangeCommand(what, std::move(change), showLock, std::move(shown)));
}

void addUndoButtons(QUndoStack& stack, QBoxLayout* row, QWidget* parent)
{
    auto* undo = stack.createUndoAction(parent, QCoreApplication::translate("Undo", "Cofnij"));
    auto* redo = stack.createRedoAction(parent, QCoreApplication::translate("Undo", "Ponów"));
    row->addWidget(undoButton(undo, QStyle::SP_ArrowBack, parent));
    row->addWidget(undoButton(redo, QStyle::SP_ArrowForward, parent));
}

} // namespace vt

TPUndoContexts::TPUndoContexts(QObject* parent) : QObject(parent), group_(new QUndoGroup(this))
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { followFocus(now); });
}

void TPUndoContexts::setDefault(QUndoStack* stack)
{
    group_->addStack(stack);
    default_ = stack;
    if (!group_->activeStack())
        group_->setActiveStack(stack);
}

void TPUndoContexts::add(QWidget* window, QUndoStack* stack)
{
    group_->addStack(stack);
    windows_.insert(window, stack);
    connect(window, &QObject::destroyed, this, [this, window] { windows_.remove(window); });
}

// An open menu takes the focus for a while; the menu "Edycja" itself must not change the stack.
void TPUndoContexts::followFocus(QWidget* now)
{
    if (!now || now->window()->windowType() == Qt::Popup || qobject_cast<QMenuBar*>(now))
        return;
    for (QWidget* w = now; w; w = w->parentWidget())
        if (QUndoStack* stack = windows_.value(w)) {
            group_->setActiveStack(stack);
            return;
        }
    if (default_)
        group_->setActiveStack(default_);
}

TPEditHistory::TPEditHistory(std::mutex& showLock, Model model, QObject* parent)
    : QObject(parent), showLock_(showLock), model_(std::move(model)), stack_(vt::newUndoStack(this))
{
    mark();
}

void TPEditHistory::mark()
{
    std::lock_guard lock(showLock_);
    model_.mark();
}

void TPEditHistory::commit(const QString& what)
{
    std::unique_ptr<KyChange> change;
    {
        std::lock_guard lock(showLock_);
        change = model_.changeSinceMark();
        model_.mark();
    }
    push(what, std::move(change));
}

void TPEditHistory::push(const QString& what, std::unique_ptr<KyChange> change)
{
    vt::pushChange(*stack_, showLock_, what, std::move(change), [this] {
        mark();
        emit changed();
    });
    mark();
}

void TPEditHistory::addButtons(QBoxLayout* column, QWidget* window, std::function<void()> refresh)
{
    auto* row = new QHBoxLayout;
    vt::addUndoButtons(*stack_, row, window);
    column->insertLayout(column->count() - 1, row);
    connect(this, &TPEditHistory::changed, window, std::move(refresh));
}
