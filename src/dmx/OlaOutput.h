#pragma once
// The universe as a second output, through the OLA daemon (olad), which passes it on to
// Art-Net, sACN and the interfaces it drives. The tick only hands its frame over; a sender
// thread of this class talks to the daemon, finds it again when it comes back, and never
// makes the tick wait. The sender sleeps until a frame comes: the tick wakes it with one
// futex call per frame, far cheaper than a sender looking for frames every millisecond.

#include "dmx/FrameSlot.h"
#include "dmx/OlaTarget.h"
#include "dmx/Usb.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

// The sender's line to the daemon, used on the sender thread only.
class KyOlaConnection {
public:
    virtual ~KyOlaConnection() = default;
    // False when no daemon answers.
    virtual bool connect() = 0;
    // False when the daemon has gone away.
    virtual bool send(unsigned universe, std::span<const std::uint8_t, 512> frame) = 0;
    virtual void disconnect() = 0;
};

using KyOlaConnector = std::function<std::unique_ptr<KyOlaConnection>(std::uint16_t port)>;

// The connection through the OLA client library to the daemon on this machine at `port`.
std::unique_ptr<KyOlaConnection> olaDaemonConnection(std::uint16_t port);

class KyOlaOutput : public KyFrameOutput {
public:
    static constexpr std::chrono::seconds kRetryInterval{1};

    explicit KyOlaOutput(KyOlaConnector connector = olaDaemonConnection);
    ~KyOlaOutput() override;
    KyOlaOutput(const KyOlaOutput&) = delete;
    KyOlaOutput& operator=(const KyOlaOutput&) = delete;

    // Starts, moves or stops the sender. Waits for a send in progress, so it is called from
    // the window thread without the show lock.
    void setTarget(const KyOlaTarget& target);
    KyOlaTarget target() const;
    // Whether the daemon is reached now.
    bool connected() const { return connected_.load(std::memory_order_acquire); }

    // The tick: hands the frame to the sender and returns at once.
    void frameBuilt(std::span<const std::uint8_t, 512> frame) override;

    // Waits until the sender has given the daemon the last frame handed over, for as long as
    // the daemon is reached and at most `limit`. True when it did.
    bool awaitLastFrameSent(std::chrono::milliseconds limit) const;

private:
    void stopSender();
    void run(KyOlaTarget target);
    // Sleeps until `when` unless the sender is being stopped; false when it is.
    bool sleepUntil(std::chrono::steady_clock::time_point when);
    // Sleeps until a frame not taken yet is there; null when the sender is being stopped.
    const KyFrameSlot::Entry* awaitFrame();
    bool send(KyOlaConnection& connection, unsigned universe, const KyFrameSlot::Entry& entry);

    KyOlaConnector connector_;
    KyFrameSlot slot_;
    std::atomic<bool> active_{false};
    std::atomic<bool> connected_{false};
    // The number of the newest frame the daemon has taken.
    std::atomic<std::uint64_t> sent_{0};

    mutable std::mutex targetMutex_; // serialises setTarget and guards target_
    KyOlaTarget target_;
    std::mutex stopMutex_;
    std::condition_variable stopSignal_;
    std::atomic<bool> stopping_{false}; // set under stopMutex_, so a sleeping sender sees it
    // Counts the frames put and the stops: the connected sender waits for it to change.
    std::atomic<std::uint32_t> wakes_{0};
    std::thread sender_;
};
