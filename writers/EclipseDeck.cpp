#include "writers/EclipseDeck.h"

#include "engine/Q7Objects.h"
#include "writers/EclipseChecks.h"
#include "writers/EclipseTableText.h"
#include "writers/OutputChoices.h"
#include "writers/TextFile.h"
#include "writers/clsECL.h"

#include <algorithm>
#include <stdexcept>

namespace q7 {

namespace {

bool Offers(const EclipseTables& t, std::string_view keyword) {
    return t.Has(keyword);
}

bool IsSaturationTable(std::string_view keyword) {
    return EclipseSpec(keyword).kind == EclipseTableKind::Saturation;
}

std::string RegionLine(std::size_t k, const DeckCase& c) {
    return "-- Region " + std::to_string(k + 1) + ": case " + c.name;
}

// The comment lines that open every file of the deck.
void WriteHeading(TextFile& file, const std::vector<DeckCase>& cases, const DeckResult& plan,
                  EclipseUnits units) {
    if (units == EclipseUnits::Metric)
        file.WriteLine(kMetricHeading);
    else
        file.WriteLine("-- FIELD units");
    file.WriteLine("-- " + std::to_string(cases.size()) + (cases.size() == 1 ? " region" : " regions") +
                   ": region k is case k (PVTNUM k, SATNUM k)");
    for (std::size_t k = 0; k < cases.size(); ++k)
        file.WriteLine("--   region " + std::to_string(k + 1) + ": " + cases[k].name);
    file.WriteLine("-- The deck needs in RUNSPEC (NTSFUN NTPVT NSSFUN NPPVT NTFIP NRPVT):");
    file.WriteLine("-- TABDIMS");
    file.WriteLine("-- " + plan.dims.Record());
    file.WriteLine();
}

} // namespace

std::string DeckTableDims::Record() const {
    // Built by appending: GCC 12 at -O3 takes "literal" + std::string&& for an overlapping copy.
    std::string record;
    for (const int n : {NTSFUN, NTPVT, NSSFUN, NPPVT}) {
        record += ' ';
        record += std::to_string(n);
    }
    record += " 1* ";
    record += std::to_string(NRPVT);
    record += " /";
    return record;
}

DeckResult PlanEclipseDeck(const std::vector<DeckCase>& cases, EclipseUnits units, bool consistent,
                           SaturationFamily family, bool sgwfn) {
    if (cases.empty()) throw std::invalid_argument("a deck needs at least one case");
    std::vector<EclipseTables> offered;
    for (const DeckCase& c : cases)
        offered.push_back(OfferedEclipseTables(*c.objects, family, sgwfn));
    DeckResult plan;
    const int regions = static_cast<int>(cases.size());
    for (std::string_view keyword : kEclipseAllKeywords) {
        DeckKeywordLeftOut lack{std::string(keyword), {}};
        for (std::size_t k = 0; k < cases.size(); ++k)
            if (!Offers(offered[k], keyword)) lack.lacking.push_back(cases[k].name);
        if (!lack.lacking.empty()) {
            // A keyword no case offers is simply not part of the deck.
            if (lack.lacking.size() < cases.size()) plan.leftOut.push_back(std::move(lack));
            continue;
        }
        plan.keywords.emplace_back(keyword);
        const bool saturation = IsSaturationTable(keyword);
        (saturation ? plan.dims.NTSFUN : plan.dims.NTPVT) = regions;
        for (const DeckCase& c : cases) {
            const WrittenTable table = EclipseTableAsWritten(*c.objects, keyword, units, consistent);
            for (const WrittenRecord& record : table) {
                const int rows = static_cast<int>(record.size());
                if (saturation)
                    plan.dims.NSSFUN = std::max(plan.dims.NSSFUN, rows);
                else if (keyword != "PVTW" && keyword != "DENSITY")
                    plan.dims.NPPVT = std::max(plan.dims.NPPVT, rows);
            }
            if (keyword == "PVTO")
                plan.dims.NRPVT = std::max(plan.dims.NRPVT, static_cast<int>(table.size()));
        }
    }
    return plan;
}

DeckResult WriteEclipseDeck(const std::vector<DeckCase>& cases, const std::filesystem::path& base,
                            EclipseUnits units, bool consistent, SaturationFamily family, bool sgwfn) {
    DeckResult result = PlanEclipseDeck(cases, units, consistent, family, sgwfn);
    for (const std::string& keyword : result.keywords) {
        const std::filesystem::path path = base.string() + EclipseExtension(keyword);
        TextFile file;
        file.Create(path);
        WriteHeading(file, cases, result, units);
        file.WriteLine(keyword);
        file.WriteLine();
        for (std::size_t k = 0; k < cases.size(); ++k) {
            file.WriteLine(RegionLine(k, cases[k]));
            WriteEclipseTableBody(file, *cases[k].objects, keyword, units, consistent);
            file.WriteLine();
        }
        if (keyword == "PVDO") {
            // The constant solution GOR of each region's dead oil, one record per region.
            file.WriteBlankLines(2);
            if (cases.size() > 1)
                file.WriteLine(
                    "-- One record per PVT region. OPM Flow 2022.10 reads RSCONSTT (and RSCONST) but "
                    "warns that it does not apply it.");
            file.WriteLine(cases.size() == 1 ? "RSCONST" : kRegionConstantRs);
            const std::string_view heading = EclipseSpec("RSCONST").Heading(units);
            if (!heading.empty()) file.WriteLine(heading);
            for (std::size_t k = 0; k < cases.size(); ++k) {
                file.WriteLine(RegionLine(k, cases[k]));
                file.WriteLine(ConstantRsRecord(*cases[k].objects, units));
            }
            file.WriteLine();
        }
        file.Close();
        result.files.push_back(path);
    }
    return result;
}

} // namespace q7
