#include "app/Show.h"
#include "common/Files.h"

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

TEST(Show, GeneratorsFileWithAWrongMagicEndsTheStartUp)
{
    auto dir = freshDirectory("badgen");
    vt::Bytes bad = {'v', 't', '2', ' ', 'g', 'e', 'n', '!', 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(vt::writeFileAtomically((dir / "generators.vt2").string(), bad));
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    try {
        show.loadAll(warnings);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "unsupported 'generators.vt2' file format");
    }
    fs::remove_all(dir);
}

TEST(Show, DamagedSequencesAreSetAsideAndTheCuesStillLoad)
{
    auto dir = freshDirectory("damaged");
    {
        KyShow show(DataPaths::in(dir.string()));
        show.seque.addSequence(KySequence{});
        KyCue cue;
        cue.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(0));
        show.seque.addCue(cue);
        show.genList.append(KyPanTiltGen{"ab", {}, {}});
        EXPECT_TRUE(show.saveAtExit().empty());
    }
    EXPECT_EQ(fs::file_size(dir / "sequences.vt2"), 20u + 17u);
    EXPECT_EQ(fs::file_size(dir / "cues.vt2"), 20u + 216u);
    EXPECT_EQ(fs::file_size(dir / "generators.vt2"), 16u + 74u);

    fs::resize_file(dir / "sequences.vt2", 30);
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Plik sequences.vt2 jest uszkodzony i nie został wczytany w całości.\nKopia: " +
                               (dir / "sequences.vt2.damaged").string());
    EXPECT_EQ(fs::file_size(dir / "sequences.vt2.damaged"), 30u);
    EXPECT_EQ(show.seque.cueCount(), 1u);
    EXPECT_EQ(show.seque.cueAt(0).zoneEngine(0).sequence->id, 0); // its sequence was lost
    EXPECT_EQ(show.genList.size(), 1u);
    fs::remove_all(dir);
}

TEST(Show, FailedSavesAreReportedWithTheFileName)
{
    KyShow show(DataPaths::in("/nonexistent/show"));
    auto failures = show.saveAtExit();
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0].rfind("Nie można zapisać pliku sequences.vt2: ", 0), 0u) << failures[0];
    EXPECT_EQ(failures[1].rfind("Nie można zapisać pliku cues.vt2: ", 0), 0u) << failures[1];
    EXPECT_EQ(failures[2].rfind("Nie można zapisać pliku generators.vt2: ", 0), 0u) << failures[2];
}
