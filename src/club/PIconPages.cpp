#include "club/PIconPages.h"

#include "club/PDevIcon.h"

TPIconPages::TPIconPages(KyIcons& icons, std::mutex& showLock, QWidget* parent)
    : QTabWidget(parent), icons_(icons), showLock_(showLock)
{
}

void TPIconPages::addPage(const QString& caption)
{
    addTab(new QWidget, caption);
}

void TPIconPages::removePage(int index)
{
    QWidget* page = widget(index);
    removeTab(index);
    // Moved off before the page goes, since the page would take its children with it.
    placeIcons();
    delete page;
}

void TPIconPages::rebuildIcons()
{
    for (TPDevIcon* icon : iconWidgets_)
        delete icon;
    iconWidgets_.clear();
    for (std::size_t i = 0; i < icons_.icons().size(); ++i) {
        auto* icon = new TPDevIcon(icons_, i, showLock_);
        connect(icon, &TPDevIcon::selectionToggled, this, [this] {
            placeIcons();
            emit selectionChanged();
        });
        iconWidgets_.push_back(icon);
    }
    placeIcons();
    emit iconsRebuilt();
}

// The model has already moved devices of missing pages to the first one.
void TPIconPages::placeIcons()
{
    for (TPDevIcon* icon : iconWidgets_) {
        const KyClubDevice& device = *icons_.icons()[icon->index()].device;
        QWidget* page = widget(device.page);
        if (icon->parentWidget() != page)
            icon->setParent(page);
        icon->move(device.iconLeft, device.iconTop);
        icon->showState();
        icon->show();
    }
}
