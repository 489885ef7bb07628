// Conditions and temperature units: °R = °F + 460, °C = (°F - 32) / 1.8.
#include "engine/clsFluid.h"
#include "numeric/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>

namespace {

using q7::clsFluid;

constexpr float kTol = 1e-4f; // °, for the Celsius forms (stored singles of a division by 1.8)

// One temperature (standard or reservoir) seen through its setter, unit and three forms.
struct TemperatureAccess {
    const char* name;
    std::function<void(clsFluid&, std::string_view)> set;
    std::function<void(clsFluid&, std::string_view)> unit;
    std::function<std::string(const clsFluid&)> unitText;
    std::function<float(const clsFluid&)> tf, tc, tr;
};

const TemperatureAccess kStandard{"Standard",
                                  [](clsFluid& f, std::string_view t) { f.SetStdT(t); },
                                  [](clsFluid& f, std::string_view u) { f.StdTU(u); },
                                  [](const clsFluid& f) { return f.StdTU(); },
                                  [](const clsFluid& f) { return f.StdTf(); },
                                  [](const clsFluid& f) { return f.StdTc(); },
                                  [](const clsFluid& f) { return f.StdTr(); }};
const TemperatureAccess kReservoir{"Reservoir",
                                   [](clsFluid& f, std::string_view t) { f.SetResT(t); },
                                   [](clsFluid& f, std::string_view u) { f.ResTU(u); },
                                   [](const clsFluid& f) { return f.ResTU(); },
                                   [](const clsFluid& f) { return f.ResTf(); },
                                   [](const clsFluid& f) { return f.ResTc(); },
                                   [](const clsFluid& f) { return f.ResTr(); }};

// A sequence of entries: unit, text, unit again, text again (nullptr: skipped); then the forms.
struct Entry {
    const char *unit1, *text1, *unit2, *text2;
    const char* unitText;
    float tf, tr, tc;
};

class TemperatureEntries : public testing::TestWithParam<std::tuple<TemperatureAccess, Entry>> {};

TEST_P(TemperatureEntries, StoreFahrenheitRankineAndCelsius) {
    const auto& [t, e] = GetParam();
    clsFluid fluid;
    for (const auto& [unit, text] : {std::pair{e.unit1, e.text1}, std::pair{e.unit2, e.text2}}) {
        if (unit) t.unit(fluid, unit);
        if (text) t.set(fluid, text);
    }
    EXPECT_EQ(t.unitText(fluid), e.unitText);
    EXPECT_EQ(t.tf(fluid), e.tf);
    EXPECT_EQ(t.tr(fluid), e.tr);
    EXPECT_NEAR(t.tc(fluid), e.tc, kTol);
}

INSTANTIATE_TEST_SUITE_P(
    StandardAndReservoir, TemperatureEntries,
    testing::Combine(
        testing::Values(kStandard, kReservoir),
        testing::Values(Entry{nullptr, "100", nullptr, nullptr, "F", 100.0f, 560.0f, 37.7778f},
                        Entry{"C", "100", nullptr, nullptr, "C", 212.0f, 672.0f, 100.0f},
                        // The number typed stays; only its unit changes (60 °F becomes 60 °C, and back).
                        Entry{nullptr, "60", "c", nullptr, "C", 140.0f, 600.0f, 60.0f},
                        Entry{"c", "60", "F", nullptr, "F", 60.0f, 520.0f, 15.5556f},
                        Entry{nullptr, "75", "F", nullptr, "F", 75.0f, 535.0f,
                              23.8889f}, // same unit: nothing changes
                        // Empty or non-numeric text stores zero in the current unit.
                        Entry{nullptr, "", nullptr, nullptr, "F", 0.0f, 460.0f, -17.7778f},
                        Entry{"C", "abc", nullptr, nullptr, "C", 32.0f, 492.0f, 0.0f},
                        // An unknown unit letter is kept, but a temperature typed in it stores nothing.
                        Entry{nullptr, "80", "k", "300", "K", 80.0f, 540.0f, 26.6667f})));

class Temperatures : public testing::TestWithParam<TemperatureAccess> {};

// 3E+38 °C is a single, but 3E+38 * 1.8 + 32 °F is not: raised, and the Fahrenheit form keeps its value.
TEST_P(Temperatures, OverflowIsRaisedAndTheFailingFormIsNotStored) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.unit(fluid, "C");
    const float before = t.tf(fluid);
    EXPECT_THROW(t.set(fluid, "3e38"), q7::ArithmeticError);
    EXPECT_EQ(t.tf(fluid), before);
}

INSTANTIATE_TEST_SUITE_P(StandardAndReservoir, Temperatures, testing::Values(kStandard, kReservoir),
                         [](const testing::TestParamInfo<TemperatureAccess>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
