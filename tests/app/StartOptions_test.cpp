#include "app/StartOptions.h"

#include <gtest/gtest.h>

TEST(StartOptions, DataDirectoryAndRepeatedPorts)
{
    const char* argv[] = {"vantorel", "--port", "/tmp/a", "--data-dir", "/show", "--port", "/tmp/b"};
    StartOptions options;
    std::string error;
    ASSERT_TRUE(parseStartOptions(7, argv, options, error));
    EXPECT_EQ(options.dataDirectory, "/show");
    EXPECT_EQ(options.ports, (std::vector<std::string>{"/tmp/a", "/tmp/b"}));
    EXPECT_FALSE(options.helpRequested || options.versionRequested);

    const char* plain[] = {"vantorel"};
    StartOptions none;
    ASSERT_TRUE(parseStartOptions(1, plain, none, error));
    EXPECT_TRUE(none.dataDirectory.empty() && none.ports.empty());
}

TEST(StartOptions, HelpAndVersion)
{
    for (const char* ask : {"--help", "-h", "--version", "-v"}) {
        const char* argv[] = {"vantorel", "--data-dir", "/show", ask};
        StartOptions options;
        std::string error;
        ASSERT_TRUE(parseStartOptions(4, argv, options, error)) << ask;
        bool version = std::string_view(ask) == "--version" || std::string_view(ask) == "-v";
        EXPECT_EQ(options.versionRequested, version) << ask;
        EXPECT_EQ(options.helpRequested, !version) << ask;
    }
    std::string usage = startUsage();
    for (const char* option : {"--help", "--version", "--data-dir <folder>", "--port <path>"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

// The line is read before the toolkit starts, which then takes its own options from it.
TEST(StartOptions, TheToolkitsOwnOptionsPassUnreadAndUnlisted)
{
    const char* argv[] = {"vantorel", "-platform", "offscreen", "--data-dir", "/show", "-style=fusion",
                          "-reverse", "--qwindowtitle", "Bar", "-session", "s1"};
    StartOptions options;
    std::string error;
    ASSERT_TRUE(parseStartOptions(11, argv, options, error)) << error;
    EXPECT_EQ(options.dataDirectory, "/show");
    EXPECT_TRUE(options.ports.empty());
    const std::string usage = startUsage();
    EXPECT_TRUE(usage.starts_with("Usage: vantorel [options]\n")) << usage;
    for (const char* option : {"platform", "style", "reverse", "session"})
        EXPECT_EQ(usage.find(option), std::string::npos) << option;
}

TEST(StartOptions, UnknownOptionsMissingValuesAndStrayArgumentsAreRefused)
{
    struct Case {
        std::vector<const char*> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"-style"}, "Missing value after '-style'."}, // the toolkit's, but without its value
        {{"--port", "/tmp/a", "--data-dir"}, "Missing value after '--data-dir'."},
        {{"--port"}, "Missing value after '--port'."},
        {{"show.json"}, "Unexpected argument 'show.json'."},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"vantorel"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        StartOptions options;
        std::string error;
        EXPECT_FALSE(parseStartOptions(static_cast<int>(argv.size()), argv.data(), options, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

TEST(StartOptions, AudioFile)
{
    const char* argv[] = {"vantorel", "--audio-file", "/tmp/track.wav"};
    StartOptions options;
    std::string error;
    ASSERT_TRUE(parseStartOptions(3, argv, options, error));
    EXPECT_EQ(options.audioFile, "/tmp/track.wav");
    const char* missing[] = {"vantorel", "--audio-file"};
    EXPECT_FALSE(parseStartOptions(2, missing, options, error));
    EXPECT_EQ(error, "Missing value after '--audio-file'.");
}

TEST(StartOptions, OlaUniverseAndPortForOneRun)
{
    const char* argv[] = {"vantorel", "--ola-universe", "12", "--ola-port", "9100"};
    StartOptions options;
    std::string error;
    ASSERT_TRUE(parseStartOptions(5, argv, options, error));
    EXPECT_EQ(options.olaUniverse, 12u);
    EXPECT_EQ(options.olaPort, 9100);

    StartOptions none;
    ASSERT_TRUE(parseStartOptions(1, argv, none, error));
    EXPECT_FALSE(none.olaUniverse || none.olaPort);

    for (const char* bad : {"0", "65536", "-1", "12x", ""}) {
        const char* refused[] = {"vantorel", "--ola-universe", bad};
        StartOptions o;
        EXPECT_FALSE(parseStartOptions(3, refused, o, error)) << bad;
        EXPECT_EQ(error, std::string("--ola-universe takes a number from 1 to 65535, not \"") + bad + "\"");
    }
}
