// One case as the workstation computes it: the oil tab's button and "Proceed", then the
// "Fluid Properties" and "Rock Properties" tabs, then the files.
#include "batch/RunCase.h"

#include "batch/CaseFolder.h"
#include "batch/Summary.h"
#include "batch/TidyCsv.h"
#include "engine/NumericText.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "engine/ValueChecks.h"
#include "writers/CaseOutput.h"
#include "writers/EclipseChecks.h"
#include "writers/OutputChoices.h"

namespace q7 {

namespace {

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

std::string Fixed(float v, std::int16_t decimals) {
    std::string s = Nbr2Str(v, 48, decimals);
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

// The texts of the oil tab's two boxes, as the form holds them.
struct OilBoxes {
    std::string rsi; // txtRSI
    std::string bpp; // txtBPP
};

// "Calc Pbp" when the case gives the initial GOR (or no bubble point), else "Calc Rsi". Each box
// is a plain field: the text a button writes into the other box passes to its setter too.
OilBoxes PressOilButton(const CaseFile& c, clsOil& oil) {
    OilBoxes boxes;
    if (c.Has("InitGO") || !c.Has("BPP")) {
        boxes.rsi = c.Has("InitGO") ? ExactText(static_cast<float>(c.Number("InitGO"))) : Fixed(oil.RSI(), 1);
        oil.SetRsi(boxes.rsi);
        boxes.bpp = Fixed(oil.Pbp(), 1);
        oil.SetPbp(boxes.bpp);
    } else {
        boxes.bpp = ExactText(static_cast<float>(c.Number("BPP")));
        oil.SetPbp(boxes.bpp);
        boxes.rsi = Fixed(oil.RSI(), 1);
        oil.SetRsi(boxes.rsi);
    }
    return boxes;
}

void Compute(const CaseFile& c, Q7Objects& o, MessageSink& sink, CaseOutcome& outcome) {
    const bool oilPresent = o.Fluid.PhaseOil();
    OilBoxes boxes;
    bool fluidOk = true;
    if (oilPresent) {
        try {
            boxes = PressOilButton(c, o.Oil);
        } catch (const std::exception& e) {
            outcome.error = FailureFrom("Oil Properties Error", e);
            fluidOk = false;
        }
    }

    if (fluidOk) {
        // "Fluid Properties": the schedule from the range, the bubble point from the GOR box.
        std::string stage = "Pressure Schedule Error";
        try {
            if (o.Prs.PrRange() == "R") o.Prs.BuildPRSi();
            if (oilPresent) {
                stage = "Oil Properties Error";
                o.Oil.SetRsi(boxes.rsi);
                const std::string shown = GeneralForm(o.Oil.Pbp());
                if (shown != boxes.bpp) o.Oil.SetPbp(shown);
            }
        } catch (const std::exception& e) {
            outcome.error = FailureFrom(stage, e);
            fluidOk = false;
        }
    }
    if (fluidOk) {
        FluidTablesObserver none;
        FluidTablesResult r = RunFluidTables(o, sink, none);
        outcome.gasStatus = r.gasStatus;
        if (r.failure) outcome.error = r.failure;
    }

    // "Rock Properties".
    if (auto failure = RunRockTable(o); failure && !outcome.error) outcome.error = failure;
}

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

void ComputeCase(const CaseFile& c, Q7Objects& objects, MessageSink& sink, CaseOutcome& outcome) {
    try {
        ApplyCase(c, objects);
    } catch (const std::exception& e) {
        outcome.error = FailureFrom("Case Input Error", e);
    }
    if (!outcome.error) Compute(c, objects, sink, outcome);
}

CaseResult RunCase(const CaseFile& c, const std::string& name, const std::filesystem::path& outDir,
                   const OutputFormats& formats, bool check) {
    const std::filesystem::path dir = outDir.empty() ? outDir : CaseFolder(outDir, name);
    CaseOutcome outcome;
    RecordingSink sink(outcome.messages);
    Q7Objects objects(sink);
    ComputeCase(c, objects, sink, outcome);

    if (!outDir.empty()) {
        ClearCaseFolder(dir);
        if (formats.csv) WriteCaseCsv(objects, dir);
        if (formats.eclipse) WriteCaseEclipse(objects, dir, formats.units, formats.consistent);
        if (formats.report) WriteCaseReport(objects, IdentityOf(c), dir, formats.correlations);
        if (formats.tidy) WriteWholeFile(dir / "tidy.csv", TidyCsv(objects));
        // Last, so that a summary stands only beside a complete set of files.
        if (formats.summary) WriteWholeFile(dir / "summary.json", SummaryJson(outcome, objects));
    }
    CaseResult result;
    result.clean = outcome.messages.empty() && !outcome.error;
    if (check) {
        result.problems =
            CheckEclipseTables(objects, OfferedEclipseTables(objects), formats.units, formats.consistent);
        result.warnings = ImpossibleValues(objects);
        result.ranges = RangeWarnings(objects);
        if (OfferedEclipseTables(objects).PVTO)
            result.consistency = TotalCompressibilityWarnings(objects, formats.units, formats.consistent);
    }
    return result;
}

CaseLine RunCaseLine(const CaseFile& c, const std::string& caseJson) {
    CaseOutcome outcome;
    RecordingSink sink(outcome.messages);
    Q7Objects objects(sink);
    try {
        ApplyCase(c, objects);
    } catch (const std::exception& e) {
        outcome.error = FailureFrom("Case Input Error", e);
    }
    if (!outcome.error) Compute(c, objects, sink, outcome);
    CaseLine line;
    line.clean = outcome.messages.empty() && !outcome.error;
    line.json = SummaryLine(caseJson, outcome, objects);
    return line;
}

} // namespace q7
