// cues.vt2 from any bytes, over a store holding sequences 1 to 3; what loads writes and
// reads back to the same bytes.
#include "cue/CueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KySeque store;
    for (int i = 0; i < 3; ++i)
        store.addSequence(KySequence{});
    cuesFromBytes(store, {data, size});
    const vt::Bytes written = cuesToBytes(store);
    KySeque again;
    again.replaceSequences(store.sequences());
    if (cuesFromBytes(again, written) != vt::LoadStatus::Complete || cuesToBytes(again) != written)
        __builtin_trap();
    return 0;
}
