#include "common/PToolWindow.h"

#include <QAction>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace vt {

int titleBarWidth(const QWidget* window)
{
    QFont bold = window->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // The window's icon, its close box and the frame's padding.
    return metrics.horizontalAdvance(window->windowTitle()) + 5 * metrics.height();
}

void sizeToContents(QWidget* window)
{
    const QWidget* owner = window->parentWidget() ? window->parentWidget() : window;
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize room = owner->screen()->availableGeometry().size() - QSize(2 * titleBar, 3 * titleBar);
    window->resize(window->sizeHint().boundedTo(room));
}

void addToSystemMenu(QMainWindow& mainWindow, QWidget* window, const QString& objectName)
{
    auto* action = new QAction(window->windowTitle(), &mainWindow);
    action->setObjectName(objectName);
    QObject::connect(action, &QAction::triggered, window, [window] {
        window->show();
        window->raise();
    });
    const QList<QAction*> menus = mainWindow.menuBar()->actions();
    QMenu* system = menus.isEmpty() ? nullptr : menus.constFirst()->menu();
    if (!system)
        return;
    const QList<QAction*> items = system->actions();
    auto end = std::find_if(items.begin(), items.end(),
                            [](QAction* a) { return a->objectName() == QLatin1String(kConnectionsEnd); });
    system->insertAction(end == items.end() ? nullptr : *end, action);
}

} // namespace vt
