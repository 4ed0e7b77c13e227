#include "functions/Blackout.h"

#include "functions/Targets.h"

void KyBlackoutOverride::overrideFrame(std::span<std::uint8_t, 512> payload)
{
    for (const auto& device : icons_.devices()) {
        const KyDevice* type = device->deviceType.get();
        if (!type || !type->blackout.active)
            continue;
        for (const auto& [channel, value] : type->blackout.values) {
            const int index = universeIndex(device->startAddress, channel);
            if (index >= 0)
                payload[static_cast<std::size_t>(index)] = value;
        }
    }
}
