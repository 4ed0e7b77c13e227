#include "library/LibraryFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

KyDimmer dimmer(std::int32_t channel, const std::string& name)
{
    KyDimmer d;
    d.active = true;
    d.channel = channel;
    d.onValue = 3;
    d.offValue = 4;
    d.name = name;
    d.minValue = 10;
    d.maxValue = 200;
    d.invert = true;
    return d;
}

// A picture with zero bytes and high bytes, as a real bitmap has.
KyPicture picture(std::uint8_t seed)
{
    return {'B', 'M', 0, 0, seed, 0xFF, 0x80, 0};
}

// Every field away from its default, and more slots and entries than the editor allows.
KyDevice sampleDevice(std::int32_t id)
{
    KyDevice d;
    d.id = id;
    d.name = "Skaner \xA3\xF3\x64\x9F"; // cp1250
    d.description = {"line one", "", "line three"};
    d.icon = picture(1);
    d.reset.setValue(3, 255);
    d.reset.setValue(1, 0);
    d.reset.active = true;
    d.shutter = {true, 5, 250, 6};
    d.intensity = dimmer(2, "Dimmer");
    d.strobe = dimmer(7, "");
    d.blackout.setValue(2, 0);
    d.lampOn.setValue(9, 222);
    d.lampOff.active = true;
    d.panTilt.active = true;
    d.panTilt.mode8bit = false;
    d.panTilt.panFineChannel = 11;
    d.panTilt.panChannel = 12;
    d.panTilt.tiltFineChannel = 13;
    d.panTilt.tiltChannel = 14;
    d.panTilt.control1 = dimmer(15, "Speed");
    for (KyGobo* wheel : {&d.color1, &d.gobo1, &d.gobo2, &d.effect1, &d.effect2}) {
        wheel->wheel = dimmer(16, "Wheel");
        wheel->control2 = dimmer(17, "Rot");
        wheel->slots.push_back(KyIcon{"second", picture(2), 40});
        wheel->slots.push_back(KyIcon{"first", {}, 20});
    }
    for (int i = 0; i < 30; ++i)
        d.gobo2.slots.push_back(KyIcon{std::to_string(i), picture(static_cast<std::uint8_t>(i)), i});
    d.color2.active = true;
    d.color2.rgb = false;
    d.color2.component1 = dimmer(18, "Cyan");
    d.color2.component3 = dimmer(19, "Yellow");
    d.optic.optic2 = dimmer(20, "Zoom");
    for (int i = 0; i < 34; ++i) {
        KyDimm entry;
        static_cast<KyDimmer&>(entry) = dimmer(32 - i % 32, "D" + std::to_string(i));
        entry.active = i % 2 == 0;
        entry.isIntensity = i % 3 == 0;
        d.dimmers.dimms.push_back(entry);
    }
    return d;
}

KyLibrary& sampleLibrary(KyLibrary& library)
{
    library.lastId = 9;
    library.devices = {std::make_shared<KyDevice>(sampleDevice(7)), std::make_shared<KyDevice>(KyDevice{}),
                       std::make_shared<KyDevice>(sampleDevice(3))};
    return library;
}

void expectSameDevices(const KyLibrary& a, const KyLibrary& b)
{
    ASSERT_EQ(a.deviceCount(), b.deviceCount());
    for (std::size_t i = 0; i < a.deviceCount(); ++i)
        EXPECT_EQ(*a.deviceAt(i), *b.deviceAt(i)) << "device " << i;
}

vt::Bytes slice(const vt::Bytes& bytes, std::size_t offset, std::size_t length)
{
    return vt::Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

} // namespace

TEST(LibraryFile, EmptyLibraryIsEightBytes)
{
    KyLibrary library;
    library.lastId = 5;
    EXPECT_EQ(libraryToBytes(library), (vt::Bytes{5, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(LibraryFile, DefaultDeviceRecordIs469Bytes)
{
    vt::Bytes record = deviceToBytes(KyDevice{});
    ASSERT_EQ(record.size(), 469u);
    // After 16 bytes of identifier and counts, the empty reset list and the shutter: the
    // intensity dimmer record with its cp1250 name.
    vt::Bytes intensity = {0, 1, 0, 0, 0, 0, 0, 12, 0, 0, 0, 'I', 'N', 'T', 'E', 'N', 'S',
                           'Y', 'W', 'N', 'O', 0x8C, 0xC6, 0, 255, 0};
    EXPECT_EQ(slice(record, 28, 26), intensity);
    EXPECT_EQ(slice(record, 465, 4), (vt::Bytes{0, 0, 0, 0})); // the empty dimmer pack
}

TEST(LibraryFile, ChannelValueListIsWrittenInChannelOrder)
{
    KyDevice d;
    d.reset.setValue(3, 255);
    d.reset.setValue(1, 0);
    d.reset.active = true;
    EXPECT_EQ(slice(deviceToBytes(d), 16, 15),
              (vt::Bytes{2, 0, 0, 0, 1, 0, 0, 0, 0, 3, 0, 0, 0, 255, 1}));
}

TEST(LibraryFile, RoundTripKeepsEveryField)
{
    KyLibrary written;
    vt::Bytes bytes = libraryToBytes(sampleLibrary(written));
    KyLibrary read;
    ASSERT_EQ(libraryFromBytes(bytes, read), vt::LoadStatus::Complete);
    EXPECT_EQ(read.lastId, 9);
    expectSameDevices(read, written);
    EXPECT_EQ(read.deviceAt(2)->gobo2.slotCount(), 32u);
    EXPECT_EQ(read.deviceAt(0)->dimmers.dimmCount(), 34u);
    EXPECT_EQ(libraryToBytes(read), bytes);
}

TEST(LibraryFile, FilesRoundTripThroughTheDisk)
{
    auto dir = std::filesystem::temp_directory_path() / ("vt-libfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    KyLibrary written, read;
    ASSERT_TRUE(saveLibrary(sampleLibrary(written), (dir / "library.vt2").string()));
    EXPECT_EQ(loadLibrary(read, (dir / "library.vt2").string()), vt::LoadStatus::Complete);
    expectSameDevices(read, written);

    // The export file is the bare record, identifier included.
    ASSERT_TRUE(saveDeviceFile(*written.deviceAt(0), (dir / "Skaner.dev").string()));
    EXPECT_EQ(std::filesystem::file_size(dir / "Skaner.dev"), deviceToBytes(*written.deviceAt(0)).size());
    KyDevice imported;
    EXPECT_EQ(loadDeviceFile(imported, (dir / "Skaner.dev").string()), vt::LoadStatus::Complete);
    EXPECT_EQ(imported, *written.deviceAt(0));

    KyDevice untouched;
    EXPECT_EQ(loadDeviceFile(untouched, (dir / "none.dev").string()), vt::LoadStatus::Missing);
    EXPECT_EQ(untouched, KyDevice{});
    KyLibrary empty;
    EXPECT_EQ(loadLibrary(empty, (dir / "none.vt2").string()), vt::LoadStatus::Missing);
    EXPECT_EQ(empty.deviceCount(), 0u);
    std::filesystem::remove_all(dir);
}

TEST(LibraryFile, NameEndsAtAZeroByte)
{
    KyDevice d;
    d.name = std::string("Ab\0cd", 5);
    KyDevice read;
    ASSERT_EQ(deviceFromBytes(deviceToBytes(d), read), vt::LoadStatus::Complete);
    EXPECT_EQ(read.name, "Ab");
}

TEST(LibraryFile, RepeatedChannelKeepsItsFirstValue)
{
    KyDevice d;
    d.reset.setValue(1, 10);
    d.reset.setValue(2, 20);
    vt::Bytes bytes = deviceToBytes(d);
    bytes[16 + 4 + 5] = 1; // the second entry's channel becomes 1
    KyDevice read;
    ASSERT_EQ(deviceFromBytes(bytes, read), vt::LoadStatus::Complete);
    EXPECT_EQ(read.reset.values, (std::map<std::int32_t, std::uint8_t>{{1, 10}}));
}

TEST(LibraryFile, FileEndingEarlyKeepsWhatWasReadAndPadsTheCount)
{
    KyLibrary written;
    vt::Bytes bytes = libraryToBytes(sampleLibrary(written));
    // Cut inside the first record's description, after its second line.
    std::size_t cut = 8 + 4 + 4 + written.deviceAt(0)->name.size() + 4 + (4 + 8) + 4;
    bytes.resize(cut);
    KyLibrary read;
    EXPECT_EQ(libraryFromBytes(bytes, read), vt::LoadStatus::Incomplete);
    ASSERT_EQ(read.deviceCount(), 3u);
    const KyDevice& cutShort = *read.deviceAt(0);
    EXPECT_EQ(cutShort.id, 7);
    EXPECT_EQ(cutShort.name, written.deviceAt(0)->name);
    EXPECT_EQ(cutShort.description, (std::vector<std::string>{"line one", ""}));
    EXPECT_TRUE(cutShort.icon.empty());
    for (std::size_t i = 1; i < 3; ++i) {
        KyDevice blank;
        blank.intensity.name.clear();
        blank.strobe.name.clear();
        EXPECT_EQ(*read.deviceAt(i), blank);
    }
}

TEST(LibraryFile, EveryCutOfAGoodFileReadsAsIncomplete)
{
    KyLibrary written;
    vt::Bytes bytes = libraryToBytes(sampleLibrary(written));
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        KyLibrary read;
        ASSERT_EQ(libraryFromBytes(std::span(bytes.data(), n), read), vt::LoadStatus::Incomplete) << n;
        ASSERT_EQ(read.deviceCount(), n < 8 ? 0u : 3u) << n;
    }
    bytes.push_back(0);
    KyLibrary read;
    EXPECT_EQ(libraryFromBytes(bytes, read), vt::LoadStatus::Incomplete); // bytes past the last record
}

TEST(LibraryFile, ImplausibleCountsAreNotTakenWhole)
{
    // A device count no file could hold pads only up to the limit.
    KyLibrary library;
    EXPECT_EQ(libraryFromBytes(vt::Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, library), vt::LoadStatus::Incomplete);
    EXPECT_EQ(library.deviceCount(), maxPaddedLibrary);

    // Huge string, picture and list counts inside a record.
    for (std::size_t offset : {4u, 8u, 12u, 16u, 16u + 5 + 7 + 7}) {
        vt::Bytes record = deviceToBytes(KyDevice{});
        for (std::size_t i = 0; i < 4; ++i)
            record[offset + i] = 0xFF;
        KyDevice read;
        EXPECT_EQ(deviceFromBytes(record, read), vt::LoadStatus::Incomplete) << offset;
    }
}

TEST(LibraryFile, LastIdentifierNeverLagsBehindTheTypes)
{
    KyLibrary written;
    vt::Bytes bytes = libraryToBytes(sampleLibrary(written));
    bytes[0] = 1; // damaged: below the identifiers 7 and 3 it holds
    KyLibrary read;
    libraryFromBytes(bytes, read);
    EXPECT_EQ(read.lastId, 7);
    read.addDevice(KyDevice{});
    EXPECT_EQ(read.deviceAt(3)->id, 8);
}

// The types of a library file and their pictures are read into one arena, which goes with
// the last type read from it; an editor's copy of a type is on the heap.
TEST(LibraryFile, TypesAndPicturesOfAFileLiveInOneArena)
{
    KyLibrary written;
    written.devices = {std::make_shared<KyDevice>(sampleDevice(1)), std::make_shared<KyDevice>(sampleDevice(2))};
    const vt::Bytes bytes = libraryToBytes(written);
    const std::size_t before = vt::BulkArena::liveCount();
    KyDevice copy;
    {
        KyLibrary loaded;
        ASSERT_EQ(libraryFromBytes(bytes, loaded), vt::LoadStatus::Complete);
        EXPECT_EQ(vt::BulkArena::liveCount(), before + 1);
        const KyDevice& type = *loaded.devices[1];
        const auto arena = type.icon.get_allocator().arena();
        ASSERT_TRUE(arena);
        EXPECT_TRUE(arena->contains(&type));
        EXPECT_TRUE(arena->contains(type.icon.data()));
        EXPECT_TRUE(arena->contains(type.gobo2.slots.back().picture.data()));
        copy = type;
        EXPECT_FALSE(arena->contains(copy.icon.data()));
        EXPECT_FALSE(arena->contains(copy.gobo2.slots.back().picture.data()));
    }
    EXPECT_EQ(vt::BulkArena::liveCount(), before);
    EXPECT_EQ(copy, *written.devices[1]);
}
