#pragma once
// What the export dialogs offer when they open, from the GO flags of the calculation objects. The
// batch tool writes exactly these choices; the dialogs start from them.
#include <string_view>

namespace q7 {

struct Q7Objects;
class clsECL;
class clsCSV;
class clsReport;

// The Eclipse tables offered, and pre-selected, on opening the Eclipse export.
struct EclipseTables {
    bool PVDO = false, PVTO = false, PVDG = false, PVTW = false, DENS = false, SWOF = false, SGOF = false;
    // Family II and the gas–water table in one.
    bool SWFN = false, SGFN = false, SOF3 = false, SOF2 = false, SGWFN = false;
    bool operator==(const EclipseTables&) const = default;
    // Whether `keyword` (of kEclipseAllKeywords) is chosen.
    bool Has(std::string_view keyword) const;
};

// The saturation-function family of the rock tables: 1 SWOF and SGOF, 2 SWFN, SGFN and SOF3 (both
// tables of a rock that holds them) or SOF2 (one). A gas–water rock gives SWFN and SGFN in either.
enum class SaturationFamily { One = 1, Two = 2 };

// DENSITY with any fluid computed; PVDO and PVTO with oil; PVDG with gas or oil; PVTW with water;
// with the rock table, SWOF for its oil–water table and SGOF for its gas–oil table (both for a rock
// that holds the two) in family 1, their family II keywords in family 2; SWFN and SGFN for a
// gas–water table (SGWFN only when asked for).
EclipseTables OfferedEclipseTables(const Q7Objects& objects, SaturationFamily family = SaturationFamily::One,
                                   bool sgwfn = false);
void SelectEclipseTables(clsECL& writer, const EclipseTables& tables);

// The property groups offered and checked on opening the CSV export and the report: each group
// whose table is complete.
struct PropertyGroups {
    bool Oil = false, Gas = false, Water = false, Rock = false;
    bool operator==(const PropertyGroups&) const = default;
};

PropertyGroups ComputedGroups(const Q7Objects& objects);
void IncludeGroups(clsCSV& writer, const PropertyGroups& groups);
void IncludeGroups(clsReport& writer, const PropertyGroups& groups);

} // namespace q7
