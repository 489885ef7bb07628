#include "writers/EclipseTableDescription.h"

#include "engine/FieldUnits.h"
#include "engine/Q7Objects.h"
#include "numeric/Checked.h"
#include "numeric/NumericText.h"
#include "writers/WriterText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace q7 {

namespace {

using Q = EclipseQuantity;
namespace R = EclipseRule;

// ---- Comment lines above the tables ----

std::string StockTankDensity(const char* phase, float density, std::int16_t width, EclipseUnits units) {
    return std::string("-- STOCK TANK ") + phase + " DENSITY " +
           (units == EclipseUnits::Metric ? "(KG/M3)" : "(LB/SCF)") + " = " +
           EclipseNumber(density, Q::Density, width, 3, units);
}

std::vector<std::string> OilPreamble(const Q7Objects& o, EclipseUnits units) {
    return {StockTankDensity("OIL", o.Oil.STDenOil(), 10, units), ""};
}
std::vector<std::string> GasPreamble(const Q7Objects& o, EclipseUnits units) {
    return {StockTankDensity("GAS", o.Gas.STDenGas(), 7, units), ""};
}
std::vector<std::string> WaterPreamble(const Q7Objects& o, EclipseUnits units) {
    return {StockTankDensity("WATER", o.Water.STDenWat(), 7, units), ""};
}

// The comment lines above a saturation table: the inputs of the rock's table (an oil–water, a
// gas–oil or a gas–water one).
std::vector<std::string> RockHeading(const clsRock& rock) {
    const bool gasOil = rock.Fluids() == 1;
    const bool gasWater = rock.Fluids() == 3;
    std::vector<std::string> lines;
    lines.push_back("-- Relative Permeability from Correleations");
    lines.push_back(std::string("-- Fluids: ") + RockFluidsText(rock));
    lines.push_back(std::string("-- Displacement: ") + RockDisplacementText(rock));
    lines.push_back(std::string("-- Lithology: ") + RockLithologyText(rock));
    lines.push_back("-- Connate Water: " + Nbr2Str(rock.SWC(), 8, 2));
    if (gasOil) {
        lines.push_back("-- Residual Oil to Gas: " + Nbr2Str(rock.SORG(), 8, 2));
        lines.push_back("-- Critical Gas: " + Nbr2Str(rock.SGCrit(), 8, 2));
    } else if (gasWater) {
        lines.push_back("-- Critical Gas: " + Nbr2Str(rock.SGCrit(), 8, 2));
    } else {
        lines.push_back(std::string("-- Wettability: ") + RockWettabilityText(rock));
        lines.push_back("-- Residual Oil to Water: " + Nbr2Str(rock.SORW(), 8, 2));
    }
    lines.push_back(std::string("-- Correlation Type: ") + RockCorrelationText(rock));
    if (rock.CORR() == 1) {
        lines.push_back("-- Porosity (frac): " + Nbr2Str(rock.HRPoro(), 6, 2));
        lines.push_back("-- Air Perm (md): " + Nbr2Str(rock.HRAir(), 6, 2));
        lines.push_back("-- Krg @Sorg: " + Nbr2Str(rock.HRKrg(), 6, 2));
    } else if (rock.CORR() == 0) {
        lines.push_back("-- K Exponent: " + Nbr2Str(rock.CoreyK(), 5, 2));
        lines.push_back("-- N Exponent: " + Nbr2Str(rock.CoreyN(), 5, 2));
    }
    for (const RockModelLine& line : RockModelLines(rock))
        lines.push_back("-- " + line.label + ": " + line.value);
    lines.emplace_back();
    return lines;
}
// The rock's table of each system (the rock itself unless it holds two). A case without one has
// no such table to write.
const clsRock& OilWater(const Q7Objects& o) {
    const clsRock* t = o.Rock.OilWaterTable();
    if (!t) throw std::invalid_argument("the rock table is not an oil-water table");
    return *t;
}
const clsRock& GasOil(const Q7Objects& o) {
    const clsRock* t = o.Rock.GasOilTable();
    if (!t) throw std::invalid_argument("the rock table is not a gas-oil table");
    return *t;
}

// The table that gives the water curve of SWFN (the oil–water table, else the gas–water one) and
// the gas curve of SGFN (the gas–oil table, else the gas–water one).
const clsRock& WaterCurve(const Q7Objects& o) {
    const clsRock* t = o.Rock.OilWaterTable() ? o.Rock.OilWaterTable() : o.Rock.GasWaterTable();
    if (!t) throw std::invalid_argument("the rock has no water curve");
    return *t;
}
const clsRock& GasCurve(const Q7Objects& o) {
    const clsRock* t = o.Rock.GasOilTable() ? o.Rock.GasOilTable() : o.Rock.GasWaterTable();
    if (!t) throw std::invalid_argument("the rock has no gas curve");
    return *t;
}
const clsRock& GasWater(const Q7Objects& o) {
    const clsRock* t = o.Rock.GasWaterTable();
    if (!t) throw std::invalid_argument("the rock table is not a gas-water table");
    return *t;
}

std::vector<std::string> OilWaterPreamble(const Q7Objects& o, EclipseUnits) {
    return RockHeading(OilWater(o));
}
std::vector<std::string> GasOilPreamble(const Q7Objects& o, EclipseUnits) {
    return RockHeading(GasOil(o));
}
std::vector<std::string> WaterCurvePreamble(const Q7Objects& o, EclipseUnits) {
    return RockHeading(WaterCurve(o));
}
std::vector<std::string> GasCurvePreamble(const Q7Objects& o, EclipseUnits) {
    return RockHeading(GasCurve(o));
}
std::vector<std::string> GasWaterPreamble(const Q7Objects& o, EclipseUnits) {
    return RockHeading(GasWater(o));
}
// The oil curves: the inputs of each table they come from.
std::vector<std::string> OilCurvePreamble(const Q7Objects& o, EclipseUnits) {
    std::vector<std::string> lines;
    for (const clsRock* t : {o.Rock.OilWaterTable(), o.Rock.GasOilTable()}) {
        if (!t) continue;
        if (!lines.empty()) lines.pop_back(); // one empty line, after the last table's lines
        for (std::string& line : RockHeading(*t))
            lines.push_back(std::move(line));
    }
    return lines;
}

// ---- The rows of each table ----

double D(float v) {
    return static_cast<double>(v);
}

// Dead oil from the bubble point upwards; Bo rb/stb and viscosity cp, as clsOil gives them.
std::vector<EclipseRecordRows> PVDORows(const Q7Objects& o) {
    EclipseRecordRows rows;
    for (std::int16_t i = o.Prs.BPPi(); i >= 1; --i)
        rows.push_back({i, {D(o.Prs.GetPRSo(i)), D(o.Oil.GetBO(i)), D(o.Oil.GetMUO(i))}});
    return {rows};
}

// The oil saturated at schedule row i compressed to pu psia, written as row `source`.
EclipseRow PVTOUndersaturatedRow(const Q7Objects& o, std::int16_t i, double pu, std::int16_t source) {
    const clsOil& oil = o.Oil;
    const double p1 = o.Prs.GetPRSo(i);
    const double bu = D(oil.GetBOS(i)) * Exp(-(pu - p1) * D(oil.GetCO(i)));
    const double m = 2.6 * Pow(pu, 1.187) * Exp(-11.513 - 0.0000898 * pu);
    const double mu = D(oil.GetMUOS(i)) * Pow(Div(pu, p1), m);
    return {source, {pu, bu, mu}};
}

// The row a live-oil table adds 200 psi above the top of the schedule, so that its highest record
// has two rows: Bo from the oil compressibility at the top pressure; viscosity by the Vazquez-Beggs
// undersaturated relation mu = mu_b (p / p_b)^m, m = 2.6 p^1.187 exp(-11.513 - 8.98E-05 p).
EclipseRow PVTOExtrapolatedRow(const Q7Objects& o) {
    return PVTOUndersaturatedRow(o, 1, D(o.Prs.GetPRSo(1)) + 200.0, 1);
}

// Live oil: one record per saturated GOR, rising with pressure. The bubble-point record carries
// the undersaturated branch of the reservoir oil; the highest record gets the extrapolated row.
//     RS (Mscf/stb)  P (psia)   Bo (rb/stb)  Muo (cp)
//         0.676        1880.0      1.4055      0.261   /    saturated, below the bubble point
//         2.169        4990.6      2.3218      0.163        bubble point
//                      5075.0      2.3170      0.164        undersaturated branch
//                      7210.0      2.2169      0.198   /
//         3.372        7210.0      3.1562      0.135        highest record
//                      7410.0      3.1452      0.137   /    extrapolated
std::vector<EclipseRecordRows> PVTORows(const Q7Objects& o) {
    const clsPrs& prs = o.Prs;
    const clsOil& oil = o.Oil;
    const std::int16_t bppi = prs.BPPi();
    std::vector<EclipseRecordRows> records;
    if (prs.NPRSo() < 1) return records;
    for (std::int16_t i = prs.NPRSo(); i >= 1; --i) {
        EclipseRecordRows& rec = records.emplace_back();
        rec.push_back(
            {i, {D(oil.GetRSOS(i)) / 1000.0, D(prs.GetPRSo(i)), D(oil.GetBOS(i)), D(oil.GetMUOS(i))}});
        if (i == bppi) {
            for (std::int16_t j = static_cast<std::int16_t>(i - 1); j >= 1; --j)
                rec.push_back({j, {D(prs.GetPRSo(j)), D(oil.GetBO(j)), D(oil.GetMUO(j))}});
            // A bubble point at the top of the schedule leaves a line closing nothing.
            if (i == 1) rec.push_back({});
        }
    }
    records.back().push_back(PVTOExtrapolatedRow(o));
    return records;
}

// Dry gas: Bg converted from rcf/scf to rb/Mscf.
std::vector<EclipseRecordRows> PVDGRows(const Q7Objects& o) {
    EclipseRecordRows rows;
    for (std::int16_t i = o.Prs.NPRSo(); i >= 1; --i)
        rows.push_back(
            {i, {D(o.Prs.GetPRSo(i)), D(o.Gas.GetBG(i)) * 1000.0 / kCubicFeetPerBarrel, D(o.Gas.GetMUG(i))}});
    return {rows};
}

// Water at its reference row (PVTWReference).
std::vector<EclipseRecordRows> PVTWRows(const Q7Objects& o) {
    const clsWater& water = o.Water;
    const auto [r, c] = PVTWReference(o);
    return {{{r, {D(o.Prs.GetPRSo(r)), D(water.GetBW(r)), D(water.GetCW(r)), D(water.GetMUW(r)), c}}}};
}

// Stock-tank densities, lb/ft3.
std::vector<EclipseRecordRows> DENSITYRows(const Q7Objects& o) {
    return {{{0, {D(o.Oil.STDenOil()), D(o.Water.STDenWat()), D(o.Gas.STDenGas())}}}};
}

// The capillary pressure of a saturation row (psi); zero, and written as such, without a model.
double CapillaryPressure(const clsRock& rock, std::int16_t i) {
    return rock.HasPc() ? D(rock.GetPC(i)) : 0.0;
}
bool OilWaterPc(const Q7Objects& o) {
    return OilWater(o).HasPc();
}
bool GasOilPc(const Q7Objects& o) {
    return GasOil(o).HasPc();
}

// Water saturation rising from connate water.
std::vector<EclipseRecordRows> SWOFRows(const Q7Objects& o) {
    const clsRock& rock = OilWater(o);
    EclipseRecordRows rows;
    for (std::int16_t i = 1; i <= rock.NWet(); ++i)
        rows.push_back(
            {i, {D(rock.GetSWet(i)), D(rock.GetKRWat(i)), D(rock.GetKROil(i)), CapillaryPressure(rock, i)}});
    return {rows};
}

// Gas saturation rising from 0 to 1 - Swc (the saturation grid runs the other way, so its rows
// are written last to first).
std::vector<EclipseRecordRows> SGOFRows(const Q7Objects& o) {
    const clsRock& rock = GasOil(o);
    EclipseRecordRows rows;
    for (std::int16_t i = rock.NWet(); i >= 1; --i)
        rows.push_back(
            {i, {D(rock.GetSNWet(i)), D(rock.GetKRGas(i)), D(rock.GetKROil(i)), CapillaryPressure(rock, i)}});
    return {rows};
}

bool WaterCurvePc(const Q7Objects& o) {
    return WaterCurve(o).HasPc();
}
bool GasCurvePc(const Q7Objects& o) {
    return o.Rock.GasOilTable() && o.Rock.GasOilTable()->HasPc();
}
bool GasWaterPc(const Q7Objects& o) {
    return GasWater(o).HasPc();
}

// Family II. Water saturation rising from connate water: SWOF without its oil column; in a
// gas–water system the Pc column is the gas–water capillary pressure.
std::vector<EclipseRecordRows> SWFNRows(const Q7Objects& o) {
    const clsRock& rock = WaterCurve(o);
    EclipseRecordRows rows;
    for (std::int16_t i = 1; i <= rock.NWet(); ++i)
        rows.push_back({i, {D(rock.GetSWet(i)), D(rock.GetKRWat(i)), CapillaryPressure(rock, i)}});
    return {rows};
}

// Gas saturation rising from 0: SGOF without its oil column (gas–water: no oil, no Pc of its own).
std::vector<EclipseRecordRows> SGFNRows(const Q7Objects& o) {
    const clsRock& rock = GasCurve(o);
    const bool gasOil = rock.Fluids() == 1;
    EclipseRecordRows rows;
    for (std::int16_t i = rock.NWet(); i >= 1; --i)
        rows.push_back(
            {i, {D(rock.GetSNWet(i)), D(rock.GetKRGas(i)), gasOil ? CapillaryPressure(rock, i) : 0.0}});
    return {rows};
}

// Gas–water in one table: gas saturation rising from 0, gas and water kr, Pcgw.
std::vector<EclipseRecordRows> SGWFNRows(const Q7Objects& o) {
    const clsRock& rock = GasWater(o);
    EclipseRecordRows rows;
    for (std::int16_t i = rock.NWet(); i >= 1; --i)
        rows.push_back(
            {i, {D(rock.GetSNWet(i)), D(rock.GetKRGas(i)), D(rock.GetKRWat(i)), CapillaryPressure(rock, i)}});
    return {rows};
}

// An oil curve as (So, kro) points, So rising, taken from a family I table as written (so that the
// two families give a simulator the same curves): SWOF's kro at So = 1 − Sw, SGOF's at
// So = 1 − swl − Sg.
struct OilPoint {
    double so, kro;
    std::int16_t source;
};
std::vector<OilPoint> WrittenOilCurve(const Q7Objects& o, std::string_view keyword, double swl) {
    const EclipseTable t = LayEclipseTable(o, keyword, EclipseUnits::Field);
    std::vector<OilPoint> out;
    for (const EclipseRow& row : t.records.front()) {
        const std::vector<double> v = EclipseRowAsWritten(t, row);
        out.push_back({keyword == "SWOF" ? 1.0 - v[0] : 1.0 - swl - v[0], v[2], row.source});
    }
    std::sort(out.begin(), out.end(), [](const OilPoint& a, const OilPoint& b) { return a.so < b.so; });
    return out;
}
// The piecewise-linear curve at `so`, level beyond its ends (as a simulator reads a table).
double Interpolated(const std::vector<OilPoint>& curve, double so) {
    if (so <= curve.front().so) return curve.front().kro;
    if (so >= curve.back().so) return curve.back().kro;
    for (std::size_t k = 1; k < curve.size(); ++k) {
        const OilPoint& a = curve[k - 1];
        const OilPoint& b = curve[k];
        if (so > b.so) continue;
        return b.so > a.so ? a.kro + (b.kro - a.kro) * (so - a.so) / (b.so - a.so) : b.kro;
    }
    return curve.back().kro;
}
// The lowest water saturation of the SWOF table as written.
double WrittenSwl(const Q7Objects& o) {
    const EclipseTable t = LayEclipseTable(o, "SWOF", EclipseUnits::Field);
    return EclipseRowAsWritten(t, t.records.front().front())[0];
}

// Three-phase oil: krow and krog on the oil saturations of both curves, each curve read
// piecewise-linearly at the other's points.
std::vector<EclipseRecordRows> SOF3Rows(const Q7Objects& o) {
    OilWater(o);
    GasOil(o);
    const std::vector<OilPoint> ow = WrittenOilCurve(o, "SWOF", 0.0);
    const std::vector<OilPoint> go = WrittenOilCurve(o, "SGOF", WrittenSwl(o));
    std::vector<OilPoint> all = ow;
    all.insert(all.end(), go.begin(), go.end());
    std::stable_sort(all.begin(), all.end(),
                     [](const OilPoint& a, const OilPoint& b) { return a.so < b.so; });
    EclipseRecordRows rows;
    double last = -1.0;
    for (const OilPoint& p : all) {
        const double so = std::round(p.so * 1e6) / 1e6; // the written decimals' sums, without noise
        if (so <= last) continue;
        last = so;
        rows.push_back({p.source, {so, Interpolated(ow, so), Interpolated(go, so)}});
    }
    return {rows};
}

// Two-phase oil: the oil curve of the one oil table (oil–water, else gas–oil with no water).
std::vector<EclipseRecordRows> SOF2Rows(const Q7Objects& o) {
    const bool oilWater = o.Rock.OilWaterTable() != nullptr;
    if (!oilWater) GasOil(o);
    const std::vector<OilPoint> curve = WrittenOilCurve(o, oilWater ? "SWOF" : "SGOF", 0.0);
    EclipseRecordRows rows;
    double last = -1.0;
    for (const OilPoint& p : curve) {
        const double so = std::round(p.so * 1e6) / 1e6;
        if (so <= last) continue;
        last = so;
        rows.push_back({p.source, {so, p.kro}});
    }
    return {rows};
}

// Mscf/stb at the bubble point and the bubble point (psia).
std::vector<EclipseRecordRows> RSCONSTRows(const Q7Objects& o) {
    return {{{0, {D(o.Oil.GetRSO(o.Prs.BPPi())) / 1000.0, D(o.Oil.Pbp())}}}};
}

} // namespace

namespace {

// ---- The descriptions ----

constexpr std::string_view kCapillaryZero = "     0.000";

const std::vector<EclipseTableDescription>& Specs() {
    static const std::vector<EclipseTableDescription> specs = [] {
        std::vector<EclipseTableDescription> s;
        s.push_back({
            .keyword = "PVDO",
            .extension = ".pvdo",
            .kind = EclipseTableKind::Pressure,
            .fieldHeading = "--   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)",
            .metricHeading = "--    PRESS(BARSA)   BO(RM3/SM3)    MUO(CP)",
            .columns = {{"pressure", Q::Pressure, 15, 1, R::kRising | R::kPositive},
                        {"Bo", Q::VolumeRatio, 14, 4, R::kFalling | R::kPositive},
                        {"viscosity", Q::Viscosity, 11, 3, R::kNotFalling | R::kPositive}},
            .minRows = 2,
            .tooFewRows = "only one pressure row (the bubble point is at the top of the schedule); a "
                          "dead-oil table needs at least two: raise the highest pressure above the "
                          "bubble point",
            .preamble = OilPreamble,
            .rows = PVDORows,
        });
        s.push_back({
            .keyword = "PVTO",
            .extension = ".pvto",
            .kind = EclipseTableKind::Pressure,
            .fieldHeading = "--  RSO(MCF/B)   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)",
            .metricHeading = "--  RSO(SM3/SM3)   PRESS(BARSA)   BO(RM3/SM3)    MUO(CP)",
            .columns = {{"Rs", Q::GasOilRatio, 14, 3, R::kRisingByRecord | R::kNotNegative},
                        {"pressure", Q::Pressure, 15, 1, R::kRising | R::kPositive},
                        {"Bo", Q::VolumeRatio, 14, 4, R::kFalling | R::kPositive},
                        // A record's viscosity may fall: simulators take the undersaturated branch as it is.
                        {"viscosity", Q::Viscosity, 11, 3, R::kPositive}},
            .argument = 1,
            .rowEnd = " ",
            .recordEnd = "   /",
            .minRecords = 2,
            .tooFewRecords = "only one saturated record; the simulator interpolates the saturated curve "
                             "between records and needs at least two: add a pressure below the bubble point",
            .preamble = OilPreamble,
            .rows = PVTORows,
        });
        s.push_back({
            .keyword = "PVDG",
            .extension = ".pvdg",
            .kind = EclipseTableKind::Pressure,
            .fieldHeading = "--  PRESSURE(PSIA)   BG(RB/MCF)  MUG(CP)",
            .metricHeading = "--  PRESSURE(BARSA)        BG(RM3/SM3)  MUG(CP)",
            .columns = {{"pressure", Q::Pressure, 15, 1, R::kRising | R::kPositive},
                        {"Bg", Q::GasVolume, 15, 5, R::kFalling | R::kPositive},
                        {"viscosity", Q::Viscosity, 9, 4, R::kNotFalling | R::kPositive}},
            .minRows = 2,
            .tooFewRows = "only one pressure row; the simulator interpolates a gas table between rows and "
                          "needs at least two: add a pressure",
            .preamble = GasPreamble,
            .rows = PVDGRows,
        });
        s.push_back({
            .keyword = "PVTW",
            .extension = ".pvtw",
            .kind = EclipseTableKind::Record,
            .fieldHeading = "--  Pref(PSIA)   BWref(RB/STB)   CWref(PSI-1)   MUWref(CP)      DMUWDP",
            .metricHeading = "--   Pref(BARSA)  BWref(RM3/SM3)   CWref(BAR-1)   MUWref(CP) DMUWDP(BAR-1)",
            .columns = {{"reference pressure", Q::Pressure, 14, 1, 0},
                        {"Bw", Q::VolumeRatio, 16, 4, R::kPositive},
                        {"compressibility", Q::PerPressure, 15, 7, 0},
                        {"viscosity", Q::Viscosity, 13, 3, R::kPositive},
                        {"viscosibility", Q::PerPressure, 12, 7, 0}},
            .recordEnd = "    /",
            .closingSlash = false,
            .preamble = WaterPreamble,
            .rows = PVTWRows,
        });
        s.push_back({
            .keyword = "DENSITY",
            .extension = ".dens",
            .kind = EclipseTableKind::Record,
            .fieldHeading = "--  StockTank Oil   StockTank Water   StockTank Gas",
            .metricHeading = "--  StockTank Oil(KG/M3) StockTank Water(KG/M3) StockTank Gas(KG/M3)",
            .columns = {{"oil density", Q::Density, 17, 3, R::kPositive},
                        {"water density", Q::Density, 18, 3, R::kPositive},
                        {"gas density", Q::Density, 16, 3, R::kPositive}},
            .recordEnd = "    /",
            .closingSlash = false,
            .rows = DENSITYRows,
        });
        const unsigned kr = R::kUnitRange | R::kSomewherePositive;
        s.push_back({
            .keyword = "SWOF",
            .extension = ".swof",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SWAT     KRWAT     KROIL      PCOW",
            .metricHeading = "--      SWAT     KRWAT     KROIL PCOW(BARSA)",
            .columns =
                {{"Sw", Q::Fraction, 12, 2, R::kRising | R::kUnitRange},
                 {"krw", Q::Fraction, 10, 4, kr | R::kFirstZero, "water"},
                 {"kro", Q::Fraction, 10, 4, kr | R::kReachesZero, "oil"},
                 // Pcow falls as the water saturation rises.
                 {"capillary pressure", Q::Pressure, 10, 3, R::kNotRising, {}, kCapillaryZero, OilWaterPc}},
            .minRows = 2,
            .tooFewRows = "only one saturation row; the simulator interpolates a saturation table between "
                          "rows and needs at least two",
            .preamble = OilWaterPreamble,
            .rows = SWOFRows,
        });
        s.push_back({
            .keyword = "SGOF",
            .extension = ".sgof",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SGAS     KRGAS     KROIL      PCOG",
            .metricHeading = "--      SGAS     KRGAS     KROIL PCOG(BARSA)",
            .columns =
                {{"Sg", Q::Fraction, 12, 4, R::kRising | R::kUnitRange | R::kFirstZero},
                 {"krg", Q::Fraction, 10, 4, kr | R::kFirstZero, "gas"},
                 {"kro", Q::Fraction, 10, 4, kr | R::kReachesZero, "oil"},
                 // Pcog rises with the gas saturation (the liquid, the wetting phase, falls).
                 {"capillary pressure", Q::Pressure, 10, 3, R::kNotFalling, {}, kCapillaryZero, GasOilPc}},
            .minRows = 2,
            .tooFewRows = "only one saturation row; the simulator interpolates a saturation table between "
                          "rows and needs at least two",
            .preamble = GasOilPreamble,
            .rows = SGOFRows,
        });
        // Family II: each phase's curves on its own saturation.
        s.push_back({
            .keyword = "SWFN",
            .extension = ".swfn",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SWAT     KRWAT      PCOW",
            .metricHeading = "--      SWAT     KRWAT PCOW(BARSA)",
            .columns =
                {{"Sw", Q::Fraction, 12, 2, R::kRising | R::kUnitRange},
                 {"krw", Q::Fraction, 10, 4, kr | R::kFirstZero, "water"},
                 {"capillary pressure", Q::Pressure, 10, 3, R::kNotRising, {}, kCapillaryZero, WaterCurvePc}},
            .preamble = WaterCurvePreamble,
            .rows = SWFNRows,
        });
        s.push_back({
            .keyword = "SGFN",
            .extension = ".sgfn",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SGAS     KRGAS      PCOG",
            .metricHeading = "--      SGAS     KRGAS PCOG(BARSA)",
            .columns =
                {{"Sg", Q::Fraction, 12, 4, R::kRising | R::kUnitRange | R::kFirstZero},
                 {"krg", Q::Fraction, 10, 4, kr | R::kFirstZero, "gas"},
                 {"capillary pressure", Q::Pressure, 10, 3, R::kNotFalling, {}, kCapillaryZero, GasCurvePc}},
            .preamble = GasCurvePreamble,
            .rows = SGFNRows,
        });
        s.push_back({
            .keyword = "SOF3",
            .extension = ".sof3",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SOIL      KROW      KROG",
            .metricHeading = "--      SOIL      KROW      KROG",
            .columns = {{"So", Q::Fraction, 12, 4, R::kRising | R::kUnitRange},
                        {"krow", Q::Fraction, 10, 4, kr | R::kFirstZero, "oil"},
                        {"krog", Q::Fraction, 10, 4, kr | R::kFirstZero, "oil"}},
            .preamble = OilCurvePreamble,
            .rows = SOF3Rows,
        });
        s.push_back({
            .keyword = "SOF2",
            .extension = ".sof2",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SOIL     KROIL",
            .metricHeading = "--      SOIL     KROIL",
            .columns = {{"So", Q::Fraction, 12, 4, R::kRising | R::kUnitRange},
                        {"kro", Q::Fraction, 10, 4, kr | R::kFirstZero, "oil"}},
            .preamble = OilCurvePreamble,
            .rows = SOF2Rows,
        });
        s.push_back({
            .keyword = "SGWFN",
            .extension = ".sgwfn",
            .kind = EclipseTableKind::Saturation,
            .fieldHeading = "--      SGAS     KRGAS     KRWAT      PCGW",
            .metricHeading = "--      SGAS     KRGAS     KRWAT PCGW(BARSA)",
            .columns =
                {{"Sg", Q::Fraction, 12, 4, R::kRising | R::kUnitRange | R::kFirstZero},
                 {"krg", Q::Fraction, 10, 4, kr | R::kFirstZero, "gas"},
                 {"krw", Q::Fraction, 10, 4, kr | R::kReachesZero, "water"},
                 // Pcgw rises with the gas saturation (the water, the wetting phase, falls).
                 {"capillary pressure", Q::Pressure, 10, 3, R::kNotFalling, {}, kCapillaryZero, GasWaterPc}},
            .preamble = GasWaterPreamble,
            .rows = SGWFNRows,
        });
        s.push_back({
            .keyword = "RSCONST",
            .kind = EclipseTableKind::Record,
            .metricHeading = "--   RS(SM3/SM3) PBUB(BARSA)",
            .columns = {{"Rs", Q::GasOilRatio, 12, 3, 0}, {"bubble point", Q::Pressure, 9, 1, 0}},
            .recordEnd = "     /",
            .closingSlash = false,
            .rows = RSCONSTRows,
        });
        return s;
    }();
    return specs;
}

// The number a column's text holds, whatever the process's locale.
double ReadBack(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    double v = 0.0;
    if (start != std::string::npos) std::from_chars(text.data() + start, text.data() + text.size(), v);
    return v;
}

// A value of a row, as a single in the table's units.
float InTableUnits(const EclipseTable& t, std::size_t column, double fieldValue) {
    return InUnits(Single(fieldValue), t.decl->columns[column].quantity, t.units);
}

// Calls cell(column, value, width) for each value of a row: the first value written takes the room
// of the blank columns before it.
template <typename Cell> void ForEachCell(const EclipseTable& t, const EclipseRow& row, Cell cell) {
    const std::size_t n = t.decl->columns.size();
    const std::size_t first = n - row.values.size();
    std::int16_t room = 0;
    for (std::size_t c = 0; c < first; ++c)
        room = static_cast<std::int16_t>(room + t.formats[c].width);
    for (std::size_t c = first; c < n; ++c) {
        const std::int16_t width = static_cast<std::int16_t>(t.formats[c].width + (c == first ? room : 0));
        cell(c, row.values[c - first], width, c == first);
    }
}

} // namespace

const EclipseTableDescription& EclipseSpec(std::string_view keyword) {
    for (const EclipseTableDescription& decl : Specs())
        if (decl.keyword == keyword) return decl;
    throw std::invalid_argument("not an Eclipse table keyword: " + std::string(keyword));
}

EclipseTable LayEclipseTableAsDescribed(const Q7Objects& objects, std::string_view keyword,
                                        EclipseUnits units) {
    const EclipseTableDescription& decl = EclipseSpec(keyword);
    EclipseTable t;
    t.decl = &decl;
    t.units = units;
    for (const EclipseColumn& c : decl.columns) {
        t.formats.push_back(c.In(units));
        t.fixed.push_back(!c.fixedText.empty() && !(c.computed && c.computed(objects)));
    }
    if (decl.preamble) t.preamble = decl.preamble(objects, units);
    t.records = decl.rows(objects);
    return t;
}

namespace {

// Whether column c is written as its fixed text (a table laid out by hand has no flags: its
// description decides).
bool WrittenFixed(const EclipseTable& t, std::size_t c) {
    return c < t.fixed.size() ? static_cast<bool>(t.fixed[c]) : !t.decl->columns[c].fixedText.empty();
}

// The most decimals a column is given to keep neighbours apart: a single holds no more than about
// eight significant digits, and a column of small numbers (METRIC Bg, 8 decimals) three more.
constexpr std::int16_t kMostDecimals = 8;
constexpr std::int16_t kMostExtraDecimals = 3;

// Two values a strict rule of a column compares: `before` must be below `after` (rising) or above.
struct StrictPair {
    float before, after;
    bool rising;
};

// The value of column c in a row, when the row holds that column.
const double* ValueOf(const EclipseTable& t, const EclipseRow& row, std::size_t c) {
    const std::size_t first = t.decl->columns.size() - row.values.size();
    if (row.values.empty() || c < first) return nullptr;
    return &row.values[c - first];
}

std::vector<StrictPair> StrictPairs(const EclipseTable& t, std::size_t c) {
    const unsigned rules = t.decl->columns[c].rules;
    std::vector<StrictPair> pairs;
    if (rules & (R::kRising | R::kFalling)) {
        for (const EclipseRecordRows& record : t.records) {
            const double* prev = nullptr;
            for (const EclipseRow& row : record) {
                const double* v = ValueOf(t, row, c);
                if (!v) continue;
                if (prev)
                    pairs.push_back(
                        {InTableUnits(t, c, *prev), InTableUnits(t, c, *v), (rules & R::kRising) != 0});
                prev = v;
            }
        }
    }
    if (rules & R::kRisingByRecord) {
        for (std::size_t k = 1; k < t.records.size(); ++k) {
            const double* prev = ValueOf(t, t.records[k - 1].front(), c);
            const double* v = ValueOf(t, t.records[k].front(), c);
            if (prev && v) pairs.push_back({InTableUnits(t, c, *prev), InTableUnits(t, c, *v), true});
        }
    }
    return pairs;
}

bool Strict(double before, double after, bool rising) {
    return rising ? after > before : after < before;
}

// Every pair that is strict in the values themselves stays strict written with `decimals`.
bool KeptApart(const std::vector<StrictPair>& pairs, std::int16_t decimals) {
    for (const StrictPair& p : pairs) {
        if (!Strict(p.before, p.after, p.rising)) continue;
        if (!Strict(ReadBack(FixedText(p.before, decimals)), ReadBack(FixedText(p.after, decimals)),
                    p.rising))
            return false;
    }
    return true;
}

// Where only the written precision makes two neighbours of a strictly ordered column equal (two
// pressures, two saturations, two records' Rs), the column is written with the decimals it needs,
// and a note says so. A column whose values themselves are level or out of order is left as it is:
// the checks report it.
void KeepNeighboursApart(EclipseTable& t) {
    for (std::size_t c = 0; c < t.decl->columns.size(); ++c) {
        if (WrittenFixed(t, c)) continue;
        const std::vector<StrictPair> pairs = StrictPairs(t, c);
        ColumnFormat& f = t.formats[c];
        if (pairs.empty() || KeptApart(pairs, f.decimals)) continue;
        const auto most =
            std::max<std::int16_t>(kMostDecimals, static_cast<std::int16_t>(f.decimals + kMostExtraDecimals));
        for (std::int16_t d = static_cast<std::int16_t>(f.decimals + 1); d <= most; ++d) {
            if (!KeptApart(pairs, d)) continue;
            t.notes.push_back(std::string(t.decl->columns[c].name) + " written with " + std::to_string(d) +
                              " decimals, not " + std::to_string(f.decimals) +
                              ", so that neighbouring values stay apart as written");
            f.width = static_cast<std::int16_t>(f.width + d - f.decimals);
            f.decimals = d;
            break;
        }
    }
}

// The decimals a table's saturations are given under a capillary-pressure column: those of the gas
// tables' Sg.
constexpr std::int16_t kPcSaturationDecimals = 4;

// A table whose capillary-pressure column the case computed (a Pc model): its saturations are
// written with 4 decimals where fewer would move a row off the saturation its Pc (and kr) was
// computed at (the grid's half steps and SatRows are not whole hundredths), since near the first
// row Pc falls steeply and a simulator reads every Pc at the saturation written beside it. A note
// says so; without a model nothing changes.
void KeepPcAtItsSaturation(EclipseTable& t) {
    const auto& columns = t.decl->columns;
    bool pc = false;
    for (std::size_t c = 0; c < columns.size(); ++c)
        pc = pc || (columns[c].name == "capillary pressure" && !WrittenFixed(t, c));
    ColumnFormat& f = t.formats.front();
    if (!pc || f.decimals >= kPcSaturationDecimals) return;
    bool moved = false;
    for (const EclipseRecordRows& record : t.records)
        for (const EclipseRow& row : record)
            if (const double* v = ValueOf(t, row, 0)) {
                const float s = InTableUnits(t, 0, *v);
                moved = moved || std::abs(ReadBack(FixedText(s, f.decimals)) - s) > 1e-6;
            }
    if (!moved) return;
    t.notes.push_back(std::string(columns.front().name) + " written with " +
                      std::to_string(kPcSaturationDecimals) + " decimals, not " + std::to_string(f.decimals) +
                      ", so that each capillary pressure is read at the saturation it was computed at");
    f.decimals = kPcSaturationDecimals; // the column's width holds them, still under its heading
}

// A saturated record of a live-oil table as written: Rs, pressure and Bo in the table's units.
struct SaturatedPoint {
    std::size_t record = 0;
    std::int16_t source = 0;
    double rs = 0.0, p = 0.0, bo = 0.0;
};

std::vector<SaturatedPoint> SaturatedCurve(const EclipseTable& pvto) {
    std::vector<SaturatedPoint> curve;
    for (std::size_t k = 0; k < pvto.records.size(); ++k) {
        const EclipseRecordRows& record = pvto.records[k];
        if (record.empty() || record.front().values.size() < 4) continue;
        const std::vector<double> v = EclipseRowAsWritten(pvto, record.front());
        curve.push_back({k, record.front().source, v[0], v[1], v[2]});
    }
    return curve;
}

// Bg as the simulator reads the written gas table: 1/Bg linear in pressure between its rows.
class WrittenBg {
public:
    explicit WrittenBg(const EclipseTable& pvdg) {
        for (const EclipseRecordRows& record : pvdg.records)
            for (const EclipseRow& row : record) {
                if (row.values.size() != 3) continue;
                const std::vector<double> v = EclipseRowAsWritten(pvdg, row);
                if (v[1] > 0.0) m_rows.emplace_back(v[0], 1.0 / v[1]);
            }
        std::sort(m_rows.begin(), m_rows.end());
    }
    bool Empty() const { return m_rows.empty(); }
    double At(double p) const {
        if (p <= m_rows.front().first) return 1.0 / m_rows.front().second;
        for (std::size_t k = 1; k < m_rows.size(); ++k) {
            const auto& [p0, b0] = m_rows[k - 1];
            const auto& [p1, b1] = m_rows[k];
            if (p <= p1) return 1.0 / (p1 > p0 ? b0 + (b1 - b0) * (p - p0) / (p1 - p0) : b1);
        }
        return 1.0 / m_rows.back().second;
    }

private:
    std::vector<std::pair<double, double>> m_rows; // pressure, 1/Bg
};

// Bo of a record's oil at pressure p as the simulator reads the record's rows: 1/Bo linear between
// them, and along the last two beyond them.
double BoAlongRecord(const EclipseTable& pvto, const EclipseRecordRows& record, double p) {
    std::vector<std::pair<double, double>> rows; // pressure, 1/Bo as written
    for (const EclipseRow& row : record) {
        const std::vector<double> v = EclipseRowAsWritten(pvto, row);
        if (v.size() >= 3 && v[v.size() - 2] > 0.0) rows.emplace_back(v[v.size() - 3], 1.0 / v[v.size() - 2]);
    }
    if (rows.size() < 2) return rows.empty() ? 0.0 : 1.0 / rows.front().second;
    std::size_t k = 1;
    while (k + 1 < rows.size() && p > rows[k].first)
        ++k;
    const auto& [p0, b0] = rows[k - 1];
    const auto& [p1, b1] = rows[k];
    return 1.0 / (b0 + (b1 - b0) * (p - p0) / (p1 - p0));
}

// The interval from saturated record a up to c. From a record with undersaturated rows (the bubble
// point's) the oil reaches c in two steps the simulator tells apart: compressed along those rows to
// c's pressure, then swollen at that pressure by the gas it dissolves. Its total compressibility is
// positive where that swelling takes less than the volume of the gas, Bg dRs: the oil term is
// (Bo_c - Bo_a(p_c)) / dp, the saturated curve's dBo/dp less the undersaturated rows'.
CompressibilityInterval Interval(const EclipseTable& pvto, const SaturatedPoint& a, const SaturatedPoint& c,
                                 const WrittenBg& bg) {
    const double dp = c.p - a.p;
    const EclipseRecordRows& record = pvto.records[a.record];
    const bool bubblePoint = record.size() > 1;
    const double from = bubblePoint ? BoAlongRecord(pvto, record, c.p) : a.bo;
    return {a.source, c.source, a.p, c.p, bg.At(c.p) * (c.rs - a.rs) / dp, (c.bo - from) / dp, bubblePoint};
}

// Two records whose pressures are apart as written, with a total compressibility that is not positive.
bool NegativeBetween(const EclipseTable& pvto, const SaturatedPoint& a, const SaturatedPoint& c,
                     const WrittenBg& bg) {
    if (!(c.p > a.p)) return false; // level pressures: the pressure rule reports them
    const CompressibilityInterval i = Interval(pvto, a, c, bg);
    return !(i.gasTerm > i.oilTerm);
}

// Whether any interval between the first `count` saturated records is negative.
bool NegativeAmong(const EclipseTable& pvto, const std::vector<SaturatedPoint>& curve, std::size_t count,
                   const WrittenBg& bg) {
    for (std::size_t k = 1; k < count; ++k)
        if (NegativeBetween(pvto, curve[k - 1], curve[k], bg)) return true;
    return false;
}

// A Bo moved by a mend, on the grid of the decimals it is written with: rounded down (`down`) or up,
// so that the interval it closes keeps its share as written.
double BoOnGrid(const EclipseTable& t, double bo, bool down) {
    const double f = std::pow(10.0, t.formats[2].decimals);
    return (down ? std::floor(bo * f + 1e-6) : std::ceil(bo * f - 1e-6)) / f;
}

std::string PressureText(const EclipseTable& t, double written) {
    return FixedText(static_cast<float>(written), t.formats[1].decimals) +
           (t.units == EclipseUnits::Metric ? " barsa" : " psia");
}

// Above the bubble point the saturated curve is the table's own extension: the oil that gas
// injection saturates further, whose Rs the case computes at each pressure of the schedule. Where the
// extension swells the oil by more than the gas it dissolves would take as free gas, Bo is held: the
// oil swells over such an interval by kExtensionShare of Bg dRs, and every higher interval keeps the
// swelling the case computed where that stays within the same share. Rs, pressures and viscosities
// stay, and so does the compressibility of a record's undersaturated rows (they move with its Bo).
// The records are not ended there instead: Flow extrapolates the saturated curve above the highest
// record along its last interval (Rs and Bo linear in pressure; opm-common, LiveOilPvt), so a table
// ended at a record hands the simulator the negative interval above it all the same (Flow 2022.10
// stopped on a drawn heavy oil so mended, under gas injection, and runs it with the swelling held).
constexpr double kExtensionShare = 0.9;

void HoldSwelling(EclipseTable& t, const std::vector<SaturatedPoint>& curve, std::size_t bubble,
                  const WrittenBg& bg) {
    double previous = curve[bubble].bo; // Bo of the record below, as mended
    std::size_t first = 0;
    double was = 0.0, to = 0.0;
    for (std::size_t k = bubble + 1; k < curve.size(); ++k) {
        const SaturatedPoint& a = curve[k - 1];
        const SaturatedPoint& c = curve[k];
        // From the bubble point the swelling is counted from its oil compressed to c's pressure.
        const EclipseRecordRows& below = t.records[a.record];
        const double from = below.size() > 1 ? BoAlongRecord(t, below, c.p) : previous;
        const double step = c.bo - (below.size() > 1 ? from : a.bo);
        const double most = kExtensionShare * bg.At(c.p) * (c.rs - a.rs);
        const double bo = step <= most ? from + step : BoOnGrid(t, from + most, true);
        if (std::abs(bo - c.bo) > 1e-9 * c.bo && c.bo > 0.0) {
            if (first == 0) first = k;
            EclipseRecordRows& record = t.records[c.record];
            const double f = bo / c.bo;
            record.front().values[2] = bo;
            for (std::size_t r = 1; r < record.size(); ++r)
                if (record[r].values.size() == 3) record[r].values[1] *= f;
            was = c.bo;
            to = bo;
        }
        previous = bo;
    }
    if (first == 0) return;
    const int decimals = t.formats[2].decimals;
    t.notes.push_back("Bo of the saturated records from " + PressureText(t, curve[first].p) +
                      " held so that the oil swells by at most " +
                      std::to_string(static_cast<int>(kExtensionShare * 100.0 + 0.5)) +
                      " % of the volume of the gas it dissolves and the total compressibility of the oil "
                      "and its released gas stays positive (at " +
                      PressureText(t, curve.back().p) + " " + FixedText(static_cast<float>(was), decimals) +
                      " becomes " + FixedText(static_cast<float>(to), decimals) + ")");
}

// Where no record can be left out to mend the curve below the bubble point (even the lowest record
// and the bubble point make a negative interval), every record stays and the oil's shrinkage from
// the bubble point is scaled by one factor s, Bo' = Bo_b - s (Bo_b - Bo), so that over the steepest
// interval the oil shrinks by kScaledShare of the volume of the gas it releases. Rs, pressures and
// viscosities stay; Bo still rises with pressure and keeps the shape the case computed, where
// raising the lowest record's Bo alone would bend the curve at a single record.
constexpr double kScaledShare = 0.9;

void ScaleShrinkage(EclipseTable& t, const std::vector<SaturatedPoint>& curve, std::size_t bubble,
                    const WrittenBg& bg) {
    double steepest = 0.0; // the largest dBo/dp over Bg dRs/dp below the bubble point
    for (std::size_t k = 1; k <= bubble; ++k) {
        const CompressibilityInterval i = Interval(t, curve[k - 1], curve[k], bg);
        if (curve[k].p > curve[k - 1].p && i.gasTerm > 0.0)
            steepest = std::max(steepest, i.oilTerm / i.gasTerm);
    }
    if (!(steepest > kScaledShare)) return;
    const double s = kScaledShare / steepest;
    const double bob = curve[bubble].bo;
    // Down from the bubble point, each Bo rounded up to its grid (never above the record over it), and
    // where the interval is so short that rounding would take its share, raised until it holds.
    double above = bob;
    for (std::size_t k = bubble; k-- > 0;) {
        const double gas = kScaledShare * bg.At(curve[k + 1].p) * (curve[k + 1].rs - curve[k].rs);
        above = std::min(above, BoOnGrid(t, std::max(bob - s * (bob - curve[k].bo), above - gas), false));
        t.records[curve[k].record].front().values[2] = above;
    }
    const int decimals = t.formats[2].decimals;
    t.notes.push_back(
        "Shrinkage of the oil below the bubble point scaled by " + FixedText(static_cast<float>(s), 3) +
        " towards its Bo of " + FixedText(static_cast<float>(bob), decimals) +
        ", so that the total compressibility of the oil and its released gas is positive (at " +
        PressureText(t, curve[0].p) + " " + FixedText(static_cast<float>(curve[0].bo), decimals) +
        " becomes " + FixedText(static_cast<float>(above), decimals) + ")");
}

// Below the bubble point the saturated curve is the reservoir oil's own, measured or correlated at
// each pressure of the schedule. Rather than alter a value the case computed, the records that make
// a negative interval are left out, as an engineer thins a laboratory differential liberation whose
// points are inconsistent: the simulator then interpolates the chord between the records kept. Going
// up from the lowest record, a record that would close a negative interval with the last one kept is
// left out; at the bubble point (which stays) the records kept before it are given up one by one
// until the interval to it is positive. Should even the lowest record and the bubble point make a
// negative interval, the shrinkage is scaled instead (ScaleShrinkage).
void ThinSaturatedCurve(EclipseTable& t, const std::vector<SaturatedPoint>& curve, std::size_t bubble,
                        const WrittenBg& bg) {
    // A curve whose intervals are all positive still gets the share the other mends keep: an interval
    // of almost no total compressibility where the producer draws the pressure stops Flow as a
    // negative one does (a drawn live oil whose extension was held, 0.99 from 5401 to 7334 psia,
    // ran once the shrinkage below its bubble point was scaled to 0.9).
    if (!NegativeAmong(t, curve, bubble + 1, bg)) {
        ScaleShrinkage(t, curve, bubble, bg);
        return;
    }
    std::vector<std::size_t> kept{0}, left;
    for (std::size_t k = 1; k <= bubble;) {
        if (!NegativeBetween(t, curve[kept.back()], curve[k], bg)) {
            kept.push_back(k++);
        } else if (k < bubble) {
            left.push_back(k++);
        } else if (kept.size() > 1) {
            left.push_back(kept.back());
            kept.pop_back();
        } else {
            ScaleShrinkage(t, curve, bubble, bg);
            return;
        }
    }
    if (left.empty()) return;
    std::sort(left.begin(), left.end());
    std::string pressures;
    for (std::size_t k : left)
        pressures += (pressures.empty() ? "" : ", ") + PressureText(t, curve[k].p);
    for (auto k = left.rbegin(); k != left.rend(); ++k)
        t.records.erase(t.records.begin() + static_cast<std::ptrdiff_t>(curve[*k].record));
    t.notes.push_back("Saturated records left out below the bubble point, where the total compressibility "
                      "of the oil and its released gas would turn negative: " +
                      pressures);
}

// Between two saturated records the simulator follows one chord: Rs linear in pressure and 1/Bo
// linear, so that over a long interval Bo rises more steeply at its top than the chord does. Where
// the oil swells by more than kLongestSwelling from one record to the next (a bubble point far below
// the next pressure of the schedule, or records left out below it), Flow 2022.10 stopped under gas
// injection on drawn light oils whose every interval was positive (bubble points of 274 and
// 1131 psia, the next records at 1597 and 2402 psia) and ran them with records added on the chord.
// The added records divide the interval at equally spaced pressures into as many steps as swellings
// of kRecordSwelling make up its own: Rs linear in pressure; Bo rising in step with the volume the
// dissolved gas would take as free gas, Bg dRs, so that each step takes the same share of it, less
// than the whole interval took at its top (Bg falls with pressure); and the viscosity geometric
// between the two records, as it falls nearly exponentially with the gas dissolved (a drawn heavy
// oil, 51 cp at 642 psia and 3.8 cp at its bubble point of 4214.5 psia, ran in Flow so and not with
// the viscosity linear).
constexpr double kLongestSwelling = 1.10;
constexpr double kRecordSwelling = 1.05;

void DivideLongIntervals(EclipseTable& t, const WrittenBg& bg) {
    const std::vector<SaturatedPoint> curve = SaturatedCurve(t);
    const double grid = std::pow(10.0, t.formats[1].decimals);
    std::string divided;
    for (std::size_t k = curve.size(); k-- > 1;) {
        const SaturatedPoint& a = curve[k - 1];
        const SaturatedPoint& c = curve[k];
        if (!(a.bo > 0.0 && c.bo > kLongestSwelling * a.bo && c.rs > a.rs)) continue;
        const double steps = std::ceil(std::log(c.bo / a.bo) / std::log(kRecordSwelling));
        const int n = static_cast<int>(std::min(steps, std::floor((c.p - a.p) * grid)));
        if (n < 2) continue;
        // The added pressures on the grid of the written ones, as fractions of the interval.
        std::vector<double> w{0.0};
        for (int i = 1; i < n; ++i)
            w.push_back((std::round((a.p + (c.p - a.p) * i / n) * grid) / grid - a.p) / (c.p - a.p));
        w.push_back(1.0);
        std::vector<double> gas{0.0}; // Bg dRs from the lower record, over the whole interval's dRs
        for (std::size_t i = 1; i < w.size(); ++i)
            gas.push_back(gas.back() + bg.At(a.p + w[i] * (c.p - a.p)) * (w[i] - w[i - 1]));
        const std::vector<double>& lo = t.records[a.record].front().values;
        const std::vector<double>& hi = t.records[c.record].front().values;
        std::vector<EclipseRecordRows> added;
        for (std::size_t i = 1; i + 1 < w.size(); ++i) {
            EclipseRow row{0, lo};
            for (std::size_t v = 0; v < row.values.size(); ++v)
                row.values[v] = lo[v] + w[i] * (hi[v] - lo[v]);
            row.values[2] = lo[2] + gas[i] / gas.back() * (hi[2] - lo[2]);
            if (lo[3] > 0.0 && hi[3] > 0.0) row.values[3] = lo[3] * std::pow(hi[3] / lo[3], w[i]);
            added.push_back({row});
        }
        t.records.insert(t.records.begin() + static_cast<std::ptrdiff_t>(c.record), added.begin(),
                         added.end());
        divided =
            PressureText(t, a.p) + " to " + PressureText(t, c.p) + (divided.empty() ? "" : ", ") + divided;
    }
    if (divided.empty()) return;
    t.notes.push_back("Saturated records added where Bo rises by more than " +
                      std::to_string(static_cast<int>(kLongestSwelling * 100.0 - 100.0 + 0.5)) +
                      " % from one record to the next, Rs linear in pressure, the oil swelling in step "
                      "with the volume of the gas it dissolves and the viscosity geometric: " +
                      divided);
}

// The consistent live-oil table (LayEclipseTable): a table with an interval of negative total
// compressibility as written is mended so that every interval between two saturated records keeps
// a positive one, with Bg from the gas table as written; a table without one is left as it is.
void KeepTotalCompressibilityPositive(const Q7Objects& o, EclipseTable& t) {
    if (!o.Gas.GO()) return;
    const WrittenBg bg(LayEclipseTable(o, "PVDG", t.units));
    if (bg.Empty()) return;
    const std::vector<SaturatedPoint> curve = SaturatedCurve(t);
    if (!NegativeAmong(t, curve, curve.size(), bg)) return;
    const auto bubble = std::find_if(curve.begin(), curve.end(),
                                     [&](const SaturatedPoint& s) { return s.source == o.Prs.BPPi(); });
    if (bubble == curve.end()) return;
    const auto b = static_cast<std::size_t>(bubble - curve.begin());
    HoldSwelling(t, curve, b, bg);
    ThinSaturatedCurve(t, curve, b, bg);
    DivideLongIntervals(t, bg);
}

} // namespace

EclipseTable LayEclipseTable(const Q7Objects& objects, std::string_view keyword, EclipseUnits units,
                             bool consistent) {
    EclipseTable t = LayEclipseTableAsDescribed(objects, keyword, units);
    if (!(consistent && keyword == "PVTO")) {
        KeepPcAtItsSaturation(t);
        KeepNeighboursApart(t);
        return t;
    }
    // The consistent live-oil table is judged with the decimals it is written with, which leaving
    // records out may change (neighbours kept apart need fewer): mend until the written table holds.
    for (int pass = 0;; ++pass) {
        EclipseTable laid = t;
        KeepNeighboursApart(laid);
        const std::size_t notes = t.notes.size();
        if (pass == 4) return laid;
        const std::vector<ColumnFormat> described = t.formats;
        t.formats = laid.formats;
        KeepTotalCompressibilityPositive(objects, t);
        t.formats = described;
        if (t.notes.size() == notes) return laid;
    }
}

std::vector<CompressibilityInterval> NegativeCompressibility(const EclipseTable& pvto,
                                                             const EclipseTable& pvdg) {
    std::vector<CompressibilityInterval> out;
    const WrittenBg bg(pvdg);
    if (bg.Empty()) return out;
    const std::vector<SaturatedPoint> curve = SaturatedCurve(pvto);
    for (std::size_t k = 1; k < curve.size(); ++k)
        if (NegativeBetween(pvto, curve[k - 1], curve[k], bg))
            out.push_back(Interval(pvto, curve[k - 1], curve[k], bg));
    return out;
}

std::string EclipseRowText(const EclipseTable& t, const EclipseRow& row) {
    std::string text;
    ForEachCell(t, row, [&](std::size_t c, double value, std::int16_t width, bool) {
        const EclipseColumn& col = t.decl->columns[c];
        if (WrittenFixed(t, c))
            text += col.fixedText;
        else
            text += Nbr2Str(InTableUnits(t, c, value), width, t.formats[c].decimals);
    });
    return text;
}

std::vector<std::string> EclipseTableLines(const EclipseTable& t) {
    std::vector<std::string> lines = t.preamble;
    for (const std::string& note : t.notes)
        lines.push_back("-- " + note);
    if (!t.decl->Heading(t.units).empty()) lines.emplace_back(t.decl->Heading(t.units));
    for (const EclipseRecordRows& record : t.records) {
        for (std::size_t r = 0; r < record.size(); ++r)
            lines.push_back(EclipseRowText(t, record[r]) +
                            std::string(r + 1 == record.size() ? t.decl->recordEnd : t.decl->rowEnd));
    }
    if (t.decl->closingSlash) lines.emplace_back("/");
    return lines;
}

std::vector<double> EclipseRowAsWritten(const EclipseTable& t, const EclipseRow& row) {
    std::vector<double> out;
    ForEachCell(t, row, [&](std::size_t c, double value, std::int16_t width, bool) {
        if (WrittenFixed(t, c))
            out.push_back(ReadBack(std::string(t.decl->columns[c].fixedText)));
        else
            out.push_back(ReadBack(Nbr2Str(InTableUnits(t, c, value), width, t.formats[c].decimals)));
    });
    return out;
}

std::vector<std::string> EclipseOverflows(const EclipseTable& t) {
    std::vector<std::string> out;
    for (std::size_t k = 0; k < t.records.size(); ++k) {
        std::size_t rowNumber = 0;
        for (const EclipseRow& row : t.records[k]) {
            if (row.values.empty()) continue;
            ++rowNumber;
            ForEachCell(t, row, [&](std::size_t c, double value, std::int16_t width, bool lineStart) {
                const EclipseColumn& col = t.decl->columns[c];
                if (WrittenFixed(t, c)) return;
                const std::string full = FixedText(InTableUnits(t, c, value), t.formats[c].decimals);
                const std::size_t room = static_cast<std::size_t>(width) - (lineStart ? 0 : 1);
                if (full.size() <= room) return;
                out.push_back((k > 0 ? "record " + std::to_string(k + 1) + ", " : std::string()) + "row " +
                              std::to_string(rowNumber) + ": " + std::string(col.name) + " " + full +
                              " does not fit its column of " + std::to_string(width) + " characters");
            });
        }
    }
    return out;
}

WaterReference PVTWReference(const Q7Objects& objects) {
    const clsPrs& prs = objects.Prs;
    const clsWater& water = objects.Water;
    const std::int16_t n = prs.NPRSo();
    WaterReference ref;
    if (n > 2) {
        // n / 2 rounded with ties to the even neighbour: 3 -> 2, 5 -> 2, 7 -> 4.
        const int half = n / 2;
        ref.row = static_cast<std::int16_t>(n % 2 == 0 || half % 2 == 0 ? half : half + 1);
    }
    if (ref.row > 1) {
        const auto up = static_cast<std::int16_t>(ref.row + 1);
        const auto down = static_cast<std::int16_t>(ref.row - 1);
        ref.viscosibility = Div(Div(static_cast<double>(water.GetMUW(up)) - water.GetMUW(down),
                                    static_cast<double>(prs.GetPRSo(up)) - prs.GetPRSo(down)),
                                water.GetMUW(ref.row));
    }
    return ref;
}

} // namespace q7
