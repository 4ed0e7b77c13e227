#pragma once
// Runs the virtual DMX module for a test: its port appears at `<folder>/<name>`, commands go
// to its standard input and each is acknowledged on its standard output.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef VANTOREL_MODULE_SIM
#error "VANTOREL_MODULE_SIM must name the simulator binary"
#endif

// A temporary folder removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vt-link-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class ModuleSimProcess {
public:
    ModuleSimProcess(std::filesystem::path link, std::vector<std::string> options = {}) : link_(std::move(link))
    {
        std::signal(SIGPIPE, SIG_IGN); // a simulator that died must fail the test, not kill it
        int toSim[2], fromSim[2];
        if (::pipe2(toSim, O_CLOEXEC) != 0 || ::pipe2(fromSim, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        std::vector<std::string> args{VANTOREL_MODULE_SIM, "--link", link_.string()};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, toSim[0], STDIN_FILENO);
        ::posix_spawn_file_actions_adddup2(&actions, fromSim[1], STDOUT_FILENO);
        int failed = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(toSim[0]);
        ::close(fromSim[1]);
        input_ = toSim[1];
        output_ = fromSim[0];
        if (failed != 0)
            throw std::runtime_error("cannot start the module simulator");
        if (readLine() != link_.string())
            throw std::runtime_error("the module simulator did not start");
    }

    ~ModuleSimProcess()
    {
        send("quit");
        ::close(input_);
        ::close(output_);
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    ModuleSimProcess(const ModuleSimProcess&) = delete;
    ModuleSimProcess& operator=(const ModuleSimProcess&) = delete;

    const std::filesystem::path& link() const { return link_; }
    pid_t pid() const { return pid_; }

    // Runs a command and returns the simulator's acknowledgement.
    std::string command(const std::string& line)
    {
        send(line);
        return readLine();
    }

private:
    void send(const std::string& line)
    {
        std::string text = line + "\n";
        [[maybe_unused]] ssize_t put = ::write(input_, text.data(), text.size());
    }

    std::string readLine()
    {
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{output_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char c;
            if (::read(output_, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        throw std::runtime_error("no answer from the module simulator");
    }

    std::filesystem::path link_;
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
};

// The DMX frames a simulator started with --frames FILE has received, one hex line each.
inline std::vector<std::string> framesIn(const std::filesystem::path& file)
{
    std::vector<std::string> frames;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        frames.push_back(line);
    return frames;
}
