#include "app/Fmain.h"

#include "common/Cp1250.h"
#include "dmx/Fmoduleselect.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

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
    pageControl_ = new QTabWidget(this);
    pageControl_->addTab(new QWidget, fromCp1250(show_.pageNames.front()));
    setCentralWidget(pageControl_);
    statusBar();

    timer_.setOnMMTimer([this](TMMTimer& sender) { MMTimerMMTimer(sender); });
    timer_.SetInterval(50);

    std::vector<std::string> warnings;
    show_.loadAll(warnings);
    reportLoadWarnings(warnings);

    // The tick is not running yet, so discovery may talk to the port without the show lock.
    TModuleChooser chooser;
    show_.usb.discover(chooser);

    updateTimer_ = new QTimer(this);
    connect(updateTimer_, &QTimer::timeout, this, &TMainForm::updateCaption);
    updateTimer_->start(50);
    updateCaption();

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
    setWindowTitle(connected ? QStringLiteral("Vantorel: ") + fromCp1250(name)
                             : QStringLiteral("Vantorel: brak modułu DMX"));
}

void TMainForm::reportLoadWarnings(const std::vector<std::string>& warnings)
{
    for (const auto& warning : warnings)
        QMessageBox::warning(nullptr, QStringLiteral("Ostrzeżenie"), QString::fromStdString(warning));
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
    if (answer != QMessageBox::Yes) {
        show_.cancelClose();
        event->ignore();
        return;
    }
    shutdown();
    event->accept();
}

// Stops the tick, closes the output and writes the data files, once.
void TMainForm::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    timer_.setEnabled(false);
    show_.usb.closePort();
    if (updateTimer_)
        updateTimer_->stop();
    for (const auto& failure : show_.saveAtExit())
        QMessageBox::warning(nullptr, QStringLiteral("Błąd"), QString::fromStdString(failure));
}
