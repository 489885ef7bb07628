// The pressure schedule: range generation, typed pressures and the output schedule with the bubble
// point. The golden schedules are compared in GoldenTest.cpp.
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

std::vector<float> Input(const q7::clsPrs& prs) {
    std::vector<float> list;
    for (int k = 1; k <= prs.NPRSi(); ++k)
        list.push_back(prs.GetPRSi(static_cast<std::int16_t>(k)));
    return list;
}

std::vector<float> Output(const q7::clsPrs& prs) {
    std::vector<float> list;
    for (int k = 1; k <= prs.NPRSo(); ++k)
        list.push_back(prs.GetPRSo(static_cast<std::int16_t>(k)));
    return list;
}

// 1000, 1267, ..., 4738 in steps of 267 (4000 / 15 rounded), then 5000.
std::vector<float> DefaultRange() {
    std::vector<float> list;
    for (int j = 0; j < 15; ++j)
        list.push_back(1000.0f + 267.0f * static_cast<float>(j));
    list.push_back(5000.0f);
    return list;
}

std::vector<float> Slice(const std::vector<float>& list, std::size_t first, std::size_t count) {
    if (first + count > list.size()) return {};
    return {list.begin() + static_cast<long>(first), list.begin() + static_cast<long>(first + count)};
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

// Range (minimum, maximum, initial pressure) -> the input list's length and a run of it.
struct RangeCase {
    const char *min, *max, *ini;
    std::size_t count, first;
    std::vector<float> run;
};

class Ranges : public Schedule, public testing::WithParamInterface<RangeCase> {};

TEST_P(Ranges, InputList) {
    const RangeCase& c = GetParam();
    Range(c.min, c.max, c.ini);
    const auto list = Input(prs);
    ASSERT_EQ(list.size(), c.count) << c.min << ".." << c.max << " initial " << c.ini;
    EXPECT_EQ(Slice(list, c.first, c.run.size()), c.run);
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, Ranges,
    testing::Values(RangeCase{"1000", "5000", "0", 16, 0, DefaultRange()},
                    RangeCase{"1000", "5000", "3000", 17, 7, {2869, 3000, 3136}}, // inserted in its place
                    RangeCase{"1000", "5000", "1534", 16, 0, DefaultRange()},     // on a step: not repeated
                    RangeCase{"1000", "5000", "500", 17, 0, {500, 1000, 1267}},   // below the range: first
                    // Above the last step: a point beyond the maximum is added.
                    RangeCase{"1000", "5000", "4900", 18, 14, {4738, 4900, 5000, 5500}},
                    RangeCase{
                        "1000", "1300", "0", 7, 0, {1000, 1050, 1100, 1150, 1200, 1250, 1300}}, // step 50
                    RangeCase{"2000", "2000", "0", 2, 0, {2000, 2000}},
                    // A step rounded down (1507 / 15 = 100.47 -> 100) makes 17 pressures; an initial
                    // pressure in the last interval then needs 19 entries.
                    RangeCase{"1000", "2507", "2503", 19, 15, {2500, 2503, 2507, 3007}}));

// The output schedule: range (nullptr: individual pressures, none typed) and bubble point (nullptr:
// no oil) -> its length (0: not checked), its first and last pressures and the bubble point's row.
struct OutputCase {
    const char *min, *max, *ini, *pbp;
    int count;
    std::vector<float> head, tail;
    int bppi; // 0: the row before the last; -1: anywhere
};

class OutputSchedules : public Schedule, public testing::WithParamInterface<OutputCase> {};

TEST_P(OutputSchedules, BubblePointInItsPlace) {
    const OutputCase& c = GetParam();
    if (c.min)
        Range(c.min, c.max, c.ini);
    else
        prs.PrRange("I");
    if (c.pbp)
        q.Oil.SetPbp(c.pbp);
    else
        q.Fluid.PhaseOil(false);
    prs.BuildPRSo();
    const auto out = Output(prs);
    EXPECT_TRUE(c.count == 0 || static_cast<int>(out.size()) == c.count) << out.size();
    EXPECT_EQ(Slice(out, 0, c.head.size()), c.head);
    EXPECT_EQ(Slice(out, out.size() - std::min(out.size(), c.tail.size()), c.tail.size()), c.tail);
    if (c.pbp) {
        const int bppi = c.bppi ? c.bppi : static_cast<int>(out.size()) - 1;
        EXPECT_TRUE(c.bppi < 0 || prs.BPPi() == bppi) << prs.BPPi() << " expected " << bppi;
        EXPECT_EQ(prs.GetPRSo(prs.BPPi()), q.Oil.Pbp());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, OutputSchedules,
    testing::Values(
        OutputCase{"1000", "5000", "0", "2500", 17, {5000, 4738}, {1267, 1000}, 11},
        OutputCase{"1000", "2507", "2503", "1750", 20, {3007}, {1000}, -1},
        OutputCase{"2000", "2000", "0", nullptr, 1, {2000}, {}, 0},
        // Above every pressure: a point 500 above it (3100.4 rounded); below: 500 below, at least 10.
        OutputCase{"1000", "2000", "0", "2600.4", 0, {3100, 2600.4f}, {}, 2},
        OutputCase{"1000", "2000", "0", "800", 0, {}, {800, 300}, 0},
        OutputCase{"1000", "2000", "0", "300", 0, {}, {300, 10}, 0},
        OutputCase{nullptr, nullptr, nullptr, "2000", 3, {2500, 2000, 1500}, {}, 2}));

TEST_F(Schedule, DefaultRangeWithBubblePointIsTheRangeSortedDownWithItInserted) {
    prs.BuildPRSi();
    q.Oil.SetPbp("2500");
    prs.BuildPRSo();
    std::vector<float> expected = DefaultRange();
    expected.push_back(2500.0f);
    std::sort(expected.rbegin(), expected.rend());
    EXPECT_EQ(Output(prs), expected);
    // Without oil the bubble point is left out and BPPi keeps its value.
    q.Fluid.PhaseOil(false);
    prs.BuildPRSo();
    expected.erase(std::find(expected.begin(), expected.end(), 2500.0f));
    EXPECT_EQ(Output(prs), expected);
    EXPECT_EQ(prs.BPPi(), 11);
}

// At 1E+10 psia a step of 68 psi is lost in the single's rounding: the range never advances.
TEST_F(Schedule, RangeThatCannotAdvanceFailsWithoutWritingBeyondTheList) {
    EXPECT_THROW(Range("1e10", "10000001024"), q7::SubscriptError);
}

TEST_F(Schedule, RepeatedTypedPressuresAppearOnce) {
    prs.PrRange("I");
    for (int k = 1; k <= 5; ++k)
        prs.SetPRSi(k % 2 ? "3000" : "1000", static_cast<std::int16_t>(k));
    q.Fluid.PhaseOil(false);
    prs.BuildPRSo();
    EXPECT_EQ(Output(prs), (std::vector<float>{3000, 1000}));
}

TEST_F(Schedule, EmptyListsRefuseAndOutOfRangePositionsReadTheEnds) {
    EXPECT_THROW(prs.GetPRSo(1), q7::SubscriptError);
    EXPECT_THROW(prs.GetPRSi(1), q7::SubscriptError);
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
        for (int k = 1; k <= 4; ++k)
            prs.SetPRSi(std::to_string(1000 * k), static_cast<std::int16_t>(k));
    }
};

TEST_F(TypedPressures, SwitchingToIndividualEmptiesTheListWritingTheSameModeKeepsIt) {
    EXPECT_EQ(prs.PrRange(), "I");
    prs.PrRange("I");
    EXPECT_EQ(prs.NPRSi(), 4);
    prs.PrRange("R");
    prs.PrRange("I");
    EXPECT_EQ(prs.NPRSi(), 0);
}

TEST_F(TypedPressures, ZeroRemovesAndClosesTheGapAPositionBeyondExtends) {
    prs.SetPRSi("", 6); // zero beyond the list: nothing
    EXPECT_EQ(Input(prs), (std::vector<float>{1000, 2000, 3000, 4000}));
    prs.SetPRSi("0", 2);
    EXPECT_EQ(Input(prs), (std::vector<float>{1000, 3000, 4000}));
    prs.SetPRSi("7000", 7);
    EXPECT_EQ(prs.NPRSi(), 7);
    EXPECT_EQ(prs.GetPRSi(7), 7000.0f);
}

TEST_F(TypedPressures, AFullListOf18LosesOne) {
    for (int k = 5; k <= 18; ++k)
        prs.SetPRSi(std::to_string(1000 * k), static_cast<std::int16_t>(k));
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

} // namespace
