#include "functions/Functions.h"

#include <functional>
#include <gtest/gtest.h>

// Each block that gives a type a function, against all ten functions.
TEST(Functions, EachBlockEnablesItsFunctionAlone)
{
    struct Case {
        const char* block;
        std::function<void(KyDevice&)> give;
        KyFunction function;
    };
    const Case cases[] = {
        {"reset", [](KyDevice& d) { d.reset.active = true; }, KyFunction::Reset},
        {"shutter", [](KyDevice& d) { d.shutter.active = true; }, KyFunction::Light},
        {"intensity", [](KyDevice& d) { d.intensity.active = true; }, KyFunction::Light},
        {"strobe", [](KyDevice& d) { d.strobe.active = true; }, KyFunction::Light},
        {"lampOn", [](KyDevice& d) { d.lampOn.active = true; }, KyFunction::Lamp},
        {"lampOff", [](KyDevice& d) { d.lampOff.active = true; }, KyFunction::Lamp},
        {"panTilt", [](KyDevice& d) { d.panTilt.active = true; }, KyFunction::PanTilt},
        {"color1", [](KyDevice& d) { d.color1.wheel.active = true; }, KyFunction::Color},
        {"color2", [](KyDevice& d) { d.color2.active = true; }, KyFunction::Mixer},
        {"gobo1", [](KyDevice& d) { d.gobo1.wheel.active = true; }, KyFunction::Gobo},
        {"gobo2", [](KyDevice& d) { d.gobo2.wheel.active = true; }, KyFunction::Gobo},
        {"effect1", [](KyDevice& d) { d.effect1.wheel.active = true; }, KyFunction::Effect},
        {"effect2", [](KyDevice& d) { d.effect2.wheel.active = true; }, KyFunction::Effect},
        {"optic1", [](KyDevice& d) { d.optic.optic1.active = true; }, KyFunction::Optic},
        {"optic4", [](KyDevice& d) { d.optic.optic4.active = true; }, KyFunction::Optic},
        {"dimmers", [](KyDevice& d) { d.dimmers.addDimm(KyDimm{}); }, KyFunction::Dimmers},
    };
    for (const Case& c : cases) {
        KyDevice type;
        c.give(type);
        for (KyFunction f : kFunctions)
            EXPECT_EQ(deviceHasFunction(type, f), f == c.function) << c.block << " / function " << int(f);
    }
}

// Blocks that are filled in but switched off give nothing, as the wheels' own other channels do.
TEST(Functions, InactiveOrAuxiliaryBlocksGiveNoFunction)
{
    KyDevice type;
    type.reset.values[1] = 255;
    type.color1.control1.active = true;
    type.gobo1.slots.push_back(KyIcon{});
    type.color2.component1.active = true;
    type.panTilt.control1.active = true;
    for (KyFunction f : kFunctions)
        EXPECT_FALSE(deviceHasFunction(type, f)) << int(f);
}

// A disabled function action tells the operator what to select.
TEST(Functions, AnUnavailableFunctionSaysWhy)
{
    KyDevice light;
    light.intensity.active = true;
    EXPECT_EQ(functionUnavailableReason(nullptr, KyFunction::Light), "Zaznacz urządzenie, które ma tę funkcję");
    EXPECT_EQ(functionUnavailableReason(&light, KyFunction::PanTilt), "Ostatnio zaznaczone urządzenie nie ma tej funkcji");
    EXPECT_EQ(functionUnavailableReason(&light, KyFunction::Light), "");
}
