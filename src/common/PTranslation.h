#pragma once
// The language of the windows: Polish (the source texts) or English, with Qt's own texts
// (standard buttons, the colour and file dialogs) in the same language.

#include <QString>

namespace vt {

// "pl" or "en": the language given for this run, else the one the operator chose, else Polish.
QString chosenLanguage(const QString& forThisRun);

// Keeps the operator's choice for the next start.
void keepLanguage(const QString& language);

// Installs the program's catalogue (none for Polish) and Qt's own texts for the language into
// the running application; Qt's texts stay English when they are not installed on this system.
void installLanguage(const QString& language);

// Installs Qt's Polish texts alone; false when they are not installed on this system.
bool installQtPolish();

} // namespace vt
