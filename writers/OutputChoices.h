#pragma once
// What the export dialogs offer when they open, from the GO flags of the calculation objects. The
// batch tool writes exactly these choices; the dialogs start from them.
namespace q7 {

struct Q7Objects;
class clsECL;
class clsCSV;
class clsReport;

// The Eclipse tables offered, and pre-selected, on opening the Eclipse export.
struct EclipseTables {
    bool PVDO = false, PVTO = false, PVDG = false, PVTW = false, DENS = false, SWOF = false, SGOF = false;
    bool operator==(const EclipseTables&) const = default;
};

// DENSITY with any fluid computed; PVDO and PVTO with oil; PVDG with gas or oil; PVTW with water;
// with the rock table, SGOF for a gas/oil system (Fluids non-zero), otherwise SWOF.
EclipseTables OfferedEclipseTables(const Q7Objects& objects);
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
