#pragma once
// Computing one case as the workstation's result tabs do and writing its files into a folder.
#include "batch/CaseFile.h"
#include "batch/Summary.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/RangeWarnings.h"
#include "engine/ValueChecks.h"
#include "writers/EclipseChecks.h"
#include "writers/EclipseUnits.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace q7 {

struct OutputFormats {
    bool summary = true, csv = true, eclipse = true, report = true;
    EclipseUnits units = EclipseUnits::Field; // of the Eclipse files and their checks
    bool tidy = false;                        // tidy.csv: one row per pressure, one column per property
    bool correlations = false; // the report's section naming the correlations (always with a match)
    bool consistent = false;   // live-oil tables with a positive total compressibility (--consistent)
};

// The messages a case reports while it computes, kept to be shown with its name.
class KeptMessages final : public MessageSink {
public:
    void ShowError(const std::string& message, const std::string& title) override {
        messages.push_back(title + ": " + message);
    }
    void ShowInfo(const std::string&, const std::string&) override {}
    std::vector<std::string> messages;
};

// A case (or stored project) computed on its own objects, as one region of a deck.
struct ComputedCase {
    std::string name;
    std::unique_ptr<KeptMessages> sink = std::make_unique<KeptMessages>();
    std::unique_ptr<Q7Objects> objects = std::make_unique<Q7Objects>(*sink);
    CaseOutcome outcome;
};

// Applies the case to `objects` (fresh, built on `sink`) and computes it as the workstation's
// result tabs do; the raised error and the gas status go to `outcome`, messages to `sink`.
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
