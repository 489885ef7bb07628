// Gas table, rock table and a whole all-phase case. The schedule holds at most 22 pressures, so the
// 30-pressure figures run two schedules of 15 rows each (every row is computed independently).
#include "engine/Q7Objects.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

std::string Text(float v) {
    return std::to_string(v);
}

// The machine is shared: besides mean and median, report the fastest repetition.
double Fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// Typed pressures as the individual-pressure input would take them.
void TypePressures(Q7Objects& q, const std::vector<float>& pressures) {
    q.Prs.PrRange("R");
    q.Prs.PrRange("I"); // empties the typed list
    for (std::size_t i = 0; i < pressures.size(); ++i) {
        q.Prs.SetPRSi(Text(pressures[i]), static_cast<std::int16_t>(i + 1));
    }
}

// 30 pressures from 10000 down to 500 psia.
std::vector<float> ThirtyPressures() {
    std::vector<float> p;
    for (int i = 0; i < 30; ++i)
        p.push_back(10000.0f - 9500.0f * static_cast<float>(i) / 29.0f);
    return p;
}

void SetGasOnly(Q7Objects& q) {
    q.Fluid.PhaseOil(false);
    q.Fluid.PhaseGas(true);
    q.Fluid.PhaseWater(false);
}

// CalcGas over the default range schedule (1000–5000 psia, 16 rows) of a gas project.
void BM_CalcGas_DefaultSchedule(benchmark::State& state) {
    q7::NullMessageSink sink;
    Q7Objects q(sink);
    SetGasOnly(q);
    q.Prs.BuildPRSi();
    q.Prs.BuildPRSo();
    for (auto _ : state)
        benchmark::DoNotOptimize(q.Gas.CalcGas());
    state.counters["rows"] = q.Prs.NPRSo();
}
BENCHMARK(BM_CalcGas_DefaultSchedule)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.1)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest);

// CalcGas over 30 pressures, 500–10000 psia (two 15-row schedules).
void BM_CalcGas_ThirtyRows(benchmark::State& state) {
    q7::NullMessageSink sink;
    Q7Objects high(sink);
    Q7Objects low(sink);
    const std::vector<float> p = ThirtyPressures();
    for (Q7Objects* q : {&high, &low})
        SetGasOnly(*q);
    TypePressures(high, {p.begin(), p.begin() + 15});
    TypePressures(low, {p.begin() + 15, p.end()});
    high.Prs.BuildPRSo();
    low.Prs.BuildPRSo();
    for (auto _ : state) {
        benchmark::DoNotOptimize(high.Gas.CalcGas());
        benchmark::DoNotOptimize(low.Gas.CalcGas());
    }
    state.counters["rows"] = high.Prs.NPRSo() + low.Prs.NPRSo();
}
BENCHMARK(BM_CalcGas_ThirtyRows)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.1)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest);

void BM_CalcRock(benchmark::State& state) {
    const std::int16_t fluids = static_cast<std::int16_t>(state.range(0));
    const std::int16_t corr = static_cast<std::int16_t>(state.range(1));
    q7::clsRock rock;
    rock.Fluids(fluids);
    rock.Displace(1);
    rock.CORR(corr);
    for (auto _ : state) {
        rock.CalcRock();
        benchmark::DoNotOptimize(rock.GetKROil(8));
    }
}
BENCHMARK(BM_CalcRock)
    ->ArgNames({"fluids", "corr"})
    ->MinTime(0.1)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1});

// A whole oil + gas + water + rock case over 30 rows: two schedules of 14 and 13 typed pressures
// that, with the bubble point and the point below it, make 15 + 15 rows.
void BM_WholeCase_AllPhases_ThirtyRows(benchmark::State& state) {
    const std::vector<float> p = ThirtyPressures();
    const std::vector<float> high(p.begin(), p.begin() + 14);
    const std::vector<float> low(p.begin() + 14, p.begin() + 27);
    std::int64_t rows = 0;
    for (auto _ : state) {
        q7::NullMessageSink sink;
        Q7Objects q(sink);
        q.Fluid.PhaseOil(true);
        q.Fluid.PhaseGas(true);
        q.Fluid.PhaseWater(true);
        q.Oil.SetRsi("600");
        rows = 0;
        for (const auto* part : {&high, &low}) {
            TypePressures(q, *part);
            q.Prs.BuildPRSo();
            q.Oil.CalcOil();
            benchmark::DoNotOptimize(q.Gas.CalcGas());
            q.Water.CalcWater();
            rows += q.Prs.NPRSo();
        }
        q.Rock.CalcRock();
        benchmark::DoNotOptimize(q.Rock.GetKRWat(8));
        if (!q.Oil.GO() || !q.Gas.GO() || !q.Water.GO() || !q.Rock.GO())
            state.SkipWithError("a table failed");
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_WholeCase_AllPhases_ThirtyRows)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.1)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest);

} // namespace
