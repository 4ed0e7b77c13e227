#pragma once
// The scene contents window "Właściwości sceny": a scene's channels and their values, to
// read only.

#include <QDialog>

#include <cstdint>
#include <utility>
#include <vector>

class QPushButton;
class TPStringGrid;

class TScenePropForm : public QDialog {
    Q_OBJECT
public:
    // Channels (universe indexes) and values in ascending channel order.
    using Contents = std::vector<std::pair<std::int32_t, std::uint8_t>>;

    TScenePropForm(const Contents& contents, QWidget* owner);

    TPStringGrid* channelGrid() const { return grid_; }
    QPushButton* closeButton() const { return close_; }

private:
    TPStringGrid* grid_;
    QPushButton* close_;
};
