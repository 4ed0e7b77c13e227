#include "app/Fmain.h"

#include "app/Desk.h"
#include "common/PTrackBar.h"
#include "music/Fbeatsource.h"
#include "dmx/Fdmxspace.h"
#include "dmx/Fola.h"
#include "common/PToolWindow.h"
#include "common/PTranslation.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QMessageBox>

namespace mainform {

QIcon picture(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

void showOnBar(TPTrackBar* bar, const QString& label, int position)
{
    bar->setPositionSilently(position);
    bar->setCaption(label + QString::number(bar->position()));
}

void setHint(QAction* action, const QString& hint, const QString& reason)
{
    action->setToolTip(reason.isEmpty() ? hint : hint + QLatin1Char('\n') + reason);
}

bool isShown(const QWidget* window)
{
    return window && window->isVisible();
}

} // namespace mainform

using namespace mainform;

namespace {

// Lets one of the actions be down at a time.
void groupExclusively(QObject* owner, std::initializer_list<QAction*> actions)
{
    auto* group = new QActionGroup(owner);
    for (QAction* action : actions)
        group->addAction(action);
}

// Polish or English, kept for the next start: the windows are built in one language.
void addLanguageMenu(QMenu* system, QWidget* owner)
{
    QMenu* menu = system->addMenu(QStringLiteral("Język / Language"));
    menu->setObjectName(QStringLiteral("LanguageMenu"));
    auto* group = new QActionGroup(menu);
    const QString current = vt::chosenLanguage({});
    for (auto [code, name] : {std::pair{"pl", "Polski"}, std::pair{"en", "English"}}) {
        QAction* action = menu->addAction(QString::fromUtf8(name));
        action->setCheckable(true);
        action->setChecked(current == QLatin1String(code));
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, owner, [owner, language = QString::fromLatin1(code)] {
            vt::keepLanguage(language);
            QMessageBox::information(owner, QStringLiteral("Język / Language"),
                                     TMainForm::tr("Język zostanie zmieniony przy następnym uruchomieniu programu."));
        });
    }
}

} // namespace

QAction* TMainForm::makeAction(const char* name, const QString& caption, const QString& hint, const char* picture)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    // Hints only as tool tips: the status bar stays empty.
    if (!hint.isEmpty())
        action->setToolTip(hint);
    if (picture)
        action->setIcon(mainform::picture(picture));
    return action;
}

void TMainForm::createActions()
{
    actions_.library = makeAction("LibraryAction", TMainForm::tr("&Biblioteka urządzeń"), {}, "library");
    actions_.club = makeAction("ClubAction", TMainForm::tr("&Konfiguracja DMX"), {}, "club");
    actions_.iconMove = makeAction("IconMoveAction", TMainForm::tr("Ruch ikon"), {}, "iconmove");
    actions_.iconMove->setCheckable(true);
    // The only place this action shows is its menu item, which reads "Strony".
    actions_.floors = makeAction("FloorsAction", TMainForm::tr("&Strony"), TMainForm::tr("Strony"), "pages");
    actions_.dmxSpace = makeAction("DmxSpaceAction", TMainForm::tr("Przestrzeń DMX"), {}, "dmxspace");
    actions_.dmxModule = makeAction("DmxModuleAction", TMainForm::tr("Moduł Dmx"), {}, "dmxmodule");
    actions_.ola = makeAction("OlaAction", TMainForm::tr("Wyjście OLA"), {}, "ola");
    actions_.exit = makeAction("ExitAction", TMainForm::tr("&Zakończ"), {}, "exit");
    actions_.exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    createFunctionActions();
    actions_.blackout = makeAction("BlackoutAction", TMainForm::tr("Blackout"), {}, "blackout");
    actions_.blackout->setCheckable(true);

    actions_.sequence = makeAction("SequenceAction", TMainForm::tr("&Sekwencje"), TMainForm::tr("Sekwencje"), "sequence");
    actions_.cue = makeAction("CueAction", TMainForm::tr("&Cue"), TMainForm::tr("Cue"), "cue");
    actions_.directPanel = makeAction("DirectPanelAction", TMainForm::tr("Panel sterowania"),
                                    TMainForm::tr("Panel sterowania"), "panel");
    actions_.play = makeAction("PlayAction", TMainForm::tr("Start"), TMainForm::tr("Start"), "start");
    actions_.pause = makeAction("PauseAction", TMainForm::tr("Pauza"), TMainForm::tr("Pauza"), "pause");
    actions_.stop = makeAction("StopAction", TMainForm::tr("Stop"), TMainForm::tr("Stop"), "stop");
    actions_.manualOff = makeAction("ManualOffAction", TMainForm::tr("Manual OFF"), TMainForm::tr("Manual Off"), "manualoff");
    actions_.music = makeAction("MusicAction", TMainForm::tr("Muzyka"), TMainForm::tr("Muzyka/Zegar"), "clock");
    actions_.music->setCheckable(true);
    actions_.about = makeAction("AboutAction", TMainForm::tr("O programie"), {}, nullptr);
    actions_.beatSource = makeAction("BeatSourceAction", TMainForm::tr("Źródło rytmu"), {}, "rhythm");
    actions_.tap = makeAction("TapAction", TMainForm::tr("Tap"), TMainForm::tr("Tap (T)"), nullptr);
    actions_.tap->setShortcut(QKeySequence(Qt::Key_T));
    actions_.tap->setAutoRepeat(false); // a held key is one tap

    actions_.generatorPlay = makeAction("GeneratorPlayAction", TMainForm::tr("Start generatorów"),
                                      TMainForm::tr("Start generatorów"), "genstart");
    actions_.generatorPause = makeAction("GeneratorPauseAction", TMainForm::tr("Pauza generatorów"),
                                       TMainForm::tr("Pauza generatorów"), "genpause");
    actions_.generatorStop = makeAction("GeneratorStopAction", TMainForm::tr("Stop generatorów"),
                                      TMainForm::tr("Stop generatorów"), "genstop");
    for (QAction* transport : {actions_.play, actions_.pause, actions_.stop, actions_.generatorPlay, actions_.generatorPause,
                               actions_.generatorStop})
        transport->setCheckable(true);
    groupExclusively(this, {actions_.play, actions_.pause, actions_.stop});
    groupExclusively(this, {actions_.generatorPlay, actions_.generatorPause, actions_.generatorStop});
    actions_.restoreLayout = makeAction("RestoreLayoutAction", TMainForm::tr("Przywróć układ"), {}, nullptr);
    connectActions();
}

void TMainForm::connectActions()
{
    connect(actions_.iconMove, &QAction::toggled, this, &TMainForm::IconMoveActionExecute);
    connect(actions_.play, &QAction::triggered, this, [this] { liveCueDo(&KyCue::play); });
    connect(actions_.pause, &QAction::triggered, this, [this] { liveCueDo(&KyCue::pause); });
    connect(actions_.stop, &QAction::triggered, this, [this] { liveCueDo(&KyCue::stop); });
    connect(actions_.generatorPlay, &QAction::triggered, this, [this] { liveCueDo(&KyCue::playGenerators); });
    connect(actions_.generatorPause, &QAction::triggered, this, [this] { liveCueDo(&KyCue::pauseGenerators); });
    connect(actions_.generatorStop, &QAction::triggered, this, [this] { liveCueDo(&KyCue::stopGenerators); });
    connect(actions_.exit, &QAction::triggered, this, &QWidget::close);
    connect(actions_.library, &QAction::triggered, this, &TMainForm::LibraryActionExecute);
    connect(actions_.cue, &QAction::triggered, this, &TMainForm::CueActionExecute);
    connect(actions_.club, &QAction::triggered, this, &TMainForm::ClubActionExecute);
    connect(actions_.floors, &QAction::triggered, this, &TMainForm::FloorsActionExecute);
    connect(actions_.directPanel, &QAction::triggered, this, &TMainForm::DirectPanelActionExecute);
    connect(actions_.sequence, &QAction::triggered, this, &TMainForm::SequenceActionExecute);
    connect(actions_.dmxSpace, &QAction::triggered, this, [this] { bringUp(windows_.dmxSpace.get()); });
    connect(actions_.dmxModule, &QAction::triggered, this, &TMainForm::DmxModuleActionExecute);
    connect(actions_.ola, &QAction::triggered, this, [this] { bringUp(windows_.ola.get()); });
    connect(actions_.manualOff, &QAction::triggered, this, &TMainForm::ManualOffActionExecute);
    connect(actions_.music, &QAction::toggled, this, &TMainForm::MusicActionExecute);
    connect(actions_.about, &QAction::triggered, this, &TMainForm::AboutActionExecute);
    connect(actions_.beatSource, &QAction::triggered, this, [this] { bringUp(windows_.beatSource.get()); });
    connect(actions_.tap, &QAction::triggered, this, &TMainForm::TapActionExecute);
    connect(actions_.restoreLayout, &QAction::triggered, this, [this] { desk_->restoreDefault(); });
    connectFunctionWindows();
}

// Checked while their windows are on screen; connectFunctionWindows binds them to the windows.
void TMainForm::createFunctionActions()
{
    for (std::size_t i = 0; i < actions_.functions.size(); ++i) {
        const FunctionActionText& text = kFunctionActions[i];
        actions_.functions[i] = makeAction(text.name, tr(text.caption), tr(text.hint), text.picture);
        actions_.functions[i]->setCheckable(true);
    }
}

void TMainForm::createMenus()
{
    menuBar()->setNativeMenuBar(false);
    QMenu* system = menuBar()->addMenu(TMainForm::tr("System"));
    system->addActions({actions_.library, actions_.club, actions_.iconMove, actions_.floors});
    system->addSeparator();
    system->addActions({actions_.dmxSpace, actions_.dmxModule, actions_.ola});
    system->addAction(actions_.beatSource);
    // Windows of later rooms join the connections before this separator.
    system->addSeparator()->setObjectName(vt::kConnectionsEnd);
    addLanguageMenu(system, this);
    system->addSeparator();
    system->addAction(actions_.exit);

    QMenu* functions = menuBar()->addMenu(TMainForm::tr("&Funkcje"));
    for (std::size_t i = 1; i < actions_.functions.size(); ++i)
        functions->addAction(actions_.functions[i]);
    functions->addSeparator();
    functions->addActions({actions_.functions[0], actions_.blackout});

    QMenu* program = menuBar()->addMenu(TMainForm::tr("&Program"));
    program->addActions({actions_.sequence, actions_.cue, actions_.directPanel});
    program->addSeparator();
    program->addActions({actions_.play, actions_.pause, actions_.stop});
    program->addSeparator();
    program->addActions({actions_.manualOff, actions_.music});

    QMenu* view = menuBar()->addMenu(TMainForm::tr("&Widok"));
    view->addAction(actions_.restoreLayout);

    QMenu* help = menuBar()->addMenu(TMainForm::tr("Pomoc"));
    help->addAction(actions_.about);
}
