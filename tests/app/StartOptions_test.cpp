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
