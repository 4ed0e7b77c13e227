#pragma once
// A live cue under full load: ten zones, each fading through scenes of all 512 channels,
// the first 64 of them sixteen 16-bit pan/tilt heads whose figure generators all run.

#include "cue/Cue.h"
#include "sequence/Sequence.h"

#include <memory>

namespace playback_load {

inline KyScene fullScene(int zone, int scene, std::uint32_t time)
{
    KyScene s;
    for (int head = 0; head < 16; ++head) {
        const int pan = 4 * head, tilt = pan + 2;
        const auto v = static_cast<std::uint8_t>(head * 16 + scene * 40 + zone);
        s.setStatus(pan, KyChStatus{v, 2, 1, pan + 1, tilt});
        s.setStatus(pan + 1, KyChStatus{std::uint8_t(v ^ 0x5A), 1, 1, 0, tilt});
        s.setStatus(tilt, KyChStatus{std::uint8_t(255 - v), 2, 2, tilt + 1, tilt});
        s.setStatus(tilt + 1, KyChStatus{std::uint8_t(v * 3), 1, 2, 0, tilt});
        for (int axis : {pan, tilt}) {
            KyGenerator& g = s.generatorFor(axis);
            g.enabled = 1;
            g.amplitude = 40 + head;
            g.speed = 30 + 10 * head;
            g.phase = head * 22;
        }
    }
    for (int channel = 64; channel < 512; ++channel)
        s.setStatus(channel, KyChStatus{static_cast<std::uint8_t>(channel * 7 + scene * 91 + zone), 0, 0, 0, 0});
    s.sceneTime = time;
    return s;
}

inline std::shared_ptr<KySequence> fullSequence(int zone, int scenes = 4, std::uint32_t time = 20)
{
    auto seq = std::make_shared<KySequence>();
    seq->id = zone + 1;
    seq->fade = true;
    for (int i = 0; i < scenes; ++i)
        seq->appendScene(fullScene(zone, i, time));
    return seq;
}

// Binds every zone of `cue` to its own full sequence and starts scenes and generators.
inline void loadFull(KyCue& cue)
{
    for (int zone = 0; zone < KyCue::kZones; ++zone)
        cue.zoneEngine(zone) = KySeqEngine(fullSequence(zone));
    cue.play();
    cue.playGenerators();
}

} // namespace playback_load
