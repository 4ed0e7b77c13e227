#pragma once
// The universe as the show plays it: the sequence editor's working copy and recording
// (KyEditSpace) and the live cue that the tick plays.

#include "cue/Cue.h"
#include "sequence/EditSpace.h"

class KyDmxSpace final : public KyEditSpace {
public:
    KyDmxSpace();

    KyCue& liveCue() { return liveCue_; }
    const KyCue& liveCue() const { return liveCue_; }

private:
    KyCue liveCue_;
};
