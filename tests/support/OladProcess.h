#pragma once
// A real OLA daemon for a test, and a client that reads one of its universes back.
//
// The daemon runs in a configuration folder of its own with every plugin off, on a private
// RPC port, without its web server. It refuses to run as root, so a test running as root
// starts it as the unprivileged `olad` user (or `nobody` where that user is missing).

#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/client/OlaClient.h>
#include <ola/io/SelectServer.h>
#include <ola/network/SocketAddress.h>
#include <ola/network/TCPSocket.h>

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <pwd.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace olad_test {

// A loopback port nobody listens on right now.
inline std::uint16_t freePort()
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no free port");
    ::close(s);
    return ntohs(address.sin_port);
}

inline bool accepts(std::uint16_t port)
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

} // namespace olad_test

class OladProcess {
public:
    OladProcess() : port_(olad_test::freePort())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vt-olad-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        folder_ = pattern;
        // The daemon would otherwise start every plugin, probing serial devices and the network.
        for (const char* plugin : {"artnet", "dummy", "e131", "espnet", "ftdidmx", "gpio", "karate", "kinet",
                                   "milinst", "opendmx", "openpixelcontrol", "osc", "pathport", "renard",
                                   "sandnet", "shownet", "spi", "stageprofi", "uartdmx", "usbdmx", "usbserial"})
            std::ofstream(folder_ / (std::string("ola-") + plugin + ".conf")) << "enabled = false\n";
        if (::geteuid() == 0) {
            const passwd* user = ::getpwnam("olad");
            if (!user)
                user = ::getpwnam("nobody");
            if (!user)
                throw std::runtime_error("no unprivileged user for olad");
            uid_ = user->pw_uid;
            gid_ = user->pw_gid;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_))
                [[maybe_unused]] int ignored = ::chown(entry.path().c_str(), uid_, gid_);
            [[maybe_unused]] int ignored = ::chown(folder_.c_str(), uid_, gid_);
        }
        start();
    }

    ~OladProcess()
    {
        stop();
        std::filesystem::remove_all(folder_);
    }
    OladProcess(const OladProcess&) = delete;
    OladProcess& operator=(const OladProcess&) = delete;

    std::uint16_t port() const { return port_; }

    // Starts the daemon and waits until it takes connections.
    void start()
    {
        std::vector<std::string> args;
        if (::geteuid() == 0)
            args = {"setpriv", "--reuid=" + std::to_string(uid_), "--regid=" + std::to_string(gid_), "--clear-groups"};
        for (std::string a : std::vector<std::string>{"olad", "--config-dir", folder_.string(), "--rpc-port",
                                                      std::to_string(port_), "--no-http", "--no-register-with-dns-sd",
                                                      "--log-level", "1"})
            args.push_back(a);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        const std::string log = (folder_ / "olad.log").string();
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        ::posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        int failed = ::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        if (failed != 0)
            throw std::runtime_error("cannot start olad");
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!olad_test::accepts(port_)) {
            if (std::chrono::steady_clock::now() > until || ::waitpid(pid_, nullptr, WNOHANG) == pid_)
                throw std::runtime_error("olad did not start; see " + log);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // Stops the daemon by its process id.
    void stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 500 && ::waitpid(pid_, nullptr, WNOHANG) != pid_; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (::kill(pid_, 0) == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    std::filesystem::path folder_;
    std::uint16_t port_;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    pid_t pid_ = -1;
};

// Reads one universe of a daemon back through the OLA client: every update the daemon passes
// on, with the time it came.
class OlaUniverseReader {
public:
    struct Update {
        std::chrono::steady_clock::time_point time;
        std::vector<std::uint8_t> frame;
    };

    OlaUniverseReader(std::uint16_t port, unsigned universe)
    {
        socket_.reset(ola::network::TCPSocket::Connect(
            ola::network::IPV4SocketAddress(ola::network::IPV4Address::Loopback(), port)));
        if (!socket_)
            throw std::runtime_error("cannot reach olad");
        client_ = std::make_unique<ola::client::OlaClient>(socket_.get());
        server_.AddReadDescriptor(socket_.get());
        if (!client_->Setup())
            throw std::runtime_error("cannot set up the OLA client");
        client_->SetDMXCallback(ola::NewCallback(this, &OlaUniverseReader::onDmx));
        client_->RegisterUniverse(universe, ola::client::REGISTER,
                                  ola::NewSingleCallback(this, &OlaUniverseReader::onRegistered));
        thread_ = std::thread([this] { server_.Run(); });
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, std::chrono::seconds(10), [this] { return registered_; }))
            throw std::runtime_error("olad did not register the universe");
    }

    ~OlaUniverseReader()
    {
        server_.Terminate();
        thread_.join();
        server_.RemoveReadDescriptor(socket_.get());
        client_->Stop();
    }

    std::vector<Update> updates() const
    {
        std::lock_guard lock(mutex_);
        return updates_;
    }

    // Waits until at least `count` updates came; false when `limit` passed first.
    bool awaitUpdates(std::size_t count, std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return updates_.size() >= count; });
    }

private:
    void onRegistered(const ola::client::Result& result)
    {
        std::lock_guard lock(mutex_);
        registered_ = result.Success();
        changed_.notify_all();
    }

    void onDmx(const ola::client::DMXMetadata&, const ola::DmxBuffer& data)
    {
        Update update{std::chrono::steady_clock::now(), std::vector<std::uint8_t>(512)};
        unsigned length = 512;
        data.Get(update.frame.data(), &length);
        std::lock_guard lock(mutex_);
        updates_.push_back(std::move(update));
        changed_.notify_all();
    }

    std::unique_ptr<ola::network::TCPSocket> socket_;
    ola::io::SelectServer server_;
    std::unique_ptr<ola::client::OlaClient> client_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool registered_ = false;
    std::vector<Update> updates_;
};
