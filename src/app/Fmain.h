#pragma once
// The main window: the operator's desk and the owner of the show.

#include "app/MMTimer.h"
#include "app/Show.h"
#include "app/StartOptions.h"

#include <QMainWindow>

class QTabWidget;
class QTimer;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Performs the whole start-up; a file that must end it throws.
    explicit TMainForm(const StartOptions& options, QWidget* parent = nullptr);
    ~TMainForm() override;

    KyShow& show() { return show_; }
    TMMTimer& timer() { return timer_; }
    QTabWidget* pageControl() const { return pageControl_; }

    // The tick, called by the timer on its own thread.
    void MMTimerMMTimer(TMMTimer& sender);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateCaption();
    void reportLoadWarnings(const std::vector<std::string>& warnings);
    void shutdown();

    KyShow show_;
    TMMTimer timer_;
    QTabWidget* pageControl_ = nullptr;
    QTimer* updateTimer_ = nullptr;
    bool shutDown_ = false;
};
