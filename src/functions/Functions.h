#pragma once
// The ten functions the operator drives by function window, and which device types have
// them: a function action is usable, and its window shown, only for a type that has it.

#include "library/Device.h"

#include <array>
#include <string>

// In the order of the function actions.
enum class KyFunction { Reset, Light, Lamp, PanTilt, Color, Mixer, Gobo, Effect, Optic, Dimmers };

constexpr std::array<KyFunction, 10> kFunctions = {
    KyFunction::Reset, KyFunction::Light, KyFunction::Lamp,   KyFunction::PanTilt, KyFunction::Color,
    KyFunction::Mixer, KyFunction::Gobo,  KyFunction::Effect, KyFunction::Optic,   KyFunction::Dimmers,
};

bool deviceHasFunction(const KyDevice& type, KyFunction function);

// Why a function action cannot be used with the reference device's type (none while nothing
// is selected), in the operator's words; empty when it can.
std::string functionUnavailableReason(const KyDevice* referenceType, KyFunction function);
