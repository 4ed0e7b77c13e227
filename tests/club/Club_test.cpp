#include "library/Club.h"
#include "library/Library.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// A type whose only function is an intensity on its last channel.
KyDevice typeWithChannels(int count)
{
    KyDevice type;
    type.intensity.active = count > 0;
    type.intensity.channel = count;
    return type;
}

KyClubDevice placed(const KyLibrary& library, std::size_t type, std::int32_t startAddress)
{
    KyClubDevice device(library.deviceAt(type));
    device.startAddress = startAddress;
    return device;
}

} // namespace

class ClubTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int channels : {16, 8, 9})
            library.addDevice(typeWithChannels(channels));
    }
    KyLibrary library;
    KyClub& club = library.club;
};

TEST_F(ClubTest, RecordIs27BytesAndTheName)
{
    KyClubDevice device = placed(library, 1, 17);
    device.name = "Spot \xA3"; // cp1250
    device.tiltInverted = true;
    device.iconLeft = 300;
    device.iconTop = -1;
    device.page = 2;
    club.addClubDevice(device);
    EXPECT_EQ(club.toBytes(), (vt::Bytes{1, 0, 0, 0, 2, 0, 0, 0, 17, 0, 0, 0, 6, 0, 0, 0, 'S', 'p', 'o', 't', ' ', 0xA3,
                                         0, 1, 0, 0x2C, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}));
}

TEST_F(ClubTest, EmptyInstallationIsFourBytes)
{
    EXPECT_EQ(club.toBytes(), (vt::Bytes{0, 0, 0, 0}));
    club.addClubDevice(placed(library, 0, 1));
    EXPECT_EQ(club.fromBytes(vt::Bytes{0, 0, 0, 0}), vt::LoadStatus::Complete);
    EXPECT_EQ(club.clubDeviceCount(), 0u);
}

TEST_F(ClubTest, RoundTripDropsUnknownTypesAndSharesTheKnownOnes)
{
    KyClubDevice first = placed(library, 2, 100);
    first.panInverted = first.panTiltSwapped = true;
    first.iconLeft = 80;
    first.page = 9;
    KyClubDevice unknown = placed(library, 0, 5);
    unknown.typeId = 42;
    unknown.name = "gone";
    KyClubDevice last = placed(library, 0, 1); // empty name
    for (const auto& d : {first, unknown, last})
        club.addClubDevice(d);
    vt::Bytes bytes = club.toBytes();

    std::size_t dropped = 0;
    ASSERT_EQ(club.fromBytes(bytes, &dropped), vt::LoadStatus::Complete);
    EXPECT_EQ(dropped, 1u);
    ASSERT_EQ(club.clubDeviceCount(), 2u);
    const KyClubDevice& a = *club.clubDeviceAt(0);
    EXPECT_EQ(a.deviceType, library.deviceAt(2));
    EXPECT_EQ(std::tie(a.typeId, a.startAddress, a.name, a.panInverted, a.tiltInverted, a.panTiltSwapped, a.iconLeft,
                       a.iconTop, a.page),
              std::tie(first.typeId, first.startAddress, first.name, first.panInverted, first.tiltInverted,
                       first.panTiltSwapped, first.iconLeft, first.iconTop, first.page));
    EXPECT_EQ(club.clubDeviceAt(1)->deviceType, library.deviceAt(0));
    EXPECT_EQ(club.clubDeviceAt(1)->name, "");
}

TEST_F(ClubTest, DamagedFileKeepsOnlyWholeRecords)
{
    club.addClubDevice(placed(library, 0, 1));
    club.addClubDevice(placed(library, 1, 20));
    vt::Bytes bytes = club.toBytes();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        ASSERT_EQ(club.fromBytes(std::span(bytes.data(), n)), vt::LoadStatus::Incomplete) << n;
        ASSERT_EQ(club.clubDeviceCount(), n < 4 + 27 ? 0u : 1u) << n;
    }
    bytes.push_back(0);
    EXPECT_EQ(club.fromBytes(bytes), vt::LoadStatus::Incomplete);
    EXPECT_EQ(club.fromBytes(vt::Bytes{0xFF, 0xFF, 0xFF, 0x7F}), vt::LoadStatus::Incomplete);
    EXPECT_EQ(club.fromBytes(vt::Bytes{0xFF, 0xFF, 0xFF, 0xFF}), vt::LoadStatus::Incomplete);
    EXPECT_EQ(club.clubDeviceCount(), 0u);
}

TEST_F(ClubTest, SortsByStartAddressKeepingEqualOnes)
{
    for (std::int32_t address : {40, 3, 40, 1})
        club.addClubDevice(placed(library, 0, address));
    club.sortByStartAddress();
    std::vector<std::int32_t> addresses;
    for (std::size_t i = 0; i < club.clubDeviceCount(); ++i)
        addresses.push_back(club.clubDeviceAt(i)->startAddress);
    EXPECT_EQ(addresses, (std::vector<std::int32_t>{1, 3, 40, 40}));
    club.eraseClubDevice(0);
    EXPECT_EQ(club.clubDeviceAt(0)->startAddress, 3);
}

TEST_F(ClubTest, CountsByTypeIdentifierNotByName)
{
    library.deviceAt(1)->name = library.deviceAt(0)->name = "Par";
    club.addClubDevice(placed(library, 0, 1));
    club.addClubDevice(placed(library, 0, 30));
    club.addClubDevice(placed(library, 1, 60));
    EXPECT_EQ(club.countOfType(*library.deviceAt(0)), 2u);
    EXPECT_EQ(club.countOfType(*library.deviceAt(1)), 1u);
    EXPECT_EQ(club.countOfType(*library.deviceAt(2)), 0u);
}

struct FreeAddressCase {
    std::vector<std::pair<int, std::int32_t>> installed; // (channel count, start address)
    int need;
    std::int32_t expected;
};

class FreeAddress : public ::testing::TestWithParam<FreeAddressCase> {};

TEST_P(FreeAddress, IsTheFirstFit)
{
    KyLibrary library;
    for (auto [channels, start] : GetParam().installed) {
        library.addDevice(typeWithChannels(channels));
        library.club.addClubDevice(placed(library, library.deviceCount() - 1, start));
    }
    EXPECT_EQ(library.club.findFreeAddress(typeWithChannels(GetParam().need)), GetParam().expected);
}

constexpr std::int32_t hugeAddress = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(Club, FreeAddress, ::testing::Values(
    FreeAddressCase{{}, 8, 1},
    FreeAddressCase{{}, 512, 1},
    FreeAddressCase{{}, 513, 0},
    FreeAddressCase{{{16, 1}}, 8, 17},
    FreeAddressCase{{{16, 1}, {16, 25}}, 8, 17},
    FreeAddressCase{{{16, 1}, {16, 25}}, 9, 41},
    FreeAddressCase{{{32, 1}, {32, 17}}, 0, 49},    // overlapping devices; no channels: the first free one
    FreeAddressCase{{{8, 505}}, 1, 1},
    FreeAddressCase{{{10, 1}, {8, 505}}, 494, 11},  // ends exactly at channel 504
    FreeAddressCase{{{10, 1}, {8, 505}}, 495, 0},
    FreeAddressCase{{{32, 500}}, 500, 0},            // a device past the end still occupies 500-512
    FreeAddressCase{{{4, -1}, {4, hugeAddress}}, 1, 3}, // only channels 1-2 of the first are in the universe
    FreeAddressCase{{{256, 1}, {256, 257}}, 1, 0},
    FreeAddressCase{{{256, 1}, {256, 257}}, 0, 0}));
