#pragma once
// A window's refresh timer that runs only while the window is shown: a hidden window shows
// nothing, so its refresh need not wake the program.

class QTimer;
class QWidget;

// A timer owned by `window`, with `intervalMs`, started when the window is shown and stopped
// when it is hidden. Connect its timeout to the refresh.
QTimer* timerWhileShown(QWidget* window, int intervalMs);
