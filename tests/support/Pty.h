#pragma once
// A raw pseudo-terminal pair for tests: the serial end is what the program opens by path,
// the master end is the test's view of the wire.

// The kernel's termios2 so that tests may also check rates outside the B* constants; this
// header therefore stays clear of <termios.h>.
#include <asm/termbits.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>
#include <vector>

class RawPty {
public:
    RawPty()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        char name[128];
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
            ::ptsname_r(master_, name, sizeof name) != 0)
            throw std::runtime_error("no pseudo-terminal");
        path_ = name;
        // Held open so the master never sees a hang-up between the program's opens.
        serial_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios2 raw{};
        ::ioctl(serial_, TCGETS2, &raw);
        raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
        raw.c_oflag &= ~OPOST;
        raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        raw.c_cflag = (raw.c_cflag & ~(CSIZE | PARENB)) | CS8;
        ::ioctl(serial_, TCSETS2, &raw);
    }
    ~RawPty()
    {
        ::close(serial_);
        if (master_ >= 0)
            ::close(master_);
    }
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;

    const std::string& path() const { return path_; }
    int master() const { return master_; }

    // Puts bytes on the wire towards the program and waits until its side can see them all.
    void send(const std::vector<std::uint8_t>& bytes)
    {
        int before = waiting();
        if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("pty write");
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (waiting() < before + static_cast<int>(bytes.size()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // Everything the program has sent, waiting up to `ms` for the first byte.
    std::vector<std::uint8_t> received(int ms = 20)
    {
        std::vector<std::uint8_t> bytes;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, ms) <= 0)
            return bytes;
        std::uint8_t buffer[4096];
        for (;;) {
            ssize_t got = ::read(master_, buffer, sizeof buffer);
            if (got == 0 || (got < 0 && errno != EAGAIN))
                break;
            if (got < 0) {
                pollfd again{master_, POLLIN, 0};
                if (::poll(&again, 1, 5) <= 0)
                    break;
                continue;
            }
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

    // The wire goes dead, as when a module is pulled out.
    void hangUp()
    {
        ::close(master_);
        master_ = -1;
    }

private:
    int waiting() const
    {
        int count = 0;
        ::ioctl(serial_, FIONREAD, &count);
        return count;
    }

    int master_ = -1;
    int serial_ = -1;
    std::string path_;
};
