#include "app/Desk.h"

#include "common/PToolDock.h"

#include <QGuiApplication>
#include <QLayout>
#include <QStyle>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {

const QString kLayoutKey = QStringLiteral("desk/layout");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

Qt::Orientation lineOf(Qt::DockWidgetArea area)
{
    return area == Qt::BottomDockWidgetArea || area == Qt::TopDockWidgetArea ? Qt::Horizontal : Qt::Vertical;
}

int along(const QSize& size, Qt::Orientation line)
{
    return line == Qt::Horizontal ? size.width() : size.height();
}

// The group a dock that finds no room joins: the one that grows least by it.
TPToolDock* largest(const std::vector<TPToolDock*>& groups, Qt::Orientation line)
{
    return *std::max_element(groups.begin(), groups.end(), [line](const TPToolDock* a, const TPToolDock* b) {
        return along(a->wantedSize(), line) < along(b->wantedSize(), line);
    });
}

} // namespace

bool wholeOnAScreen(const QRect& frame)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(frame))
            return true;
    return false;
}

TDesk::TDesk(QMainWindow& main) : QObject(&main), main_(main)
{
    // The side columns run from the toolbars down to the status bar; the bottom docks stay
    // under the pages.
    main_.setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    main_.setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    main_.setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks | QMainWindow::AllowNestedDocks);
    bare_ = main_.saveState();
}

TPToolDock* TDesk::add(QWidget* window, const QString& name, Qt::DockWidgetArea home)
{
    auto* dock = new TPToolDock(window, name, home, [this](TPToolDock& d) { place(d); }, &main_);
    connect(dock, &TPToolDock::windowResized, this, [this](TPToolDock* d) { fitToWindow(*d); });
    docks_.push_back(dock);
    return dock;
}

void TDesk::restoreSaved()
{
    main_.restoreState(userSettings().value(kLayoutKey).toByteArray());
}

void TDesk::save() const
{
    userSettings().setValue(kLayoutKey, main_.saveState());
}

void TDesk::restoreDefault()
{
    std::vector<TPToolDock*> open;
    for (TPToolDock* dock : docks_) {
        if (!dock->window()->isHidden())
            open.push_back(dock);
        if (placed(*dock))
            main_.removeDockWidget(dock);
    }
    lastPlaced_.clear();
    main_.restoreState(bare_); // forgets the places of docks not made in this run as well
    for (TPToolDock* dock : open) {
        placeAtHome(*dock);
        dock->show();
    }
}

bool TDesk::placed(const TPToolDock& dock) const
{
    return dock.isFloating() || main_.dockWidgetArea(const_cast<TPToolDock*>(&dock)) != Qt::NoDockWidgetArea;
}

void TDesk::place(TPToolDock& dock)
{
    if (placed(dock))
        return;
    if (main_.restoreDockWidget(&dock)) {
        if (!dock.isFloating() || wholeOnAScreen(dock.frameGeometry()))
            return;
        main_.removeDockWidget(&dock);
        dock.setFloating(false);
    }
    placeAtHome(dock);
}

// Under the dock placed last in the area, while it is open. The window lays itself out once
// it is on screen: whether it fits there is judged then, by the size it asks for.
void TDesk::placeAtHome(TPToolDock& dock)
{
    const Qt::DockWidgetArea area = dock.home();
    TPToolDock* last = lastPlaced_[area];
    if (last && last != &dock && last->isVisible() && main_.dockWidgetArea(last) == area && !last->isFloating() &&
        main_.tabifiedDockWidgets(last).isEmpty())
        main_.splitDockWidget(last, &dock, lineOf(area));
    else
        main_.addDockWidget(area, &dock, lineOf(area));
    lastPlaced_[area] = &dock;
    QTimer::singleShot(0, &dock, [this, &dock] { settleAtHome(dock); });
}

// A dock that overfills its line starts a line of its own beside it while the pages keep a
// half of the window, and joins the largest tab group of its line otherwise.
void TDesk::settleAtHome(TPToolDock& dock)
{
    const Qt::DockWidgetArea area = dock.home();
    if (!dock.isVisible() || dock.isFloating() || main_.dockWidgetArea(&dock) != area)
        return;
    main_.layout()->activate();
    const Qt::Orientation line = lineOf(area);
    const Qt::Orientation across = line == Qt::Vertical ? Qt::Horizontal : Qt::Vertical;
    const std::vector<TPToolDock*> others = sameLine(dock);
    int taken = along(dock.wantedSize(), line);
    for (const TPToolDock* other : others)
        taken += along(other->wantedSize(), line) + main_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    if (!others.empty() && taken > roomAlong(area)) {
        // The line keeps the breadth of its broadest other dock; the new one takes the dock's.
        int lineBreadth = 0;
        for (const TPToolDock* other : others)
            lineBreadth = std::max(lineBreadth, along(other->wantedSize(), across));
        const int pagesLeft = along(main_.centralWidget()->size(), across) + along(dock.size(), across) - lineBreadth -
                              along(dock.wantedSize(), across);
        if (2 * pagesLeft >= along(main_.size(), across)) {
            main_.addDockWidget(area, &dock, across);
        } else {
            main_.tabifyDockWidget(largest(others, line), &dock);
            dock.raise();
        }
    }
    fitToWindow(dock);
}

// A dock takes the size its window asks for where the area has room; a floating one keeps
// clear of the screen's edges.
void TDesk::fitToWindow(TPToolDock& dock)
{
    const QSize wanted = dock.wantedSize();
    if (dock.isFloating()) {
        const QRect screen = dock.screen()->availableGeometry();
        QRect frame(dock.pos(), wanted.boundedTo(screen.size()));
        frame.moveTo(qBound(screen.left(), frame.left(), screen.right() - frame.width() + 1),
                     qBound(screen.top(), frame.top(), screen.bottom() - frame.height() + 1));
        dock.setGeometry(frame);
        return;
    }
    main_.resizeDocks({&dock}, {wanted.width()}, Qt::Horizontal);
    main_.resizeDocks({&dock}, {wanted.height()}, Qt::Vertical);
}

int TDesk::roomAlong(Qt::DockWidgetArea area) const
{
    if (lineOf(area) == Qt::Horizontal)
        return main_.centralWidget()->width();
    int height = main_.height() - main_.menuBar()->sizeHint().height() - main_.statusBar()->sizeHint().height();
    for (const QToolBar* toolbar : main_.findChildren<QToolBar*>())
        if (main_.toolBarArea(const_cast<QToolBar*>(toolbar)) == Qt::TopToolBarArea)
            height -= toolbar->sizeHint().height();
    return height;
}

// The open docks that share the dock's line: a column of a side, a row of the bottom; a tab
// group counts once, by the dock it shows.
std::vector<TPToolDock*> TDesk::sameLine(const TPToolDock& dock) const
{
    const bool column = lineOf(dock.home()) == Qt::Vertical;
    const QRect mine = dock.geometry();
    std::vector<TPToolDock*> line;
    for (TPToolDock* other : docks_) {
        const QRect theirs = other->geometry();
        const bool shared = column ? theirs.left() < mine.right() && mine.left() < theirs.right()
                                   : theirs.top() < mine.bottom() && mine.top() < theirs.bottom();
        if (other != &dock && other->isVisible() && !other->isFloating() && main_.dockWidgetArea(other) == dock.home() &&
            shared)
            line.push_back(other);
    }
    return line;
}
