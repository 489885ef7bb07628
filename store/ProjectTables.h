#pragma once
// The open project's records in the seven data tables: what loading or creating a project gives the
// main window as its table cursors (rsFluid … rsLab).
#include "store/Recordset.h"

#include <array>

namespace q7 {

struct ProjectTables {
    Recordset Fluid;    // tblFluidSpec
    Recordset Pressure; // tblPressureSpec
    Recordset Oil;      // tblOilGravity
    Recordset Gas;      // tblGasComp
    Recordset Water;    // tblWater
    Recordset Rock;     // tblRock
    Recordset Lab;      // tblLabData

    // Every record set, in the order above (the order of the tables' creation).
    std::array<const Recordset*, 7> All() const {
        return {&Fluid, &Pressure, &Oil, &Gas, &Water, &Rock, &Lab};
    }
    std::array<Recordset*, 7> All() { return {&Fluid, &Pressure, &Oil, &Gas, &Water, &Rock, &Lab}; }
};

} // namespace q7
