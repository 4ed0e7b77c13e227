#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "library/Library.h"
#include "module/ModuleImage.h"
#include "panel/Panel.h"

#include <benchmark/benchmark.h>

namespace {

// Eight scenes of 24 channels, the first four a 16-bit head's pan and tilt with their
// figure generators switched on.
KySequence moduleSequence(int seed)
{
    KySequence seq;
    seq.fade = seed % 2 == 0;
    seq.name = "Sekwencja " + std::to_string(seed);
    for (int scene = 0; scene < 8; ++scene) {
        KyScene s;
        const std::int32_t base = (seed * 24) % 480;
        for (std::int32_t c = 0; c < 24; ++c)
            s.setStatus(base + c, KyChStatus{static_cast<std::uint8_t>(c * 10 + scene), 0, 0, 0, 0});
        s.setStatus(base, KyChStatus{100, 2, 1, base + 1, base + 2});
        s.setStatus(base + 1, KyChStatus{0, 1, 1, 0, base + 2});
        s.setStatus(base + 2, KyChStatus{50, 2, 2, base + 3, base + 2});
        s.setStatus(base + 3, KyChStatus{0, 1, 2, 0, base + 2});
        s.generatorFor(base).enabled = s.generatorFor(base + 2).enabled = 1;
        s.generatorFor(base).setPhase(scene * 10);
        seq.appendScene(s);
    }
    return seq;
}

} // namespace

// 128 selected cues whose zones play 255 sequences between them, with the panel, and an
// installation of 32 moving heads.
static void BM_BuildImage128Cues255Sequences(benchmark::State& state)
{
    KySeque store;
    KyDmxSpace dmx;
    KyPanel panel(store, dmx);
    for (int i = 0; i < 255; ++i)
        store.addSequence(moduleSequence(i));
    for (int i = 0; i < 128; ++i) {
        KyCue cue;
        cue.name = "Cue " + std::to_string(i);
        for (int zone = 0; zone < KyCue::kZones; ++zone)
            cue.zoneEngine(zone) = KySeqEngine(store.sharedSequenceAt(std::size_t((i * 10 + zone) % 255)));
        store.addCue(cue);
    }
    for (int zone = 0; zone < KyPanel::kZones; ++zone)
        for (auto& page : panel.seqButtons[std::size_t(zone)].pages)
            for (auto& button : page)
                button.id = zone * 25 + 1;
    KyLibrary library;
    KyDevice head;
    head.panTilt = {true, false, 2, 1, 4, 3, {}, {}};
    head.intensity.active = true;
    library.addDevice(head);
    for (int i = 0; i < 32; ++i) {
        KyClubDevice device(library.deviceAt(0));
        device.startAddress = 1 + 16 * i;
        library.club.addClubDevice(device);
    }
    // As 128 presses of "Cue" and one of "Panel" leave it, without copying the sequences each time.
    KySequeDM data(store, panel);
    for (std::size_t i = 0; i < 128; ++i)
        data.cues.emplace_back(store.cueAt(i));
    data.addPanel();
    std::array<std::string, 10> zoneNames{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    KyImageSettings settings;
    settings.identifier = "KLUB";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const KyModuleImage image = buildImage(data, library.club, zoneNames, settings);
        if (image.refusal != KyImageRefusal::None)
            state.SkipWithError("refused");
        bytes = image.endOffset;
        benchmark::DoNotOptimize(image.bytes.data());
    }
    state.counters["image_bytes"] = double(bytes);
}
BENCHMARK(BM_BuildImage128Cues255Sequences)->Unit(benchmark::kMillisecond);
