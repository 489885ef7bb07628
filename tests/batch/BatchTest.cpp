// The batch tool end to end: case files in, summaries and files out, exit statuses.
#include "batch/CaseFile.h"
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;
using q7::CaseError;
using q7::CaseFile;

namespace {

using q7test::Slurp;

class BatchTool : public q7test::BatchScratch {
protected:
    // Runs q7-batch with the arguments; returns its exit status, and what it printed in *output.
    int Run(const std::string& args, std::string* output = nullptr) {
        const int rc = BatchScratch::Run(args);
        if (output) *output = out + err;
        return rc;
    }
    static nlohmann::json Summary(const fs::path& dir) {
        return nlohmann::json::parse(q7test::Slurp(dir / "summary.json"));
    }
};

std::string Examples() {
    std::string all;
    for (const auto& e : fs::directory_iterator(fs::path(Q7_SOURCE_DIR) / "examples"))
        if (e.path().extension() == ".json") all += " " + e.path().string();
    return all;
}

} // namespace

TEST(CaseFileReading, KeysMatchWithoutRegardToCaseAndCommentsAndNullsAreSkipped) {
    const auto c = CaseFile::FromJson(
        nlohmann::json::parse(
            R"({"stdpressure": 14.65, "_note": "x", "api": null, "GASENTRY": "C", "phaseoil": true})"),
        "t.json");
    EXPECT_TRUE(c.Has("StdPressure"));
    EXPECT_DOUBLE_EQ(c.Number("StdPressure"), 14.65);
    EXPECT_FALSE(c.Has("API"));
    EXPECT_EQ(c.Text("GasEntry"), "C");
    EXPECT_EQ(c.Number("PhaseOil"), 1.0);
    // Exported in the database's spelling and order.
    EXPECT_EQ(c.ToJson().dump(), R"({"PhaseOil":true,"StdPressure":14.65,"GasEntry":"C"})");
}

struct BadCase {
    const char* json;
    const char* mentions;
};

class CaseFileErrors : public ::testing::TestWithParam<BadCase> {};

TEST_P(CaseFileErrors, NameTheFileAndTheKey) {
    try {
        CaseFile::FromJson(nlohmann::json::parse(GetParam().json), "bad.json");
        FAIL() << "accepted " << GetParam().json;
    } catch (const CaseError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.json"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().mentions), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CaseFileErrors,
                         ::testing::Values(BadCase{R"({"Viscosity": 1})", "Viscosity"},
                                           BadCase{R"({"API": "35"})", "API"},
                                           BadCase{R"({"PrRange": 1})", "PrRange"},
                                           BadCase{R"({"PhaseGas": 2})", "PhaseGas"},
                                           BadCase{R"({"RockType": 0.5})", "RockType"},
                                           BadCase{R"({"api": 30, "API": 31})", "given twice"},
                                           BadCase{R"([1, 2])", "one JSON object"}));

TEST_F(BatchTool, DefaultCaseGivesTheStartUpOilTable) {
    ASSERT_EQ(Run("run " + Write("defaults.json", "{}").string() + " --out " + (m_dir / "out").string()), 0);
    const auto s = Summary(m_dir / "out" / "defaults");
    // Standing (1947) bubble point and Rollins-McCain-Creeger vent GOR for the default oil.
    EXPECT_NEAR(s["oil"]["RSITank"].get<double>(), 32.62, 0.005);
    EXPECT_NEAR(s["oil"]["Pbp"].get<double>(), 2213.7, 0.05);
    EXPECT_EQ(s["prs"]["NPRSo"], 17);
    EXPECT_EQ(s["prs"]["PRSo"].size(), 17u);
    EXPECT_TRUE(s["oil"]["GO"].get<bool>());
    EXPECT_EQ(s["gasStatus"], 0);
    EXPECT_TRUE(s["error"].is_null());
    for (const char* f : {"q7.csv", "Eclipse.pvto", "Eclipse.pvdo", "Eclipse.pvdg", "Eclipse.dens",
                          "Sample.txt", "Sample.htm"})
        EXPECT_TRUE(fs::exists(m_dir / "out" / "defaults" / f)) << f;
}

TEST_F(BatchTool, FloatsReadBackToTheIdenticalSingle) {
    // The reference summary of the empty case holds every value as the exact single it stored.
    const fs::path golden = fs::path(Q7_GOLDEN_DIR) / "expected" / "d0-defaults" / "summary.json";
    if (!fs::exists(golden)) GTEST_SKIP() << "no golden cases beside the repository";
    ASSERT_EQ(Run("run " + Write("d.json", "{}").string() + " --out " + (m_dir / "out").string() +
                  " --formats summary"),
              0);
    const auto s = Summary(m_dir / "out" / "d");
    const auto want = nlohmann::json::parse(Slurp(golden));
    for (const char* table : {"BO", "RSO", "MUO", "RHOO", "CO"}) {
        const auto& got = s["oil"]["tables"][table];
        const auto& exp = want["oil"]["tables"][table];
        ASSERT_EQ(got.size(), exp.size()) << table;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(static_cast<float>(got[i].get<double>()), static_cast<float>(exp[i].get<double>()))
                << table << "[" << i + 1 << "]";
    }
    EXPECT_FALSE(fs::exists(m_dir / "out" / "d" / "q7.csv")); // --formats summary writes only the summary
}

TEST_F(BatchTool, BadCaseIsReportedAndTheOthersStillRun) {
    const auto bad = Write("bad.json", R"({"API": 35, "Colour": "red"})");
    const auto broken = Write("broken.json", "{ not json");
    const auto good = Write("good.json", R"({"API": 30})");
    std::string out;
    EXPECT_EQ(Run("run " + bad.string() + " " + broken.string() + " " + good.string() + " " +
                      (m_dir / "missing.json").string() + " --out " + (m_dir / "out").string(),
                  &out),
              1);
    EXPECT_NE(out.find("Colour"), std::string::npos) << out;
    EXPECT_NE(out.find("broken.json"), std::string::npos) << out;
    EXPECT_NE(out.find("missing.json"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(m_dir / "out" / "bad"));
    EXPECT_TRUE(fs::exists(m_dir / "out" / "good" / "summary.json"));
}

TEST_F(BatchTool, ReportedProblemGivesExitOneWithTheMessageInTheSummary) {
    // A composition of nothing: the gas step stops with the composition message.
    ASSERT_EQ(
        Run("run " + Write("c.json", R"({"GasEntry": "C"})").string() + " --out " + (m_dir / "out").string()),
        1);
    const auto s = Summary(m_dir / "out" / "c");
    ASSERT_EQ(s["messages"].size(), 1u);
    EXPECT_EQ(s["messages"][0]["title"], "Invalid Gas Composition");
    EXPECT_TRUE(s["gasStatus"].is_null());
    EXPECT_TRUE(s["oil"]["GO"].get<bool>());
    EXPECT_FALSE(s["gas"]["GO"].get<bool>());
}

TEST_F(BatchTool, RaisedErrorIsRecordedAndTheRockTableStillComputes) {
    // An API gravity of 1e30: the dead-oil viscosity overflows before any table.
    ASSERT_EQ(
        Run("run " + Write("e.json", R"({"API": 1e30})").string() + " --out " + (m_dir / "out").string()), 1);
    const auto s = Summary(m_dir / "out" / "e");
    ASSERT_TRUE(s["error"].is_object());
    EXPECT_EQ(s["error"]["kind"], "ArithmeticError");
    EXPECT_FALSE(s["oil"]["GO"].get<bool>());
    EXPECT_TRUE(s["rock"]["GO"].get<bool>());
}

TEST_F(BatchTool, ParallelJobsWriteWhatOneJobWrites) {
    const std::string examples = Examples();
    ASSERT_EQ(
        Run("run" + examples + " --out " + (m_dir / "serial").string() + " --formats summary,csv,eclipse"),
        0);
    ASSERT_EQ(Run("run" + examples + " --jobs 2 --out " + (m_dir / "parallel").string() +
                  " --formats summary,csv,eclipse"),
              0);
    int compared = 0;
    for (const auto& e : fs::recursive_directory_iterator(m_dir / "serial")) {
        if (!e.is_regular_file()) continue;
        const fs::path other = m_dir / "parallel" / fs::relative(e.path(), m_dir / "serial");
        EXPECT_EQ(Slurp(e.path()), Slurp(other)) << other;
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

TEST_F(BatchTool, UsageErrorsExitTwo) {
    EXPECT_EQ(Run("run"), 2);
    EXPECT_EQ(Run("run x.json"), 2);
    EXPECT_EQ(Run("run x.json --out d --formats pdf"), 2);
    EXPECT_EQ(Run("run x.json --out d --jobs 0"), 2);
    EXPECT_EQ(Run("frobnicate"), 2);
    std::string help;
    EXPECT_EQ(Run("--help", &help), 0);
    EXPECT_NE(help.find("q7-batch run CASE.json"), std::string::npos);
}

// A case with laboratory data: the summary's oil.match, the bubble-point row holding the four
// values, the report naming the correlations and the match, the CSV and Eclipse files opening with
// the match; the same case without them has none of it, and --correlations alone adds the section.
TEST_F(BatchTool, LaboratoryMatchReachesEveryOutput) {
    const fs::path lab = Write("lab.json", R"({"LabPb": 2650, "LabRsb": 610, "LabBob": 1.385, "LabMuob": 0.62,
                                               "InitGO": 500})");
    ASSERT_EQ(Run("run " + lab.string() + " --out " + (m_dir / "out").string()), 0);
    const fs::path dir = m_dir / "out" / "lab";
    const auto s = Summary(dir);
    ASSERT_TRUE(s["oil"].contains("match"));
    EXPECT_GT(s["oil"]["match"]["PressureScale"].get<double>(), 0.0);
    EXPECT_GT(s["oil"]["match"]["BoFactor"].get<double>(), 0.0);
    EXPECT_GT(s["oil"]["match"]["ViscosityFactor"].get<double>(), 0.0);
    EXPECT_EQ(s["oil"]["Pbp"].get<double>(), 2650.0);
    EXPECT_EQ(s["oil"]["RSI"].get<double>(), 610.0);
    const auto& t = s["oil"]["tables"];
    bool found = false;
    for (size_t k = 0; k < t["RSO"].size(); ++k) {
        if (t["RSO"][k].get<float>() == 610.0f && t["BO"][k].get<float>() == 1.385f &&
            t["MUO"][k].get<float>() == 0.62f) {
            found = true;
            EXPECT_EQ(s["prs"]["PRSo"][k].get<double>(), 2650.0) << s["prs"].dump();
        }
    }
    EXPECT_TRUE(found) << t.dump();

    const std::string report = Slurp(dir / "Sample.txt");
    EXPECT_NE(report.find("Matched to laboratory data at the bubble point:"), std::string::npos);
    EXPECT_NE(report.find("CORRELATIONS"), std::string::npos);
    EXPECT_NE(report.find("Beggs-Robinson (1975)"), std::string::npos);
    EXPECT_NE(report.find("Dranchuk-Purvis-Robinson (1974)"), std::string::npos);
    EXPECT_NE(report.find("Corey (1954)"), std::string::npos);
    EXPECT_NE(Slurp(dir / "Sample.htm").find("Correlations"), std::string::npos);
    EXPECT_EQ(Slurp(dir / "q7.csv").rfind("# Oil tables matched to laboratory data: Pb 2650 psia", 0), 0u);
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().stem() == "Eclipse") {
            EXPECT_EQ(Slurp(e.path()).rfind("-- Oil tables matched to laboratory data:", 0), 0u) << e.path();
        }
    }

    const fs::path plain = Write("plain.json", R"({"InitGO": 500, "LabPb": "", "LabBob": null})");
    ASSERT_EQ(Run("run " + plain.string() + " --out " + (m_dir / "out").string()), 0);
    EXPECT_FALSE(Summary(m_dir / "out" / "plain")["oil"].contains("match"));
    EXPECT_EQ(Slurp(m_dir / "out" / "plain" / "Sample.txt").find("CORRELATIONS"), std::string::npos);
    EXPECT_EQ(Slurp(m_dir / "out" / "plain" / "q7.csv").find('#'), std::string::npos);
    ASSERT_EQ(Run("run " + plain.string() + " --correlations --out " + (m_dir / "named").string()), 0);
    EXPECT_NE(Slurp(m_dir / "named" / "plain" / "Sample.txt").find("CORRELATIONS"), std::string::npos);
}

// Impossible laboratory data: the oil message in the summary, no oil table, exit status 1.
// Laboratory data no oil has: the case is refused before it is computed (the oil object's own
// message stays for objects given such data anyway).
TEST_F(BatchTool, ImpossibleLaboratoryDataGivesExitOne) {
    ASSERT_EQ(
        Run("run " + Write("bad.json", R"({"LabBob": 0.9})").string() + " --out " + (m_dir / "out").string()),
        1);
    EXPECT_FALSE(fs::exists(m_dir / "out" / "bad"));
}
