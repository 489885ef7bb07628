#pragma once
// Checks before export: the Eclipse tables as clsECL writes them, every number rounded to the
// decimals of its column and read back, tested against the rules each column's description states
// (EclipseTableDescription.h), the rules a simulator applies when it reads the include files. The Eclipse
// export dialog and q7-batch --check both ask here.
#include "writers/EclipseTableDescription.h"
#include "writers/EclipseUnits.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

struct Q7Objects;
struct ValueWarning;
struct EclipseTables;

// A table as written: its records (PVTO has one per solution GOR, every other table one), each a
// list of rows, each row the numbers of one file line in file order. PVDO holds its pressure rows
// only (the RSCONST record is a separate keyword).
using WrittenRow = std::vector<double>;
using WrittenRecord = std::vector<WrittenRow>;
using WrittenTable = std::vector<WrittenRecord>;

// The numbers of `keyword`'s table exactly as clsECL would write them from `objects` (which must
// hold the complete table) in `units`. Throws std::invalid_argument for a keyword not in kEclipseKeywords and
// whatever the writer would throw when a value cannot be written.
WrittenTable EclipseTableAsWritten(const Q7Objects& objects, std::string_view keyword,
                                   EclipseUnits units = EclipseUnits::Field, bool consistent = false);

// Why a simulator would refuse `keyword`'s table as written: one short reason per fault, naming
// the row and its values; empty when the table is fine. A table that cannot be written at all
// gives one reason saying why. Throws std::invalid_argument for an unknown keyword.
std::vector<std::string> CheckEclipseTable(const Q7Objects& objects, std::string_view keyword,
                                           EclipseUnits units = EclipseUnits::Field, bool consistent = false);

// The rules alone, on a table as written (the layout of EclipseTableAsWritten's result).
// `units` names the units of the pressures and gas-oil ratios in the reasons.
std::vector<std::string> CheckWrittenTable(std::string_view keyword, const WrittenTable& table,
                                           EclipseUnits units = EclipseUnits::Field);

// The rows of the objects' table (schedule rows for the fluid tables, saturation rows for SWOF and
// SGOF) whose written lines a reason names, in rising order; a fault of the whole table names none.
std::vector<std::int16_t> EclipseRowsAtFault(const Q7Objects& objects, std::string_view keyword);

struct EclipseProblem {
    std::string keyword; // "PVDO" ... "SGOF"
    std::string reason;
};

// The problems of every table selected in `tables`, in the writer's order.
std::vector<EclipseProblem> CheckEclipseTables(const Q7Objects& objects, const EclipseTables& tables,
                                               EclipseUnits units = EclipseUnits::Field,
                                               bool consistent = false);

// The saturated intervals of the live-oil table as written in `units` whose total compressibility is
// not positive (NegativeCompressibility), as warnings of the table "PVTO" at the schedule row of the
// higher pressure: not a refusal (a simulator reads such a table and often runs it), but the table
// "may stop the simulator". `consistent`: those of the table written with that choice.
std::vector<ValueWarning> TotalCompressibilityWarnings(const Q7Objects& objects,
                                                       EclipseUnits units = EclipseUnits::Field,
                                                       bool consistent = false);

} // namespace q7
