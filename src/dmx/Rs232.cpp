#include "dmx/Rs232.h"

// The kernel's termios2 is the only way to ask for a rate outside the B* constants (56000),
// so this file talks to the tty through ioctl alone and never includes <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void setRate(termios2& t, unsigned rate)
{
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = rate;
    t.c_ospeed = rate;
}

void setParity(termios2& t, std::uint8_t parity)
{
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (parity) {
    case C_RS232::OddParity: t.c_cflag |= PARENB | PARODD; break;
    case C_RS232::EvenParity: t.c_cflag |= PARENB; break;
    case C_RS232::MarkParity: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case C_RS232::SpaceParity: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    t.c_iflag |= INPCK;
}

// Raw bytes in both directions, reads that return at once with what has arrived.
void setBinaryMode(termios2& t)
{
    t.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXANY | IMAXBEL);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

} // namespace

C_RS232::~C_RS232()
{
    close();
}

void C_RS232::configure(std::string portName, int baudIndex, bool eightDataBits, std::uint8_t parity,
                        std::uint8_t stopBits)
{
    portName_ = std::move(portName);
    baudIndex_ = baudIndex;
    eightDataBits_ = eightDataBits;
    parity_ = parity;
    stopBits_ = stopBits;
}

bool C_RS232::open()
{
    if (isOpen_)
        return false;
    // No O_CREAT: only a port that exists is opened.
    fd_ = ::open(portName_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    accessDenied_ = fd_ < 0 && (errno == EACCES || errno == EPERM);
    if (fd_ < 0)
        return false;
    // TIOCEXCL keeps other users out, but not root; the lock keeps out every process that asks.
    bool ok = ::flock(fd_, LOCK_EX | LOCK_NB) == 0 && ::ioctl(fd_, TIOCEXCL) == 0;
    if (ok) {
        discardPending();
        ok = applySettings();
    }
    if (!ok) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIS, &dtr); // pseudo-terminals have no modem lines; that is fine
    isOpen_ = true;
    return true;
}

bool C_RS232::applySettings()
{
    if (parity_ > SpaceParity || stopBits_ > TwoStopBits || dsrFlow)
        return false;
    termios2 t{};
    if (::ioctl(fd_, TCGETS2, &t) != 0)
        return false;
    if (baudIndex_ >= 0 && baudIndex_ < static_cast<int>(kBaudTable.size()))
        setRate(t, kBaudTable[static_cast<std::size_t>(baudIndex_)]);
    setBinaryMode(t);
    t.c_cflag = (t.c_cflag & ~CSIZE) | (eightDataBits_ ? CS8 : CS7);
    setParity(t, parity_);
    // POSIX knows one or two stop bits; one and a half is sent as two.
    t.c_cflag = stopBits_ == OneStopBit ? (t.c_cflag & ~CSTOPB) : (t.c_cflag | CSTOPB);
    t.c_cflag = ctsFlow ? (t.c_cflag | CRTSCTS) : (t.c_cflag & ~CRTSCTS);
    t.c_iflag = xonXoff ? (t.c_iflag | IXON | IXOFF) : (t.c_iflag & ~(IXON | IXOFF));
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    if (::ioctl(fd_, TCSETS2, &t) != 0 || ::ioctl(fd_, TCGETS2, &t) != 0)
        return false;
    lineRate_ = t.c_ospeed > 0 ? t.c_ospeed : kBaudTable[0];
    return true;
}

void C_RS232::close()
{
    if (!isOpen_)
        return;
    isOpen_ = false;
    discardPending();
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

void C_RS232::discardPending() const
{
    ::ioctl(fd_, TCFLSH, TCIOFLUSH);
}

unsigned C_RS232::inQueue() const
{
    int count = 0;
    if (!isOpen_ || ::ioctl(fd_, FIONREAD, &count) != 0 || count < 0)
        return 0;
    return static_cast<unsigned>(count);
}

unsigned C_RS232::outQueue() const
{
    int count = 0;
    if (!isOpen_ || ::ioctl(fd_, TIOCOUTQ, &count) != 0 || count < 0)
        return 0;
    return static_cast<unsigned>(count);
}

bool C_RS232::waitForInput(std::size_t bytes, int timeoutMs) const
{
    const long long deadline = nowMs() + timeoutMs;
    for (;;) {
        if (!isOpen_)
            return false;
        const unsigned waiting = inQueue();
        if (waiting >= bytes)
            return true;
        const long long left = deadline - nowMs();
        if (left <= 0)
            return false;
        if (waiting == 0) {
            pollfd p{fd_, POLLIN, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(left));
            if ((ready < 0 && errno != EINTR) || (ready > 0 && (p.revents & POLLIN) == 0))
                return false; // the device went away
        } else {
            // Part of the reply is here; poll would return at once, so give the rest a moment.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
}

std::size_t C_RS232::readAvailable(std::span<std::uint8_t> buffer) const
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t got = ::read(fd_, buffer.data() + done, buffer.size() - done);
        if (got > 0)
            done += static_cast<std::size_t>(got);
        else if (got < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    return done;
}

bool C_RS232::read(std::span<std::uint8_t> buffer)
{
    if (!isOpen_)
        return false;
    std::size_t waiting = inQueue();
    std::size_t n = buffer.size();
    if (waiting == n)
        return readAvailable(buffer) == n;
    if (waiting < n) {
        readAvailable(buffer.first(waiting));
        return false;
    }
    // Drain only what was there at the start, so a port that keeps talking cannot hold us here.
    while (waiting > 0) {
        std::size_t got = readAvailable(buffer.first(std::min(n, waiting)));
        if (got == 0)
            break;
        waiting -= std::min(got, waiting);
    }
    return false;
}

bool C_RS232::write(std::span<const std::uint8_t> data)
{
    if (!isOpen_)
        return false;
    discardPending();
    if (outQueue() + data.size() > outputQueueSize)
        return false;
    // Twice the time the line needs plus a margin: a stuck device fails the write, not the tick.
    long long lineMs = static_cast<long long>(data.size()) * 10 * 1000 / lineRate_;
    long long deadline = nowMs() + 2 * lineMs + 200;
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t put = ::write(fd_, data.data() + done, data.size() - done);
        if (put > 0)
            done += static_cast<std::size_t>(put);
        else if (put < 0 && errno == EINTR)
            continue;
        else if (put < 0 && errno == EAGAIN && waitWritable(deadline))
            continue;
        else
            return false;
    }
    return waitUntilSent(deadline);
}

bool C_RS232::waitWritable(long long deadlineMs) const
{
    long long left = deadlineMs - nowMs();
    if (left <= 0)
        return false;
    pollfd p{fd_, POLLOUT, 0};
    return ::poll(&p, 1, static_cast<int>(left)) > 0 && (p.revents & POLLOUT) != 0;
}

// tcdrain has no time limit; polling the output count has one, and works on any tty.
bool C_RS232::waitUntilSent(long long deadlineMs) const
{
    for (;;) {
        int count = 0;
        if (::ioctl(fd_, TIOCOUTQ, &count) != 0)
            return false;
        if (count <= 0)
            return true;
        if (nowMs() >= deadlineMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
