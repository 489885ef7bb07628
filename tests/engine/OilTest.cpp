// Oil properties: Standing, Rollins-McCain-Creeger, Egbogah-Jack, Beggs-Robinson and Vazquez-Beggs
// over the pressure schedule: the relations between the saturated and the reservoir oil and the
// failures (the golden comparison is in GoldenTest.cpp).
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

using q7::test::Message;
using q7::test::RecordingSink;
using q7::test::Text;

class Oil : public testing::Test {
protected:
    RecordingSink sink;
    Q7Objects q{sink};

    // What the result tab does before the tables: range, bubble point from the GOR, schedule.
    void Build(const char* rsi = "683.9") {
        q.Prs.BuildPRSi();
        q.Oil.SetRsi(rsi);
        q.Prs.BuildPRSo();
    }
};

// Standing (1947) inverted: the bubble point of a GOR gives the GOR back, to single precision.
TEST_F(Oil, BubblePointAndGorSettersInvertEachOther) {
    for (const char* rsi : {"683.9", "150", "1555.9", "2400"}) {
        q.Oil.SetRsi(rsi);
        const float rsiIn = q.Oil.RSI();
        const float tank = q.Oil.RSITank();
        q.Oil.SetPbp(Text(q.Oil.Pbp()));
        EXPECT_NEAR(q.Oil.RSI(), rsiIn, rsiIn * 1e-6f) << rsi;
        EXPECT_EQ(q.Oil.RSITank(), tank);
        EXPECT_NEAR(q.Oil.RSISep(), q.Oil.RSI() - tank, rsiIn * 1e-6f);
    }
}

TEST_F(Oil, GravitySetters) {
    q.Oil.SetAPI("10");
    EXPECT_EQ(q.Oil.OilSG(), 1.0f);
    q.Oil.SetOilSG("0.8");
    EXPECT_NEAR(q.Oil.API(), 45.375f, 1e-4f);
    // A gravity of 0 or less is stored, the API keeps its value.
    q.Oil.SetOilSG("0");
    EXPECT_EQ(q.Oil.OilSG(), 0.0f);
    EXPECT_NEAR(q.Oil.API(), 45.375f, 1e-4f);
}

TEST_F(Oil, SeparatorTemperatureFollowsItsUnit) {
    q.Oil.SepTU("c");
    EXPECT_EQ(q.Oil.SepTU(), "C");
    EXPECT_EQ(q.Oil.SepTc(), 75.0f);
    EXPECT_EQ(q.Oil.SepTf(), 167.0f);
    q.Oil.SetSepT("20");
    EXPECT_EQ(q.Oil.SepTf(), 68.0f);
    EXPECT_EQ(q.Oil.SepTr(), 528.0f);
}

TEST_F(Oil, SetterWithZeroSeparatorPressureRaises) {
    q.Oil.SetSepP("0");
    EXPECT_THROW(q.Oil.SetRsi("683.9"), q7::ArithmeticError);
    EXPECT_THROW(q.Oil.SetPbp("2000"), q7::ArithmeticError);
}

// The reservoir oil is the saturated oil at and below the bubble point; above it the GOR is the
// bubble point's, Bo falls and the viscosity rises with pressure (Vazquez-Beggs).
TEST_F(Oil, ReservoirOilIsSaturatedAtAndBelowTheBubblePoint) {
    for (const char* rsi : {"683.9", "120", "1800"}) {
        Build(rsi);
        q.Oil.CalcOil();
        ASSERT_TRUE(q.Oil.GO()) << rsi;
        const int bppi = q.Prs.BPPi();
        for (int k = bppi; k <= q.Prs.NPRSo(); ++k) {
            const auto i = static_cast<std::int16_t>(k);
            EXPECT_EQ(q.Oil.GetRSO(i), q.Oil.GetRSOS(i)) << rsi << " row " << k;
            EXPECT_EQ(q.Oil.GetBO(i), q.Oil.GetBOS(i)) << rsi << " row " << k;
            EXPECT_EQ(q.Oil.GetMUO(i), q.Oil.GetMUOS(i)) << rsi << " row " << k;
            EXPECT_EQ(q.Oil.GetRHOO(i), q.Oil.GetRHOOS(i)) << rsi << " row " << k;
        }
        for (int k = 1; k < bppi; ++k) {
            const auto i = static_cast<std::int16_t>(k);
            EXPECT_EQ(q.Oil.GetRSO(i), q.Oil.GetRSOS(static_cast<std::int16_t>(bppi)));
            EXPECT_LT(q.Oil.GetBO(i), q.Oil.GetBO(static_cast<std::int16_t>(k + 1))) << rsi << " row " << k;
            EXPECT_GT(q.Oil.GetMUO(i), q.Oil.GetMUO(static_cast<std::int16_t>(k + 1))) << rsi << " row " << k;
        }
        // Standing at the bubble point gives back the initial GOR.
        EXPECT_NEAR(q.Oil.GetRSOS(static_cast<std::int16_t>(bppi)), q.Oil.RSI(), q.Oil.RSI() * 2e-6f);
    }
}

// Vazquez-Beggs compressibility uses the gas phase's gravity, not the separator gas gravity:
// 1180 * Δγ / (100000 p) per row.
TEST_F(Oil, CompressibilityUsesTheGasPhaseGravity) {
    Build();
    q.Oil.CalcOil();
    const double gravity = q.Gas.GasGrav();
    std::vector<float> before;
    for (int k = 1; k <= q.Prs.NPRSo(); ++k)
        before.push_back(q.Oil.GetCO(static_cast<std::int16_t>(k)));
    q.Gas.SetGasGrav("0.8");
    q.Oil.CalcOil();
    for (int k = q.Prs.BPPi(); k <= q.Prs.NPRSo(); ++k) {
        const double p = q.Prs.GetPRSo(static_cast<std::int16_t>(k));
        const double expected =
            before[static_cast<std::size_t>(k - 1)] - 1180.0 * (0.8 - gravity) / (100000.0 * p);
        EXPECT_NEAR(q.Oil.GetCO(static_cast<std::int16_t>(k)), expected, std::abs(expected) * 1e-5)
            << "row " << k;
    }
}

TEST_F(Oil, PressureZeroIsReportedAndLeavesGoFalse) {
    Build();
    q.Oil.CalcOil();
    ASSERT_TRUE(q.Oil.GO());
    q.Prs.SetMinP("0");
    Build();
    q.Oil.CalcOil();
    EXPECT_FALSE(q.Oil.GO());
    ASSERT_EQ(sink.errors.size(), 1u);
    EXPECT_EQ(sink.errors[0].title, "Oil Properties Error");
    EXPECT_EQ(sink.errors[0].text, "Error at pressure 0 - Please adjust input paramemters!");
}

// At 1E+31 psia Standing's Bo overflows a single: the rows below are complete, the failing row
// keeps what was computed before the failure.
TEST_F(Oil, FailureInTheLoopKeepsTheRowsAlreadyDone) {
    q.Prs.PrRange("I");
    q.Prs.SetPRSi("3000", 1);
    q.Prs.SetPRSi("1e31", 2);
    q.Oil.SetRsi("683.9");
    q.Prs.BuildPRSo();
    ASSERT_EQ(q.Prs.NPRSo(), 4);
    q.Oil.CalcOil();
    EXPECT_FALSE(q.Oil.GO());
    ASSERT_EQ(sink.errors.size(), 1u);
    EXPECT_EQ(sink.errors[0].text, "Error at pressure 1E+31 - Please adjust input paramemters!");
    EXPECT_GT(q.Oil.GetRSOS(1), 0.0f);
    EXPECT_GT(q.Oil.GetCO(1), 0.0f);
    EXPECT_EQ(q.Oil.GetBOS(1), 0.0f);
    EXPECT_GT(q.Oil.GetBO(2), 1.0f);
    EXPECT_GT(q.Oil.GetRHOO(2), 0.0f);
}

// A separator pressure or reservoir temperature of 0 fails before the loop: raised, not reported.
TEST_F(Oil, FailureBeforeTheLoopIsRaisedWithGoFalse) {
    for (const bool separator : {true, false}) {
        Build();
        q.Oil.CalcOil();
        ASSERT_TRUE(q.Oil.GO());
        if (separator)
            q.Oil.SetSepP("0");
        else
            q.Fluid.SetResT("0");
        EXPECT_THROW(q.Oil.CalcOil(), q7::ArithmeticError) << separator;
        EXPECT_FALSE(q.Oil.GO());
        EXPECT_TRUE(sink.errors.empty());
        q.Oil.SetSepP("50");
    }
}

TEST_F(Oil, TableRowsOutsideOneTo30AreRefused) {
    for (auto get : {&q7::clsOil::GetRSOS, &q7::clsOil::GetRSO, &q7::clsOil::GetBOS, &q7::clsOil::GetBO,
                     &q7::clsOil::GetMUOS, &q7::clsOil::GetMUO, &q7::clsOil::GetCO, &q7::clsOil::GetRHOOS,
                     &q7::clsOil::GetRHOO}) {
        EXPECT_THROW((q.Oil.*get)(0), q7::SubscriptError);
        EXPECT_THROW((q.Oil.*get)(31), q7::SubscriptError);
        EXPECT_NO_THROW((q.Oil.*get)(30));
    }
}

} // namespace
