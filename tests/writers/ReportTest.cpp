// The text report and its page: whole texts for the header and the rock sections, the order of
// the sections, the page beside the report, the escaping of typed identification in the page only,
// and the failures.
#include "WriterTestSupport.h"

#include "engine/PvtCorrelations.h"
#include "numeric/Errors.h"
#include "writers/clsReport.h"

#include <cstdlib>
#include <ctime>
#include <map>

namespace q7::test {
namespace {

// 8 December 2026, 17:15 UTC.
constexpr std::time_t kWhen = 1796750100;

const std::string kTitle = "Fluvarex (v" + std::to_string(Q7_VERSION_MAJOR) + "." +
                           std::to_string(Q7_VERSION_MINOR) + std::to_string(Q7_VERSION_PATCH) + ")";

class Report : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    clsReport Make() {
        clsReport r(data.objects, data.sink);
        r.FileName(dir / "r.txt");
        r.SetClock([] { return kWhen; });
        return r;
    }
    std::string Header(const std::string& company = "", const std::string& field = "",
                       const std::string& reservoir = "", const std::string& location = "",
                       const std::string& engineer = "") {
        return Lines({"Corvanta" + std::string(20, ' ') + "08-Dec-2026 05:15 pm", kTitle, "", "",
                      "Company: " + company, "Field: " + field, "Reservoir: " + reservoir,
                      "Location: " + location, "Engineer: " + engineer, ""});
    }
    ScratchDir dir;
    Objects data;
};

TEST_F(Report, NoGroupWritesTheHeaderOnly) {
    clsReport r = Make();
    r.Execute();
    EXPECT_EQ(ReadFile(dir / "r.txt"), Header());
    const std::string page = ReadFile(dir / "r.htm");
    std::string rows =
        Lines({"</TR><TR><TD align='left'><EM class='t'>Corvanta</EM></TD>",
               "<TD align='center'><EM class='t'></EM></TD>",
               "<TD align='right'><EM class='t'>08-Dec-2026 05:15 pm</EM></TD>",
               "</TR><TR><TD align='left'><EM class='st'></EM></TD>",
               "<TD align='center'><EM class='st'>" + kTitle + "</EM></TD>",
               "<TD align='right'><EM class='st'></EM></TD>", "</TR><TR><TD colspan=3><HR></TD>"});
    for (const char* label : {"Company: ", "Field: ", "Reservoir: ", "Location: ", "Engineer: "})
        rows += Lines({"</TR><TR><TD align='right'><EM class='reg'>" + std::string(label) + "</EM></TD>",
                       "<TD align='left'><EM class='sst'></EM></TD>"});
    rows += Lines({"</TR></TABLE></BODY></HTML>"});
    ASSERT_TRUE(page.starts_with("<HTML><HEAD>\r\n")) << page;
    EXPECT_TRUE(page.ends_with("<TD width='34%'></TD>\r\n" + rows)) << page;
    ASSERT_EQ(data.sink.messages.size(), 1u);
    EXPECT_EQ(data.sink.messages[0].kind, "info");
    EXPECT_EQ(data.sink.messages[0].text, "Report output complete!");
    EXPECT_EQ(data.sink.messages[0].title, "File: " + (dir / "r.txt"));
}

// Typed identification: as typed in the text, escaped in the page so it shows literally.
TEST_F(Report, IdentificationIsEscapedInThePageOnly) {
    clsReport r = Make();
    r.Company("Smith & Sons");
    r.Field("<North>");
    r.Reservoir("\"Upper\" sand");
    r.PrjDesc("Block 7");
    r.CreatedBy("J. Doe");
    r.Execute();
    EXPECT_EQ(ReadFile(dir / "r.txt"),
              Header("Smith & Sons", "<North>", "\"Upper\" sand", "Block 7", "J. Doe"));
    const std::string page = ReadFile(dir / "r.htm");
    for (const char* shown : {"Smith &amp; Sons", "&lt;North&gt;", "&quot;Upper&quot; sand", "Block 7"})
        EXPECT_NE(page.find("<EM class='sst'>" + std::string(shown) + "</EM>"), std::string::npos) << shown;
    EXPECT_EQ(page.find("<North>"), std::string::npos);
}

// A project open: its name is the first identification line, escaped in the page, which declares
// its encoding (UTF-8: the degree signs and typed names are written as UTF-8 bytes). No project: no
// such line, the header as before.
TEST_F(Report, NamesTheOpenProjectAndThePageDeclaresUtf8) {
    clsReport r = Make();
    r.ProjectName("Well <7> Ølen");
    r.Execute();
    const std::string text = ReadFile(dir / "r.txt");
    const std::string header = Header();
    const std::string before =
        Lines({"Corvanta" + std::string(20, ' ') + "08-Dec-2026 05:15 pm", kTitle, "", ""});
    EXPECT_EQ(text, before + Lines({"Project: Well <7> Ølen"}) + header.substr(before.size()));
    const std::string page = ReadFile(dir / "r.htm");
    EXPECT_TRUE(page.starts_with("<HTML><HEAD>\r\n<META charset=\"utf-8\">\r\n")) << page.substr(0, 80);
    EXPECT_NE(page.find("<EM class='sst'>Well &lt;7&gt; Ølen</EM>"), std::string::npos);
}

const std::string kRule(34, '-');

// Only rock, either system: no standard conditions; the rock section follows the header, and the
// page holds its table of as many columns.
struct RockCase {
    std::int16_t fluids, displace, wet, corr;
    std::vector<std::string> section; // the lines between the rock title and the rows
    std::vector<std::string> pageHas;
    const char* pageLacks;
};

class ReportRock : public Report, public ::testing::WithParamInterface<RockCase> {};

TEST_P(ReportRock, OnlyRock) {
    const RockCase& c = GetParam();
    clsRock& rock = data.objects.Rock;
    rock.Fluids(c.fluids);
    rock.Displace(c.displace);
    rock.Wet(c.wet);
    rock.CORR(c.corr);
    data.ComputeRock();
    clsReport r = Make();
    r.IncludeROCK(true);
    r.Execute();
    std::string expected =
        Header() + Lines({"", kRule, "          ROCK PROPERTIES         ", kRule, ""}) + Lines(c.section);
    for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
        for (const std::string& cell : RockCells(rock, i))
            expected += cell;
        expected += "\r\n";
    }
    EXPECT_EQ(ReadFile(dir / "r.txt"), expected);
    const std::string page = ReadFile(dir / "r.htm");
    for (const std::string& piece : c.pageHas)
        EXPECT_NE(page.find(piece), std::string::npos) << piece;
    EXPECT_EQ(page.find(c.pageLacks), std::string::npos) << c.pageLacks;
}

INSTANTIATE_TEST_SUITE_P(
    Systems, ReportRock,
    ::testing::Values(
        RockCase{
            0,
            0,
            0,
            0,
            {"               Fluids: Oil/Water System", "         Displacement: Drainage",
             "            Lithology: Sandstone", "        Connate Water:     0.20",
             "          Wettability: Water Wet", "Residual Oil to Water:     0.40", "", "",
             "Correlation Type: Corey", "  K Exponent:  3.00", "  N Exponent:  4.00", "", "",
             "            Saturations   Relative Permeability",
             "      Water         Oil       Water         Oil",
             " ----------  ----------  ----------  ----------"},
            {"</TR><TR><TD colspan=3><HR></TD>\r\n</TR><TR><TD align='left'><EM class='stu'>Rock Properties",
             "<TABLE align='center' border=1 cols=4 cellpadding=4>", "<EM class='stu'>Oil (Rel Perm</EM>"},
            "Standard Conditions"},
        RockCase{1,
                 1,
                 1,
                 1,
                 {"               Fluids: Gas/Oil System", "         Displacement: Imbibition",
                  "            Lithology: Sandstone", "        Connate Water:     0.20",
                  "  Residual Oil to Gas:     0.40", "         Critical Gas:     0.30", "", "",
                  "Correlation Type: Honarpour", "  Porosity (frac):   0.25", "    Air Perm (md):  50.00",
                  "        Krg @Sorg:   0.50", "", "",
                  "            Saturations               Relative Permeability",
                  "        Gas        Soil      Swater         Gas         Oil",
                  " ----------  ----------  ----------  ----------  ----------"},
                 {"<TABLE align='center' border=1 cols=5 cellpadding=4>"},
                 "Wettability"}));

// Each row of `pc` stands in the report's text as the rock table's cells and the hand-computed Pc.
void ExpectPcCells(const std::string& text, const clsRock& rock, const std::map<int, std::string>& pc) {
    for (const auto& [i, cell] : pc) {
        std::string row;
        for (const std::string& c : RockCells(rock, static_cast<std::int16_t>(i)))
            row += c;
        EXPECT_NE(text.find("\r\n" + row + cell + "\r\n"), std::string::npos) << "row " << i << "\n" << text;
    }
}

// A gas–oil capillary-pressure model: its lines, and a Pcog column in the text and the page. Brooks
// and Corey (1964) on the liquid normalised between Swc + Sorg = 0.6 and 1, Pe 1 psi, lambda 2: the
// default grid's rows 3, 14 and 15 (liquid 0.6041667, 0.7, 1; S* 1/96, 0.25, 1) give sqrt(96) =
// 9.798, 2.000 and 1.000 psi, computed by hand; rows 1 and 2 (S* 0) hold the 100 psi cap.
TEST_F(Report, GasOilPcIsALastColumn) {
    clsRock& rock = data.objects.Rock;
    rock.Fluids(1);
    rock.PcogModel(2);
    data.ComputeRock();
    clsReport r = Make();
    r.IncludeROCK(true);
    r.Execute();
    const std::string text = ReadFile(dir / "r.txt");
    const std::string lines =
        Lines({"Correlation Type: Corey", "  K Exponent:  3.00", "  N Exponent:  4.00",
               "  Capillary Pressure (Pcog): Brooks-Corey", "  Entry Pressure (psi): 1", "  Lambda: 2",
               "  Pc Cap (psi): 100", "", "",
               "            Saturations               Relative Permeability   Capillary",
               "        Gas        Soil      Swater         Gas         Oil  Pcog (psi)",
               " ----------  ----------  ----------  ----------  ----------  ----------"});
    ASSERT_NE(text.find(lines), std::string::npos) << text;
    const std::map<int, std::string> pc{{1, "     100.000"},
                                        {2, "     100.000"},
                                        {3, "       9.798"},
                                        {14, "       2.000"},
                                        {15, "       1.000"}};
    ExpectPcCells(text, rock, pc);
    const std::string page = ReadFile(dir / "r.htm");
    EXPECT_NE(page.find("<TABLE align='center' border=1 cols=6 cellpadding=4>"), std::string::npos);
    EXPECT_NE(page.find("<EM class='stu'>Pcog (psi)</EM>"), std::string::npos);
}

// The gas–water table carries Pcgw from the oil–water model keys: its lines, and a Pcgw column in
// the text and the page. Brooks and Corey (1964), Pc = Pe S*^(-1/lambda), Pe 3 psi, lambda 1.5, on
// S* = (Sw - Swc)/(1 - Swc) with Swc 0.2 and the gas-water grid of 15 rows (Sw 0.2 to 1 - Sgc = 0.7
// in 13 steps, the first and last halved; then 1): rows 2, 3, 14 and 15 (S* 1/41.6, 1/20.8, 0.625,
// 1) give 3·41.6^(2/3) = 36.018, 3·20.8^(2/3) = 22.690, 4.104 and 3.000 psi, computed by hand;
// row 1 (S* 0) holds the 50 psi cap.
TEST_F(Report, GasWaterPcIsALastColumn) {
    clsRock& rock = data.objects.Rock;
    rock.Fluids(3);
    rock.PcowModel(2);
    rock.SetPcowEntry("3");
    rock.SetPcowLambda("1.5");
    rock.SetPcowMax("50");
    data.ComputeRock();
    clsReport r = Make();
    r.IncludeROCK(true);
    r.Execute();
    const std::string text = ReadFile(dir / "r.txt");
    const std::string lines =
        Lines({"Correlation Type: Corey", "  K Exponent:  3.00", "  N Exponent:  4.00",
               "  Capillary Pressure (Pcow): Brooks-Corey", "  Entry Pressure (psi): 3", "  Lambda: 1.5",
               "  Pc Cap (psi): 50", "", "", "            Saturations   Relative Permeability   Capillary",
               "      Water         Gas       Water         Gas  Pcgw (psi)",
               " ----------  ----------  ----------  ----------  ----------"});
    ASSERT_NE(text.find(lines), std::string::npos) << text;
    const std::map<int, std::string> pc{{1, "      50.000"},
                                        {2, "      36.018"},
                                        {3, "      22.690"},
                                        {14, "       4.104"},
                                        {15, "       3.000"}};
    ExpectPcCells(text, rock, pc);
    const std::string page = ReadFile(dir / "r.htm");
    EXPECT_NE(page.find("<TABLE align='center' border=1 cols=5 cellpadding=4>"), std::string::npos);
    EXPECT_NE(page.find("<EM class='stu'>Pcgw (psi)</EM>"), std::string::npos);
}

// A correlation chosen in place of its default brings the Correlations section, naming it.
TEST_F(Report, AChosenCorrelationIsNamedInTheCorrelations) {
    data.objects.Oil.Correlation(CorrKey::Pb, static_cast<int>(CorrPb::Glaso));
    data.Compute({});
    clsReport r = Make();
    r.IncludeOIL(true);
    r.Execute();
    const std::string text = ReadFile(dir / "r.txt");
    EXPECT_NE(text.find("           CORRELATIONS           "), std::string::npos);
    EXPECT_NE(text.find("  Bubble point, psia, and solution GOR, scf/stb: Glaso (1980)\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("solution GOR, scf/stb: Standing"), std::string::npos);
}

// Only gas: standard conditions, then the gas section; no oil section.
TEST_F(Report, OnlyGasSectionsInOrder) {
    data.Compute({.oil = false, .gas = true, .pressures = {"3000", "1000"}});
    clsReport r = Make();
    r.IncludeGAS(true);
    r.Execute();
    const std::string text = ReadFile(dir / "r.txt");
    const Q7Objects& o = data.objects;
    const std::string conditions =
        Lines({kRule, "       STANDARD CONDITIONS        ", kRule, "",
               "Standard Pressure: " + Dx(o.Fluid.StdP(), 1) + " (psia)",
               "             Temp: " + Dx(o.Fluid.StdTf(), 1) + " (F)",
               "Reservoir    Temp: " + Dx(o.Fluid.ResTf(), 1) + " (F)", "", kRule,
               "          GAS PROPERTIES          ", kRule, "", "Gas Gravity and Inerts",
               "                   Gas Gravity: " + Fx(o.Gas.GasGrav(), 10, 3)});
    ASSERT_TRUE(text.starts_with(Header() + conditions)) << text;
    EXPECT_EQ(text.find("OIL PROPERTIES"), std::string::npos);
    EXPECT_EQ(text.find("WATER PROPERTIES"), std::string::npos);
    // The last table is the gas property table, its last row the lowest pressure.
    EXPECT_TRUE(text.ends_with(
        Lines({Fx(o.Prs.GetPRSo(2), 11, 1) + Fx(o.Gas.GetBG(2), 12, 5) + Fx(o.Gas.GetMUG(2), 11, 4) +
               Fx(o.Gas.GetCG(2), 12, 7) + Fx(o.Gas.GetRHOG(2), 13, 4) + Fx(o.Gas.GetRMP(2), 15, 3)})))
        << text;
    const std::string page = ReadFile(dir / "r.htm");
    EXPECT_NE(page.find("<EM class='stu'>Real Gas Potential m(p)/1E06 (psia^2/cp)</EM>"), std::string::npos);
    EXPECT_NE(page.find("<EM class='stu'>Standard Conditions</EM>"), std::string::npos);
}

// Each table cell of the page is the same fixed-width text as in the report line.
TEST_F(Report, PageCellsAreTheReportColumns) {
    data.Compute({.oil = false, .water = true, .pressures = {"2000"}});
    clsReport r = Make();
    r.IncludeWAT(true);
    r.Execute();
    const Q7Objects& o = data.objects;
    EXPECT_NE(
        ReadFile(dir / "r.htm")
            .find(Lines({"</TR><tr>", "<TD align='right'><EM class='sst'>" + Fx(2000, 11, 1) + "</EM></TD>",
                         "<TD align='right'><EM class='sst'>" + Fx(o.Water.GetBW(1), 12, 5) + "</EM></TD>"})),
        std::string::npos);
    EXPECT_NE(ReadFile(dir / "r.txt").find(" Dissolved Solids: " + Fx(o.Water.PPM(), 10, 0) + " (ppm)\r\n"),
              std::string::npos);
}

TEST(ReportPage, BesideTheTextReport) {
    const std::pair<const char*, const char*> names[] = {{"Sample.txt", "Sample.htm"},
                                                         {"runs/well7.txt", "runs/well7.htm"},
                                                         {"report", "report.htm"},
                                                         {"v1.2/report", "v1.2/report.htm"},
                                                         {"page.htm", "page.htm.htm"}};
    for (const auto& [report, page] : names)
        EXPECT_EQ(clsReport::PagePath(report).string(), page) << report;
}

// Two reports in one folder keep their own pages.
TEST_F(Report, EachReportKeepsItsOwnPage) {
    clsReport r = Make();
    r.Company("first");
    r.Execute();
    r.FileName(dir / "second.txt");
    r.Company("second");
    r.Execute();
    EXPECT_NE(ReadFile(dir / "r.htm").find(">first<"), std::string::npos);
    EXPECT_NE(ReadFile(dir / "second.htm").find(">second<"), std::string::npos);
}

// A missing folder, or a page name that is a folder: IoError, no message, and in the second case the
// text report is not put in place either.
TEST_F(Report, UnwritableTargetsThrowWithoutMessage) {
    clsReport r = Make();
    r.FileName(dir / "missing/r.txt");
    EXPECT_THROW(r.Execute(), IoError);
    std::filesystem::create_directories(dir.path() / "r.htm");
    r.FileName(dir / "r.txt");
    EXPECT_THROW(r.Execute(), IoError);
    EXPECT_FALSE(std::filesystem::exists(dir / "r.txt"));
    EXPECT_TRUE(data.sink.messages.empty());
}

// A twelve-hour clock: midnight is 12 am, the noon hour 12 pm; a leap day.
TEST_F(Report, DateTextUsesATwelveHourClock) {
    const std::pair<std::time_t, const char*> dates[] = {{kWhen, "08-Dec-2026 05:15 pm"},
                                                         {0, "01-Jan-1970 12:00 am"},
                                                         {43200 + 59 * 60, "01-Jan-1970 12:59 pm"},
                                                         {1709210700, "29-Feb-2024 12:45 pm"}};
    for (const auto& [when, text] : dates)
        EXPECT_EQ(ReportDateText(when), text) << when;
}

} // namespace
} // namespace q7::test
