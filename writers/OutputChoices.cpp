#include "writers/OutputChoices.h"

#include "engine/Q7Objects.h"
#include "writers/clsCSV.h"
#include "writers/clsECL.h"
#include "writers/clsReport.h"

namespace q7 {

bool EclipseTables::Has(std::string_view k) const {
    const std::pair<std::string_view, bool> all[] = {
        {"PVDO", PVDO}, {"PVTO", PVTO}, {"PVDG", PVDG}, {"PVTW", PVTW}, {"DENSITY", DENS}, {"SWOF", SWOF},
        {"SGOF", SGOF}, {"SWFN", SWFN}, {"SGFN", SGFN}, {"SOF3", SOF3}, {"SOF2", SOF2},    {"SGWFN", SGWFN}};
    for (const auto& [keyword, chosen] : all)
        if (keyword == k) return chosen;
    return false;
}

EclipseTables OfferedEclipseTables(const Q7Objects& objects, SaturationFamily family, bool sgwfn) {
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
    const bool oilWater = rock && objects.Rock.OilWaterTable();
    const bool gasOil = rock && objects.Rock.GasOilTable();
    const bool gasWater = rock && objects.Rock.GasWaterTable();
    if (family == SaturationFamily::One) {
        t.SGOF = gasOil;
        t.SWOF = oilWater;
    } else {
        t.SWFN = oilWater;
        t.SGFN = gasOil;
        t.SOF3 = oilWater && gasOil;
        t.SOF2 = oilWater != gasOil;
    }
    if (gasWater) {
        t.SWFN = true;
        t.SGFN = true;
        t.SGWFN = sgwfn;
    }
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
    writer.SWFN(tables.SWFN);
    writer.SGFN(tables.SGFN);
    writer.SOF3(tables.SOF3);
    writer.SOF2(tables.SOF2);
    writer.SGWFN(tables.SGWFN);
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
