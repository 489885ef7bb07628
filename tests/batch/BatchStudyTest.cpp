// Studies of many variants: case streams, sweeps, the flat table, shards, tidy tables, progress.
#include "batch/Progress.h"
#include "batch/ResultTable.h"
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using q7::ResultTable;

namespace {

using q7test::Lines;
using q7test::Slurp;

class Study : public q7test::BatchScratch {
protected:
    // Runs a shell command line in which "Q7" stands for the batch tool; returns the exit status
    // and leaves standard output in *output.
    int Sh(const std::string& line, std::string* output = nullptr) {
        const int rc = BatchScratch::Sh(line);
        if (output) *output = out;
        return rc;
    }
    std::string Err() const { return err; }
};

fs::path GoldenCases() {
    return fs::path(Q7_SOURCE_DIR) / "tests/data/golden/cases";
}

// The golden cases, sorted by name, each compacted onto one line.
std::vector<std::pair<std::string, std::string>> GoldenLines() {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& e : fs::directory_iterator(GoldenCases()))
        if (e.path().extension() == ".json")
            out.emplace_back(e.path().stem().string(), nlohmann::json::parse(Slurp(e.path())).dump());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

// The stream's result line is the object summary.json holds for the same case, plus "case".
TEST_F(Study, StreamLinesHoldTheSummariesOfTheFolderRun) {
    std::string jsonl, files;
    for (const auto& [name, line] : GoldenLines()) {
        jsonl += line + "\n";
        files += " " + (GoldenCases() / (name + ".json")).string();
    }
    Write("in.jsonl", jsonl);
    std::string out;
    const int streamRc = Sh("Q7 run --jsonl in.jsonl --jobs 2", &out);
    const int dirRc = Sh("Q7 run" + files + " --out dirs --formats summary");
    EXPECT_EQ(streamRc, dirRc); // the failing golden cases make both 1
    const auto results = Lines(out);
    const auto golden = GoldenLines();
    ASSERT_EQ(results.size(), golden.size());
    for (size_t i = 0; i < golden.size(); ++i) {
        SCOPED_TRACE(golden[i].first);
        auto line = nlohmann::ordered_json::parse(results[i]);
        ASSERT_EQ(line.begin().key(), "case");
        EXPECT_EQ(line["case"], i + 1); // no _name: the line number
        line.erase("case");
        if (!fs::exists(m_dir / "dirs" / golden[i].first / "summary.json")) {
            // Refused by the input rule (0 psia, 0 °F, SWC 1): no folder, an error line.
            EXPECT_EQ(line["error"]["stage"], "Case Input Error");
            continue;
        }
        const auto summary =
            nlohmann::ordered_json::parse(Slurp(m_dir / "dirs" / golden[i].first / "summary.json"));
        EXPECT_EQ(line, summary);
        EXPECT_EQ(line.dump(), summary.dump()); // same keys in the same order
    }
}

TEST_F(Study, StreamKeepsGoingPastBadLinesInInputOrderWhateverTheJobs) {
    std::string in;
    for (int i = 0; i < 40; ++i) {
        if (i == 5)
            in += "{\"API\": \n"; // not JSON
        else if (i == 9)
            in += "{\"NoSuchKey\": 1}\n";
        else if (i == 12)
            in += "\n"; // blank: skipped, still counted
        else
            in += "{\"_name\": \"v" + std::to_string(i) + "\", \"API\": " + std::to_string(20 + i) + "}\n";
    }
    Write("in.jsonl", in);
    std::string one, two, piped;
    EXPECT_EQ(Sh("Q7 run --jsonl in.jsonl", &one), 1);
    EXPECT_EQ(Sh("Q7 run --jsonl - --jobs 2 < in.jsonl", &two), 1);
    EXPECT_EQ(one, two);
    ASSERT_EQ(Sh("Q7 run --jsonl in.jsonl --out res.jsonl --jobs 2", &piped), 1);
    EXPECT_EQ(piped, "");
    EXPECT_EQ(Slurp(m_dir / "res.jsonl"), one);

    const auto lines = Lines(one);
    ASSERT_EQ(lines.size(), 39u);
    const auto bad = nlohmann::json::parse(lines[5]);
    EXPECT_EQ(bad["case"], 6);
    EXPECT_EQ(bad["error"]["stage"], "Case Input Error");
    EXPECT_NE(bad["error"]["text"].get<std::string>().find("line 6"), std::string::npos);
    const auto unknown = nlohmann::json::parse(lines[9]);
    EXPECT_EQ(unknown["case"], 10);
    EXPECT_NE(unknown["error"]["text"].get<std::string>().find("NoSuchKey"), std::string::npos);
    const auto after = nlohmann::json::parse(lines[12]); // input line 14
    EXPECT_EQ(after["case"], "v13");
    EXPECT_FLOAT_EQ(after["oil"]["API"].get<float>(), 33.0f);
    EXPECT_TRUE(after["error"].is_null());
}

// The pipeline of a two-key study: 31 x 27 cases, one header line and a row per case.
TEST_F(Study, SweepRunTablePipelineGivesOneRowPerCase) {
    const std::string base = (fs::path(Q7_SOURCE_DIR) / "examples/default.json").string();
    std::string table;
    ASSERT_EQ(
        Sh("Q7 sweep " + base +
               " --vary API=20:50:31 --vary RESTEMP=120:250:27 | Q7 run --jsonl - --jobs 2 | Q7 table - "
               "--columns oil.Pbp,oil.RSITank",
           &table),
        0)
        << Err();
    const auto rows = Lines(table);
    ASSERT_EQ(rows.size(), 838u);
    EXPECT_EQ(rows[0], "case,oil.Pbp,oil.RSITank");
    EXPECT_EQ(rows[1].rfind("API=20 RESTEMP=120,", 0), 0u) << rows[1];
    EXPECT_EQ(rows[2].rfind("API=20 RESTEMP=125,", 0), 0u) << rows[2];
    EXPECT_EQ(rows[837].rfind("API=50 RESTEMP=250,", 0), 0u) << rows[837];

    // The same case alone, as a case file: the table copies its summary's numbers exactly.
    Write("one.json", R"({"API": 35, "RESTEMP": 185})");
    ASSERT_EQ(Sh("Q7 run one.json --out dirs --formats summary"), 0);
    const std::string summary = Slurp(m_dir / "dirs/one/summary.json");
    auto number = [&summary](const std::string& key) {
        const size_t at = summary.find("\"" + key + "\": ");
        return summary.substr(at + key.size() + 4, summary.find_first_of(",\n", at) - at - key.size() - 4);
    };
    const std::string row = *std::find_if(rows.begin(), rows.end(), [](const std::string& r) {
        return r.rfind("API=35 RESTEMP=185,", 0) == 0;
    });
    EXPECT_EQ(row, "API=35 RESTEMP=185," + number("Pbp") + "," + number("RSITank"));
}

TEST_F(Study, FourShardsGiveTheLinesOfOneRun) {
    const std::string base = (fs::path(Q7_SOURCE_DIR) / "examples/default.json").string();
    ASSERT_EQ(Sh("Q7 sweep " + base +
                 " --sample API=18:50 --sample InitGO=100:1500 --samples 103 --seed 7 --out s.jsonl"),
              0);
    std::string whole;
    ASSERT_EQ(Sh("Q7 run --jsonl s.jsonl", &whole), 0) << Err();
    std::string shards;
    for (int k = 0; k < 4; ++k) {
        std::string part;
        ASSERT_EQ(Sh("Q7 run --jsonl s.jsonl --shard " + std::to_string(k) + "/4", &part), 0);
        const auto lines = Lines(part);
        EXPECT_EQ(lines.size(), k < 3 ? 26u : 25u);
        shards += part;
    }
    auto all = Lines(whole), split = Lines(shards);
    EXPECT_NE(all, split); // interleaved differently ...
    std::sort(all.begin(), all.end());
    std::sort(split.begin(), split.end());
    EXPECT_EQ(all, split); // ... but the same lines

    // The table of the shards' result files is the table of the whole run, row for row once sorted.
    for (int k = 0; k < 4; ++k)
        ASSERT_EQ(Sh("Q7 run --jsonl s.jsonl --shard " + std::to_string(k) + "/4 --out r" +
                     std::to_string(k) + ".jsonl"),
                  0);
    std::string fromShards, direct;
    ASSERT_EQ(
        Sh("Q7 table r0.jsonl r1.jsonl r2.jsonl r3.jsonl --columns gas.tables.Z[3],oil.Pbp", &fromShards), 0);
    ASSERT_EQ(Sh("Q7 run --jsonl s.jsonl --jobs 2 --columns gas.tables.Z[3],oil.Pbp", &direct), 0);
    auto a = Lines(fromShards), b = Lines(direct);
    EXPECT_EQ(a.front(), b.front());
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
}

TEST_F(Study, GridRunsEveryCombinationLastKeyFastest) {
    Write("base.json", R"({"_name": "b", "api": 30, "PhaseGas": 1, "_comment": "kept"})");
    std::string out;
    ASSERT_EQ(Sh("Q7 sweep base.json --vary API=0.1:0.5:5 --vary sepgasgrav=0.6:0.8:2", &out), 0) << Err();
    const auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 10u);
    const auto first = nlohmann::ordered_json::parse(lines[0]);
    EXPECT_EQ(
        first.dump(),
        R"({"_name":"b API=0.1 SepGasGrav=0.6","API":0.1,"SepGasGrav":0.6,"PhaseGas":1,"_comment":"kept"})");
    // The step's rounding does not show: 0.1 + 2 * 0.1 is written as 0.3.
    EXPECT_EQ(nlohmann::json::parse(lines[5])["_name"], "b API=0.3 SepGasGrav=0.8");
    EXPECT_EQ(nlohmann::json::parse(lines[9])["_name"], "b API=0.5 SepGasGrav=0.8");
    EXPECT_EQ(Sh("Q7 sweep base.json --vary API=30:30:1", &out), 0);
    EXPECT_EQ(Lines(out).size(), 1u);
}

// Latin-hypercube property, over drawn seeds: each key has exactly one value in each of the N
// equal strata of its range; a seed repeats its sample, another seed gives another.
TEST_F(Study, LatinHypercubeHasOneValuePerStratumAndRepeatsWithItsSeed) {
    Write("base.json", "{}");
    const int n = 40;
    for (int seed : {0, 1, 99, 123456}) {
        SCOPED_TRACE(seed);
        std::string out, again, other;
        const std::string args =
            " --sample API=20:40 --sample RESTEMP=100:300 --samples " + std::to_string(n) + " --seed ";
        ASSERT_EQ(Sh("Q7 sweep base.json" + args + std::to_string(seed), &out), 0) << Err();
        ASSERT_EQ(Sh("Q7 sweep base.json" + args + std::to_string(seed), &again), 0);
        ASSERT_EQ(Sh("Q7 sweep base.json" + args + std::to_string(seed + 1), &other), 0);
        EXPECT_EQ(out, again);
        EXPECT_NE(out, other);
        std::set<int> apiStrata, tempStrata;
        for (const std::string& line : Lines(out)) {
            const auto c = nlohmann::json::parse(line);
            const double api = c["API"], temp = c["RESTEMP"];
            ASSERT_GE(api, 20.0);
            ASSERT_LE(api, 40.0);
            apiStrata.insert(static_cast<int>((api - 20.0) / 20.0 * n));
            tempStrata.insert(static_cast<int>((temp - 100.0) / 200.0 * n));
            std::ostringstream name;
            name << "API=" << c["API"].dump() << " RESTEMP=" << c["RESTEMP"].dump();
            EXPECT_EQ(c["_name"], name.str());
        }
        EXPECT_EQ(apiStrata.size(), static_cast<size_t>(n));
        EXPECT_EQ(tempStrata.size(), static_cast<size_t>(n));
    }
}

TEST_F(Study, UsageErrorsExitTwo) {
    Write("base.json", "{}");
    Write("in.jsonl", "{}\n");
    for (const char* args :
         {"sweep base.json", "sweep base.json --vary NoKey=1:2:3", "sweep base.json --vary API=1:2",
          "sweep base.json --vary API=1:2:0", "sweep base.json --vary GasEntry=1:2:2",
          "sweep base.json --vary API=1:2:2 --sample RESTEMP=1:2 --samples 3",
          "sweep base.json --sample API=1:2", "sweep base.json --vary API=1:2:2 --vary api=3:4:2",
          "run --jsonl in.jsonl --shard 4/4", "run --jsonl in.jsonl --shard 1",
          "run --jsonl in.jsonl --jobs 0", "run --jsonl in.jsonl --columns oil..Pbp",
          "run --jsonl in.jsonl --check", "table in.jsonl", "table --columns oil.Pbp",
          "table in.jsonl --columns Z[0]"}) {
        EXPECT_EQ(Sh(std::string("Q7 ") + args), 2) << args;
        EXPECT_NE(Err().find("q7-batch: "), std::string::npos) << args;
    }
}

TEST_F(Study, TidyTableHoldsTheSummaryTablesAndTheReportCsvStaysAsItIs) {
    const fs::path c = Write("c.json", R"({"PhaseOil": 1, "PhaseGas": 1, "PhaseWater": 1, "MinPr": 500})");
    ASSERT_EQ(Sh("Q7 run c.json --out plain --formats csv"), 0);
    ASSERT_EQ(Sh("Q7 run c.json --out tidy --formats summary,csv,tidy"), 0) << Err();
    EXPECT_EQ(Slurp(m_dir / "plain/c/q7.csv"), Slurp(m_dir / "tidy/c/q7.csv"));
    EXPECT_FALSE(fs::exists(m_dir / "plain/c/tidy.csv"));

    const auto summary = nlohmann::json::parse(Slurp(m_dir / "tidy/c/summary.json"));
    const auto lines = Lines(Slurp(m_dir / "tidy/c/tidy.csv"));
    const size_t rows = summary["prs"]["NPRSo"];
    ASSERT_EQ(lines.size(), rows + 1);
    std::vector<std::string> header;
    std::stringstream hs(lines[0]);
    for (std::string h; std::getline(hs, h, ',');)
        header.push_back(h);
    ASSERT_EQ(header.size(), 1u + 9 + 8 + 5);
    EXPECT_EQ(header[0], "P");
    std::map<std::string, std::string> group{{"RSO", "oil"}, {"Z", "gas"}, {"MUG", "gas"}, {"BW", "water"}};
    for (size_t r = 1; r <= rows; ++r) {
        std::vector<double> cells;
        std::stringstream ls(lines[r]);
        for (std::string v; std::getline(ls, v, ',');)
            cells.push_back(std::stod(v));
        ASSERT_EQ(cells.size(), header.size());
        EXPECT_EQ(static_cast<float>(cells[0]), summary["prs"]["PRSo"][r - 1].get<float>());
        for (size_t k = 1; k < header.size(); ++k)
            if (group.count(header[k])) {
                EXPECT_EQ(static_cast<float>(cells[k]),
                          summary[group[header[k]]]["tables"][header[k]][r - 1].get<float>())
                    << header[k];
            }
    }
}

TEST(ResultTableColumns, NumbersAreCopiedTextsUnquotedAndMissingValuesEmpty) {
    ResultTable t(ResultTable::SplitColumns("a.n,a.list[2],s,missing.x,b,a.list[9],o,a.list[2]"));
    EXPECT_EQ(t.Header(), "case,a.n,a.list[2],s,missing.x,b,a.list[9],o,a.list[2]\n");
    EXPECT_EQ(
        t.Row(R"({"case": "k, 1", "a": {"n": 1e+10, "list": [1, -2.50E-3, 3]}, "s": "x \"q\"\nA\u00e9",)"
              R"( "b": true, "o": {"p": [1]}})"),
        "\"k, 1\",1e+10,-2.50E-3,\"x \"\"q\"\"\nA\xc3\xa9\",,true,,\"{\"\"p\"\": [1]}\",-2.50E-3\n");
    EXPECT_EQ(t.Row(R"({"case": 3, "a": null})"), "3,,,,,,,,\n");
    for (const char* bad : {"", "[1, 2]", R"({"a": 1)", R"({"a": tru})", R"({"a": "x})", R"({"a": 1} 2)"})
        EXPECT_THROW(t.Row(bad), q7::CaseError) << bad;
    for (const char* bad : {"a.", ".a", "a[0]", "a[x]", "a[1", "a[1]b"})
        EXPECT_THROW(ResultTable({bad}), q7::CaseError) << bad;
}

TEST(ProgressLine, CountsRateAndTimeLeft) {
    EXPECT_EQ(q7::Progress::Line(0, 100, 0.0, -1), "0/100 cases");
    EXPECT_EQ(q7::Progress::Line(50, 100, 5.0, -1), "50/100 cases, 10 cases/s, 0:05 left");
    EXPECT_EQ(q7::Progress::Line(1000, 0, 2.0, -1), "1000 cases, 500 cases/s");
    EXPECT_EQ(q7::Progress::Line(1000, 0, 2.0, 0.25), "1000 cases, 500 cases/s, 0:06 left");
    EXPECT_EQ(q7::Progress::Line(1, 8000, 1.0, -1), "1/8000 cases, 1 cases/s, 2:13:19 left");
}
