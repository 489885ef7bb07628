#include "writers/clsECL.h"

#include "engine/Checked.h"
#include "engine/NumericText.h"
#include "engine/Q7Objects.h"
#include "writers/TextFile.h"
#include "writers/WriterText.h"

namespace q7 {

namespace {

constexpr std::string_view kCapillaryZero = "     0.000";

// A value computed here in double precision, handed to the column formatter as a single.
std::string F(double value, std::int16_t width, std::int16_t decimals) {
    return Nbr2Str(Single(value), width, decimals);
}

} // namespace

clsECL::clsECL(const Q7Objects& objects, MessageSink& sink) : m_objects(objects), m_sink(sink) {
    FileName("Eclipse");
}

void clsECL::FileName(std::string_view base) {
    m_fileName = base;
    m_pvdoFile = m_fileName + ".pvdo";
    m_pvtoFile = m_fileName + ".pvto";
    m_pvdgFile = m_fileName + ".pvdg";
    m_pvtwFile = m_fileName + ".pvtw";
    m_densFile = m_fileName + ".dens";
    m_swofFile = m_fileName + ".swof";
    m_sgofFile = m_fileName + ".sgof";
}

void clsECL::Execute() {
    struct Table {
        bool selected;
        const std::string& path;
        const char* keyword;
        void (clsECL::*write)(TextFile&) const;
    };
    const Table tables[] = {
        {m_pvdo, m_pvdoFile, "PVDO ", &clsECL::WritePVDO},
        {m_pvto, m_pvtoFile, "PVTO ", &clsECL::WritePVTO},
        {m_pvdg, m_pvdgFile, "PVDG ", &clsECL::WritePVDG},
        {m_pvtw, m_pvtwFile, "PVTW ", &clsECL::WritePVTW},
        {m_dens, m_densFile, "DENSITY ", &clsECL::WriteDENS},
        {m_swof, m_swofFile, "SWOF ", &clsECL::WriteSWOF},
        {m_sgof, m_sgofFile, "SGOF ", &clsECL::WriteSGOF},
    };
    std::string written;
    for (const Table& t : tables) {
        if (!t.selected) continue;
        TextFile file;
        file.Create(t.path);
        (this->*t.write)(file);
        file.Close();
        written += t.keyword;
    }
    m_sink.ShowInfo("Eclipse output complete!", "Files: " + written);
}

// Dead oil from the bubble point upwards, then the constant solution GOR (Mscf/stb) and the
// bubble point it holds up to (psia). Bo rb/stb and viscosity cp, as clsOil gives them.
void clsECL::WritePVDO(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsOil& oil = m_objects.Oil;
    file.WriteLine("PVDO");
    file.WriteLine();
    file.WriteLine("-- STOCK TANK OIL DENSITY (LB/SCF) = " + Nbr2Str(oil.STDenOil(), 10, 3));
    file.WriteLine();
    file.WriteLine("--   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)");
    for (std::int16_t i = prs.BPPi(); i >= 1; --i) {
        file.WriteLine(Nbr2Str(prs.GetPRSo(i), 15, 1), Nbr2Str(oil.GetBO(i), 14, 4),
                       Nbr2Str(oil.GetMUO(i), 11, 3));
    }
    file.WriteLine("/");
    file.WriteBlankLines(3);
    file.WriteLine("RSCONST");
    file.WriteLine(F(static_cast<double>(oil.GetRSO(prs.BPPi())) / 1000.0, 12, 3) + Nbr2Str(oil.Pbp(), 9, 1) +
                   "     /");
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
void clsECL::WritePVTO(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsOil& oil = m_objects.Oil;
    file.WriteLine("PVTO");
    file.WriteLine();
    file.WriteLine("-- STOCK TANK OIL DENSITY (LB/SCF) = " + Nbr2Str(oil.STDenOil(), 10, 3));
    file.WriteLine();
    file.WriteLine("--  RSO(MCF/B)   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)");
    const std::int16_t bppi = prs.BPPi();
    for (std::int16_t i = prs.NPRSo(); i >= 1; --i) {
        file.Write(F(static_cast<double>(oil.GetRSOS(i)) / 1000.0, 14, 3));
        file.Write(Nbr2Str(prs.GetPRSo(i), 15, 1));
        file.Write(Nbr2Str(oil.GetBOS(i), 14, 4));
        file.Write(Nbr2Str(oil.GetMUOS(i), 11, 3));
        if (i == bppi) {
            file.WriteLine(" ");
            for (std::int16_t j = static_cast<std::int16_t>(i - 1); j >= 1; --j) {
                file.Write(Nbr2Str(prs.GetPRSo(j), 29, 1));
                file.Write(Nbr2Str(oil.GetBO(j), 14, 4));
                file.Write(Nbr2Str(oil.GetMUO(j), 11, 3));
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
    file.WriteLine(std::string(18, ' ') + F(pu, 11, 1) + F(bu, 14, 4) + F(mu, 11, 3) + "   /");
    file.WriteLine("/");
    file.WriteLine();
}

// Dry gas: Bg converted from rcf/scf to rb/Mscf (1000 / 5.615 cubic feet per barrel).
void clsECL::WritePVDG(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsGas& gas = m_objects.Gas;
    file.WriteLine("PVDG");
    file.WriteLine();
    file.WriteLine("-- STOCK TANK GAS DENSITY (LB/SCF) = " + Nbr2Str(gas.STDenGas(), 7, 3));
    file.WriteLine();
    file.WriteLine("--  PRESSURE(PSIA)   BG(RB/MCF)  MUG(CP)");
    for (std::int16_t i = prs.NPRSo(); i >= 1; --i) {
        file.WriteLine(Nbr2Str(prs.GetPRSo(i), 15, 1),
                       F(static_cast<double>(gas.GetBG(i)) * 1000.0 / 5.615, 15, 5),
                       Nbr2Str(gas.GetMUG(i), 9, 4));
    }
    file.WriteLine("/");
    file.WriteLine();
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

// Water at its reference row (PVTWReference).
void clsECL::WritePVTW(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsWater& water = m_objects.Water;
    const auto [r, c] = PVTWReference(m_objects);
    file.WriteLine("PVTW");
    file.WriteLine();
    file.WriteLine("-- STOCK TANK WATER DENSITY (LB/SCF) = " + Nbr2Str(water.STDenWat(), 7, 3));
    file.WriteLine();
    file.WriteLine("--  Pref(PSIA)   BWref(RB/STB)   CWref(PSI-1)   MUWref(CP)      DMUWDP");
    file.WriteLine(Nbr2Str(prs.GetPRSo(r), 14, 1) + Nbr2Str(water.GetBW(r), 16, 4) +
                   Nbr2Str(water.GetCW(r), 15, 7) + Nbr2Str(water.GetMUW(r), 13, 3) + F(c, 12, 7) + "    /");
    file.WriteLine();
}

// Stock-tank densities, lb/ft3.
void clsECL::WriteDENS(TextFile& file) const {
    file.WriteLine("DENSITY");
    file.WriteLine();
    file.WriteLine("--  StockTank Oil   StockTank Water   StockTank Gas");
    file.WriteLine(Nbr2Str(m_objects.Oil.STDenOil(), 17, 3) + Nbr2Str(m_objects.Water.STDenWat(), 18, 3) +
                   Nbr2Str(m_objects.Gas.STDenGas(), 16, 3) + "    /");
    file.WriteLine();
}

void clsECL::WriteRockHeading(TextFile& file, bool gasOil) const {
    const clsRock& rock = m_objects.Rock;
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
    if (rock.CORR() != 0) {
        file.WriteLine("-- Porosity (frac): " + Nbr2Str(rock.HRPoro(), 6, 2));
        file.WriteLine("-- Air Perm (md): " + Nbr2Str(rock.HRAir(), 6, 2));
        file.WriteLine("-- Krg @Sorg: " + Nbr2Str(rock.HRKrg(), 6, 2));
    } else {
        file.WriteLine("-- K Exponent: " + Nbr2Str(rock.CoreyK(), 5, 2));
        file.WriteLine("-- N Exponent: " + Nbr2Str(rock.CoreyN(), 5, 2));
    }
    file.WriteLine();
}

// Water saturation rising from connate water; capillary pressure is written as zero.
void clsECL::WriteSWOF(TextFile& file) const {
    const clsRock& rock = m_objects.Rock;
    file.WriteLine("SWOF");
    file.WriteLine();
    WriteRockHeading(file, false);
    file.WriteLine("--      SWAT     KRWAT     KROIL      PCOW");
    for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
        file.WriteLine(Nbr2Str(rock.GetSWet(i), 12, 2), Nbr2Str(rock.GetKRWat(i), 10, 4),
                       Nbr2Str(rock.GetKROil(i), 10, 4), kCapillaryZero);
    }
    file.WriteLine("/");
    file.WriteLine();
}

// Gas saturation rising from 0 to 1 - Swc (the saturation grid runs the other way, so its rows
// are written last to first); capillary pressure is written as zero.
void clsECL::WriteSGOF(TextFile& file) const {
    const clsRock& rock = m_objects.Rock;
    file.WriteLine("SGOF");
    file.WriteLine();
    WriteRockHeading(file, true);
    file.WriteLine("--      SGAS     KRGAS     KROIL      PCOG");
    for (std::int16_t i = rock.NWet(); i >= 1; --i) {
        file.WriteLine(Nbr2Str(rock.GetSNWet(i), 12, 4), Nbr2Str(rock.GetKRGas(i), 10, 4),
                       Nbr2Str(rock.GetKROil(i), 10, 4), kCapillaryZero);
    }
    file.WriteLine("/");
    file.WriteLine();
}

} // namespace q7
