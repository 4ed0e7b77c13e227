#include "common/PShownTimer.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class ShownTimer : public QTimer {
public:
    ShownTimer(QWidget* window, int intervalMs) : QTimer(window)
    {
        setInterval(intervalMs);
        window->installEventFilter(this);
        if (window->isVisible())
            start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            start();
        else if (event->type() == QEvent::Hide)
            stop();
        return QTimer::eventFilter(watched, event);
    }
};

} // namespace

QTimer* timerWhileShown(QWidget* window, int intervalMs)
{
    return new ShownTimer(window, intervalMs);
}
