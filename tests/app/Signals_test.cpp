// The built program and ./run as real processes: a signal that ends the session closes the
// program as "Zakończ" would, without the question, and the show is saved.

#include "support/ModuleSimProcess.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string_view>
#include <sys/wait.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const char* const kExitFiles[] = {"panel.vt2", "sequences.vt2", "cues.vt2", "club.vt2", "generators.vt2", "vt2.cnf"};

// Starts a program with extra environment variables; in a process group of its own when
// asked, as a shell in a terminal would have it.
pid_t spawnProcess(const std::vector<std::string>& args, const std::vector<std::string>& extraEnvironment,
                   bool ownGroup)
{
    std::vector<std::string> environment = extraEnvironment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> out;
        for (auto& s : strings)
            out.push_back(s.data());
        out.push_back(nullptr);
        return out;
    };
    std::vector<std::string> argStrings = args;
    auto argv = pointers(argStrings);
    auto envp = pointers(environment);
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    // The signals at their defaults, as a terminal starts a program, whatever ran the test.
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&ending, signal);
    ::posix_spawnattr_setsigdefault(&attributes, &ending);
    short flags = POSIX_SPAWN_SETSIGDEF;
    if (ownGroup) {
        flags |= POSIX_SPAWN_SETPGROUP;
        ::posix_spawnattr_setpgroup(&attributes, 0);
    }
    ::posix_spawnattr_setflags(&attributes, flags);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, argv[0], nullptr, &attributes, argv.data(), envp.data());
    ::posix_spawnattr_destroy(&attributes);
    return failed ? -1 : pid;
}

std::string procFile(pid_t pid, const char* name)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether the process runs a handler for the signal: the program installs its handlers once
// its start-up is over.
bool catches(pid_t pid, int signal)
{
    const std::string status = procFile(pid, "status");
    const auto at = status.find("SigCgt:");
    if (at == std::string::npos)
        return false;
    const unsigned long long mask = std::stoull(status.substr(at + 7), nullptr, 16);
    return (mask >> (signal - 1)) & 1;
}

// The process's state letter and the processor time it has used, in clock ticks.
std::pair<char, unsigned long long> stateAndTime(pid_t pid)
{
    const std::string stat = procFile(pid, "stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return {'?', 0};
    std::istringstream fields(stat.substr(close + 2));
    char state = '?';
    std::string skip;
    unsigned long long user = 0, system = 0;
    fields >> state;
    for (int field = 4; field <= 13; ++field)
        fields >> skip;
    fields >> user >> system;
    return {state, user + system};
}

// Asleep and using no processor time for half a second: waiting for the operator.
bool waitingIdle(pid_t pid)
{
    const auto before = stateAndTime(pid);
    std::this_thread::sleep_for(500ms);
    const auto after = stateAndTime(pid);
    return before.first == 'S' && after.first == 'S' && before.second == after.second;
}

// A living process, not a zombie.
bool alive(pid_t pid)
{
    const std::string stat = procFile(pid, "stat");
    const auto close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

// The child of `parent` whose command name is `name`.
std::optional<pid_t> childNamed(pid_t parent, const std::string& name)
{
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string file = entry.path().filename();
        if (file.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = std::stoi(file);
        const std::string stat = procFile(pid, "stat");
        const auto open = stat.find('('), close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 2));
        char state = 0;
        pid_t ppid = 0;
        rest >> state >> ppid;
        if (ppid == parent && stat.substr(open + 1, close - open - 1) == name)
            return pid;
    }
    return std::nullopt;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::seconds limit = 60s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A started process (with its group, when it has one of its own) that a failed test does
// not leave behind.
class Spawned {
public:
    Spawned(const std::vector<std::string>& args, const std::vector<std::string>& extraEnvironment,
            bool ownGroup = false)
        : pid_(spawnProcess(args, extraEnvironment, ownGroup)), ownGroup_(ownGroup)
    {
    }
    ~Spawned()
    {
        if (pid_ <= 0 || reaped_)
            return;
        ::kill(ownGroup_ ? -pid_ : pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    Spawned(const Spawned&) = delete;
    Spawned& operator=(const Spawned&) = delete;

    pid_t pid() const { return pid_; }

    // The exit status, or -1 if the process did not end in time.
    int exitStatus(std::chrono::seconds limit = 60s)
    {
        int status = 0;
        if (!waitUntil([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, limit))
            return -1;
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_;
    bool ownGroup_;
    bool reaped_ = false;
};

} // namespace

TEST(Signals, SigtermClosesTheProgramWithItsExitSave)
{
    TempFolder folder;
    const fs::path show = folder / "show";
    fs::create_directory(show);
    ModuleSimProcess sim(folder / "dmx");
    Spawned started({VANTOREL_PROGRAM, "--data-dir", show.string(), "--port", sim.link().string()},
                    {"QT_QPA_PLATFORM=offscreen"});
    const pid_t program = started.pid();
    ASSERT_GT(program, 0);
    ASSERT_TRUE(waitUntil([&] { return catches(program, SIGTERM); })) << "the program did not start";
    for (const char* file : kExitFiles)
        EXPECT_FALSE(fs::exists(show / file)) << file; // the start-up writes nothing

    // The second one arrives while the first is being handled and must not cut the save.
    ::kill(program, SIGTERM);
    ::kill(program, SIGTERM);
    EXPECT_EQ(started.exitStatus(), 0);
    for (const char* file : kExitFiles)
        EXPECT_TRUE(fs::exists(show / file)) << file;
    EXPECT_FALSE(fs::exists(show / "library.vt2"));
}

// Ctrl+C reaches every process of the terminal's group; `kill -INT` of the script reaches the
// script alone, which passes it on. Either way the program saves and the module stops.
TEST(Signals, SigintThroughRunStopsTheProgramAndTheVirtualModule)
{
    for (const bool wholeGroup : {false, true}) {
        SCOPED_TRACE(wholeGroup ? "Ctrl+C" : "kill -INT of ./run");
        TempFolder folder;
        const fs::path show = folder / "show";
        fs::create_directory(show);
        const std::string load = std::string("'") + VANTOREL_CLI + "' load --data-dir '" + show.string() + "' <'" +
                                 VANTOREL_DEMO_SHOW + "'";
        ASSERT_EQ(std::system(load.c_str()), 0);
        fs::remove(show / "panel.vt2"); // only the exit save brings it back

        Spawned script({VANTOREL_SOURCE_DIR "/run", "--data-dir", show.string()},
                       {"VANTOREL_BUILD_DIR=" VANTOREL_BUILD_DIR, "TMPDIR=" + (folder / "").string(),
                        "QT_QPA_PLATFORM=offscreen"},
                       true);
        const pid_t run = script.pid();
        ASSERT_GT(run, 0);
        std::optional<pid_t> program, module;
        ASSERT_TRUE(waitUntil([&] {
            program = childNamed(run, "vantorel");
            return program && catches(*program, SIGINT);
        })) << "the program did not start";
        module = childNamed(run, "vantorel-module"); // the kernel keeps 15 characters of the name
        ASSERT_TRUE(module.has_value());

        ::kill(wholeGroup ? -run : run, SIGINT);
        EXPECT_EQ(script.exitStatus(), 0);
        EXPECT_FALSE(alive(*program));
        EXPECT_FALSE(alive(*module));
        EXPECT_EQ(fs::exists(show / "panel.vt2") ? fs::file_size(show / "panel.vt2") : 0u, 6300u);
    }
}

// A start-up question is modal and nobody may be there to answer it. Once the show is loaded,
// a signal closes the question and the program as "Zakończ" does: exit status 0, the show
// saved, and a file that could not be read still left as it was.
TEST(Signals, ASignalDuringAStartUpQuestionEndsTheProgramWithItsExitSave)
{
    struct Case {
        const char* question;
        int signal;
        bool unreadableSequences; // a folder in the place of sequences.vt2
        int modules;              // virtual modules on the ports given
    };
    const Case cases[] = {
        {"BRAK MODUŁU DMX", SIGTERM, false, 0},
        {"a file that cannot be read", SIGINT, true, 0},
        {"the module choice", SIGHUP, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        TempFolder folder;
        const fs::path show = folder / "show";
        fs::create_directory(show);
        if (c.unreadableSequences)
            fs::create_directories(show / "sequences.vt2" / "inside");
        std::vector<std::unique_ptr<ModuleSimProcess>> modules;
        std::vector<std::string> args{VANTOREL_PROGRAM, "--data-dir", show.string()};
        for (int i = 0; i < c.modules; ++i) {
            const std::string name = "dmx" + std::to_string(i);
            modules.push_back(std::make_unique<ModuleSimProcess>(folder / name, std::vector<std::string>{"--name", name}));
            args.insert(args.end(), {"--port", (folder / name).string()});
        }
        // Settings of their own, so that no saved OLA output takes the place of a module.
        Spawned started(args, {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + (folder / "config").string()});
        const pid_t program = started.pid();
        ASSERT_GT(program, 0);
        ASSERT_TRUE(waitUntil([&] { return catches(program, c.signal) && waitingIdle(program); }))
            << "the program neither caught the signal nor came to its question";

        ::kill(program, c.signal);
        EXPECT_EQ(started.exitStatus(), 0);
        for (const char* file : kExitFiles) {
            if (c.unreadableSequences && std::string_view(file) == "sequences.vt2")
                EXPECT_TRUE(fs::is_directory(show / file / "inside"));
            else
                EXPECT_TRUE(fs::is_regular_file(show / file)) << file;
        }
    }
}
