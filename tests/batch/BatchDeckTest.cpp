// q7-batch's unit choice and its deck of several regions, end to end through the program.
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using q7test::Example;
using q7test::Slurp;

// Gas-oil Corey drainage with the default end points: SGOF's kro stays above 0.
const char* kGasOilCoreyDrainage =
    R"({"PhaseOil": 1, "PhaseGas": 1, "RockType": 1, "DrainType": 0, "CorrType": 0})";
const char* kGasOilImbibition = R"({"PhaseOil": 1, "PhaseGas": 1, "RockType": 1, "DrainType": 1})";
// Two typed pressures 0.02 psi apart: both 3000.0 psia with one decimal, but 206.843 and 206.841
// barsa with three.
const char* kCloseTypedPressures = R"({"PhaseOil": 1, "PhaseGas": 1, "PhaseWater": 1, "PrRange": "I",
    "p1": 3000, "p2": 2999.98, "p3": 2000, "BPP": 2500})";

using BatchDeck = q7test::BatchScratch;

TEST_F(BatchDeck, UnitsAndDeckUsageErrors) {
    EXPECT_EQ(Run("run " + Example("default") + " --out o --units kelvin"), 2);
    EXPECT_NE(err.find("--units takes field or metric"), std::string::npos) << err;
    EXPECT_EQ(Run("run " + Example("default") + " --out o --units"), 2);
    EXPECT_EQ(Run("deck " + Example("default")), 2);
    EXPECT_NE(err.find("--out DIR is required"), std::string::npos) << err;
    EXPECT_EQ(Run("deck --out d"), 2);
    EXPECT_EQ(Run("deck " + Example("default") + " --out d --units si"), 2);
    EXPECT_EQ(Run("deck " + Example("default") + " --out d --jobs 2"), 2);
    EXPECT_FALSE(fs::exists(m_dir / "o"));
    EXPECT_FALSE(fs::exists(m_dir / "d"));
}

// FIELD is the default and writes the same bytes as before; METRIC files say so in their heading.
TEST_F(BatchDeck, FieldIsTheDefaultAndMetricIsMarked) {
    const std::string cases = Example("default") + " " + Example("gas-oil-honarpour");
    ASSERT_EQ(Run("run " + cases + " --out plain --formats eclipse"), 0) << err;
    ASSERT_EQ(Run("run " + cases + " --out field --formats eclipse --units FIELD"), 0) << err;
    ASSERT_EQ(Run("run " + cases + " --out metric --formats eclipse --units metric"), 0) << err;
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(m_dir / "plain")) {
        if (!e.is_regular_file()) continue;
        const fs::path rel = fs::relative(e.path(), m_dir / "plain");
        EXPECT_EQ(Slurp(e.path()), Slurp(m_dir / "field" / rel)) << rel;
        const std::string metric = Slurp(m_dir / "metric" / rel);
        EXPECT_EQ(metric.rfind("-- METRIC units: pressure barsa", 0), 0u) << rel;
        EXPECT_EQ(Slurp(e.path()).find("METRIC"), std::string::npos) << rel;
        ++files;
    }
    EXPECT_EQ(files, 11);
}

// The checks look at the tables as written in the chosen units: pressures and volume factors that
// only the written decimals make alike are written with the decimals they need, in FIELD and in
// METRIC, each file saying so, and nothing is left to refuse.
TEST_F(BatchDeck, ChecksRunOnTheTablesAsWrittenInTheirUnits) {
    const std::string close = Case("close", kCloseTypedPressures);
    EXPECT_EQ(Run("run " + close + " --check --out field"), 0) << out;
    EXPECT_EQ(out, "");
    EXPECT_NE(
        Slurp(m_dir / "field" / "close" / "Eclipse.pvdg").find("-- pressure written with 2 decimals, not 1"),
        std::string::npos);
    EXPECT_EQ(Run("run " + close + " --check --units metric --out metric"), 0) << out;
    EXPECT_EQ(out, "");
    // METRIC pressures are apart at their 3 decimals; Bo, the same number in both systems, is not.
    const std::string pvdo = Slurp(m_dir / "metric" / "close" / "Eclipse.pvdo");
    EXPECT_EQ(pvdo.find("-- pressure written with"), std::string::npos) << pvdo;
    EXPECT_NE(pvdo.find("-- Bo written with 6 decimals, not 4"), std::string::npos) << pvdo;
}

TEST_F(BatchDeck, DeckNamesLeftOutKeywordsAndChecksEveryRegion) {
    const std::string imbibition = Case("go-imb", kGasOilImbibition);
    const std::string drainage = Case("go-drain", kGasOilCoreyDrainage);
    ASSERT_EQ(Run("deck " + Example("default") + " " + imbibition + " --out d --base two"), 0) << err;
    // default is oil with an oil-water rock table; go-imb a gas/oil one.
    EXPECT_NE(err.find("note: SWOF left out: not offered by go-imb"), std::string::npos) << err;
    EXPECT_NE(err.find("note: SGOF left out: not offered by default"), std::string::npos) << err;
    EXPECT_NE(out.find("d/two.pvto\n"), std::string::npos) << out;
    EXPECT_NE(out.find("TABDIMS 1 2 1 "), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(m_dir / "d" / "two.swof"));
    EXPECT_TRUE(fs::exists(m_dir / "d" / "two.pvdg"));

    ASSERT_EQ(Run("deck " + imbibition + " " + drainage + " --out c --check"), 1) << err;
    EXPECT_NE(out.find("region 2 (go-drain): SGOF: kro never reaches 0"), std::string::npos) << out;
    // Region 1 is refused nowhere (its live oil may only be said to "may stop the simulator").
    EXPECT_EQ(out.find("region 1 (go-imb): SGOF"), std::string::npos) << out;
    EXPECT_NE(out.find("TABDIMS 2 2 15 "), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(m_dir / "c" / "Eclipse.sgof"));
}

} // namespace
