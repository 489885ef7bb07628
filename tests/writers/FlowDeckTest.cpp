// The Eclipse include files in a real simulator: each case writes its files, a small black-oil deck
// (FIELD units, a 5 x 5 x 1 grid, a producer and an injector, four monthly report steps) includes
// them in PROPS, and OPM Flow must parse the tables, pass its saturation-function checks without
// an "Error:" and run to the end of the schedule.
#include "WriterTestSupport.h"

#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

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

struct Deck {
    std::vector<std::string> phases;   // RUNSPEC phase keywords
    std::vector<std::string> includes; // PROPS include files, in order
    std::string equilibration;         // SOLUTION section
    std::string injectorPhase;         // WATER or GAS
    std::string injectorRate;
    std::string producerBhp = "1500";
};

std::string DeckText(const Deck& d) {
    std::string s = "RUNSPEC\nTITLE\nFluvarex include files\nDIMENS\n 5 5 1 /\nFIELD\n";
    for (const std::string& p : d.phases)
        s += p + "\n";
    s += "TABDIMS\n 1 1 30 40 1 40 /\nEQLDIMS\n 1 /\nWELLDIMS\n 2 1 1 2 /\nSTART\n 1 'JAN' 2024 /\nUNIFOUT\n"
         "GRID\nDX\n 25*300 /\nDY\n 25*300 /\nDZ\n 25*40 /\nTOPS\n 25*8000 /\nPORO\n 25*0.2 /\n"
         "PERMX\n 25*100 /\nPERMY\n 25*100 /\nPERMZ\n 25*10 /\nPROPS\n";
    for (const std::string& f : d.includes)
        s += "INCLUDE\n '" + f + "' /\n";
    s += "ROCK\n 3000 4.0E-6 /\nSOLUTION\n" + d.equilibration;
    s += "SCHEDULE\nWELSPECS\n 'PROD' 'G' 1 1 8020 'OIL' /\n 'INJ' 'G' 5 5 8020 '" + d.injectorPhase +
         "' /\n/\nCOMPDAT\n 'PROD' 1 1 1 1 'OPEN' 1* 1* 0.5 /\n 'INJ' 5 5 1 1 'OPEN' 1* 1* 0.5 /\n/\n"
         "WCONPROD\n 'PROD' 'OPEN' 'ORAT' 400 4* " +
         d.producerBhp + " /\n/\nWCONINJE\n 'INJ' '" + d.injectorPhase + "' 'OPEN' 'RATE' " + d.injectorRate +
         " 1* 4500 /\n/\nTSTEP\n 4*30 /\nEND\n";
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

class FlowDeck : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FlowOnPath()) GTEST_SKIP() << "OPM Flow (flow) is not on PATH";
    }
    // Writes the chosen tables under the base name `base` in the scratch folder.
    void Write(const std::string& base, const EclipseTables& tables) {
        clsECL ecl(data.objects, data.sink);
        ecl.FileName(dir / base);
        SelectEclipseTables(ecl, tables);
        ecl.Execute();
    }
    // Initially undersaturated at 3000 psia, with the computed bubble point at every depth.
    std::string LiveOilEquilibration() const {
        const std::string pb = Dx(data.objects.Oil.Pbp(), 1);
        return "EQUIL\n 8020 3000 9000 0 7000 0 1 0 0 /\nPBVD\n 7000 " + pb + "\n 9000 " + pb + " /\n";
    }
    // Runs the deck and returns what Flow printed.
    std::string Check(const std::string& deckText) {
        std::ofstream(dir / "CASE.DATA") << deckText;
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

// The default oil (bubble point about 2214 psia) with gas and water over the default range;
// SWOF from the Corey drainage curves, SGOF from the Corey gas-oil imbibition curves (whose oil
// kr reaches 0). Initially undersaturated at 3000 psia; the producer draws below the bubble point.
TEST_F(FlowDeck, LiveOilThreePhases) {
    data.Compute({.gas = true, .water = true});
    data.ComputeRock();
    Write("live", {.PVTO = true, .PVDG = true, .PVTW = true, .DENS = true, .SWOF = true});
    clsRock& rock = data.objects.Rock;
    rock.Fluids(1);
    rock.Displace(1);
    data.ComputeRock();
    Write("live", {.SGOF = true});
    Check(
        DeckText({.phases = {"OIL", "WATER", "GAS", "DISGAS"},
                  .includes = {"live.pvto", "live.pvdg", "live.pvtw", "live.dens", "live.swof", "live.sgof"},
                  .equilibration = LiveOilEquilibration(),
                  .injectorPhase = "WATER",
                  .injectorRate = "300"}));
}

// Gas and oil only, with gas injection; SGOF from the Honarpour sandstone gas-oil imbibition
// correlation, highest gas saturation 1 - Swc.
TEST_F(FlowDeck, GasOilImbibition) {
    data.Compute({.gas = true});
    clsRock& rock = data.objects.Rock;
    rock.Fluids(1);
    rock.Displace(1);
    rock.CORR(1);
    data.ComputeRock();
    Write("go", {.PVTO = true, .PVDG = true, .DENS = true, .SGOF = true});
    Check(DeckText({.phases = {"OIL", "GAS", "DISGAS"},
                    .includes = {"go.pvto", "go.pvdg", "go.dens", "go.sgof"},
                    .equilibration = LiveOilEquilibration(),
                    .injectorPhase = "GAS",
                    .injectorRate = "500"}));
}

// Dead oil: PVDO from the bubble point upwards with its RSCONST record, water, and SWOF from the
// Corey oil-water imbibition curves. The producer stays above the bubble point.
TEST_F(FlowDeck, DeadOilWithConstantSolutionGas) {
    data.Compute({.water = true});
    data.objects.Rock.Displace(1);
    data.ComputeRock();
    Write("dead", {.PVDO = true, .PVTW = true, .DENS = true, .SWOF = true});
    ASSERT_NE(ReadFile(dir / "dead.pvdo").find("RSCONST"), std::string::npos);
    const std::string output =
        Check(DeckText({.phases = {"OIL", "WATER"},
                        .includes = {"dead.pvdo", "dead.pvtw", "dead.dens", "dead.swof"},
                        .equilibration = "EQUIL\n 8020 3500 9000 0 7000 0 0 0 0 /\n",
                        .injectorPhase = "WATER",
                        .injectorRate = "300",
                        .producerBhp = Dx(data.objects.Oil.Pbp() + 300.0f, 0)}));
    EXPECT_NE(output.find("Reading RSCONST"), std::string::npos) << output;
}

} // namespace
} // namespace q7::test
