#pragma once
// The docks of the main window: every tool window lives in one around the pages of icons.
// A dock shown for the first time goes to its home: function windows down the right-hand
// side one above the other, editors and the panel under the pages side by side, monitors
// and settings on the left. One that does not fit its column (or row) starts another beside
// it while the pages keep half of the window, and is tabbed with the largest of its
// line otherwise.
// After that it comes back where the operator left it, in this run and the next; a floating
// dock that no screen shows whole any more goes home instead.

#include <QByteArray>
#include <QObject>

#include <map>
#include <vector>

class QMainWindow;
class QWidget;
class TPToolDock;

class TDesk : public QObject {
    Q_OBJECT
public:
    explicit TDesk(QMainWindow& main);

    // Docks `window`, which stays hidden until its owner shows it.
    TPToolDock* add(QWidget* window, const QString& name, Qt::DockWidgetArea home);
    // The layout the user left at the last exit; call once every dock is added.
    void restoreSaved();
    void save() const;
    // Every dock back home; the open ones show there at once.
    void restoreDefault();

private:
    void place(TPToolDock& dock);
    bool placed(const TPToolDock& dock) const;
    void placeAtHome(TPToolDock& dock);
    void settleAtHome(TPToolDock& dock);
    void fitToWindow(TPToolDock& dock);
    // What the home area of a dock offers along the way its docks line up.
    int roomAlong(Qt::DockWidgetArea area) const;
    std::vector<TPToolDock*> sameLine(const TPToolDock& dock) const;

    QMainWindow& main_;
    std::vector<TPToolDock*> docks_;
    std::map<Qt::DockWidgetArea, TPToolDock*> lastPlaced_;
    // The layout with no dock in it.
    QByteArray bare_;
};

// Whether a screen shows the whole of `frame`.
bool wholeOnAScreen(const QRect& frame);
