#pragma once
// Computing one case as the workstation's result tabs do and writing its files into a folder.
#include "batch/CaseFile.h"
#include "batch/Summary.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/RangeWarnings.h"
#include "engine/ResultRun.h"
#include "engine/ValueChecks.h"
#include "writers/CaseOutput.h"
#include "writers/EclipseChecks.h"
#include "writers/EclipseUnits.h"
#include "writers/OutputChoices.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace q7 {

// The messages of a computation, kept in its outcome.
class RecordingSink final : public MessageSink {
public:
    explicit RecordingSink(std::vector<StatusMessage>& out) : m_out(out) {}
    void ShowError(const std::string& message, const std::string& title) override {
        m_out.push_back({title, message});
    }
    void ShowInfo(const std::string&, const std::string&) override {}

private:
    std::vector<StatusMessage>& m_out;
};

struct OutputFormats {
    bool summary = true, csv = true, eclipse = true, report = true;
    EclipseUnits units = EclipseUnits::Field; // of the Eclipse files and their checks
    bool tidy = false;                        // tidy.csv: one row per pressure, one column per property
    bool correlations = false; // the report's section naming the correlations (always with a match)
    bool consistent = false;   // live-oil tables with a positive total compressibility (--consistent)
    SaturationFamily family = SaturationFamily::One; // of the rock tables in the Eclipse files
    bool sgwfn = false;                              // SGWFN as well for a gas–water rock
};

// The case's InitGO and BPP, as the oil tab's pair.
OilPair OilPairOf(const CaseFile& c);

// Applies the case to `objects` (fresh, built on `sink`) and computes it as the workstation's
// result tabs do (ComputeAsWorkstation); the raised error and the gas status go to `outcome`,
// messages to `sink`.
void ComputeCase(const CaseFile& c, Q7Objects& objects, MessageSink& sink, CaseOutcome& outcome);

// Computes the case on a fresh set of objects and writes DIR/<name>/summary.json and the chosen
// files. Returns true when the case computed without a message or an error.
bool RunCaseToDir(const CaseFile& c, const std::string& name, const std::filesystem::path& outDir,
                  const OutputFormats& formats);

struct CaseResult {
    bool clean = false;                   // computed without a message or an error
    std::vector<EclipseProblem> problems; // with checking: what a simulator would refuse
    std::vector<ValueWarning> warnings;   // with checking: impossible values of the tables
    std::vector<RangeWarning> ranges;     // with checking: inputs outside a correlation's data
    // With checking: saturated intervals of the live oil that may stop the simulator (not refusals).
    std::vector<ValueWarning> consistency;
};

// Writes the computed objects' files into DIR/<name>/ (summary.json last), with `identity` for the
// report; nothing when outDir is empty. With `check`, the Eclipse tables the export offers are
// checked as they would be written, and every computed table for impossible values.
CaseResult WriteComputed(const Q7Objects& objects, const CaseOutcome& outcome, const ReportIdentity& identity,
                         const std::string& name, const std::filesystem::path& outDir,
                         const OutputFormats& formats, bool check);

// As RunCaseToDir; with an empty outDir nothing is written. With `check`, the Eclipse tables the
// export offers for the case (and pre-selects) are checked as they would be written, and every
// computed table for impossible values.
CaseResult RunCase(const CaseFile& c, const std::string& name, const std::filesystem::path& outDir,
                   const OutputFormats& formats, bool check);

// The case's summary as one line of a result stream, with `caseJson` as its "case" (see SummaryLine).
struct CaseLine {
    bool clean = false; // computed without a message or an error
    std::string json;
};
CaseLine RunCaseLine(const CaseFile& c, const std::string& caseJson);

} // namespace q7
