// Checks before export: each rule on a small table made for it (the faults OPM Flow 2022.10 was
// seen to refuse: column ordering errors, a failed start-up, or an "Error:" from its saturation
// diagnostics), the tables "as written" against the files clsECL writes, and whole cases whose
// rounding or correlation gives a table a simulator would refuse.
#include "WriterTestSupport.h"

#include "writers/EclipseChecks.h"
#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace q7::test {
namespace {

struct RuleCase {
    const char* name;
    const char* keyword;
    WrittenTable table;
    const char* reason; // a piece of the one reason expected; nullptr: no problem
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

// Tables that pass, and the same tables with one value changed.
const WrittenRecord kPvdo = {{1500.0, 1.2000, 0.900}, {2500.0, 1.1800, 1.000}, {3500.0, 1.1700, 1.050}};
const WrittenRecord kPvdg = {{500.0, 6.0, 0.012}, {1500.0, 2.0, 0.015}, {2500.0, 1.2, 0.019}};
const WrittenRecord kSwof = {
    {0.20, 0.0, 1.0, 0}, {0.50, 0.2, 0.3, 0}, {0.70, 0.5, 0.0, 0}, {0.80, 0.7, 0.0, 0}};
const WrittenRecord kSgof = {{0.0, 0.0, 1.0, 0}, {0.3, 0.2, 0.3, 0}, {0.8, 0.7, 0.0, 0}};
const WrittenTable kPvto = {
    {{0.100, 500.0, 1.10, 1.20}},
    {{0.300, 1500.0, 1.20, 0.90}, {2000.0, 1.19, 0.95}, {2500.0, 1.18, 1.00}},
    {{0.500, 2500.0, 1.30, 0.70}, {2700.0, 1.29, 0.72}},
};

WrittenRecord With(WrittenRecord rows, std::size_t row, std::size_t col, double v) {
    rows.at(row).at(col) = v;
    return rows;
}
WrittenTable WithPvto(std::size_t record, std::size_t row, std::size_t col, double v) {
    WrittenTable t = kPvto;
    t.at(record).at(row).at(col) = v;
    return t;
}

const RuleCase kRuleCases[] = {
    {"PvdoPasses", "PVDO", {kPvdo}, nullptr},
    {"PvdoPressureLevel",
     "PVDO",
     {With(kPvdo, 1, 0, 1500.0)},
     "row 2 (1500.0 psia): pressure 1500.0 is not above 1500.0"},
    {"PvdoBoLevel", "PVDO", {With(kPvdo, 1, 1, 1.2)}, "row 2 (2500.0 psia): Bo 1.2000 is not below 1.2000"},
    {"PvdoViscosityFalls",
     "PVDO",
     {With(kPvdo, 2, 2, 0.95)},
     "row 3 (3500.0 psia): viscosity 0.950 is below 1.000"},
    {"PvdoViscosityLevelPasses", "PVDO", {With(kPvdo, 2, 2, 1.0)}, nullptr},
    {"PvdoOneRow", "PVDO", {{kPvdo.front()}}, "only one pressure row"},
    {"PvtoPasses", "PVTO", kPvto, nullptr},
    // Flow takes an undersaturated viscosity that falls; so does the check.
    {"PvtoUndersaturatedViscosityFallsPasses", "PVTO", WithPvto(1, 2, 2, 0.91), nullptr},
    {"PvtoRsLevel", "PVTO", WithPvto(2, 0, 0, 0.3), "record 3 (2500.0 psia): Rs 0.300 is not above 0.300"},
    {"PvtoUndersaturatedBoRises", "PVTO", WithPvto(1, 1, 1, 1.21),
     "record 2 (Rs 0.300), row 2 (2000.0 psia): Bo 1.2100 is not below 1.2000"},
    {"PvtoUndersaturatedPressureLevel", "PVTO", WithPvto(2, 1, 0, 2500.0),
     "record 3 (Rs 0.500), row 2 (2500.0 psia): pressure"},
    {"PvdgPasses", "PVDG", {kPvdg}, nullptr},
    {"PvdgBgLevel", "PVDG", {With(kPvdg, 2, 1, 2.0)}, "row 3 (2500.0 psia): Bg 2.00000 is not below 2.00000"},
    {"PvdgViscosityFalls",
     "PVDG",
     {With(kPvdg, 1, 2, 0.011)},
     "row 2 (1500.0 psia): viscosity 0.0110 is below 0.0120"},
    {"PvtwPasses", "PVTW", {{{3000.0, 1.02, 3E-6, 0.5, 0.0}}}, nullptr},
    {"PvtwBwZero", "PVTW", {{{3000.0, 0.0, 3E-6, 0.5, 0.0}}}, "Bw is written as 0.0000"},
    {"PvtwViscosityZero", "PVTW", {{{3000.0, 1.02, 3E-6, 0.0, 0.0}}}, "viscosity is written as 0.000"},
    {"DensityPasses", "DENSITY", {{{50.0, 62.0, 0.06}}}, nullptr},
    {"SwofPasses", "SWOF", {kSwof}, nullptr},
    {"SwofFirstKrwNotZero",
     "SWOF",
     {With(kSwof, 0, 1, 0.01)},
     "row 1 (Sw 0.20): krw 0.0100 at the first row"},
    {"SwofKroNeverZero",
     "SWOF",
     {With(With(kSwof, 2, 2, 0.1), 3, 2, 0.05)},
     "kro never reaches 0 (the last row, row 4 (Sw 0.80), has kro 0.0500)"},
    // Oil that is immobile at some row but not the last: Flow runs it.
    {"SwofKroZeroBeforeTheLastRowPasses", "SWOF", {With(kSwof, 3, 2, 0.05)}, nullptr},
    {"SwofSaturationLevel", "SWOF", {With(kSwof, 2, 0, 0.5)}, "row 3 (Sw 0.50): Sw 0.50 is not above 0.50"},
    {"SwofSaturationAboveOne",
     "SWOF",
     {With(kSwof, 3, 0, 1.05)},
     "row 4 (Sw 1.05): Sw 1.05 is outside [0, 1]"},
    {"SwofKrwAboveOne", "SWOF", {With(kSwof, 3, 1, 1.1)}, "row 4 (Sw 0.80): krw 1.1000 is outside [0, 1]"},
    {"SwofKroNegative",
     "SWOF",
     {With(kSwof, 3, 2, -0.0001)},
     "row 4 (Sw 0.80): kro -0.0001 is outside [0, 1]"},
    // A phase whose kr never leaves 0 has no critical saturation: Flow aborts looking for it.
    {"SwofWaterNeverMobile",
     "SWOF",
     {With(With(With(kSwof, 1, 1, 0.0), 2, 1, 0.0), 3, 1, 0.0)},
     "krw is 0 in every row as written: the water never becomes mobile"},
    {"SwofOilNeverMobile",
     "SWOF",
     {With(With(kSwof, 0, 2, 0.0), 1, 2, 0.0)},
     "kro is 0 in every row as written: the oil never becomes mobile"},
    // Mobile at the last row only is enough.
    {"SwofWaterMobileOnlyAtTheLastRowPasses", "SWOF", {With(With(kSwof, 1, 1, 0.0), 2, 1, 0.0)}, nullptr},
    {"SgofPasses", "SGOF", {kSgof}, nullptr},
    {"SgofGasNeverMobile",
     "SGOF",
     {With(With(kSgof, 1, 1, 0.0), 2, 1, 0.0)},
     "krg is 0 in every row as written: the gas never becomes mobile"},
    {"SgofFirstSgNotZero", "SGOF", {With(kSgof, 0, 0, 0.05)}, "row 1 (Sg 0.0500): the first Sg must be 0"},
    {"SgofFirstKrgNotZero",
     "SGOF",
     {With(kSgof, 0, 1, 0.01)},
     "row 1 (Sg 0.0000): krg 0.0100 at the first row"},
    {"SgofKroNeverZero", "SGOF", {With(kSgof, 2, 2, 0.02)}, "kro never reaches 0"},
    {"SgofKrgAboveOne", "SGOF", {With(kSgof, 2, 1, 1.2)}, "row 3 (Sg 0.8000): krg 1.2000 is outside [0, 1]"},
    // A table the simulator interpolates needs two rows: OPM Flow 2022.10 aborts on one ("Assertion
    // `nSamples > 1' failed", seen on a one-row PVDG).
    {"PvdgOneRow", "PVDG", {{kPvdg.front()}}, "only one pressure row; the simulator interpolates"},
    {"PvtoOneRecord", "PVTO", {kPvto.back()}, "only one saturated record"},
    // Values a simulator cannot take once written as 0 (a viscosity of 0.0004 cp is "0.000").
    {"PvdoViscosityWrittenZero",
     "PVDO",
     {With(kPvdo, 0, 2, 0.0)},
     "row 1 (1500.0 psia): viscosity is written as 0.000; it must be above 0"},
    {"PvdgPressureWrittenZero",
     "PVDG",
     {With(kPvdg, 0, 0, 0.0)},
     "row 1 (0.0 psia): pressure is written as 0.0; it must be above 0"},
    {"PvtoViscosityWrittenZero", "PVTO", WithPvto(0, 0, 3, 0.0),
     "record 1 (Rs 0.100), row 1 (500.0 psia): viscosity is written as 0.000"},
    {"PvtoFirstRsZeroPasses", "PVTO", WithPvto(0, 0, 0, 0.0), nullptr},
    {"DensityGasWrittenZero", "DENSITY", {{{50.0, 62.0, 0.0}}}, "gas density is written as 0.000"},
};

class EclipseCheckRule : public ::testing::TestWithParam<RuleCase> {};

// Each faulty table gives exactly the one reason of its rule; each sound one none.
TEST_P(EclipseCheckRule, GivesTheReasonOfItsRuleOnly) {
    const RuleCase& c = GetParam();
    const std::vector<std::string> reasons = CheckWrittenTable(c.keyword, c.table);
    if (!c.reason) {
        EXPECT_TRUE(reasons.empty()) << reasons.front();
        return;
    }
    ASSERT_EQ(reasons.size(), 1u) << (reasons.empty() ? "no reason"
                                                      : reasons.front() + " / " + reasons.back());
    EXPECT_NE(reasons.front().find(c.reason), std::string::npos) << reasons.front();
}

INSTANTIATE_TEST_SUITE_P(Rules, EclipseCheckRule, ::testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A saturation table of one row is refused for that, whatever else its row breaks.
TEST(EclipseChecks, OneSaturationRowIsRefused) {
    for (const char* keyword : {"SWOF", "SGOF"}) {
        const std::vector<std::string> reasons = CheckWrittenTable(keyword, {{{0.0, 0.0, 1.0, 0.0}}});
        EXPECT_NE(std::find_if(reasons.begin(), reasons.end(),
                               [](const std::string& r) {
                                   return r.find("only one saturation row; the simulator interpolates") !=
                                          std::string::npos;
                               }),
                  reasons.end())
            << keyword;
    }
}

TEST(EclipseChecks, UnknownKeywordsAndShortRowsAreRefused) {
    EXPECT_THROW(CheckWrittenTable("SLGOF", {kSwof}), std::invalid_argument);
    EXPECT_THROW(CheckWrittenTable("SWOF", {{{0.2, 0.0, 1.0}}}), std::invalid_argument);
    EXPECT_THROW(CheckWrittenTable("PVTO", {{{1500.0, 1.2, 0.9}}}), std::invalid_argument);
    EXPECT_EQ(CheckWrittenTable("PVDG", {}), std::vector<std::string>{"the table has no rows"});
}

// The numbers of a file written by clsECL, laid out as EclipseTableAsWritten gives them: the data
// lines after the keyword, a "/" closing a record, a "/" alone closing the table.
WrittenTable ReadTable(const std::string& path) {
    std::istringstream in(ReadFile(path));
    std::string line;
    std::getline(in, line); // keyword
    WrittenTable table;
    bool open = false;
    while (std::getline(in, line)) {
        if (line.rfind("--", 0) == 0) continue;
        std::istringstream words(line);
        std::string word;
        WrittenRow row;
        bool closes = false;
        while (words >> word)
            word == "/" ? void(closes = true) : row.push_back(std::stod(word));
        if (row.empty() && closes) break; // a "/" alone ends the table
        if (row.empty()) continue;
        if (!open) table.emplace_back();
        table.back().push_back(row);
        open = !closes;
    }
    return table;
}

class EclipseChecksOnCases : public ::testing::Test {
protected:
    // Writes every table the export offers and compares each with its layout as written.
    void ExpectLayoutsMatchTheFiles() {
        clsECL ecl(data.objects, data.sink);
        ecl.FileName(dir / "c");
        const EclipseTables offered = OfferedEclipseTables(data.objects);
        SelectEclipseTables(ecl, offered);
        ecl.Execute();
        const std::tuple<bool, const char*, const char*> tables[] = {
            {offered.PVDO, "PVDO", ".pvdo"},    {offered.PVTO, "PVTO", ".pvto"},
            {offered.PVDG, "PVDG", ".pvdg"},    {offered.PVTW, "PVTW", ".pvtw"},
            {offered.DENS, "DENSITY", ".dens"}, {offered.SWOF, "SWOF", ".swof"},
            {offered.SGOF, "SGOF", ".sgof"}};
        int compared = 0;
        for (const auto& [written, keyword, extension] : tables) {
            if (!written) continue;
            EXPECT_EQ(EclipseTableAsWritten(data.objects, keyword),
                      ReadTable(dir / ("c" + std::string(extension))))
                << keyword;
            ++compared;
        }
        EXPECT_GE(compared, 4);
    }
    ScratchDir dir;
    Objects data;
};

// The default oil with gas and water over the default range, Corey oil-water drainage: every table
// as the files hold it, and nothing a simulator would refuse.
TEST_F(EclipseChecksOnCases, AllPhasesOilWaterDrainage) {
    data.Compute({.gas = true, .water = true});
    data.ComputeRock();
    ExpectLayoutsMatchTheFiles();
    const std::vector<EclipseProblem> problems =
        CheckEclipseTables(data.objects, OfferedEclipseTables(data.objects));
    EXPECT_TRUE(problems.empty()) << problems.front().keyword << ": " << problems.front().reason;
}

// Typed pressures 3000 and 2999.98 psia are two rows of the schedule that one decimal would write
// as 3000.0 twice: the pressure column of every table that holds both is written with 2 decimals
// (a comment says so), and nothing is left to refuse. The files hold what the layout holds.
TEST_F(EclipseChecksOnCases, PressuresEqualOnlyAfterRoundingAreWrittenApart) {
    data.Compute({.gas = true, .pressures = {"4000", "3000", "2999.98", "1000"}, .pbp = "2000"});
    data.ComputeRock();
    ASSERT_NE(data.objects.Prs.GetPRSo(2), data.objects.Prs.GetPRSo(3));
    ExpectLayoutsMatchTheFiles();
    for (const char* keyword : {"PVDO", "PVTO", "PVDG"}) {
        EXPECT_TRUE(CheckEclipseTable(data.objects, keyword).empty()) << keyword;
        EXPECT_TRUE(EclipseRowsAtFault(data.objects, keyword).empty()) << keyword;
    }
    const std::string pvdg = ReadFile(dir / "c.pvdg");
    EXPECT_NE(pvdg.find("-- pressure written with 2 decimals, not 1, so that neighbouring values stay apart "
                        "as written\r\n"),
              std::string::npos)
        << pvdg;
    EXPECT_NE(pvdg.find("  2999.98        0.841"), std::string::npos) << pvdg;
    EXPECT_NE(pvdg.find("  3000.00        0.841"), std::string::npos) << pvdg;
    // METRIC pressures have 3 decimals (0.001 bar = 0.0145 psi): the same two rows are apart already.
    EXPECT_TRUE(LayEclipseTable(data.objects, "PVDG", EclipseUnits::Metric).notes.empty());
}

// Gas-oil Corey drainage with the default end points: the oil's kr at the highest gas saturation,
// 1 - Swc, is still above 0, so SGOF's kro never reaches 0; the imbibition curves reach it.
TEST_F(EclipseChecksOnCases, GasOilCoreyDrainageKroNeverReachesZero) {
    data.Compute({.gas = true});
    data.objects.Rock.Fluids(1);
    data.objects.Rock.Displace(0);
    data.ComputeRock();
    ExpectLayoutsMatchTheFiles();
    const std::vector<EclipseProblem> problems =
        CheckEclipseTables(data.objects, OfferedEclipseTables(data.objects));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems.front().keyword, "SGOF");
    EXPECT_NE(problems.front().reason.find("kro never reaches 0"), std::string::npos)
        << problems.front().reason;
    // A fault of the whole table marks no row.
    EXPECT_TRUE(EclipseRowsAtFault(data.objects, "SGOF").empty());

    data.objects.Rock.Displace(1);
    data.ComputeRock();
    EXPECT_TRUE(CheckEclipseTable(data.objects, "SGOF").empty());
}

// Honarpour has no drainage curves: the oil-water table comes out 0 in every kr, and both phases
// are flagged as never mobile (Flow aborts in its critical-saturation search on such a file).
TEST_F(EclipseChecksOnCases, HonarpourDrainageTableHasNoMobilePhase) {
    data.Compute({.water = true});
    clsRock& rock = data.objects.Rock;
    rock.CORR(1);
    rock.Displace(0);
    data.ComputeRock();
    ASSERT_TRUE(rock.GO());
    const std::vector<std::string> reasons = CheckEclipseTable(data.objects, "SWOF");
    ASSERT_EQ(reasons.size(), 2u) << (reasons.empty() ? "no reason" : reasons.front());
    EXPECT_NE(reasons[0].find("the water never becomes mobile"), std::string::npos) << reasons[0];
    EXPECT_NE(reasons[1].find("the oil never becomes mobile"), std::string::npos) << reasons[1];
}

} // namespace
} // namespace q7::test
