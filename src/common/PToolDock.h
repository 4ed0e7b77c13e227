#pragma once
// A tool window docked in the main window: the dock follows the window inside it. Showing
// the window shows the dock and brings it to the front of its tab group, hiding the window
// hides the dock, the window's title is the dock's title, and the dock's close box closes
// the window as its own close box did. A window larger than the place the dock gets scrolls.

#include <QDockWidget>

#include <functional>

class QScrollArea;

class TPToolDock : public QDockWidget {
    Q_OBJECT
public:
    // Called when the window is shown, before the dock shows: the dock finds its place there.
    using Placer = std::function<void(TPToolDock&)>;

    // Takes `window` in; `name` names the dock in the saved layout. A window without a close
    // box of its own gets a dock without one.
    TPToolDock(QWidget* window, const QString& name, Qt::DockWidgetArea home, Placer placer, QWidget* parent);

    QWidget* window() const { return window_; }
    // Where the dock goes by default.
    Qt::DockWidgetArea home() const { return home_; }
    // The size the window asks for, with the dock's title.
    QSize wantedSize() const;
    // Names what kind of window the dock holds before its title ("Kolor: Front -> Scanner"),
    // for windows whose titles alone are alike, such as several tabbed with one another.
    void setKind(const QString& kind);

signals:
    // The size the window asks for changed while it was shown.
    void windowResized(TPToolDock* dock);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followTitle();

    QWidget* window_;
    QString kind_;
    QScrollArea* frame_;
    Qt::DockWidgetArea home_;
    Placer placer_;
    QSize wanted_;
};
