#pragma once
// A small show for the module memory tests: a store, the panel over it, and a library with
// its installation, with helpers that add sequences, cues and devices.

#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "library/Library.h"
#include "module/ModuleImage.h"
#include "panel/Panel.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct ModuleShow {
    KySeque store;
    KyDmxSpace dmx;
    KyPanel panel{store, dmx};
    KyLibrary library;
    std::array<std::string, 10> zoneNames{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

    // A stored sequence of `scenes` (copied), its id.
    std::int32_t addSequence(vt::BulkVector<KyScene> scenes, bool fade = false, std::string name = "S")
    {
        KySequence seq;
        seq.scenes = std::move(scenes);
        seq.fade = fade;
        seq.name = std::move(name);
        store.addSequence(seq);
        return store.nextSequenceId;
    }

    // A stored cue playing the given sequences on the given zones (0-9), its index.
    std::size_t addCue(const std::map<int, std::int32_t>& zoneSequences, std::string name = "C")
    {
        KyCue cue;
        cue.name = std::move(name);
        for (const auto& [zone, id] : zoneSequences)
            cue.zoneEngine(zone) = KySeqEngine(store.findSharedSequence(id));
        store.addCue(cue);
        return store.cueCount() - 1;
    }

    void install(const KyDevice& type, std::int32_t startAddress)
    {
        library.addDevice(type);
        KyClubDevice device(library.deviceAt(library.deviceCount() - 1));
        device.startAddress = startAddress;
        library.club.addClubDevice(device);
    }

    KyModuleImage build(const KySequeDM& data, int generation = 12, std::string identifier = "")
    {
        KyImageSettings settings;
        settings.firmwareGeneration = generation;
        settings.identifier = std::move(identifier);
        return buildImage(data, library.club, zoneNames, settings);
    }
};

// A scene holding `values` (channel, value), without generators switched on.
inline KyScene sceneWith(std::initializer_list<std::pair<std::int32_t, std::uint8_t>> values, std::uint32_t time = 20)
{
    KyScene scene;
    for (const auto& [channel, value] : values) {
        KyChStatus status;
        status.value = value;
        scene.setStatus(channel, status);
    }
    scene.sceneTime = time;
    return scene;
}

inline std::uint32_t le(const vt::Bytes& bytes, std::size_t at, int width)
{
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = v << 8 | bytes.at(at + std::size_t(i));
    return v;
}

inline vt::Bytes slice(const vt::Bytes& bytes, std::size_t at, std::size_t n)
{
    return vt::Bytes(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + n));
}
