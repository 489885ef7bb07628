#include "writers/CaseOutput.h"

#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "writers/OutputChoices.h"
#include "writers/clsCSV.h"
#include "writers/clsECL.h"
#include "writers/clsReport.h"

namespace q7 {

void WriteCaseCsv(const Q7Objects& objects, const std::filesystem::path& dir) {
    NullMessageSink silent;
    clsCSV csv(objects, silent);
    csv.FileName((dir / "q7.csv").string());
    IncludeGroups(csv, ComputedGroups(objects));
    csv.Execute();
}

void WriteCaseEclipse(const Q7Objects& objects, const std::filesystem::path& dir, EclipseUnits units,
                      bool consistent, SaturationFamily family, bool sgwfn) {
    NullMessageSink silent;
    clsECL ecl(objects, silent);
    ecl.Units(units);
    ecl.Consistent(consistent);
    ecl.FileName((dir / "Eclipse").string());
    SelectEclipseTables(ecl, OfferedEclipseTables(objects, family, sgwfn));
    ecl.Execute();
}

void WriteCaseReport(const Q7Objects& objects, const ReportIdentity& identity,
                     const std::filesystem::path& dir, bool correlations) {
    NullMessageSink silent;
    clsReport report(objects, silent);
    report.FileName((dir / "Sample.txt").string());
    report.Company(identity.Company);
    report.Field(identity.Field);
    report.Reservoir(identity.Reservoir);
    report.PrjDesc(identity.PrjDesc);
    report.CreatedBy(identity.CreatedBy);
    IncludeGroups(report, ComputedGroups(objects));
    report.IncludeCorrelations(correlations);
    report.Execute();
}

} // namespace q7
