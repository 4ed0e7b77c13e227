#include "app/StartOptions.h"

#include <QCommandLineParser>
#include <QFile>

namespace {

void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Vantorel: a DMX lighting controller for clubs and small stages."));
    // -data-dir reads as --data-dir rather than as a row of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // -h and --help alone: addHelpOption() adds --help-all as well, which only process() can
    // answer, and process() ends the program by itself.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help.")});
    parser.addVersionOption();
    parser.addOption({QStringLiteral("data-dir"),
                      QStringLiteral("The show's folder (default: the program's own folder, or "
                                     "~/.local/share/Vantorel for an installed copy)."),
                      QStringLiteral("folder")});
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Also probe this serial port for a DMX module; may be repeated."),
                      QStringLiteral("path")});
}

std::string localPath(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

} // namespace

bool parseStartOptions(int argc, const char* const* argv, StartOptions& options, std::string& error)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = "Unexpected argument '" + parser.positionalArguments().front().toStdString() + "'.";
        return false;
    }
    options.helpRequested = parser.isSet(QStringLiteral("help"));
    options.versionRequested = parser.isSet(QStringLiteral("version"));
    if (parser.isSet(QStringLiteral("data-dir")))
        options.dataDirectory = localPath(parser.value(QStringLiteral("data-dir")));
    for (const QString& port : parser.values(QStringLiteral("port")))
        options.ports.push_back(localPath(port));
    return true;
}

std::string startUsage()
{
    QCommandLineParser parser;
    describeOptions(parser);
    return parser.helpText().toStdString();
}
