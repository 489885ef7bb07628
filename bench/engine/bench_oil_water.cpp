// Oil and water tables. The schedule is at most about 21 rows (a generated range plus the bubble
// point), so "30 rows, 500-10000 psia" runs two 15-row schedules that together cover the 30
// pressures; the oil table's cost does not depend on which rows lie above the bubble point.
#include "engine/Q7Objects.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

std::string Text(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(v));
    return buffer;
}

struct Case {
    q7::NullMessageSink sink;
    Q7Objects q{sink};
};

// The result tab's order: range, bubble point from the GOR, schedule.
std::unique_ptr<Case> DefaultCase(bool oil, bool water) {
    auto c = std::make_unique<Case>();
    c->q.Fluid.PhaseOil(oil);
    c->q.Fluid.PhaseWater(water);
    c->q.Prs.BuildPRSi();
    if (oil) c->q.Oil.SetRsi("683.9");
    c->q.Prs.BuildPRSo();
    return c;
}

// 30 pressures 10000 ... 500 psia split into two typed schedules of 15 rows; with oil each gets 14
// typed pressures and the bubble point.
std::vector<std::unique_ptr<Case>> ThirtyRows(bool oil) {
    std::vector<float> pressures;
    for (int i = 0; i < 30; ++i)
        pressures.push_back(10000.0f - 9500.0f * static_cast<float>(i) / 29.0f);
    std::vector<std::unique_ptr<Case>> cases;
    const std::size_t typed = oil ? 14 : 15;
    for (std::size_t first = 0; first < 30; first += 15) {
        auto c = std::make_unique<Case>();
        c->q.Fluid.PhaseOil(oil);
        c->q.Prs.PrRange("I");
        for (std::size_t i = 0; i < typed; ++i) {
            c->q.Prs.SetPRSi(Text(pressures[first + i]), static_cast<std::int16_t>(i + 1));
        }
        if (oil) c->q.Oil.SetPbp(Text(first == 0 ? 4000.0f : 2000.0f));
        c->q.Prs.BuildPRSo();
        cases.push_back(std::move(c));
    }
    return cases;
}

void BM_CalcOil_Default(benchmark::State& state) {
    auto c = DefaultCase(true, false);
    for (auto _ : state) {
        c->q.Oil.CalcOil();
        benchmark::DoNotOptimize(c->q.Oil.GetRHOO(1));
    }
    state.SetItemsProcessed(state.iterations() * c->q.Prs.NPRSo());
}
BENCHMARK(BM_CalcOil_Default);

void BM_CalcOil_30Rows_500to10000(benchmark::State& state) {
    auto cases = ThirtyRows(true);
    for (auto _ : state) {
        for (auto& c : cases)
            c->q.Oil.CalcOil();
        benchmark::DoNotOptimize(cases.back()->q.Oil.GetRHOO(1));
    }
    state.SetItemsProcessed(state.iterations() * 30);
}
BENCHMARK(BM_CalcOil_30Rows_500to10000);

void BM_CalcWater_Default(benchmark::State& state) {
    auto c = DefaultCase(false, true);
    for (auto _ : state) {
        c->q.Water.CalcWater();
        benchmark::DoNotOptimize(c->q.Water.GetRHOW(1));
    }
    state.SetItemsProcessed(state.iterations() * c->q.Prs.NPRSo());
}
BENCHMARK(BM_CalcWater_Default);

void BM_CalcWater_30Rows_500to10000(benchmark::State& state) {
    auto cases = ThirtyRows(false);
    for (auto _ : state) {
        for (auto& c : cases)
            c->q.Water.CalcWater();
        benchmark::DoNotOptimize(cases.back()->q.Water.GetRHOW(1));
    }
    state.SetItemsProcessed(state.iterations() * 30);
}
BENCHMARK(BM_CalcWater_30Rows_500to10000);

// Building the schedule and the bubble point as the result tab does before the tables.
void BM_Schedule_Default(benchmark::State& state) {
    Case c;
    for (auto _ : state) {
        c.q.Prs.BuildPRSi();
        c.q.Oil.SetRsi("683.9");
        c.q.Prs.BuildPRSo();
        benchmark::DoNotOptimize(c.q.Prs.BPPi());
    }
}
BENCHMARK(BM_Schedule_Default);

} // namespace
