// A fixture definition from any bytes, and every mode of it made a device type: the type
// uses device channels 1-32 only and its record reads back unchanged.

#include "library/LibraryFile.h"
#include "library/QxfImport.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto fixture = readQxf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!fixture)
        return 0;
    for (const KyQxfMode& mode : fixture->modes) {
        KyQxfImport import = importQxfMode(*fixture, mode, nullptr, "fuzz.qxf");
        if (!import.imported())
            continue;
        int count = import.device.channelCount();
        KyDevice again;
        if (count < 1 || count > kMaxImportChannels ||
            deviceFromBytes(deviceToBytes(import.device), again) != vt::LoadStatus::Complete ||
            !(again == import.device))
            std::abort();
    }
    return 0;
}
