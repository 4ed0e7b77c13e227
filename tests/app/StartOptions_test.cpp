#include "app/StartOptions.h"

#include <gtest/gtest.h>

TEST(StartOptions, DataDirectoryAndRepeatedPorts)
{
    const char* argv[] = {"vantorel", "--port", "/tmp/a", "-style", "x", "--data-dir", "/show", "--port", "/tmp/b"};
    StartOptions options;
    std::string error;
    ASSERT_TRUE(parseStartOptions(9, argv, options, error));
    EXPECT_EQ(options.dataDirectory, "/show");
    EXPECT_EQ(options.ports, (std::vector<std::string>{"/tmp/a", "/tmp/b"}));
}

TEST(StartOptions, OptionWithoutValueIsRefused)
{
    const char* argv[] = {"vantorel", "--data-dir"};
    StartOptions options;
    std::string error;
    EXPECT_FALSE(parseStartOptions(2, argv, options, error));
    EXPECT_EQ(error, "--data-dir needs a value");
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
    EXPECT_EQ(error, "--audio-file needs a value");
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
