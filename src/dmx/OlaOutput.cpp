#include "dmx/OlaOutput.h"

#include <csignal>
#include <pthread.h>

namespace {

// A daemon that dies under a write must not take the program with it: the write fails and
// the sender goes back to retrying.
void ignoreBrokenPipes()
{
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
}

} // namespace

KyOlaOutput::KyOlaOutput(KyOlaConnector connector) : connector_(std::move(connector)) {}

KyOlaOutput::~KyOlaOutput()
{
    stopSender();
}

void KyOlaOutput::setTarget(const KyOlaTarget& target)
{
    std::lock_guard lock(targetMutex_);
    if (target == target_ && (sender_.joinable() == target.enabled))
        return;
    stopSender();
    target_ = target;
    if (!target.enabled)
        return;
    stopping_ = false;
    active_.store(true, std::memory_order_release);
    sender_ = std::thread([this, target] { run(target); });
}

KyOlaTarget KyOlaOutput::target() const
{
    std::lock_guard lock(targetMutex_);
    return target_;
}

void KyOlaOutput::stopSender()
{
    active_.store(false, std::memory_order_release);
    if (!sender_.joinable())
        return;
    {
        std::lock_guard lock(stopMutex_);
        stopping_ = true;
    }
    stopSignal_.notify_all();
    wakes_.fetch_add(1, std::memory_order_release);
    wakes_.notify_all();
    sender_.join();
    connected_ = false;
}

void KyOlaOutput::frameBuilt(std::span<const std::uint8_t, 512> frame)
{
    if (!active_.load(std::memory_order_acquire))
        return;
    slot_.put(frame);
    wakes_.fetch_add(1, std::memory_order_release);
    wakes_.notify_one();
}

bool KyOlaOutput::awaitLastFrameSent(std::chrono::milliseconds limit) const
{
    const std::uint64_t last = slot_.putCount();
    const auto until = std::chrono::steady_clock::now() + limit;
    while (sent_.load(std::memory_order_acquire) < last) {
        if (!connected() || std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

bool KyOlaOutput::sleepUntil(std::chrono::steady_clock::time_point when)
{
    std::unique_lock lock(stopMutex_);
    return !stopSignal_.wait_until(lock, when, [this] { return stopping_.load(); });
}

const KyFrameSlot::Entry* KyOlaOutput::awaitFrame()
{
    for (;;) {
        // Read before looking, so that a frame put after the look changes it.
        const std::uint32_t seen = wakes_.load(std::memory_order_acquire);
        if (stopping_)
            return nullptr;
        if (const auto* fresh = slot_.take())
            return fresh;
        wakes_.wait(seen, std::memory_order_acquire);
    }
}

bool KyOlaOutput::send(KyOlaConnection& connection, unsigned universe, const KyFrameSlot::Entry& entry)
{
    if (!connection.send(universe, entry.frame))
        return false;
    sent_.store(entry.number, std::memory_order_release);
    return true;
}

// Connects at most once per retry interval; while connected, sends each newest frame as it
// comes. A daemon that comes back gets the newest frame at once, as it starts out dark.
void KyOlaOutput::run(KyOlaTarget target)
{
    ignoreBrokenPipes();
    std::unique_ptr<KyOlaConnection> connection = connector_(target.port);
    const KyFrameSlot::Entry* newest = nullptr;
    auto nextAttempt = std::chrono::steady_clock::now();
    while (!stopping_) {
        const KyFrameSlot::Entry* toSend = nullptr;
        if (!connected_) {
            if (!sleepUntil(nextAttempt))
                break;
            nextAttempt = std::chrono::steady_clock::now() + kRetryInterval;
            if (!connection->connect())
                continue;
            connected_ = true;
            if (const auto* fresh = slot_.take())
                newest = fresh;
            toSend = newest;
        } else {
            newest = toSend = awaitFrame();
            if (!toSend)
                break;
        }
        if (toSend && !send(*connection, target.universe, *toSend)) {
            connection->disconnect();
            connected_ = false;
        }
    }
    connection->disconnect();
}
