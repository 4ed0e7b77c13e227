#include "remote/RemoteDesk.h"

#include "common/PText.h"
#include "common/PTranslation.h"
#include "cue/Dmx_space.h"
#include "dmx/Usb.h"
#include "generator/GeneratorScale.h"
#include "music/Fbeatsource.h"
#include "music/RhythmControl.h"
#include "panel/DeskActions.h"
#include "cue/Seque.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cmath>
#include <optional>

namespace {

// How often the state is compared with what the phones have, while any is connected, for
// what changed elsewhere (the main window's bars, the cue editor, the tick's play state);
// presses are sent at once.
constexpr int kPushMilliseconds = 100;

std::optional<int> whole(const QJsonObject& command, const char* field, int min, int max)
{
    const QJsonValue value = command.value(QLatin1String(field));
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < min || number > max)
        return std::nullopt;
    return int(number);
}

std::optional<bool> flag(const QJsonObject& command, const char* field)
{
    const QJsonValue value = command.value(QLatin1String(field));
    return value.isBool() ? std::optional<bool>(value.toBool()) : std::nullopt;
}

QString caption(const std::string* name)
{
    return vt::fromCp1250(name ? *name : std::string(kMissingCaption));
}

// The page's own texts, written in Polish in its files: in the markup between tags, in the
// script between single quotes. The page is served in the windows' language.
constexpr const char* kMarkupTexts[] = {
    QT_TRANSLATE_NOOP("RemotePage", "Vantorel – zdalny pulpit"),
    QT_TRANSLATE_NOOP("RemotePage", "Vantorel: brak modułu DMX"),
    QT_TRANSLATE_NOOP("RemotePage", "Łączenie…"),
    QT_TRANSLATE_NOOP("RemotePage", "Pauza"),
    QT_TRANSLATE_NOOP("RemotePage", "Muzyka"),
    QT_TRANSLATE_NOOP("RemotePage", "◀ Poprzednie cue"),
    QT_TRANSLATE_NOOP("RemotePage", "Następne cue ▶"),
    QT_TRANSLATE_NOOP("RemotePage", "Sekwencje"),
};
constexpr const char* kScriptTexts[] = {
    QT_TRANSLATE_NOOP("RemotePage", "PRĘDKOŚĆ:  "),
    QT_TRANSLATE_NOOP("RemotePage", "PRĘDKOŚĆ CUE:  "),
    QT_TRANSLATE_NOOP("RemotePage", "PRĘDKOŚĆ GENERATORÓW:  "),
    QT_TRANSLATE_NOOP("RemotePage", "AMPLITUDA GENERATORÓW:  "),
    QT_TRANSLATE_NOOP("RemotePage", "Vantorel: brak modułu DMX"),
    QT_TRANSLATE_NOOP("RemotePage", "Brak połączenia z pulpitem – łączę ponownie…"),
    QT_TRANSLATE_NOOP("RemotePage", "Strefa"),
};

QByteArray translated(const char* text)
{
    return QCoreApplication::translate("RemotePage", text).toUtf8();
}

QByteArray escapedForMarkup(QByteArray text)
{
    return text.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
}

QByteArray escapedForScript(QByteArray text)
{
    return text.replace('\\', "\\\\").replace('\'', "\\'");
}

QByteArray inLanguage(QByteArray page)
{
    page.replace(R"(<html lang="pl">)", R"(<html lang=")" + vt::languageInUse().toUtf8() + R"(">)");
    for (const char* text : kMarkupTexts)
        page.replace('>' + QByteArray(text) + '<', '>' + escapedForMarkup(translated(text)) + '<');
    for (const char* text : kScriptTexts)
        page.replace('\'' + QByteArray(text) + '\'', '\'' + escapedForScript(translated(text)) + '\'');
    return page;
}

} // namespace

QByteArray remotePage()
{
    auto read = [](const char* name) {
        QFile file(QStringLiteral(":/remote/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QByteArray page = read("index.html");
    page.replace("/*STYLE*/", read("remote.css"));
    page.replace("/*SCRIPT*/", read("remote.js"));
    return inLanguage(page);
}

TRemoteDesk::TRemoteDesk(const KyRemoteModel& model, TDeskActions& desk, QObject* parent)
    : QObject(parent), model_(model), desk_(desk), server_(new TRemoteServer(this)), pushTimer_(new QTimer(this))
{
    server_->setPage(remotePage());
    server_->setHandler([this](const QJsonObject& command) { return run(command); });
    server_->setGreeting([this] {
        sent_ = state();
        return sent_;
    });
    pushTimer_->setInterval(kPushMilliseconds);
    connect(pushTimer_, &QTimer::timeout, this, &TRemoteDesk::push);
    connect(server_, &TRemoteServer::clientsChanged, this, [this](int count) {
        if (count > 0)
            pushTimer_->start();
        else
            pushTimer_->stop();
    });
    // A press on the desk reaches the phones as soon as the press is over, not at the next look.
    for (auto changed : {&TDeskActions::cueBlockChanged, &TDeskActions::liveCueReplaced, &TDeskActions::liveZonesChanged})
        connect(&desk_, changed, this, &TRemoteDesk::pushSoon);
    connect(&desk_, &TDeskActions::columnChanged, this, &TRemoteDesk::pushSoon);
    connect(&desk_, &TDeskActions::speedShiftChanged, this, &TRemoteDesk::pushSoon);
}

// One look for everything that one event changed.
void TRemoteDesk::pushSoon()
{
    if (server_->clientCount() == 0 || pushPending_)
        return;
    pushPending_ = true;
    QTimer::singleShot(0, this, [this] {
        pushPending_ = false;
        push();
    });
}

void TRemoteDesk::push()
{
    QByteArray now = state();
    if (now == sent_)
        return;
    sent_ = std::move(now);
    server_->broadcast(sent_);
}

bool TRemoteDesk::run(const QJsonObject& command)
{
    const QString name = command.value(QLatin1String("cmd")).toString();
    const bool known = runPanel(name, command) || runDesk(name, command);
    if (known)
        pushSoon();
    return known;
}

// The panel acts on the live cue only while the sequence editor leaves it to the panel; a
// command refused for that reason is still a known one.
bool TRemoteDesk::runPanel(const QString& name, const QJsonObject& command)
{
    const std::optional<int> zone = whole(command, "zone", 0, KyPanel::kZones - 1);
    const std::optional<int> page = whole(command, "page", 0, KyCueButtons::kPages - 1);
    const bool open = desk_.panelAvailable();
    if (name == QLatin1String("cue")) {
        const std::optional<int> button = whole(command, "button", 0, KyCueButtons::kButtons - 1);
        if (!page || !button)
            return false;
        if (open) {
            desk_.showCuePage(*page);
            desk_.pressCueButton(*button);
        }
    } else if (name == QLatin1String("cuePage")) {
        if (!page)
            return false;
        desk_.showCuePage(*page);
    } else if (name == QLatin1String("cueStep")) {
        const std::optional<int> step = whole(command, "step", -1, 1);
        if (!step || *step == 0)
            return false;
        if (open)
            desk_.stepCue(*step);
    } else if (name == QLatin1String("seq")) {
        const std::optional<int> button = whole(command, "button", 0, KySeqButtons::kButtons - 1);
        const std::optional<bool> down = flag(command, "down");
        if (!zone || !page || !button || !down)
            return false;
        if (open) {
            desk_.showZonePage(*zone, *page);
            *down ? desk_.pressSeqButton(*zone, *button) : desk_.releaseSeqButton(*zone, *button);
        }
    } else if (name == QLatin1String("zonePage")) {
        if (!zone || !page)
            return false;
        desk_.showZonePage(*zone, *page);
    } else if (name == QLatin1String("start") || name == QLatin1String("pause") || name == QLatin1String("stop")) {
        if (open)
            name == QLatin1String("start") ? desk_.start() : name == QLatin1String("pause") ? desk_.pause() : desk_.stop();
    } else if (name == QLatin1String("speedShift")) {
        const std::optional<int> value = whole(command, "value", -100, 100);
        if (!value)
            return false;
        if (open)
            desk_.shiftSpeed(*value);
    } else {
        return false;
    }
    return true;
}

bool TRemoteDesk::runDesk(const QString& name, const QJsonObject& command)
{
    struct Bar {
        const char* name;
        int min, max;
        void (TDeskActions::*set)(int);
    };
    static constexpr Bar kBars[] = {
        {"cueSpeed", -100, 100, &TDeskActions::setCueSpeed},
        {"genSpeed", -100, 100, &TDeskActions::setGeneratorSpeed},
        {"genAmp", 0, 100, &TDeskActions::setGeneratorAmplitude},
    };
    for (const Bar& bar : kBars)
        if (name == QLatin1String(bar.name)) {
            const std::optional<int> value = whole(command, "value", bar.min, bar.max);
            if (value)
                (desk_.*bar.set)(*value);
            return value.has_value();
        }
    if (name == QLatin1String("blackout") || name == QLatin1String("music")) {
        const std::optional<bool> on = flag(command, "on");
        if (on)
            name == QLatin1String("music") ? desk_.setMusic(*on) : desk_.setBlackout(*on);
        return on.has_value();
    }
    if (name == QLatin1String("manualOff"))
        desk_.manualOff();
    else if (name == QLatin1String("tap"))
        desk_.tap();
    else
        return false;
    return true;
}

QByteArray TRemoteDesk::state() const
{
    const KyPanel& panel = desk_.panel();
    QJsonObject out;
    QJsonArray cueNames;
    int cueLit = -1;
    const KyCueButtons& cues = panel.cueButtons;
    for (int k = 0; k < KyCueButtons::kButtons; ++k) {
        const KyButton& button = cues.pages[std::size_t(cues.page)][std::size_t(k)];
        const KyCue* cue = button.id ? model_.store.findCue(button.id) : nullptr;
        cueNames.append(caption(cue ? &cue->name : nullptr));
        if (button.shownLit())
            cueLit = k;
    }
    out[QLatin1String("cue")] = QJsonObject{{"page", cues.page}, {"names", cueNames}, {"lit", cueLit}};

    QJsonArray zones;
    std::array<std::string, KyPanel::kZones> playing;
    QJsonObject live;
    {
        std::lock_guard lock(model_.showLock);
        const KyCue& cue = model_.dmx.liveCue();
        for (int zone = 0; zone < KyPanel::kZones; ++zone)
            if (cue.zoneEngine(zone).sequenceId != 0)
                playing[std::size_t(zone)] = cue.zoneEngine(zone).sequence->name;
        live = {{"name", vt::fromCp1250(cue.name)},
                {"play", cue.playState},
                {"generators", cue.generatorState},
                {"cueSpeed", cue.speed},
                {"genSpeed", generatorSpeedPosition(cue.generatorSpeed)},
                {"genAmp", generatorAmplitudePosition(cue.generatorAmplitude)},
                {"blackout", model_.usb.blackoutActive},
                {"music", model_.musicMode},
                {"tempo", tempoText(model_.beats.bpm(), model_.beats.source())},
                {"module", model_.usb.moduleState == 1 ? vt::fromCp1250(model_.usb.connectedModuleName) : QString()}};
    }
    for (int zone = 0; zone < KyPanel::kZones; ++zone) {
        const KySeqButtons& column = panel.seqButtons[std::size_t(zone)];
        QJsonArray names;
        QJsonArray flash;
        int lit = -1;
        for (int k = 0; k < KySeqButtons::kButtons; ++k) {
            const KyButton& button = column.pages[std::size_t(column.page)][std::size_t(k)];
            const KySequence* sequence = button.id ? model_.store.findSequence(button.id) : nullptr;
            names.append(caption(sequence ? &sequence->name : nullptr));
            flash.append(sequence && button.flash);
            if (button.shownLit())
                lit = k;
        }
        zones.append(QJsonObject{{"page", column.page},
                                 {"names", names},
                                 {"flash", flash},
                                 {"lit", lit},
                                 {"playing", vt::fromCp1250(playing[std::size_t(zone)])},
                                 {"name", vt::fromCp1250(model_.zoneNames[std::size_t(zone)])}});
    }
    out[QLatin1String("zones")] = zones;
    live[QLatin1String("speedShift")] = desk_.speedShift();
    live[QLatin1String("panel")] = desk_.panelAvailable();
    out[QLatin1String("live")] = live;
    return QJsonDocument(out).toJson(QJsonDocument::Compact);
}
