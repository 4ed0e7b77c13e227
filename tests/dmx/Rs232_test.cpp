#include "dmx/Rs232.h"
#include "support/Pty.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>

namespace {

std::vector<std::uint8_t> counting(std::size_t n, std::uint8_t first)
{
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

termios2 lineSettings(const RawPty& pty)
{
    termios2 t{};
    ::ioctl(pty.master(), TCGETS2, &t); // the master reports the serial end's settings
    return t;
}

} // namespace

TEST(Rs232, ReadSucceedsOnlyOnAnExactCount)
{
    struct Case {
        std::size_t waiting;
        bool result;
        std::size_t newBytesAtStart;  // bytes of the buffer replaced, from the start
        std::uint8_t firstExpected;   // the value of buffer[0] afterwards
    };
    // 544 waiting: two reads of 272, so the buffer holds the second reply (which starts at 16).
    for (auto c : {Case{272, true, 272, 0}, Case{100, false, 100, 0}, Case{544, false, 272, 16}}) {
        SCOPED_TRACE(c.waiting);
        RawPty pty;
        C_RS232 port;
        port.configure(pty.path(), 6, true, 0, 0);
        ASSERT_TRUE(port.open());
        pty.send(counting(c.waiting, 0));
        ASSERT_EQ(port.inQueue(), c.waiting);

        std::vector<std::uint8_t> buffer(272, 0xEE);
        EXPECT_EQ(port.read(buffer), c.result);
        EXPECT_EQ(buffer[0], c.firstExpected);
        EXPECT_EQ(buffer[c.newBytesAtStart - 1], static_cast<std::uint8_t>(c.firstExpected + c.newBytesAtStart - 1));
        if (c.newBytesAtStart < buffer.size()) {
            EXPECT_EQ(buffer[c.newBytesAtStart], 0xEE); // the rest keeps its old contents
        }
        EXPECT_EQ(port.inQueue(), 0u);
    }
}

TEST(Rs232, OpensOnlyExistingPortsAndOnlyOnce)
{
    namespace fs = std::filesystem;
    auto missing = fs::temp_directory_path() / ("vt-no-port-" + std::to_string(::getpid()));
    C_RS232 port;
    port.configure(missing.string(), 6, true, 0, 0);
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(fs::exists(missing)); // never created
    port.close();                      // harmless when closed

    std::ofstream(missing.string()) << "not a tty";
    EXPECT_FALSE(port.open()); // a plain file is refused by the settings step
    fs::remove(missing);

    RawPty pty;
    C_RS232 first, second;
    first.configure(pty.path(), 6, true, 0, 0);
    second.configure(pty.path(), 6, true, 0, 0);
    ASSERT_TRUE(first.open());
    EXPECT_FALSE(second.open());
    first.close();
    EXPECT_TRUE(second.open());
}

TEST(Rs232, SettingsReachTheLine)
{
    RawPty pty;
    C_RS232 port;
    port.configure(pty.path(), 6, false, C_RS232::EvenParity, C_RS232::TwoStopBits);
    port.ctsFlow = true;
    port.xonXoff = true;
    ASSERT_TRUE(port.open());
    termios2 t = lineSettings(pty);
    EXPECT_EQ(t.c_ospeed, 56000u);
    EXPECT_EQ(t.c_ispeed, 56000u);
    // A pseudo-terminal always carries 8 bits without parity, so those settings cannot be seen here.
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u); // bytes pass untouched
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    port.close();

    // An index outside the table leaves the rate the port had.
    port.configure(pty.path(), 4, true, C_RS232::NoParity, C_RS232::OneStopBit);
    ASSERT_TRUE(port.open());
    port.close();
    port.configure(pty.path(), 8, true, C_RS232::NoParity, C_RS232::OneStopBit);
    port.ctsFlow = port.xonXoff = false;
    ASSERT_TRUE(port.open());
    t = lineSettings(pty);
    EXPECT_EQ(t.c_ospeed, 19200u);
    EXPECT_FALSE(t.c_cflag & (CSTOPB | CRTSCTS));
    port.close();

    port.dsrFlow = true; // no such handshake on this system
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
}

TEST(Rs232, WriteDiscardsWhatWasWaitingAndSendsEverything)
{
    RawPty pty;
    C_RS232 port;
    port.configure(pty.path(), 6, true, 0, 0);
    ASSERT_TRUE(port.open());
    pty.send(counting(272, 0)); // a reply nobody read
    auto request = counting(528, 7);
    EXPECT_TRUE(port.write(request));
    EXPECT_EQ(port.inQueue(), 0u);
    EXPECT_EQ(pty.received(), request);

    EXPECT_FALSE(port.write(std::vector<std::uint8_t>(4097, 1))); // beyond the output queue
    EXPECT_TRUE(pty.received().empty());

    pty.hangUp();
    EXPECT_FALSE(port.write(request));
    port.close();
    EXPECT_FALSE(port.write(request));
    EXPECT_FALSE(port.read(request));
}
