// sequences.vt2 from any bytes; what loads writes and reads back to the same bytes, and
// plays for a few ticks.
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/SequenceFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KySeque store;
    sequencesFromBytes(store, {data, size});
    const vt::Bytes written = sequencesToBytes(store);
    KySeque again;
    if (sequencesFromBytes(again, written) != vt::LoadStatus::Complete || sequencesToBytes(again) != written)
        __builtin_trap();

    KyDmxSpace dmx;
    for (std::size_t i = 0; i < store.sequenceCount(); ++i) {
        KySeqEngine engine(store.sharedSequenceAt(i));
        engine.play();
        engine.playGenerators();
        for (int tick = 0; tick < 3; ++tick) {
            engine.step(dmx, true, tick == 1);
            engine.generatorStep(dmx);
        }
    }
    return 0;
}
