#include "input/ControlMap.h"

#include <algorithm>

const KyControlAction* KyControlMap::find(const KyInputId& input) const
{
    auto found = std::find_if(mappings_.begin(), mappings_.end(), [&](const KyMapping& m) { return m.input == input; });
    return found == mappings_.end() ? nullptr : &found->action;
}

void KyControlMap::set(const KyInputId& input, const KyControlAction& action)
{
    for (KyMapping& mapping : mappings_)
        if (mapping.input == input) {
            mapping.action = action;
            return;
        }
    mappings_.push_back({input, action});
}

void KyControlMap::remove(std::size_t index)
{
    if (index < mappings_.size())
        mappings_.erase(mappings_.begin() + std::ptrdiff_t(index));
}

std::string KyControlMap::text() const
{
    std::string text;
    for (const KyMapping& mapping : mappings_)
        text += inputText(mapping.input) + ' ' + actionText(mapping.action) + '\n';
    return text;
}

std::size_t KyControlMap::read(std::string_view text)
{
    std::size_t taken = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos)
            continue;
        const auto input = parseInput(line.substr(0, space));
        const auto action = parseAction(line.substr(space + 1));
        if (!input || !action)
            continue;
        set(*input, *action);
        ++taken;
    }
    return taken;
}

std::optional<KyControlAction> oscAction(std::string_view address)
{
    if (address.substr(0, kOscRoot.size()) != kOscRoot)
        return std::nullopt;
    return parseAction(address.substr(kOscRoot.size()));
}
