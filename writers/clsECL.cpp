#include "writers/clsECL.h"

#include "engine/Checked.h"
#include "engine/NumericText.h"
#include "engine/Q7Objects.h"
#include "writers/EclipseTableText.h"
#include "writers/TextFile.h"
#include "writers/WriterText.h"

#include <stdexcept>

namespace q7 {

namespace {

constexpr std::string_view kCapillaryZero = "     0.000";

} // namespace

clsECL::clsECL(const Q7Objects& objects, MessageSink& sink) : m_objects(objects), m_sink(sink) {
    FileName("Eclipse");
}

std::string EclipseExtension(std::string_view keyword) {
    if (keyword == "PVDO") return ".pvdo";
    if (keyword == "PVTO") return ".pvto";
    if (keyword == "PVDG") return ".pvdg";
    if (keyword == "PVTW") return ".pvtw";
    if (keyword == "DENSITY") return ".dens";
    if (keyword == "SWOF") return ".swof";
    if (keyword == "SGOF") return ".sgof";
    throw std::invalid_argument("not an Eclipse table keyword: " + std::string(keyword));
}

void clsECL::FileName(std::string_view base) {
    m_fileName = base;
    m_pvdoFile = m_fileName + EclipseExtension("PVDO");
    m_pvtoFile = m_fileName + EclipseExtension("PVTO");
    m_pvdgFile = m_fileName + EclipseExtension("PVDG");
    m_pvtwFile = m_fileName + EclipseExtension("PVTW");
    m_densFile = m_fileName + EclipseExtension("DENSITY");
    m_swofFile = m_fileName + EclipseExtension("SWOF");
    m_sgofFile = m_fileName + EclipseExtension("SGOF");
}

void clsECL::Execute() {
    struct Table {
        bool selected;
        const std::string& path;
        const char* keyword;
    };
    const Table tables[] = {
        {m_pvdo, m_pvdoFile, "PVDO"}, {m_pvto, m_pvtoFile, "PVTO"},    {m_pvdg, m_pvdgFile, "PVDG"},
        {m_pvtw, m_pvtwFile, "PVTW"}, {m_dens, m_densFile, "DENSITY"}, {m_swof, m_swofFile, "SWOF"},
        {m_sgof, m_sgofFile, "SGOF"},
    };
    std::string written;
    for (const Table& t : tables) {
        if (!t.selected) continue;
        TextFile file;
        file.Create(t.path);
        WriteTable(file, t.keyword);
        file.Close();
        written += t.keyword;
        written += ' ';
    }
    m_sink.ShowInfo("Eclipse output complete!", "Files: " + written);
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

namespace {

using Q = EclipseQuantity;

// One column: the field value written in `units` (in FIELD units exactly Nbr2Str of the single).
class Columns {
public:
    explicit Columns(EclipseUnits units) : m_units(units) {}
    std::string operator()(double fieldValue, Q quantity, std::int16_t width, std::int16_t decimals) const {
        return EclipseNumber(Single(fieldValue), quantity, width, decimals, m_units);
    }
    bool Metric() const { return m_units == EclipseUnits::Metric; }
    // The caption of the field file or of the metric one.
    const char* Caption(const char* field, const char* metric) const { return Metric() ? metric : field; }

private:
    EclipseUnits m_units;
};

void StockTankDensity(TextFile& file, const Columns& col, const char* phase, float density,
                      std::int16_t width) {
    file.WriteLine(std::string("-- STOCK TANK ") + phase + " DENSITY " + col.Caption("(LB/SCF)", "(KG/M3)") +
                   " = " + col(density, Q::Density, width, 3));
}

// Dead oil from the bubble point upwards; Bo rb/stb and viscosity cp, as clsOil gives them.
void PVDOBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    const clsPrs& prs = o.Prs;
    const clsOil& oil = o.Oil;
    StockTankDensity(file, col, "OIL", oil.STDenOil(), 10);
    file.WriteLine();
    file.WriteLine(col.Caption("--   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)",
                               "--    PRESS(BARSA)   BO(RM3/SM3)    MUO(CP)"));
    for (std::int16_t i = prs.BPPi(); i >= 1; --i) {
        file.WriteLine(col(prs.GetPRSo(i), Q::Pressure, 15, 1), col(oil.GetBO(i), Q::VolumeRatio, 14, 4),
                       col(oil.GetMUO(i), Q::Viscosity, 11, 3));
    }
    file.WriteLine("/");
}

// Live oil: one record per saturated GOR, rising with pressure. The bubble-point record carries
// the undersaturated branch of the reservoir oil; the highest record gets one row extrapolated
// 200 psi above the top of the schedule, as the last record of a PVTO table must have two rows.
//     RS (Mscf/stb)  P (psia)   Bo (rb/stb)  Muo (cp)
//         0.676        1880.0      1.4055      0.261   /    saturated, below the bubble point
//         2.169        4990.6      2.3218      0.163        bubble point
//                      5075.0      2.3170      0.164        undersaturated branch
//                      7210.0      2.2169      0.198   /
//         3.372        7210.0      3.1562      0.135        highest record
//                      7410.0      3.1452      0.137   /    extrapolated
void PVTOBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    const clsPrs& prs = o.Prs;
    const clsOil& oil = o.Oil;
    StockTankDensity(file, col, "OIL", oil.STDenOil(), 10);
    file.WriteLine();
    file.WriteLine(col.Caption("--  RSO(MCF/B)   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)",
                               "--  RSO(SM3/SM3)   PRESS(BARSA)   BO(RM3/SM3)    MUO(CP)"));
    const std::int16_t bppi = prs.BPPi();
    const std::int16_t underWidth = 29; // the pressure column with the Rs column left blank
    for (std::int16_t i = prs.NPRSo(); i >= 1; --i) {
        file.Write(col(static_cast<double>(oil.GetRSOS(i)) / 1000.0, Q::GasOilRatio, 14, 3));
        file.Write(col(prs.GetPRSo(i), Q::Pressure, 15, 1));
        file.Write(col(oil.GetBOS(i), Q::VolumeRatio, 14, 4));
        file.Write(col(oil.GetMUOS(i), Q::Viscosity, 11, 3));
        if (i == bppi) {
            file.WriteLine(" ");
            for (std::int16_t j = static_cast<std::int16_t>(i - 1); j >= 1; --j) {
                file.Write(col(prs.GetPRSo(j), Q::Pressure, underWidth, 1));
                file.Write(col(oil.GetBO(j), Q::VolumeRatio, 14, 4));
                file.Write(col(oil.GetMUO(j), Q::Viscosity, 11, 3));
                if (j != 1) file.WriteLine(" ");
            }
        }
        file.WriteLine(i > 1 ? "   /" : " ");
    }
    // Bo from the oil compressibility at the top pressure; viscosity by the Vazquez-Beggs
    // undersaturated relation mu = mu_b (p / p_b)^m, m = 2.6 p^1.187 exp(-11.513 - 8.98E-05 p).
    const double p1 = prs.GetPRSo(1);
    const double pu = p1 + 200.0;
    const double bu = static_cast<double>(oil.GetBOS(1)) * Exp(-200.0 * static_cast<double>(oil.GetCO(1)));
    const double m = 2.6 * Pow(pu, 1.187) * Exp(-11.513 - 0.0000898 * pu);
    const double mu = static_cast<double>(oil.GetMUOS(1)) * Pow(Div(pu, p1), m);
    file.WriteLine(std::string(18, ' ') + col(pu, Q::Pressure, 11, 1) + col(bu, Q::VolumeRatio, 14, 4) +
                   col(mu, Q::Viscosity, 11, 3) + "   /");
    file.WriteLine("/");
}

// Dry gas: Bg converted from rcf/scf to rb/Mscf (1000 / 5.615 cubic feet per barrel).
void PVDGBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    const clsPrs& prs = o.Prs;
    const clsGas& gas = o.Gas;
    StockTankDensity(file, col, "GAS", gas.STDenGas(), 7);
    file.WriteLine();
    file.WriteLine(col.Caption("--  PRESSURE(PSIA)   BG(RB/MCF)  MUG(CP)",
                               "--  PRESSURE(BARSA)        BG(RM3/SM3)  MUG(CP)"));
    for (std::int16_t i = prs.NPRSo(); i >= 1; --i) {
        file.WriteLine(col(prs.GetPRSo(i), Q::Pressure, 15, 1),
                       col(static_cast<double>(gas.GetBG(i)) * 1000.0 / 5.615, Q::GasVolume, 15, 5),
                       col(gas.GetMUG(i), Q::Viscosity, 9, 4));
    }
    file.WriteLine("/");
}

// Water at its reference row (PVTWReference).
void PVTWBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    const clsPrs& prs = o.Prs;
    const clsWater& water = o.Water;
    const auto [r, c] = PVTWReference(o);
    StockTankDensity(file, col, "WATER", water.STDenWat(), 7);
    file.WriteLine();
    file.WriteLine(col.Caption("--  Pref(PSIA)   BWref(RB/STB)   CWref(PSI-1)   MUWref(CP)      DMUWDP",
                               "--   Pref(BARSA)  BWref(RM3/SM3)   CWref(BAR-1)   MUWref(CP) DMUWDP(BAR-1)"));
    file.WriteLine(col(prs.GetPRSo(r), Q::Pressure, 14, 1) + col(water.GetBW(r), Q::VolumeRatio, 16, 4) +
                   col(water.GetCW(r), Q::PerPressure, 15, 7) + col(water.GetMUW(r), Q::Viscosity, 13, 3) +
                   col(c, Q::PerPressure, 12, 7) + "    /");
}

// Stock-tank densities, lb/ft3.
void DENSITYBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    file.WriteLine(col.Caption("--  StockTank Oil   StockTank Water   StockTank Gas",
                               "--  StockTank Oil(KG/M3) StockTank Water(KG/M3) StockTank Gas(KG/M3)"));
    file.WriteLine(col(o.Oil.STDenOil(), Q::Density, 17, 3) + col(o.Water.STDenWat(), Q::Density, 18, 3) +
                   col(o.Gas.STDenGas(), Q::Density, 16, 3) + "    /");
}

void RockHeading(TextFile& file, const clsRock& rock, bool gasOil) {
    file.WriteLine("-- Relative Permeability from Correleations");
    file.WriteLine(std::string("-- Fluids: ") + (gasOil ? "Gas/Oil System" : "Oil/Water System"));
    file.WriteLine(std::string("-- Displacement: ") + RockDisplacementText(rock));
    file.WriteLine(std::string("-- Lithology: ") + RockLithologyText(rock));
    file.WriteLine("-- Connate Water: " + Nbr2Str(rock.SWC(), 8, 2));
    if (gasOil) {
        file.WriteLine("-- Residual Oil to Gas: " + Nbr2Str(rock.SORG(), 8, 2));
        file.WriteLine("-- Critical Gas: " + Nbr2Str(rock.SGCrit(), 8, 2));
    } else {
        file.WriteLine(std::string("-- Wettability: ") + RockWettabilityText(rock));
        file.WriteLine("-- Residual Oil to Water: " + Nbr2Str(rock.SORW(), 8, 2));
    }
    file.WriteLine(std::string("-- Correlation Type: ") + RockCorrelationText(rock));
    if (rock.CORR() == 1) {
        file.WriteLine("-- Porosity (frac): " + Nbr2Str(rock.HRPoro(), 6, 2));
        file.WriteLine("-- Air Perm (md): " + Nbr2Str(rock.HRAir(), 6, 2));
        file.WriteLine("-- Krg @Sorg: " + Nbr2Str(rock.HRKrg(), 6, 2));
    } else if (rock.CORR() == 0) {
        file.WriteLine("-- K Exponent: " + Nbr2Str(rock.CoreyK(), 5, 2));
        file.WriteLine("-- N Exponent: " + Nbr2Str(rock.CoreyN(), 5, 2));
    }
    for (const RockModelLine& line : RockModelLines(rock))
        file.WriteLine("-- " + line.label + ": " + line.value);
    file.WriteLine();
}

// Water saturation rising from connate water; capillary pressure (psi, or bar in METRIC files) is
// written as zero when no model is chosen.
void SWOFBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    const clsRock& rock = o.Rock;
    RockHeading(file, rock, false);
    file.WriteLine(col.Caption("--      SWAT     KRWAT     KROIL      PCOW",
                               "--      SWAT     KRWAT     KROIL PCOW(BARSA)"));
    for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
        file.WriteLine(col(rock.GetSWet(i), Q::Fraction, 12, 2), col(rock.GetKRWat(i), Q::Fraction, 10, 4),
                       col(rock.GetKROil(i), Q::Fraction, 10, 4),
                       rock.HasPc() ? col(rock.GetPC(i), Q::Pressure, 10, 3) : std::string(kCapillaryZero));
    }
    file.WriteLine("/");
}

// Gas saturation rising from 0 to 1 - Swc (the saturation grid runs the other way, so its rows
// are written last to first); capillary pressure as in SWOF.
void SGOFBody(TextFile& file, const Q7Objects& o, const Columns& col) {
    const clsRock& rock = o.Rock;
    RockHeading(file, rock, true);
    file.WriteLine(col.Caption("--      SGAS     KRGAS     KROIL      PCOG",
                               "--      SGAS     KRGAS     KROIL PCOG(BARSA)"));
    for (std::int16_t i = rock.NWet(); i >= 1; --i) {
        file.WriteLine(col(rock.GetSNWet(i), Q::Fraction, 12, 4), col(rock.GetKRGas(i), Q::Fraction, 10, 4),
                       col(rock.GetKROil(i), Q::Fraction, 10, 4),
                       rock.HasPc() ? col(rock.GetPC(i), Q::Pressure, 10, 3) : std::string(kCapillaryZero));
    }
    file.WriteLine("/");
}

} // namespace

void WriteEclipseTableBody(TextFile& file, const Q7Objects& objects, std::string_view keyword,
                           EclipseUnits units) {
    const Columns col(units);
    if (keyword == "PVDO")
        PVDOBody(file, objects, col);
    else if (keyword == "PVTO")
        PVTOBody(file, objects, col);
    else if (keyword == "PVDG")
        PVDGBody(file, objects, col);
    else if (keyword == "PVTW")
        PVTWBody(file, objects, col);
    else if (keyword == "DENSITY")
        DENSITYBody(file, objects, col);
    else if (keyword == "SWOF")
        SWOFBody(file, objects, col);
    else if (keyword == "SGOF")
        SGOFBody(file, objects, col);
    else
        throw std::invalid_argument("not an Eclipse table keyword: " + std::string(keyword));
}

// Mscf/stb at the bubble point and the bubble point (psia) in FIELD units.
std::string ConstantRsRecord(const Q7Objects& objects, EclipseUnits units) {
    const Columns col(units);
    const clsOil& oil = objects.Oil;
    return col(static_cast<double>(oil.GetRSO(objects.Prs.BPPi())) / 1000.0, Q::GasOilRatio, 12, 3) +
           col(oil.Pbp(), Q::Pressure, 9, 1) + "     /";
}

// One file: in METRIC units a comment naming them, the laboratory match as comments when one was
// made, the keyword, an empty line and the table, then for a dead-oil table its constant-Rs record,
// for every other table an empty line.
void clsECL::WriteTable(TextFile& file, std::string_view keyword) const {
    if (m_units == EclipseUnits::Metric) file.WriteLine(kMetricHeading);
    for (const std::string& line : OilMatchLines(m_objects.Oil)) {
        std::string comment = "-- ";
        comment += line;
        file.WriteLine(comment);
    }
    file.WriteLine(keyword);
    file.WriteLine();
    WriteEclipseTableBody(file, m_objects, keyword, m_units);
    if (keyword == "PVDO") {
        file.WriteBlankLines(3);
        file.WriteLine("RSCONST");
        if (m_units == EclipseUnits::Metric) file.WriteLine("--   RS(SM3/SM3) PBUB(BARSA)");
        file.WriteLine(ConstantRsRecord(m_objects, m_units));
    } else {
        file.WriteLine();
    }
}

} // namespace q7
