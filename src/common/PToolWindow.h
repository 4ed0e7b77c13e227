#pragma once
// What the tool windows share: their decorations while they stand alone.

#include <Qt>

class QMainWindow;
class QString;
class QWidget;

namespace vt {

// A tool window of the main window with a close box alone: no button that could minimise
// the program or blow the window up over the desk. Docked, the dock keeps the close box.
constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The width at which the title shows whole beside the title bar's buttons, judged by the
// window's font in bold.
int titleBarWidth(const QWidget* window);

// Sizes a dialog to what its contents ask for, within the screen it opens on with room for
// its frame: left to itself, a window takes no more than two thirds of the screen.
void sizeToContents(QWidget* window);

// The object name of the separator that closes the connections in the System menu.
inline constexpr const char* kConnectionsEnd = "ConnectionsEnd";

// Puts an action named `objectName` that shows and raises `window` into the main window's
// System menu (its first), last among the connections.
void addToSystemMenu(QMainWindow& mainWindow, QWidget* window, const QString& objectName);

} // namespace vt
