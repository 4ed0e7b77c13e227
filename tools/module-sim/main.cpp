// vantorel-module-sim: a virtual DMX interface module. It makes a pseudo-terminal, links its
// serial end at --link PATH, prints that path and answers the module protocol until told
// to quit. Commands on standard input, one per line: unplug, plug, music, quit.

#include "SimModule.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <optional>
#include <poll.h>
#include <sched.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr auto kStalePartial = milliseconds(100);
constexpr auto kHangupPause = milliseconds(50);

const char* const kUsage =
    "usage: vantorel-module-sim --link PATH [options]\n"
    "       vantorel-module-sim --help | --version\n"
    "  --name TEXT           module name in identify replies (16 bytes at most)\n"
    "  --serial-input 0|1    the identify reply's setting byte\n"
    "  --module-version TEXT the module's version text\n"
    "  --serial TEXT         16-character serial number; characters 10-11 are the generation\n"
    "  --frames FILE         append every DMX frame received as a line of hex digits\n"
    "  --frame-times FILE    append the arrival time of every DMX frame, in microseconds of\n"
    "                        the monotonic clock, one line each\n"
    "  --log FILE            append a line naming every request received (frame, read B, write B...)\n"
    "  --music-every MS      flip the music input on this schedule\n"
    "  --reply-delay-ms MS   answer this late\n"
    "  --erase-polls N       status polls an erase takes (default 3)\n"
    "  --garbage             answer every request with noise\n"
    "standard input: unplug, plug, music, quit\n";

struct Options {
    std::string link;
    std::string framesFile;
    std::string frameTimesFile;
    std::string logFile;
    int musicEveryMs = 0;
    int replyDelayMs = 0;
    SimSettings settings;
};

volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int)
{
    stopSignal = 1;
}

// What the command line asks for: run the module, or print the usage or the version.
enum class Request { Run, Help, Version };

// Throws std::invalid_argument with a one-line message on a line it cannot take.
Request parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return Request::Help;
        if (arg == "--version" || arg == "-v")
            return Request::Version;
        if (arg == "--garbage") {
            options.settings.garbage = true;
            continue;
        }
        if (!arg.starts_with("--"))
            throw std::invalid_argument("unexpected argument \"" + arg + "\"");
        if (i + 1 >= argc)
            throw std::invalid_argument(arg + " needs a value");
        std::string value = argv[++i];
        if (arg == "--link")
            options.link = value;
        else if (arg == "--name")
            options.settings.name = value;
        else if (arg == "--serial-input")
            options.settings.serialInput = static_cast<std::uint8_t>(std::atoi(value.c_str()));
        else if (arg == "--module-version")
            options.settings.version = value;
        else if (arg == "--serial")
            options.settings.serial = value;
        else if (arg == "--frames")
            options.framesFile = value;
        else if (arg == "--frame-times")
            options.frameTimesFile = value;
        else if (arg == "--log")
            options.logFile = value;
        else if (arg == "--music-every")
            options.musicEveryMs = std::atoi(value.c_str());
        else if (arg == "--reply-delay-ms")
            options.replyDelayMs = std::atoi(value.c_str());
        else if (arg == "--erase-polls")
            options.settings.erasePolls = std::atoi(value.c_str());
        else
            throw std::invalid_argument("unknown option " + arg);
    }
    if (options.link.empty())
        throw std::invalid_argument("--link PATH is missing");
    return Request::Run;
}

// The pseudo-terminal and the link that makes it look like a serial port. The simulator keeps
// its own descriptor of the serial end open, so the master never sees a hang-up when the
// program closes the port between probes.
class VirtualPort {
public:
    explicit VirtualPort(std::string link) : link_(std::move(link)) {}
    ~VirtualPort() { unplug(); }

    bool plugged() const { return master_ >= 0; }
    int master() const { return master_; }

    bool plug()
    {
        if (plugged())
            return true;
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        char name[128];
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
            ::ptsname_r(master_, name, sizeof name) != 0)
            return fail("pseudo-terminal");
        serial_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios raw{};
        if (serial_ < 0 || ::tcgetattr(serial_, &raw) != 0)
            return fail(name);
        ::cfmakeraw(&raw);
        ::tcsetattr(serial_, TCSANOW, &raw);
        // Link under a temporary name and rename, so the port appears complete or not at all.
        std::string temporary = link_ + ".new";
        ::unlink(temporary.c_str());
        if (::symlink(name, temporary.c_str()) != 0 || ::rename(temporary.c_str(), link_.c_str()) != 0)
            return fail(link_.c_str());
        return true;
    }

    void unplug()
    {
        if (!plugged())
            return;
        ::unlink(link_.c_str());
        if (serial_ >= 0)
            ::close(serial_);
        ::close(master_);
        serial_ = master_ = -1;
    }

private:
    bool fail(const char* what)
    {
        std::cerr << "vantorel-module-sim: " << what << ": " << std::strerror(errno) << '\n';
        unplug();
        return false;
    }

    std::string link_;
    int master_ = -1;
    int serial_ = -1;
};

struct DelayedReply {
    Clock::time_point due;
    SimModule::Bytes bytes;
};

class Simulator {
public:
    explicit Simulator(Options options) : options_(std::move(options)), module_(options_.settings), port_(options_.link)
    {
        if (!options_.framesFile.empty())
            frames_.open(options_.framesFile, std::ios::app);
        if (!options_.frameTimesFile.empty())
            frameTimes_.open(options_.frameTimesFile, std::ios::app);
        module_.onFrame = [this](const std::array<std::uint8_t, 512>& frame) {
            if (frameTimes_.is_open())
                writeFrameTime();
            if (frames_.is_open())
                writeFrame(frame);
        };
        if (!options_.logFile.empty()) {
            log_.open(options_.logFile, std::ios::app);
            module_.onRequest = [this](const std::string& line) { log_ << line << '\n' << std::flush; };
        }
        if (options_.musicEveryMs > 0)
            nextMusicFlip_ = Clock::now() + milliseconds(options_.musicEveryMs);
    }

    int run()
    {
        if (!port_.plug())
            return 1;
        say(options_.link);
        while (!quit_ && !stopSignal)
            step();
        port_.unplug();
        return 0;
    }

private:
    void say(const std::string& line)
    {
        std::cout << line << std::endl;
    }

    void writeFrame(const std::array<std::uint8_t, 512>& frame)
    {
        static const char digits[] = "0123456789abcdef";
        std::string line;
        line.reserve(1025);
        for (auto b : frame) {
            line += digits[b >> 4];
            line += digits[b & 15];
        }
        frames_ << line << '\n' << std::flush;
    }

    void writeFrameTime()
    {
        auto now = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch());
        frameTimes_ << now.count() << '\n' << std::flush;
    }

    // Waits for the line, standard input or the next scheduled event, never longer than needed.
    void step()
    {
        auto now = Clock::now();
        sendDueReplies(now);
        if (nextMusicFlip_ && now >= *nextMusicFlip_) {
            module_.flipMusic();
            *nextMusicFlip_ += milliseconds(options_.musicEveryMs);
        }

        pollfd fds[2];
        nfds_t count = 0;
        if (stdinOpen_)
            fds[count++] = {STDIN_FILENO, POLLIN, 0};
        bool watchLine = port_.plugged() && now >= linePausedUntil_;
        if (watchLine)
            fds[count++] = {port_.master(), POLLIN, 0};

        sigset_t unblocked;
        ::sigemptyset(&unblocked);
        timespec timeout = timeoutUntilNextEvent(now);
        int ready = ::ppoll(fds, count, timeout.tv_sec < 0 ? nullptr : &timeout, &unblocked);
        if (ready <= 0)
            return;
        for (nfds_t i = 0; i < count; ++i) {
            if (fds[i].revents == 0)
                continue;
            if (fds[i].fd == STDIN_FILENO)
                readCommands();
            else
                readLine();
        }
    }

    timespec timeoutUntilNextEvent(Clock::time_point now) const
    {
        std::optional<Clock::time_point> next = nextMusicFlip_;
        auto consider = [&](Clock::time_point t) {
            if (!next || t < *next)
                next = t;
        };
        if (!replies_.empty())
            consider(replies_.front().due);
        if (port_.plugged() && now < linePausedUntil_)
            consider(linePausedUntil_);
        if (!next)
            return {-1, 0};
        auto left = std::max(Clock::duration::zero(), *next - now);
        auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        return {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    }

    void readLine()
    {
        std::uint8_t buffer[4096];
        ssize_t got = ::read(port_.master(), buffer, sizeof buffer);
        auto now = Clock::now();
        if (got <= 0) {
            // Hung up or failing: look again a little later instead of spinning.
            if (got == 0 || (errno != EAGAIN && errno != EINTR))
                linePausedUntil_ = now + kHangupPause;
            return;
        }
        if (module_.hasPartialRequest() && now - lastReceived_ > kStalePartial)
            module_.dropPartialRequest();
        lastReceived_ = now;
        std::vector<SimModule::Bytes> replies;
        module_.receive({buffer, static_cast<std::size_t>(got)}, replies);
        for (auto& reply : replies)
            replies_.push_back({now + milliseconds(options_.replyDelayMs), std::move(reply)});
        sendDueReplies(now);
    }

    void sendDueReplies(Clock::time_point now)
    {
        while (!replies_.empty() && replies_.front().due <= now) {
            const auto& bytes = replies_.front().bytes;
            // A reply the program has no room for is lost, as on the real line.
            if (port_.plugged()) {
                [[maybe_unused]] ssize_t put = ::write(port_.master(), bytes.data(), bytes.size());
            }
            replies_.pop_front();
        }
    }

    void readCommands()
    {
        char buffer[256];
        ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            if (got == 0 || (errno != EAGAIN && errno != EINTR))
                stdinOpen_ = false; // run on without commands
            return;
        }
        commandText_.append(buffer, static_cast<std::size_t>(got));
        std::size_t end;
        while ((end = commandText_.find('\n')) != std::string::npos) {
            std::string command = commandText_.substr(0, end);
            commandText_.erase(0, end + 1);
            if (!command.empty() && command.back() == '\r')
                command.pop_back();
            runCommand(command);
        }
    }

    void runCommand(const std::string& command)
    {
        if (command == "unplug") {
            port_.unplug();
            replies_.clear();
            module_.dropPartialRequest();
            say("unplugged");
        } else if (command == "plug") {
            say(port_.plug() ? options_.link : std::string("plug failed"));
        } else if (command == "music") {
            module_.flipMusic();
            say("music " + std::to_string(module_.music()));
        } else if (command == "quit") {
            quit_ = true;
        } else if (!command.empty()) {
            std::cerr << "vantorel-module-sim: unknown command: " << command << '\n';
        }
    }

    Options options_;
    SimModule module_;
    VirtualPort port_;
    std::ofstream frames_;
    std::ofstream frameTimes_;
    std::ofstream log_;
    std::deque<DelayedReply> replies_;
    std::optional<Clock::time_point> nextMusicFlip_;
    Clock::time_point linePausedUntil_{};
    Clock::time_point lastReceived_{};
    std::string commandText_;
    bool stdinOpen_ = true;
    bool quit_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    Options options;
    Request request;
    try {
        request = parseOptions(argc, argv, options);
    } catch (const std::invalid_argument& e) {
        std::cerr << "vantorel-module-sim: " << e.what() << '\n' << kUsage;
        return 2;
    }
    if (request != Request::Run) {
        std::cout << (request == Request::Help ? kUsage : "vantorel-module-sim " VANTOREL_VERSION "\n");
        return 0;
    }
    // Hardware answers within a millisecond; real-time scheduling lets the virtual module do
    // the same on a busy machine, inside the program's 10 ms probe wait. Without the
    // privilege it runs at normal priority.
    sched_param realTime{};
    realTime.sched_priority = 20;
    ::sched_setscheduler(0, SCHED_FIFO, &realTime);
    // The stop signals are only let through while waiting, so none slips past the check.
    sigset_t stopSignals;
    ::sigemptyset(&stopSignals);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        ::sigaddset(&stopSignals, s);
    ::sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(s, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator simulator(std::move(options));
    return simulator.run();
}
