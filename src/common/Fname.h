#pragma once
// The name dialog: one field for a name, "OK" and "Anuluj". Every edit of the field is
// copied into the caller's string at once, so the caller uses it only after "OK".

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

class TNameForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultMaxLength = 25;

    // `name` holds cp1250 text.
    TNameForm(std::string& name, QWidget* owner, int maxLength = kDefaultMaxLength);

    QLineEdit* nameEdit() const { return nameEdit_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Places the dialog with its horizontal centre on the mouse pointer.
    void centreOnPointer();

private:
    std::string& name_;
    QLineEdit* nameEdit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

struct TNameRequest {
    int maxLength = TNameForm::kDefaultMaxLength;
    // Centred on the mouse pointer instead of over the owner.
    bool atPointer = false;
};

// Asks for a name in the name dialog, starting from `name` (cp1250): the name given, or
// nothing when the operator cancels.
std::optional<std::string> askForName(QWidget* owner, std::string name, TNameRequest request = {});
