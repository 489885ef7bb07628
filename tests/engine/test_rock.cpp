// Relative permeability: the 15-row saturation grid, Corey (1954) curves and the Honarpour,
// Koederitz and Harvey (1982) imbibition correlations, against worked values (the golden
// comparison is in test_golden.cpp).
#include "engine/Errors.h"
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

TEST(RockCorey, NonIntegerExponentOnGasOilImbibition) {
    clsRock r = Rock(1, 1, 0);
    r.SetCoreyK("2.5");
    r.CalcRock();
    EXPECT_TRUE(r.GO());
    EXPECT_EQ(r.GetKRGas(15), 0.0f);
    // Row 1: Sg 0.8, S = (0.8 − 0.3) / 0.8 = 0.625; krg = 0.625^2.5 · 1.375.
    EXPECT_NEAR(r.GetKRGas(1), std::pow(0.625, 2.5) * 1.375, 1e-6);
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
// and the limestone formula through its last term when ka/φ is large; krg must still be 0.
struct ImmobileGasCase {
    const char* name;
    std::int16_t lith;
    const char *sorg, *sgc, *air;
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
    const double swc = r.SWC();
    const double sgc = r.SGCrit();
    const double sorg = r.SORG();
    const double krgStar = r.HRKrg();
    const double phi = r.HRPoro();
    const double ka = r.HRAir();
    int immobileRows = 0;
    int formulaPositive = 0;
    for (std::int16_t i = 2; i <= 15; ++i) {
        const double sg = r.GetSNWet(i);
        // The gas formula of the correlation, evaluated here for the same row.
        double krg;
        if (c.lith == 0) {
            krg = 1.1072 * std::pow((sg - sgc) / (1 - swc), 2) * krgStar +
                  2.7794 * sorg * (sg - sgc) * krgStar / (1 - swc);
        } else {
            const double B = (1 - swc - sorg - sgc) / (1 - swc);
            krg = 8.0053 * sorg * sorg * (sg - sgc) / (1 - swc) +
                  1.8655 * (sg - sgc) * sg * krgStar / (1 - swc) -
                  0.2589 * (sg - sgc) * B * B * (1 - B) * (1 - B) * std::sqrt(ka / phi);
        }
        if (sg - sgc <= 0) {
            ++immobileRows;
            if (krg > 0) ++formulaPositive;
            EXPECT_EQ(r.GetKRGas(i), 0.0f) << "row " << i << " Sg " << sg;
        } else {
            EXPECT_NEAR(r.GetKRGas(i), std::clamp(krg, 0.0, 1.0), 2e-6) << "row " << i;
        }
    }
    EXPECT_GE(immobileRows, 2);
    EXPECT_GE(formulaPositive, 1) << "the case must exercise a positive formula value";
}

INSTANTIATE_TEST_SUITE_P(
    HonarpourGasOil, RockImmobileGas,
    testing::Values(ImmobileGasCase{"sandstone, SORG 0.01", 0, "0.01", "0.3", "50"},
                    ImmobileGasCase{"sandstone, SORG 0.05, SGCrit 0.2", 0, "0.05", "0.2", "50"},
                    ImmobileGasCase{"limestone, SORG 0.1, ka 500 md", 1, "0.1", "0.3", "500"}));

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

} // namespace
