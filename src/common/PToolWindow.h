#pragma once
// What the tool windows share on screen: their decorations and a place that they keep.

#include "common/WindowPlace.h"

#include <QList>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace vt {

// A tool window of the main window with a close box alone: no button that could minimise
// the program or blow the window up over the desk.
constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Asks the window manager, where it reads window types, for a frame with a close box alone
// (or none, when the window's flags leave it out) even where it ignores the flags' wish.
void askForCloseBoxAlone(QWidget* window);

// The width at which the window manager shows the window's whole title beside its buttons,
// judged by the window's font in bold.
int titleBarWidth(const QWidget* window);

} // namespace vt

// Keeps a tool window's place. The first time it is shown, the window goes to its spot on
// the desk (the screen area that `desk` gives, in global coordinates, clear of the main
// window's bars and tabs); afterwards it comes back where the operator left it, at the size
// they gave a resizable window, across hiding and showing and across runs. The place is kept
// in the user's settings under "windows/<key>"; one that no screen shows any more counts as
// none.
class TPToolWindowPlace : public QObject {
public:
    using Desk = std::function<QRect()>;

    // The keeper lives as long as the window.
    static void keep(QWidget* window, const QString& key, KyWindowSpot spot, Desk desk);
    ~TPToolWindowPlace() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TPToolWindowPlace(QWidget* window, const QString& key, KyWindowSpot spot, Desk desk);

    void place();
    // The saved place, when the window may go back there.
    bool restore();
    void moveFrameTo(const QPoint& at) const;
    // A drag moves the window many times: the place is written once, when the window hides
    // or goes.
    void writeUnsaved();
    bool resizable() const;
    // The decorations around the window; before it has been on screen, those of another
    // tool window that is, or else the main window's.
    QMargins frameMargins() const;
    // The other top-level windows of the same main window.
    QList<QWidget*> siblingWindows() const;
    std::vector<KyRect> openFrames() const;

    QWidget* window_;
    QString key_;
    KyWindowSpot spot_;
    Desk desk_;
    bool placing_ = false;
    std::optional<QRect> unsaved_;
};
