// The input rule: what no correlation can take is refused, box by box and case by case, with the
// same verdict in the form's check and in q7-batch (the case is not computed, exit 1, the input
// named first); what a PVT engineer would not sign is computed with a warning naming the input.
// The reproductions of the hostile-tester round are here, and a seeded fuzz of drawn cases with
// laboratory keys through the real q7-batch: no absurd oil, gas or water value without a word.
#include "engine/InputChecks.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "numeric/NumericText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool StartsWith(const std::string& text, const std::string& head) {
    return text.rfind(head, 0) == 0;
}

class InputRule : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                (std::string("q7rule-") + info->name() + "-" + std::to_string(getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Case(const std::string& name, const std::string& json) {
        const fs::path p = m_dir / (name + ".json");
        std::ofstream(p) << json;
        return p.string();
    }
    // Runs q7-batch in the scratch folder with `args`; stdout and stderr are kept.
    int Run(const std::string& args, const std::string& input = "") {
        if (!input.empty()) std::ofstream(m_dir / "stdin.txt") << input;
        const std::string cmd = "cd '" + m_dir.string() + "' && " + Q7_BATCH_EXE + " " + args +
                                (input.empty() ? "" : " <stdin.txt") + " >stdout.txt 2>stderr.txt";
        const int rc = std::system(cmd.c_str());
        out = Slurp(m_dir / "stdout.txt");
        err = Slurp(m_dir / "stderr.txt");
        return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    }
    // The result lines of `run --jsonl -` over `lines`.
    std::vector<nlohmann::json> Stream(const std::vector<std::string>& lines) {
        std::string input;
        for (const std::string& l : lines)
            input += l + "\n";
        Run("run --jsonl - --jobs 2", input);
        std::vector<nlohmann::json> results;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            results.push_back(nlohmann::json::parse(line));
        return results;
    }

    fs::path m_dir;
    std::string out, err;
};

// --- the box check ---------------------------------------------------------------------------

TEST(InputRuleBox, RefusesWhatNoCorrelationTakesAndNamesTheInputFirst) {
    struct Row {
        const char* key;
        const char* text;
        const char* unit;
        const char* starts; // the refusal's beginning; nullptr: accepted
    };
    const Row rows[] = {
        {"StdPressure", "-1000", "F", "standard pressure (StdPressure) -1000 psia is at or below 0"},
        {"StdPressure", "14.7", "F", nullptr},
        {"SepP", "0", "F", nullptr}, // the edge: the oil buttons stop on it themselves
        {"SepP", "-1", "F", "separator pressure (SepP) -1 psia is negative"},
        {"MinPr", "-100", "F", "minimum pressure (MinPr) -100 psia"},
        {"InitPr", "0", "F", nullptr}, // no initial pressure
        {"p3", "-500", "F", "pressure 3 (p3) -500 psia is negative"},
        {"p3", "", "F", nullptr}, // an empty place
        {"BPP", "0", "F", "bubble point (BPP)"},
        // 0 °F and the °C just below it; -17.7 °C is 0.14 °F.
        {"RESTEMP", "0", "F", nullptr}, // the edge: the water table stops on it itself
        {"RESTEMP", "-17.78", "C", "reservoir temperature (RESTEMP) -17.78 °C is below 0 °F"},
        {"RESTEMP", "-17.7", "C", nullptr},
        {"RESTEMP", "93.5", "C", nullptr},
        {"StdTemp", "-500", "F", "standard temperature (StdTemp) -500 °F is at or below absolute zero"},
        {"SWC", "1.5", "F", "connate water saturation (SWC) 1.5 is outside [0, 1]"},
        {"SGCrit", "-0.1", "F", "critical gas saturation (SGCrit) -0.1 is outside [0, 1]"},
        {"mfCO2", "-1", "F", "CO2 mole fraction (mfCO2) -1 is outside [0, 1]"},
        {"gc10", "-1000", "F", "mole fraction of composition row 10 (gc10) -1000 is outside [0, 1]"},
        {"PPMSalinity", "-5", "F", "salinity (PPMSalinity) -5 ppm is negative"},
        {"PERSalinity", "101", "F", "salinity (PERSalinity) 101 wt % is above 100 wt %"},
        {"API", "-131.5", "F", "oil gravity (API) -131.5 °API is at or below -131.5 °API"},
        {"LabBob", "0.9", "F", "laboratory oil volume factor (LabBob) 0.9 rb/STB is below 1 rb/STB"},
        {"LabPb", "  ", "F", nullptr}, // not measured
        {"HRKrg", "-0.5", "F", "gas kr at residual oil (HRKrg) -0.5 is negative"},
        {"HRKrg", "2", "F", nullptr}, // taken, with a warning where it is used
        // Numbers a single cannot hold, however they are written: too small alike at any exponent.
        {"SepGasGrav", "1e-400", "F", "separator gas gravity (SepGasGrav) \"1e-400\" is too small"},
        {"SepGasGrav", "1e-50", "F", "separator gas gravity (SepGasGrav) is too small"},
        {"SepGasGrav", "1e39", "F", "separator gas gravity (SepGasGrav) is beyond the range"},
        {"SepGasGrav", "0e-400", "F", "separator gas gravity (SepGasGrav) 0 is at or below 0"},
        {"SepGasGrav", "nan", "F", "separator gas gravity (SepGasGrav) \"nan\" is not a number"},
        {"SepGasGrav", "0x1p3", "F", "separator gas gravity (SepGasGrav) \"0x1p3\" is not a number"},
        {"CoreyK", "3", "F", nullptr},
        {"Company", "anything", "F", nullptr}, // no bound
    };
    for (const Row& r : rows) {
        const auto refusal = q7::InputRefusal(r.key, r.text, r.unit);
        if (!r.starts) {
            EXPECT_FALSE(refusal) << r.key << " " << r.text << ": " << refusal.value_or("");
        } else {
            ASSERT_TRUE(refusal) << r.key << " " << r.text;
            EXPECT_TRUE(StartsWith(*refusal, r.starts)) << *refusal;
        }
    }
}

// Every bounded input is a project field or case key, and its plausible range lies within the
// possible one: a value is refused or warned, never both.
TEST(InputRuleBox, BoundsAreDataOverTheProjectFields) {
    ASSERT_GT(q7::InputBounds().size(), 60u);
    for (const q7::InputBound& b : q7::InputBounds()) {
        EXPECT_NE(q7::FindField(b.key), nullptr) << b.key;
        EXPECT_LE(b.lo, b.plausibleLo) << b.key;
        EXPECT_GE(b.hi, b.plausibleHi) << b.key;
        EXPECT_LT(b.plausibleLo, b.plausibleHi) << b.key;
        EXPECT_EQ(q7::FindInputBound(q7::FindField(b.key)->column), &b);
    }
}

// --- the case check: the relations between boxes --------------------------------------------

TEST(InputRuleCase, RelationsBetweenBoxes) {
    q7::NullMessageSink none;
    auto refusals = [&](const std::function<void(q7::Q7Objects&)>& set) {
        q7::Q7Objects o(none);
        set(o);
        std::vector<std::string> keys;
        for (const q7::InputProblem& p : q7::InputRefusals(o))
            keys.push_back(p.key + ": " + p.text);
        return keys;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(refusals([](q7::Q7Objects&) {}), V{}); // the defaults are a sound case
    const V minMax = refusals([](q7::Q7Objects& o) {
        o.Prs.SetMinP("7000");
        o.Prs.SetMaxP("6000");
    });
    ASSERT_EQ(minMax.size(), 1u);
    EXPECT_TRUE(StartsWith(minMax[0], "MinPr: minimum pressure (MinPr) 7000 psia is not below")) << minMax[0];
    // Typed pressures: the range is not read.
    EXPECT_EQ(refusals([](q7::Q7Objects& o) {
                  o.Prs.SetMinP("7000");
                  o.Prs.SetMaxP("6000");
                  o.Prs.PrRange("I");
              }),
              V{});
    // Water-oil drainage needs SWC below 1; imbibition SWC + SORW below 1; gas-oil the three.
    // SWC 1 exactly is the edge the rock table stops on itself (a division by zero).
    EXPECT_EQ(refusals([](q7::Q7Objects& o) { o.Rock.SetSWC("1"); }), V{});
    EXPECT_EQ(refusals([](q7::Q7Objects& o) { o.Rock.SetSWC("0.7"); }), V{});
    EXPECT_EQ(refusals([](q7::Q7Objects& o) {
                  o.Rock.SetSWC("0.7");
                  o.Rock.Displace(1);
              }).size(),
              1u);
    EXPECT_EQ(refusals([](q7::Q7Objects& o) {
                  o.Rock.SetSWC("0.35");
                  o.Rock.Fluids(1);
              }).size(),
              1u); // 0.35 + 0.4 + 0.3
    // Laboratory bubble point at the standard pressure; inerts summing above 1.
    EXPECT_EQ(refusals([](q7::Q7Objects& o) {
                  o.Fluid.PhaseOil(true);
                  o.Oil.SetLabPb("14.7");
              }).size(),
              1u);
    EXPECT_EQ(refusals([](q7::Q7Objects& o) {
                  o.Fluid.PhaseGas(true);
                  o.Gas.SetmfN("0.6");
                  o.Gas.SetmfCO2("0.6");
              }).size(),
              1u);
    // A temperature in °C is judged in °F.
    const V cold = refusals([](q7::Q7Objects& o) {
        o.Fluid.ResTU("C");
        o.Fluid.SetResT("-20");
    });
    ASSERT_EQ(cold.size(), 1u);
    EXPECT_TRUE(StartsWith(cold[0], "RESTEMP: reservoir temperature (RESTEMP) -20 °C")) << cold[0];
}

// The composition sum as the total box shows it: 1.0000 passes, 1.0001 is refused, 0.7 is warned.
TEST(InputRuleCase, OneCompositionSumRule) {
    EXPECT_EQ(q7::CompositionSumFault(0.0f), q7::CompositionSum::Empty);
    EXPECT_EQ(q7::CompositionSumFault(1.00004f), q7::CompositionSum::Fine);
    EXPECT_EQ(q7::CompositionSumFault(0.9f + 0.1001f), q7::CompositionSum::AboveOne);
    EXPECT_EQ(q7::CompositionSumFault(0.7f), q7::CompositionSum::BelowOne);
    EXPECT_EQ(q7::CompositionSumFault(0.9995f), q7::CompositionSum::Fine);
}

// Drawn compositions typed to five decimals around a sum of 1: the composition is refused exactly
// when the total box (four decimals) shows more than 1.0000 (a total shown as 1.0000 is never
// "greater than 1.0"), in the objects the form computes with and in q7-batch alike.
TEST_F(InputRule, CompositionSumIsJudgedAsTheTotalBoxShowsIt) {
    std::mt19937_64 rng(4242);
    std::vector<std::string> lines;
    std::vector<bool> shownAbove;
    for (int i = 0; i < 300; ++i) {
        const int n = 2 + static_cast<int>(rng() % 14);
        std::vector<int> parts(n, 0);
        // 100000 +- 8 hundred-thousandths spread over n rows.
        int total = 100000 + static_cast<int>(rng() % 17) - 8;
        for (int k = 0; k < n - 1; ++k) {
            parts[k] = static_cast<int>(rng() % static_cast<unsigned>(total / (n - k) + 1));
            total -= parts[k];
        }
        parts[n - 1] = total;
        q7::NullMessageSink none;
        q7::Q7Objects o(none);
        o.Gas.GasEntry("C");
        nlohmann::json c = {{"PhaseOil", 0}, {"PhaseGas", 1}, {"GasEntry", "C"}};
        for (int k = 0; k < n; ++k) {
            char text[16];
            std::snprintf(text, sizeof text, "0.%05d", parts[k]);
            if (parts[k] >= 100000) std::snprintf(text, sizeof text, "1.00000");
            o.Gas.SetGC(text, static_cast<std::int16_t>(k + 1));
            c["gc" + std::to_string(k + 1)] = std::stod(text);
        }
        std::string shown = q7::Nbr2Str(o.Gas.SumGC(), 12, 4);
        shown.erase(0, shown.find_first_not_of(' '));
        const bool above = std::stod(shown) > 1.0;
        const auto problem = q7::GasCompositionProblem(o);
        EXPECT_EQ(problem.has_value(), above) << shown << " " << c.dump();
        lines.push_back(c.dump());
        shownAbove.push_back(above);
    }
    const auto results = Stream(lines);
    ASSERT_EQ(results.size(), lines.size());
    for (size_t i = 0; i < results.size(); ++i) {
        bool refused = false;
        for (const auto& m : results[i].value("messages", nlohmann::json::array()))
            refused = refused || m["text"] == "Gas Composition total greater than 1.0!";
        EXPECT_EQ(refused, shownAbove[i]) << lines[i];
    }
}

// --- q7-batch ------------------------------------------------------------------------------

// A refused case: exit 1, one line on stderr naming the input first, no folder written; the
// sound case beside it is computed.
TEST_F(InputRule, BatchRefusesTheCaseNamingTheInput) {
    struct Row {
        const char* json;
        const char* names;
    };
    const Row rows[] = {
        {R"({"PhaseOil": 1, "MinPr": 7000, "MaxPr": 6000})",
         "minimum pressure (MinPr) 7000 psia is not below"},
        {R"({"SWC": 1.5})", "connate water saturation (SWC) 1.5 is outside [0, 1]"},
        {R"({"PhaseOil": 1, "RESTEMP": 1000, "MinPr": -100})", "minimum pressure (MinPr) -100 psia"},
        {R"({"PhaseOil": 1, "RESTEMP": -20, "ResTempUnits": "C"})", "reservoir temperature (RESTEMP) -20 °C"},
        {R"({"PhaseGas": 1, "mfCO2": -1})", "CO2 mole fraction (mfCO2) -1 is outside [0, 1]"},
        {R"({"PhaseWater": 1, "PPMSalinity": -5})", "salinity (PPMSalinity) -5 ppm is negative"},
        {R"({"PhaseOil": 1, "StdPressure": -1000})", "standard pressure (StdPressure) -1000 psia"},
        {R"({"PhaseOil": 1, "SepGasGrav": 1e-400})",
         "separator gas gravity (SepGasGrav) 1e-400 is too small"},
        {R"({"PhaseOil": 1, "SepGasGrav": 1e-50})", "separator gas gravity (SepGasGrav) is too small"},
        {R"({"PhaseGas": 1, "GasEntry": "C", "gc1": 0.5, "gc9": 0.5, "PlusEntry": 9, "gc10": -1000})",
         "mole fraction of composition row 10 (gc10) -1000"},
        {R"({"PhaseGas": 1, "GasEntry": "C", "gc1": 0.5, "gc9": 0.4, "PlusEntry": 9, "gc11": 0.1})",
         "mole fraction of composition row 11 (gc11) 0.1 lies below the plus fraction's row 9"},
    };
    const std::string sound = Case("sound", "{}");
    for (const Row& r : rows) {
        const std::string path = Case("refused", r.json);
        fs::remove_all(m_dir / "out");
        EXPECT_EQ(Run("run " + path + " " + sound + " --out out"), 1) << r.json;
        EXPECT_NE(err.find("refused.json: key \""), std::string::npos) << err;
        EXPECT_NE(err.find(r.names), std::string::npos) << r.json << "\n" << err;
        EXPECT_NE(err.find("; the case is not computed"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(fs::exists(m_dir / "out" / "refused")) << r.json;
        EXPECT_TRUE(fs::exists(m_dir / "out" / "sound" / "summary.json"));
        // --check says the same and prints no symptom of a table.
        EXPECT_EQ(Run("run --check " + path), 1);
        EXPECT_EQ(out, "") << out;
        EXPECT_NE(err.find(r.names), std::string::npos) << err;
    }
    // A stream gives each refused line its error and goes on; 1e-400 is seen in the text.
    const auto results = Stream({R"({"SWC": 2})", "{}", R"({"PhaseOil": 1, "SepP": 1e-400})"});
    ASSERT_EQ(results.size(), 3u) << out << err;
    EXPECT_EQ(results[0]["error"]["stage"], "Case Input Error");
    EXPECT_TRUE(results[1]["error"].is_null());
    EXPECT_NE(results[2]["error"]["text"].get<std::string>().find("separator pressure (SepP) 1e-400"),
              std::string::npos);
}

// Inputs the case's options do not read are not judged beyond being singles: a gas-only case with
// oil and water inputs no oil or water could have is computed; 1e-50 is refused wherever it is.
TEST_F(InputRule, InputsTheOptionsDoNotReadAreOnlySingles) {
    const std::string unread = Case("unread", R"({"PhaseOil": 0, "PhaseGas": 1, "SepP": 0, "LabBob": 0.5,
        "PPMSalinity": -5, "PrRange": "I", "p1": 3000, "p2": 2000, "MinPr": -1, "GasEntry": "C", "gc1": 0.9,
        "gc2": 0.1, "GasGrav": 0, "PLUSmw": 0})");
    EXPECT_EQ(Run("run --check " + unread), 0) << out << err;
    EXPECT_EQ(err.find("not computed"), std::string::npos) << err;
    const std::string tiny = Case("tiny", R"({"PhaseOil": 0, "SepP": 1e-50})");
    EXPECT_EQ(Run("run --check " + tiny), 1);
    EXPECT_NE(err.find("key \"SepP\": separator pressure (SepP) is too small"), std::string::npos) << err;
}

// The reproductions of absurd-but-possible input: computed, exit status as before, and the first
// warning of the summary names the input.
TEST_F(InputRule, AbsurdInputIsComputedWithAWarningNamingItFirst) {
    struct Row {
        const char* json;
        const char* first;
    };
    const Row rows[] = {
        {R"({"PhaseOil": 1, "LabPb": 100, "LabRsb": 5000})",
         "laboratory bubble point (LabPb) 100 psia and GOR (LabRsb) 5000 scf/STB lie a factor"},
        {R"({"PhaseOil": 1, "LabBob": 1e6})", "laboratory oil volume factor (LabBob) 1000000 rb/STB"},
        {R"({"PhaseOil": 1, "LabMuob": 1e-6})", "laboratory oil viscosity (LabMuob) 1E-06 cp"},
        {R"({"PhaseOil": 1, "StdPressure": 1000000})", "standard pressure (StdPressure) 1000000 psia"},
        {R"({"PhaseOil": 1, "SepGasGrav": 14.69})", "separator gas gravity (SepGasGrav) 14.69"},
        {R"({"PhaseOil": 1, "PhaseGas": 1, "RESTEMP": 1000})", "reservoir temperature (RESTEMP) 1000 °F"},
        {R"({"RockType": 1, "DrainType": 1, "CorrType": 1, "HRKrg": 2})", "gas kr at residual oil (HRKrg) 2"},
    };
    for (const Row& r : rows) {
        const std::string path = Case("absurd", r.json);
        Run("run " + path + " --out out --formats summary");
        const std::string text = Slurp(m_dir / "out" / "absurd" / "summary.json");
        ASSERT_FALSE(text.empty()) << r.json << err;
        const nlohmann::json s = nlohmann::json::parse(text);
        ASSERT_TRUE(s.contains("warnings")) << r.json;
        EXPECT_EQ(s["warnings"][0]["table"], "Input") << r.json;
        EXPECT_TRUE(StartsWith(s["warnings"][0]["text"], r.first)) << r.json << "\n" << s["warnings"][0];
        // --check prints the same line first.
        EXPECT_EQ(Run("run --check " + path), 1);
        EXPECT_TRUE(StartsWith(out, "absurd: Input: " + std::string(r.first))) << out;
    }
}

// The examples and the golden cases are inputs a PVT engineer signs: nothing refused.
TEST_F(InputRule, ExamplesAndGoldenCasesAreNotRefused) {
    std::string files;
    for (const auto& dir : {fs::path(Q7_SOURCE_DIR) / "examples", fs::path(Q7_GOLDEN_DIR) / "cases"})
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".json") files += " '" + e.path().string() + "'";
    Run("run --check" + files);
    EXPECT_EQ(err.find("not computed"), std::string::npos) << err;
}

// At the very edge (0 psia separator, 0 °F, SWC 1) the calculation's own raised error stands, with the
// other tables written; just past it the case is refused and nothing is written.
TEST_F(InputRule, EdgesStopTheirStageAndBeyondIsRefused) {
    Case("sep0", R"({"PhaseOil": 1, "SepP": 0})");
    Case("swc1", R"({"SWC": 1})");
    EXPECT_EQ(Run("run sep0.json swc1.json --out edge"), 1);
    EXPECT_EQ(err.find("not computed"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(m_dir / "edge/swc1/Eclipse.pvto"));
    EXPECT_NE(Slurp(m_dir / "edge/swc1/summary.json").find("\"Rock Properties Error\""), std::string::npos);

    Case("sepneg", R"({"PhaseOil": 1, "SepP": -1})");
    Case("swc101", R"({"SWC": 1.01})");
    Case("cold", R"({"PhaseOil": 0, "PhaseGas": 0, "PhaseWater": 1, "RESTEMP": -0.5})");
    for (const char* name : {"sepneg", "swc101", "cold"}) {
        EXPECT_EQ(Run(std::string("run ") + name + ".json --out past"), 1) << name;
        EXPECT_NE(err.find("the case is not computed"), std::string::npos) << name << err;
        EXPECT_FALSE(fs::exists(m_dir / "past" / name / "summary.json")) << name;
    }
}

// --- the fuzz --------------------------------------------------------------------------------

// Values no oil, gas or water has at reservoir conditions, whatever the correlation (wider than the
// warnings' own bounds: McCain, Properties of Petroleum Fluids, 2nd ed., chapters 11, 15, 16):
// oil 10 to 80 lb/ft³, Bo 0.5 to 8, μo 0.005 to 1e7 cp; Z 0.1 to 3; Bw 0.8 to 1.4.
std::string AbsurdValue(const nlohmann::json& s) {
    auto range = [](const nlohmann::json& part, const char* column, double lo, double hi) -> std::string {
        if (!part.is_object() || !part.value("GO", false)) return {};
        const auto& t = part["tables"][column];
        for (const auto& v : t) {
            if (!v.is_number()) return std::string(column) + " not a number";
            const double x = v.get<double>();
            if (!(x >= lo && x <= hi)) return std::string(column) + " " + std::to_string(x);
        }
        return {};
    };
    const int rows = s["prs"]["NPRSo"].get<int>();
    (void)rows;
    for (auto [part, column, lo, hi] :
         std::vector<std::tuple<const char*, const char*, double, double>>{{"oil", "RHOO", 10, 80},
                                                                           {"oil", "RHOOS", 10, 80},
                                                                           {"oil", "BO", 0.5, 8},
                                                                           {"oil", "BOS", 0.5, 8},
                                                                           {"oil", "MUO", 0.005, 1e7},
                                                                           {"oil", "MUOS", 0.005, 1e7},
                                                                           {"gas", "Z", 0.1, 3},
                                                                           {"water", "BW", 0.8, 1.4}}) {
        nlohmann::json p = s[part];
        if (p.is_object() && p.contains("tables")) {
            // Only the schedule's rows are the table.
            for (auto& [k, col] : p["tables"].items())
                if (col.is_array() && col.size() > static_cast<size_t>(s["prs"]["NPRSo"].get<int>()))
                    col.erase(col.begin() + s["prs"]["NPRSo"].get<int>(), col.end());
        }
        // A saturated column is the oil itself at or below the bubble point only.
        if (p.is_object() && p.contains("tables") &&
            (std::string(column) == "RHOOS" || std::string(column) == "BOS" || std::string(column) == "MUOS"))
            for (size_t k = 0; k < p["tables"][column].size(); ++k)
                if (s["prs"]["PRSo"][k].get<double>() > p["Pbp"].get<double>()) p["tables"][column][k] = lo;
        if (std::string why = range(p, column, lo, hi); !why.empty()) return why;
    }
    return {};
}

// Drawn cases over every input a form can hold, the laboratory keys included, from the sound to the
// absurd (log-uniform over several decades, negative now and then): every result is refused,
// reported (a message, an error) or computed, and a computed absurd value always comes with a
// warning. Q7_FUZZ_CASES sets the count (6000 for the full run).
TEST_F(InputRule, FuzzedCasesGiveNoSilentAbsurdValue) {
    const char* env = std::getenv("Q7_FUZZ_CASES");
    const int count = env ? std::atoi(env) : 600;
    std::mt19937_64 rng(20261209);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto chance = [&](double p) { return uniform(0, 1) < p; };
    // Mostly sound, sometimes a decade or three out, now and then negative.
    auto draw = [&](double lo, double hi) {
        double v = uniform(lo, hi);
        if (chance(0.1)) v *= std::pow(10.0, uniform(-3, 3));
        if (chance(0.01)) v = -v;
        return static_cast<double>(static_cast<float>(v));
    };
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        nlohmann::json c;
        c["_name"] = "c" + std::to_string(i);
        c["PhaseOil"] = chance(0.8) ? 1 : 0;
        c["PhaseGas"] = chance(0.5) ? 1 : 0;
        c["PhaseWater"] = chance(0.5) ? 1 : 0;
        c["StdPressure"] = draw(14.4, 15.1);
        c["StdTemp"] = draw(59, 68);
        c["RESTEMP"] = draw(80, 350);
        c["MinPr"] = draw(100, 2000);
        c["MaxPr"] = draw(2500, 9000);
        if (chance(0.5))
            c["API"] = draw(12, 55);
        else
            c["SpecGrav"] = draw(0.76, 0.98);
        c["SepGasGrav"] = draw(0.6, 1.3);
        c["SepP"] = draw(30, 500);
        c["SepT"] = draw(40, 150);
        if (chance(0.7))
            c["InitGO"] = draw(50, 2500);
        else
            c["BPP"] = draw(200, 6000);
        if (chance(0.5)) c["LabPb"] = draw(300, 6000);
        if (chance(0.5)) c["LabRsb"] = draw(50, 2500);
        if (chance(0.4)) c["LabBob"] = draw(1.05, 2.5);
        if (chance(0.4)) c["LabMuob"] = draw(0.2, 20);
        if (chance(0.3)) {
            c["GasEntry"] = "C";
            c["gc1"] = draw(0.6, 0.95);
            c["gc2"] = static_cast<double>(static_cast<float>(1.0 - c["gc1"].get<double>()));
        } else {
            c["GasGrav"] = draw(0.58, 1.2);
            c["mfCO2"] = draw(0, 0.1);
        }
        c["PPMSalinity"] = static_cast<long>(draw(0, 200000));
        c["SWC"] = draw(0.1, 0.35);
        c["SORW"] = draw(0.1, 0.35);
        lines.push_back(c.dump());
    }
    const auto results = Stream(lines);
    ASSERT_EQ(results.size(), lines.size()) << err;
    int refused = 0, reported = 0, warned = 0, silentAbsurd = 0;
    for (size_t i = 0; i < results.size(); ++i) {
        const nlohmann::json& r = results[i];
        if (!r["error"].is_null() && r["error"].value("stage", "") == "Case Input Error") {
            ++refused;
            continue;
        }
        const bool spoke = !r["error"].is_null() || !r.value("messages", nlohmann::json::array()).empty();
        const bool warnedHere = r.contains("warnings") && !r["warnings"].empty();
        reported += spoke;
        warned += warnedHere;
        if (spoke || warnedHere) continue;
        if (const std::string why = AbsurdValue(r); !why.empty()) {
            ++silentAbsurd;
            ADD_FAILURE() << "silent absurd value " << why << " of " << lines[i];
        }
    }
    EXPECT_EQ(silentAbsurd, 0);
    // The draw reaches every outcome.
    EXPECT_GT(refused, count / 50);
    EXPECT_GT(warned, count / 50);
    std::cout << count << " drawn cases: " << refused << " refused, " << reported << " reported, " << warned
              << " warned, " << silentAbsurd << " silent absurd\n";
}

} // namespace
