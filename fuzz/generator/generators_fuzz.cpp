// generators.vt2 from any bytes: errors are exceptions; what loads writes and reads back
// to the same bytes.
#include "generator/GenList.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KyGenList list;
    try {
        list.fromBytes({data, size});
    } catch (const std::runtime_error&) {
        if (list.size() != 0)
            __builtin_trap();
        return 0;
    }
    const vt::Bytes written = list.toBytes();
    KyGenList again;
    if (again.fromBytes(written) != vt::LoadStatus::Complete || again.toBytes() != written)
        __builtin_trap();
    return 0;
}
