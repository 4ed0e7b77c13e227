#include "app/PreviewToggle.h"

#include "app/Show.h"
#include "functions/PLookPreview.h"

#include <QCoreApplication>
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

namespace {

const QString kSettingKey = QStringLiteral("pages/preview");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

QMenu* menuTitled(QMainWindow& window, const QString& title)
{
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return nullptr;
}

} // namespace

void addPreviewToggle(QMainWindow& window, TPIconPages& pages, KyShow& show)
{
    auto* preview = new TPLookPreview(pages, show.icons, [&show](KyDmxSpace::Universe& frame) {
        std::lock_guard lock(show.showLock());
        frame = show.usb.lastFrame();
    }, &pages);

    auto* action = new QAction(QIcon(QStringLiteral(":/icons/preview.svg")), QCoreApplication::translate("TMainForm", "Podgląd"), &window);
    action->setObjectName(QStringLiteral("PreviewAction"));
    action->setToolTip(QCoreApplication::translate("TMainForm", "Podgląd"));
    action->setCheckable(true);
    QObject::connect(action, &QAction::toggled, preview, [preview](bool on) {
        preview->setOn(on);
        userSettings().setValue(kSettingKey, on);
    });
    action->setChecked(userSettings().value(kSettingKey, false).toBool());

    if (QMenu* menu = menuTitled(window, QCoreApplication::translate("TMainForm", "System")))
        menu->insertAction(menu->actions().value(4), action);
    if (auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("FunctionToolBar"))) {
        toolbar->addSeparator();
        toolbar->addAction(action);
    }
}
