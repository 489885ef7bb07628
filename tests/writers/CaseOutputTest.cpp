// What the export dialogs offer on opening, and the per-case files the batch tool writes with
// those choices.
#include "WriterTestSupport.h"

#include "numeric/Errors.h"
#include "writers/CaseOutput.h"
#include "writers/OutputChoices.h"

namespace q7::test {
namespace {

struct OfferCase {
    const char* name;
    bool oil, gas, water, rock;
    std::int16_t fluids;
    EclipseTables offered;
};

class Offered : public ::testing::TestWithParam<OfferCase> {};

// The GO flags come from real calculations of the phases named; nothing else is computed.
TEST_P(Offered, EclipseTablesFollowTheComputedPhases) {
    const OfferCase& c = GetParam();
    Objects data;
    if (c.oil || c.gas || c.water)
        data.Compute(
            {.oil = c.oil, .gas = c.gas, .water = c.water, .pressures = {"3000", "1000"}, .pbp = "2000"});
    data.objects.Rock.Fluids(c.fluids);
    if (c.rock) data.ComputeRock();
    EXPECT_EQ(OfferedEclipseTables(data.objects), c.offered);
    EXPECT_EQ(ComputedGroups(data.objects), (PropertyGroups{c.oil, c.gas || c.oil, c.water, c.rock}));
}

EclipseTables Tables(bool pvdo, bool pvto, bool pvdg, bool pvtw, bool dens, bool swof, bool sgof) {
    return {pvdo, pvto, pvdg, pvtw, dens, swof, sgof};
}

INSTANTIATE_TEST_SUITE_P(
    Phases, Offered,
    ::testing::Values(OfferCase{"Nothing", false, false, false, false, 0, Tables(0, 0, 0, 0, 0, 0, 0)},
                      OfferCase{"OilWithItsGas", true, false, false, false, 0, Tables(1, 1, 1, 0, 1, 0, 0)},
                      OfferCase{"GasOnly", false, true, false, false, 0, Tables(0, 0, 1, 0, 1, 0, 0)},
                      OfferCase{"WaterOnly", false, false, true, false, 0, Tables(0, 0, 0, 1, 1, 0, 0)},
                      OfferCase{"RockOilWater", false, false, false, true, 0, Tables(0, 0, 0, 0, 0, 1, 0)},
                      OfferCase{"RockGasOil", false, false, false, true, 1, Tables(0, 0, 0, 0, 0, 0, 1)},
                      OfferCase{"Everything", true, true, true, true, 0, Tables(1, 1, 1, 1, 1, 1, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

// The q7.csv and Eclipse.* files themselves are compared byte for byte by the golden cases; here the
// report pair, the table left out for an oil/water rock, the silence and the failure.
TEST(CaseOutput, WritesTheReportPairSilentlyAndFailsOnAMissingFolder) {
    ScratchDir dir;
    Objects data;
    data.Compute({.gas = true, .water = true});
    data.ComputeRock();
    WriteCaseCsv(data.objects, dir.path());
    WriteCaseEclipse(data.objects, dir.path());
    WriteCaseReport(data.objects, {"Acme & Co", "North", "Upper", "Block 7", "J. Doe"}, dir.path());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Eclipse.swof"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Eclipse.sgof"));
    EXPECT_TRUE(data.sink.messages.empty());
    EXPECT_NE(ReadFile(dir / "Sample.txt").find("\r\nCompany: Acme & Co\r\n"), std::string::npos);
    EXPECT_NE(ReadFile(dir / "Sample.htm").find(">Acme &amp; Co<"), std::string::npos);
    EXPECT_THROW(WriteCaseCsv(data.objects, dir.path() / "missing"), IoError);
    EXPECT_THROW(WriteCaseReport(data.objects, {}, dir.path() / "missing"), IoError);
}

} // namespace
} // namespace q7::test
