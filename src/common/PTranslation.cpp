#include "common/PTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace vt {

namespace {

const QString kLanguageKey = QStringLiteral("language");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

bool isKnown(const QString& language)
{
    return language == QStringLiteral("pl") || language == QStringLiteral("en");
}

bool install(const QString& file, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

QString chosenLanguage(const QString& forThisRun)
{
    if (isKnown(forThisRun))
        return forThisRun;
    const QString kept = userSettings().value(kLanguageKey).toString();
    return isKnown(kept) ? kept : QStringLiteral("pl");
}

void keepLanguage(const QString& language)
{
    userSettings().setValue(kLanguageKey, language);
}

bool installQtPolish()
{
    return install(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void installLanguage(const QString& language)
{
    install(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (language != QStringLiteral("pl"))
        install(QStringLiteral("vantorel_") + language, QStringLiteral(":/i18n"));
}

} // namespace vt
