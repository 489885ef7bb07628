// Both saturation tables of one rock (RockType 2) and the family II keywords in OPM Flow: the same
// three-phase deck written with SWOF and SGOF and with SWFN, SGFN and SOF3 must give the same
// field rates and pressure, and a deck of three such cases as regions must run with each region's
// tables exactly its case's own files.
#include "WriterTestSupport.h"
#include "tests/support/FlowTestSupport.h"
#include "tests/support/ToolTestSupport.h"

#include "writers/EclipseChecks.h"
#include "writers/EclipseDeck.h"
#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

#include <algorithm>
#include <cstdio>

namespace q7::test {
namespace {

class SaturationFamilyFlow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FlowOnPath()) Q7_MISSING_TOOL("OPM Flow (flow) is not on PATH");
    }
    // Live oil with gas and water, the rock giving both tables from one set of end points.
    static void ComputeThreePhases(Objects& o, const char* api, const char* rsi) {
        o.objects.Oil.SetAPI(api);
        o.objects.Oil.SetRsi(rsi);
        o.Compute({.gas = true, .water = true});
        o.objects.Rock.Fluids(2);
        o.objects.Rock.Displace(1); // the gas-oil oil kr reaches 0 only in imbibition
        o.ComputeRock();
    }
    void Write(const std::string& base, const EclipseTables& tables, Objects& from) {
        clsECL ecl(from.objects, from.sink);
        ecl.FileName(dir / base);
        SelectEclipseTables(ecl, tables);
        ecl.Execute();
    }
    BoxDeck Deck(const std::vector<std::string>& includes,
                 const std::vector<double>& bubblePoints = {}) const {
        BoxDeck box;
        box.bubblePoints = bubblePoints;
        box.phases = {"OIL", "WATER", "GAS", "DISGAS"};
        box.includes = includes;
        box.wells = {FlowWell{"PROD", "OIL", 1, 1, 400, 1500}, FlowWell{"INJ", "WATER", 5, 5, 300, 4500}};
        box.summary = {"FOPR", "FWPR", "FGPR", "FPR"};
        return box;
    }
    void ExpectRuns(const FlowVerdict& v) {
        EXPECT_EQ(v.code, 0) << FlowSaid(v.output);
        EXPECT_EQ(v.output.find("Error:"), std::string::npos) << FlowSaid(v.output);
        EXPECT_NE(v.output.find("End of simulation"), std::string::npos) << FlowSaid(v.output);
    }
    // The largest difference between two runs' summary vectors, relative to each vector's largest
    // magnitude, read with OPM's own summary reader (python3-opm-common); -1 when it cannot say.
    double SummaryDifference(const std::string& a, const std::string& b) {
        const std::string script = "import sys\n"
                                   "from opm.io.ecl import ESmry\n"
                                   "x, y = ESmry(sys.argv[1]), ESmry(sys.argv[2])\n"
                                   "worst = 0.0\n"
                                   "for v in ('FOPR', 'FWPR', 'FGPR', 'FPR'):\n"
                                   "    p, q = list(x[v]), list(y[v])\n"
                                   "    if len(p) != len(q) or not p: print(-1); sys.exit(0)\n"
                                   "    scale = max(max(abs(t) for t in p), 1e-12)\n"
                                   "    worst = max(worst, max(abs(s - t) for s, t in zip(p, q)) / scale)\n"
                                   "print(worst)\n";
        std::ofstream(dir / "compare.py") << script;
        const std::string command =
            "/usr/bin/python3 '" + (dir / "compare.py") + "' '" + (dir / ("out-" + a + "/" + a + ".SMSPEC")) +
            "' '" + (dir / ("out-" + b + "/" + b + ".SMSPEC")) + "' > '" + (dir / "diff.txt") + "' 2>&1";
        if (std::system(command.c_str()) != 0) return -1;
        return std::atof(ReadFile(dir / "diff.txt").c_str());
    }
    ScratchDir dir;
};

// OPM Flow 2022.10 gave byte-identical summary files for the two families in a probe; the oil
// curves of SOF3 are SWOF's and SGOF's as written, each read at the other's saturations, so the
// two decks can differ only by the rounding of those interpolated values (4 decimals).
TEST_F(SaturationFamilyFlow, FamilyTwoGivesTheSameResultsAsFamilyOne) {
    Objects data;
    ComputeThreePhases(data, "35", "600");
    const EclipseTables one = OfferedEclipseTables(data.objects);
    const EclipseTables two = OfferedEclipseTables(data.objects, SaturationFamily::Two);
    EXPECT_TRUE(one.SWOF && one.SGOF && !one.SWFN && !one.SOF3);
    EXPECT_TRUE(two.SWFN && two.SGFN && two.SOF3 && !two.SOF2 && !two.SWOF && !two.SGOF);
    for (const EclipseProblem& p : CheckEclipseTables(data.objects, two))
        ADD_FAILURE() << p.keyword << ": " << p.reason;
    Write("one", one, data);
    Write("two", two, data);
    const FlowVerdict first =
        RunFlow(dir.path(), "ONE",
                BoxDeckText(Deck({"one.pvto", "one.pvdg", "one.pvtw", "one.dens", "one.swof", "one.sgof"},
                                 {data.objects.Oil.Pbp()})));
    ExpectRuns(first);
    const FlowVerdict second = RunFlow(
        dir.path(), "TWO",
        BoxDeckText(Deck({"two.pvto", "two.pvdg", "two.pvtw", "two.dens", "two.swfn", "two.sgfn", "two.sof3"},
                         {data.objects.Oil.Pbp()})));
    ExpectRuns(second);
    const double diff = SummaryDifference("ONE", "TWO");
    ASSERT_GE(diff, 0.0) << ReadFile(dir / "diff.txt");
    EXPECT_LT(diff, 1e-3) << "field rates and pressure differ between the families";
}

// The oil curves of SOF3 as written: both 0 at So = 0, krow 0 up to SORW as SWOF's oil kr, both 1
// at the highest oil saturation 1 - SWC.
TEST_F(SaturationFamilyFlow, ThreePhaseOilTableEndsWhereTheFamilyOneTablesDo) {
    Objects data;
    ComputeThreePhases(data, "35", "600");
    const WrittenTable sof3 = EclipseTableAsWritten(data.objects, "SOF3");
    ASSERT_EQ(sof3.size(), 1u);
    const WrittenRecord& rows = sof3.front();
    EXPECT_EQ(rows.front(), (WrittenRow{0.0, 0.0, 0.0}));
    EXPECT_NEAR(rows.back()[0], 1.0 - 0.2, 1e-9);
    EXPECT_EQ(rows.back()[1], 1.0);
    EXPECT_EQ(rows.back()[2], 1.0);
    double lastZeroKrow = 0, lastZeroKrog = 0;
    for (const WrittenRow& r : rows) {
        if (r[1] == 0.0) lastZeroKrow = r[0];
        if (r[2] == 0.0) lastZeroKrog = r[0];
    }
    // The oil is immobile to water up to SORW (a row further where a kr rounds to 0 at 4 decimals);
    // against gas the grid steps from So = 0 straight to SORG, where the oil moves.
    EXPECT_GE(lastZeroKrow, 0.4 - 1e-9);
    EXPECT_LT(lastZeroKrow, 0.5);
    EXPECT_EQ(lastZeroKrog, 0.0);
}

// Three live oils, each rock RockType 2 with its own end points, as the regions of one deck: every
// region gets SWOF and SGOF equal to its case's own files, and Flow runs the three-phase deck;
// family 2 of the same cases runs too.
TEST_F(SaturationFamilyFlow, ThreeRegionsOfBothTablesRun) {
    Objects a, b, c;
    ComputeThreePhases(a, "35", "600");
    b.objects.Rock.SetSWC("0.25");
    b.objects.Rock.SetSORW("0.3");
    b.objects.Rock.SetSORG("0.2");
    b.objects.Rock.SetSGCrit("0.05");
    ComputeThreePhases(b, "40", "450");
    c.objects.Rock.SetSWC("0.15");
    c.objects.Rock.CORR(2);
    ComputeThreePhases(c, "28", "300");
    const std::vector<DeckCase> cases{{"a", &a.objects}, {"b", &b.objects}, {"c", &c.objects}};
    const DeckResult deck = WriteEclipseDeck(cases, dir.path() / "regions", EclipseUnits::Field);
    EXPECT_NE(std::find(deck.keywords.begin(), deck.keywords.end(), "SWOF"), deck.keywords.end());
    EXPECT_NE(std::find(deck.keywords.begin(), deck.keywords.end(), "SGOF"), deck.keywords.end());
    EXPECT_TRUE(deck.leftOut.empty());
    EXPECT_EQ(deck.dims.NTSFUN, 3);
    Objects* sources[] = {&a, &b, &c};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string base = "single" + std::to_string(k + 1);
        Write(base, OfferedEclipseTables(sources[k]->objects), *sources[k]);
        for (const char* keyword : {"SWOF", "SGOF"}) {
            // The table of the single-case file, from its heading line to its closing "/".
            const std::string own = ReadFile(dir / (base + EclipseExtension(keyword)));
            const std::size_t from = own.find("-- Relative Permeability");
            const std::size_t to = own.find("\r\n/\r\n", from);
            ASSERT_NE(to, std::string::npos);
            const std::string region =
                "-- Region " + std::to_string(k + 1) + ": case " + cases[k].name + "\r\n";
            EXPECT_NE(ReadFile(dir / ("regions" + EclipseExtension(keyword)))
                          .find(region + own.substr(from, to + 4 - from)),
                      std::string::npos)
                << keyword << " region " << k + 1;
        }
    }
    BoxDeck box = Deck(
        {"regions.pvto", "regions.pvdg", "regions.pvtw", "regions.dens", "regions.swof", "regions.sgof"});
    box.regions = 3;
    box.tabdims = deck.dims.Record();
    box.bubblePoints = {a.objects.Oil.Pbp(), b.objects.Oil.Pbp(), c.objects.Oil.Pbp()};
    ExpectRuns(RunFlow(dir.path(), "REGIONS", BoxDeckText(box)));

    const DeckResult two =
        WriteEclipseDeck(cases, dir.path() / "two", EclipseUnits::Field, false, SaturationFamily::Two);
    for (const char* keyword : {"SWFN", "SGFN", "SOF3"})
        EXPECT_NE(std::find(two.keywords.begin(), two.keywords.end(), keyword), two.keywords.end())
            << keyword;
    box.includes = {"two.pvto", "two.pvdg", "two.pvtw", "two.dens", "two.swfn", "two.sgfn", "two.sof3"};
    box.tabdims = two.dims.Record();
    ExpectRuns(RunFlow(dir.path(), "TWO", BoxDeckText(box)));
}

} // namespace
} // namespace q7::test
