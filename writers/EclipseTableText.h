#pragma once
// The text of one case's table of one Eclipse keyword, as the include files hold it. clsECL writes
// one table per file around it; the deck of several regions writes one table per case under each
// keyword.
#include "writers/EclipseTableDescription.h"
#include "writers/EclipseUnits.h"

#include <string>
#include <string_view>

namespace q7 {

struct Q7Objects;
class TextFile;

// The lines after the keyword and its empty line, up to and including the line that closes the
// table ("/" for the tables of rows, the record itself for PVTW and DENSITY). PVDO stops before
// its constant-Rs record. Throws std::invalid_argument for a keyword not in kEclipseKeywords.
void WriteEclipseTableBody(TextFile& file, const Q7Objects& objects, std::string_view keyword,
                           EclipseUnits units, bool consistent = false);

// The same lines of a table already laid out.
void WriteEclipseTableBody(TextFile& file, const EclipseTable& table);

// The constant solution GOR of a dead-oil table and the bubble point it holds up to, one record
// ending "     /" (Rs at the bubble point, the bubble point).
std::string ConstantRsRecord(const Q7Objects& objects, EclipseUnits units);

} // namespace q7
