#include "app/Fmain.h"

#include "app/Caption.h"
#include "app/PreviewToggle.h"
#include "app/SignalWatcher.h"
#include "app/StartupQuestions.h"
#include "club/Fclub.h"
#include "club/Ffloors.h"
#include "common/Cp1250.h"
#include "common/PToolWindow.h"
#include "common/PTrackBar.h"
#include "cue/Fcue.h"
#include "dmx/Fdmxspace.h"
#include "dmx/Fdmxtracker.h"
#include "dmx/Fmoduleselect.h"
#include "dmx/Fola.h"
#include "functions/Fblackout.h"
#include "functions/Fchvalue.h"
#include "functions/Fdimmers.h"
#include "functions/Fgenerator.h"
#include "functions/Flight.h"
#include "functions/Fmixer.h"
#include "functions/Fpantilt.h"
#include "functions/Functions.h"
#include "functions/Fwheel.h"
#include "generator/GeneratorScale.h"
#include "library/Flibrary.h"
#include "module/Fdmxmodule.h"
#include "music/Fbeatsource.h"
#include "panel/Fdirectaccess.h"
#include "remote/Fremote.h"
#include "sequence/Fsequence.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <iostream>

namespace {

QString fromCp1250(const std::string& text)
{
    return QString::fromStdString(vt::cp1250ToUtf8(text));
}

DataPaths pathsFor(const StartOptions& options)
{
    return DataPaths::in(options.dataDirectory.empty() ? executableDirectory() : options.dataDirectory);
}

SerialPortLister portListerFor(const StartOptions& options)
{
    SerialPortSources sources;
    sources.givenPaths = options.ports;
    if (options.listSystemPorts) {
        for (auto& path : portsFromEnvironment())
            sources.givenPaths.push_back(std::move(path));
    } else {
        sources.ttyClassDirectory.clear();
    }
    return serialPortLister(std::move(sources));
}

} // namespace

TMainForm::TMainForm(const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), show_(pathsFor(options), portListerFor(options))
{
    pageControl_ = new TPIconPages(show_.icons, show_.showLock(), this);
    pageControl_->setStyleSheet(QStringLiteral("QTabBar::tab { width: 120px; }"));
    setCentralWidget(pageControl_);
    statusBar();
    // Where no window manager maximizes the window, it still fills the screen.
    setGeometry(screen()->availableGeometry());
    rhythm_ = std::make_unique<KyRhythmControl>(show_.beats, show_.audioBeats, show_.showLock(), options.audioFile);
    createToolWindows();
    createActions();
    createMenus();
    createToolbars();
    installRemote(*this, {show_.seque, show_.dmx, show_.usb, show_.beats, show_.musicMode, show_.zoneNames,
                          show_.showLock()},
                  directAccessForm_->actions(), {options.remotePort, options.remoteCode}, [this] { return deskArea(); });
    addPreviewToggle(*this, *pageControl_, show_);

    timer_.setOnMMTimer(mainTick());
    timer_.SetInterval(50);

    std::vector<std::string> warnings;
    show_.loadAll(warnings);
    // A generators file that could not be read must not be replaced by the list window either.
    if (show_.mustNotOverwrite(show_.paths().generators))
        generatorForm_->setGenListPath({});
    // From here on there is a show to keep: a signal, also one during a start-up question,
    // closes the program as "Zakończ" does.
    connect(new TSignalWatcher(this), &TSignalWatcher::received, this, &TMainForm::closeOnSignal);
    for (const auto& caption : show_.pageNames)
        pageControl_->addPage(fromCp1250(caption));
    pageControl_->rebuildIcons();
    reportLoadWarnings(warnings);
    if (shutDown_)
        return; // a signal ended the program during a question

    const KyOlaTarget ola = withStartOverrides(loadOlaTarget(), options.olaUniverse, options.olaPort);
    show_.ola.setTarget(ola);
    // The tick is not running yet, so discovery may talk to the port without the show lock.
    TModuleChooser chooser;
    KyStartupQuestions questions(chooser, ola.enabled, shutDown_);
    show_.usb.discover(questions);
    if (shutDown_)
        return; // a signal ended the program during a question
    startRhythm(options);

    updateTimer_ = new QTimer(this);
    connect(updateTimer_, &QTimer::timeout, this, &TMainForm::updateActions);
    updateTimer_->start(50);
    updateActionsAfterInput();
    updateActions();

    show_.cancelClose();
    timer_.setEnabled(true);
}

TMainForm::~TMainForm()
{
    shutdown();
}

void TMainForm::MMTimerMMTimer(TMMTimer&)
{
    show_.tick();
}

TMMTimer::Handler TMainForm::mainTick()
{
    return [this](TMMTimer& sender) { MMTimerMMTimer(sender); };
}

void TMainForm::updateCaption()
{
    bool connected = false;
    std::string name;
    {
        std::lock_guard lock(show_.showLock());
        connected = show_.usb.moduleState == 1;
        if (connected)
            name = show_.usb.connectedModuleName;
    }
    setWindowTitle(mainWindowCaption(connected, fromCp1250(name), show_.ola.target()));
}

void TMainForm::reportLoadWarnings(const std::vector<std::string>& warnings)
{
    for (const auto& warning : warnings) {
        if (shutDown_) // a signal ended the program during the previous one
            return;
        QMessageBox::warning(nullptr, QStringLiteral("Ostrzeżenie"), QString::fromStdString(warning));
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (shutDown_) {
        event->accept();
        return;
    }
    show_.requestClose();
    auto answer = QMessageBox::question(this, QStringLiteral("Potwierdzenie"), QStringLiteral("Zamknąć program?"),
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (shutDown_) { // a signal closed the program while the question was open
        event->accept();
        return;
    }
    if (answer != QMessageBox::Yes) {
        show_.cancelClose();
        event->ignore();
        return;
    }
    shutdown();
    event->accept();
}

void TMainForm::closeOnSignal()
{
    shutdown(Report::StandardError);
    QApplication::exit(0);
}

// Stops the tick, closes the output and writes the data files, once.
void TMainForm::shutdown(Report report)
{
    if (shutDown_)
        return;
    shutDown_ = true;
    timer_.setEnabled(false);
    show_.audioBeats.stop();
    cueForm_.reset(); // it sorts the stored cues before they are saved
    show_.usb.closePort();
    if (updateTimer_)
        updateTimer_->stop();
    for (const auto& failure : show_.saveAtExit()) {
        if (report == Report::StandardError)
            std::cerr << failure << '\n';
        else
            QMessageBox::warning(nullptr, QStringLiteral("Błąd"), QString::fromStdString(failure));
    }
}

// ---- Actions, menus and toolbars

namespace {

QIcon picture(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

struct FunctionActionText {
    const char* name;
    const char* caption;
    const char* hint;
    const char* picture;
};

// In the order of the function toolbar.
constexpr FunctionActionText kFunctionActions[] = {
    {"ResetAction", "Reset", "Reset", "reset"},
    {"LightAction", "Światło", "Światło", "light"},
    {"LampAction", "Lampa", "Lampa", "lamp"},
    {"PanTiltAction", "Pan Tilt", "Pan Tilt", "pantilt"},
    {"ColorAction", "Kolor", "Kolor", "color"},
    {"MixerAction", "Mixer kolorów", "RGB/CMY", "mixer"},
    {"GoboAction", "Gobo", "Gobo", "gobo"},
    {"EffectAction", "Efekt", "Efekt", "effect"},
    {"OpticAction", "Optyka", "Optyka", "optic"},
    {"DimmersAction", "Dimmery", "Dimmery", "dimmers"},
};

const QString kCueSpeedLabel = QStringLiteral("PRĘDKOŚĆ CUE:  ");
const QString kGeneratorAmplitudeLabel = QStringLiteral("AMPLITUDA GENERATORÓW:  ");
const QString kGeneratorSpeedLabel = QStringLiteral("PRĘDKOŚĆ GENERATORÓW:  ");

// Sets a bar to a value read back from the show, without acting on the show, and writes the
// value into its caption.
void showOnBar(TPTrackBar* bar, const QString& label, int position)
{
    bar->setPositionSilently(position);
    bar->setCaption(label + QString::number(bar->position()));
}

// The sequence editor takes the output: what it disables says so.
const std::string kSequenceEditorOpen = "Niedostępne, gdy otwarty jest edytor sekwencji";

// An action's hint and, on a line of its own while the action cannot be used, why.
void setHint(QAction* action, const QString& hint, const std::string& reason)
{
    action->setToolTip(reason.empty() ? hint : hint + QLatin1Char('\n') + QString::fromStdString(reason));
}

bool isShown(const QWidget* window)
{
    return window && window->isVisible();
}

// Lets one of the actions be down at a time.
void groupExclusively(QObject* owner, std::initializer_list<QAction*> actions)
{
    auto* group = new QActionGroup(owner);
    for (QAction* action : actions)
        group->addAction(action);
}

} // namespace

void TMainForm::createToolWindows()
{
    dmxSpaceForm_ = std::make_unique<TDmxSpaceForm>(show_.dmx, show_.showLock(), this);
    createGeneratorWindow();
    createSequenceWindow();
    directAccessForm_ = std::make_unique<TDirectAccessForm>(show_.panel, show_.seque, show_.dmx, show_.zoneNames,
                                                            show_.showLock(), this);
    createCueWindow();
    createFunctionWindows();
    dmxTrackerForm_ = std::make_unique<TDmxTrackerForm>(show_.dmx, show_.icons, show_.showLock(), this);
    connect(pageControl_, &TPIconPages::selectionChanged, dmxTrackerForm_.get(), &TDmxTrackerForm::followSelection);
    beatSourceForm_ = std::make_unique<TBeatSourceForm>(*rhythm_, show_.beats, show_.showLock(), this);
    olaForm_ = std::make_unique<TOlaForm>(show_.ola, this);
    keepToolWindowPlaces();
}

// The first time down the right-hand side of the pages, the panel along their bottom; then
// where the operator left them. None of them can minimise the program.
void TMainForm::keepToolWindowPlaces()
{
    auto keep = [this](QWidget* window, const QString& key, KyWindowSpot spot = KyWindowSpot::RightSide) {
        vt::askForCloseBoxAlone(window);
        TPToolWindowPlace::keep(window, key, spot, [this] { return deskArea(); });
    };
    for (std::size_t i = 0; i < functionForms_.size(); ++i)
        keep(functionForms_[i].get(), QString::fromLatin1(kFunctionActions[i].name).remove(QStringLiteral("Action")));
    keep(blackoutForm_.get(), QStringLiteral("Blackout"));
    keep(dmxSpaceForm_.get(), QStringLiteral("DmxSpace"));
    keep(dmxTrackerForm_.get(), QStringLiteral("DmxTracker"));
    keep(generatorForm_.get(), QStringLiteral("Generator"));
    keep(sequenceForm_.get(), QStringLiteral("Sequence"));
    keep(cueForm_.get(), QStringLiteral("Cue"));
    keep(directAccessForm_.get(), QStringLiteral("DirectAccess"), KyWindowSpot::Bottom);
    keep(beatSourceForm_.get(), QStringLiteral("BeatSource"));
    keep(olaForm_.get(), QStringLiteral("Ola"));
}

// The pages below their tabs: the tool windows go there, clear of the menus, the toolbars
// and the tabs.
QRect TMainForm::deskArea() const
{
    const QRect screenArea = screen()->availableGeometry();
    if (!isVisible())
        return screenArea;
    QRect pages(pageControl_->mapToGlobal(QPoint(0, 0)), pageControl_->size());
    pages.setTop(pageControl_->tabBar()->mapToGlobal(QPoint(0, pageControl_->tabBar()->height())).y());
    return pages.intersected(screenArea);
}

QAction* TMainForm::makeAction(const char* name, const QString& caption, const QString& hint, const char* picture)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    // Hints only as tool tips: the status bar stays empty.
    if (!hint.isEmpty())
        action->setToolTip(hint);
    if (picture)
        action->setIcon(::picture(picture));
    return action;
}

void TMainForm::createActions()
{
    libraryAction_ = makeAction("LibraryAction", QStringLiteral("&Biblioteka urządzeń"), {}, "library");
    clubAction_ = makeAction("ClubAction", QStringLiteral("&Konfiguracja DMX"), {}, "club");
    iconMoveAction_ = makeAction("IconMoveAction", QStringLiteral("Ruch ikon"), {}, "iconmove");
    iconMoveAction_->setCheckable(true);
    // The only place this action shows is its menu item, which reads "Strony".
    floorsAction_ = makeAction("FloorsAction", QStringLiteral("&Strony"), QStringLiteral("Strony"), "pages");
    dmxSpaceAction_ = makeAction("DmxSpaceAction", QStringLiteral("Przestrzeń DMX"), {}, "dmxspace");
    dmxModuleAction_ = makeAction("DmxModuleAction", QStringLiteral("Moduł Dmx"), {}, "dmxmodule");
    olaAction_ = makeAction("OlaAction", QStringLiteral("Wyjście OLA"), {}, "ola");
    exitAction_ = makeAction("ExitAction", QStringLiteral("&Zakończ"), {}, "exit");
    exitAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    createFunctionActions();
    blackoutAction_ = makeAction("BlackoutAction", QStringLiteral("Blackout"), {}, "blackout");
    blackoutAction_->setCheckable(true);

    sequenceAction_ = makeAction("SequenceAction", QStringLiteral("&Sekwencje"), QStringLiteral("Sekwencje"), "sequence");
    cueAction_ = makeAction("CueAction", QStringLiteral("&Cue"), QStringLiteral("Cue"), "cue");
    directPanelAction_ = makeAction("DirectPanelAction", QStringLiteral("Panel sterowania"),
                                    QStringLiteral("Panel sterowania"), "panel");
    playAction_ = makeAction("PlayAction", QStringLiteral("Start"), QStringLiteral("Start"), "start");
    pauseAction_ = makeAction("PauseAction", QStringLiteral("Pauza"), QStringLiteral("Pauza"), "pause");
    stopAction_ = makeAction("StopAction", QStringLiteral("Stop"), QStringLiteral("Stop"), "stop");
    manualOffAction_ = makeAction("ManualOffAction", QStringLiteral("Manual OFF"), QStringLiteral("Manual Off"), "manualoff");
    musicAction_ = makeAction("MusicAction", QStringLiteral("Muzyka"), QStringLiteral("Muzyka/Zegar"), "clock");
    musicAction_->setCheckable(true);
    aboutAction_ = makeAction("AboutAction", QStringLiteral("O programie"), {}, nullptr);
    beatSourceAction_ = makeAction("BeatSourceAction", QStringLiteral("Źródło rytmu"), {}, "rhythm");
    tapAction_ = makeAction("TapAction", QStringLiteral("Tap"), QStringLiteral("Tap (T)"), nullptr);
    tapAction_->setShortcut(QKeySequence(Qt::Key_T));
    tapAction_->setAutoRepeat(false); // a held key is one tap

    generatorPlayAction_ = makeAction("GeneratorPlayAction", QStringLiteral("Start generatorów"),
                                      QStringLiteral("Start generatorów"), "genstart");
    generatorPauseAction_ = makeAction("GeneratorPauseAction", QStringLiteral("Pauza generatorów"),
                                       QStringLiteral("Pauza generatorów"), "genpause");
    generatorStopAction_ = makeAction("GeneratorStopAction", QStringLiteral("Stop generatorów"),
                                      QStringLiteral("Stop generatorów"), "genstop");
    for (QAction* transport : {playAction_, pauseAction_, stopAction_, generatorPlayAction_, generatorPauseAction_,
                               generatorStopAction_})
        transport->setCheckable(true);
    groupExclusively(this, {playAction_, pauseAction_, stopAction_});
    groupExclusively(this, {generatorPlayAction_, generatorPauseAction_, generatorStopAction_});

    connect(iconMoveAction_, &QAction::toggled, this, &TMainForm::IconMoveActionExecute);
    connect(playAction_, &QAction::triggered, this, [this] { liveCueDo(&KyCue::play); });
    connect(pauseAction_, &QAction::triggered, this, [this] { liveCueDo(&KyCue::pause); });
    connect(stopAction_, &QAction::triggered, this, [this] { liveCueDo(&KyCue::stop); });
    connect(generatorPlayAction_, &QAction::triggered, this, [this] { liveCueDo(&KyCue::playGenerators); });
    connect(generatorPauseAction_, &QAction::triggered, this, [this] { liveCueDo(&KyCue::pauseGenerators); });
    connect(generatorStopAction_, &QAction::triggered, this, [this] { liveCueDo(&KyCue::stopGenerators); });
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    connect(libraryAction_, &QAction::triggered, this, &TMainForm::LibraryActionExecute);
    connect(cueAction_, &QAction::triggered, this, &TMainForm::CueActionExecute);
    connect(clubAction_, &QAction::triggered, this, &TMainForm::ClubActionExecute);
    connect(floorsAction_, &QAction::triggered, this, &TMainForm::FloorsActionExecute);
    connect(directPanelAction_, &QAction::triggered, this, &TMainForm::DirectPanelActionExecute);
    connect(sequenceAction_, &QAction::triggered, this, &TMainForm::SequenceActionExecute);
    connect(dmxSpaceAction_, &QAction::triggered, this, &TMainForm::DmxSpaceActionExecute);
    connect(dmxModuleAction_, &QAction::triggered, this, &TMainForm::DmxModuleActionExecute);
    connect(olaAction_, &QAction::triggered, this, &TMainForm::OlaActionExecute);
    connect(manualOffAction_, &QAction::triggered, this, &TMainForm::ManualOffActionExecute);
    connect(musicAction_, &QAction::toggled, this, &TMainForm::MusicActionExecute);
    connect(aboutAction_, &QAction::triggered, this, &TMainForm::AboutActionExecute);
    connect(beatSourceAction_, &QAction::triggered, this, &TMainForm::BeatSourceActionExecute);
    connect(tapAction_, &QAction::triggered, this, &TMainForm::TapActionExecute);
    connectFunctionWindows();
}

// Checked while their windows are on screen; connectFunctionWindows binds them to the windows.
void TMainForm::createFunctionActions()
{
    for (std::size_t i = 0; i < functionActions_.size(); ++i) {
        const FunctionActionText& text = kFunctionActions[i];
        functionActions_[i] = makeAction(text.name, QString::fromUtf8(text.caption), QString::fromUtf8(text.hint), text.picture);
        functionActions_[i]->setCheckable(true);
    }
}

void TMainForm::createMenus()
{
    menuBar()->setNativeMenuBar(false);
    QMenu* system = menuBar()->addMenu(QStringLiteral("System"));
    system->addActions({libraryAction_, clubAction_, iconMoveAction_, floorsAction_});
    system->addSeparator();
    system->addActions({dmxSpaceAction_, dmxModuleAction_, olaAction_});
    system->addAction(beatSourceAction_);
    system->addSeparator();
    system->addAction(exitAction_);

    QMenu* functions = menuBar()->addMenu(QStringLiteral("&Funkcje"));
    for (std::size_t i = 1; i < functionActions_.size(); ++i)
        functions->addAction(functionActions_[i]);
    functions->addSeparator();
    functions->addActions({functionActions_[0], blackoutAction_});

    QMenu* program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->addActions({sequenceAction_, cueAction_, directPanelAction_});
    program->addSeparator();
    program->addActions({playAction_, pauseAction_, stopAction_});
    program->addSeparator();
    program->addActions({manualOffAction_, musicAction_});

    QMenu* help = menuBar()->addMenu(QStringLiteral("Pomoc"));
    help->addAction(aboutAction_);
}

void TMainForm::createToolbars()
{
    createFunctionToolbar();
    addToolBarBreak();
    createCueToolbar();
    addToolBarBreak();
    createGeneratorToolbar();
    for (QToolBar* toolbar : findChildren<QToolBar*>()) {
        toolbar->setMovable(false);
        toolbar->setFloatable(false);
    }
}

void TMainForm::createFunctionToolbar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("Funkcje"));
    toolbar->setObjectName(QStringLiteral("FunctionToolBar"));
    toolbar->setIconSize(QSize(32, 32));
    for (QAction* action : functionActions_)
        toolbar->addAction(action);
    toolbar->addSeparator();

    auto* blackout = new QToolButton(toolbar);
    blackout->setObjectName(QStringLiteral("BlackoutButton"));
    blackout->setDefaultAction(blackoutAction_);
    blackout->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont large = blackout->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    blackout->setFont(large);
    toolbar->addWidget(blackout);

    dmxTrackerButton_ = new QToolButton(toolbar);
    dmxTrackerButton_->setObjectName(QStringLiteral("DmxTrackerButton"));
    dmxTrackerButton_->setText(QStringLiteral("DMX Tracker"));
    dmxTrackerButton_->setIcon(picture("tracker"));
    dmxTrackerButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(dmxTrackerButton_, &QToolButton::clicked, this, &TMainForm::DmxTrackerButtonClick);
    toolbar->addWidget(dmxTrackerButton_);
}

TPTrackBar* TMainForm::makeBar(const char* name, int min, int max)
{
    auto* bar = new TPTrackBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setIsVertical(false);
    bar->setMin(min);
    bar->setMax(max);
    int widest = bar->fontMetrics().horizontalAdvance(kGeneratorAmplitudeLabel + QStringLiteral("-100"));
    bar->setFixedWidth(widest + 2 * bar->sliderSize() + 16);
    bar->fitCaptionAboveKnob(); // the knob never covers the caption
    return bar;
}

void TMainForm::createCueToolbar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("Cue"));
    toolbar->setObjectName(QStringLiteral("CueToolBar"));
    toolbar->addActions({playAction_, pauseAction_, stopAction_});
    cueSpeedBar_ = makeBar("CueSpeedTBar", -100, 100);
    showOnBar(cueSpeedBar_, kCueSpeedLabel, 0);
    connect(cueSpeedBar_, &TPTrackBar::changed, this, &TMainForm::CueSpeedTBarChange);
    toolbar->addWidget(cueSpeedBar_);
    toolbar->addActions({sequenceAction_, cueAction_, directPanelAction_});
    toolbar->addSeparator();
    toolbar->addAction(manualOffAction_);
    heldCounter_ = new QLabel(toolbar);
    heldCounter_->setObjectName(QStringLiteral("HeldCounter"));
    heldCounter_->setToolTip(QStringLiteral("Kanały trzymane ręcznie"));
    toolbar->addWidget(heldCounter_);
    toolbar->addSeparator();
    toolbar->addAction(musicAction_);
    toolbar->addAction(tapAction_);
    tempoLabel_ = new QLabel(toolbar);
    tempoLabel_->setObjectName(QStringLiteral("TempoLabel"));
    const QString widest = QString::fromStdString(tempoCaption(888.8, KyRhythmSource::Module));
    tempoLabel_->setMinimumWidth(tempoLabel_->fontMetrics().horizontalAdvance(widest));
    toolbar->addWidget(tempoLabel_);
}

void TMainForm::createGeneratorToolbar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("Generatory"));
    toolbar->setObjectName(QStringLiteral("GeneratorToolBar"));
    generatorAmplitudeBar_ = makeBar("GeneratorAmplitudeTBar", 0, 100);
    showOnBar(generatorAmplitudeBar_, kGeneratorAmplitudeLabel, 100);
    connect(generatorAmplitudeBar_, &TPTrackBar::changed, this, &TMainForm::GeneratorAmplitudeTBarChange);
    toolbar->addWidget(generatorAmplitudeBar_);
    toolbar->addActions({generatorPlayAction_, generatorPauseAction_, generatorStopAction_});
    generatorSpeedBar_ = makeBar("GeneratorSpeedTBar", -100, 100);
    showOnBar(generatorSpeedBar_, kGeneratorSpeedLabel, 0);
    connect(generatorSpeedBar_, &TPTrackBar::changed, this, &TMainForm::GeneratorSpeedTBarChange);
    toolbar->addWidget(generatorSpeedBar_);
}

void TMainForm::updateActions()
{
    updateFunctionActions();
    updateLiveCueControls();
    updateSequenceEditorRule();
    updateCaption();
    updateTempo();
    updateHeldChannels();
}

// A held channel overrides every cue, so the operator sees how many there are.
void TMainForm::updateHeldChannels()
{
    int held = 0;
    {
        std::lock_guard lock(show_.showLock());
        held = show_.dmx.heldCount();
    }
    if (held == heldShown_)
        return;
    heldShown_ = held;
    heldCounter_->setText(QStringLiteral("Ręcznie: %1").arg(held));
    heldCounter_->setStyleSheet(held ? QStringLiteral("color: red; font-weight: bold;") : QString());
    manualOffAction_->setToolTip(held ? QStringLiteral("Manual Off\nKanały trzymane ręcznie: %1").arg(held)
                                      : QStringLiteral("Manual Off"));
}

// Each function action needs a reference device whose type has the function, and shows
// checked while its window is on screen.
void TMainForm::updateFunctionActions()
{
    std::shared_ptr<KyClubDevice> reference = show_.icons.referenceDevice();
    const KyDevice* type = reference ? reference->deviceType.get() : nullptr;
    for (std::size_t i = 0; i < functionActions_.size(); ++i) {
        const std::string reason = functionUnavailableReason(type, kFunctions[i]);
        functionActions_[i]->setEnabled(reason.empty());
        setHint(functionActions_[i], QString::fromUtf8(kFunctionActions[i].hint), reason);
        if (!functionWindowsSuspended_)
            functionForms_[i]->reevaluateVisibility();
        functionActions_[i]->setChecked(isShown(functionForms_[i].get()));
    }
    blackoutAction_->setChecked(isShown(blackoutForm_.get()));
}

// The transport buttons and the bars show the live cue, whoever changed it.
void TMainForm::updateLiveCueControls()
{
    std::uint8_t playState = 0;
    std::uint8_t generatorState = 0;
    int speed = 0;
    double generatorSpeed = 1;
    double generatorAmplitude = 1;
    {
        std::lock_guard lock(show_.showLock());
        const KyCue& live = show_.dmx.liveCue();
        playState = live.playState;
        generatorState = live.generatorState;
        speed = live.speed;
        generatorSpeed = live.generatorSpeed;
        generatorAmplitude = live.generatorAmplitude;
    }
    const std::array<QAction*, 3> transport = {playAction_, pauseAction_, stopAction_};
    const std::array<QAction*, 3> generators = {generatorPlayAction_, generatorPauseAction_, generatorStopAction_};
    transport[playState]->setChecked(true);
    generators[generatorState]->setChecked(true);
    showOnBar(cueSpeedBar_, kCueSpeedLabel, speed);
    showOnBar(generatorSpeedBar_, kGeneratorSpeedLabel, generatorSpeedPosition(generatorSpeed));
    showOnBar(generatorAmplitudeBar_, kGeneratorAmplitudeLabel, generatorAmplitudePosition(generatorAmplitude));
}

// While the sequence editor plays with the live output, the cue controls keep out of its way.
void TMainForm::updateSequenceEditorRule()
{
    const bool editorOpen = isShown(sequenceForm_.get());
    const std::string reason = editorOpen ? kSequenceEditorOpen : std::string();
    cueSpeedBar_->setEnabled(!editorOpen);
    cueSpeedBar_->setToolTip(QString::fromStdString(reason));
    cueAction_->setEnabled(cueForm_ && !editorOpen);
    setHint(cueAction_, QStringLiteral("Cue"), reason);
    directPanelAction_->setEnabled(directAccessForm_ && !editorOpen);
    setHint(directPanelAction_, QStringLiteral("Panel sterowania"), reason);
    // Both take the tick over; the module window gives back the main tick when it is done.
    dmxModuleAction_->setEnabled(!editorOpen);
    setHint(dmxModuleAction_, QStringLiteral("Moduł Dmx"), reason);
}

// Input may change what the actions show, so the update pass also runs once the event that
// came in has been handled, without waiting for the update timer.
void TMainForm::updateActionsAfterInput()
{
    actionUpdateAfterInput_ = new QTimer(this);
    actionUpdateAfterInput_->setSingleShot(true);
    actionUpdateAfterInput_->setInterval(0);
    connect(actionUpdateAfterInput_, &QTimer::timeout, this, &TMainForm::updateActions);
    qApp->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        if (actionUpdateAfterInput_)
            actionUpdateAfterInput_->start();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::IconMoveActionExecute(bool checked)
{
    {
        std::lock_guard lock(show_.showLock());
        show_.icons.setMoveMode(checked);
    }
    pageControl_->placeIcons();
}

void TMainForm::liveCueDo(void (KyCue::*operation)())
{
    std::lock_guard lock(show_.showLock());
    (show_.dmx.liveCue().*operation)();
}

void TMainForm::CueSpeedTBarChange()
{
    std::lock_guard lock(show_.showLock());
    show_.dmx.liveCue().setSpeed(cueSpeedBar_->position(), true);
}

void TMainForm::GeneratorSpeedTBarChange()
{
    std::lock_guard lock(show_.showLock());
    show_.dmx.liveCue().setGeneratorSpeed(generatorSpeedFactor(generatorSpeedBar_->position()), true);
}

void TMainForm::GeneratorAmplitudeTBarChange()
{
    std::lock_guard lock(show_.showLock());
    show_.dmx.liveCue().setGeneratorAmplitude(generatorAmplitudeFactor(generatorAmplitudeBar_->position()));
}

void TMainForm::DmxTrackerButtonClick()
{
    if (dmxTrackerForm_->isVisible())
        dmxTrackerForm_->close();
    else
        dmxTrackerForm_->show();
}

void TMainForm::DmxSpaceActionExecute()
{
    dmxSpaceForm_->show();
    dmxSpaceForm_->raise();
}

void TMainForm::OlaActionExecute()
{
    olaForm_->show();
    olaForm_->raise();
}

// The library reaches its file only here, sorted by name.
void TMainForm::LibraryActionExecute()
{
    suspendFunctionWindows();
    TLibraryForm form(show_.library, show_.showLock(), this);
    form.exec();
    vt::NameCollator collator;
    {
        std::lock_guard lock(show_.showLock());
        show_.library.sortByName(collator);
        show_.rebuildIcons(); // names and pictures may have changed
    }
    pageControl_->rebuildIcons();
    resumeFunctionWindows();
    std::string failure = show_.saveLibrary();
    if (!failure.empty())
        QMessageBox::warning(this, QStringLiteral("Błąd"), QString::fromStdString(failure));
}

// The installation reaches its file only here, sorted by start address.
void TMainForm::ClubActionExecute()
{
    suspendFunctionWindows();
    TClubForm form(show_.library, show_.pageNames, show_.showLock(), this);
    form.exec();
    {
        std::lock_guard lock(show_.showLock());
        show_.library.club.sortByStartAddress();
        show_.rebuildIcons();
    }
    pageControl_->rebuildIcons();
    resumeFunctionWindows();
    std::string failure = show_.saveClub();
    if (!failure.empty())
        QMessageBox::warning(this, QStringLiteral("Błąd"), QString::fromStdString(failure));
}

void TMainForm::FloorsActionExecute()
{
    TFloorsForm form(*pageControl_, show_.pageNames, show_.library.club, show_.showLock(), pagesAdded_, this);
    form.exec();
}

void TMainForm::createCueWindow()
{
    cueForm_ = std::make_unique<TCueForm>(
        TCueFormModel{show_.dmx, show_.seque, show_.showLock(), [this] { return show_.saveCues(); }}, this);
    connect(cueForm_.get(), &TCueForm::liveCueReplaced, directAccessForm_.get(), &TDirectAccessForm::fullRefresh);
    connect(directAccessForm_.get(), &TDirectAccessForm::liveZonesChanged, cueForm_.get(), &TCueForm::rereadZones);
}

void TMainForm::CueActionExecute()
{
    cueForm_->show();
    cueForm_->raise();
}

void TMainForm::DirectPanelActionExecute()
{
    directAccessForm_->show();
    directAccessForm_->raise();
}

void TMainForm::SequenceActionExecute()
{
    liveCueDo(&KyCue::stop);
    directAccessForm_->close();
    if (cueForm_)
        cueForm_->close();
    sequenceForm_->show();
    sequenceForm_->raise();
}

// Disabling sets the generators to their normal speed and full amplitude through the bars,
// as if the operator had moved them.
void TMainForm::enableGeneratorControls(bool enabled)
{
    if (!enabled) {
        generatorSpeedBar_->setPositionSilently(0);
        GeneratorSpeedTBarChange();
        generatorAmplitudeBar_->setPositionSilently(100);
        GeneratorAmplitudeTBarChange();
    }
    const std::string reason = enabled ? std::string() : kSequenceEditorOpen;
    for (QWidget* bar : {static_cast<QWidget*>(generatorSpeedBar_), static_cast<QWidget*>(generatorAmplitudeBar_)}) {
        bar->setEnabled(enabled);
        bar->setToolTip(QString::fromStdString(reason));
    }
    setHint(generatorPlayAction_, QStringLiteral("Start generatorów"), reason);
    setHint(generatorPauseAction_, QStringLiteral("Pauza generatorów"), reason);
    setHint(generatorStopAction_, QStringLiteral("Stop generatorów"), reason);
    for (QAction* action : {generatorPlayAction_, generatorPauseAction_, generatorStopAction_})
        action->setEnabled(enabled);
}

// Gives every channel back to the playback engines; the held values drop at the next tick.
void TMainForm::ManualOffActionExecute()
{
    std::lock_guard lock(show_.showLock());
    for (int i = 0; i < KyDmxSpace::kChannels; ++i)
        show_.dmx.releaseChannel(i);
}

void TMainForm::MusicActionExecute(bool checked)
{
    {
        std::lock_guard lock(show_.showLock());
        show_.musicMode = checked;
    }
    musicAction_->setIcon(picture(checked ? "music" : "clock"));
}

void TMainForm::BeatSourceActionExecute()
{
    beatSourceForm_->show();
    beatSourceForm_->raise();
}

void TMainForm::TapActionExecute()
{
    if (rhythm_->choice().source != KyRhythmSource::Tap) {
        KyRhythmChoice choice = rhythm_->choice();
        choice.source = KyRhythmSource::Tap;
        rhythm_->apply(choice);
        saveRhythmChoice(choice);
    }
    std::lock_guard lock(show_.showLock());
    show_.beats.tap(KyClock::now());
}

void TMainForm::startRhythm(const StartOptions& options)
{
    KyRhythmChoice choice = loadRhythmChoice();
    if (!options.audioFile.empty())
        choice.source = KyRhythmSource::Audio;
    if (!rhythm_->apply(choice) && !options.audioFile.empty())
        QMessageBox::warning(nullptr, QStringLiteral("Ostrzeżenie"), QString::fromStdString(rhythm_->problem()));
}

void TMainForm::updateTempo()
{
    double bpm = 0;
    KyRhythmSource source = KyRhythmSource::Module;
    {
        std::lock_guard lock(show_.showLock());
        bpm = show_.beats.bpm();
        source = show_.beats.source();
    }
    tempoLabel_->setText(QString::fromStdString(tempoCaption(bpm, source)));
}

// Modal; the show lock stays free while it is open, so playback goes on until a transfer.
void TMainForm::DmxModuleActionExecute()
{
    const KyModuleWindowModel model{show_.seque, show_.panel, show_.library.club, show_.zoneNames, show_.usb,
                                    show_.showLock()};
    TDmxModuleForm form(model, timer_, mainTick(), this);
    form.exec();
}

void TMainForm::AboutActionExecute()
{
    QMessageBox::about(this, QStringLiteral("O programie"),
                       QStringLiteral("Vantorel\nSterownik oświetlenia DMX dla klubów i małych scen."));
}

// ---- Function windows and blackout

void TMainForm::createFunctionWindows()
{
    const KyFunctionModel model{show_.dmx, show_.icons, show_.showLock()};
    functionForms_ = {
        std::make_unique<TResetForm>(model, this),
        std::make_unique<TLightForm>(model, this),
        std::make_unique<TLampForm>(model, this),
        std::make_unique<TPanTiltForm>(model, show_.genList, this),
        std::make_unique<TColorForm>(model, this),
        std::make_unique<TMixerColorForm>(model, this),
        std::make_unique<TGoboForm>(model, this),
        std::make_unique<TEffectForm>(model, this),
        std::make_unique<TOpticForm>(model, this),
        std::make_unique<TDimmersForm>(model, this),
    };
    static_cast<TPanTiltForm&>(*functionForms_[3]).setGeneratorWindows(generatorForm_->windows());
    blackoutForm_ = std::make_unique<TBlackoutForm>(show_.usb, show_.showLock(), this);
}

void TMainForm::createSequenceWindow()
{
    const TSequenceFormModel model{show_.dmx, show_.seque, show_.usb, show_.inputChanged, show_.showLock(),
                                   [this] { return show_.saveSequences(); }};
    TSequenceFormHost host{timer_, mainTick(), [this] { stopAction_->trigger(); }, [this] { playAction_->trigger(); },
                           [this](bool enabled) { enableGeneratorControls(enabled); }};
    sequenceForm_ = std::make_unique<TSequenceForm>(model, std::move(host), this);
}

void TMainForm::createGeneratorWindow()
{
    const KyFunctionModel model{show_.dmx, show_.icons, show_.showLock()};
    generatorForm_ = std::make_unique<TGeneratorForm>(model, show_.genList, show_.paths().generators, this);
}

// A function action closes its window when it is on screen and shows it otherwise; the
// blackout action shows the blackout window when it becomes checked and closes it otherwise.
void TMainForm::connectFunctionWindows()
{
    for (std::size_t i = 0; i < functionActions_.size(); ++i) {
        TFunctionForm* form = functionForms_[i].get();
        connect(functionActions_[i], &QAction::triggered, this, [this, form, i] {
            if (form->isVisible())
                form->close();
            else
                form->show();
            functionActions_[i]->setChecked(form->isVisible());
        });
    }
    connect(blackoutAction_, &QAction::triggered, this, [this](bool checked) {
        if (checked)
            blackoutForm_->show();
        else
            blackoutForm_->close();
    });
}

void TMainForm::suspendFunctionWindows()
{
    functionWindowsSuspended_ = true;
    for (auto& form : functionForms_)
        form->hide();
}

void TMainForm::resumeFunctionWindows()
{
    functionWindowsSuspended_ = false;
    updateFunctionActions();
}
