#pragma once
// The open project's records in the six data tables: what loading or creating a project gives the
// main window as its table cursors (rsFluid … rsRock).
#include "store/Recordset.h"

namespace q7 {

struct ProjectTables {
    Recordset Fluid;    // tblFluidSpec
    Recordset Pressure; // tblPressureSpec
    Recordset Oil;      // tblOilGravity
    Recordset Gas;      // tblGasComp
    Recordset Water;    // tblWater
    Recordset Rock;     // tblRock
};

} // namespace q7
