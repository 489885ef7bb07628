// The pressure schedule: range generation, typed pressures and the output schedule with the bubble
// point. Golden schedules come from the independent reference's summaries.
#include "engine/Errors.h"
#include "engine/Q7Objects.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

std::vector<float> Input(const q7::clsPrs& prs) {
    std::vector<float> list;
    for (int k = 1; k <= prs.NPRSi(); ++k) list.push_back(prs.GetPRSi(static_cast<std::int16_t>(k)));
    return list;
}

std::vector<float> Output(const q7::clsPrs& prs) {
    std::vector<float> list;
    for (int k = 1; k <= prs.NPRSo(); ++k) list.push_back(prs.GetPRSo(static_cast<std::int16_t>(k)));
    return list;
}

// 1000, 1267, ..., 4738 in steps of 267 (4000 / 15 rounded), then 5000.
std::vector<float> DefaultRange() {
    std::vector<float> list;
    for (int j = 0; j < 15; ++j) list.push_back(1000.0f + 267.0f * static_cast<float>(j));
    list.push_back(5000.0f);
    return list;
}

class Schedule : public testing::Test {
protected:
    q7::NullMessageSink sink;
    Q7Objects q{sink};
    q7::clsPrs& prs = q.Prs;

    void Range(const char* min, const char* max, const char* ini = "0") {
        prs.SetMinP(min);
        prs.SetMaxP(max);
        prs.SetIniP(ini);
        prs.BuildPRSi();
    }
};

TEST_F(Schedule, NewObjectIsInRangeModeWithEmptyLists) {
    EXPECT_EQ(prs.PrRange(), "R");
    EXPECT_EQ(prs.PrMin(), 1000.0f);
    EXPECT_EQ(prs.PrMax(), 5000.0f);
    EXPECT_EQ(prs.PrIni(), 0.0f);
    EXPECT_EQ(prs.NPRSi(), 0);
    EXPECT_EQ(prs.NPRSo(), 0);
    EXPECT_THROW(prs.GetPRSo(1), q7::SubscriptError);
    EXPECT_THROW(prs.GetPRSi(1), q7::SubscriptError);
}

TEST_F(Schedule, DefaultRangeHasSixteenPressuresInSteps267) {
    prs.BuildPRSi();
    EXPECT_EQ(Input(prs), DefaultRange());
}

TEST_F(Schedule, DefaultRangeWithBubblePoint2500) {
    prs.BuildPRSi();
    q.Oil.SetPbp("2500");
    prs.BuildPRSo();
    std::vector<float> expected = DefaultRange();
    expected.push_back(2500.0f);
    std::sort(expected.rbegin(), expected.rend());
    EXPECT_EQ(Output(prs), expected);
    EXPECT_EQ(prs.BPPi(), 11);
    EXPECT_EQ(prs.GetPRSo(10), 2602.0f);
    EXPECT_EQ(prs.GetPRSo(12), 2335.0f);
}

TEST_F(Schedule, InitialPressureInsertedInItsPlace) {
    Range("1000", "5000", "3000");
    ASSERT_EQ(prs.NPRSi(), 17);
    EXPECT_EQ(prs.GetPRSi(8), 2869.0f);
    EXPECT_EQ(prs.GetPRSi(9), 3000.0f);
    EXPECT_EQ(prs.GetPRSi(10), 3136.0f);
}

TEST_F(Schedule, InitialPressureOnAStepIsNotRepeated) {
    Range("1000", "5000", "1534");
    EXPECT_EQ(Input(prs), DefaultRange());
}

TEST_F(Schedule, InitialPressureBelowTheRangeComesFirst) {
    Range("1000", "5000", "500");
    ASSERT_EQ(prs.NPRSi(), 17);
    EXPECT_EQ(prs.GetPRSi(1), 500.0f);
    EXPECT_EQ(prs.GetPRSi(2), 1000.0f);
    EXPECT_EQ(prs.GetPRSi(3), 1267.0f);
}

TEST_F(Schedule, InitialPressureAboveTheLastStepAddsAPointBeyondTheMaximum) {
    Range("1000", "5000", "4900");
    const std::vector<float> list = Input(prs);
    ASSERT_EQ(list.size(), 18u);
    EXPECT_EQ(std::vector<float>(list.end() - 4, list.end()), (std::vector<float>{4738, 4900, 5000, 5500}));
}

TEST_F(Schedule, NarrowRangeUsesTheSmallestStepOf50) {
    Range("1000", "1300");
    EXPECT_EQ(Input(prs), (std::vector<float>{1000, 1050, 1100, 1150, 1200, 1250, 1300}));
}

TEST_F(Schedule, EqualMinimumAndMaximumGiveOnePressure) {
    Range("2000", "2000");
    EXPECT_EQ(Input(prs), (std::vector<float>{2000, 2000}));
    q.Fluid.PhaseOil(false);
    prs.BuildPRSo();
    EXPECT_EQ(Output(prs), (std::vector<float>{2000}));
}

// A step rounded down (1507 / 15 = 100.47 -> 100) makes 17 pressures; an initial pressure in the
// last interval then needs 19 entries.
TEST_F(Schedule, SeventeenStepsWithInitialPressureInTheLastIntervalFitTheList) {
    Range("1000", "2507", "2503");
    const std::vector<float> list = Input(prs);
    ASSERT_EQ(list.size(), 19u);
    EXPECT_EQ(std::vector<float>(list.end() - 4, list.end()), (std::vector<float>{2500, 2503, 2507, 3007}));
    q.Oil.SetPbp("1750");
    prs.BuildPRSo();
    EXPECT_EQ(prs.NPRSo(), 20);
    EXPECT_EQ(prs.GetPRSo(1), 3007.0f);
    EXPECT_EQ(prs.GetPRSo(20), 1000.0f);
    EXPECT_EQ(prs.GetPRSo(prs.BPPi()), 1750.0f);
}

// At 1E+10 psia a step of 68 psi is lost in the single's rounding: the range never advances.
TEST_F(Schedule, RangeThatCannotAdvanceFailsWithoutWritingBeyondTheList) {
    EXPECT_THROW(Range("1e10", "10000001024"), q7::SubscriptError);
}

TEST_F(Schedule, BubblePointAboveEveryPressureGetsAPointAboveIt) {
    Range("1000", "2000");
    q.Oil.SetPbp("2600.4");
    prs.BuildPRSo();
    EXPECT_EQ(prs.GetPRSo(1), 3100.0f); // 3100.4 rounded
    EXPECT_EQ(prs.GetPRSo(2), q.Oil.Pbp());
    EXPECT_EQ(prs.BPPi(), 2);
}

TEST_F(Schedule, BubblePointBelowEveryPressureGetsAPointBelowIt) {
    Range("1000", "2000");
    q.Oil.SetPbp("800");
    prs.BuildPRSo();
    const auto out = Output(prs);
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out[out.size() - 2], 800.0f);
    EXPECT_EQ(out.back(), 300.0f);
    EXPECT_EQ(prs.BPPi(), static_cast<int>(out.size()) - 1);
}

TEST_F(Schedule, PointBelowALowBubblePointIsAtLeast10) {
    Range("1000", "2000");
    q.Oil.SetPbp("300");
    prs.BuildPRSo();
    EXPECT_EQ(Output(prs).back(), 10.0f);
}

TEST_F(Schedule, OnlyTheBubblePointGivesThreePressures) {
    prs.PrRange("I");
    q.Oil.SetPbp("2000");
    prs.BuildPRSo();
    EXPECT_EQ(Output(prs), (std::vector<float>{2500, 2000, 1500}));
    EXPECT_EQ(prs.BPPi(), 2);
}

TEST_F(Schedule, WithoutOilTheBubblePointIsLeftOutAndBPPiKept) {
    prs.BuildPRSi();
    q.Oil.SetPbp("2500");
    prs.BuildPRSo();
    q.Fluid.PhaseOil(false);
    prs.BuildPRSo();
    std::vector<float> expected = DefaultRange();
    std::sort(expected.rbegin(), expected.rend());
    EXPECT_EQ(Output(prs), expected);
    EXPECT_EQ(prs.BPPi(), 11);
}

TEST_F(Schedule, RepeatedTypedPressuresAppearOnce) {
    prs.PrRange("I");
    for (int k = 1; k <= 5; ++k) prs.SetPRSi(k % 2 ? "3000" : "1000", static_cast<std::int16_t>(k));
    q.Fluid.PhaseOil(false);
    prs.BuildPRSo();
    EXPECT_EQ(Output(prs), (std::vector<float>{3000, 1000}));
}

TEST_F(Schedule, OutOfRangePositionsReadTheEnds) {
    prs.BuildPRSi();
    prs.BuildPRSo();
    EXPECT_EQ(prs.GetPRSo(0), prs.GetPRSo(1));
    EXPECT_EQ(prs.GetPRSo(-5), 5000.0f);
    EXPECT_EQ(prs.GetPRSo(99), prs.GetPRSo(prs.NPRSo()));
    EXPECT_EQ(prs.GetPRSi(99), 5000.0f);
}

class TypedPressures : public Schedule {
protected:
    void SetUp() override {
        prs.PrRange("i");
        for (int k = 1; k <= 4; ++k) prs.SetPRSi(std::to_string(1000 * k), static_cast<std::int16_t>(k));
    }
};

TEST_F(TypedPressures, SwitchingToIndividualEmptiesTheList) {
    EXPECT_EQ(prs.PrRange(), "I");
    prs.BuildPRSi();
    prs.PrRange("R");
    prs.PrRange("I");
    EXPECT_EQ(prs.NPRSi(), 0);
}

TEST_F(TypedPressures, WritingTheSameModeKeepsTheList) {
    prs.PrRange("I");
    EXPECT_EQ(prs.NPRSi(), 4);
}

TEST_F(TypedPressures, ZeroRemovesAPressureAndClosesTheGap) {
    prs.SetPRSi("0", 2);
    EXPECT_EQ(Input(prs), (std::vector<float>{1000, 3000, 4000}));
}

TEST_F(TypedPressures, ZeroBeyondTheListChangesNothing) {
    prs.SetPRSi("", 6);
    EXPECT_EQ(Input(prs), (std::vector<float>{1000, 2000, 3000, 4000}));
}

TEST_F(TypedPressures, APositionBeyondTheListExtendsIt) {
    prs.SetPRSi("7000", 7);
    EXPECT_EQ(prs.NPRSi(), 7);
    EXPECT_EQ(prs.GetPRSi(7), 7000.0f);
}

TEST_F(TypedPressures, AFullListOf18LosesOne) {
    for (int k = 5; k <= 18; ++k) prs.SetPRSi(std::to_string(1000 * k), static_cast<std::int16_t>(k));
    ASSERT_EQ(prs.NPRSi(), 18);
    prs.SetPRSi("0", 18);
    EXPECT_EQ(prs.NPRSi(), 17);
    prs.SetPRSi("-1", 1);
    EXPECT_EQ(prs.NPRSi(), 16);
    EXPECT_EQ(prs.GetPRSi(1), 2000.0f);
}

TEST_F(TypedPressures, PositionsOutsideOneTo18AreRefusedAndChangeNothing) {
    EXPECT_THROW(prs.SetPRSi("500", 19), q7::SubscriptError);
    EXPECT_THROW(prs.SetPRSi("500", 0), q7::SubscriptError);
    EXPECT_EQ(Input(prs), (std::vector<float>{1000, 2000, 3000, 4000}));
}

// Golden schedules: the range (or the typed pressures) and the bubble point of each reference case.
std::string Text(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return buffer;
}

nlohmann::json Summary(const std::string& name) {
    std::ifstream in(std::filesystem::path(Q7_GOLDEN_DIR) / "expected" / name / "summary.json");
    return nlohmann::json::parse(in);
}

std::vector<std::string> GoldenCases() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Q7_GOLDEN_DIR) / "expected")) {
        const auto summary = Summary(entry.path().filename().string());
        if (summary["prs"]["NPRSi"].get<int>() > 0) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenSchedule : public testing::TestWithParam<std::string> {};

// Exact: every pressure equals the reference's single.
TEST_P(GoldenSchedule, InputListAndOutputScheduleMatchTheReference) {
    const auto g = Summary(GetParam());
    const auto& p = g["prs"];
    q7::NullMessageSink sink;
    Q7Objects q(sink);
    q.Fluid.PhaseOil(g["fluid"]["PhaseOil"].get<bool>());
    q.Oil.SetPbp(Text(g["oil"]["Pbp"].get<double>()));
    q.Prs.PrRange(p["PrRange"].get<std::string>());
    if (p["PrRange"] == "R") {
        q.Prs.SetMinP(Text(p["PrMin"].get<double>()));
        q.Prs.SetMaxP(Text(p["PrMax"].get<double>()));
        q.Prs.SetIniP(Text(p["PrIni"].get<double>()));
        q.Prs.BuildPRSi();
    } else {
        std::int16_t k = 0;
        for (const auto& v : p["PRSi"]) q.Prs.SetPRSi(Text(v.get<double>()), ++k);
    }
    EXPECT_EQ(Input(q.Prs), p["PRSi"].get<std::vector<float>>());
    q.Prs.BuildPRSo();
    EXPECT_EQ(Output(q.Prs), p["PRSo"].get<std::vector<float>>());
    EXPECT_EQ(q.Prs.BPPi(), p["BPPi"].get<int>());
}

INSTANTIATE_TEST_SUITE_P(ReferenceCases, GoldenSchedule, testing::ValuesIn(GoldenCases()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

} // namespace
