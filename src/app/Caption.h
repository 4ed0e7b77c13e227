#pragma once
// The main window's caption: where the universe goes.

#include "dmx/OlaTarget.h"

#include <QString>

// "Vantorel: " and the connected module's name, the OLA universe when that output is on, or
// "brak modułu DMX" when the universe goes nowhere; one whole text in each case.
QString mainWindowCaption(bool moduleConnected, const QString& moduleName, const KyOlaTarget& ola);
