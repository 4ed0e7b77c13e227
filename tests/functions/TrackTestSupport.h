#pragma once
// Synthetic pointer input for the track controls, and a record of where they warp the
// pointer (the offscreen platform has no pointer to move).

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

#include <vector>

inline void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton)
{
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget* w, QPoint at) { sendMouse(w, QEvent::MouseButtonPress, at); }
inline void drag(QWidget* w, QPoint to) { sendMouse(w, QEvent::MouseMove, to); }
inline void release(QWidget* w, QPoint at) { sendMouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton); }

// A control that records its pointer warps instead of moving a pointer.
template <class Control>
class Warped : public Control {
public:
    std::vector<QPoint> warps;

protected:
    void warpPointer(const QPoint& local) override { warps.push_back(local); }
};
