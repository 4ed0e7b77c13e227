#include "app/DataFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path root = fs::temp_directory_path() / ("vt-datafolder-" + std::to_string(::getpid()));
    Scratch()
    {
        fs::remove_all(root);
        fs::create_directories(root / "bin");
    }
    ~Scratch() { fs::remove_all(root); }
};

std::string text(const fs::path& file)
{
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(DataFolder, PortableCopyKeepsTheShowBesideTheExecutableAndAnInstalledOneInTheUsersFolder)
{
    Scratch s;
    const std::string bin = (s.root / "bin").string();
    const std::string user = (s.root / "home" / "Vantorel").string();
    EXPECT_EQ(sharedDataDirectory(bin), (s.root / "share" / "vantorel").string());
    EXPECT_EQ(defaultDataDirectory(bin, user), bin);

    fs::create_directories(s.root / "share" / "vantorel");
    EXPECT_EQ(defaultDataDirectory(bin, user), user);
    EXPECT_EQ(defaultDataDirectory((s.root / "missing").string(), user), user);
}

TEST(DataFolder, FolderIsCreatedOnceAndTheDemoNeverOverwritesAFile)
{
    Scratch s;
    const fs::path data = s.root / "home" / "Vantorel";
    EXPECT_EQ(ensureFolder(data.string()), FolderState::Created);
    EXPECT_EQ(ensureFolder(data.string()), FolderState::Existing);
    std::ofstream(s.root / "file") << "x";
    EXPECT_EQ(ensureFolder((s.root / "file" / "Vantorel").string()), FolderState::Failed);

    const fs::path demo = s.root / "demo";
    fs::create_directories(demo / "nested");
    std::ofstream(demo / "club.vt2") << "demo club";
    std::ofstream(demo / "cues.vt2") << "demo cues";
    std::ofstream(data / "cues.vt2") << "the user's cues";
    std::string error;
    ASSERT_TRUE(copyDemoShow(demo.string(), data.string(), error)) << error;
    EXPECT_EQ(text(data / "club.vt2"), "demo club");
    EXPECT_EQ(text(data / "cues.vt2"), "the user's cues");
    EXPECT_FALSE(fs::exists(data / "nested"));

    EXPECT_FALSE(copyDemoShow((s.root / "no-demo").string(), data.string(), error));
    EXPECT_NE(error.find("no-demo"), std::string::npos);
}
