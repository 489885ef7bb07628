// The Eclipse include files in a real simulator: each case writes its files, a small black-oil deck
// (FIELD or METRIC units, a 5 x 5 x 1 grid, a producer and an injector, four monthly report steps) includes
// them in PROPS, and OPM Flow must parse the tables, pass its saturation-function checks without
// an "Error:" and run to the end of the schedule.
#include "WriterTestSupport.h"
#include "tests/support/FlowTestSupport.h"
#include "tests/support/ToolTestSupport.h"

#include "writers/EclipseChecks.h"
#include "writers/EclipseDeck.h"
#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace q7::test {
namespace {

// What a test asks of its deck (numbers in field units; a METRIC deck gets them converted): a 5 x 5 x 1
// grid, a producer in one corner and an injector in the other, four monthly report steps.
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
    BoxDeck box;
    box.units = UnitsKeyword(d.units);
    box.phases = d.phases;
    box.includes = d.includes;
    box.tabdims = d.tabdims;
    box.regions = d.regions;
    box.initialPressure = d.initialPressure;
    box.bubblePoints.assign(d.bubblePoints.begin(), d.bubblePoints.end());
    box.wells = {FlowWell{"PROD", "OIL", 1, 1, 400, d.producerBhp},
                 FlowWell{"INJ", d.injectorPhase, 5, 5, d.injectorRate, 4500}};
    return BoxDeckText(box);
}

class FlowDeck : public ::testing::TestWithParam<EclipseUnits> {
protected:
    void SetUp() override {
        if (!FlowOnPath()) Q7_MISSING_TOOL("OPM Flow (flow) is not on PATH");
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
        const FlowVerdict verdict = RunFlow(dir.path(), "CASE", DeckText(deck));
        const std::string& output = verdict.output;
        EXPECT_EQ(verdict.code, 0) << output;
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

// Neighbours that only the written precision makes equal: the cases Flow refused before the
// writer widened the column. API 25 at 200 F over 500-6000 psia with the bubble point at 3435.0
// psia (as GOR 600 scf/stb gives it) beside the range point 3436.0: two saturated records of Rs
// 0.600 at three decimals; Honarpour oil-water imbibition with Swc = Sorw = 0.45 spaces its saturations less
// than 0.01 apart. Then drawn live oils whose typed pressures sit 0.01-0.04 psia and 0.2-1 psia beside the
// bubble point and beside each other, three cases to a deck of three regions. Flow must read and run every
// file.
TEST_P(FlowDeck, NeighboursEqualOnlyAsRoundedAreWrittenApart) {
    data.objects.Oil.SetAPI("25");
    data.objects.Oil.SetSepGG("0.75");
    data.objects.Gas.SetGasGrav("0.75");
    data.objects.Fluid.SetResT("200");
    data.objects.Prs.SetMinP("500");
    data.objects.Prs.SetMaxP("6000");
    data.Compute({.gas = true, .water = true, .pbp = "3435"});
    clsRock& rock = data.objects.Rock;
    rock.CORR(1);
    rock.Displace(1);
    rock.SetSWC("0.45");
    rock.SetSORW("0.45");
    data.ComputeRock();
    ASSERT_TRUE(rock.GO());
    for (const EclipseProblem& p :
         CheckEclipseTables(data.objects, OfferedEclipseTables(data.objects), Units()))
        ADD_FAILURE() << p.keyword << ": " << p.reason;
    Write("mend", {.PVTO = true, .PVDG = true, .PVTW = true, .DENS = true, .SWOF = true});
    if (Units() == EclipseUnits::Field) {
        EXPECT_NE(ReadFile(dir / "mend.pvto").find("-- Rs written with 4 decimals, not 3"),
                  std::string::npos);
        EXPECT_NE(ReadFile(dir / "mend.swof").find("-- Sw written with 3 decimals, not 2"),
                  std::string::npos);
    }
    rock.CORR(0);
    rock.SetSWC("0.2");
    rock.SetSORW("0.25");
    rock.Fluids(1);
    data.ComputeRock();
    Write("mend", {.SGOF = true});
    Check({.units = Units(),
           .phases = {"OIL", "WATER", "GAS", "DISGAS"},
           .includes = {"mend.pvto", "mend.pvdg", "mend.pvtw", "mend.dens", "mend.swof", "mend.sgof"},
           .initialPressure = 4000,
           .bubblePoints = {data.objects.Oil.Pbp()},
           .injectorPhase = "WATER",
           .injectorRate = 300});
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

TEST_P(FlowDeck, DrawnCloseNeighboursInADeckOfRegions) {
    std::mt19937 draw(Units() == EclipseUnits::Field ? 24u : 25u);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(draw); };
    for (int round = 0; round < 2; ++round) {
        Objects cases[3];
        std::vector<DeckCase> regions;
        std::vector<float> pbs;
        int mended = 0;
        for (int k = 0; k < 3; ++k) {
            Objects& c = cases[k];
            const double pb = uniform(1500, 3000);
            const double p = uniform(3500, 4500);
            auto text = [](double v) { return Dx(v, 2); };
            c.objects.Oil.SetAPI(Dx(uniform(22, 42), 1));
            c.Compute({.gas = true,
                       .water = true,
                       .pressures = {"5000", text(p + uniform(0.01, 0.04)), text(p),
                                     text(pb + uniform(0.2, 1.0)), text(pb - uniform(0.01, 0.04)), "1000"},
                       .pbp = text(pb)});
            c.objects.Rock.Displace(1);
            c.ComputeRock();
            for (const EclipseProblem& q :
                 CheckEclipseTables(c.objects, OfferedEclipseTables(c.objects), Units()))
                ADD_FAILURE() << "case " << k << ": " << q.keyword << ": " << q.reason;
            for (const char* keyword : {"PVTO", "PVDG"})
                mended += !LayEclipseTable(c.objects, keyword, Units()).notes.empty();
            regions.push_back({"drawn" + std::to_string(k), &c.objects});
            pbs.push_back(c.objects.Oil.Pbp());
        }
        // In FIELD units every drawn case needs at least its pressures widened.
        if (Units() == EclipseUnits::Field) {
            EXPECT_GE(mended, 3);
        }
        const std::string base = "drawn" + std::to_string(round);
        const DeckResult deck = WriteEclipseDeck(regions, dir.path() / base, Units());
        for (Objects& c : cases) {
            c.objects.Rock.Fluids(1);
            c.ComputeRock();
        }
        WriteEclipseDeck(regions, dir.path() / (base + "go"), Units());
        Check({.units = Units(),
               .phases = {"OIL", "WATER", "GAS", "DISGAS"},
               .includes = {base + ".pvto", base + ".pvdg", base + ".pvtw", base + ".dens", base + ".swof",
                            base + "go.sgof"},
               .tabdims = deck.dims.Record(),
               .bubblePoints = pbs,
               .regions = 3,
               .injectorPhase = "GAS",
               .injectorRate = 500});
    }
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
