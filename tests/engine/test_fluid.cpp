// Conditions and temperature units: °R = °F + 460, °C = (°F - 32) / 1.8.
#include "engine/Errors.h"
#include "engine/clsFluid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using q7::clsFluid;

constexpr float kTol = 1e-4f; // °, for the Celsius forms (stored singles of a division by 1.8)

TEST(FluidDefaults, StandardAndReservoirConditionsOilOnly) {
    const clsFluid fluid;
    EXPECT_TRUE(fluid.PhaseOil());
    EXPECT_FALSE(fluid.PhaseGas());
    EXPECT_FALSE(fluid.PhaseWater());
    EXPECT_EQ(fluid.StdP(), 14.7f);
    EXPECT_EQ(fluid.StdTU(), "F");
    EXPECT_EQ(fluid.StdTf(), 60.0f);
    EXPECT_EQ(fluid.StdTr(), 520.0f);
    EXPECT_NEAR(fluid.StdTc(), 15.5556f, kTol);
    EXPECT_EQ(fluid.ResTU(), "F");
    EXPECT_EQ(fluid.ResTf(), 150.0f);
    EXPECT_EQ(fluid.ResTr(), 610.0f);
    EXPECT_NEAR(fluid.ResTc(), 65.5556f, kTol);
}

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

class Temperatures : public testing::TestWithParam<TemperatureAccess> {};

TEST_P(Temperatures, FahrenheitEntryGivesRankineAndCelsius) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.set(fluid, "100");
    EXPECT_EQ(t.tf(fluid), 100.0f);
    EXPECT_EQ(t.tr(fluid), 560.0f);
    EXPECT_NEAR(t.tc(fluid), 37.7778f, kTol);
}

TEST_P(Temperatures, CelsiusEntryStoresFahrenheitThenRankine) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.unit(fluid, "C");
    t.set(fluid, "100");
    EXPECT_EQ(t.tc(fluid), 100.0f);
    EXPECT_EQ(t.tf(fluid), 212.0f);
    EXPECT_EQ(t.tr(fluid), 672.0f);
}

// The number typed stays; only its unit changes (60 °F becomes 60 °C).
TEST_P(Temperatures, SwitchingTheUnitKeepsTheNumber) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.set(fluid, "60");
    t.unit(fluid, "c");
    EXPECT_EQ(t.unitText(fluid), "C");
    EXPECT_EQ(t.tc(fluid), 60.0f);
    EXPECT_EQ(t.tf(fluid), 140.0f);
    EXPECT_EQ(t.tr(fluid), 600.0f);
    t.unit(fluid, "F");
    EXPECT_EQ(t.unitText(fluid), "F");
    EXPECT_EQ(t.tf(fluid), 60.0f);
    EXPECT_EQ(t.tr(fluid), 520.0f);
}

TEST_P(Temperatures, WritingTheSameUnitChangesNothing) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.set(fluid, "75");
    t.unit(fluid, "F");
    EXPECT_EQ(t.tf(fluid), 75.0f);
    EXPECT_NEAR(t.tc(fluid), 23.8889f, kTol);
}

TEST_P(Temperatures, EmptyOrNonNumericTextStoresZeroInTheCurrentUnit) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.set(fluid, "");
    EXPECT_EQ(t.tf(fluid), 0.0f);
    EXPECT_EQ(t.tr(fluid), 460.0f);
    EXPECT_NEAR(t.tc(fluid), -17.7778f, kTol);
    t.unit(fluid, "C");
    t.set(fluid, "abc");
    EXPECT_EQ(t.tc(fluid), 0.0f);
    EXPECT_EQ(t.tf(fluid), 32.0f);
}

TEST_P(Temperatures, AnUnknownUnitLetterStoresNothing) {
    const auto& t = GetParam();
    clsFluid fluid;
    t.set(fluid, "80");
    t.unit(fluid, "k");
    EXPECT_EQ(t.unitText(fluid), "K");
    EXPECT_EQ(t.tf(fluid), 80.0f);
    t.set(fluid, "300");
    EXPECT_EQ(t.tf(fluid), 80.0f);
}

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
                         [](const testing::TestParamInfo<TemperatureAccess>& info) { return std::string(info.param.name); });

TEST(FluidConditions, PhasesAndStandardPressureAreWritable) {
    clsFluid fluid;
    fluid.PhaseOil(false);
    fluid.PhaseGas(true);
    fluid.PhaseWater(true);
    fluid.SetStdP("15.025");
    EXPECT_FALSE(fluid.PhaseOil());
    EXPECT_TRUE(fluid.PhaseGas());
    EXPECT_TRUE(fluid.PhaseWater());
    EXPECT_EQ(fluid.StdP(), 15.025f);
    fluid.SetStdP("x");
    EXPECT_EQ(fluid.StdP(), 0.0f);
}

} // namespace
