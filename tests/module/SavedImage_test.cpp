#include "module/SavedImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// An image file of `size` bytes whose header bears `mark` and claims `claimed` blocks.
vt::Bytes savedImage(std::size_t size, std::uint8_t mark, std::uint32_t claimed)
{
    vt::Bytes file(size, 0xAB);
    if (size >= 256) {
        file[219] = mark;
        for (int i = 0; i < 4; ++i)
            file[220 + std::size_t(i)] = static_cast<std::uint8_t>(claimed >> (8 * i));
    }
    return file;
}

} // namespace

TEST(SavedImage, FilesAreJudgedByLayoutSizeAndClaim)
{
    using V = KySavedImageVerdict;
    struct Case {
        const char* what;
        std::size_t size;
        std::uint8_t mark;
        std::uint32_t claimed;
        int generation;
        V verdict;
        int blocks;
    };
    const Case cases[] = {
        {"as read back", 3 * 256, 1, 3, 12, V::Accepted, 3},
        {"cut short of its claim", 3 * 256 - 1, 1, 4, 12, V::OldVersion, 0},
        {"missing its last block", 3 * 256, 1, 4, 12, V::OldVersion, 0},
        {"last block partly there", 3 * 256 - 10, 1, 3, 12, V::OldVersion, 0},
        {"older layout, old module, odd size", 3 * 256 - 10, 0, 0, 11, V::Accepted, 3},
        {"older layout", 3 * 256, 0, 0, 12, V::OldVersion, 0},
        {"older layout, old module", 3 * 256, 0, 0, 11, V::Accepted, 3},
        {"old module's whole memory", 251 * 256, 1, 12 + 1280, 11, V::Accepted, 251},
        {"old module, claim beyond the file", 3 * 256, 1, 12 + 1280, 11, V::OldVersion, 0},
        {"beyond an old module", 252 * 256, 1, 3 + 1280, 11, V::TooLarge, 0},
        {"beyond a new module's image", 8193 * 256, 1, 3, 12, V::TooLarge, 0},
        {"largest image", 8192 * 256, 1, 8192, 12, V::Accepted, 8192},
        {"no header", 255, 1, 0, 11, V::OldVersion, 0},
        {"empty", 0, 0, 0, 12, V::OldVersion, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KySavedImage image = checkSavedImage(savedImage(c.size, c.mark, c.claimed), c.generation);
        EXPECT_EQ(image.verdict, c.verdict);
        if (c.verdict == V::Accepted)
            EXPECT_EQ(image.counts.blockCount, c.blocks);
    }
    EXPECT_STREQ(savedImageMessage(V::OldVersion), "Stara wersja pliku");
    EXPECT_STREQ(savedImageMessage(V::TooLarge), "BRAK PAMIĘCI");
}

TEST(SavedImage, ReadingStopsJustPastTheLimit)
{
    const auto path = std::filesystem::temp_directory_path() / "vt-saved-image.sav";
    std::ofstream(path, std::ios::binary) << std::string(1000, 'x');
    vt::Bytes bytes;
    ASSERT_TRUE(readSavedImageFile(path.string(), 600, bytes));
    EXPECT_EQ(bytes.size(), 601u);
    ASSERT_TRUE(readSavedImageFile(path.string(), 2000, bytes));
    EXPECT_EQ(bytes.size(), 1000u);
    std::filesystem::remove(path);
    EXPECT_FALSE(readSavedImageFile(path.string(), 2000, bytes));
}
