#pragma once
// Turns the signals that end a session (SIGTERM at logout, shutdown or `kill`, SIGINT from
// Ctrl+C in the terminal, SIGHUP when the terminal goes away) into a Qt signal on the window
// thread, so that the program can close as the operator would have closed it and keep the
// show. The handler only writes a byte into a pipe that a socket notifier watches; further
// signals while the program closes are absorbed the same way. One watcher at a time.

#include <QObject>

#include <csignal>

class QSocketNotifier;

class TSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit TSignalWatcher(QObject* parent = nullptr);
    // Gives the signals back to their earlier handlers.
    ~TSignalWatcher() override;

signals:
    void received();

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
    struct sigaction earlier_[3] = {};
};
