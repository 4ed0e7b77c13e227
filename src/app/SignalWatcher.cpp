#include "app/SignalWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <iterator>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// Written by the handler, read by the notifier; the handler may run on any thread.
int pipeEnds[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request; nothing more is needed.
    [[maybe_unused]] ssize_t put = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

TSignalWatcher::TSignalWatcher(QObject* parent) : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSignalWatcher::readPipe);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &earlier_[i]);
        // Started under nohup, the program keeps ignoring the hang-up. Ctrl+C and SIGTERM are
        // always taken, also when a shell started the program in the background with them
        // ignored: that shell passes them on.
        if (kSignals[i] == SIGHUP && earlier_[i].sa_handler == SIG_IGN)
            continue;
        ::sigaction(kSignals[i], &action, nullptr);
    }
}

TSignalWatcher::~TSignalWatcher()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &earlier_[i], nullptr);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TSignalWatcher::readPipe()
{
    char bytes[64];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    emit received();
}
