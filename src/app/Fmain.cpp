#include "app/Fmain.h"

#include "common/Cp1250.h"

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

} // namespace

TMainForm::TMainForm(const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), show_(pathsFor(options))
{
    pageControl_ = new QTabWidget(this);
    setCentralWidget(pageControl_);
    statusBar();

    timer_.setOnMMTimer([this](TMMTimer& sender) { MMTimerMMTimer(sender); });
    timer_.SetInterval(50);

    std::vector<std::string> warnings;
    show_.loadAll(warnings);
    for (const auto& caption : show_.pageNames)
        pageControl_->addTab(new QWidget, fromCp1250(caption));
    reportLoadWarnings(warnings);

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
    setWindowTitle(QStringLiteral("Vantorel: brak modułu DMX"));
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
    if (updateTimer_)
        updateTimer_->stop();
    for (const auto& failure : show_.saveAtExit())
        QMessageBox::warning(nullptr, QStringLiteral("Błąd"), QString::fromStdString(failure));
}
