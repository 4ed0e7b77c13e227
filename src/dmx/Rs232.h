#pragma once
// One serial port of the system, opened exclusively and used without blocking: a read takes
// only what has already arrived, a write first throws away whatever is still pending.

#include <array>
#include <cstdint>
#include <span>
#include <string>

class C_RS232 {
public:
    // Index to bits per second.
    static constexpr std::array<unsigned, 8> kBaudTable{1200, 2400, 4800, 9600, 19200, 38400, 56000, 115200};
    enum Parity : std::uint8_t { NoParity = 0, OddParity = 1, EvenParity = 2, MarkParity = 3, SpaceParity = 4 };
    enum StopBits : std::uint8_t { OneStopBit = 0, OneAndHalfStopBits = 1, TwoStopBits = 2 };

    C_RS232() = default;
    ~C_RS232();
    C_RS232(const C_RS232&) = delete;
    C_RS232& operator=(const C_RS232&) = delete;

    // Takes effect at the next open; the flow-control flags are left as they are.
    void configure(std::string portName, int baudIndex, bool eightDataBits, std::uint8_t parity,
                   std::uint8_t stopBits);
    // Opens an existing port for this process alone and sets it up; false leaves it closed.
    bool open();
    // Whether the last open failed because the user may not open the port.
    bool accessDenied() const { return accessDenied_; }
    // Discards everything pending and closes; harmless when closed.
    void close();

    // True only when exactly buffer.size() bytes were waiting. Fewer land at the start of the
    // buffer; more are read in buffer-sized pieces, so the buffer keeps the last piece.
    bool read(std::span<std::uint8_t> buffer);
    // Discards both queues, then sends the bytes and waits until the port has passed them on.
    bool write(std::span<const std::uint8_t> data);

    // Waits until at least `bytes` are waiting or `timeoutMs` has passed; true if they are.
    bool waitForInput(std::size_t bytes, int timeoutMs) const;

    unsigned inQueue() const;
    unsigned outQueue() const;

    bool isOpen() const { return isOpen_; }
    const std::string& portName() const { return portName_; }
    int baudIndex() const { return baudIndex_; }

    bool dsrFlow = false;         // output waits for DSR; Linux has no such handshake, so open refuses it
    bool ctsFlow = false;         // output waits for CTS, RTS used as handshake
    bool xonXoff = false;         // software flow control both ways
    unsigned outputQueueSize = 4096; // a write that would queue more than this is refused

private:
    bool applySettings();
    void discardPending() const;
    bool waitWritable(long long deadlineMs) const;
    bool waitUntilSent(long long deadlineMs) const;
    std::size_t readAvailable(std::span<std::uint8_t> buffer) const;

    int fd_ = -1;
    std::string portName_ = "COM1";
    int baudIndex_ = 3;
    bool eightDataBits_ = true;
    std::uint8_t parity_ = NoParity;
    std::uint8_t stopBits_ = OneStopBit;
    bool isOpen_ = false;
    bool accessDenied_ = false;
    unsigned lineRate_ = 9600; // bits per second in force, for the write's time limit
};
