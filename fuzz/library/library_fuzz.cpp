// library.vt2 from any bytes; whatever was read must write out and read back unchanged.

#include "library/LibraryFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KyLibrary library;
    libraryFromBytes(std::span(data, size), library);
    KyLibrary again;
    if (libraryFromBytes(libraryToBytes(library), again) != vt::LoadStatus::Complete || again.lastId != library.lastId ||
        again.deviceCount() != library.deviceCount())
        std::abort();
    for (std::size_t i = 0; i < library.deviceCount(); ++i)
        if (!(*again.deviceAt(i) == *library.deviceAt(i)))
            std::abort();
    return 0;
}
