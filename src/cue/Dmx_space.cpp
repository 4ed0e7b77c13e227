#include "cue/Dmx_space.h"

// The live cue's zones keep their fades' steps between ticks; those of stored cues do not.
KyDmxSpace::KyDmxSpace()
{
    for (int zone = 0; zone < KyCue::kZones; ++zone)
        liveCue_.zoneEngine(zone).keepFadeSteps();
}
