// panel.vt2 from any bytes; what loads writes and reads back to the same bytes.
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "panel/Panel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KySeque store;
    KyDmxSpace dmx;
    KyPanel panel(store, dmx);
    panel.fromBytes({data, size});
    const vt::Bytes written = panel.toBytes();
    KyPanel again(store, dmx);
    if (written.size() != 6300 || again.fromBytes(written) != vt::LoadStatus::Complete || again.toBytes() != written)
        __builtin_trap();
    return 0;
}
