#include "app/Show.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path freshDirectory(const char* name)
{
    auto dir = fs::temp_directory_path() / ("vt-show-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

} // namespace

TEST(Show, DataPathsAreFormedInTheDirectory)
{
    auto paths = DataPaths::in("/data/show/");
    EXPECT_EQ(paths.library, "/data/show/library.vt2");
    EXPECT_EQ(paths.club, "/data/show/club.vt2");
    EXPECT_EQ(paths.sequences, "/data/show/sequences.vt2");
    EXPECT_EQ(paths.cues, "/data/show/cues.vt2");
    EXPECT_EQ(paths.generators, "/data/show/generators.vt2");
    EXPECT_EQ(paths.panel, "/data/show/panel.vt2");
    EXPECT_EQ(paths.configuration, "/data/show/vt2.cnf");
    EXPECT_EQ(paths.events, "/data/show/events.vt2");
}

TEST(Show, FirstStartInAnEmptyDirectory)
{
    auto dir = freshDirectory("first");
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(show.pageNames, std::vector<std::string>{"Strona 1"});
    EXPECT_EQ(show.zoneNames[0], "1");
    EXPECT_EQ(show.zoneNames[9], "10");
    EXPECT_FALSE(fs::exists(dir / "events.vt2"));
    show.saveAtExit();
    EXPECT_FALSE(fs::exists(dir / "events.vt2"));
    fs::remove_all(dir);
}

TEST(Show, CloseRequestStopsOutputAtTheNextTickAndNoRestoresIt)
{
    KyShow show(DataPaths::in("/nonexistent"));
    show.dmx.setChannel(3, 99);
    show.tick();
    EXPECT_EQ(show.dmx.data()[3], 0); // a running tick clears unheld channels

    show.requestClose();
    EXPECT_EQ(show.closeState(), KyShow::CloseRequested);
    show.dmx.setChannel(3, 99);
    show.tick();
    EXPECT_EQ(show.closeState(), KyShow::OutputClosed);
    show.tick();
    EXPECT_EQ(show.dmx.data()[3], 99); // no playback while closed

    show.cancelClose();
    EXPECT_EQ(show.closeState(), KyShow::Running);
    show.tick();
    EXPECT_EQ(show.dmx.data()[3], 0);
}
