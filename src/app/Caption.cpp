#include "app/Caption.h"

QString mainWindowCaption(bool moduleConnected, const QString& moduleName, const KyOlaTarget& ola)
{
    QString where = moduleConnected ? moduleName : QString();
    if (ola.enabled)
        where += (moduleConnected ? QStringLiteral(" i ") : QString()) +
                 QStringLiteral("OLA (uniwersum %1)").arg(ola.universe);
    else if (!moduleConnected)
        where = QStringLiteral("brak modułu DMX");
    return QStringLiteral("Vantorel: ") + where;
}
