#include "common/PToolWindow.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

KyRect toKy(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

std::vector<KyRect> availableScreens()
{
    std::vector<KyRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(toKy(screen->availableGeometry()));
    return screens;
}

} // namespace

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

void TPToolWindowPlace::keep(QWidget* window, const QString& key, KyWindowSpot spot, Desk desk)
{
    window->installEventFilter(new TPToolWindowPlace(window, key, spot, std::move(desk)));
}

TPToolWindowPlace::TPToolWindowPlace(QWidget* window, const QString& key, KyWindowSpot spot, Desk desk)
    : QObject(window), window_(window), key_(QStringLiteral("windows/") + key), spot_(spot), desk_(std::move(desk))
{
}

bool TPToolWindowPlace::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_ || placing_)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        if (event->spontaneous())
            return false;
        // The window lays itself out in its own show handler: it is placed after that, with
        // its final size, before it reaches the screen.
        placing_ = true;
        QCoreApplication::sendEvent(window_, event);
        place();
        placing_ = false;
        return true;
    case QEvent::Move:
    case QEvent::Resize:
        if (window_->isVisible())
            remember();
        return false;
    default:
        return false;
    }
}

void TPToolWindowPlace::place()
{
    if (restore())
        return;
    const QMargins frame = frameMargins();
    const QRect desk = desk_();
    QSize size = window_->size();
    if (resizable())
        size = size.boundedTo(desk.size().shrunkBy(frame)).expandedTo(window_->minimumSize());
    const QSize outer = size.grownBy(frame);
    const KyRect place = defaultWindowPlace(spot_, outer.width(), outer.height(), toKy(desk), openFrames());
    window_->resize(size);
    window_->move(place.x, place.y);
}

bool TPToolWindowPlace::restore()
{
    const QRect saved = userSettings().value(key_).toRect();
    if (!saved.isValid())
        return false;
    const QSize size = resizable() ? saved.size().expandedTo(window_->minimumSize()) : window_->size();
    if (!reachableOnScreens(toKy(QRect(saved.topLeft(), size.grownBy(frameMargins()))), availableScreens()))
        return false;
    window_->resize(size);
    window_->move(saved.topLeft());
    return true;
}

void TPToolWindowPlace::remember() const
{
    userSettings().setValue(key_, QRect(window_->pos(), window_->size()));
}

bool TPToolWindowPlace::resizable() const
{
    return window_->minimumSize() != window_->maximumSize();
}

QMargins TPToolWindowPlace::frameMargins() const
{
    auto marginsOf = [](const QWidget* w) {
        const QRect outer = w->frameGeometry();
        const QRect inner = w->geometry();
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    };
    if (window_->testAttribute(Qt::WA_WState_Created) && window_->frameGeometry() != window_->geometry())
        return marginsOf(window_);
    const QWidget* owner = window_->parentWidget() ? window_->parentWidget()->window() : nullptr;
    return owner ? marginsOf(owner) : QMargins();
}

std::vector<KyRect> TPToolWindowPlace::openFrames() const
{
    std::vector<KyRect> open;
    if (!window_->parentWidget())
        return open;
    for (const QWidget* other : window_->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != window_ && other->isWindow() && other->isVisible())
            open.push_back(toKy(other->frameGeometry()));
    return open;
}
