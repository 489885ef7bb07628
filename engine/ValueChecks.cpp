#include "engine/ValueChecks.h"

#include "engine/InputChecks.h"
#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"

#include <cmath>
#include <optional>

namespace q7 {

namespace {

enum class Bound {
    Positive,    // at or below 0 is impossible
    NonNegative, // below 0 is impossible
    Fraction,    // outside [0, 1] is impossible
};

// One column of a result table and what it may hold. `correlation`: the temperature-dependent
// formula behind the column, named when an impossible value comes from a temperature past its
// turning point.
template <class T> struct ColumnRule {
    const char* name;
    float (T::*get)(std::int16_t) const;
    Bound bound;
    const char* correlation = nullptr;
};

std::string Shown(double v) {
    return GeneralForm(static_cast<float>(v));
}

std::optional<std::string> Fault(double v, Bound b) {
    switch (b) {
    case Bound::Positive:
        if (!(v > 0.0)) return std::string(" is at or below 0");
        break;
    case Bound::NonNegative:
        if (!(v >= 0.0)) return std::string(" is negative");
        break;
    case Bound::Fraction:
        if (!(v >= 0.0 && v <= 1.0)) return std::string(" is outside [0, 1]");
        break;
    }
    return std::nullopt;
}

template <class T, std::size_t N>
void CheckColumns(const T& obj, const ColumnRule<T> (&rules)[N], int rows, const char* table,
                  double temperatureF, std::vector<ValueWarning>& out) {
    for (const ColumnRule<T>& rule : rules) {
        bool anyFault = false;
        for (int k = 1; k <= rows; ++k) {
            const double v = (obj.*rule.get)(static_cast<std::int16_t>(k));
            const auto fault = Fault(v, rule.bound);
            if (!fault) continue;
            anyFault = true;
            out.push_back(
                {table, static_cast<std::int16_t>(k), v, std::string(rule.name) + " " + Shown(v) + *fault});
        }
        if (anyFault && rule.correlation)
            out.push_back({table, 0, temperatureF,
                           "at " + Shown(temperatureF) + " °F the " + rule.correlation +
                               " formula has turned over: " + rule.name + " leaves the possible range"});
    }
}

const ColumnRule<clsOil> kOilRules[] = {
    {"Rs", &clsOil::GetRSO, Bound::NonNegative},
    {"Rs (saturated)", &clsOil::GetRSOS, Bound::NonNegative},
    {"Bo", &clsOil::GetBO, Bound::Positive},
    {"Bo (saturated)", &clsOil::GetBOS, Bound::Positive},
    {"oil viscosity", &clsOil::GetMUO, Bound::Positive},
    {"oil viscosity (saturated)", &clsOil::GetMUOS, Bound::Positive},
    {"oil compressibility", &clsOil::GetCO, Bound::Positive},
    {"oil density", &clsOil::GetRHOO, Bound::Positive},
    {"oil density (saturated)", &clsOil::GetRHOOS, Bound::Positive},
};

const ColumnRule<clsGas> kGasRules[] = {
    {"Z", &clsGas::GetZ, Bound::Positive},
    {"Bg", &clsGas::GetBG, Bound::Positive},
    {"gas density", &clsGas::GetRHOG, Bound::Positive},
    {"gas compressibility", &clsGas::GetCG, Bound::Positive},
    {"gas viscosity", &clsGas::GetMUG, Bound::Positive},
};

const ColumnRule<clsWater> kWaterRules[] = {
    {"Bw", &clsWater::GetBW, Bound::Positive, "McCain (1990) water volume factor"},
    {"Rsw", &clsWater::GetRSW, Bound::NonNegative, "McCain (1990) gas solubility in water"},
    {"water compressibility", &clsWater::GetCW, Bound::Positive, "Osif (1988) water compressibility"},
    {"water viscosity", &clsWater::GetMUW, Bound::Positive, "McCain (1990) water viscosity"},
    {"water density", &clsWater::GetRHOW, Bound::Positive},
};

const ColumnRule<clsRock> kRockRules[] = {
    {"wetting-phase saturation", &clsRock::GetSWet, Bound::Fraction},
    {"non-wetting saturation", &clsRock::GetSNWet, Bound::Fraction},
    {"oil kr", &clsRock::GetKROil, Bound::NonNegative},
};

void CheckSchedule(const Q7Objects& o, std::vector<ValueWarning>& out) {
    const clsPrs& prs = o.Prs;
    for (int k = 1; k <= prs.NPRSo(); ++k) {
        const double p = prs.GetPRSo(static_cast<std::int16_t>(k));
        if (!(p > 0.0))
            out.push_back({"Pressure schedule", static_cast<std::int16_t>(k), p,
                           "pressure " + Shown(p) + " psia is at or below 0"});
    }
}

void CheckGasInput(const Q7Objects& o, std::vector<ValueWarning>& out) {
    const clsGas& gas = o.Gas;
    if (gas.GasEntry() == "C") {
        const double sum = gas.SumGC();
        if (CompositionSumFault(gas.SumGC()) != CompositionSum::Fine)
            out.push_back({"Gas composition", 0, sum, "the mole fractions sum to " + Shown(sum) + ", not 1"});
    } else {
        const double inerts = static_cast<double>(gas.mfN()) + gas.mfCO2() + gas.mfH2S();
        if (inerts > 1.0 + 1e-6)
            out.push_back({"Gas composition", 0, inerts,
                           "the N2, CO2 and H2S fractions sum to " + Shown(inerts) + ", more than 1"});
    }
}

} // namespace

std::vector<ValueWarning> ImpossibleValuesOf(const Q7Objects& o, const std::string& table) {
    std::vector<ValueWarning> out;
    const int rows = o.Prs.NPRSo();
    const double tf = o.Fluid.ResTf();
    // The schedule once built, the gas input whenever the gas is characterised (gas or oil present),
    // whether or not the tables behind them completed.
    if (table == "Input")
        for (InputWarning& w : InputWarnings(o))
            out.push_back({"Input", 0, w.value, std::move(w.text)});
    if (table == "Pressure schedule") CheckSchedule(o, out);
    if (table == "Gas composition" && (o.Fluid.PhaseGas() || o.Fluid.PhaseOil())) CheckGasInput(o, out);
    if (table == "Oil" && o.Oil.GO()) CheckColumns(o.Oil, kOilRules, rows, "Oil", tf, out);
    if (table == "Gas" && o.Gas.GO()) CheckColumns(o.Gas, kGasRules, rows, "Gas", tf, out);
    if (table == "Water" && o.Water.GO()) CheckColumns(o.Water, kWaterRules, rows, "Water", tf, out);
    if (table == "Rock" && o.Rock.GO())
        for (const clsRock* t : o.Rock.Tables())
            CheckColumns(*t, kRockRules, t->NWet(), "Rock", tf, out);
    return out;
}

std::optional<std::string> HonarpourNotApplied(const clsRock& whole) {
    if (!whole.GO() || whole.CORR() != 1 || whole.Tables().empty()) return std::nullopt;
    // Both tables share the inputs that leave a correlation out; the oil–water one is asked first.
    const clsRock& rock = *whole.Tables().front();
    const bool gasOil = rock.Fluids() == 1;
    std::string why;
    if (rock.Displace() == 0)
        why = "Honarpour has no drainage curves";
    else if (rock.Lith() != 0 && rock.Lith() != 1)
        why = "Honarpour has no formula for this lithology";
    else if (!gasOil && rock.Wet() != 0 && rock.Wet() != 1)
        why = "Honarpour has no formula for this wettability";
    else
        return std::nullopt;
    auto allZero = [&](float (clsRock::*get)(std::int16_t) const) {
        for (std::int16_t i = 1; i <= rock.NWet(); ++i)
            if ((rock.*get)(i) != 0.0f) return false;
        return true;
    };
    const bool other = gasOil ? allZero(&clsRock::GetKRGas) : allZero(&clsRock::GetKRWat);
    const bool oil = allZero(&clsRock::GetKROil);
    if (!other && !oil) return std::nullopt;
    const char* phases = other && oil ? "every kr is 0"
                         : oil        ? "the oil kr is 0 in every row"
                         : gasOil     ? "the gas kr is 0 in every row"
                                      : "the water kr is 0 in every row";
    return why + ": " + phases +
           (rock.Displace() == 0 ? " (choose imbibition, or Corey)" : " (choose Corey)");
}

std::vector<ValueWarning> ImpossibleValues(const Q7Objects& o) {
    std::vector<ValueWarning> out;
    for (const char* table : {"Input", "Pressure schedule", "Gas composition", "Oil", "Gas", "Water", "Rock"})
        for (ValueWarning& w : ImpossibleValuesOf(o, table))
            out.push_back(std::move(w));
    return out;
}

} // namespace q7
