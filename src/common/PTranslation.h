#pragma once
// The language of the windows: Polish (the source texts) or English, with Qt's own texts
// (standard buttons, the colour and file dialogs) in the same language.

#include <QString>

#include <string>

namespace vt {

// "pl" or "en": the language given for this run, else the one the operator chose, else Polish.
QString chosenLanguage(const QString& forThisRun);

// Keeps the operator's choice for the next start.
void keepLanguage(const QString& language);

// Installs the program's catalogue (none for Polish) and Qt's own texts for the language into
// the running application; Qt's texts stay English when they are not installed on this system.
void installLanguage(const QString& language);

// "pl", or the language whose catalogue installLanguage installed.
QString languageInUse();

// Installs Qt's Polish texts alone; false when they are not installed on this system.
bool installQtPolish();

// A text the core made (in Polish), in the language of the windows: found whole in the
// catalogue, or made from a pattern of the core whose pieces are looked up in turn.
QString coreText(const std::string& text);

} // namespace vt
