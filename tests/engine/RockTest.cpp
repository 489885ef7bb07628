// Relative permeability and capillary pressure: the saturation grid (15 rows or SatRows), Corey
// (1954) curves, the Honarpour, Koederitz and Harvey (1982) imbibition correlations, the LET curves
// and the capillary-pressure models, against worked values (the golden comparison is in
// GoldenTest.cpp; the simulator's judgement of Pc in tests/writers/CapillaryFlowTest.cpp).
#include "numeric/Errors.h"
#include "rock/RockInputRules.h"
#include "rock/SaturationModels.h"
#include "rock/clsRock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using q7::clsRock;

clsRock Rock(std::int16_t fluids, std::int16_t displace, std::int16_t corr, std::int16_t lith = 0,
             std::int16_t wet = 0) {
    clsRock r;
    r.Fluids(fluids);
    r.Displace(displace);
    r.CORR(corr);
    r.Lith(lith);
    r.Wet(wet);
    return r;
}

// ---------------------------------------------------------------------------------------------
// Saturation grids with the default end points (SWC 0.2, SORW 0.4, SORG 0.4, SGCrit 0.3).

struct GridCase {
    const char* name;
    std::int16_t fluids, displace;
    std::vector<std::pair<int, double>> rows; // row, SWet to five decimals
};

void PrintTo(const GridCase& c, std::ostream* os) {
    *os << c.name;
}

class RockGrid : public testing::TestWithParam<GridCase> {};

TEST_P(RockGrid, RowsAndSpacing) {
    const GridCase& c = GetParam();
    clsRock r = Rock(c.fluids, c.displace, 0);
    r.CalcRock();
    ASSERT_TRUE(r.GO());
    for (const auto& [row, sw] : c.rows) {
        EXPECT_NEAR(r.GetSWet(static_cast<std::int16_t>(row)), sw, 5e-6) << "row " << row;
    }
    for (std::int16_t i = 1; i <= 15; ++i) {
        EXPECT_FLOAT_EQ(r.GetSNWet(i), 1.0f - r.GetSWet(i)) << "row " << i;
        if (i > 1) {
            EXPECT_GT(r.GetSWet(i), r.GetSWet(static_cast<std::int16_t>(i - 1))) << "row " << i;
        }
    }
    EXPECT_FLOAT_EQ(r.GetSWet(1), 0.2f);
    EXPECT_EQ(r.GetSWet(15), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, RockGrid,
    testing::Values(
        GridCase{"oil-water drainage", 0, 0, {}}, // the values: golden case d0-defaults
        GridCase{
            "oil-water imbibition",
            0,
            1,
            {{2, 0.21538}, {3, 0.23077}, {4, 0.26838}, {8, 0.4188}, {12, 0.56923}, {13, 0.58462}, {14, 0.6}}},
        GridCase{"gas-oil",
                 1,
                 1,
                 {{2, 0.6}, {3, 0.60417}, {4, 0.60833}, {5, 0.61875}, {8, 0.65}, {13, 0.69583}, {14, 0.7}}},
        GridCase{"gas-oil drainage", 1, 0, {{2, 0.6}, {8, 0.65}, {14, 0.7}}}));

TEST(RockGrid, SaturationIndexIsClamped) {
    clsRock r;
    r.CalcRock();
    EXPECT_EQ(r.GetSWet(0), r.GetSWet(1));
    EXPECT_EQ(r.GetSWet(-5), r.GetSWet(1));
    EXPECT_EQ(r.GetSWet(99), r.GetSWet(15));
    EXPECT_EQ(r.GetSNWet(99), r.GetSNWet(15));
}

TEST(RockGrid, TableIndexOutsideFifteenRowsFails) {
    clsRock r;
    r.CalcRock();
    for (std::int16_t i : {0, 16}) {
        EXPECT_THROW(r.GetKROil(i), q7::SubscriptError);
        EXPECT_THROW(r.GetKRWat(i), q7::SubscriptError);
        EXPECT_THROW(r.GetKRGas(i), q7::SubscriptError);
        EXPECT_THROW(r.GetSD(i), q7::SubscriptError);
    }
}

// ---------------------------------------------------------------------------------------------
// Corey curves.

TEST(RockCorey, OilWaterImbibitionStopsOilAtResidual) {
    clsRock r = Rock(0, 1, 0);
    r.CalcRock();
    EXPECT_FLOAT_EQ(r.GetSWet(14), 0.6f);
    EXPECT_EQ(r.GetKROil(14), 0.0f); // normalised saturation limited to 1
    EXPECT_EQ(r.GetKROil(15), 0.0f);
    EXPECT_FLOAT_EQ(r.GetKRWat(15), 1.0f);
    EXPECT_FLOAT_EQ(r.GetKROil(1), 1.0f);
    // The second pass (water) is what SD holds afterwards: (Sw − Swc) / (1 − Swc).
    EXPECT_NEAR(r.GetSD(14), 0.5, 1e-6);
}

TEST(RockCorey, GasOilNoGasAtOrBelowCriticalSaturation) {
    for (std::int16_t displace : {0, 1}) {
        clsRock r = Rock(1, displace, 0);
        r.CalcRock();
        EXPECT_FLOAT_EQ(r.GetSWet(2), 0.6f);
        EXPECT_FLOAT_EQ(r.GetSWet(14), 0.7f);
        EXPECT_EQ(r.GetSNWet(15), 0.0f);
        EXPECT_EQ(r.GetKRGas(14), 0.0f) << displace;
        EXPECT_EQ(r.GetKRGas(15), 0.0f) << displace;
        EXPECT_FLOAT_EQ(r.GetKROil(15), 1.0f) << displace;
        for (std::int16_t i = 1; i <= 15; ++i)
            EXPECT_EQ(r.GetKRWat(i), 0.0f);
    }
}

// Corey (1954) wetting-phase form S^K (2 − S). Row 1: Sg 0.8, S = (0.8 − 0.3) / 0.8 = 0.625;
// by hand, ln 0.625 = −0.4700036, × 2.5 = −1.1750091, e^ = 0.3088162, × (2 − 0.625) = 0.4246222.
TEST(RockCorey, NonIntegerExponentOnGasOilImbibition) {
    clsRock r = Rock(1, 1, 0);
    r.SetCoreyK("2.5");
    r.CalcRock();
    EXPECT_TRUE(r.GO());
    EXPECT_EQ(r.GetKRGas(15), 0.0f);
    EXPECT_NEAR(r.GetKRGas(1), 0.4246222, 1e-6);
}

TEST(RockCorey, HonarpourWithDrainageComputesNoCurve) {
    for (std::int16_t fluids : {0, 1}) {
        clsRock r = Rock(fluids, 0, 1);
        r.CalcRock();
        EXPECT_TRUE(r.GO());
        EXPECT_FLOAT_EQ(r.GetSWet(15), 1.0f);
        for (std::int16_t i = 1; i <= 15; ++i) {
            EXPECT_EQ(r.GetKROil(i), 0.0f);
            EXPECT_EQ(r.GetKRWat(i), 0.0f);
            EXPECT_EQ(r.GetKRGas(i), 0.0f);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Honarpour, Koederitz and Harvey (1982) with the default inputs (φ 0.25, ka 50 md, krg* 0.5):
// the worked rows, five decimals.

struct HonarpourRow {
    const char* name;
    std::int16_t fluids, lith, wet, row;
    double krw, kro, krg;
};

void PrintTo(const HonarpourRow& c, std::ostream* os) {
    *os << c.name << " row " << c.row;
}

class RockHonarpour : public testing::TestWithParam<HonarpourRow> {};

TEST_P(RockHonarpour, WorkedRow) {
    const HonarpourRow& c = GetParam();
    clsRock r = Rock(c.fluids, 1, 1, c.lith, c.wet);
    r.CalcRock();
    ASSERT_TRUE(r.GO());
    EXPECT_NEAR(r.GetKRWat(c.row), c.krw, 6e-6);
    EXPECT_NEAR(r.GetKROil(c.row), c.kro, 6e-6);
    EXPECT_NEAR(r.GetKRGas(c.row), c.krg, 6e-6);
}

INSTANTIATE_TEST_SUITE_P(Defaults, RockHonarpour,
                         testing::Values(HonarpourRow{"sandstone water wet", 0, 0, 0, 1, 0, 0.91858, 0},
                                         HonarpourRow{"sandstone oil wet", 0, 0, 1, 1, 0, 0.91858, 0},
                                         HonarpourRow{"limestone water wet", 0, 1, 0, 1, 0, 0.8416, 0},
                                         HonarpourRow{"limestone oil wet", 0, 1, 1, 1, 0, 0.8416, 0},
                                         HonarpourRow{"sandstone water wet", 0, 0, 0, 8, 0.02286, 0.12373, 0},
                                         HonarpourRow{"sandstone oil wet", 0, 0, 1, 8, 0.07068, 0.12373, 0},
                                         HonarpourRow{"limestone water wet", 0, 1, 0, 8, 0.00676, 0.07823, 0},
                                         HonarpourRow{"limestone oil wet", 0, 1, 1, 8, 0.11885, 0.07823, 0},
                                         HonarpourRow{"sandstone oil wet", 0, 0, 1, 14, 0.20078, 0,
                                                      0}, // by hand: Sw 0.6, So = Sorw
                                         HonarpourRow{"limestone water wet", 0, 1, 0, 15, 1, 0, 0},
                                         HonarpourRow{"sandstone gas-oil", 1, 0, 0, 1, 0, 0, 1},
                                         HonarpourRow{"limestone gas-oil", 1, 1, 0, 1, 0, 0, 1},
                                         HonarpourRow{"sandstone gas-oil", 1, 0, 0, 2, 0, 0, 0.07813},
                                         HonarpourRow{"limestone gas-oil", 1, 1, 0, 2, 0, 0, 0.20236},
                                         HonarpourRow{"sandstone gas-oil", 1, 0, 0, 15, 0, 0.98372, 0},
                                         HonarpourRow{"limestone gas-oil", 1, 1, 0, 15, 0, 0.93752, 0}));

TEST(RockHonarpour, GasOilNoGasAtCriticalSaturation) {
    for (std::int16_t lith : {0, 1}) {
        clsRock r = Rock(1, 1, 1, lith);
        r.CalcRock();
        EXPECT_EQ(r.GetKRGas(14), 0.0f) << lith; // Sg = Sgc
        EXPECT_EQ(r.GetKRGas(15), 0.0f) << lith;
        EXPECT_EQ(r.GetKROil(1), 0.0f);
        EXPECT_EQ(r.GetKRGas(1), 1.0f);
    }
}

// Below the critical gas saturation gas cannot flow. The sandstone gas formula turns positive
// there when SORG is small (1.1072·((Sg − Sgc)/(1 − Swc))²·krg* outweighs the negative Sorg term),
// and the limestone formula through its last term when ka/φ is large; krg must still be 0. The
// expected values are the gas equations of Honarpour, Koederitz and Harvey (1982), SPE-10990-PA
// (JPT, Dec. 1982), evaluated outside this program (a separate script, the grid of the same
// single-precision end points) and given to five decimals; `formula15` is what the equation gives
// at row 15 (Sg 0), where the table must hold 0.
struct ImmobileGasCase {
    const char* name;
    std::int16_t lith;
    const char *sorg, *sgc, *air;
    std::vector<std::pair<int, double>> mobile; // row, krg
    double formula15;
};

void PrintTo(const ImmobileGasCase& c, std::ostream* os) {
    *os << c.name;
}

class RockImmobileGas : public testing::TestWithParam<ImmobileGasCase> {};

TEST_P(RockImmobileGas, NoGasFlowBelowCriticalSaturation) {
    const ImmobileGasCase& c = GetParam();
    clsRock r = Rock(1, 1, 1, c.lith);
    r.SetSORG(c.sorg);
    r.SetSGCrit(c.sgc);
    r.SetHRAir(c.air);
    r.CalcRock();
    ASSERT_TRUE(r.GO());
    for (const auto& [row, krg] : c.mobile)
        EXPECT_NEAR(r.GetKRGas(static_cast<std::int16_t>(row)), krg, 6e-6) << "row " << row;
    EXPECT_GT(c.formula15, 0.0); // the case exercises a positive formula value below Sgc
    EXPECT_EQ(r.GetSNWet(15), 0.0f);
    EXPECT_EQ(r.GetKRGas(15), 0.0f);
    EXPECT_EQ(r.GetKRGas(14), 0.0f); // Sg = Sgc
}

INSTANTIATE_TEST_SUITE_P(HonarpourGasOil, RockImmobileGas,
                         testing::Values(ImmobileGasCase{"sandstone, SORG 0.01",
                                                         0,
                                                         "0.01",
                                                         "0.3",
                                                         "50",
                                                         {{2, 0.21620}, {8, 0.05618}, {13, 0.00072}},
                                                         0.07264},
                                         ImmobileGasCase{"sandstone, SORG 0.05, SGCrit 0.2",
                                                         0,
                                                         "0.05",
                                                         "0.2",
                                                         "50",
                                                         {{2, 0.30943}, {8, 0.08930}, {12, 0.00580}},
                                                         0.01723},
                                         // Rows 8 to 13 of the limestone equation are negative: clamped to 0.
                                         ImmobileGasCase{
                                             "limestone, SORG 0.1, ka 500 md",
                                             1,
                                             "0.1",
                                             "0.3",
                                             "500",
                                             {{2, 0.07703}, {5, 0.03417}, {7, 0.00193}, {8, 0}, {10, 0}},
                                             0.18707}));

// ---------------------------------------------------------------------------------------------
// Every combination keeps every kr in [0, 1].

TEST(RockBounds, EveryKrWithinZeroAndOne) {
    const std::vector<std::vector<const char*>> endPoints = {{"0.2", "0.4", "0.4", "0.3"},
                                                             {"0.1", "0.1", "0.05", "0.02"},
                                                             {"0.35", "0.3", "0.2", "0.1"},
                                                             {"0.15", "0.25", "0.3", "0.05"}};
    int tables = 0;
    for (const auto& ep : endPoints) {
        for (int combo = 0; combo < 32; ++combo) {
            clsRock r =
                Rock(combo & 1, (combo >> 1) & 1, (combo >> 2) & 1, (combo >> 3) & 1, (combo >> 4) & 1);
            r.SetSWC(ep[0]);
            r.SetSORW(ep[1]);
            r.SetSORG(ep[2]);
            r.SetSGCrit(ep[3]);
            r.SetCoreyK("2.2");
            r.SetCoreyN("1.7");
            r.CalcRock();
            ASSERT_TRUE(r.GO());
            ++tables;
            for (std::int16_t i = 1; i <= 15; ++i) {
                for (float kr : {r.GetKROil(i), r.GetKRWat(i), r.GetKRGas(i)}) {
                    EXPECT_GE(kr, 0.0f) << "combination " << combo << " row " << i;
                    EXPECT_LE(kr, 1.0f) << "combination " << combo << " row " << i;
                }
            }
        }
    }
    EXPECT_EQ(tables, 128);
}

// ---------------------------------------------------------------------------------------------
// Failures.

TEST(RockFailure, ConnateWaterOfOneDividesByZero) {
    clsRock r;
    r.CalcRock();
    ASSERT_TRUE(r.GO());
    r.SetSWC("1");
    EXPECT_THROW(r.CalcRock(), q7::ArithmeticError);
    EXPECT_FALSE(r.GO());
}

TEST(RockFailure, HonarpourLimestoneZeroPorosity) {
    clsRock r = Rock(0, 1, 1, 1, 0);
    r.SetHRPoro("0");
    EXPECT_THROW(r.CalcRock(), q7::ArithmeticError);
    EXPECT_FALSE(r.GO());
    clsRock g = Rock(1, 1, 1, 1);
    g.SetHRPoro("0");
    EXPECT_THROW(g.CalcRock(), q7::ArithmeticError);
}

TEST(RockFailure, ImbibitionWithNoMobileOilDividesByZero) {
    clsRock r = Rock(0, 1, 0);
    r.SetSWC("0.5");
    r.SetSORW("0.5"); // 1 − Swc − Sorw = 0
    EXPECT_THROW(r.CalcRock(), q7::ArithmeticError);
    EXPECT_FALSE(r.GO());
}

// ---------------------------------------------------------------------------------------------
// More rows (SatRows): the same construction, two half steps at each inner end and equal steps
// between. By hand for 30 oil–water drainage rows: h = 0.8 / 29 / 2 = 0.0137931, so row 2 is
// 0.2137931, row 3 0.2275862, row 29 0.9862069, row 28 0.9724138, and the 25 steps between rows 3
// and 28 are each (0.9724138 − 0.2275862) / 25 = 0.0297931.

TEST(RockRows, ThirtyRowsOilWaterDrainage) {
    clsRock r;
    r.SatRows(30);
    r.CalcRock();
    ASSERT_EQ(r.NWet(), 30);
    EXPECT_FLOAT_EQ(r.GetSWet(1), 0.2f);
    EXPECT_NEAR(r.GetSWet(2), 0.2137931, 2e-7);
    EXPECT_NEAR(r.GetSWet(3), 0.2275862, 2e-7);
    EXPECT_NEAR(r.GetSWet(28), 0.9724138, 2e-7);
    EXPECT_NEAR(r.GetSWet(29), 0.9862069, 2e-7);
    EXPECT_EQ(r.GetSWet(30), 1.0f);
    for (std::int16_t i = 4; i <= 28; ++i)
        EXPECT_NEAR(r.GetSWet(i) - r.GetSWet(static_cast<std::int16_t>(i - 1)), 0.0297931, 1e-6) << i;
    EXPECT_FLOAT_EQ(r.GetKROil(1), 1.0f);
    EXPECT_FLOAT_EQ(r.GetKRWat(30), 1.0f);
    EXPECT_THROW(r.GetKROil(31), q7::SubscriptError);
    EXPECT_EQ(r.GetSWet(99), 1.0f);
}

// Fifty rows of each grid: the inner end points stay where they are (1 − SORW and 1 − SGCrit, SWC +
// SORG), the half steps at each inner end and equal steps between.
TEST(RockRows, FiftyRowsEveryGrid) {
    struct Grid {
        std::int16_t fluids, displace;
        int first, last; // rows of the inner span's ends
        double from, to;
    };
    for (const Grid& g : {Grid{0, 0, 1, 50, 0.2, 1.0}, Grid{0, 1, 1, 49, 0.2, 0.6},
                          Grid{1, 0, 2, 49, 0.6, 0.7}, Grid{1, 1, 2, 49, 0.6, 0.7}}) {
        clsRock r = Rock(g.fluids, g.displace, 0);
        r.SatRows(50);
        r.CalcRock();
        ASSERT_EQ(r.NWet(), 50);
        auto S = [&](int i) { return static_cast<double>(r.GetSWet(static_cast<std::int16_t>(i))); };
        EXPECT_NEAR(S(g.first), g.from, 1e-6);
        EXPECT_NEAR(S(g.last), g.to, 1e-6);
        EXPECT_EQ(S(50), 1.0);
        const double h = (g.to - g.from) / (g.last - g.first) / 2.0;
        EXPECT_NEAR(S(g.first + 1) - S(g.first), h, 1e-6);
        EXPECT_NEAR(S(g.last) - S(g.last - 1), h, 1e-6);
        const double d = S(g.first + 3) - S(g.first + 2);
        for (int i = g.first + 3; i <= g.last - 2; ++i)
            EXPECT_NEAR(S(i) - S(i - 1), d, 2e-6) << i;
    }
}

TEST(RockRows, OutsideFifteenToFiftyRefused) {
    for (std::int16_t n : {14, 0, 51, -3}) {
        clsRock r;
        r.SatRows(n);
        try {
            r.CalcRock();
            ADD_FAILURE() << n << " rows computed";
        } catch (const q7::RockInputError& e) {
            EXPECT_NE(std::string(e.what()).find("SatRows"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(r.GO());
    }
}

// ---------------------------------------------------------------------------------------------
// LET curves, Lomeland, Ebeltoft and Thomas (2005), SCA2005-32: kr = kr° Sn^L / (Sn^L + E (1 − Sn)^T).
// By hand: L 2, E 1, T 1.5 at Sn 0.5 give 0.25 / (0.25 + 0.3535534) = 1/(1 + √2) = √2 − 1 = 0.4142136;
// L = E = T = 1 gives kr = Sn (a straight line); the end points give 0 and kr°.

TEST(RockLet, CurveByHand) {
    EXPECT_NEAR(q7::LetKr(0.5, 2, 1, 1.5, 1), 0.4142136, 1e-7);
    EXPECT_NEAR(q7::LetKr(0.5, 2, 1, 1.5, 0.8), 0.3313708, 1e-7);
    EXPECT_NEAR(q7::LetKr(0.3, 1, 1, 1, 1), 0.3, 1e-12);
    EXPECT_EQ(q7::LetKr(0.0, 2, 1, 1.5, 0.7), 0.0);
    EXPECT_EQ(q7::LetKr(1.0, 2, 1, 1.5, 0.7), 0.7);
    // E weighs the lower part: E 4, L = T = 2 at Sn 0.5: 0.25 / (0.25 + 4·0.25) = 0.2.
    EXPECT_NEAR(q7::LetKr(0.5, 2, 4, 2, 1), 0.2, 1e-12);
}

// The defaults on the oil–water drainage grid: row 8 (Sw 0.6) is half way for both phases.
TEST(RockLet, OilWaterDrainageTable) {
    clsRock r = Rock(0, 0, 2);
    r.SetKroMax("0.8");
    r.SetKrwMax("0.4");
    r.CalcRock();
    ASSERT_TRUE(r.GO());
    EXPECT_NEAR(r.GetKROil(8), 0.3313708, 1e-6); // 0.8 (√2 − 1)
    EXPECT_NEAR(r.GetKRWat(8), 0.1656854, 1e-6); // 0.4 (√2 − 1)
    EXPECT_FLOAT_EQ(r.GetKROil(1), 0.8f);
    EXPECT_EQ(r.GetKRWat(1), 0.0f);
    EXPECT_EQ(r.GetKROil(15), 0.0f);
    EXPECT_FLOAT_EQ(r.GetKRWat(15), 0.4f);
}

// Straight lines (L = E = T = 1) on the imbibition grids show which normalised saturation each phase
// takes. Oil–water row 8 (Sw 0.4188): water (0.4188 − 0.2)/0.8 = 0.2735, oil 1 − (0.4188 − 0.2)/0.4 =
// 0.453. Gas–oil row 8 (Sg 0.35): gas (0.35 − 0.3)/0.8 = 0.0625, oil 1 − 0.05/0.4 = 0.875.
TEST(RockLet, NormalisedSaturations) {
    for (std::int16_t fluids : {0, 1}) {
        clsRock r = Rock(fluids, 1, 2);
        for (auto set : {&clsRock::SetLetWaterL, &clsRock::SetLetWaterE, &clsRock::SetLetWaterT,
                         &clsRock::SetLetOilL, &clsRock::SetLetOilE, &clsRock::SetLetOilT,
                         &clsRock::SetLetGasL, &clsRock::SetLetGasE, &clsRock::SetLetGasT})
            (r.*set)("1");
        r.CalcRock();
        if (fluids == 0) {
            EXPECT_NEAR(r.GetKRWat(8), 0.2735, 3e-5);
            EXPECT_NEAR(r.GetKROil(8), 0.453, 3e-5);
            EXPECT_EQ(r.GetKROil(14), 0.0f);
        } else {
            EXPECT_NEAR(r.GetKRGas(8), 0.0625, 1e-5);
            EXPECT_NEAR(r.GetKROil(8), 0.875, 1e-5);
            EXPECT_EQ(r.GetKRGas(14), 0.0f);
            EXPECT_FLOAT_EQ(r.GetKROil(15), 1.0f);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Capillary pressure.
//
// Leverett J against the field-unit form of the textbook (T. Ahmed, Reservoir Engineering
// Handbook, 4th ed., ch. 4: J = 0.21645 (Pc/σ) √(k/φ) with Pc psi, σ dynes/cm, k md), whose
// rounded constant agrees with the SI evaluation to 0.1 %. σ 30, φ 0.25, k 50: σ√(φ/k)/0.21645 =
// 30 · 0.0707107 / 0.21645 = 9.80051 psi.
TEST(RockPc, LeverettAgainstFieldUnitForm) {
    EXPECT_NEAR(q7::LeverettFactorPsi(30, 0, 0.25, 50) / 9.80051, 1.0, 1e-3);
    // cos 60° = 0.5; 72 mN/m (water–air), φ 0.2, k 200 md: 72 · 0.0316228 / 0.21645 · 0.5 = 5.25912.
    EXPECT_NEAR(q7::LeverettFactorPsi(72, 60, 0.2, 200) / 5.25912, 1.0, 1e-3);
    // J 0.3 S*^−0.5 at S* 0.5: 0.4242641 × 9.80051.
    EXPECT_NEAR(q7::LeverettPc(0.5, 0.3, 0.5, 30, 0, 0.25, 50) / 4.158004, 1.0, 1e-3);

    clsRock r;
    r.PcowModel(1);
    r.CalcRock();
    EXPECT_FLOAT_EQ(r.GetPC(1), 100.0f); // S* = 0: the cap
    EXPECT_NEAR(r.GetPC(8) / 4.158004, 1.0, 1e-3);
    EXPECT_NEAR(r.GetPC(15) / (0.3 * 9.80051), 1.0, 1e-3);
}

// Brooks and Corey (1964): Pc = Pe S*^(−1/λ). Pe 2 psi, λ 2 on the default drainage grid, by hand:
// row 2 S* = 1/28, 2·√28 = 10.583005; row 8 S* = 0.5, 2·√2 = 2.8284271; row 15 S* = 1, Pe.
TEST(RockPc, BrooksCoreyByHand) {
    EXPECT_NEAR(q7::BrooksCoreyPc(0.25, 2, 2), 4.0, 1e-12);
    clsRock r;
    r.PcowModel(2);
    r.CalcRock();
    EXPECT_FLOAT_EQ(r.GetPC(1), 100.0f);
    EXPECT_NEAR(r.GetPC(2), 10.583005, 2e-5);
    EXPECT_NEAR(r.GetPC(8), 2.8284271, 2e-6);
    EXPECT_FLOAT_EQ(r.GetPC(15), 2.0f);
    // A cap below the curve: every row up to it holds the cap.
    r.SetPcowMax("5");
    r.CalcRock();
    EXPECT_FLOAT_EQ(r.GetPC(2), 5.0f);
    EXPECT_NEAR(r.GetPC(8), 2.8284271, 2e-6);
}

// Skjæveland et al. (2000), SPE 60152: Pc = cw/Sw*^aw + co/So*^ao. cw 1, aw 0.5, co −1, ao 0.5,
// SWC 0.2, SORW 0.2; row 8 (Sw 0.6): Sw* 0.5, So* = (1 − 0.6 − 0.2)/0.8 = 0.25, Pc = √2 − 2 =
// −0.5857864. At and above 1 − SORW So* is 0: the oil branch is −∞, capped at −PcowMax.
TEST(RockPc, SkjaevelandByHand) {
    EXPECT_NEAR(q7::SkjaevelandPc(0.5, 0.25, 1, 0.5, -1, 0.5), -0.5857864, 1e-7);
    EXPECT_NEAR(q7::SkjaevelandPc(0.5, 0.0, 1, 0.5, 0, 0.5), 1.4142136, 1e-7); // no oil branch
    clsRock r;
    r.PcowModel(3);
    r.SetSORW("0.2");
    r.CalcRock();
    EXPECT_FLOAT_EQ(r.GetPC(1), 100.0f);
    EXPECT_NEAR(r.GetPC(8), -0.5857864, 2e-6);
    EXPECT_FLOAT_EQ(r.GetPC(14), -100.0f); // Sw 0.9714 > 1 − SORW
    EXPECT_FLOAT_EQ(r.GetPC(15), -100.0f);
}

// The gas–oil table on the liquid saturation normalised between SWC + SORG (0.6) and 1: row 8 (SL
// 0.65) S* = 0.125, Brooks–Corey Pe 1, λ 2 gives √8 = 2.8284271; row 14 (SL 0.7) S* 0.25 gives 2;
// row 15 (SL 1) gives Pe; rows 1 and 2 (SL 0.2 and 0.6) hold the cap.
TEST(RockPc, GasOilBrooksCorey) {
    clsRock r = Rock(1, 1, 0);
    r.PcogModel(2);
    r.PcowModel(2); // the oil–water model does not reach a gas–oil table
    r.CalcRock();
    ASSERT_TRUE(r.HasPc());
    EXPECT_FLOAT_EQ(r.GetPC(1), 100.0f);
    EXPECT_FLOAT_EQ(r.GetPC(2), 100.0f);
    EXPECT_NEAR(r.GetPC(8), 2.8284271, 5e-6); // SL 0.65 as a single
    EXPECT_FLOAT_EQ(r.GetPC(14), 2.0f);
    EXPECT_FLOAT_EQ(r.GetPC(15), 1.0f);
}

TEST(RockPc, NoModelNoColumn) {
    for (std::int16_t fluids : {0, 1}) {
        clsRock r = Rock(fluids, 1, 0);
        fluids == 0 ? r.PcogModel(2) : r.PcowModel(2); // the other table's model only
        r.CalcRock();
        EXPECT_FALSE(r.HasPc());
        for (std::int16_t i = 1; i <= r.NWet(); ++i)
            EXPECT_EQ(r.GetPC(i), 0.0f);
    }
}

// A column that rises with the wetting-phase saturation is refused, naming the model and the keys
// to change: a negative λ, a contact angle past 90° (cos θ < 0), Leverett without permeability.
TEST(RockPc, RisingOrMeaninglessColumnRefused) {
    struct Bad {
        std::int16_t model;
        const char* key;
        const char* value;
        const char* named;
    };
    for (const Bad& b : {Bad{2, "PcowLambda", "-2", "PcowLambda"}, Bad{1, "PcowAngle", "120", "PcowAngle"},
                         Bad{1, "HRAir", "0", "HRAir"}, Bad{2, "PcowMax", "0", "PcowMax"}}) {
        clsRock r;
        r.PcowModel(b.model);
        const std::string key = b.key;
        if (key == "PcowLambda") r.SetPcowLambda(b.value);
        if (key == "PcowAngle") r.SetPcowAngle(b.value);
        if (key == "HRAir") r.SetHRAir(b.value);
        if (key == "PcowMax") r.SetPcowMax(b.value);
        try {
            r.CalcRock();
            ADD_FAILURE() << key << " " << b.value << " computed";
        } catch (const q7::RockInputError& e) {
            EXPECT_NE(std::string(e.what()).find(b.named), std::string::npos) << e.what();
        }
        EXPECT_FALSE(r.GO());
    }
}

// Seeded drawn inputs inside the ranges the rules allow: every model gives a finite column that
// never rises with the wetting-phase saturation, capped at the cap; every LET kr within [0, kr°].
TEST(RockPc, DrawnInputsInsideTheRules) {
    std::uint32_t seed = 20261209u;
    auto draw = [&seed](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * (seed >> 8) / double(1u << 24);
    };
    auto text = [](double v) { return std::to_string(v); };
    int tables = 0;
    for (int k = 0; k < 300; ++k) {
        clsRock r = Rock(static_cast<std::int16_t>(k % 2), static_cast<std::int16_t>((k / 2) % 2), 2);
        r.SetSWC(text(draw(0.05, 0.35)));
        r.SetSORW(text(draw(0.05, 0.35)));
        r.SetSORG(text(draw(0.05, 0.3)));
        r.SetSGCrit(text(draw(0.0, 0.1)));
        r.SatRows(static_cast<std::int16_t>(draw(15, 50.99)));
        r.PcowModel(static_cast<std::int16_t>(1 + k % 3));
        r.PcogModel(static_cast<std::int16_t>(1 + k % 2));
        for (auto set : {&clsRock::SetPcowJA, &clsRock::SetPcogJA, &clsRock::SetPcowEntry,
                         &clsRock::SetPcogEntry, &clsRock::SetPcowCw})
            (r.*set)(text(draw(0.05, 5)));
        for (auto set : {&clsRock::SetPcowJB, &clsRock::SetPcogJB, &clsRock::SetPcowLambda,
                         &clsRock::SetPcogLambda, &clsRock::SetPcowAw, &clsRock::SetPcowAo})
            (r.*set)(text(draw(0.1, 4)));
        r.SetPcowCo(text(-draw(0, 5)));
        r.SetPcowAngle(text(draw(0, 89)));
        r.SetPcowMax(text(draw(5, 500)));
        for (auto set : {&clsRock::SetLetWaterL, &clsRock::SetLetOilL, &clsRock::SetLetGasL,
                         &clsRock::SetLetWaterE, &clsRock::SetLetOilE, &clsRock::SetLetGasE,
                         &clsRock::SetLetWaterT, &clsRock::SetLetOilT, &clsRock::SetLetGasT})
            (r.*set)(text(draw(0.5, 6)));
        r.SetKroMax(text(draw(0.3, 1)));
        r.CalcRock();
        ASSERT_TRUE(r.GO());
        ++tables;
        const double cap = r.Fluids() == 0 ? r.PcowMax() : r.PcogMax();
        for (std::int16_t i = 1; i <= r.NWet(); ++i) {
            EXPECT_TRUE(std::isfinite(r.GetPC(i)));
            EXPECT_LE(std::fabs(r.GetPC(i)), cap * (1 + 1e-6)) << k << " row " << i;
            EXPECT_LE(r.GetKROil(i), r.KroMax()) << k;
            if (i > 1 && r.GetSWet(i) > r.GetSWet(static_cast<std::int16_t>(i - 1))) {
                EXPECT_LE(r.GetPC(i), r.GetPC(static_cast<std::int16_t>(i - 1))) << k << " row " << i;
            }
        }
    }
    EXPECT_EQ(tables, 300);
}

// The range rules name what is wrong; inside the range nothing is said.
TEST(RockRules, RangesOfTheInputs) {
    using q7::RockInputProblem;
    EXPECT_EQ(RockInputProblem("PcowCo", 0.5), "must be 0 or below");
    EXPECT_EQ(RockInputProblem("PcowCo", -2), "");
    EXPECT_EQ(RockInputProblem("PcowCw", -0.1), "must be 0 or above");
    EXPECT_EQ(RockInputProblem("LetOilE", 0), "must be above 0");
    EXPECT_EQ(RockInputProblem("LetGasT", 2.5), "");
    EXPECT_EQ(RockInputProblem("KroMax", 1.2), "must be above 0 and at most 1");
    EXPECT_EQ(RockInputProblem("KroMax", 1), "");
    EXPECT_NE(RockInputProblem("PcogAngle", 90), "");
    EXPECT_EQ(RockInputProblem("PcogAngle", 89.9), "");
    EXPECT_NE(RockInputProblem("PcowLambda", -1), "");
    EXPECT_EQ(RockInputProblem("SWC", -5), ""); // not a rule of this list
}

} // namespace
