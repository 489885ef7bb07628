// The Eclipse include files in a real simulator: each case writes its files, a small black-oil deck
// (FIELD or METRIC units, a 5 x 5 x 1 grid, a producer and an injector, four monthly report steps) includes
// them in PROPS, and OPM Flow must parse the tables, pass its saturation-function checks without
// an "Error:" and run to the end of the schedule.
#include "WriterTestSupport.h"

#include "writers/EclipseChecks.h"
#include "writers/EclipseDeck.h"
#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace q7::test {
namespace {

bool FlowOnPath() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && ::access((std::filesystem::path(dir) / "flow").c_str(), X_OK) == 0) return true;
    return false;
}

// A deck around the include files. Numbers are given in field units and written in the deck's own
// unit system (converted here with the textbook factors, independently of the writers).
struct Deck {
    EclipseUnits units = EclipseUnits::Field;
    std::vector<std::string> phases;   // RUNSPEC phase keywords
    std::vector<std::string> includes; // PROPS include files, in order
    std::string tabdims = " 1 1 30 40 1 40 /";
    double initialPressure = 3000;   // psia at the datum
    std::vector<float> bubblePoints; // psia, one per region, for live oil (PBVD); empty: dead oil
    int regions = 1;                 // PVTNUM = SATNUM = EQLNUM, in bands of cells
    std::string injectorPhase;       // WATER or GAS
    double injectorRate = 300;       // stb/d or Mscf/d
    double producerBhp = 1500;       // psia
};

std::string DeckText(const Deck& d) {
    const bool metric = d.units == EclipseUnits::Metric;
    auto ft = [&](double v) { return Dx(metric ? v * 0.3048 : v, 3); };
    auto psi = [&](double v) { return Dx(metric ? v * 0.0689475729 : v, 3); };
    auto liquidRate = [&](double v) { return Dx(metric ? v * 0.158987295 : v, 3); };
    auto gasRate = [&](double v) { return Dx(metric ? v * 28.316846592 : v, 3); };
    std::string s = "RUNSPEC\nTITLE\nFluvarex include files\nDIMENS\n 5 5 1 /\n" +
                    std::string(UnitsKeyword(d.units)) + "\n";
    for (const std::string& p : d.phases)
        s += p + "\n";
    s += "TABDIMS\n" + d.tabdims + "\nEQLDIMS\n " + std::to_string(d.regions) +
         " /\nWELLDIMS\n 2 1 1 2 /\nSTART\n 1 'JAN' 2024 /\nUNIFOUT\nGRID\nDX\n 25*" + ft(300) +
         " /\nDY\n 25*" + ft(300) + " /\nDZ\n 25*" + ft(40) + " /\nTOPS\n 25*" + ft(8000) +
         " /\nPORO\n 25*0.2 /\nPERMX\n 25*100 /\nPERMY\n 25*100 /\nPERMZ\n 25*10 /\nPROPS\n";
    for (const std::string& f : d.includes)
        s += "INCLUDE\n '" + f + "' /\n";
    s += "ROCK\n " + psi(3000) + " " + Dx(metric ? 4.0E-6 * 14.5037738 : 4.0E-6, 9) + " /\n";
    if (d.regions > 1) {
        // Bands of whole rows of cells: region k takes rows k, and the last region the rest.
        std::string bands;
        for (int k = 1; k <= d.regions; ++k)
            bands +=
                " " + std::to_string(k < d.regions ? 5 : 5 * (5 - d.regions + 1)) + "*" + std::to_string(k);
        s += "REGIONS\n";
        for (const char* kw : {"PVTNUM", "SATNUM", "EQLNUM"})
            s += std::string(kw) + "\n" + bands + " /\n";
    }
    s += "SOLUTION\nEQUIL\n";
    const bool live = !d.bubblePoints.empty();
    for (int k = 0; k < d.regions; ++k)
        s += " " + ft(8020) + " " + psi(d.initialPressure) + " " + ft(9000) + " 0 " + ft(7000) + " 0 " +
             (live ? "1" : "0") + " 0 0 /\n";
    if (live) {
        s += "PBVD\n";
        for (float pb : d.bubblePoints)
            s += " " + ft(7000) + " " + psi(pb) + "\n " + ft(9000) + " " + psi(pb) + " /\n";
    }
    const std::string rate = d.injectorPhase == "GAS" ? gasRate(d.injectorRate) : liquidRate(d.injectorRate);
    s += "SCHEDULE\nWELSPECS\n 'PROD' 'G' 1 1 " + ft(8020) + " 'OIL' /\n 'INJ' 'G' 5 5 " + ft(8020) + " '" +
         d.injectorPhase + "' /\n/\nCOMPDAT\n 'PROD' 1 1 1 1 'OPEN' 1* 1* " + ft(0.5) +
         " /\n 'INJ' 5 5 1 1 'OPEN' 1* 1* " + ft(0.5) + " /\n/\nWCONPROD\n 'PROD' 'OPEN' 'ORAT' " +
         liquidRate(400) + " 4* " + psi(d.producerBhp) + " /\n/\nWCONINJE\n 'INJ' '" + d.injectorPhase +
         "' 'OPEN' 'RATE' " + rate + " 1* " + psi(4500) + " /\n/\nTSTEP\n 4*30 /\nEND\n";
    return s;
}

// Runs Flow on the deck in `dir`; returns its exit status and what it printed (terminal and PRT).
std::pair<int, std::string> RunFlow(const std::filesystem::path& dir, const std::string& deck) {
    const std::string command =
        "cd '" + dir.string() + "' && flow " + deck +
        ".DATA --output-dir=out --threads-per-process=1 --enable-async-ecl-output=false"
        " > flow.log 2>&1";
    const int status = std::system(command.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return {code, ReadFile(dir / "flow.log") + ReadFile(dir / ("out/" + deck + ".PRT"))};
}

class FlowDeck : public ::testing::TestWithParam<EclipseUnits> {
protected:
    void SetUp() override {
        if (!FlowOnPath()) GTEST_SKIP() << "OPM Flow (flow) is not on PATH";
    }
    EclipseUnits Units() const { return GetParam(); }
    // Writes the chosen tables of `objects` under the base name `base` in the scratch folder.
    void Write(const std::string& base, const EclipseTables& tables, Objects& from) {
        clsECL ecl(from.objects, from.sink);
        ecl.FileName(dir / base);
        ecl.Units(Units());
        SelectEclipseTables(ecl, tables);
        ecl.Execute();
    }
    void Write(const std::string& base, const EclipseTables& tables) { Write(base, tables, data); }
    // Runs the deck and returns what Flow printed.
    std::string Check(const Deck& deck) {
        EXPECT_EQ(deck.units, Units());
        std::ofstream(dir / "CASE.DATA") << DeckText(deck);
        const auto [code, output] = RunFlow(dir.path(), "CASE");
        EXPECT_EQ(code, 0) << output;
        EXPECT_EQ(output.find("Error:"), std::string::npos) << output;
        EXPECT_NE(output.find("Saturation Functions Diagnostics"), std::string::npos) << output;
        EXPECT_NE(output.find("End of simulation"), std::string::npos) << output;
        return output;
    }
    ScratchDir dir;
    Objects data;
};

std::string UnitsName(const ::testing::TestParamInfo<EclipseUnits>& info) {
    return info.param == EclipseUnits::Field ? "Field" : "Metric";
}

// The default oil (bubble point about 2214 psia) with gas and water over the default range;
// SWOF from the Corey drainage curves, SGOF from the Corey gas-oil imbibition curves (whose oil
// kr reaches 0). Initially undersaturated at 3000 psia; the producer draws below the bubble point.
TEST_P(FlowDeck, LiveOilThreePhases) {
    data.Compute({.gas = true, .water = true});
    data.ComputeRock();
    Write("live", {.PVTO = true, .PVDG = true, .PVTW = true, .DENS = true, .SWOF = true});
    clsRock& rock = data.objects.Rock;
    rock.Fluids(1);
    rock.Displace(1);
    data.ComputeRock();
    Write("live", {.SGOF = true});
    Check({.units = Units(),
           .phases = {"OIL", "WATER", "GAS", "DISGAS"},
           .includes = {"live.pvto", "live.pvdg", "live.pvtw", "live.dens", "live.swof", "live.sgof"},
           .bubblePoints = {data.objects.Oil.Pbp()},
           .injectorPhase = "WATER",
           .injectorRate = 300});
}

// The default live oil matched to a laboratory bubble point, GOR, volume factor and viscosity:
// Flow runs the matched tables, the files open with the match as comments, and the live-oil table
// holds the laboratory bubble point's row.
TEST_P(FlowDeck, LiveOilMatchedToLaboratoryData) {
    clsOil& oil = data.objects.Oil;
    oil.SetLabPb("2650");
    oil.SetLabRsb("610");
    oil.SetLabBob("1.385");
    oil.SetLabMuob("0.62");
    data.Compute({.gas = true, .water = true});
    ASSERT_TRUE(oil.Match().Made);
    ASSERT_EQ(oil.Pbp(), 2650.0f);
    data.ComputeRock();
    Write("lab", {.PVTO = true, .PVDG = true, .PVTW = true, .DENS = true, .SWOF = true});
    data.objects.Rock.Fluids(1);
    data.objects.Rock.Displace(1);
    data.ComputeRock();
    Write("lab", {.SGOF = true});
    std::ifstream in(dir / "lab.pvto");
    std::string first;
    std::getline(in, first);
    // A METRIC file names its units first, then the match.
    if (Units() == EclipseUnits::Metric) {
        EXPECT_EQ(first.rfind("-- METRIC units", 0), 0u) << first;
        std::getline(in, first);
    }
    EXPECT_EQ(first.rfind("-- Oil tables matched to laboratory data: Pb 2650 psia Rsb 610 scf/stb Bob 1.385 "
                          "rb/stb Muob 0.62 cp",
                          0),
              0u)
        << first;
    Check({.units = Units(),
           .phases = {"OIL", "WATER", "GAS", "DISGAS"},
           .includes = {"lab.pvto", "lab.pvdg", "lab.pvtw", "lab.dens", "lab.swof", "lab.sgof"},
           .bubblePoints = {oil.Pbp()},
           .injectorPhase = "WATER",
           .injectorRate = 300});
}

// Gas and oil only, with gas injection; SGOF from the Honarpour sandstone gas-oil imbibition
// correlation, highest gas saturation 1 - Swc.
TEST_P(FlowDeck, GasOilImbibition) {
    data.Compute({.gas = true});
    clsRock& rock = data.objects.Rock;
    rock.Fluids(1);
    rock.Displace(1);
    rock.CORR(1);
    data.ComputeRock();
    Write("go", {.PVTO = true, .PVDG = true, .DENS = true, .SGOF = true});
    Check({.units = Units(),
           .phases = {"OIL", "GAS", "DISGAS"},
           .includes = {"go.pvto", "go.pvdg", "go.dens", "go.sgof"},
           .bubblePoints = {data.objects.Oil.Pbp()},
           .injectorPhase = "GAS",
           .injectorRate = 500});
}

// Oil and water: PVDO from the bubble point upwards with its RSCONST record, water, and SWOF from
// the Corey oil-water imbibition curves. The producer stays above the bubble point.
TEST_P(FlowDeck, DeadOilWithConstantSolutionGas) {
    data.Compute({.water = true});
    data.objects.Rock.Displace(1);
    data.ComputeRock();
    Write("dead", {.PVDO = true, .PVTW = true, .DENS = true, .SWOF = true});
    ASSERT_NE(ReadFile(dir / "dead.pvdo").find("RSCONST"), std::string::npos);
    const std::string output = Check({.units = Units(),
                                      .phases = {"OIL", "WATER"},
                                      .includes = {"dead.pvdo", "dead.pvtw", "dead.dens", "dead.swof"},
                                      .initialPressure = 3500,
                                      .injectorPhase = "WATER",
                                      .injectorRate = 300,
                                      .producerBhp = data.objects.Oil.Pbp() + 300.0});
    EXPECT_NE(output.find("Reading RSCONST"), std::string::npos) << output;
}

// Dead oil with free dry gas injected (no dissolved gas): PVDO, PVDG and the Corey gas-oil
// imbibition curves.
TEST_P(FlowDeck, DeadOilAndDryGas) {
    data.Compute({.gas = true});
    data.objects.Rock.Fluids(1);
    data.objects.Rock.Displace(1);
    data.ComputeRock();
    Write("dry", {.PVDO = true, .PVDG = true, .DENS = true, .SGOF = true});
    Check({.units = Units(),
           .phases = {"OIL", "GAS"},
           .includes = {"dry.pvdo", "dry.pvdg", "dry.dens", "dry.sgof"},
           .initialPressure = 3500,
           .injectorPhase = "GAS",
           .injectorRate = 500,
           .producerBhp = data.objects.Oil.Pbp() + 300.0});
}

// The LET curves (SCA2005-32) in both tables, on 40 rows, with a Brooks–Corey Pcow and a Leverett
// Pcog: Flow reads the tables, passes its saturation-function checks and runs the live-oil deck.
TEST_P(FlowDeck, LetCurvesWithCapillaryPressure) {
    data.Compute({.gas = true, .water = true});
    clsRock& rock = data.objects.Rock;
    rock.CORR(2);
    rock.SatRows(40);
    rock.SetLetWaterL("3.2");
    rock.SetLetWaterE("4");
    rock.SetLetWaterT("1.1");
    rock.SetKrwMax("0.45");
    rock.SetKroMax("0.9");
    rock.PcowModel(2);
    data.ComputeRock();
    Write("let", {.PVTO = true, .PVDG = true, .PVTW = true, .DENS = true, .SWOF = true});
    ASSERT_NE(ReadFile(dir / "let.swof").find("-- Correlation Type: LET"), std::string::npos);
    rock.Fluids(1);
    rock.Displace(1);
    rock.PcogModel(1);
    rock.SetLetGasL("1.8");
    rock.SetLetGasE("0.7");
    rock.SetLetGasT("2.2");
    data.ComputeRock();
    Write("let", {.SGOF = true});
    ASSERT_NE(ReadFile(dir / "let.sgof").find("-- Capillary Pressure (Pcog): Leverett J"), std::string::npos);
    Check({.units = Units(),
           .phases = {"OIL", "WATER", "GAS", "DISGAS"},
           .includes = {"let.pvto", "let.pvdg", "let.pvtw", "let.dens", "let.swof", "let.sgof"},
           .tabdims = " 1 1 50 50 1 50 /",
           .bubblePoints = {data.objects.Oil.Pbp()},
           .injectorPhase = "WATER",
           .injectorRate = 300});
}

INSTANTIATE_TEST_SUITE_P(Units, FlowDeck, ::testing::Values(EclipseUnits::Field, EclipseUnits::Metric),
                         UnitsName);

// One keyword's table as a single-case file holds it: the lines after the keyword and its empty
// line, without the file's closing empty line (or PVDO's constant-Rs record).
std::string TableBody(const std::string& file, const std::string& keyword) {
    const std::size_t at = file.find(keyword + "\r\n\r\n");
    if (at == std::string::npos) return "(no " + keyword + " in the file)";
    const std::string rest = file.substr(at + keyword.size() + 4);
    if (keyword == "PVDO") return rest.substr(0, rest.find("\r\n\r\n\r\n\r\nRSCONST") + 2);
    return rest.substr(0, rest.size() - 2);
}

// Three live oils with gas and water as the PVT and saturation regions of one deck, PVTNUM,
// SATNUM and EQLNUM set per band of cells: each region's tables are exactly its case's single-case
// file, the deck asks for three tables of each kind, and Flow runs it to the end.
TEST_P(FlowDeck, ThreeRegionsInOneDeck) {
    Objects light, heavy;
    data.Compute({.gas = true, .water = true});
    data.ComputeRock();
    light.objects.Oil.SetAPI("40");
    light.objects.Oil.SetRsi("450");
    light.Compute({.gas = true, .water = true});
    light.objects.Rock.Displace(1);
    light.ComputeRock();
    heavy.objects.Oil.SetAPI("28");
    heavy.objects.Oil.SetRsi("300");
    heavy.Compute(
        {.gas = true, .water = true, .pressures = {"4500", "3800", "3000", "2400", "1800", "1200"}});
    heavy.objects.Rock.Lith(1);
    heavy.ComputeRock();
    const std::vector<DeckCase> cases{
        {"start-up", &data.objects}, {"light", &light.objects}, {"heavy", &heavy.objects}};
    const DeckResult deck = WriteEclipseDeck(cases, dir.path() / "regions", Units());
    EXPECT_EQ(deck.keywords, (std::vector<std::string>{"PVDO", "PVTO", "PVDG", "PVTW", "DENSITY", "SWOF"}));
    EXPECT_TRUE(deck.leftOut.empty());
    EXPECT_EQ(deck.dims.NTPVT, 3);
    EXPECT_EQ(deck.dims.NTSFUN, 3);
    EXPECT_EQ(deck.dims.NSSFUN, 15);
    // The start-up schedule has the most pressures: 16 from the range plus the bubble point.
    EXPECT_EQ(deck.dims.NRPVT, data.objects.Prs.NPRSo());
    EXPECT_EQ(deck.dims.NPPVT, data.objects.Prs.NPRSo());

    Objects* sources[] = {&data, &light, &heavy};
    for (std::size_t k = 0; k < cases.size(); ++k) {
        for (const EclipseProblem& p :
             CheckEclipseTables(sources[k]->objects, OfferedEclipseTables(sources[k]->objects), Units()))
            ADD_FAILURE() << cases[k].name << ": " << p.keyword << ": " << p.reason;
        const std::string base = "single" + std::to_string(k + 1);
        Write(base, OfferedEclipseTables(sources[k]->objects), *sources[k]);
        for (const std::string& keyword : deck.keywords) {
            const std::string ext = EclipseExtension(keyword);
            const std::string region =
                "-- Region " + std::to_string(k + 1) + ": case " + cases[k].name + "\r\n";
            EXPECT_NE(ReadFile(dir / ("regions" + ext))
                          .find(region + TableBody(ReadFile(dir / (base + ext)), keyword)),
                      std::string::npos)
                << keyword << " region " << k + 1;
        }
    }
    const std::string pvdo = ReadFile(dir / "regions.pvdo");
    EXPECT_NE(pvdo.find("RSCONSTT\r\n"), std::string::npos);

    // Three phases need the gas-oil curves too: each case's rock as a gas/oil imbibition system.
    for (Objects* o : sources) {
        o->objects.Rock.Fluids(1);
        o->objects.Rock.Displace(1);
        o->ComputeRock();
        for (const EclipseProblem& p : CheckEclipseTables(o->objects, {.SGOF = true}, Units()))
            ADD_FAILURE() << p.keyword << ": " << p.reason;
    }
    const DeckResult gasOil = WriteEclipseDeck(cases, dir.path() / "gasoil", Units());
    ASSERT_NE(std::find(gasOil.keywords.begin(), gasOil.keywords.end(), "SGOF"), gasOil.keywords.end());

    Check({.units = Units(),
           .phases = {"OIL", "WATER", "GAS", "DISGAS"},
           .includes = {"regions.pvto", "regions.pvdg", "regions.pvtw", "regions.dens", "regions.swof",
                        "gasoil.sgof"},
           .tabdims = deck.dims.Record(),
           .bubblePoints = {data.objects.Oil.Pbp(), light.objects.Oil.Pbp(), heavy.objects.Oil.Pbp()},
           .regions = 3,
           .injectorPhase = "WATER",
           .injectorRate = 300});
}

} // namespace
} // namespace q7::test
