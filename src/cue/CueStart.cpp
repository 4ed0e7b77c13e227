#include "cue/CueStart.h"

#include "cue/Cue.h"

void startCue(KyCue& live, const KyCue* stored)
{
    live = stored ? *stored : KyCue();
    // A copy saved while it played holds its engines' places; a start begins at the beginning.
    for (KySeqEngine& zone : live.zones)
        zone.rewind();
    switch (live.playState) {
    case KyCue::Playing:
        live.play();
        break;
    case KyCue::Paused:
        live.pause();
        break;
    case KyCue::Stopped:
        live.stop();
        break;
    }
    switch (live.generatorState) {
    case KyCue::Playing:
        live.stopGenerators();
        live.playGenerators();
        break;
    case KyCue::Paused:
        live.pauseGenerators();
        break;
    case KyCue::Stopped:
        live.stopGenerators();
        break;
    }
    live.setGeneratorAmplitude(live.generatorAmplitude);
}
