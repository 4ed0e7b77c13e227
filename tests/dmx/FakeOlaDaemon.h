#pragma once
// An OLA daemon stand-in for the sender: it can be up or down, can stop answering in the middle
// of a send, and remembers every connection attempt and every frame it took.

#include "dmx/OlaOutput.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

class FakeOlaDaemon {
public:
    struct Received {
        unsigned universe;
        std::array<std::uint8_t, 512> frame;
    };

    void setUp(bool up)
    {
        std::lock_guard lock(mutex_);
        up_ = up;
    }

    // Sends from now on wait until release().
    void hold()
    {
        std::lock_guard lock(mutex_);
        held_ = true;
    }

    void release()
    {
        {
            std::lock_guard lock(mutex_);
            held_ = false;
        }
        released_.notify_all();
    }

    int sendsWaiting() const
    {
        std::lock_guard lock(mutex_);
        return waiting_;
    }

    std::vector<Received> received() const
    {
        std::lock_guard lock(mutex_);
        return received_;
    }

    std::vector<std::chrono::steady_clock::time_point> attempts() const
    {
        std::lock_guard lock(mutex_);
        return attempts_;
    }

    std::vector<std::uint16_t> ports() const
    {
        std::lock_guard lock(mutex_);
        return ports_;
    }

    KyOlaConnector connector()
    {
        return [this](std::uint16_t port) {
            std::lock_guard lock(mutex_);
            ports_.push_back(port);
            return std::make_unique<Connection>(*this);
        };
    }

private:
    struct Connection : KyOlaConnection {
        explicit Connection(FakeOlaDaemon& daemon) : daemon(daemon) {}
        bool connect() override
        {
            std::lock_guard lock(daemon.mutex_);
            daemon.attempts_.push_back(std::chrono::steady_clock::now());
            open = daemon.up_;
            return open;
        }
        bool send(unsigned universe, std::span<const std::uint8_t, 512> frame) override
        {
            std::unique_lock lock(daemon.mutex_);
            ++daemon.waiting_;
            daemon.released_.wait(lock, [this] { return !daemon.held_; });
            --daemon.waiting_;
            if (!open || !daemon.up_)
                return open = false;
            Received r{universe, {}};
            std::copy(frame.begin(), frame.end(), r.frame.begin());
            daemon.received_.push_back(r);
            return true;
        }
        void disconnect() override { open = false; }

        FakeOlaDaemon& daemon;
        bool open = false;
    };

    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool up_ = true;
    bool held_ = false;
    int waiting_ = 0;
    std::vector<Received> received_;
    std::vector<std::chrono::steady_clock::time_point> attempts_;
    std::vector<std::uint16_t> ports_;
};

// A frame whose every value is `v`, so that a frame torn between two writes shows.
inline std::array<std::uint8_t, 512> uniformFrame(std::uint8_t v)
{
    std::array<std::uint8_t, 512> frame;
    frame.fill(v);
    return frame;
}

// Polls `done` until it holds or `limit` passes.
template <class Condition>
bool eventually(Condition done, std::chrono::milliseconds limit = std::chrono::milliseconds(3000))
{
    auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
