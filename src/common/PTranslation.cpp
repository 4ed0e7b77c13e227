#include "common/PTranslation.h"

#include "common/Translatable.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace vt {

namespace {

const QString kLanguageKey = QStringLiteral("language");
// Polish, the source language, has no catalogue: every text stays the Polish it was made in.
const QString kSourceLanguage = QStringLiteral("pl");
QString languageInstalled = kSourceLanguage;

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

bool isKnown(const QString& language)
{
    return language == kSourceLanguage || language == QStringLiteral("en");
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

// The pattern with the most text of its own that the message was made from, if any.
const std::string* patternOf(const std::vector<std::string>& patterns, const std::string& text,
                             std::vector<std::string>& pieces)
{
    const std::string* best = nullptr;
    std::size_t bestPlainText = 0;
    std::vector<std::string> found;
    for (const std::string& pattern : patterns) {
        if (!piecesOf(pattern, text, found))
            continue;
        std::size_t plainText = text.size();
        for (const std::string& piece : found)
            plainText -= piece.size();
        if (!best || plainText > bestPlainText) {
            best = &pattern;
            bestPlainText = plainText;
            pieces = found;
        }
    }
    return best;
}

} // namespace

QString coreText(const std::string& text)
{
    if (languageInstalled == kSourceLanguage || text.empty())
        return QString::fromStdString(text);
    const QString whole = QCoreApplication::translate("Core", text.c_str());
    if (whole != QString::fromStdString(text))
        return whole;
    const std::vector<std::string> patterns = filledPatterns();
    std::vector<std::string> pieces;
    const std::string* pattern = patternOf(patterns, text, pieces);
    if (!pattern)
        return whole;
    for (std::string& piece : pieces)
        if (piece != text)
            piece = coreText(piece).toStdString();
    return QString::fromStdString(fill(QCoreApplication::translate("Core", pattern->c_str()).toStdString(), pieces));
}

QString chosenLanguage(const QString& forThisRun)
{
    if (isKnown(forThisRun))
        return forThisRun;
    const QString kept = userSettings().value(kLanguageKey).toString();
    return isKnown(kept) ? kept : kSourceLanguage;
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
    if (language != kSourceLanguage && install(QStringLiteral("vantorel_") + language, QStringLiteral(":/i18n")))
        languageInstalled = language;
}

QString languageInUse()
{
    return languageInstalled;
}

} // namespace vt
