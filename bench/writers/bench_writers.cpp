// Writing every file of one all-phase case (oil with its gas, water, oil/water rock): the CSV, the
// six Eclipse include files the export offers, and the text report with its page. Target: under
// 300 microseconds for all of them.
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "writers/CaseOutput.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

struct AllPhaseCase {
    AllPhaseCase() : objects(sink) {
        objects.Fluid.PhaseGas(true);
        objects.Fluid.PhaseWater(true);
        objects.Prs.BuildPRSi();
        q7::FluidTablesObserver none;
        if (q7::RunFluidTables(objects, sink, none).failure || !objects.Oil.GO() || !objects.Gas.GO() ||
            !objects.Water.GO())
            throw std::runtime_error("the benchmark case did not compute");
        objects.Rock.CalcRock();
        dir = std::filesystem::temp_directory_path() / ("q7-writers-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    ~AllPhaseCase() { std::filesystem::remove_all(dir); }
    q7::NullMessageSink sink;
    q7::Q7Objects objects;
    std::filesystem::path dir;
};

void BM_AllFilesOfOneCase(benchmark::State& state) {
    AllPhaseCase c;
    const q7::ReportIdentity id{"Corvanta", "North Field", "Upper Sand", "Block 7", "J. Doe"};
    for (auto _ : state) {
        q7::WriteCaseCsv(c.objects, c.dir);
        q7::WriteCaseEclipse(c.objects, c.dir);
        q7::WriteCaseReport(c.objects, id, c.dir);
    }
}
BENCHMARK(BM_AllFilesOfOneCase)->Unit(benchmark::kMicrosecond);

void BM_EclipseFiles(benchmark::State& state) {
    AllPhaseCase c;
    for (auto _ : state)
        q7::WriteCaseEclipse(c.objects, c.dir);
}
BENCHMARK(BM_EclipseFiles)->Unit(benchmark::kMicrosecond);

void BM_Report(benchmark::State& state) {
    AllPhaseCase c;
    for (auto _ : state)
        q7::WriteCaseReport(c.objects, {}, c.dir);
}
BENCHMARK(BM_Report)->Unit(benchmark::kMicrosecond);

} // namespace
