// club.vt2 from any bytes, against a library of three types; what was read must read back
// unchanged.

#include "library/Library.h"

#include <cstdlib>
#include <tuple>

namespace {

auto fields(const KyClubDevice& d)
{
    return std::tie(d.deviceType, d.typeId, d.startAddress, d.name, d.panInverted, d.tiltInverted, d.panTiltSwapped,
                    d.iconLeft, d.iconTop, d.page);
}

KyLibrary& libraryOfThreeTypes()
{
    static KyLibrary library;
    while (library.deviceCount() < 3)
        library.addDevice(KyDevice{});
    return library;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KyLibrary& library = libraryOfThreeTypes();
    KyClub& club = library.club;
    club.fromBytes(std::span(data, size));
    club.findFreeAddress(*library.deviceAt(0));
    auto read = club.clubDevices;
    std::size_t dropped = 0;
    if (club.fromBytes(club.toBytes(), &dropped) != vt::LoadStatus::Complete || dropped != 0 ||
        club.clubDeviceCount() != read.size())
        std::abort();
    for (std::size_t i = 0; i < read.size(); ++i)
        if (fields(*club.clubDeviceAt(i)) != fields(*read[i]))
            std::abort();
    return 0;
}
