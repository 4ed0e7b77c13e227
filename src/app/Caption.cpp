#include "app/Caption.h"

#include <QCoreApplication>

QString mainWindowCaption(bool moduleConnected, const QString& moduleName, const KyOlaTarget& ola)
{
    QString where = moduleConnected ? moduleName : QString();
    if (ola.enabled)
        where += (moduleConnected ? QStringLiteral(" i ") : QString()) +
                 QCoreApplication::translate("Caption", "OLA (uniwersum %1)").arg(ola.universe);
    else if (!moduleConnected)
        where = QCoreApplication::translate("Caption", "brak modułu DMX");
    return QCoreApplication::translate("Caption", "Vantorel: ") + where;
}
