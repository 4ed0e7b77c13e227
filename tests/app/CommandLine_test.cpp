// The command lines of the three programs, run as a user runs them, also over ssh with no
// display at all: --help and --version print and succeed; an unknown option or a missing
// value gives one line and the usage on standard error, exit status 2, and the program goes
// no further.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string contents(const fs::path& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

class CommandLine : public testing::Test {
protected:
    fs::path scratch = fs::temp_directory_path() / ("vt-commandline-" + std::to_string(::getpid()));

    void SetUp() override
    {
        fs::remove_all(scratch);
        fs::create_directories(scratch / "home");
        fs::create_directories(scratch / "show");
        fs::create_directories(scratch / "runtime");
        fs::permissions(scratch / "runtime", fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(scratch); }

    // A program that opened its window would never end on its own: the time limit turns that
    // into a failure. HOME points at an empty folder, so a user data folder would show there;
    // the runtime folder a desktop session has keeps the toolkit from remarking on its absence.
    // There is no display: nothing of the answer may need one.
    Outcome run(const std::string& program, const std::vector<std::string>& args)
    {
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME='" +
                              (scratch / "home").string() + "' XDG_DATA_HOME= XDG_RUNTIME_DIR='" +
                              (scratch / "runtime").string() + "' timeout 60 '" + program + "'";
        for (const auto& arg : args)
            command += " '" + arg + "'";
        command += " </dev/null >'" + (scratch / "out").string() + "' 2>'" + (scratch / "err").string() + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, contents(scratch / "out"), contents(scratch / "err")};
    }
};

struct Program {
    const char* path;
    const char* name;
    const char* usage; // how its usage text begins
};

const Program kPrograms[] = {
    {VANTOREL_PROGRAM, "vantorel", "Usage: "},
    {VANTOREL_CLI, "vantorel-cli", "usage: vantorel-cli"},
    {VANTOREL_MODULE_SIM, "vantorel-module-sim", "usage: vantorel-module-sim"},
};

} // namespace

TEST_F(CommandLine, HelpAndVersionPrintAndSucceed)
{
    for (const Program& p : kPrograms) {
        for (const char* help : {"--help", "-h"}) {
            Outcome r = run(p.path, {help});
            EXPECT_EQ(r.status, 0) << p.name << ' ' << help;
            EXPECT_TRUE(r.out.starts_with(p.usage)) << p.name << ' ' << help << ": " << r.out;
        }
        Outcome r = run(p.path, {"--version"});
        EXPECT_EQ(r.status, 0) << p.name;
        EXPECT_EQ(r.out, std::string(p.name) + " " VANTOREL_VERSION "\n");
    }
    EXPECT_NE(run(VANTOREL_PROGRAM, {"--help"}).out.find("--data-dir <folder>"), std::string::npos);
    // The toolkit's own options are left to the toolkit, also beside --version.
    Outcome r = run(VANTOREL_PROGRAM, {"-platform", "offscreen", "-style=fusion", "--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "vantorel " VANTOREL_VERSION "\n");
}

TEST_F(CommandLine, UnknownOptionsAndMissingValuesEndWithStatusTwo)
{
    struct Case {
        const Program& program;
        std::vector<std::string> args;
        std::string message;
    };
    const std::string show = (scratch / "show").string();
    const Case cases[] = {
        {kPrograms[0], {"--data-dir", show, "--bogus"}, "vantorel: Unknown option 'bogus'."},
        {kPrograms[0], {"--port", "/dev/null", "--data-dir"}, "vantorel: Missing value after '--data-dir'."},
        {kPrograms[0], {"--data-dir", show, "show.json"}, "vantorel: Unexpected argument 'show.json'."},
        {kPrograms[1], {"--bogus"}, "vantorel-cli: unknown command \"--bogus\""},
        {kPrograms[1], {"dump", "--data-dir", show, "--bogus"}, "vantorel-cli: unexpected argument \"--bogus\""},
        {kPrograms[1], {"dump", "--data-dir"}, "vantorel-cli: --data-dir needs a value"},
        {kPrograms[2], {"--link", show + "/dmx", "--bogus", "1"}, "vantorel-module-sim: unknown option --bogus"},
        {kPrograms[2], {"--link"}, "vantorel-module-sim: --link needs a value"},
        {kPrograms[2], {"--name", "X"}, "vantorel-module-sim: --link PATH is missing"},
    };
    for (const Case& c : cases) {
        Outcome r = run(c.program.path, c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_EQ(firstLine(r.err), c.message);
        const std::string rest = r.err.substr(std::min(r.err.size(), r.err.find('\n') + 1));
        EXPECT_TRUE(rest.starts_with(c.program.usage)) << c.message << ": " << r.err;
    }
    // The program stopped before its window: no exit save wrote the show, no data folder was
    // made, and the virtual module never linked its port.
    EXPECT_TRUE(fs::is_empty(scratch / "show"));
    EXPECT_TRUE(fs::is_empty(scratch / "home"));
}
