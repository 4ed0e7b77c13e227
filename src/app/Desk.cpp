#include "app/Desk.h"

#include "common/PToolDock.h"

#include <QGuiApplication>
#include <QStyle>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
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

void TDesk::placeAtHome(TPToolDock& dock)
{
    const Qt::DockWidgetArea area = dock.home();
    const Qt::Orientation line = lineOf(area);
    const std::vector<TPToolDock*> groups = openGroups(area);
    int taken = along(dock.wantedSize(), line);
    for (const TPToolDock* group : groups)
        taken += along(group->wantedSize(), line) + main_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    if (groups.empty() || taken <= roomAlong(area))
        main_.addDockWidget(area, &dock, line);
    else
        main_.tabifyDockWidget(largest(groups, line), &dock);
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

std::vector<TPToolDock*> TDesk::openGroups(Qt::DockWidgetArea area) const
{
    std::vector<TPToolDock*> groups;
    for (TPToolDock* dock : docks_)
        if (dock->isVisible() && !dock->isFloating() && main_.dockWidgetArea(dock) == area)
            groups.push_back(dock); // a tab group shows one of its docks
    return groups;
}
