#pragma once
// The operator's mappings of controllers' elements to desk actions, one action per element,
// and their text form: one line "<input> <action>" per mapping, as kept and exported.

#include "input/ControlAction.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct KyMapping {
    KyInputId input;
    KyControlAction action;
};

class KyControlMap {
public:
    const std::vector<KyMapping>& mappings() const { return mappings_; }
    const KyControlAction* find(const KyInputId& input) const;
    // Maps `input`, replacing its former action.
    void set(const KyInputId& input, const KyControlAction& action);
    void remove(std::size_t index);

    std::string text() const;
    // Reads the lines of `text`, skipping those it cannot read; returns how many it took.
    std::size_t read(std::string_view text);

private:
    std::vector<KyMapping> mappings_;
};

// The action an OSC address names by itself: /vantorel/<action>.
std::optional<KyControlAction> oscAction(std::string_view address);
inline constexpr std::string_view kOscRoot = "/vantorel/";
