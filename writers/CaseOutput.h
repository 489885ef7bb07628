#pragma once
// The files one case writes in the batch tool: the CSV export, the Eclipse include files and the
// report, each with the choices its dialog makes on loading. No completion message is shown; a file
// that cannot be created or written throws IoError naming the path and the reason.
#include "writers/EclipseUnits.h"

#include "writers/OutputChoices.h"

#include <filesystem>
#include <string>

namespace q7 {

struct Q7Objects;

// Identification printed at the head of the report (the case keys Company, Field, Reservoir,
// PrjDesc and CreatedBy; empty when absent).
struct ReportIdentity {
    std::string Company, Field, Reservoir, PrjDesc, CreatedBy;
};

// dir/q7.csv with every property group whose table is complete.
void WriteCaseCsv(const Q7Objects& objects, const std::filesystem::path& dir);

// dir/Eclipse.* with the tables the Eclipse export offers and pre-selects for this case, the rock
// tables in `family` (and SGWFN for a gas–water rock when `sgwfn`). `consistent`: live-oil tables
// with a positive total compressibility (clsECL::Consistent).
void WriteCaseEclipse(const Q7Objects& objects, const std::filesystem::path& dir,
                      EclipseUnits units = EclipseUnits::Field, bool consistent = false,
                      SaturationFamily family = SaturationFamily::One, bool sgwfn = false);

// dir/Sample.txt and its page dir/Sample.htm with every property group whose table is complete;
// `correlations` adds the section naming the correlations used.
void WriteCaseReport(const Q7Objects& objects, const ReportIdentity& identity,
                     const std::filesystem::path& dir, bool correlations = false);

} // namespace q7
