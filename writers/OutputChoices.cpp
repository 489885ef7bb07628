#include "writers/OutputChoices.h"

#include "engine/Q7Objects.h"
#include "writers/clsCSV.h"
#include "writers/clsECL.h"
#include "writers/clsReport.h"

namespace q7 {

EclipseTables OfferedEclipseTables(const Q7Objects& objects) {
    const bool oil = objects.Oil.GO();
    const bool gas = objects.Gas.GO();
    const bool water = objects.Water.GO();
    const bool rock = objects.Rock.GO();
    EclipseTables t;
    t.DENS = oil || gas || water;
    t.PVDO = oil;
    t.PVTO = oil;
    t.PVDG = gas || oil;
    t.PVTW = water;
    t.SGOF = rock && objects.Rock.Fluids() != 0;
    t.SWOF = rock && objects.Rock.Fluids() == 0;
    return t;
}

void SelectEclipseTables(clsECL& writer, const EclipseTables& tables) {
    writer.PVDO(tables.PVDO);
    writer.PVTO(tables.PVTO);
    writer.PVDG(tables.PVDG);
    writer.PVTW(tables.PVTW);
    writer.DENS(tables.DENS);
    writer.SWOF(tables.SWOF);
    writer.SGOF(tables.SGOF);
}

PropertyGroups ComputedGroups(const Q7Objects& objects) {
    return {objects.Oil.GO(), objects.Gas.GO(), objects.Water.GO(), objects.Rock.GO()};
}

void IncludeGroups(clsCSV& writer, const PropertyGroups& groups) {
    writer.IncludeOIL(groups.Oil);
    writer.IncludeGAS(groups.Gas);
    writer.IncludeWAT(groups.Water);
    writer.IncludeROCK(groups.Rock);
}

void IncludeGroups(clsReport& writer, const PropertyGroups& groups) {
    writer.IncludeOIL(groups.Oil);
    writer.IncludeGAS(groups.Gas);
    writer.IncludeWAT(groups.Water);
    writer.IncludeROCK(groups.Rock);
}

} // namespace q7
