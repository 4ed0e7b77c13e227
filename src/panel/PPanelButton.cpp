#include "panel/PPanelButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TPPanelButton::TPPanelButton(const QString& caption, QWidget* parent)
    : QFrame(parent), label_(new QLabel(caption, this)), normalColor_(palette().color(QPalette::Button))
{
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(label_);
    setAutoFillBackground(true);
    setMinimumSize(72, 36);
    render(false);
}

QString TPPanelButton::caption() const
{
    return label_->text();
}

void TPPanelButton::setCaption(const QString& caption)
{
    label_->setText(caption);
}

void TPPanelButton::render(bool lit)
{
    lit_ = lit;
    setFrameStyle(QFrame::Panel | (lit ? QFrame::Sunken : QFrame::Raised));
    setLineWidth(lit ? 2 : 1);
    QPalette face = palette();
    face.setColor(QPalette::Window, lit ? QColor(Qt::red) : normalColor_);
    setPalette(face);
}

void TPPanelButton::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

void TPPanelButton::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button());
    event->accept();
}
