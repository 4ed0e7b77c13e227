#include "common/PToolWindow.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QWindow>

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

QMargins marginsOf(const QWidget* window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

bool frameKnown(const QWidget* window)
{
    return window->testAttribute(Qt::WA_WState_Created) && window->frameGeometry() != window->geometry();
}

} // namespace

namespace vt {

// Openbox keeps a minimise button on a utility window whatever its flags ask for, and
// minimising the window minimises the whole program with it; a toolbar window gets a close
// box alone. Qt's X11 plugin reads the extra type from the window's property whenever the
// flags change: the flags are changed and put back to have it read.
void askForCloseBoxAlone(QWidget* window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    constexpr int kToolbarType = 0x8;
    window->winId(); // made now, shown later
    QWindow* handle = window->windowHandle();
    handle->setProperty("_q_xcb_wm_window_type", kToolbarType);
    handle->setFlags(window->windowFlags() | Qt::WindowStaysOnTopHint);
    handle->setFlags(window->windowFlags());
}

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

TPToolWindowPlace::~TPToolWindowPlace()
{
    writeUnsaved();
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
            unsaved_ = QRect(window_->pos(), window_->size());
        return false;
    case QEvent::Hide:
        if (!event->spontaneous())
            writeUnsaved();
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
    moveFrameTo({place.x, place.y});
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
    moveFrameTo(saved.topLeft());
    return true;
}

// A window that has its native window but was never on screen knows nothing of its frame
// yet and would take the point for its inside.
void TPToolWindowPlace::moveFrameTo(const QPoint& at) const
{
    if (window_->testAttribute(Qt::WA_WState_Created) && !frameKnown(window_)) {
        const QMargins frame = frameMargins();
        window_->move(at + QPoint(frame.left(), frame.top()));
    } else {
        window_->move(at);
    }
}

void TPToolWindowPlace::writeUnsaved()
{
    if (unsaved_)
        userSettings().setValue(key_, *unsaved_);
    unsaved_.reset();
}

bool TPToolWindowPlace::resizable() const
{
    return window_->minimumSize() != window_->maximumSize();
}

QMargins TPToolWindowPlace::frameMargins() const
{
    if (frameKnown(window_))
        return marginsOf(window_);
    // The tool windows share one kind of frame: one that is on screen tells it.
    for (const QWidget* other : siblingWindows())
        if (other->isVisible() && frameKnown(other))
            return marginsOf(other);
    // A maximized main window may have dropped the outer border line that tool windows keep.
    const QWidget* owner = window_->parentWidget() ? window_->parentWidget()->window() : nullptr;
    return owner ? marginsOf(owner) + QMargins(1, 1, 1, 1) : QMargins();
}

QList<QWidget*> TPToolWindowPlace::siblingWindows() const
{
    QList<QWidget*> windows;
    if (window_->parentWidget())
        for (QWidget* other : window_->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != window_ && other->isWindow())
                windows << other;
    return windows;
}

std::vector<KyRect> TPToolWindowPlace::openFrames() const
{
    std::vector<KyRect> open;
    for (const QWidget* other : siblingWindows())
        if (other->isVisible())
            open.push_back(toKy(other->frameGeometry()));
    return open;
}
