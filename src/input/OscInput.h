#pragma once
// OSC over UDP: a thread of its own receives messages on a port and hands each one with a
// readable address and one number (int, float, double, 64-bit int, true, false) or none (a
// press) to the queue; anything else is dropped unread. The last few senders are kept, and
// the desk's feedback goes to each of them from the same port.

#include "input/InputQueue.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class KyOscInput {
public:
    static constexpr std::uint16_t kDefaultPort = 8000;
    static constexpr std::size_t kMaxAddress = 128;
    static constexpr std::size_t kMaxSenders = 8;

    explicit KyOscInput(KyInputQueue& queue);
    ~KyOscInput();
    KyOscInput(const KyOscInput&) = delete;
    KyOscInput& operator=(const KyOscInput&) = delete;

    // Listens on `port` (stopping first); false with the reason when the port cannot be had.
    bool start(std::uint16_t port, std::string& error);
    void stop();
    bool running() const { return server_ != nullptr; }

    // Sends `address` with one int to every sender kept.
    void sendToSenders(const std::string& address, int value);

    // For the receiving thread's handler.
    void received(const char* path, const char* types, void* const* argv, int argc, void* source);

private:
    void run();
    void keepSender(std::string host, std::string port);

    KyInputQueue& queue_;
    void* server_ = nullptr; // lo_server
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::mutex sendersLock_;
    std::vector<std::pair<std::string, std::string>> senders_; // host and port, the latest last
};
