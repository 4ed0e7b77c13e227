#pragma once
// A face of the direct-access panel: a caption on a panel, raised in its own colour, or
// lowered and red while it is lit. It reports presses and releases of any mouse button.

#include <QFrame>

class QLabel;

class TPPanelButton : public QFrame {
    Q_OBJECT
public:
    explicit TPPanelButton(const QString& caption, QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);
    bool isLit() const { return lit_; }
    QColor normalColor() const { return normalColor_; }
    // Shows the face lit or dark.
    void render(bool lit);

signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* label_;
    QColor normalColor_;
    bool lit_ = false;
};
