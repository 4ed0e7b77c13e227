#pragma once
// "Podgląd": the main window's switch for the preview of the light on the pages of icons, in
// its menu and on its toolbar, kept on or off as the user left it.

class KyShow;
class QMainWindow;
class TPIconPages;

// Adds the switch to the menu "System" and the toolbar "FunctionToolBar" of `window`; the
// preview follows the frames `show` sends out.
void addPreviewToggle(QMainWindow& window, TPIconPages& pages, KyShow& show);
