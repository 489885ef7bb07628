// One case as the workstation computes it: the oil tab's button and "Proceed", then the
// "Fluid Properties" and "Rock Properties" tabs, then the files.
#include "batch/RunCase.h"

#include "batch/CaseFolder.h"
#include "batch/Summary.h"
#include "batch/TidyCsv.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "engine/ValueChecks.h"
#include "writers/CaseOutput.h"
#include "writers/EclipseChecks.h"
#include "writers/OutputChoices.h"

namespace q7 {

namespace {

ReportIdentity IdentityOf(const CaseFile& c) {
    ReportIdentity id;
    id.Company = c.OptText("Company").value_or("");
    id.Field = c.OptText("Field").value_or("");
    id.Reservoir = c.OptText("Reservoir").value_or("");
    id.PrjDesc = c.OptText("PrjDesc").value_or("");
    id.CreatedBy = c.OptText("CreatedBy").value_or("");
    return id;
}

} // namespace

bool RunCaseToDir(const CaseFile& c, const std::string& name, const std::filesystem::path& outDir,
                  const OutputFormats& formats) {
    return RunCase(c, name, outDir, formats, false).clean;
}

OilPair OilPairOf(const CaseFile& c) {
    OilPair pair;
    if (c.Has("InitGO")) pair.rsi = static_cast<float>(c.Number("InitGO"));
    if (c.Has("BPP")) pair.pbp = static_cast<float>(c.Number("BPP"));
    return pair;
}

void ComputeCase(const CaseFile& c, Q7Objects& objects, MessageSink& sink, CaseOutcome& outcome) {
    try {
        ApplyCase(c, objects);
    } catch (const std::exception& e) {
        outcome.error = FailureFrom(CalcStage::CaseInput, e);
    }
    if (!outcome.error) ComputeAsWorkstation(objects, OilPairOf(c), sink, outcome);
}

CaseResult WriteComputed(const Q7Objects& objects, const CaseOutcome& outcome, const ReportIdentity& identity,
                         const std::string& name, const std::filesystem::path& outDir,
                         const OutputFormats& formats, bool check) {
    if (!outDir.empty()) {
        const std::filesystem::path dir = CaseFolder(outDir, name);
        ClearCaseFolder(dir);
        if (formats.csv) WriteCaseCsv(objects, dir);
        if (formats.eclipse)
            WriteCaseEclipse(objects, dir, formats.units, formats.consistent, formats.family, formats.sgwfn);
        if (formats.report) WriteCaseReport(objects, identity, dir, formats.correlations);
        if (formats.tidy) WriteWholeFile(dir / "tidy.csv", TidyCsv(objects));
        // Last, so that a summary stands only beside a complete set of files.
        if (formats.summary) WriteWholeFile(dir / "summary.json", SummaryJson(outcome, objects));
    }
    CaseResult result;
    result.clean = outcome.messages.empty() && !outcome.error;
    if (check) {
        result.problems =
            CheckEclipseTables(objects, OfferedEclipseTables(objects, formats.family, formats.sgwfn),
                               formats.units, formats.consistent);
        result.warnings = ImpossibleValues(objects);
        result.ranges = RangeWarnings(objects);
        if (OfferedEclipseTables(objects).PVTO)
            result.consistency = TotalCompressibilityWarnings(objects, formats.units, formats.consistent);
    }
    return result;
}

CaseResult RunCase(const CaseFile& c, const std::string& name, const std::filesystem::path& outDir,
                   const OutputFormats& formats, bool check) {
    CaseOutcome outcome;
    RecordingSink sink(outcome.messages);
    Q7Objects objects(sink);
    ComputeCase(c, objects, sink, outcome);
    return WriteComputed(objects, outcome, IdentityOf(c), name, outDir, formats, check);
}

CaseLine RunCaseLine(const CaseFile& c, const std::string& caseJson) {
    CaseOutcome outcome;
    RecordingSink sink(outcome.messages);
    Q7Objects objects(sink);
    ComputeCase(c, objects, sink, outcome);
    CaseLine line;
    line.clean = outcome.messages.empty() && !outcome.error;
    line.json = SummaryLine(caseJson, outcome, objects);
    return line;
}

} // namespace q7
