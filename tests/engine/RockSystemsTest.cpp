// One rock, several systems: both tables from one set of end points (RockType 2) and the gas–water
// table (RockType 3), against the single-system tables and worked values.
#include "numeric/Errors.h"
#include "rock/clsRock.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using q7::clsRock;

clsRock Rock(std::int16_t fluids, std::int16_t displace, std::int16_t corr) {
    clsRock r;
    r.Fluids(fluids);
    r.Displace(displace);
    r.CORR(corr);
    return r;
}

void ExpectSameTable(const clsRock& a, const clsRock& b) {
    ASSERT_EQ(a.NWet(), b.NWet());
    for (std::int16_t i = 1; i <= a.NWet(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(a.GetSWet(i), b.GetSWet(i));
        EXPECT_EQ(a.GetKRWat(i), b.GetKRWat(i));
        EXPECT_EQ(a.GetKROil(i), b.GetKROil(i));
        EXPECT_EQ(a.GetKRGas(i), b.GetKRGas(i));
        EXPECT_EQ(a.GetPC(i), b.GetPC(i));
    }
}

// Both tables of a RockType 2 rock are exactly what RockType 0 and RockType 1 give from the same
// inputs, over drawn end points, correlations, displacements, row counts and Pc models.
TEST(RockBothTables, EachTableIsItsSingleSystemTable) {
    std::mt19937 gen(27);
    std::uniform_real_distribution<double> sat(0.05, 0.25);
    for (int draw = 0; draw < 60; ++draw) {
        const std::int16_t displace = static_cast<std::int16_t>(draw % 2);
        const std::int16_t corr = static_cast<std::int16_t>(draw % 3 == 1 && displace == 1 ? 1
                                                            : draw % 3 == 2                ? 2
                                                                                           : 0);
        clsRock both = Rock(2, displace, corr);
        for (auto set : {&clsRock::SetSWC, &clsRock::SetSORW, &clsRock::SetSORG, &clsRock::SetSGCrit})
            (both.*set)(std::to_string(sat(gen)));
        both.SatRows(static_cast<std::int16_t>(15 + draw % 4 * 5));
        both.PcowModel(static_cast<std::int16_t>(draw % 3));
        both.PcogModel(static_cast<std::int16_t>(draw % 2 * 2));
        SCOPED_TRACE("draw " + std::to_string(draw));
        ASSERT_NO_THROW(both.CalcRock());
        ASSERT_TRUE(both.GO());
        clsRock oilWater = both;
        oilWater.Fluids(0);
        oilWater.CalcRock();
        clsRock gasOil = both;
        gasOil.Fluids(1);
        gasOil.CalcRock();
        ASSERT_TRUE(both.OilWaterTable() && both.GasOilTable());
        EXPECT_EQ(both.GasWaterTable(), nullptr);
        EXPECT_EQ(both.Tables().size(), 2u);
        EXPECT_EQ(both.OilWaterTable()->Fluids(), 0);
        EXPECT_EQ(both.GasOilTable()->Fluids(), 1);
        ExpectSameTable(*both.OilWaterTable(), oilWater);
        ExpectSameTable(*both.GasOilTable(), gasOil);
        EXPECT_EQ(both.HasPc(), oilWater.HasPc() || gasOil.HasPc());
    }
}

// A failure of either table leaves the pair without tables and GO false.
TEST(RockBothTables, AFailureOfEitherTableLeavesNone) {
    clsRock both = Rock(2, 1, 0);
    both.CalcRock();
    ASSERT_TRUE(both.GO());
    both.SetSWC("1"); // 1 − SWC = 0: the curves divide by zero
    EXPECT_THROW(both.CalcRock(), q7::Error);
    EXPECT_FALSE(both.GO());
    EXPECT_TRUE(both.Tables().empty());
}

// Gas–water is the oil–water imbibition table with gas in the place of oil and SGCrit in the place
// of SORW (water wets the rock in both): with the defaults and SGCrit 0.4, the worked oil–water
// imbibition grid SWet = 0.2, 0.21538, 0.23077, 0.26838, ..., 0.4188 (row 8), ..., 0.6, 1.0, with
// the gas kr the oil kr of that table and the water kr its water kr; and in either displacement.
TEST(RockGasWater, OilWaterImbibitionWithGasForOil) {
    for (std::int16_t displace : {0, 1}) {
        for (std::int16_t corr : {0, 2}) {
            clsRock gw = Rock(3, displace, corr);
            gw.SetSGCrit("0.4");
            gw.PcowModel(2);
            gw.CalcRock();
            clsRock ow = Rock(0, 1, corr);
            ow.SetSORW("0.4");
            ow.PcowModel(2);
            ow.CalcRock();
            ASSERT_EQ(gw.NWet(), 15);
            EXPECT_NEAR(gw.GetSWet(2), 0.21538, 5e-6);
            EXPECT_NEAR(gw.GetSWet(4), 0.26838, 5e-6);
            EXPECT_NEAR(gw.GetSWet(8), 0.4188, 5e-5);
            EXPECT_NEAR(gw.GetSWet(14), 0.6, 1e-6);
            EXPECT_EQ(gw.GetSWet(15), 1.0f);
            for (std::int16_t i = 1; i <= 15; ++i) {
                EXPECT_EQ(gw.GetSWet(i), ow.GetSWet(i));
                EXPECT_EQ(gw.GetKRGas(i), ow.GetKROil(i)) << i;
                EXPECT_EQ(gw.GetKRWat(i), ow.GetKRWat(i)) << i;
                EXPECT_EQ(gw.GetKROil(i), 0.0f);
                EXPECT_EQ(gw.GetPC(i), ow.GetPC(i)); // Pcgw from the oil–water keys
            }
            EXPECT_EQ(gw.GetKRGas(1), corr == 0 ? 1.0f : gw.KrgMax());
            EXPECT_EQ(gw.GetKRGas(14), 0.0f); // no gas flows at the critical gas saturation
            EXPECT_EQ(gw.GetKRWat(1), 0.0f);
            ASSERT_EQ(gw.Tables().size(), 1u);
            EXPECT_EQ(gw.GasWaterTable(), &gw);
            EXPECT_EQ(gw.OilWaterTable(), nullptr);
            EXPECT_EQ(gw.GasOilTable(), nullptr);
        }
    }
}

TEST(RockGasWater, HonarpourHasNoGasWaterCorrelation) {
    clsRock gw = Rock(3, 1, 1);
    EXPECT_THROW(gw.CalcRock(), q7::RockInputError);
    EXPECT_FALSE(gw.GO());
}

} // namespace
