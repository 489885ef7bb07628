#pragma once
// The project database's tables, listed once: the project table, and the seven data tables, each
// with its role, in the order a project's rows are created and loaded (and deleted in reverse).
// The schema's checks, the loads, the saves, the delete and the form's cursors all read this list;
// what each table's columns are is store/schema.sql's and engine/ProjectFields' business.
#include "store/Recordset.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace q7 {

// The data tables of a project, by what they hold.
enum class ProjectTable { Fluid, Pressure, Oil, Gas, Water, Rock, Lab };

struct ProjectTableInfo {
    ProjectTable role;
    const char* name;
};

// The table of the projects themselves (name, author, date), keyed by PrjID.
inline constexpr const char* kProjectTableName = "tblProject";

// The data tables, one row per project each, keyed by PrjID.
inline constexpr std::array<ProjectTableInfo, 7> kProjectDataTables = {{
    {ProjectTable::Fluid, "tblFluidSpec"},
    {ProjectTable::Pressure, "tblPressureSpec"},
    {ProjectTable::Oil, "tblOilGravity"},
    {ProjectTable::Gas, "tblGasComp"},
    {ProjectTable::Water, "tblWater"},
    {ProjectTable::Rock, "tblRock"},
    {ProjectTable::Lab, "tblLabData"},
}};
inline constexpr int kProjectTableCount = static_cast<int>(kProjectDataTables.size());

// Every table of ours: the project table first, then the data tables in the order above.
inline constexpr std::array<const char*, kProjectDataTables.size() + 1> kProjectTables = [] {
    std::array<const char*, kProjectDataTables.size() + 1> names{};
    names[0] = kProjectTableName;
    for (std::size_t t = 0; t < kProjectDataTables.size(); ++t)
        names[t + 1] = kProjectDataTables[t].name;
    return names;
}();

// The list is in the order of the roles, so that a role is its position.
static_assert([] {
    for (std::size_t t = 0; t < kProjectDataTables.size(); ++t)
        if (static_cast<std::size_t>(kProjectDataTables[t].role) != t) return false;
    return true;
}());

// The database table of a role: tblFluidSpec, tblPressureSpec, ...
constexpr const char* ProjectTableName(ProjectTable table) {
    return kProjectDataTables[static_cast<std::size_t>(table)].name;
}

// The role of a data table named as the project fields name it; none for another name (tblProject,
// or the empty table of a case key no project stores).
constexpr std::optional<ProjectTable> ProjectTableOf(std::string_view name) {
    for (const ProjectTableInfo& table : kProjectDataTables)
        if (name == table.name) return table.role;
    return std::nullopt;
}

// The open project's records in the seven data tables: what loading or creating a project gives the
// main window as its table cursors (rsFluid … rsLab), one per role.
struct ProjectTables {
    Recordset Fluid;    // tblFluidSpec
    Recordset Pressure; // tblPressureSpec
    Recordset Oil;      // tblOilGravity
    Recordset Gas;      // tblGasComp
    Recordset Water;    // tblWater
    Recordset Rock;     // tblRock
    Recordset Lab;      // tblLabData

    // Every record set, in the order of kProjectDataTables.
    std::array<const Recordset*, kProjectDataTables.size()> All() const {
        return {&Fluid, &Pressure, &Oil, &Gas, &Water, &Rock, &Lab};
    }
    std::array<Recordset*, kProjectDataTables.size()> All() {
        return {&Fluid, &Pressure, &Oil, &Gas, &Water, &Rock, &Lab};
    }
    Recordset& Of(ProjectTable table) { return *All()[static_cast<std::size_t>(table)]; }
    const Recordset& Of(ProjectTable table) const { return *All()[static_cast<std::size_t>(table)]; }
};

} // namespace q7
