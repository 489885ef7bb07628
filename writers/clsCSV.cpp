#include "writers/clsCSV.h"

#include "engine/Correlations.h"
#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"
#include "writers/TextFile.h"
#include "writers/WriterText.h"

namespace q7 {

namespace {

// ",cell,cell,...": the first column of every table row stays empty.
template <typename... Cells> void Row(TextFile& file, const Cells&... cells) {
    ((file.Write(","), file.Write(cells)), ...);
    file.WriteLine();
}

} // namespace

clsCSV::clsCSV(const Q7Objects& objects, MessageSink& sink) : m_objects(objects), m_sink(sink) {}

void clsCSV::Execute() {
    TextFile file;
    file.Create(m_fileName);
    if (m_oil)
        for (const std::string& line : OilMatchLines(m_objects.Oil)) {
            std::string comment = "# ";
            comment += line;
            file.WriteLine(comment);
        }
    if (m_oil || m_gas)
        for (const std::string& line : ChosenCorrelationLines(m_objects)) {
            std::string comment = "# ";
            comment += line;
            file.WriteLine(comment);
        }
    if (m_oil || m_gas || m_water) WriteConditions(file);
    if (m_oil) WriteOil(file);
    if (m_gas || m_oil) WriteGas(file);
    if (m_water) WriteWater(file);
    if (m_rock) WriteRock(file);
    file.Close();
    m_sink.ShowInfo("CSV output complete!", "File: " + m_fileName);
}

void clsCSV::WriteConditions(TextFile& file) const {
    const clsFluid& fluid = m_objects.Fluid;
    file.WriteLine("Std Pressure (psia):," + FixedText(fluid.StdP(), 1));
    file.WriteLine("Std Temp (F):," + FixedText(fluid.StdTf(), 1));
    file.WriteLine("Reservoir Temp (F):," + FixedText(fluid.ResTf(), 1));
}

void clsCSV::WriteOil(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsOil& oil = m_objects.Oil;
    file.WriteLine();
    file.WriteLine("Oil Properties:");
    file.WriteLine();
    file.WriteLine("API Gravity:," + GeneralForm(oil.API()));
    file.WriteLine("Specific Gravity:," + GeneralForm(oil.OilSG()));
    file.WriteLine("Separator Gas Gravity:," + GeneralForm(oil.SepGG()));
    file.WriteLine("Separator Pressure (psia):," + GeneralForm(oil.SepP()));
    file.WriteLine("Separator Temp (F):," + GeneralForm(oil.SepTf()));
    file.WriteLine("Bubble Pt Pres (psia):," + Nbr2Str(oil.Pbp(), 10, 1));
    file.WriteLine("Compressibility @ Pbp:," + Nbr2Str(oil.GetCO(prs.BPPi()), 10, 7));
    file.WriteLine("StockTank Oil Density (lb/scf):," + Nbr2Str(oil.STDenOil(), 10, 3));
    file.WriteLine("StockTank Gas Density (lb/scf):," + Nbr2Str(oil.STDenGas(), 10, 5));
    file.WriteLine("Initial GOR-Separator (scf/stb):," + Nbr2Str(oil.RSISep(), 10, 1));
    file.WriteLine("StockTank (scf/stb):," + Nbr2Str(oil.RSITank(), 10, 1));
    file.WriteLine("Total (scf/stb):," + Nbr2Str(oil.RSI(), 10, 1));

    const auto headings = [&file] {
        file.WriteLine(",,Volume,Dissolved");
        file.WriteLine(",Pressure,Factor,GOR,Viscosity,Density");
        file.WriteLine(",(psia),(rb/stb),(scf/stb),(cp),(lb/ft3)");
    };
    file.WriteLine();
    file.WriteLine("Undersaturated properties:");
    file.WriteLine();
    headings();
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        Row(file, Nbr2Str(prs.GetPRSo(i), 11, 1), Nbr2Str(oil.GetBO(i), 12, 4), Nbr2Str(oil.GetRSO(i), 11, 1),
            Nbr2Str(oil.GetMUO(i), 12, 3), Nbr2Str(oil.GetRHOO(i), 13, 3));
    }
    file.WriteBlankLines(2);
    file.WriteLine("Saturated properties:");
    file.WriteLine();
    headings();
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        Row(file, Nbr2Str(prs.GetPRSo(i), 11, 1), Nbr2Str(oil.GetBOS(i), 12, 4),
            Nbr2Str(oil.GetRSOS(i), 11, 1), Nbr2Str(oil.GetMUOS(i), 12, 3), Nbr2Str(oil.GetRHOOS(i), 13, 3));
    }
}

void clsCSV::WriteGas(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsGas& gas = m_objects.Gas;
    file.WriteLine();
    file.WriteLine("Gas Properties:");
    file.WriteLine();
    if (gas.GasEntry() != "G") {
        static const char* const labels[clsGas::kComponents] = {
            "Methane:,",   "Ethane:,",    "Propane:,",  "i-Butane:,",       "n-Butane:,",
            "i-Pentane:,", "n-Pentane:,", "Hexane:,",   "Heptane:,",        "Octane:,",
            "Nonane:,",    "Decane:,",    "Nitrogen:,", "Carbon Dioxide:,", "Hydrogen Sulfide:,"};
        for (std::int16_t k = 1; k <= clsGas::kComponents; ++k) {
            file.WriteLine(labels[k - 1] + Nbr2Str(gas.GetGC(k), 6, 4));
        }
    } else {
        file.WriteLine("Gas Gravity:," + Nbr2Str(gas.GasGrav(), 10, 3));
        file.WriteLine("Nitrogen (mole frac):," + Nbr2Str(gas.mfN(), 10, 3));
        file.WriteLine("Carbon Dioxide (mole frac):," + Nbr2Str(gas.mfCO2(), 10, 3));
        file.WriteLine("Hydrogen Sulfide (mole frac):," + Nbr2Str(gas.mfH2S(), 10, 3));
    }
    file.WriteLine();
    file.WriteLine("Critical Pressure (psia):," + Nbr2Str(gas.pC(), 10, 2));
    file.WriteLine("Critical Temperature (R):," + Nbr2Str(gas.tC(), 10, 2));
    file.WriteLine("Pseudo-Reduced Temperature:," + Nbr2Str(gas.PTR(), 10, 3));
    file.WriteLine("StockTank Gas Density (lb/scf):," + Nbr2Str(gas.STDenGas(), 10, 5));
    file.WriteLine();
    file.WriteLine(",,Pseudo-Reduced,Gas (Z)");
    file.WriteLine(",Pressure,Pressure,Deviation,P/Z");
    file.WriteLine(",(psia),,Factor,(psia)");
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        Row(file, Nbr2Str(prs.GetPRSo(i), 11, 1), Nbr2Str(gas.GetPPR(i), 12, 3), Nbr2Str(gas.GetZ(i), 13, 3),
            Nbr2Str(gas.GetPZ(i), 13, 1));
    }
    file.WriteLine();
    file.WriteLine(",,Gas Volume,,,,Real Gas Potential");
    file.WriteLine(",Pressure,Factor,Viscosity,Compressibility,Density,m(p)/1E06");
    file.WriteLine(",(psia),(rcf/scf),(cp),(psi-1),(lb/rcf),(psia^2/cp)");
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        Row(file, Nbr2Str(prs.GetPRSo(i), 11, 1), Nbr2Str(gas.GetBG(i), 12, 5), Nbr2Str(gas.GetMUG(i), 11, 4),
            Nbr2Str(gas.GetCG(i), 12, 7), Nbr2Str(gas.GetRHOG(i), 13, 4), Nbr2Str(gas.GetRMP(i), 15, 3));
    }
}

void clsCSV::WriteWater(TextFile& file) const {
    const clsPrs& prs = m_objects.Prs;
    const clsWater& water = m_objects.Water;
    file.WriteLine();
    file.WriteLine("Water Properties:");
    file.WriteLine();
    file.WriteLine("Weight % Solids:," + Nbr2Str(water.PER(), 10, 1));
    file.WriteLine("Dissolved Solids (ppm):," + Nbr2Str(static_cast<float>(water.PPM()), 10, 0));
    file.WriteLine("StockTank Density (lb/scf):," + Nbr2Str(water.STDenWat(), 10, 3));
    file.WriteLine();
    file.WriteLine(",,Volume,Dissolved,");
    file.WriteLine(",Pressure,Factor,GOR,Viscosity,Compressibility,Density");
    file.WriteLine(",(psia),(rb/stb),(scf/stb),(cp),(psi-1),(lb/rcf)");
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        Row(file, Nbr2Str(prs.GetPRSo(i), 11, 1), Nbr2Str(water.GetBW(i), 12, 5),
            Nbr2Str(water.GetRSW(i), 11, 1), Nbr2Str(water.GetMUW(i), 12, 3), Nbr2Str(water.GetCW(i), 13, 7),
            Nbr2Str(water.GetRHOW(i), 13, 3));
    }
}

// One section per table of the rock (two for the oil–water and gas–oil pair).
void clsCSV::WriteRock(TextFile& file) const {
    for (const clsRock* table : m_objects.Rock.Tables())
        WriteRockTable(file, *table);
}

void clsCSV::WriteRockTable(TextFile& file, const clsRock& rock) const {
    const bool gasOil = rock.Fluids() == 1;
    const bool gasWater = rock.Fluids() == 3;
    file.WriteLine();
    file.WriteLine("Rock Properties:");
    file.WriteLine();
    file.WriteLine(std::string("Fluids:,") + RockFluidsText(rock));
    file.WriteLine(std::string("Displacement:,") + RockDisplacementText(rock));
    file.WriteLine(std::string("Lithology:,") + RockLithologyText(rock));
    file.WriteLine("Connate Water:," + Nbr2Str(rock.SWC(), 8, 2));
    if (rock.Fluids() == 0) {
        file.WriteLine(std::string("Wettability:,") + RockWettabilityText(rock));
        file.WriteLine("Residual Oil to Water:," + Nbr2Str(rock.SORW(), 8, 2));
    }
    if (gasOil) file.WriteLine("Residual Oil to Gas:," + Nbr2Str(rock.SORG(), 8, 2));
    if (gasOil || gasWater) file.WriteLine("Critical Gas:," + Nbr2Str(rock.SGCrit(), 8, 2));
    file.WriteLine(std::string("Correlation Type:,") + RockCorrelationText(rock));
    if (rock.CORR() == 1) {
        file.WriteLine("Porosity (frac):," + Nbr2Str(rock.HRPoro(), 6, 2));
        file.WriteLine("Air Perm (md):," + Nbr2Str(rock.HRAir(), 6, 2));
        file.WriteLine("Krg @Sorg:," + Nbr2Str(rock.HRKrg(), 6, 2));
    } else if (rock.CORR() == 0) {
        file.WriteLine("K Exponent:," + Nbr2Str(rock.CoreyK(), 5, 2));
        file.WriteLine("N Exponent:," + Nbr2Str(rock.CoreyN(), 5, 2));
    }
    for (const RockModelLine& line : RockModelLines(rock))
        file.WriteLine(line.label + ":," + line.value);
    // With a capillary-pressure model the table's Pc (psi) is a last column of its own.
    const bool pc = rock.HasPc();
    const auto pcCell = [&rock](std::int16_t i) { return "," + Nbr2Str(rock.GetPC(i), 12, 3); };
    if (rock.Fluids() == 0) {
        file.WriteLine();
        file.WriteLine(pc ? ",Saturations,,Relative Permeability,,Capillary Pressure"
                          : ",Saturations,,Relative Permeability");
        file.WriteLine(pc ? ",Water,Oil,Water,Oil,Pcow (psi)" : ",Water,Oil,Water,Oil");
        for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
            file.Write("," + Nbr2Str(rock.GetSWet(i), 11, 2) + "," + Nbr2Str(rock.GetSNWet(i), 12, 2) + "," +
                       Nbr2Str(rock.GetKRWat(i), 12, 4) + "," + Nbr2Str(rock.GetKROil(i), 12, 4));
            if (pc) file.Write(pcCell(i));
            file.WriteLine();
        }
    }
    if (gasOil) {
        file.WriteLine();
        file.WriteLine(pc ? ",Saturations,,,Relative Permeability,,Capillary Pressure"
                          : ",Saturations,,,Relative Permeability");
        file.WriteLine(pc ? ",Gas,Soil,Swater,Gas,Oil,Pcog (psi)" : ",Gas,Soil,Swater,Gas,Oil");
        for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
            file.Write("," + Nbr2Str(rock.GetSNWet(i), 11, 4) + "," +
                       Nbr2Str(rock.GetSWet(i) - rock.SWC(), 12, 2) + "," + Nbr2Str(rock.SWC(), 12, 2) + "," +
                       Nbr2Str(rock.GetKRGas(i), 12, 4) + "," + Nbr2Str(rock.GetKROil(i), 12, 4));
            if (pc) file.Write(pcCell(i));
            file.WriteLine();
        }
    }
    if (gasWater) {
        file.WriteLine();
        file.WriteLine(pc ? ",Saturations,,Relative Permeability,,Capillary Pressure"
                          : ",Saturations,,Relative Permeability");
        file.WriteLine(pc ? ",Water,Gas,Water,Gas,Pcgw (psi)" : ",Water,Gas,Water,Gas");
        for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
            file.Write("," + Nbr2Str(rock.GetSWet(i), 11, 4) + "," + Nbr2Str(rock.GetSNWet(i), 12, 4) + "," +
                       Nbr2Str(rock.GetKRWat(i), 12, 4) + "," + Nbr2Str(rock.GetKRGas(i), 12, 4));
            if (pc) file.Write(pcCell(i));
            file.WriteLine();
        }
    }
}

} // namespace q7
