#include "generator/GenList.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <unistd.h>

namespace {

KyPanTiltGen figure(const std::string& name, int panAmplitude)
{
    KyPanTiltGen f{name, {}, {}};
    f.pan.enabled = 1;
    f.pan.amplitude = panAmplitude;
    f.tilt.phaseFlip = 1;
    return f;
}

std::string messageOf(KyGenList& list, const vt::Bytes& bytes)
{
    try {
        list.fromBytes(bytes);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(GenListFile, SizesOfAnEmptyListAndOfOneFigure)
{
    KyGenList list;
    const vt::Bytes empty = {'v', 't', '2', ' ', 'g', 'e', 'n', 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(list.toBytes(), empty);
    EXPECT_EQ(list.fromBytes(empty), vt::LoadStatus::Complete);
    EXPECT_EQ(list.size(), 0u);

    list.append(KyPanTiltGen{"ab", {}, {}});
    auto bytes = list.toBytes();
    EXPECT_EQ(bytes.size(), 16u + 74u);
}

TEST(GenListFile, RoundTripKeepsOrderNamesAndRecords)
{
    KyGenList list;
    list.append(figure("koło", 100));
    list.append(figure(std::string("z\0w", 3), 7)); // every name byte is kept
    KyGenList back;
    ASSERT_EQ(back.fromBytes(list.toBytes()), vt::LoadStatus::Complete);
    ASSERT_EQ(back.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.at(i).name, list.at(i).name);
        EXPECT_TRUE(back.at(i).pan.sameStoredFields(list.at(i).pan));
        EXPECT_TRUE(back.at(i).tilt.sameStoredFields(list.at(i).tilt));
    }
}

TEST(GenListFile, ErrorsCarryTheirMessageAndKeepTheList)
{
    KyGenList list;
    list.append(figure("keep", 1));
    const vt::Bytes good = list.toBytes();

    struct Case { std::size_t offset; std::uint8_t byte; const char* message; };
    const Case cases[] = {
        {7, 'X', "unsupported 'generators.vt2' file format"},          // eighth magic byte not zero
        {0, 'w', "unsupported 'generators.vt2' file format"},
        {8, 2, "KyGenList::load: unsupported file format"},            // list version
        {16, 2, "KyPanTiltGen::load: unsupported file format"},        // figure version
        {16 + 8 + 4, 5, "unsupported file format"},                    // pan record version
        {16 + 8 + 4 + 32, 0, "unsupported file format"},               // tilt record version
    };
    for (const Case& c : cases) {
        vt::Bytes bad = good;
        bad[c.offset] = c.byte;
        EXPECT_EQ(messageOf(list, bad), c.message) << c.offset;
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list.at(0).name, "keep");
    }
}

TEST(GenListFile, OlderRecordsTakeMissingFieldsFromTheFigureBefore)
{
    auto v1Record = [](vt::ByteWriter& w) {
        w.i32(1);
        w.u8(1);
        w.i32(100);
        w.i32(100);
        w.u8(1);
        w.i32(64);
        w.i32(32);
        w.i32(0);
    };
    KyPanTiltGen first = figure("a", 10);
    first.pan.phaseModifier = 45;
    first.pan.masterDirection = 1;
    vt::ByteWriter w;
    w.raw("vt2 gen", 8);
    w.i32(1);
    w.i32(3);
    for (const char* name : {"v1", "v4", "v1"}) {
        w.i32(1);
        w.str(name);
        if (name[1] == '4') {
            writeGenerator(w, first.pan);
            writeGenerator(w, first.tilt);
        } else {
            v1Record(w);
            v1Record(w);
        }
    }
    KyGenList list;
    ASSERT_EQ(list.fromBytes(w.data()), vt::LoadStatus::Complete);
    ASSERT_EQ(list.size(), 3u);
    // The first figure starts from all-zero records.
    EXPECT_EQ(list.at(0).pan.masterDirection, 0);
    EXPECT_EQ(list.at(0).pan.amplitude, 64);
    // The third carries what the second set.
    EXPECT_EQ(list.at(2).pan.phaseModifier, 45);
    EXPECT_EQ(list.at(2).pan.masterDirection, 1);
    EXPECT_EQ(list.at(2).tilt.phaseFlip, 1);
    EXPECT_EQ(list.at(2).pan.amplitude, 64);
}

TEST(GenListFile, ShortFileKeepsWholeFiguresAndMissingFileKeepsTheList)
{
    KyGenList list;
    list.append(figure("one", 1));
    list.append(figure("two", 2));
    auto bytes = list.toBytes();
    bytes.resize(bytes.size() - 10);
    KyGenList back;
    EXPECT_EQ(back.fromBytes(bytes), vt::LoadStatus::Incomplete);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back.at(0).name, "one");

    auto path = std::filesystem::temp_directory_path() / ("vt-genlist-" + std::to_string(::getpid()));
    std::filesystem::remove(path);
    EXPECT_EQ(back.load(path.string()), vt::LoadStatus::Missing);
    EXPECT_EQ(back.size(), 1u);
    ASSERT_TRUE(list.save(path.string()));
    EXPECT_EQ(back.load(path.string()), vt::LoadStatus::Complete);
    EXPECT_EQ(back.size(), 2u);
    std::filesystem::remove(path);
}

TEST(FigureFile, ExportHoldsOneFigureAndImportTakesTheFirst)
{
    auto path = std::filesystem::temp_directory_path() / ("vt-figure-" + std::to_string(::getpid()) + ".vtg");
    ASSERT_TRUE(exportFigure(figure("ósemka", 90), path.string()));
    KyGenList single;
    ASSERT_EQ(single.load(path.string()), vt::LoadStatus::Complete);
    EXPECT_EQ(single.size(), 1u);
    auto back = importFigure(path.string());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->name, "ósemka");
    EXPECT_TRUE(back->pan.sameStoredFields(figure("", 90).pan));

    KyGenList three;
    for (int i = 1; i <= 3; ++i)
        three.append(figure("f" + std::to_string(i), i));
    ASSERT_TRUE(three.save(path.string()));
    EXPECT_EQ(importFigure(path.string())->name, "f1");

    ASSERT_TRUE(KyGenList().save(path.string()));
    EXPECT_FALSE(importFigure(path.string()).has_value());
    std::filesystem::remove(path);
    EXPECT_FALSE(importFigure(path.string()).has_value());
}
