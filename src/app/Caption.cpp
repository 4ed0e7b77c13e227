#include "app/Caption.h"

#include <QCoreApplication>

QString mainWindowCaption(bool moduleConnected, const QString& moduleName, const KyOlaTarget& ola)
{
    const QString universe = QString::number(ola.universe);
    if (moduleConnected && ola.enabled)
        return QCoreApplication::translate("Caption", "Vantorel: %1 i OLA (uniwersum %2)").arg(moduleName, universe);
    if (moduleConnected)
        return QCoreApplication::translate("Caption", "Vantorel: %1").arg(moduleName);
    if (ola.enabled)
        return QCoreApplication::translate("Caption", "Vantorel: OLA (uniwersum %1)").arg(universe);
    return QCoreApplication::translate("Caption", "Vantorel: brak modułu DMX");
}
