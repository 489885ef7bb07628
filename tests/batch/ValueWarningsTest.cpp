// Impossible values: each case computes as before and keeps its tables, the summary lists what no
// fluid can have under "warnings" (table, row, value, text), and --check prints the same and
// exits 1. A case without any keeps its summary as it was: no "warnings" key at all.
#include "batch/CaseFile.h"
#include "batch/RunCase.h"
#include "engine/Q7Objects.h"
#include "engine/ValueChecks.h"
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using q7test::Slurp;

class ValueWarnings : public q7test::BatchScratch {
protected:
    // Runs the case; returns its summary as written and keeps the warnings --check gives.
    nlohmann::json Summary(const std::string& name, const std::string& json) {
        const q7::CaseFile c = q7::CaseFile::FromJson(nlohmann::json::parse(json), name);
        result = q7::RunCase(c, name, m_dir, q7::OutputFormats{true, false, false, false}, true);
        text = Slurp(m_dir / name / "summary.json");
        return nlohmann::json::parse(text);
    }
    // The summary's warnings of `table`.
    static std::vector<nlohmann::json> Of(const nlohmann::json& s, const std::string& table) {
        std::vector<nlohmann::json> out;
        for (const auto& w : s.value("warnings", nlohmann::json::array()))
            if (w["table"] == table) out.push_back(w);
        return out;
    }
    q7::CaseResult result;
    std::string text;
};

// Water at 1000 °F: McCain's solubility gives Rsw below 0 and Osif's compressibility turns
// negative past about 750 °F (its denominator 403300 - 537 T + 7.033 p for fresh water) in every
// row; both correlations are named, and the table itself is kept as computed.
TEST_F(ValueWarnings, HotWaterNamesBothCorrelationsAndKeepsTheTable) {
    const nlohmann::json s = Summary("hot", R"({"PhaseOil": 0, "PhaseWater": 1, "RESTEMP": 1000})");
    const int rows = s["prs"]["NPRSo"];
    ASSERT_GT(rows, 1);
    int rsw = 0, cw = 0;
    std::string notes;
    for (const auto& w : Of(s, "Water")) {
        const std::string t = w["text"];
        const int row = w["row"];
        if (row == 0) {
            EXPECT_EQ(w["value"], 1000);
            notes += t + "\n";
            continue;
        }
        const double v = w["value"];
        if (t.rfind("Rsw ", 0) == 0) {
            ++rsw;
            EXPECT_LT(v, 0.0);
            EXPECT_FLOAT_EQ(v, s["water"]["tables"]["RSW"][row - 1].get<double>()) << t;
        } else if (t.rfind("water compressibility ", 0) == 0) {
            ++cw;
            EXPECT_FLOAT_EQ(v, s["water"]["tables"]["CW"][row - 1].get<double>()) << t;
        } else {
            ADD_FAILURE() << "unexpected: " << t;
        }
    }
    EXPECT_EQ(rsw, rows);
    EXPECT_EQ(cw, rows);
    EXPECT_NE(notes.find("1000 °F the McCain (1990) gas solubility in water formula has turned over"),
              std::string::npos)
        << notes;
    EXPECT_NE(notes.find("Osif (1988) water compressibility"), std::string::npos) << notes;
    EXPECT_TRUE(s["water"]["GO"].get<bool>());
    EXPECT_TRUE(s["error"].is_null());
    EXPECT_EQ(result.warnings.size(), s["warnings"].size());
}

// The gas input, gravity and composition alike; the message-free case still computes its table.
TEST_F(ValueWarnings, GasInputThatCannotBeAGas) {
    // Inert fractions above 1 in sum are no gas: the input rule refuses the case.
    try {
        Summary("inert", R"({"PhaseOil": 0, "PhaseGas": 1, "MFnitrogen": 1, "mfCO2": 1, "mfH2S": 1})");
        ADD_FAILURE() << "computed";
    } catch (const q7::CaseError& e) {
        EXPECT_NE(std::string(e.what()).find("(MFnitrogen, mfCO2, mfH2S) sum to 3, more than 1"),
                  std::string::npos)
            << e.what();
    }

    const nlohmann::json half =
        Summary("half", R"({"PhaseOil": 0, "PhaseGas": 1, "GasEntry": "C", "gc1": 0.3, "gc2": 0.2})");
    ASSERT_EQ(Of(half, "Gas composition").size(), 1u) << text;
    EXPECT_FLOAT_EQ(Of(half, "Gas composition")[0]["value"].get<double>(), 0.5);

    // Four decimals that sum to 1, and inert fractions that leave room for hydrocarbons: nothing.
    const nlohmann::json whole = Summary("whole", R"({"PhaseOil": 0, "PhaseGas": 1, "GasEntry": "C",
        "gc1": 0.7012, "gc2": 0.0841, "gc3": 0.0503, "gc4": 0.1644})");
    EXPECT_TRUE(Of(whole, "Gas composition").empty()) << text;
    const nlohmann::json sour =
        Summary("sour", R"({"PhaseOil": 0, "PhaseGas": 1, "MFnitrogen": 0.3, "mfCO2": 0.4, "mfH2S": 0.3})");
    EXPECT_TRUE(Of(sour, "Gas composition").empty()) << text;
}

// A typed pressure below 0, or an empty place inside the list, would leave a 0 psia row in the
// schedule: the input rule refuses the case; the objects, given it anyway, name the row.
TEST_F(ValueWarnings, ScheduleRowAtZero) {
    for (const char* p2 : {"-500", "0"}) {
        try {
            Summary("negp", std::string(R"({"PhaseOil": 1, "PrRange": "I", "p1": 3000, "p2": )") + p2 +
                                R"(, "p3": 1500})");
            ADD_FAILURE() << "computed";
        } catch (const q7::CaseError& e) {
            EXPECT_NE(std::string(e.what()).find("pressure 2 (p2) "), std::string::npos) << e.what();
        }
    }
    q7::NullMessageSink sink;
    q7::Q7Objects o(sink);
    o.Fluid.PhaseOil(true);
    o.Prs.PrRange("I");
    o.Prs.SetPRSi("3000", 1);
    o.Prs.SetPRSi("1500", 3);
    o.Prs.BuildPRSo();
    const auto rows = q7::ImpossibleValuesOf(o, "Pressure schedule");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(o.Prs.GetPRSo(rows[0].row), 0.0f);
}

// The default case and the examples: no impossible value. The default live oil's saturated curve
// has intervals of negative total compressibility, which the summary's warnings name (table PVTO)
// and nothing else; a dry gas's summary has no "warnings" key.
TEST_F(ValueWarnings, SoundCasesHaveNoWarningsKey) {
    Summary("default", "{}");
    EXPECT_TRUE(result.warnings.empty());
    const nlohmann::json summary = nlohmann::json::parse(text);
    if (summary.contains("warnings"))
        for (const auto& w : summary["warnings"]) {
            EXPECT_EQ(w["table"], "PVTO") << w.dump();
            EXPECT_NE(w["text"].get<std::string>().find("may stop the simulator"), std::string::npos);
        }
    Summary("gas", R"({"PhaseOil": 0, "PhaseGas": 1})");
    EXPECT_EQ(text.find("warnings"), std::string::npos);
    for (const char* name : {"default", "discrete-pressures", "gas-composition-plus", "water-only"}) {
        const q7::CaseFile c =
            q7::CaseFile::FromFile(fs::path(Q7_SOURCE_DIR) / "examples" / (std::string(name) + ".json"));
        const q7::CaseResult r = q7::RunCase(c, name, {}, q7::OutputFormats{}, true);
        EXPECT_TRUE(r.warnings.empty()) << name << ": " << r.warnings.front().text;
    }
}

// --check prints each warning as CASE: TABLE, row N: text and exits 1; without --check the same
// run writes the same tables and exits 0.
TEST_F(ValueWarnings, CheckPrintsThemAndExitsOne) {
    Write(
        "inert.json",
        R"({"PhaseOil": 0, "PhaseGas": 1, "GasEntry": "C", "gc1": 0.7012, "gc2": 0.0841, "gc3": 0.0503, "gc4": 0.1})");
    Write("hot.json", R"({"PhaseOil": 0, "PhaseWater": 1, "RESTEMP": 1000})");
    ASSERT_EQ(Run("run --check inert.json hot.json"), 1);
    EXPECT_EQ(out.rfind("inert: Gas composition: the mole fractions sum to 0.9356, not 1\n", 0), 0u) << out;
    EXPECT_NE(out.find("\nhot: Water, row 1: Rsw -"), std::string::npos) << out;

    ASSERT_EQ(Run("run inert.json --out a"), 0);
    ASSERT_EQ(Run("run inert.json --check --out b"), 1);
    EXPECT_EQ(Slurp(m_dir / "a/inert/q7.csv"), Slurp(m_dir / "b/inert/q7.csv"));
    EXPECT_NE(Slurp(m_dir / "a/inert/summary.json").find("\"warnings\""), std::string::npos);
}

// Honarpour where it has no curves: one line saying why the table is all zero; none for the
// imbibition curves or Corey.
TEST(HonarpourNote, SaysWhyTheTableIsAllZero) {
    q7::NullMessageSink sink;
    q7::Q7Objects o(sink);
    q7::clsRock& rock = o.Rock;
    rock.CORR(1);
    rock.Displace(0);
    rock.CalcRock();
    const auto drainage = q7::HonarpourNotApplied(rock);
    ASSERT_TRUE(drainage);
    EXPECT_EQ(*drainage, "Honarpour has no drainage curves: every kr is 0 (choose imbibition, or Corey)");
    rock.Fluids(1);
    rock.CalcRock();
    EXPECT_TRUE(q7::HonarpourNotApplied(rock));

    rock.Displace(1);
    rock.CalcRock();
    EXPECT_FALSE(q7::HonarpourNotApplied(rock));
    rock.Fluids(0);
    rock.CalcRock();
    EXPECT_FALSE(q7::HonarpourNotApplied(rock));
    rock.CORR(0);
    rock.Displace(0);
    rock.CalcRock();
    EXPECT_FALSE(q7::HonarpourNotApplied(rock));
}

} // namespace
