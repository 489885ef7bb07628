#pragma once
// The end-point consistency rules a simulator applies to the saturation tables of a case (OPM Flow
// checks them by default from its 2025 releases): the connate, critical and maximum saturations of
// each phase, found in the tables as written the way the simulator finds them, must leave every
// phase room to move. The checks before export (CheckEclipseTable) add these reasons to the
// saturation tables they concern.
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

struct Q7Objects;

// The saturations the simulator derives from the tables. A phase without a table has its lowest
// and highest saturation 0 and its critical saturation 0.
struct SaturationEndPoints {
    bool water = false, oil = false, gas = false; // phases with a table
    double swl = 0, swcr = 0, swu = 0;            // water: connate, critical, maximum
    double sgl = 0, sgcr = 0, sgu = 0;            // gas
    double sowcr = 0, sogcr = 0;                  // oil: critical to water, critical to gas
    bool oilWater = false, gasOil = false;        // the oil's curves against water, against gas
};

// A rule broken: the keyword whose table carries it and the reason.
struct EndPointFault {
    std::string keyword;
    std::string reason;
};

// The end points of the case's saturation tables as `keyword`'s family writes them (SWOF and SGOF;
// SWFN, SGFN and SOF3 or SOF2; SGWFN), in the simulator's way: the lowest and highest saturation of
// each table, and the critical saturation as the one before the first kr above 1E-6 (OPM's
// default TOLCRIT).
SaturationEndPoints EndPointsAsWritten(const Q7Objects& objects, std::string_view keyword);

// The rules the end points break, each on the keyword of its family that carries it.
std::vector<EndPointFault> EndPointFaults(const SaturationEndPoints& e, std::string_view family);

// The reasons for `keyword` (a saturation keyword of a rock whose tables exist): the rules its
// family's end points break that this table carries. Empty for other keywords.
std::vector<std::string> EndPointProblems(const Q7Objects& objects, std::string_view keyword);

} // namespace q7
