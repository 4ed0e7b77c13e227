// One device record (the export file) from any bytes; what was read must read back unchanged.

#include "library/LibraryFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KyDevice device;
    deviceFromBytes(std::span(data, size), device);
    KyDevice again;
    if (deviceFromBytes(deviceToBytes(device), again) != vt::LoadStatus::Complete || !(again == device))
        std::abort();
    return 0;
}
