#include "app/StartOptions.h"

#include <QCommandLineParser>
#include <QFile>

#include <charconv>
#include <string_view>

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
    parser.addOption({QStringLiteral("ola-universe"),
                      QStringLiteral("Send the universe to this OLA universe (1-65535) for this run."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("ola-port"),
                      QStringLiteral("The OLA daemon's port (1-65535) for this run."), QStringLiteral("P")});
    parser.addOption({QStringLiteral("remote-port"),
                      QStringLiteral("Turn the web remote on at this port (1-65535) for this run."), QStringLiteral("P")});
    parser.addOption({QStringLiteral("osc-port"),
                      QStringLiteral("Turn OSC input on at this UDP port (1-65535) for this run."), QStringLiteral("P")});
    parser.addOption({QStringLiteral("remote-code"),
                      QStringLiteral("The web remote's access code (six digits) for this run."), QStringLiteral("NNNNNN")});
    parser.addOption({QStringLiteral("audio-file"),
                      QStringLiteral("Play this WAV file in real time in place of the audio input."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("language"), QStringLiteral("The windows' language for this run: pl or en."),
                      QStringLiteral("pl|en")});
}

// The toolkit's own options, read when the application object is made, which is after this
// parse: they pass here unseen (and unlisted in the help) and the toolkit takes them later.
void acceptToolkitOptions(QCommandLineParser& parser)
{
    static const char* const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                            "qwindowgeometry", "geometry", "qwindowtitle", "title",
                                            "qwindowicon", "icon", "session", "style", "stylesheet",
                                            "display", "name", "visual", "qmljsdebugger"};
    static const char* const flags[] = {"reverse", "testability", "widgetcount", "sync", "nograb", "dograb"};
    auto hidden = [&](const char* name, const QString& valueName) {
        QCommandLineOption option(QLatin1String(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name : withValue)
        hidden(name, QStringLiteral("value"));
    for (const char* name : flags)
        hidden(name, QString());
}

std::string localPath(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

// A whole number from 1 to 65535, or nothing.
std::optional<std::uint16_t> numberUpTo65535(std::string_view text)
{
    unsigned value = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// Takes --ola-universe, --ola-port or --remote-port when given; false with the message for a
// value out of range.
bool takeNumberOption(const QCommandLineParser& parser, const QString& name, StartOptions& options, std::string& error)
{
    if (!parser.isSet(name))
        return true;
    std::string value = parser.value(name).toStdString();
    std::optional<std::uint16_t> number = numberUpTo65535(value);
    if (!number) {
        error = "--" + name.toStdString() + " takes a number from 1 to 65535, not \"" + value + "\"";
        return false;
    }
    if (name == QStringLiteral("ola-universe"))
        options.olaUniverse = *number;
    else if (name == QStringLiteral("ola-port"))
        options.olaPort = *number;
    else if (name == QStringLiteral("osc-port"))
        options.oscPort = *number;
    else
        options.remotePort = *number;
    return true;
}

bool takeRemoteCode(const QCommandLineParser& parser, StartOptions& options, std::string& error)
{
    if (!parser.isSet(QStringLiteral("remote-code")))
        return true;
    const std::string value = parser.value(QStringLiteral("remote-code")).toStdString();
    if (value.size() != 6 || value.find_first_not_of("0123456789") != std::string::npos) {
        error = "--remote-code takes six digits, not \"" + value + "\"";
        return false;
    }
    options.remoteCode = value;
    return true;
}

} // namespace

bool parseStartOptions(int argc, const char* const* argv, StartOptions& options, std::string& error)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeOptions(parser);
    acceptToolkitOptions(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = "Unexpected argument '" + parser.positionalArguments().front().toStdString() + "'.";
        return false;
    }
    if (!takeNumberOption(parser, QStringLiteral("ola-universe"), options, error) ||
        !takeNumberOption(parser, QStringLiteral("ola-port"), options, error) ||
        !takeNumberOption(parser, QStringLiteral("remote-port"), options, error) ||
        !takeNumberOption(parser, QStringLiteral("osc-port"), options, error) || !takeRemoteCode(parser, options, error))
        return false;
    if (parser.isSet(QStringLiteral("language"))) {
        options.language = parser.value(QStringLiteral("language")).toStdString();
        if (options.language != "pl" && options.language != "en") {
            error = "--language takes pl or en, not \"" + options.language + "\"";
            return false;
        }
    }
    options.helpRequested = parser.isSet(QStringLiteral("help"));
    options.versionRequested = parser.isSet(QStringLiteral("version"));
    if (parser.isSet(QStringLiteral("data-dir")))
        options.dataDirectory = localPath(parser.value(QStringLiteral("data-dir")));
    for (const QString& port : parser.values(QStringLiteral("port")))
        options.ports.push_back(localPath(port));
    if (parser.isSet(QStringLiteral("audio-file")))
        options.audioFile = localPath(parser.value(QStringLiteral("audio-file")));
    return true;
}

std::string startUsage()
{
    QCommandLineParser parser;
    describeOptions(parser);
    // The parser names the program after the application object, which does not exist yet.
    const QString text = parser.helpText();
    return "Usage: vantorel [options]" + text.mid(text.indexOf(QLatin1Char('\n'))).toStdString();
}
