#include "common/PToolDock.h"

#include <QCloseEvent>
#include <QScrollArea>

namespace {

// Asks for the whole window, where the plain scroll area asks for a share of the screen.
class TPDockFrame : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        const QWidget* content = widget();
        if (!content || content->isHidden())
            return QScrollArea::sizeHint();
        const QSize hint = content->sizeHint().expandedTo(content->minimumSize()).boundedTo(content->maximumSize());
        return hint + QSize(2 * frameWidth(), 2 * frameWidth());
    }
    QSize minimumSizeHint() const override { return {}; }
};

} // namespace

TPToolDock::TPToolDock(QWidget* window, const QString& name, Qt::DockWidgetArea home, Placer placer, QWidget* parent)
    : QDockWidget(window->windowTitle(), parent), window_(window), frame_(new TPDockFrame(this)), home_(home),
      placer_(std::move(placer))
{
    setObjectName(name);
    const bool closable = window->windowFlags() & Qt::WindowCloseButtonHint;
    setFeatures(closable ? QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                               QDockWidget::DockWidgetFloatable
                         : QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setWidgetResizable(true);
    frame_->setWidget(window);
    window->hide(); // shown by its owner, never by the frame or the dock
    setWidget(frame_);
    hide();
    window->installEventFilter(this);
}

QSize TPToolDock::wantedSize() const
{
    return frame_->sizeHint() + QSize(0, titleBarWidget() ? titleBarWidget()->sizeHint().height()
                                                          : fontMetrics().height() + 8);
}

void TPToolDock::setKind(const QString& kind)
{
    kind_ = kind;
    followTitle();
}

void TPToolDock::followTitle()
{
    const QString title = window_->windowTitle();
    if (kind_.isEmpty() || title.isEmpty())
        setWindowTitle(kind_.isEmpty() ? title : kind_);
    else
        setWindowTitle(kind_ + QStringLiteral(": ") + title);
}

bool TPToolDock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::ShowToParent:
        if (placer_)
            placer_(*this);
        show();
        raise();
        break;
    case QEvent::HideToParent:
        hide();
        break;
    case QEvent::WindowTitleChange:
        followTitle();
        break;
    case QEvent::LayoutRequest:
    case QEvent::Resize:
        // The frame resizes the window too: only a change of what the window asks for counts.
        if (wantedSize() != wanted_) {
            wanted_ = wantedSize();
            frame_->updateGeometry();
            if (window_->isVisible())
                emit windowResized(this);
        }
        break;
    default:
        break;
    }
    return false;
}

void TPToolDock::closeEvent(QCloseEvent* event)
{
    // The window decides; once it has gone, the dock follows it.
    event->ignore();
    if (features() & QDockWidget::DockWidgetClosable)
        window_->close();
}
