#pragma once
// The icon of one installed device on its page: the type's picture above a label with the
// device's name, coloured by the icon's selection state. A left click selects; in move mode
// a left drag moves the icon within its page.

#include "club/Icons.h"

#include <QFrame>

#include <mutex>

class QLabel;

class TPDevIcon : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLabelHeight = 17;

    // `index` is the icon's place in `icons`; changes to the model take `showLock`.
    TPDevIcon(KyIcons& icons, std::size_t index, std::mutex& showLock, QWidget* page = nullptr);

    std::size_t index() const { return index_; }
    QLabel* label() const { return label_; }
    QLabel* picture() const { return picture_; }

    // Applies the colours of the icon's current state.
    void showState();

signals:
    void selectionToggled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const KyDevIcon& icon() const { return icons_.icons()[index_]; }

    KyIcons& icons_;
    std::size_t index_;
    std::mutex& showLock_;
    QLabel* picture_ = nullptr;
    QLabel* label_ = nullptr;
    QPoint grab_;
};
