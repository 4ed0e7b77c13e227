#include "common/Files.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("vt-files-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(FilesTest, AtomicWriteReplacesTheFileAndLeavesNoTemporary)
{
    vt::Bytes first = {1, 2, 3}, second = {9};
    ASSERT_TRUE(vt::writeFileAtomically(path("a.vt2"), first));
    ASSERT_TRUE(vt::writeFileAtomically(path("a.vt2"), second));
    vt::Bytes read;
    ASSERT_EQ(vt::readWholeFile(path("a.vt2"), read), vt::ReadResult::Ok);
    EXPECT_EQ(read, second);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FilesTest, FailedRenameKeepsWhatWasThereAndLeavesNoTemporary)
{
    // A folder in the way makes the final rename fail, as a full or broken disk would.
    fs::create_directories(dir / "d.vt2" / "inside");
    std::string error;
    EXPECT_FALSE(vt::writeFileAtomically(path("d.vt2"), vt::Bytes{1}, &error));
    EXPECT_EQ(error, "to jest folder (nie można zmienić nazwy pliku tymczasowego)");
    EXPECT_TRUE(fs::is_directory(dir / "d.vt2" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FilesTest, WriteIntoMissingFolderFails)
{
    std::string error;
    EXPECT_FALSE(vt::writeFileAtomically(path("no/such/c.vt2"), vt::Bytes{1}, &error));
    EXPECT_EQ(error, "nie ma takiego pliku ani folderu (nie można utworzyć pliku tymczasowego)");
}

TEST_F(FilesTest, SaveFailuresArePolishDownToTheSystemsReason)
{
    fs::create_directories(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    const bool written = vt::writeFileAtomically(path("locked/club.vt2"), vt::Bytes{1}, &error);
    fs::permissions(dir / "locked", fs::perms::owner_all);
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_FALSE(written);
        EXPECT_EQ(vt::saveFailureMessage(path("locked/club.vt2"), error),
                  "Nie można zapisać pliku club.vt2: brak uprawnień (nie można utworzyć pliku tymczasowego)");
    }

    struct Case {
        int error;
        const char* reason;
    };
    for (const Case& c : {Case{EACCES, "brak uprawnień"}, Case{EPERM, "brak uprawnień"}, Case{EISDIR, "to jest folder"},
                          Case{ENOSPC, "brak miejsca na dysku"}, Case{EDQUOT, "brak miejsca na dysku"},
                          Case{EROFS, "dysk jest tylko do odczytu"}, Case{EIO, "błąd odczytu lub zapisu dysku"},
                          Case{ENOENT, "nie ma takiego pliku ani folderu"}, Case{EXDEV, "błąd systemu nr 18"}})
        EXPECT_EQ(vt::systemReason(c.error), c.reason) << c.error;
}

TEST_F(FilesTest, MissingFileIsReportedAsMissing)
{
    vt::Bytes read = {1};
    EXPECT_EQ(vt::readWholeFile(path("none"), read), vt::ReadResult::Missing);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(vt::readWholeFile(dir.string(), read), vt::ReadResult::Unreadable);
}

TEST_F(FilesTest, DamagedCopiesAreNeverOverwritten)
{
    ASSERT_TRUE(vt::writeFileAtomically(path("club.vt2"), vt::Bytes{1}));
    EXPECT_EQ(vt::setAsideDamaged(path("club.vt2")), path("club.vt2.damaged"));
    EXPECT_EQ(vt::setAsideDamaged(path("club.vt2")), path("club.vt2.damaged")); // same bytes, same copy
    ASSERT_TRUE(vt::writeFileAtomically(path("club.vt2"), vt::Bytes{2}));
    EXPECT_EQ(vt::setAsideDamaged(path("club.vt2")), path("club.vt2.damaged.1"));
    vt::Bytes first;
    vt::readWholeFile(path("club.vt2.damaged"), first);
    EXPECT_EQ(first, vt::Bytes{1});
}
