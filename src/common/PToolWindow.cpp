#include "common/PToolWindow.h"

#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QWidget>

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

} // namespace vt
