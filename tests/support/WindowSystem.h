#pragma once
// Show and hide events as the window system sends them when it minimises or restores a
// window: marked spontaneous, a mark that QApplication::sendEvent would clear. The widget
// stays visible to the program meanwhile, as it does under a real window system.

#include <QApplication>
#include <QHideEvent>
#include <QShowEvent>
#include <QSpontaneKeyEvent>

inline void sendSpontaneously(QWidget* widget, QEvent&& event)
{
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(widget, &event);
}

inline void windowSystemHides(QWidget* widget)
{
    sendSpontaneously(widget, QHideEvent());
}

inline void windowSystemShows(QWidget* widget)
{
    sendSpontaneously(widget, QShowEvent());
}
