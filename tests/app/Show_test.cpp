#include "app/Show.h"
#include "library/LibraryFile.h"
#include "common/Files.h"

#include <filesystem>
#include <functional>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
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

vt::Bytes fileBytes(const fs::path& path)
{
    vt::Bytes bytes;
    vt::readWholeFile(path.string(), bytes);
    return bytes;
}

void writeBytes(const fs::path& path, const vt::Bytes& bytes)
{
    ASSERT_TRUE(vt::writeFileAtomically(path.string(), bytes));
}

// A library of `types` device types and an installation with one device of each, as the
// files hold them.
struct ShowFiles {
    vt::Bytes library;
    vt::Bytes club;
};

ShowFiles showFiles(int types)
{
    KyLibrary library;
    for (int i = 0; i < types; ++i) {
        KyDevice type;
        type.name = "Typ " + std::to_string(i + 1);
        library.addDevice(type);
        library.club.addClubDevice(KyClubDevice(library.deviceAt(library.deviceCount() - 1)));
    }
    return {libraryToBytes(library), library.club.toBytes()};
}

std::string damagedWarning(const fs::path& path)
{
    return "Plik " + path.filename().string() + " jest uszkodzony i nie został wczytany w całości.\nKopia: " +
           path.string() + ".damaged";
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
    EXPECT_TRUE(show.saveAtExit().empty());
    EXPECT_FALSE(fs::exists(dir / "events.vt2"));
    EXPECT_FALSE(fs::exists(dir / "library.vt2")); // written only when its window closes
    EXPECT_EQ(fileBytes(dir / "club.vt2"), (vt::Bytes{0, 0, 0, 0}));
    EXPECT_TRUE(fs::exists(dir / "vt2.cnf"));
    fs::remove_all(dir);
}

TEST(Show, InstallationResolvesTypesOfTheLibraryLoadedBeforeIt)
{
    auto dir = freshDirectory("order");
    ShowFiles files = showFiles(2);
    writeBytes(dir / "library.vt2", files.library);
    writeBytes(dir / "club.vt2", files.club);
    std::ofstream(dir / "vt2.cnf") << "[MAIN PAGE CONTORL]\nPages=2\n";
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(show.pageNames, (std::vector<std::string>{"Strona 1", ""}));
    ASSERT_EQ(show.library.club.clubDeviceCount(), 2u);
    EXPECT_EQ(show.library.club.clubDeviceAt(1)->deviceType, show.library.deviceAt(1));
    EXPECT_TRUE(show.saveLibrary().empty());
    EXPECT_EQ(fileBytes(dir / "library.vt2"), files.library);
    fs::remove_all(dir);
}

TEST(Show, IconsAreBuiltAfterLoadingAndADeviceOnAMissingPageIsSavedOnTheFirst)
{
    auto dir = freshDirectory("icons");
    KyLibrary library;
    library.addDevice(KyDevice{});
    for (std::int32_t page : {1, 5}) {
        KyClubDevice device(library.deviceAt(0));
        device.page = page;
        library.club.addClubDevice(device);
    }
    writeBytes(dir / "library.vt2", libraryToBytes(library));
    writeBytes(dir / "club.vt2", library.club.toBytes());
    std::ofstream(dir / "vt2.cnf") << "[MAIN PAGE CONTORL]\nPages=3\n";

    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    EXPECT_EQ(show.icons.devices(), show.library.club.clubDevices);
    EXPECT_TRUE(show.saveAtExit().empty());

    KyClub saved(show.library.devices);
    ASSERT_EQ(saved.load((dir / "club.vt2").string()), vt::LoadStatus::Complete);
    ASSERT_EQ(saved.clubDeviceCount(), 2u);
    EXPECT_EQ(saved.clubDeviceAt(0)->page, 1);
    EXPECT_EQ(saved.clubDeviceAt(1)->page, 0);
    fs::remove_all(dir);
}

TEST(Show, CutInstallationIsSetAsideBeforeTheExitSaveReplacesIt)
{
    auto dir = freshDirectory("cut-club");
    ShowFiles files = showFiles(2);
    files.club.resize(files.club.size() - 3);
    writeBytes(dir / "library.vt2", files.library);
    writeBytes(dir / "club.vt2", files.club);
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    EXPECT_EQ(warnings, std::vector<std::string>{damagedWarning(dir / "club.vt2")});
    EXPECT_EQ(show.library.club.clubDeviceCount(), 1u);

    EXPECT_TRUE(show.saveAtExit().empty());
    EXPECT_EQ(fileBytes(dir / "club.vt2").size(), 4u + 27);
    EXPECT_EQ(fileBytes(dir / "club.vt2.damaged"), files.club);
    fs::remove_all(dir);
}

TEST(Show, CutLibraryIsSetAsideWithTheInstallationItCannotHold)
{
    auto dir = freshDirectory("cut-library");
    ShowFiles files = showFiles(2);
    files.library.resize(8 + 20); // inside the first type: the second has no identifier
    writeBytes(dir / "library.vt2", files.library);
    writeBytes(dir / "club.vt2", files.club);
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], damagedWarning(dir / "library.vt2"));
    EXPECT_EQ(warnings[1], "Urządzenia z pliku club.vt2, których typów nie ma w bibliotece, zostały pominięte: 1.\n"
                           "Kopia: " + (dir / "club.vt2.damaged").string());
    EXPECT_EQ(show.library.deviceCount(), 2u);
    EXPECT_EQ(show.library.club.clubDeviceCount(), 1u);

    show.saveAtExit();
    EXPECT_EQ(fileBytes(dir / "library.vt2"), files.library);
    EXPECT_EQ(fileBytes(dir / "library.vt2.damaged"), files.library);
    EXPECT_EQ(fileBytes(dir / "club.vt2.damaged"), files.club);
    fs::remove_all(dir);
}

TEST(Show, FailedSavesAreReportedByFileNameInTheExitOrder)
{
    KyShow show(DataPaths::in("/nonexistent/show"));
    auto failures = show.saveAtExit();
    const char* order[] = {"panel.vt2", "sequences.vt2", "cues.vt2", "club.vt2", "generators.vt2", "vt2.cnf"};
    ASSERT_EQ(failures.size(), std::size(order));
    for (std::size_t i = 0; i < failures.size(); ++i)
        EXPECT_EQ(failures[i].rfind(std::string("Nie można zapisać pliku ") + order[i] + ": ", 0), 0u) << failures[i];
    EXPECT_EQ(show.saveLibrary().rfind("Nie można zapisać pliku library.vt2: ", 0), 0u);
    EXPECT_EQ(show.saveSequences().rfind("Nie można zapisać pliku sequences.vt2: ", 0), 0u);
    EXPECT_EQ(show.saveCues().rfind("Nie można zapisać pliku cues.vt2: ", 0), 0u);
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

TEST(Show, PanelIsReadFirstAndWrittenAtExit)
{
    auto dir = freshDirectory("panel");
    {
        KyShow show(DataPaths::in(dir.string()));
        show.panel.cueButtons.button(2).id = 5;
        EXPECT_TRUE(show.saveAtExit().empty());
    }
    EXPECT_EQ(fs::file_size(dir / "panel.vt2"), 6300u);
    fs::resize_file(dir / "panel.vt2", 27 + 4);
    KyShow show(DataPaths::in(dir.string()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    EXPECT_EQ(warnings, std::vector<std::string>{damagedWarning(dir / "panel.vt2")});
    EXPECT_EQ(show.panel.cueButtons.button(2).id, 5); // the records present are kept
    EXPECT_EQ(fs::file_size(dir / "panel.vt2.damaged"), 31u);
    fs::remove_all(dir);
}

namespace {

// Runs `body` in a child process, as the unprivileged user when asked and the test runs as
// root (who reads every file whatever its permissions), and returns what it printed.
std::string inChildProcess(bool unprivileged, const std::function<std::string()>& body)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const uid_t nobody = 65534;
        if (unprivileged && ::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 ||
                                                  ::setuid(nobody) != 0))
            ::_exit(2);
        const std::string out = body();
        [[maybe_unused]] ssize_t written = ::write(pipeEnds[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? out : "child failed";
}

} // namespace

// A file that is there but cannot be read loads as nothing; saving that nothing over it would
// destroy the only copy, so it is left alone for the whole run and the others save normally.
TEST(Show, UnreadableFilesAreReportedAndNeverOverwritten)
{
    struct Case {
        const char* file;
        bool folder; // a folder in the file's place; otherwise a file nobody may read
    };
    for (const Case c : {Case{"sequences.vt2", true}, Case{"sequences.vt2", false}, Case{"library.vt2", false},
                         Case{"generators.vt2", false}}) {
        SCOPED_TRACE(std::string(c.file) + (c.folder ? " folder" : " unreadable"));
        auto dir = freshDirectory("unreadable");
        const fs::path path = dir / c.file;
        const vt::Bytes held = {'v', 't', 0, 1, 2, 3};
        if (c.folder) {
            fs::create_directories(path / "inside");
        } else {
            writeBytes(path, held);
            fs::permissions(path, fs::perms::none);
        }
        // The folder is open to everyone, as a user's own show folder is to its user.
        fs::permissions(dir, fs::perms::all);

        const std::string report = inChildProcess(!c.folder, [&] {
            KyShow show(DataPaths::in(dir.string()));
            std::vector<std::string> warnings;
            show.loadAll(warnings);
            std::string out;
            for (const auto& w : warnings)
                out += w + "\n";
            for (const auto& failure : show.saveAtExit())
                out += failure + "\n";
            out += show.saveLibrary();
            out += show.saveSequences(); // the sequence editor's save
            return out;
        });
        const std::string reason = c.folder ? "to jest folder" : "brak uprawnień";
        EXPECT_EQ(report, "Nie można odczytać pliku " + std::string(c.file) + ": " + reason +
                              ". Plik nie zostanie nadpisany.\n");
        if (c.folder) {
            EXPECT_TRUE(fs::is_directory(path / "inside"));
        } else {
            fs::permissions(path, fs::perms::owner_read);
            EXPECT_EQ(fileBytes(path), held);
        }
        EXPECT_FALSE(fs::exists(dir / (std::string(c.file) + ".damaged")));
        EXPECT_TRUE(fs::exists(dir / "cues.vt2"));
        EXPECT_TRUE(fs::exists(dir / "vt2.cnf"));
        fs::remove_all(dir);
    }
}
