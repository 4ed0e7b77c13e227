#include "common/PToolWindow.h"

#include <QFontMetrics>
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

} // namespace vt
