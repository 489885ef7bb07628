#include "writers/clsReport.h"

#include "engine/Correlations.h"
#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"
#include "writers/TextFile.h"
#include "writers/WriterText.h"
#include "writers/clsHTML.h"

#include <array>

#ifndef Q7_VERSION_MAJOR
#error "Q7_VERSION_MAJOR, Q7_VERSION_MINOR and Q7_VERSION_PATCH come from the build (writers/CMakeLists.txt)"
#endif

namespace q7 {

namespace {

const std::string kRule(34, '-');

// One report written to both outputs: text lines to the report file, rows to the page.
class ReportOutput {
public:
    ReportOutput(TextFile& text, clsHTML& page) : m_text(text), m_page(page) {}

    void Line(std::string_view text) { m_text.WriteLine(text); }
    void Blank(int count = 1) { m_text.WriteBlankLines(count); }

    // "label" + value on one text line; a label/value row on the page.
    void Label(std::string_view label, const std::string& value) { Label(label, value, value); }
    void Label(std::string_view label, const std::string& value, const std::string& pageValue) {
        m_text.WriteLine(label, value);
        m_page.LabelValue(label, pageValue);
    }

    // A section opening: a blank line when asked, the title between two rules, a blank line; on the
    // page an optional rule and the underlined title.
    void Section(bool leadingBlank, std::string_view title, std::string_view pageTitle, bool pageRule) {
        if (leadingBlank) Blank();
        Line(kRule);
        Line(title);
        Line(kRule);
        Blank();
        if (pageRule) m_page.HLine();
        m_page.LabelTwoU(pageTitle, "", "");
    }

    // Heading lines in the text; a bordered table with its column headings on the page; then one
    // row per index, each the same F-formatted cells in both.
    template <std::size_t N, typename RowFn>
    void Table(std::initializer_list<std::string_view> textHeadings,
               const std::array<std::string, N>& pageHeadings, int rows, RowFn row) {
        for (std::string_view h : textHeadings)
            Line(h);
        m_page.startTABLE(static_cast<std::int16_t>(N), pageHeadings);
        for (int i = 1; i <= rows; ++i) {
            const std::array<std::string, N> cells = row(static_cast<std::int16_t>(i));
            for (const std::string& c : cells)
                m_text.Write(c);
            m_text.WriteLine();
            m_page.dataTABLE(static_cast<std::int16_t>(N), cells);
        }
        m_page.endTABLE();
    }

    clsHTML& Page() { return m_page; }

private:
    TextFile& m_text;
    clsHTML& m_page;
};

std::string F(float x, std::int16_t w, std::int16_t d) {
    return Nbr2Str(x, w, d);
}

void WriteConditions(ReportOutput& out, const Q7Objects& o) {
    out.Section(false, "       STANDARD CONDITIONS        ", "Standard Conditions", false);
    out.Label("Standard Pressure: ", FixedText(o.Fluid.StdP(), 1) + " (psia)");
    out.Label("             Temp: ", FixedText(o.Fluid.StdTf(), 1) + " (F)");
    out.Label("Reservoir    Temp: ", FixedText(o.Fluid.ResTf(), 1) + " (F)");
}

const std::array<std::string, 5> kOilPageHeadings = {"Pressure (psia)", "Volume Factor (rb/stb)",
                                                     "Dissolved GOR (scf/stb)", "Viscosity (cp)",
                                                     "Density (lb/ft3)"};

// The laboratory values the oil tables were matched to and the factors of the match.
void WriteMatch(ReportOutput& out, const clsOil& oil) {
    const OilLabData& lab = oil.Lab();
    const OilMatch& match = oil.Match();
    out.Blank();
    out.Line("Matched to laboratory data at the bubble point:");
    out.Page().LabelTwo("", "Matched to laboratory data at the bubble point:", "");
    if (lab.Pb) out.Label("  Laboratory Bubble Point: ", GeneralForm(*lab.Pb) + " (psia)");
    if (lab.Rsb) out.Label("  Laboratory Solution GOR: ", GeneralForm(*lab.Rsb) + " (scf/stb)");
    if (lab.Bob) out.Label("  Laboratory Oil FVF: ", GeneralForm(*lab.Bob) + " (rb/stb)");
    if (lab.Muob) out.Label("  Laboratory Oil Viscosity: ", GeneralForm(*lab.Muob) + " (cp)");
    out.Label("  Scale on Pressure (Rs): ", GeneralForm(match.PressureScale));
    out.Label("  Factor on Bo - 1: ", GeneralForm(match.BoFactor));
    out.Label("  Factor on Viscosity: ", GeneralForm(match.ViscosityFactor));
}

void WriteCorrelationGroup(ReportOutput& out, std::string_view group, const std::vector<CorrelationUse>& uses,
                           bool& first) {
    if (!first) out.Blank();
    first = false;
    out.Line(group);
    out.Page().LabelTwo("", std::string(group), "");
    for (const CorrelationUse& use : uses) {
        out.Line("  " + use.property + ": " + use.correlation);
        out.Line("      " + use.source);
        out.Page().LabelValue(HtmlEscape(use.property) + ": ",
                              HtmlEscape(use.correlation) + " - " + HtmlEscape(use.source));
    }
}

// Which correlation computed each table of the groups in the report, with its source.
void WriteCorrelations(ReportOutput& out, const Q7Objects& o, bool oil, bool gas, bool water, bool rock) {
    out.Section(true, "           CORRELATIONS           ", "Correlations", true);
    bool first = true;
    if (oil) WriteCorrelationGroup(out, "Oil:", OilCorrelations(o), first);
    if (gas) WriteCorrelationGroup(out, "Gas:", GasCorrelations(o), first);
    if (water) WriteCorrelationGroup(out, "Water:", WaterCorrelations(o), first);
    if (rock) WriteCorrelationGroup(out, "Rock:", RockCorrelations(o), first);
}

void WriteOil(ReportOutput& out, const Q7Objects& o) {
    const clsOil& oil = o.Oil;
    const clsPrs& prs = o.Prs;
    out.Section(true, "          OIL PROPERTIES          ", "Oil Properties", true);
    out.Label("API Gravity: ", GeneralForm(oil.API()));
    out.Label("           Specific Gravity: ", GeneralForm(oil.OilSG()));
    out.Label("Separator Gas Gravity: ", GeneralForm(oil.SepGG()));
    out.Label("             Pressure: ", GeneralForm(oil.SepP()) + " (psia)");
    out.Label("                 Temp: ", GeneralForm(oil.SepTf()) + " (F)");
    out.Blank();
    out.Label("Bubble Point Pressure: ", F(oil.Pbp(), 10, 1) + " (psia)");
    out.Label("Compressibility @ Pbp: ", F(oil.GetCO(prs.BPPi()), 10, 7) + " (psi-1)");
    out.Label("StockTank Oil Density: ", F(oil.STDenOil(), 10, 3) + " (lb/scf)");
    out.Label("StockTank Gas Density: ", F(oil.STDenGas(), 10, 5) + " (lb/scf)");
    out.Label("Initial GOR-Separator: ", F(oil.RSISep(), 10, 1) + " (scf/stb)");
    out.Label("            StockTank: ", F(oil.RSITank(), 10, 1) + " (scf/stb)");
    out.Label("                Total: ", F(oil.RSI(), 10, 1) + " (scf/stb)");
    if (oil.Match().Made) WriteMatch(out, oil);

    const std::initializer_list<std::string_view> headings = {
        "                 Volume Dissolved", "   Pressure      Factor       GOR    Viscosity      Density",
        "     (psia)    (rb/stb)  (scf/stb)        (cp)     (lb/ft3)",
        " ----------  ----------  ---------  ----------   ----------"};

    out.Blank();
    out.Line("Undersaturated properties above the bubble point:");
    out.Blank();
    out.Page().LabelTwo("", "Undersaturated properties above the bubble point:", "");
    out.Table(headings, kOilPageHeadings, prs.NPRSo(), [&](std::int16_t i) {
        return std::array<std::string, 5>{F(prs.GetPRSo(i), 11, 1), F(oil.GetBO(i), 12, 4),
                                          F(oil.GetRSO(i), 11, 1), F(oil.GetMUO(i), 12, 3),
                                          F(oil.GetRHOO(i), 13, 3)};
    });

    out.Blank(2);
    out.Line("Extended Saturated oil properties:");
    out.Blank();
    out.Page().LabelTwo("", "Extended Saturated oil properties:", "");
    out.Table(headings, kOilPageHeadings, prs.NPRSo(), [&](std::int16_t i) {
        return std::array<std::string, 5>{F(prs.GetPRSo(i), 11, 1), F(oil.GetBOS(i), 12, 4),
                                          F(oil.GetRSOS(i), 11, 1), F(oil.GetMUOS(i), 12, 3),
                                          F(oil.GetRHOOS(i), 13, 3)};
    });
}

void WriteGas(ReportOutput& out, const Q7Objects& o) {
    const clsGas& gas = o.Gas;
    const clsPrs& prs = o.Prs;
    out.Section(true, "          GAS PROPERTIES          ", "Gas Properties", true);
    if (gas.GasEntry() == "G") {
        out.Line("Gas Gravity and Inerts");
        out.Page().LabelTwo("Gas Gravity and Inerts", "", "");
        out.Label("                   Gas Gravity: ", F(gas.GasGrav(), 10, 3));
        out.Label("           Nitrogen, mole frac: ", F(gas.mfN(), 10, 3));
        out.Label("     Carbon Dioxide, mole frac: ", F(gas.mfCO2(), 10, 3));
        out.Label("   Hydrogen Sulfide, mole frac: ", F(gas.mfH2S(), 10, 3));
    } else {
        static const char* const labels[clsGas::kComponents] = {
            "            Methane: ", "             Ethane: ", "            Propane: ",
            "           i-Butane: ", "           n-Butane: ", "          i-Pentane: ",
            "          n-Pentane: ", "             Hexane: ", "            Heptane: ",
            "             Octane: ", "             Nonane: ", "             Decane: ",
            "           Nitrogen: ", "     Carbon Dioxide: ", "   Hydrogen Sulfide: "};
        out.Line("Gas Composition");
        out.Page().LabelTwo("Gas Composition", "", "");
        for (std::int16_t k = 1; k <= clsGas::kComponents; ++k)
            out.Label(labels[k - 1], F(gas.GetGC(k), 6, 4));
    }
    out.Blank();
    out.Label("         Critical Pressure: ", F(gas.pC(), 10, 2) + " (psia)");
    out.Label("      Critical Temperature: ", F(gas.tC(), 10, 2) + " (R)");
    out.Label("Pseudo-Reduced Temperature: ", F(gas.PTR(), 10, 3));
    out.Label("     StockTank Gas Density: ", F(gas.STDenGas(), 10, 5) + " (lb/scf)");

    out.Blank();
    out.Table({"            Pseudo-Reduced   Gas (Z)", "   Pressure    Pressure    Deviation          P/Z",
               "     (psia)                 Factor         (psia)",
               " ----------  ----------   ----------   ----------"},
              std::array<std::string, 4>{"Pressure (psia)", "Pseudo-Reduced Pressure",
                                         "Gas (Z) Deviation Factor", "P/Z (psia)"},
              prs.NPRSo(), [&](std::int16_t i) {
                  return std::array<std::string, 4>{F(prs.GetPRSo(i), 11, 1), F(gas.GetPPR(i), 12, 3),
                                                    F(gas.GetZ(i), 13, 3), F(gas.GetPZ(i), 13, 1)};
              });

    out.Blank(2);
    out.Table({"             Gas Volume               Compress-             Real Gas Potential",
               "   Pressure      Factor  Viscosity     ibility      Density      m(p)/1E06",
               "     (psia)   (rcf/scf)       (cp)     (psi-1)     (lb/rcf)     (psia^2/cp)",
               " ----------  ----------  ---------  ----------   ----------    -----------"},
              std::array<std::string, 6>{"Pressure (psia)", "Gas Volume Factor (rcf/scf)", "Viscosity (cp)",
                                         "Compressibility (psi-1)", "Density (lb/ft3)",
                                         "Real Gas Potential m(p)/1E06 (psia^2/cp)"},
              prs.NPRSo(), [&](std::int16_t i) {
                  return std::array<std::string, 6>{F(prs.GetPRSo(i), 11, 1), F(gas.GetBG(i), 12, 5),
                                                    F(gas.GetMUG(i), 11, 4),  F(gas.GetCG(i), 12, 7),
                                                    F(gas.GetRHOG(i), 13, 4), F(gas.GetRMP(i), 15, 3)};
              });
}

void WriteWater(ReportOutput& out, const Q7Objects& o) {
    const clsWater& water = o.Water;
    const clsPrs& prs = o.Prs;
    out.Section(true, "         WATER PROPERTIES         ", "Water Properties", true);
    out.Label("  Weight % Solids: ", F(water.PER(), 10, 1));
    out.Label(" Dissolved Solids: ", F(static_cast<float>(water.PPM()), 10, 0) + " (ppm)");
    out.Label("StockTank Density: ", F(water.STDenWat(), 10, 3) + " (lb/scf)");
    out.Blank(2);
    out.Table({"                 Volume  Dissolved                 Compress-",
               "   Pressure      Factor        GOR   Viscosity      ibility      Density",
               "     (psia)    (rb/stb)  (scf/stb)        (cp)      (psi-1)     (lb/rcf)",
               " ----------  ----------  ---------  ----------   ----------    ---------"},
              std::array<std::string, 6>{"Pressure (psia)", "Volume Factor (rb/stb)",
                                         "Dissolved GOR (scf/stb)", "Viscosity (cp)",
                                         "Compressibility (psi-1)", "Density (lb/rcf)"},
              prs.NPRSo(), [&](std::int16_t i) {
                  return std::array<std::string, 6>{F(prs.GetPRSo(i), 11, 1),  F(water.GetBW(i), 12, 5),
                                                    F(water.GetRSW(i), 11, 1), F(water.GetMUW(i), 12, 3),
                                                    F(water.GetCW(i), 13, 7),  F(water.GetRHOW(i), 13, 3)};
              });
}

void WriteRockTable(ReportOutput& out, const clsRock& rock) {
    const bool gasWater = rock.Fluids() == 3;
    out.Section(true, "          ROCK PROPERTIES         ", "Rock Properties", true);
    out.Label("               Fluids: ", RockFluidsText(rock));
    out.Label("         Displacement: ", RockDisplacementText(rock));
    out.Label("            Lithology: ", RockLithologyText(rock));
    out.Label("        Connate Water: ", F(rock.SWC(), 8, 2));
    if (rock.Fluids() == 0) {
        out.Label("          Wettability: ", RockWettabilityText(rock));
        out.Label("Residual Oil to Water: ", F(rock.SORW(), 8, 2));
    }
    if (rock.Fluids() == 1) out.Label("  Residual Oil to Gas: ", F(rock.SORG(), 8, 2));
    if (rock.Fluids() == 1 || gasWater) out.Label("         Critical Gas: ", F(rock.SGCrit(), 8, 2));
    out.Blank(2);
    out.Label("Correlation Type: ", RockCorrelationText(rock));
    if (rock.CORR() == 1) {
        out.Label("  Porosity (frac): ", F(rock.HRPoro(), 6, 2));
        out.Label("    Air Perm (md): ", F(rock.HRAir(), 6, 2));
        out.Label("        Krg @Sorg: ", F(rock.HRKrg(), 6, 2));
    } else if (rock.CORR() == 0) {
        out.Label("  K Exponent: ", F(rock.CoreyK(), 5, 2));
        out.Label("  N Exponent: ", F(rock.CoreyN(), 5, 2));
    }
    for (const RockModelLine& line : RockModelLines(rock))
        out.Label("  " + line.label + ": ", line.value);
    out.Blank(2);
    // With a capillary-pressure model the table's Pc (psi) is a last column of its own.
    const auto pc = [&rock](std::int16_t i) { return F(rock.GetPC(i), 12, 3); };
    if (rock.Fluids() == 1) {
        const auto cells = [&](std::int16_t i) {
            return std::array<std::string, 5>{F(rock.GetSNWet(i), 11, 4),
                                              F(rock.GetSWet(i) - rock.SWC(), 12, 2), F(rock.SWC(), 12, 2),
                                              F(rock.GetKRGas(i), 12, 4), F(rock.GetKROil(i), 12, 4)};
        };
        if (rock.HasPc()) {
            out.Table({"            Saturations               Relative Permeability   Capillary",
                       "        Gas        Soil      Swater         Gas         Oil  Pcog (psi)",
                       " ----------  ----------  ----------  ----------  ----------  ----------"},
                      std::array<std::string, 6>{"Gas (Sat)", "Soil (Sat)", "Swater (Sat)", "Gas (Rel Perm)",
                                                 "Oil (Rel Perm)", "Pcog (psi)"},
                      rock.NWet(), [&](std::int16_t i) {
                          const auto c = cells(i);
                          return std::array<std::string, 6>{c[0], c[1], c[2], c[3], c[4], pc(i)};
                      });
            return;
        }
        out.Table({"            Saturations               Relative Permeability",
                   "        Gas        Soil      Swater         Gas         Oil",
                   " ----------  ----------  ----------  ----------  ----------"},
                  std::array<std::string, 5>{"Gas (Sat)", "Soil (Sat)", "Swater (Sat)", "Gas (Rel Perm)",
                                             "Oil (Rel Perm)"},
                  rock.NWet(), cells);
    } else if (gasWater) {
        const auto cells = [&](std::int16_t i) {
            return std::array<std::string, 4>{F(rock.GetSWet(i), 11, 4), F(rock.GetSNWet(i), 12, 4),
                                              F(rock.GetKRWat(i), 12, 4), F(rock.GetKRGas(i), 12, 4)};
        };
        if (rock.HasPc()) {
            out.Table({"            Saturations   Relative Permeability   Capillary",
                       "      Water         Gas       Water         Gas  Pcgw (psi)",
                       " ----------  ----------  ----------  ----------  ----------"},
                      std::array<std::string, 5>{"Water (Sat)", "Gas (Sat)", "Water (Rel Perm)",
                                                 "Gas (Rel Perm)", "Pcgw (psi)"},
                      rock.NWet(), [&](std::int16_t i) {
                          const auto c = cells(i);
                          return std::array<std::string, 5>{c[0], c[1], c[2], c[3], pc(i)};
                      });
            return;
        }
        out.Table(
            {"            Saturations   Relative Permeability",
             "      Water         Gas       Water         Gas",
             " ----------  ----------  ----------  ----------"},
            std::array<std::string, 4>{"Water (Sat)", "Gas (Sat)", "Water (Rel Perm)", "Gas (Rel Perm)"},
            rock.NWet(), cells);
    } else {
        const auto cells = [&](std::int16_t i) {
            return std::array<std::string, 4>{F(rock.GetSWet(i), 11, 2), F(rock.GetSNWet(i), 12, 2),
                                              F(rock.GetKRWat(i), 12, 4), F(rock.GetKROil(i), 12, 4)};
        };
        if (rock.HasPc()) {
            out.Table({"            Saturations   Relative Permeability   Capillary",
                       "      Water         Oil       Water         Oil  Pcow (psi)",
                       " ----------  ----------  ----------  ----------  ----------"},
                      std::array<std::string, 5>{"Water (Sat)", "Oil (Sat)", "Water (Rel Perm)",
                                                 "Oil (Rel Perm", "Pcow (psi)"},
                      rock.NWet(), [&](std::int16_t i) {
                          const auto c = cells(i);
                          return std::array<std::string, 5>{c[0], c[1], c[2], c[3], pc(i)};
                      });
            return;
        }
        out.Table({"            Saturations   Relative Permeability",
                   "      Water         Oil       Water         Oil",
                   " ----------  ----------  ----------  ----------"},
                  std::array<std::string, 4>{"Water (Sat)", "Oil (Sat)", "Water (Rel Perm)", "Oil (Rel Perm"},
                  rock.NWet(), cells);
    }
}

// One section per table of the rock (two for the oil–water and gas–oil pair).
void WriteRock(ReportOutput& out, const Q7Objects& o) {
    for (const clsRock* table : o.Rock.Tables())
        WriteRockTable(out, *table);
}

} // namespace

std::string ReportDateText(std::time_t when) {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm t{};
    localtime_r(&when, &t);
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%s-%04d %02d:%02d %s", t.tm_mday, months[t.tm_mon],
                  t.tm_year + 1900, hour12, t.tm_min, t.tm_hour < 12 ? "am" : "pm");
    return text;
}

clsReport::clsReport(const Q7Objects& objects, MessageSink& sink) : m_objects(objects), m_sink(sink) {}

std::filesystem::path clsReport::PagePath(std::string_view reportFile) {
    const std::filesystem::path report(reportFile);
    std::filesystem::path page = report;
    page.replace_extension(".htm");
    if (page == report) page += ".htm";
    return page;
}

void clsReport::Execute() {
    TextFile text;
    text.Create(m_fileName);
    clsHTML page;
    page.FileName(PagePath(m_fileName).string());
    page.HTMLEnable("True");
    ReportOutput out(text, page);

    const std::time_t now = m_clock ? m_clock() : std::time(nullptr);
    const std::string date = ReportDateText(now);
    out.Line("Corvanta" + std::string(20, ' ') + date);
    page.LabelOne("Corvanta", "", date);
    const std::string title = "Fluvarex (v" + std::to_string(Q7_VERSION_MAJOR) + "." +
                              std::to_string(Q7_VERSION_MINOR) + std::to_string(Q7_VERSION_PATCH) + ")";
    out.Line(title);
    page.LabelTwo("", title, "");
    page.HLine();
    out.Blank(2);
    // Typed identification goes into the page escaped, into the text as typed.
    if (!m_projectName.empty()) out.Label("Project: ", m_projectName, HtmlEscape(m_projectName));
    out.Label("Company: ", m_company, HtmlEscape(m_company));
    out.Label("Field: ", m_field, HtmlEscape(m_field));
    out.Label("Reservoir: ", m_reservoir, HtmlEscape(m_reservoir));
    out.Label("Location: ", m_prjDesc, HtmlEscape(m_prjDesc));
    out.Label("Engineer: ", m_createdBy, HtmlEscape(m_createdBy));
    out.Blank();

    if (m_oil || m_gas || m_water) WriteConditions(out, m_objects);
    if (m_oil) WriteOil(out, m_objects);
    if (m_gas || m_oil) WriteGas(out, m_objects);
    if (m_water) WriteWater(out, m_objects);
    if (m_rock) WriteRock(out, m_objects);
    // A laboratory match or a correlation chosen in place of a default is always named.
    if (m_correlations || (m_oil && m_objects.Oil.Match().Made) || !ChosenCorrelationLines(m_objects).empty())
        WriteCorrelations(out, m_objects, m_oil, m_gas || m_oil, m_water, m_rock);

    text.Close();
    page.Close();
    m_sink.ShowInfo("Report output complete!", "File: " + m_fileName);
}

} // namespace q7
