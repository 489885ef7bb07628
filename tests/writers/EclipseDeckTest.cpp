// The deck of several regions: which keywords it holds when the cases differ, what it says about
// the cases that lack one, and the per-region constant-Rs record of dead oil.
#include "WriterTestSupport.h"

#include "writers/EclipseDeck.h"
#include "writers/clsECL.h"

namespace q7::test {
namespace {

TEST(EclipseDeck, KeywordsMissingFromACaseAreLeftOutAndNameThatCase) {
    ScratchDir dir;
    Objects oilWater, oilGas, waterOnly;
    oilWater.Compute({.water = true});
    oilWater.ComputeRock();
    oilGas.Compute({.gas = true});
    oilGas.objects.Rock.Fluids(1);
    oilGas.ComputeRock();
    waterOnly.Compute({.oil = false, .water = true});
    const std::vector<DeckCase> cases{
        {"ow", &oilWater.objects}, {"og", &oilGas.objects}, {"w", &waterOnly.objects}};
    const DeckResult deck = WriteEclipseDeck(cases, dir.path() / "mixed", EclipseUnits::Field);
    // Only DENSITY is offered by all three; nothing offers the rock tables of the water-only case.
    EXPECT_EQ(deck.keywords, std::vector<std::string>{"DENSITY"});
    ASSERT_EQ(deck.files.size(), 1u);
    EXPECT_EQ(deck.files.front(), dir.path() / "mixed.dens");
    EXPECT_FALSE(std::filesystem::exists(dir / "mixed.pvdo"));
    std::vector<std::pair<std::string, std::vector<std::string>>> left;
    for (const DeckKeywordLeftOut& l : deck.leftOut)
        left.emplace_back(l.keyword, l.lacking);
    EXPECT_EQ(left, (std::vector<std::pair<std::string, std::vector<std::string>>>{
                        {"PVDO", {"w"}},
                        {"PVTO", {"w"}},
                        {"PVDG", {"w"}},
                        {"PVTW", {"og"}},
                        {"SWOF", {"og", "w"}},
                        {"SGOF", {"ow", "w"}},
                    }));
    // DENSITY is a PVT table: three PVT regions, one saturation region.
    EXPECT_EQ(deck.dims.NTPVT, 3);
    EXPECT_EQ(deck.dims.NTSFUN, 1);
    const std::string text = ReadFile(dir / "mixed.dens");
    EXPECT_NE(text.find("-- TABDIMS\r\n--  1 3 1 1 1* 1 /\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nDENSITY\r\n\r\n-- Region 1: case ow\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("-- Region 3: case w\r\n"), std::string::npos) << text;
}

// Dead oil of several regions gets one constant-Rs record per region, under the keyword OPM reads
// per PVT region; a deck of one region keeps the single-case file's RSCONST record.
TEST(EclipseDeck, DeadOilHasAConstantRsRecordPerRegion) {
    ScratchDir dir;
    Objects first, second;
    first.Compute({});
    second.objects.Oil.SetRsi("350");
    second.Compute({});
    const std::vector<DeckCase> two{{"a", &first.objects}, {"b", &second.objects}};
    WriteEclipseDeck(two, dir.path() / "two", EclipseUnits::Metric);
    const std::string text = ReadFile(dir / "two.pvdo");
    const std::size_t at = text.find("\r\nRSCONSTT\r\n");
    ASSERT_NE(at, std::string::npos) << text;
    // Rs sm3/sm3 (scf/stb x 0.178107607) and the bubble point in barsa (psia x 0.0689475729).
    const std::string recordA = Fx(first.objects.Oil.GetRSO(first.objects.Prs.BPPi()) * 0.178107607, 12, 3) +
                                Fx(first.objects.Oil.Pbp() * 0.0689475729, 11, 3) + "     /";
    const std::string recordB =
        Fx(350 * 0.178107607, 12, 3) + Fx(second.objects.Oil.Pbp() * 0.0689475729, 11, 3) + "     /";
    EXPECT_NE(
        text.find("-- Region 1: case a\r\n" + recordA + "\r\n-- Region 2: case b\r\n" + recordB + "\r\n", at),
        std::string::npos)
        << text;

    const std::vector<DeckCase> one{{"a", &first.objects}};
    WriteEclipseDeck(one, dir.path() / "one", EclipseUnits::Field);
    const std::string single = ReadFile(dir / "one.pvdo");
    EXPECT_EQ(single.find("RSCONSTT"), std::string::npos);
    EXPECT_NE(single.find("\r\nRSCONST\r\n-- Region 1: case a\r\n"), std::string::npos) << single;
}

TEST(EclipseDeck, NeedsACase) {
    ScratchDir dir;
    EXPECT_THROW(WriteEclipseDeck({}, dir.path() / "none", EclipseUnits::Field), std::invalid_argument);
}

} // namespace
} // namespace q7::test
