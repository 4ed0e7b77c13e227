#include "app/Fmain.h"

#include "app/Caption.h"
#include "app/Desk.h"
#include "app/PreviewToggle.h"
#include "app/SignalWatcher.h"
#include "app/StartupQuestions.h"
#include "club/Icons.h"
#include "common/Cp1250.h"
#include "common/PToolWindow.h"
#include "common/PTrackBar.h"
#include "common/PTranslation.h"
#include "controllers/Fcontrollers.h"
#include "cue/Fcue.h"
#include "dmx/Fmoduleselect.h"
#include "dmx/Fola.h"
#include "functions/Fgenerator.h"
#include "music/RhythmControl.h"
#include "panel/Fdirectaccess.h"
#include "remote/Fremote.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

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
    // The docks around the pages leave at least two rows of four icons in sight.
    pageControl_->setMinimumSize(4 * KyDevIcon::kWidth + 40, 2 * KyDevIcon::kHeight + 60);
    statusBar();
    // Where no window manager maximizes the window, it still fills the screen.
    setGeometry(screen()->availableGeometry());
    rhythm_ = std::make_unique<KyRhythmControl>(show_.beats, show_.audioBeats, show_.showLock(), options.audioFile);
    createToolWindows();
    createActions();
    createMenus();
    createUndoMenu();
    createToolbars();
    windows_.remote.reset(installRemote(*this, {show_.seque, show_.dmx, show_.usb, show_.beats, show_.musicMode,
                                                show_.zoneNames, show_.showLock()},
                                        windows_.directAccess->actions(), {options.remotePort, options.remoteCode}));
    windows_.controllers.reset(installControllers(*this, windows_.directAccess->actions(), options.oscPort));
    dockToolWindows();
    addPreviewToggle(*this, *pageControl_, show_);

    timer_.setOnMMTimer(mainTick());
    timer_.SetInterval(50);

    std::vector<std::string> warnings;
    show_.loadAll(warnings);
    createEditHistories();
    // A generators file that could not be read must not be replaced by the list window either.
    if (show_.mustNotOverwrite(show_.paths().generators))
        windows_.generator->setGenListPath({});
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

void TMainForm::reportLoadWarnings(const std::vector<std::string>& warnings)
{
    for (const auto& warning : warnings) {
        if (shutDown_) // a signal ended the program during the previous one
            return;
        QMessageBox::warning(nullptr, TMainForm::tr("Ostrzeżenie"), vt::coreText(warning));
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (shutDown_) {
        event->accept();
        return;
    }
    show_.requestClose();
    QMessageBox question(QMessageBox::Question, TMainForm::tr("Potwierdzenie"), TMainForm::tr("Zamknąć program?"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    // The question is shorter than its title: the box stays wide enough to show the title whole.
    auto* grid = qobject_cast<QGridLayout*>(question.layout());
    grid->addItem(new QSpacerItem(vt::titleBarWidth(&question), 0), grid->rowCount(), 0, 1, grid->columnCount());
    const int answer = question.exec();
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
    windows_.cue.reset(); // it sorts the stored cues before they are saved
    show_.usb.closePort();
    if (updateTimer_)
        updateTimer_->stop();
    desk_->save();
    for (const auto& failure : show_.saveAtExit()) {
        if (report == Report::StandardError)
            std::cerr << failure << '\n';
        else
            QMessageBox::warning(nullptr, TMainForm::tr("Błąd"), vt::coreText(failure));
    }
}
