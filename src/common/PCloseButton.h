#pragma once
// The "&Zamknij" button that ends a window's row of buttons, at its right end.

class QHBoxLayout;
class QPushButton;
class QWidget;

QPushButton* addCloseButton(QHBoxLayout* row, QWidget* window);
