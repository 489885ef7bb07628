#include "engine/InputChecks.h"

#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/AsciiText.h"
#include "numeric/NumericText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace q7 {

namespace {

constexpr double kInf = HUGE_VAL;
constexpr double kAbsoluteZeroF = -459.67;
constexpr double kMaxPressure = 30000.0; // psia: above any reservoir produced or any PVT cell
constexpr const char* kPressureBeyond = "no reservoir or laboratory cell holds such a pressure";
constexpr double kMinSchedule = 10.0; // psia: the lowest row the schedule adds below a bubble point
constexpr const char* kScheduleBeyond =
    "the tables run from about atmospheric pressure to the deepest reservoirs (30000 psia)";
constexpr const char* kFractionBeyond = "";
constexpr const char* kTemperature = "°F";

InputBound Fraction(std::string key, std::string what) {
    return {std::move(key), std::move(what), "", 0, 1, false, false, 0, 1, kFractionBeyond};
}

// The edges themselves (a separator at 0 psia, a reservoir at 0 °F, end points that leave exactly
// nothing to move) are not refused: the calculation stops on them with its own raised error, reported
// with its stage as it always was, and the tables of the other stages are still written.
std::vector<InputBound> Describe() {
    std::vector<InputBound> b = {
        // key, what, unit, lo, hi, loOpen, hiOpen, plausible lo, plausible hi, why beyond
        {"StdPressure", "standard pressure", "psia", 0, kInf, true, false, 13, 16,
         "standard conditions are near 14.7 psia"},
        {"StdTemp", "standard temperature", kTemperature, kAbsoluteZeroF, kInf, true, false, 32, 80,
         "standard conditions are near 60 °F"},
        {"RESTEMP", "reservoir temperature", kTemperature, 0, kInf, false, false, 40, 450,
         "no oil or gas reservoir is this cold or this hot"},
        {"MinPr", "minimum pressure", "psia", 0, kInf, true, false, kMinSchedule, kMaxPressure,
         kScheduleBeyond},
        // 0: no initial pressure.
        {"InitPr", "initial pressure", "psia", 0, kInf, false, false, kMinSchedule, kMaxPressure,
         kScheduleBeyond},
        {"MaxPr", "maximum pressure", "psia", 0, kInf, true, false, kMinSchedule, kMaxPressure,
         kScheduleBeyond},
    };
    for (int k = 1; k <= clsPrs::kMaxTyped; ++k) { // 0 leaves the place empty
        // Appended, not concatenated: GCC 12 at -O3 warns falsely on operator+ of short strings.
        std::string key = "p", what = "pressure ";
        key += std::to_string(k);
        what += std::to_string(k);
        b.push_back({key, what, "psia", 0, kInf, false, false, kMinSchedule, kMaxPressure, kScheduleBeyond});
    }
    const std::vector<InputBound> oil = {
        // The specific gravity is given as SG = 141.5 / (API + 131.5).
        {"API", "oil gravity", "°API", -131.5, kInf, true, false, 5, 80,
         "no stock-tank oil is this heavy or this light"},
        {"SpecGrav", "oil specific gravity", "", 0, kInf, true, false, 0.669, 1.037,
         "no stock-tank oil is this heavy or this light"},
        {"SepGasGrav", "separator gas gravity", "", 0, kInf, true, false, 0.55, 1.8,
         "no separator gas is lighter than methane (0.554) or this heavy"},
        {"SepP", "separator pressure", "psia", 0, kInf, false, false, 10, 3000,
         "separators work between atmospheric pressure and a few thousand psia"},
        {"SepT", "separator temperature", kTemperature, kAbsoluteZeroF, kInf, true, false, 0, 300,
         "separators work between 0 and 300 °F"},
        {"InitGO", "initial GOR", "scf/STB", 0, kInf, false, false, 0, 6000,
         "an oil holding more gas is a gas condensate"},
        {"BPP", "bubble point", "psia", 0, kInf, true, false, 0, kMaxPressure, kPressureBeyond},
        {"LabPb", "laboratory bubble point", "psia", 0, kInf, true, false, 0, kMaxPressure, kPressureBeyond},
        {"LabRsb", "laboratory GOR", "scf/STB", 0, kInf, true, false, 0, 6000,
         "an oil holding more gas is a gas condensate"},
        {"LabBob", "laboratory oil volume factor", "rb/STB", 1, kInf, false, false, 1, 5,
         "no oil swells more than fivefold with its gas"},
        {"LabMuob", "laboratory oil viscosity", "cp", 0, kInf, true, false, 0.02, 1e5,
         "no oil at its bubble point is this thin or this thick"},
        {"GasGrav", "gas gravity", "", 0, kInf, true, false, 0.55, 1.8,
         "no natural gas is lighter than methane (0.554) or this heavy"},
    };
    b.insert(b.end(), oil.begin(), oil.end());
    b.push_back(Fraction("MFnitrogen", "nitrogen mole fraction"));
    b.push_back(Fraction("mfCO2", "CO2 mole fraction"));
    b.push_back(Fraction("mfH2S", "H2S mole fraction"));
    for (int k = 1; k <= clsGas::kComponents; ++k) {
        std::string key = "gc";
        key += std::to_string(k);
        std::string what = "mole fraction of composition row ";
        what += std::to_string(k);
        b.push_back(Fraction(key, what));
    }
    const std::vector<InputBound> rest = {
        {"PLUSmw", "plus fraction molecular weight", "", 0, kInf, true, false, 70, 600,
         "a plus fraction is heavier than hexane and lighter than a wax"},
        {"PLUSgg", "plus fraction specific gravity", "", 0, kInf, true, false, 0.6, 1.1,
         "a plus fraction's liquid gravity lies near 0.7 to 0.9"},
        {"PPMSalinity", "salinity", "ppm", 0, 1e6, false, false, 0, 350000,
         "no brine holds more salt than saturation"},
        {"PERSalinity", "salinity", "wt %", 0, 100, false, false, 0, 35,
         "no brine holds more salt than saturation"},
        Fraction("SWC", "connate water saturation"),
        Fraction("SORW", "residual oil saturation to water"),
        Fraction("SORG", "residual oil saturation to gas"),
        Fraction("SGCrit", "critical gas saturation"),
        {"CoreyK", "Corey wetting-phase exponent", "", 0, kInf, false, false, 1, 10,
         "Corey exponents lie between 1 and 10"},
        {"CoreyN", "Corey non-wetting exponent", "", 0, kInf, false, false, 1, 10,
         "Corey exponents lie between 1 and 10"},
        {"HRPoro", "porosity", "", 0, 1, false, false, 0.01, 0.5, "no reservoir rock is this porous"},
        {"HRAir", "air permeability", "md", 0, kInf, false, false, 0.01, 1e5,
         "no reservoir rock is this tight or this permeable"},
        {"HRKrg", "gas kr at residual oil", "", 0, kInf, false, false, 0, 1,
         "a relative permeability is at most 1, the gas kr is cut to 1"},
    };
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

std::string Shown(double v) {
    return GeneralForm(static_cast<float>(v));
}

bool Celsius(std::string_view unit) {
    return unit == "C" || unit == "c";
}

double ToF(double c) {
    return c * 1.8 + 32.0;
}

// "reservoir temperature (RESTEMP) 93.5 °C"
std::string Named(const InputBound& b, double value, std::string_view unit) {
    std::string text = b.what + " (" + b.key + ") " + Shown(value);
    if (b.unit == std::string_view(kTemperature))
        text += Celsius(unit) ? " °C" : " °F";
    else if (*b.unit)
        text += std::string(" ") + b.unit;
    return text;
}

std::string Limit(const InputBound& b, double limit) {
    std::string text = Shown(limit);
    if (*b.unit) text += std::string(" ") + b.unit;
    return text;
}

// Why `value` (in the bound's own unit) is impossible; empty when it is possible.
std::string Fault(const InputBound& b, double value) {
    const bool low = b.loOpen ? !(value > b.lo) : !(value >= b.lo);
    const bool high = b.hiOpen ? !(value < b.hi) : !(value <= b.hi);
    if (!low && !high) return {};
    if (b.lo == 0 && b.hi == 1 && !b.loOpen && !b.hiOpen) return "is outside [0, 1]";
    if (low) {
        if (b.lo == kAbsoluteZeroF) return "is at or below absolute zero (-459.67 °F)";
        if (b.lo == 0 && b.unit != std::string_view(kTemperature))
            return b.loOpen ? "is at or below 0" : "is negative";
        return (b.loOpen ? "is at or below " : "is below ") + Limit(b, b.lo);
    }
    return (b.hiOpen ? "is at or above " : "is above ") + Limit(b, b.hi);
}

// A value held as a single: what one cannot hold would silently become 0 or infinity.
std::optional<std::string> SingleProblem(double value) {
    if (!std::isfinite(value) || !std::isfinite(static_cast<float>(value)))
        return std::string("is beyond the range of a single-precision number (about 3.4E+38)");
    if (value != 0.0 && std::fabs(value) < static_cast<double>(FLT_MIN))
        return std::string("is too small for a single-precision number (not 0 but below 1.18E-38)");
    return std::nullopt;
}

bool IsLab(std::string_view key) {
    const ProjectField* f = FindField(key);
    return f && f->blankIsAbsent;
}

// The text, blanks around it removed, at most one line of 40 characters.
std::string Quoted(std::string_view text) {
    std::string t(text.substr(0, std::min<std::size_t>(text.size(), 40)));
    for (char& c : t)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return "\"" + t + (text.size() > 40 ? "…\"" : "\"");
}

// --- what the objects hold -------------------------------------------------------------------

// The value of a bounded input as the objects hold it, in the unit of its box, with that unit's
// letter; nothing when the objects hold no value of it that the chosen options read.
struct Held {
    double value;
    std::string unit = "F";
};

std::optional<Held> HeldValue(const Q7Objects& o, const InputBound& b, bool refusing) {
    const std::string& key = b.key;
    const clsFluid& fl = o.Fluid;
    const bool oil = fl.PhaseOil();
    const bool gasEntry = o.Gas.GasEntry() == "C";
    if (key == "StdTemp") return Held{fl.StdTU() == "C" ? fl.StdTc() : fl.StdTf(), fl.StdTU()};
    if (key == "RESTEMP") return Held{fl.ResTU() == "C" ? fl.ResTc() : fl.ResTf(), fl.ResTU()};
    if (key == "SepT") {
        if (!oil) return std::nullopt;
        return Held{o.Oil.SepTU() == "C" ? o.Oil.SepTc() : o.Oil.SepTf(), o.Oil.SepTU()};
    }
    const ProjectField* field = FindField(key);
    if (!field || !field->number) return std::nullopt;
    if (field->held && !field->held(o)) return std::nullopt;
    const double v = field->number(o);
    const bool range = o.Prs.PrRange() == "R";
    if (key == "InitPr" && v == 0.0) return std::nullopt; // none given
    if (key == "MinPr" || key == "MaxPr" || key == "InitPr")
        return range ? std::optional<Held>(Held{v}) : std::nullopt;
    if (key[0] == 'p' && std::isdigit(static_cast<unsigned char>(key[1]))) {
        const int k = std::atoi(key.c_str() + 1);
        return !range && k <= o.Prs.NPRSi() ? std::optional<Held>(Held{v}) : std::nullopt;
    }
    const std::string group = field->table;
    if (group == "tblOilGravity" || group == "tblLabData") {
        if (!oil) return std::nullopt;
        // The bubble point follows the GOR (or the laboratory); the specific gravity follows the API.
        if (key == "BPP" && refusing) return std::nullopt;
        if (key == "API" && !refusing) return std::nullopt;
        return Held{v};
    }
    if (key == "GasGrav")
        return !gasEntry && (oil || fl.PhaseGas()) ? std::optional<Held>(Held{v}) : std::nullopt;
    if (key == "MFnitrogen" || key == "mfCO2" || key == "mfH2S")
        return !gasEntry ? std::optional<Held>(Held{v}) : std::nullopt;
    if (key.rfind("gc", 0) == 0) return gasEntry ? std::optional<Held>(Held{v}) : std::nullopt;
    if (key == "PLUSmw" || key == "PLUSgg")
        return gasEntry && o.Gas.PlusEntry() > 0 ? std::optional<Held>(Held{v}) : std::nullopt;
    if (group == "tblWater") return fl.PhaseWater() ? std::optional<Held>(Held{v}) : std::nullopt;
    if (group == "tblRock") {
        const clsRock& r = o.Rock;
        if (refusing) return Held{v}; // a saturation outside [0, 1] is no saturation, used or not
        const bool honarpour = r.CORR() == 1;
        const bool oilWater = r.Fluids() == 0 || r.Fluids() == 2;
        const bool gasOil = r.Fluids() == 1 || r.Fluids() == 2;
        if (key == "SORW") return oilWater ? std::optional<Held>(Held{v}) : std::nullopt;
        if (key == "SORG") return gasOil ? std::optional<Held>(Held{v}) : std::nullopt;
        if (key == "SGCrit") return gasOil || r.Fluids() == 3 ? std::optional<Held>(Held{v}) : std::nullopt;
        if (key == "CoreyK" || key == "CoreyN")
            return !honarpour ? std::optional<Held>(Held{v}) : std::nullopt;
        if (key == "HRAir") return honarpour && r.Lith() == 1 ? std::optional<Held>(Held{v}) : std::nullopt;
        if (key == "HRKrg")
            return honarpour && gasOil && r.Displace() == 1 ? std::optional<Held>(Held{v}) : std::nullopt;
        if (key == "HRPoro") return honarpour ? std::optional<Held>(Held{v}) : std::nullopt;
        return Held{v};
    }
    return Held{v};
}

double InBoundUnit(const InputBound& b, const Held& h) {
    return b.unit == std::string_view(kTemperature) && Celsius(h.unit) ? ToF(h.value) : h.value;
}

// --- relations ------------------------------------------------------------------------------

// A relation at fault: the keys of every box it takes in (the first is the box to go back to).
struct RelationFault {
    std::vector<std::string> keys;
    std::string text;
};

std::vector<RelationFault> RelationFaults(const Q7Objects& o) {
    std::vector<RelationFault> out;
    const clsPrs& prs = o.Prs;
    if (prs.PrRange() == "R" && prs.PrMin() > 0.0f && !(prs.PrMin() < prs.PrMax()))
        out.push_back({{"MinPr", "MaxPr"},
                       "minimum pressure (MinPr) " + Shown(prs.PrMin()) +
                           " psia is not below the maximum pressure (MaxPr) " + Shown(prs.PrMax()) +
                           " psia: the range holds no pressure"});

    if (o.Fluid.PhaseOil()) {
        const OilLabData& lab = o.Oil.Lab();
        if (lab.Pb && *lab.Pb > 0.0f && *lab.Pb <= o.Fluid.StdP())
            out.push_back({{"LabPb"},
                           "laboratory bubble point (LabPb) " + Shown(*lab.Pb) +
                               " psia is not above the standard pressure " + Shown(o.Fluid.StdP()) +
                               " psia"});
    }

    const clsGas& gas = o.Gas;
    if (gas.GasEntry() != "C" && (o.Fluid.PhaseGas() || o.Fluid.PhaseOil())) {
        const double inerts = static_cast<double>(gas.mfN()) + gas.mfCO2() + gas.mfH2S();
        if (inerts > 1.0 + 1e-6)
            out.push_back({{"MFnitrogen", "mfCO2", "mfH2S"},
                           "nitrogen, CO2 and H2S mole fractions (MFnitrogen, mfCO2, mfH2S) sum to " +
                               Shown(inerts) + ", more than 1"});
    }

    // The saturations between the end points must leave room for a phase to move.
    const clsRock& r = o.Rock;
    auto fraction = [](float v) { return v >= 0.0f && v <= 1.0f; };
    if (!fraction(r.SWC()) || !fraction(r.SORW()) || !fraction(r.SORG()) || !fraction(r.SGCrit())) return out;
    if (r.Fluids() == 0 || r.Fluids() == 2) {
        const bool imbibition = r.Displace() == 1;
        const double sum = static_cast<double>(r.SWC()) + (imbibition ? r.SORW() : 0.0f);
        if (sum > 1.0)
            out.push_back(
                {imbibition ? std::vector<std::string>{"SWC", "SORW"} : std::vector<std::string>{"SWC"},
                 imbibition
                     ? "connate water saturation (SWC) " + Shown(r.SWC()) +
                           " and residual oil saturation (SORW) " + Shown(r.SORW()) + " sum to " +
                           Shown(sum) + ": no saturation is left to move"
                     : "connate water saturation (SWC) " + Shown(r.SWC()) + " leaves no saturation to move"});
    }
    if (r.Fluids() == 3) {
        const double sum = static_cast<double>(r.SWC()) + r.SGCrit();
        if (sum >= 1.0)
            out.push_back({{"SWC", "SGCrit"},
                           "connate water (SWC) " + Shown(r.SWC()) + " and critical gas (SGCrit) " +
                               Shown(r.SGCrit()) + " saturations sum to " + Shown(sum) +
                               ": no saturation is left to move"});
    }
    if (r.Fluids() == 1 || r.Fluids() == 2) {
        const double sum = static_cast<double>(r.SWC()) + r.SORG() + r.SGCrit();
        if (sum > 1.0)
            out.push_back({{"SWC", "SORG", "SGCrit"},
                           "connate water (SWC) " + Shown(r.SWC()) + ", residual oil to gas (SORG) " +
                               Shown(r.SORG()) + " and critical gas (SGCrit) " + Shown(r.SGCrit()) +
                               " saturations sum to " + Shown(sum) + ": no saturation is left to move"});
    }
    return out;
}

void Relations(const Q7Objects& o, std::vector<InputProblem>& out) {
    for (RelationFault& f : RelationFaults(o))
        out.push_back({f.keys.front(), std::move(f.text)});
}

// --- plausibility of the oil tables -----------------------------------------------------------

struct TableBound {
    const char* name;
    float (clsOil::*get)(std::int16_t) const;
    const char* unit;
    double lo, hi;
    bool saturated; // a saturated column: the oil itself only at or below the bubble point (above
                    // it, the saturated curve carried on for the tables' sake)
};

// What any oil has at reservoir conditions (McCain, The Properties of Petroleum Fluids, 2nd ed.:
// black and volatile oils from about 0.95 to 4 rb/STB, 30 to 62 lb/ft³, 0.05 cp up to heavy oil).
const TableBound kOilTableBounds[] = {
    {"oil density", &clsOil::GetRHOO, "lb/ft³", 20, 75, false},
    {"saturated oil density", &clsOil::GetRHOOS, "lb/ft³", 20, 75, true},
    {"Bo", &clsOil::GetBO, "rb/STB", 0.9, 6, false},
    {"saturated Bo", &clsOil::GetBOS, "rb/STB", 0.9, 6, true},
    {"oil viscosity", &clsOil::GetMUO, "cp", 0.01, 1e6, false},
    {"saturated oil viscosity", &clsOil::GetMUOS, "cp", 0.01, 1e6, true},
};

// The oil inputs the tables follow, as one parenthesis.
std::string OilInputs(const Q7Objects& o) {
    const clsOil& oil = o.Oil;
    std::string t = "oil inputs (API " + Shown(oil.API()) + ", separator gas gravity " + Shown(oil.SepGG()) +
                    ", GOR " + Shown(oil.RSI()) + " scf/STB, bubble point " + Shown(oil.Pbp()) + " psia, " +
                    Shown(o.Fluid.ResTf()) + " °F, standard pressure " + Shown(o.Fluid.StdP()) + " psia";
    const OilLabData& lab = oil.Lab();
    if (lab.Pb) t += ", LabPb " + Shown(*lab.Pb);
    if (lab.Rsb) t += ", LabRsb " + Shown(*lab.Rsb);
    if (lab.Bob) t += ", LabBob " + Shown(*lab.Bob);
    if (lab.Muob) t += ", LabMuob " + Shown(*lab.Muob);
    return t + ")";
}

void OilTables(const Q7Objects& o, std::vector<InputWarning>& out) {
    const clsOil& oil = o.Oil;
    if (!o.Fluid.PhaseOil() || !oil.GO()) return;
    const OilMatch& m = oil.Match();
    if (m.Made) {
        const OilLabData& lab = oil.Lab();
        // A bubble point or an expansion three times off the correlation, a viscosity five times.
        auto apart = [](double f, double by) { return !(f >= 1.0 / by && f <= by); };
        if (apart(m.PressureScale, 3) && lab.Pb && lab.Rsb)
            out.push_back(
                {"LabPb", *lab.Pb,
                 "laboratory bubble point (LabPb) " + Shown(*lab.Pb) + " psia and GOR (LabRsb) " +
                     Shown(*lab.Rsb) + " scf/STB lie a factor " + Shown(m.PressureScale) +
                     " from the correlation's bubble point of that GOR: the matched oil is none the "
                     "correlation describes"});
        if (apart(m.BoFactor, 3) && lab.Bob)
            out.push_back({"LabBob", *lab.Bob,
                           "laboratory oil volume factor (LabBob) " + Shown(*lab.Bob) +
                               " rb/STB moves the correlation's expansion Bo - 1 by a factor " +
                               Shown(m.BoFactor) + ": the matched oil is none the correlation describes"});
        if (apart(m.ViscosityFactor, 5) && lab.Muob)
            out.push_back({"LabMuob", *lab.Muob,
                           "laboratory oil viscosity (LabMuob) " + Shown(*lab.Muob) +
                               " cp moves the correlation's viscosity by a factor " +
                               Shown(m.ViscosityFactor) +
                               ": the matched oil is none the correlation describes"});
    }
    const int rows = o.Prs.NPRSo();
    for (const TableBound& t : kOilTableBounds) {
        for (int k = 1; k <= rows; ++k) {
            if (t.saturated && o.Prs.GetPRSo(static_cast<std::int16_t>(k)) > oil.Pbp()) continue;
            const double v = (oil.*t.get)(static_cast<std::int16_t>(k));
            if (v >= t.lo && v <= t.hi) continue;
            // Values no oil can have at all (at or below 0) are the impossible values' business.
            if (!(v > 0.0)) break;
            out.push_back({"InitGO", v,
                           OilInputs(o) + " give " + t.name + " " + Shown(v) + " " + t.unit + " at " +
                               Shown(o.Prs.GetPRSo(static_cast<std::int16_t>(k))) +
                               " psia, beyond any oil (" + Shown(t.lo) + " to " + Shown(t.hi) + " " + t.unit +
                               ")"});
            return; // one line: the first symptom
        }
    }
}

} // namespace

const std::vector<InputBound>& InputBounds() {
    static const std::vector<InputBound> bounds = Describe();
    return bounds;
}

const InputBound* FindInputBound(std::string_view key) {
    static const AsciiFoldedIndex<InputBound> byKey(InputBounds(), [](const InputBound& b) { return b.key; });
    return byKey.Find(key);
}

std::optional<std::string> InputValueRefusal(std::string_view key, double value, std::string_view unit) {
    const InputBound* b = FindInputBound(key);
    if (const auto single = SingleProblem(value)) {
        const std::string name = b ? b->what + " (" + b->key + ")" : std::string(key);
        return name + " " + *single;
    }
    if (!b) return std::nullopt;
    const double inBound = b->unit == std::string_view(kTemperature) && Celsius(unit) ? ToF(value) : value;
    const std::string fault = Fault(*b, inBound);
    if (fault.empty()) return std::nullopt;
    return Named(*b, value, unit) + " " + fault;
}

std::optional<std::string> InputRefusal(std::string_view key, std::string_view text, std::string_view unit) {
    std::size_t first = 0, last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t'))
        ++first;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t'))
        --last;
    const std::string_view t = text.substr(first, last - first);
    if (t.empty()) return IsLab(key) ? std::nullopt : InputValueRefusal(key, 0.0, unit);
    const InputBound* b = FindInputBound(key);
    const ProjectField* field = FindField(key);
    if (!b && (!field || !field->Numeric())) return std::nullopt; // a text, a unit letter, a mode
    const std::string name = b ? b->what + " (" + b->key + ")" : std::string(key);
    // Digits, a sign, a point and an exponent only: strtod would also take "inf", "nan" and hex.
    const bool plain = std::all_of(t.begin(), t.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' ||
               c == 'E';
    });
    const std::string copy(t);
    char* end = nullptr;
    errno = 0;
    const double value = plain ? std::strtod(copy.c_str(), &end) : 0.0;
    if (!plain || end != copy.c_str() + copy.size() || copy.find_first_of("0123456789") == std::string::npos)
        return name + " " + Quoted(t) + " is not a number";
    // A text with a digit other than 0 before its exponent is not 0, however small.
    const std::size_t e = copy.find_first_of("eE");
    const bool nonZero = copy.substr(0, e).find_first_of("123456789") != std::string::npos;
    if (nonZero && value == 0.0)
        return name + " " + Quoted(t) +
               " is too small for a single-precision number (not 0 but below 1.18E-38)";
    return InputValueRefusal(key, value, unit);
}

std::vector<InputProblem> InputRefusals(const Q7Objects& o) {
    std::vector<InputProblem> out;
    for (const InputBound& b : InputBounds()) {
        const std::optional<Held> h = HeldValue(o, b, true);
        if (!h) continue;
        if (auto why = InputValueRefusal(b.key, h->value, h->unit)) {
            out.push_back({b.key, *why});
        } else if (b.key[0] == 'p' && std::isdigit(static_cast<unsigned char>(b.key[1])) &&
                   !(h->value > 0.0)) {
            // A place left empty inside the list of typed pressures would be a 0 psia row.
            out.push_back({b.key, Named(b, h->value, h->unit) +
                                      " is at or below 0: a place inside the list of "
                                      "pressures is empty"});
        }
    }
    Relations(o, out);
    return out;
}

std::optional<std::string> BoxRefusal(const Q7Objects& o, std::string_view key, std::string_view text) {
    const std::string lower = AsciiLower(key);
    std::string unit = "F";
    if (lower == "stdtemp") unit = o.Fluid.StdTU();
    if (lower == "restemp") unit = o.Fluid.ResTU();
    if (lower == "sept") unit = o.Oil.SepTU();
    if (auto why = InputRefusal(key, text, unit)) return why;
    for (const RelationFault& f : RelationFaults(o))
        for (const std::string& k : f.keys)
            if (AsciiEqualFold(k, key)) return f.text;
    return std::nullopt;
}

std::vector<InputWarning> InputWarnings(const Q7Objects& o) {
    std::vector<InputWarning> out;
    for (const InputBound& b : InputBounds()) {
        const std::optional<Held> h = HeldValue(o, b, false);
        if (!h) continue;
        const double v = InBoundUnit(b, *h);
        if (!Fault(b, v).empty()) continue; // refused, not warned
        if (v >= b.plausibleLo && v <= b.plausibleHi) continue;
        const std::string side =
            v > b.plausibleHi ? "is above " + Limit(b, b.plausibleHi) : "is below " + Limit(b, b.plausibleLo);
        out.push_back({b.key, h->value, Named(b, h->value, h->unit) + " " + side + ": " + b.beyond});
    }
    OilTables(o, out);
    return out;
}

CompositionSum CompositionSumFault(float sum) {
    if (!(sum > 0.0f)) return CompositionSum::Empty;
    // As the total box shows it: 1.0000 is 1 however the singles add up below its last decimal.
    if (static_cast<double>(sum) >= 1.00005) return CompositionSum::AboveOne;
    if (static_cast<double>(sum) < 0.999) return CompositionSum::BelowOne;
    return CompositionSum::Fine;
}

} // namespace q7
