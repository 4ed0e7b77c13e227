#include "dmx/OlaTarget.h"

#include "common/Translatable.h"

#include <algorithm>
#include <limits>

KyOlaTarget boundedOlaTarget(bool enabled, long long universe, long long port)
{
    KyOlaTarget target;
    target.enabled = enabled;
    target.universe = static_cast<unsigned>(std::clamp<long long>(universe, KyOlaTarget::kMinUniverse,
                                                                  KyOlaTarget::kMaxUniverse));
    if (port > 0 && port <= std::numeric_limits<std::uint16_t>::max())
        target.port = static_cast<std::uint16_t>(port);
    return target;
}

KyOlaTarget withStartOverrides(KyOlaTarget saved, std::optional<unsigned> universe, std::optional<std::uint16_t> port)
{
    if (universe) {
        saved.enabled = true;
        saved.universe = *universe;
    }
    if (port)
        saved.port = *port;
    return saved;
}

std::string olaStateText(bool connected, unsigned universe)
{
    return connected ? vt::filled(VT_TRANSLATABLE("Core", "Połączono z OLA, uniwersum %1"), {std::to_string(universe)})
                     : VT_TRANSLATABLE("Core", "Brak połączenia z OLA");
}
