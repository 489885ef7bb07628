// q7-batch over 1000 generated cases, one job and two, summaries only and every file.
// Cases/second is reported as items_per_second.
#include "batch/CaseFile.h"
#include "batch/RunCase.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// 1000 cases over every phase set, both pressure modes, both gas entries and every rock system.
const fs::path& CaseFolder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "q7-bench-cases";
        fs::remove_all(d);
        fs::create_directories(d);
        std::mt19937 rng(42);
        auto pick = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
        for (int i = 0; i < 1000; ++i) {
            std::ostringstream c;
            const int phases = 1 + i % 7;
            c << "{\"PhaseOil\": " << (phases & 1) << ", \"PhaseGas\": " << ((phases >> 1) & 1)
              << ", \"PhaseWater\": " << ((phases >> 2) & 1) << ", \"RESTEMP\": " << int(pick(100, 280));
            if (i % 3 == 0) {
                c << ", \"PrRange\": \"I\"";
                for (int k = 1; k <= 12; ++k)
                    c << ", \"p" << k << "\": " << int(pick(300, 9000));
            } else {
                c << ", \"MinPr\": " << int(pick(200, 1500)) << ", \"MaxPr\": " << int(pick(4000, 10000))
                  << ", \"InitPr\": " << int(pick(1500, 4000));
            }
            c << ", \"API\": " << int(pick(18, 50)) << ", \"SepGasGrav\": " << pick(0.65, 1.0)
              << ", \"InitGO\": " << int(pick(200, 1800));
            if (i % 4 == 0) {
                c << ", \"GasEntry\": \"C\", \"gc1\": 0.8, \"gc2\": 0.08, \"gc3\": 0.04, \"gc7\": 0.03, "
                     "\"gc13\": 0.02,"
                     " \"gc14\": 0.02, \"gc15\": 0.01";
            } else {
                c << ", \"GasGrav\": " << pick(0.6, 1.1) << ", \"mfCO2\": 0.02";
            }
            c << ", \"PPMSalinity\": " << int(pick(0, 200000)) << ", \"RockType\": " << (i % 2)
              << ", \"DrainType\": " << ((i / 2) % 2) << ", \"LithType\": " << ((i / 4) % 2)
              << ", \"CorrType\": " << ((i / 2) % 2) << ", \"SORG\": 0.15, \"SGCrit\": 0.05}";
            std::ofstream(d / ("c" + std::to_string(i) + ".json")) << c.str();
        }
        return d;
    }();
    return dir;
}

void RunBatch(benchmark::State& state, const char* formats) {
    const fs::path cases = CaseFolder();
    const fs::path out = fs::temp_directory_path() / "q7-bench-out";
    const std::string cmd = std::string(Q7_BATCH_EXE) + " run " + (cases / "*.json").string() + " --out " +
                            out.string() + " --jobs " + std::to_string(state.range(0)) + " --formats " +
                            formats + " >/dev/null 2>&1";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(out);
        state.ResumeTiming();
        if (std::system(cmd.c_str()) == -1) state.SkipWithError("q7-batch did not start");
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_BatchSummaries(benchmark::State& state) {
    RunBatch(state, "summary");
}
void BM_BatchAllFiles(benchmark::State& state) {
    RunBatch(state, "summary,csv,eclipse,report");
}

// The golden cases, one a line, in name order.
const std::vector<std::string>& GoldenLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<fs::path> paths;
        for (const auto& e : fs::directory_iterator(fs::path(Q7_SOURCE_DIR) / "tests/data/golden/cases"))
            if (e.path().extension() == ".json") paths.push_back(e.path());
        std::sort(paths.begin(), paths.end());
        std::vector<std::string> out;
        for (const fs::path& p : paths) {
            std::ifstream in(p);
            out.push_back(nlohmann::json::parse(in).dump());
        }
        return out;
    }();
    return lines;
}

// run --jsonl over the golden cases' mix repeated to 10 000 lines, summaries to standard output.
void BM_StreamSummaries(benchmark::State& state) {
    const fs::path in = fs::temp_directory_path() / "q7-bench-stream.jsonl";
    const int cases = 10000;
    {
        std::ofstream out(in);
        for (int i = 0; i < cases; ++i)
            out << GoldenLines()[static_cast<size_t>(i) % GoldenLines().size()] << "\n";
    }
    const std::string cmd = std::string(Q7_BATCH_EXE) + " run --jsonl " + in.string() + " --jobs " +
                            std::to_string(state.range(0)) + " >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(cmd.c_str()) == -1) state.SkipWithError("q7-batch did not start");
    state.SetItemsProcessed(state.iterations() * cases);
}

// One stream line in the process: read the case, compute it, write its summary line (the work of
// run --jsonl per case, without the process and the pipe), over the golden cases in turn.
void BM_CaseLine(benchmark::State& state) {
    const auto& lines = GoldenLines();
    size_t i = 0;
    for (auto _ : state) {
        const std::string& text = lines[i++ % lines.size()];
        const q7::CaseFile c = q7::CaseFile::FromJson(nlohmann::json::parse(text), "line");
        benchmark::DoNotOptimize(q7::RunCaseLine(c, "1").json.size());
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_StreamSummaries)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CaseLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BatchSummaries)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BatchAllFiles)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
