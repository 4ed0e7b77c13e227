#include "library/Library.h"

#include <algorithm>
#include <iterator>
#include <limits>

bool KyLibrary::addDevice(const KyDevice& type)
{
    if (lastId == std::numeric_limits<std::int32_t>::max())
        return false;
    auto copy = std::make_shared<KyDevice>(type);
    copy->id = ++lastId;
    devices.push_back(std::move(copy));
    return true;
}

void KyLibrary::eraseDevice(std::size_t index)
{
    devices.erase(std::next(devices.begin(), static_cast<std::ptrdiff_t>(index)));
}

void KyLibrary::sortByName()
{
    sortByName(vt::NameCollator());
}

void KyLibrary::sortByName(const vt::NameCollator& collator)
{
    std::sort(devices.begin(), devices.end(),
              [&](const auto& a, const auto& b) { return collator.less(a->name, b->name); });
}
