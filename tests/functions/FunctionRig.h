#pragma once
// A small show for the function windows and their core: a library of device types, devices
// installed from it, their icons with a selection, and a universe.

#include "club/Icons.h"
#include "cue/Dmx_space.h"
#include "functions/Targets.h"
#include "library/Library.h"

#include <initializer_list>
#include <memory>
#include <mutex>

struct FunctionRig {
    KyLibrary library;
    KyIcons icons;
    KyDmxSpace dmx;
    std::mutex lock;
    KyFunctionModel model{dmx, icons, lock};

    // Adds a type to the library and returns it as stored there.
    std::shared_ptr<KyDevice> addType(const KyDevice& type, const char* name = "Typ")
    {
        KyDevice named = type;
        named.name = name;
        library.addDevice(named);
        return library.deviceAt(library.deviceCount() - 1);
    }

    // Installs a device and rebuilds the icons, which empties the selection.
    std::shared_ptr<KyClubDevice> install(const std::shared_ptr<KyDevice>& type, std::int32_t start,
                                          const char* name = "Urządzenie")
    {
        KyClubDevice device(type);
        device.startAddress = start;
        device.name = name;
        library.club.addClubDevice(device);
        icons.build(library.club, 1);
        return library.club.clubDevices.back();
    }

    // Selects the installed devices at these positions, in this order; the last is the
    // reference device.
    void select(std::initializer_list<std::size_t> devices)
    {
        while (!icons.selection().empty())
            icons.toggleSelection(icons.selection().front());
        for (std::size_t device : devices)
            icons.toggleSelection(device);
    }

    std::uint8_t at(int index) const { return dmx.data()[static_cast<std::size_t>(index)]; }

    // A sequence of `scenes` empty scenes in the sequence editor, recording into `current`.
    void record(std::size_t scenes, int current = 0)
    {
        dmx.editedSequence()->scenes.assign(scenes, KyScene{});
        dmx.currentScene = current;
        dmx.recordingMode = true;
    }
};

inline KyDimmer dimmerOn(std::int32_t channel, std::uint8_t min = 0, std::uint8_t max = 255, bool invert = false)
{
    KyDimmer d;
    d.active = true;
    d.channel = channel;
    d.minValue = min;
    d.maxValue = max;
    d.invert = invert;
    return d;
}

// A head with pan on `pan` (fine `pan` + 1) and tilt on `tilt` (fine `tilt` + 1).
inline KyDevice headType(bool wide, std::int32_t pan = 1, std::int32_t tilt = 3)
{
    KyDevice type;
    type.panTilt.active = true;
    type.panTilt.mode8bit = !wide;
    type.panTilt.panChannel = pan;
    type.panTilt.panFineChannel = pan + 1;
    type.panTilt.tiltChannel = tilt;
    type.panTilt.tiltFineChannel = tilt + 1;
    return type;
}
