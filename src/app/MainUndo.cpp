// Undo in the main window: the stacks of the library and the installation, the menu "Edycja"
// that undoes in the window the operator works in, and the icons dragged on the pages.

#include "app/Fmain.h"
#include "app/MainParts.h"
#include "club/PIconPages.h"
#include "common/ListChange.h"
#include "common/PUndo.h"
#include "library/LibraryChange.h"
#include "sequence/Fsequence.h"

#include <QEvent>
#include <QMenuBar>
#include <QTimer>
#include <QUndoGroup>

void TMainForm::createUndoMenu()
{
    undoContexts_ = new TPUndoContexts(this);
    QUndoGroup* group = undoContexts_->group();
    QAction* undo = group->createUndoAction(this, tr("Cofnij"));
    QAction* redo = group->createRedoAction(this, tr("Ponów"));
    undo->setObjectName(QStringLiteral("UndoAction"));
    redo->setObjectName(QStringLiteral("RedoAction"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo})
        action->setShortcutContext(Qt::ApplicationShortcut);
    QMenu* edit = new QMenu(tr("&Edycja"), this);
    edit->addActions({undo, redo});
    menuBar()->insertMenu(menuBar()->actions().value(1), edit);
    undoContexts_->add(windows_.sequence.get(), windows_.sequence->undoStack());
}

// Made once the show is loaded: what it loaded is where undoing stops.
void TMainForm::createEditHistories()
{
    using Devices = KyListChange<KyClubDevice>;
    auto types = std::make_shared<KyLibraryChange::Before>();
    libraryHistory_ = new TPEditHistory(
        show_.showLock(),
        {[this, types] { *types = KyLibraryChange::take(show_.library); },
         [this, types] { return KyLibraryChange::since(show_.library, *types); }},
        this);
    auto devices = std::make_shared<Devices::Snapshot>();
    KyLibrary& library = show_.library;
    auto typeKnown = [&library](const KyClubDevice& d) {
        return std::ranges::find(library.devices, d.deviceType) != library.devices.end();
    };
    installationHistory_ = new TPEditHistory(
        show_.showLock(),
        {[&library, devices] { *devices = Devices::take(library.club.clubDevices, true); },
         [&library, devices, typeKnown] { return Devices::since(library.club.clubDevices, *devices, typeKnown); }},
        this);
    // Undone on the pages, the icons are placed again from the installation.
    connect(installationHistory_, &TPEditHistory::changed, this, [this] {
        {
            std::lock_guard lock(show_.showLock());
            show_.library.club.sortByStartAddress();
            show_.rebuildIcons();
        }
        pageControl_->rebuildIcons();
    });
    undoContexts_->setDefault(installationHistory_->stack());
}

// An icon let go on a page is a step of the installation, taken once the drop was handled.
void TMainForm::commitIconMove(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::MouseButtonRelease || !installationHistory_ || !widget ||
        !pageControl_->isAncestorOf(widget))
        return;
    QTimer::singleShot(0, installationHistory_, [this] { installationHistory_->commit(tr("przesunięcie ikony")); });
}
