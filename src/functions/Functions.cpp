#include "functions/Functions.h"

#include "common/Translatable.h"

bool deviceHasFunction(const KyDevice& type, KyFunction function)
{
    switch (function) {
    case KyFunction::Reset:
        return type.reset.active;
    case KyFunction::Light:
        return type.shutter.active || type.intensity.active || type.strobe.active;
    case KyFunction::Lamp:
        return type.lampOn.active || type.lampOff.active;
    case KyFunction::PanTilt:
        return type.panTilt.active;
    case KyFunction::Color:
        return type.color1.wheel.active;
    case KyFunction::Mixer:
        return type.color2.active;
    case KyFunction::Gobo:
        return type.gobo1.wheel.active || type.gobo2.wheel.active;
    case KyFunction::Effect:
        return type.effect1.wheel.active || type.effect2.wheel.active;
    case KyFunction::Optic:
        return type.optic.optic1.active || type.optic.optic2.active || type.optic.optic3.active ||
               type.optic.optic4.active;
    case KyFunction::Dimmers:
        return !type.dimmers.dimms.empty();
    }
    return false;
}

std::string functionUnavailableReason(const KyDevice* referenceType, KyFunction function)
{
    if (!referenceType)
        return VT_TRANSLATABLE("Core", "Zaznacz urządzenie, które ma tę funkcję");
    // The windows follow the device selected last, which the operator may not think of.
    if (!deviceHasFunction(*referenceType, function))
        return VT_TRANSLATABLE("Core", "Ostatnio zaznaczone urządzenie nie ma tej funkcji");
    return {};
}
