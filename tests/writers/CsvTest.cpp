// The CSV export: whole files for the groups the layout rules distinguish (no group, gas by gravity
// or by composition, either rock system), with the numbers taken from the calculation objects and
// formatted independently (printf rounding). The oil and water blocks are compared byte for byte
// with the golden cases.
#include "WriterTestSupport.h"

#include "engine/PvtCorrelations.h"
#include "numeric/Errors.h"
#include "writers/clsCSV.h"

#include <map>

namespace q7::test {
namespace {

std::string Row(const std::vector<std::string>& cells) {
    std::string row;
    for (const std::string& c : cells)
        row += "," + c;
    return row + "\r\n";
}

std::string ConditionsBlock(const Q7Objects& o) {
    return Lines({"Std Pressure (psia):," + Dx(o.Fluid.StdP(), 1), "Std Temp (F):," + Dx(o.Fluid.StdTf(), 1),
                  "Reservoir Temp (F):," + Dx(o.Fluid.ResTf(), 1)});
}

std::string GasTables(const Q7Objects& o) {
    std::string s =
        Lines({"", "Critical Pressure (psia):," + Fx(o.Gas.pC(), 10, 2),
               "Critical Temperature (R):," + Fx(o.Gas.tC(), 10, 2),
               "Pseudo-Reduced Temperature:," + Fx(o.Gas.PTR(), 10, 3),
               "StockTank Gas Density (lb/scf):," + Fx(o.Gas.STDenGas(), 10, 5), "",
               ",,Pseudo-Reduced,Gas (Z)", ",Pressure,Pressure,Deviation,P/Z", ",(psia),,Factor,(psia)"});
    for (std::int16_t i = 1; i <= o.Prs.NPRSo(); ++i)
        s += Row({Fx(o.Prs.GetPRSo(i), 11, 1), Fx(o.Gas.GetPPR(i), 12, 3), Fx(o.Gas.GetZ(i), 13, 3),
                  Fx(o.Gas.GetPZ(i), 13, 1)});
    s += Lines({"", ",,Gas Volume,,,,Real Gas Potential",
                ",Pressure,Factor,Viscosity,Compressibility,Density,m(p)/1E06",
                ",(psia),(rcf/scf),(cp),(psi-1),(lb/rcf),(psia^2/cp)"});
    for (std::int16_t i = 1; i <= o.Prs.NPRSo(); ++i)
        s += Row({Fx(o.Prs.GetPRSo(i), 11, 1), Fx(o.Gas.GetBG(i), 12, 5), Fx(o.Gas.GetMUG(i), 11, 4),
                  Fx(o.Gas.GetCG(i), 12, 7), Fx(o.Gas.GetRHOG(i), 13, 4), Fx(o.Gas.GetRMP(i), 15, 3)});
    return s;
}

class Csv : public ::testing::Test {
protected:
    std::string Export(bool oil, bool gas, bool water, bool rock) {
        clsCSV csv(data.objects, data.sink);
        csv.FileName(dir / "out.csv");
        csv.IncludeOIL(oil);
        csv.IncludeGAS(gas);
        csv.IncludeWAT(water);
        csv.IncludeROCK(rock);
        csv.Execute();
        return ReadFile(dir / "out.csv");
    }
    ScratchDir dir;
    Objects data;
};

TEST_F(Csv, NoGroupGivesAnEmptyFileInPlaceOfAnEarlierOne) {
    std::ofstream(dir / "out.csv") << "earlier export";
    EXPECT_EQ(Export(false, false, false, false), "");
    ASSERT_EQ(data.sink.messages.size(), 1u);
    EXPECT_EQ(data.sink.messages[0].kind, "info");
    EXPECT_EQ(data.sink.messages[0].text, "CSV output complete!");
    EXPECT_EQ(data.sink.messages[0].title, "File: " + (dir / "out.csv"));
}

TEST_F(Csv, OnlyGasEnteredByGravity) {
    data.Compute({.oil = false, .gas = true, .pressures = {"4000", "2500", "1000"}});
    const Q7Objects& o = data.objects;
    const std::string expected =
        ConditionsBlock(o) +
        Lines({"", "Gas Properties:", "", "Gas Gravity:," + Fx(o.Gas.GasGrav(), 10, 3),
               "Nitrogen (mole frac):," + Fx(o.Gas.mfN(), 10, 3),
               "Carbon Dioxide (mole frac):," + Fx(o.Gas.mfCO2(), 10, 3),
               "Hydrogen Sulfide (mole frac):," + Fx(o.Gas.mfH2S(), 10, 3)}) +
        GasTables(o);
    EXPECT_EQ(Export(false, true, false, false), expected);
}

// A lean gas by composition (mole fractions): the fifteen component lines replace the gravity
// and inerts lines.
TEST_F(Csv, GasEnteredByComposition) {
    clsGas& gas = data.objects.Gas;
    gas.GasEntry("C");
    const char* fractions[15] = {"0.85", "0.06", "0.03", "0.01", "0.01", "0",    "0", "0",
                                 "0",    "0",    "0",    "0",    "0.02", "0.02", "0"};
    for (std::int16_t k = 1; k <= 15; ++k)
        gas.SetGC(fractions[k - 1], k);
    data.Compute({.oil = false, .gas = true, .pressures = {"3000", "1500"}});
    const Q7Objects& o = data.objects;
    const char* labels[15] = {"Methane:,",  "Ethane:,",         "Propane:,",         "i-Butane:,",
                              "n-Butane:,", "i-Pentane:,",      "n-Pentane:,",       "Hexane:,",
                              "Heptane:,",  "Octane:,",         "Nonane:,",          "Decane:,",
                              "Nitrogen:,", "Carbon Dioxide:,", "Hydrogen Sulfide:,"};
    std::string expected = ConditionsBlock(o) + Lines({"", "Gas Properties:", ""});
    for (std::int16_t k = 1; k <= 15; ++k)
        expected += Lines({labels[k - 1] + Fx(o.Gas.GetGC(k), 6, 4)});
    expected += GasTables(o);
    EXPECT_EQ(Export(false, true, false, false), expected);
}

// Only rock, either system: no conditions block, the file opens with an empty line; gas/oil rows carry
// gas, oil (liquid less connate water) and water saturations, in grid order.
struct RockCase {
    std::int16_t fluids, displace, corr;
    std::vector<std::string> head;
};

class CsvRock : public Csv, public ::testing::WithParamInterface<RockCase> {};

TEST_P(CsvRock, OnlyRock) {
    clsRock& rock = data.objects.Rock;
    rock.Fluids(GetParam().fluids);
    rock.Displace(GetParam().displace);
    rock.CORR(GetParam().corr);
    data.ComputeRock();
    std::string expected = Lines(GetParam().head);
    for (std::int16_t i = 1; i <= rock.NWet(); ++i)
        expected += Row(RockCells(rock, i));
    EXPECT_EQ(Export(false, false, false, true), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, CsvRock,
    ::testing::Values(
        RockCase{0,
                 0,
                 0,
                 {"", "Rock Properties:", "", "Fluids:,Oil/Water System", "Displacement:,Drainage",
                  "Lithology:,Sandstone", "Connate Water:,    0.20", "Wettability:,Water Wet",
                  "Residual Oil to Water:,    0.40", "Correlation Type:,Corey", "K Exponent:, 3.00",
                  "N Exponent:, 4.00", "", ",Saturations,,Relative Permeability", ",Water,Oil,Water,Oil"}},
        RockCase{1,
                 1,
                 1,
                 {"", "Rock Properties:", "", "Fluids:,Gas/Oil System", "Displacement:,Imbibition",
                  "Lithology:,Sandstone", "Connate Water:,    0.20", "Residual Oil to Gas:,    0.40",
                  "Critical Gas:,    0.30", "Correlation Type:,Honarpour", "Porosity (frac):,  0.25",
                  "Air Perm (md):, 50.00", "Krg @Sorg:,  0.50", "", ",Saturations,,,Relative Permeability",
                  ",Gas,Soil,Swater,Gas,Oil"}}));

// The rock table's rows with their Pc cell: the hand-computed text where `pc` has the row, the
// table's own value elsewhere.
std::string RowsWithPc(const clsRock& rock, const std::map<int, std::string>& pc) {
    std::string rows;
    for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
        std::vector<std::string> cells = RockCells(rock, i);
        cells.push_back(pc.count(i) ? pc.at(i) : Fx(rock.GetPC(i), 12, 3));
        rows += Row(cells);
    }
    return rows;
}

// A capillary-pressure model adds its lines and a Pc column (psi, three decimals) to the rock table.
// Brooks and Corey (1964), Pc = Pe S*^(-1/lambda), with Pe 3 psi, lambda 1.5, Swc 0.2 at the
// default grid's rows 2, 8 and 15 (S* 1/28, 0.5, 1): 27.663, 4.762 and 3.000 psi, computed by hand;
// row 1 (S* 0) is the 50 psi cap.
TEST_F(Csv, BrooksCoreyPcIsALastColumnNamedInTheLinesAbove) {
    clsRock& rock = data.objects.Rock;
    rock.PcowModel(2);
    rock.SetPcowEntry("3");
    rock.SetPcowLambda("1.5");
    rock.SetPcowMax("50");
    data.ComputeRock();
    std::string expected =
        Lines({"", "Rock Properties:", "", "Fluids:,Oil/Water System", "Displacement:,Drainage",
               "Lithology:,Sandstone", "Connate Water:,    0.20", "Wettability:,Water Wet",
               "Residual Oil to Water:,    0.40", "Correlation Type:,Corey", "K Exponent:, 3.00",
               "N Exponent:, 4.00", "Capillary Pressure (Pcow):,Brooks-Corey", "Entry Pressure (psi):,3",
               "Lambda:,1.5", "Pc Cap (psi):,50", "",
               ",Saturations,,Relative Permeability,,Capillary Pressure", ",Water,Oil,Water,Oil,Pcow (psi)"});
    const std::map<int, std::string> pc{
        {1, "      50.000"}, {2, "      27.663"}, {8, "       4.762"}, {15, "       3.000"}};
    expected += RowsWithPc(rock, pc);
    EXPECT_EQ(Export(false, false, false, true), expected);
}

// The gas–water table's Pcgw is a last column as the oil–water one's is: the same Brooks and Corey
// (1964) inputs on the gas–water grid (Swc 0.2, Sgc 0.3), rows 2, 14 and 15 (S* 1/41.6, 0.625, 1)
// give 36.018, 4.104 and 3.000 psi, computed by hand; row 1 (S* 0) is the 50 psi cap.
TEST_F(Csv, GasWaterPcIsALastColumn) {
    clsRock& rock = data.objects.Rock;
    rock.Fluids(3);
    rock.PcowModel(2);
    rock.SetPcowEntry("3");
    rock.SetPcowLambda("1.5");
    rock.SetPcowMax("50");
    data.ComputeRock();
    std::string expected =
        Lines({"", "Rock Properties:", "", "Fluids:,Gas/Water System", "Displacement:,Drainage",
               "Lithology:,Sandstone", "Connate Water:,    0.20", "Critical Gas:,    0.30",
               "Correlation Type:,Corey", "K Exponent:, 3.00", "N Exponent:, 4.00",
               "Capillary Pressure (Pcow):,Brooks-Corey", "Entry Pressure (psi):,3", "Lambda:,1.5",
               "Pc Cap (psi):,50", "", ",Saturations,,Relative Permeability,,Capillary Pressure",
               ",Water,Gas,Water,Gas,Pcgw (psi)"});
    const std::map<int, std::string> pc{
        {1, "      50.000"}, {2, "      36.018"}, {14, "       4.104"}, {15, "       3.000"}};
    expected += RowsWithPc(rock, pc);
    EXPECT_EQ(Export(false, false, false, true), expected);
}

// A correlation chosen in place of its default is named above the tables; with the defaults no
// such line is written.
TEST_F(Csv, AChosenCorrelationIsNamedAboveTheTables) {
    data.Compute({.oil = false, .gas = true, .pressures = {"3000", "1000"}});
    EXPECT_EQ(Export(false, true, false, false).find("# Correlation chosen"), std::string::npos);
    data.objects.Gas.Correlation(CorrKey::Z, static_cast<int>(CorrZ::DAK));
    data.sink.messages.clear();
    data.Compute({.oil = false, .gas = true, .pressures = {"3000", "1000"}});
    EXPECT_TRUE(Export(false, true, false, false)
                    .starts_with("# Correlation chosen: Dranchuk-Abou-Kassem (1975) Z-factor "
                                 "(CorrZ DAK)\r\n"));
}

// A missing folder, or a folder where the file should be: IoError, no message, the folder kept.
TEST_F(Csv, UnwritableTargetsThrowWithoutMessage) {
    std::filesystem::create_directories(dir.path() / "q7.csv");
    for (const char* name : {"missing/q7.csv", "q7.csv"}) {
        clsCSV csv(data.objects, data.sink);
        csv.FileName(dir / name);
        EXPECT_THROW(csv.Execute(), IoError) << name;
    }
    EXPECT_TRUE(data.sink.messages.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "q7.csv"));
}

} // namespace
} // namespace q7::test
