#pragma once
// The main window's page area: one tab per page, and on each page the icons of the installed
// devices that the page holds.

#include "club/Icons.h"

#include <QTabWidget>

#include <mutex>
#include <vector>

class TPDevIcon;

class TPIconPages : public QTabWidget {
    Q_OBJECT
public:
    TPIconPages(KyIcons& icons, std::mutex& showLock, QWidget* parent = nullptr);

    void addPage(const QString& caption);
    // Removes the page; the devices it held must have moved to other pages first.
    void removePage(int index);
    // Replaces the icon widgets with one per icon of the model; call after each build.
    void rebuildIcons();
    // Puts every icon widget on its device's page at the device's place, in its colours.
    void placeIcons();

    const std::vector<TPDevIcon*>& iconWidgets() const { return iconWidgets_; }

signals:
    // The operator changed the selection.
    void selectionChanged();
    // The icon widgets were made anew.
    void iconsRebuilt();

private:
    KyIcons& icons_;
    std::mutex& showLock_;
    std::vector<TPDevIcon*> iconWidgets_;
};
