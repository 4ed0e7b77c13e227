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
    for (QMenu* menu : mainWindow.menuBar()->findChildren<QMenu*>())
        if (menu->title() == QStringLiteral("System")) {
            const QList<QAction*> items = menu->actions();
            auto separator = std::find_if(items.rbegin(), items.rend(), [](QAction* a) { return a->isSeparator(); });
            menu->insertAction(separator == items.rend() ? nullptr : *separator, action);
        }
}

} // namespace vt
