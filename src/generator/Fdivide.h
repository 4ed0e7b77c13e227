#pragma once
// The divide window ("Podziel efekt"): the phase offset by which a figure is spread over
// several heads, proposed from their number.

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;
class TPTrackBar;

class TDivideForm : public QDialog {
    Q_OBJECT
public:
    TDivideForm(int heads, QWidget* owner);

    // The phase offset in degrees, 0-359.
    int offset() const;

    TPTrackBar* delayBar() const { return bar_; }
    QLineEdit* countEdit() const { return count_; }
    QPushButton* applyButton() const { return apply_; }

private:
    void propose(int heads);
    void countEdited(const QString& text);
    void barMoved();

    TPTrackBar* bar_;
    QLineEdit* count_;
    QPushButton* apply_;
};

// Opens the divide window modally for `heads` heads; the offset when applied.
std::optional<int> askPhaseOffset(QWidget* owner, int heads);
