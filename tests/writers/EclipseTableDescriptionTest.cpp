// The keyword descriptions formatted: hand-made rows laid out by the descriptions of PVTO, SWOF,
// PVTW and RSCONST to the exact text of the include files in FIELD and METRIC units (the METRIC
// figures converted by hand with OPM's factors: 1 psi = 0.0689476 bar, 1 Mscf/stb = 178.1076
// sm3/sm3), the blank key column of PVTO's continuation rows, and the rules each description
// states read back on the written numbers.
#include "WriterTestSupport.h"

#include "writers/EclipseChecks.h"
#include "writers/EclipseTableDescription.h"

#include <stdexcept>

namespace q7::test {
namespace {

EclipseTable Table(std::string_view keyword, EclipseUnits units, std::vector<EclipseRecordRows> records) {
    EclipseTable t;
    t.decl = &EclipseSpec(keyword);
    t.units = units;
    for (const EclipseColumn& c : t.decl->columns)
        t.formats.push_back(c.In(units));
    t.records = std::move(records);
    return t;
}

const std::vector<EclipseRecordRows> kPvtoRows = {
    {{5, {0.1, 500.0, 1.1, 1.2}}},
    {{3, {0.3, 1500.0, 1.2, 0.9}}, {2, {2000.0, 1.19, 0.95}}},
    {{1, {0.5, 2500.0, 1.3, 0.7}}, {1, {2700.0, 1.29, 0.72}}},
};

TEST(EclipseTableDescription, PvtoFieldLines) {
    const std::vector<std::string> expected = {
        "--  RSO(MCF/B)   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)",
        "         0.100          500.0        1.1000      1.200   /",
        "         0.300         1500.0        1.2000      0.900 ",
        "                       2000.0        1.1900      0.950   /",
        "         0.500         2500.0        1.3000      0.700 ",
        "                       2700.0        1.2900      0.720   /",
        "/",
    };
    EXPECT_EQ(EclipseTableLines(Table("PVTO", EclipseUnits::Field, kPvtoRows)), expected);
}

TEST(EclipseTableDescription, PvtoMetricLinesWidenPressureAndKeepTheContinuationAligned) {
    // 500 psia = 34.474 barsa, 1500 = 103.421, 2000 = 137.895, 2500 = 172.369, 2700 = 186.158;
    // 0.1 Mscf/stb = 17.811 sm3/sm3, 0.3 = 53.432, 0.5 = 89.054.
    const std::vector<std::string> expected = {
        "--  RSO(SM3/SM3)   PRESS(BARSA)   BO(RM3/SM3)    MUO(CP)",
        "        17.811           34.474        1.1000      1.200   /",
        "        53.432          103.421        1.2000      0.900 ",
        "                        137.895        1.1900      0.950   /",
        "        89.054          172.369        1.3000      0.700 ",
        "                        186.158        1.2900      0.720   /",
        "/",
    };
    EXPECT_EQ(EclipseTableLines(Table("PVTO", EclipseUnits::Metric, kPvtoRows)), expected);
}

TEST(EclipseTableDescription, FixedColumnsNotesAndRecordEnds) {
    EclipseTable swof =
        Table("SWOF", EclipseUnits::Field, {{{1, {0.2, 0.0, 1.0, 0.0}}, {2, {0.8, 0.7, 0.0, 0.0}}}});
    swof.preamble = {"-- a preamble line", ""};
    swof.notes = {"a note"};
    const std::vector<std::string> expected = {
        "-- a preamble line",
        "",
        "-- a note",
        "--      SWAT     KRWAT     KROIL      PCOW",
        "        0.20    0.0000    1.0000     0.000",
        "        0.80    0.7000    0.0000     0.000",
        "/",
    };
    EXPECT_EQ(EclipseTableLines(swof), expected);
    EXPECT_EQ(EclipseRowAsWritten(swof, swof.records[0][1]), (std::vector<double>{0.8, 0.7, 0.0, 0.0}));

    // A record of single values closes on its own line.
    const EclipseTable pvtw =
        Table("PVTW", EclipseUnits::Field, {{{3, {3000.0, 1.0213, 3.1E-6, 0.5, 1.2E-5}}}});
    EXPECT_EQ(EclipseTableLines(pvtw).back(),
              "        3000.0          1.0213      0.0000031        0.500   0.0000120    /");
    const EclipseTable rsconst = Table("RSCONST", EclipseUnits::Metric, {{{0, {0.35, 2000.0}}}});
    // 0.35 Mscf/stb = 62.338 sm3/sm3; 2000 psia = 137.895 barsa.
    EXPECT_EQ(EclipseRowText(rsconst, rsconst.records[0][0]), "      62.338    137.895");
}

// A number wider than its column is named with its row; a row of blank key columns gives their room
// to the first value.
TEST(EclipseTableDescription, OverflowsNameTheRowAndTheWidth) {
    const EclipseTable pvdg = Table("PVDG", EclipseUnits::Field,
                                    {{{2, {500.0, 6.0, 0.012}}, {1, {1500.0, 123456789012.0, 0.015}}}});
    const std::vector<std::string> overflows = EclipseOverflows(pvdg);
    ASSERT_EQ(overflows.size(), 1u);
    EXPECT_EQ(overflows.front().rfind("row 2: Bg 123456", 0), 0u) << overflows.front();
    EXPECT_NE(overflows.front().find("does not fit its column of 15 characters"), std::string::npos);
    EXPECT_TRUE(EclipseOverflows(Table("PVTO", EclipseUnits::Field, kPvtoRows)).empty());
}

TEST(EclipseTableDescription, KeywordsAndExtensions) {
    for (std::string_view keyword : kEclipseKeywords) {
        const EclipseTableDescription& decl = EclipseSpec(keyword);
        EXPECT_EQ(decl.keyword, keyword);
        EXPECT_EQ(decl.extension.size(), 5u) << keyword;
        // The column the rows run along is the first one a rule names for the rows.
        if (decl.kind != EclipseTableKind::Record) {
            EXPECT_TRUE(decl.columns[decl.argument].rules & EclipseRule::kRising) << keyword;
        }
    }
    EXPECT_THROW(EclipseSpec("SLGOF"), std::invalid_argument);
}

} // namespace
} // namespace q7::test
