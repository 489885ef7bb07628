// run: case files computed as the workstation does, each into its own folder under --out.
#include "batch/BatchCommands.h"
#include "batch/CaseFile.h"
#include "batch/CommandLine.h"
#include "batch/InputText.h"
#include "batch/Options.h"
#include "batch/OutputLock.h"
#include "batch/ParallelFor.h"
#include "batch/Progress.h"
#include "batch/RunCase.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>

namespace q7 {

const CommandSpec kRunCommand{
    "q7-batch run CASE.json... (--out DIR | --check | both) [--jobs N] [--formats LIST]\n"
    "           [--units field|metric] [--correlations] [--consistent] [--family 1|2] [--sgwfn]",
    "run      computes each case as the workstation does and writes DIR/<case name>/ with\n"
    "         summary.json, q7.csv, the Eclipse include files and the report (Sample.txt/.htm).\n"
    "         --formats chooses among summary,csv,eclipse,report (default: these four) and\n"
    "         tidy (tidy.csv: one row per pressure, one column per property).\n"
    "         --jobs N computes N cases at a time (output identical to one at a time).\n"
    "         --units writes the Eclipse files in FIELD (the default) or METRIC units.\n"
    "         --family 2 writes the rock tables as SWFN, SGFN and SOF3 (both tables) or SOF2\n"
    "         (one) instead of SWOF and SGOF; a gas-water rock gives SWFN and SGFN in either,\n"
    "         and SGWFN as well with --sgwfn.\n"
    "         --correlations adds to the report the section naming each correlation used\n"
    "         (written anyway when the oil tables were matched to laboratory data).\n"
    "         --consistent writes live-oil tables whose saturated curve keeps a positive total\n"
    "         compressibility (each such file says what was changed).\n"
    "         --check checks the Eclipse tables the export offers as they would be written and\n"
    "         prints each table a simulator would refuse as CASE: KEYWORD: reason, then each\n"
    "         impossible value as CASE: TABLE, row N: what is wrong, then each saturated\n"
    "         interval of the live oil whose total compressibility is not positive (the table\n"
    "         \"may stop the simulator\"; not a refusal); without --out nothing is written.\n"
    "         Exit status: 0 all cases computed cleanly, 1 a case reported a message or an\n"
    "         error (its summary says which) or, with --check, a table would be refused or\n"
    "         holds an impossible value,\n"
    "         2 usage error (also two cases that would write one folder).\n",
    {{"--out", true, false, "a folder"},
     {"--jobs", true, false, "a whole number of at least 1"},
     {"--formats", true, false, "a list of summary,csv,eclipse,report,tidy"},
     {"--units", true, false, "field or metric"},
     {"--check"},
     {"--correlations"},
     {"--consistent"},
     {"--family", true, false, "1 or 2"},
     {"--sgwfn"}}};

namespace {

// Two cases that would write one folder (x.json in two folders, or one file named twice) would mix
// their files: say which before anything is written.
std::string FolderCollision(const std::vector<std::string>& files, const std::string& outDir) {
    std::map<std::string, std::string> byFolder;
    for (const std::string& file : files) {
        const std::string folder = std::filesystem::path(file).stem().string();
        const auto [it, added] = byFolder.emplace(folder, file);
        if (!added)
            return it->second + " and " + file + " would both write " +
                   (std::filesystem::path(outDir) / folder).string() + "; give the cases different names";
    }
    return {};
}

int RunCases(const std::vector<std::string>& files, const std::string& outDir, int jobs,
             const OutputFormats& formats, bool check) {
    std::vector<std::vector<EclipseProblem>> problems(files.size());
    std::vector<std::vector<ValueWarning>> warnings(files.size()), consistency(files.size());
    std::vector<std::vector<RangeWarning>> ranges(files.size());
    std::vector<char> failed(files.size(), 0);
    size_t done = 0;
    std::mutex errMutex;
    Progress progress(files.size());

    ParallelFor(files.size(), jobs, [&](size_t i) {
        const std::filesystem::path path(files[i]);
        bool ok = false;
        try {
            CaseFile c = CaseFile::FromFile(path);
            CaseResult r = RunCase(c, path.stem().string(), outDir, formats, check);
            ok = r.clean;
            problems[i] = std::move(r.problems);
            warnings[i] = std::move(r.warnings);
            consistency[i] = std::move(r.consistency);
            ranges[i] = std::move(r.ranges);
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> lock(errMutex);
            std::cerr << (progress.Shown() ? "\r" : "") << "q7-batch: " << e.what() << "\n";
        }
        failed[i] = !ok;
        std::lock_guard<std::mutex> lock(errMutex);
        progress.Update(++done);
    });
    progress.Finish();
    // The checks' findings in the order the cases were named.
    bool anyFailed = false;
    for (size_t i = 0; i < files.size(); ++i) {
        anyFailed = anyFailed || failed[i];
        const auto warn = [&](const ValueWarning& w) {
            std::cout << std::filesystem::path(files[i]).stem().string() << ": " << w.table;
            if (w.row > 0) std::cout << ", row " << w.row;
            std::cout << ": " << w.text << "\n";
            anyFailed = true;
        };
        // The inputs no engineer would sign first, before any symptom they leave in a table.
        for (const ValueWarning& w : warnings[i])
            if (w.table == "Input") warn(w);
        for (const EclipseProblem& p : problems[i]) {
            std::cout << std::filesystem::path(files[i]).stem().string() << ": " << p.keyword << ": "
                      << p.reason << "\n";
            anyFailed = true;
        }
        for (const ValueWarning& w : warnings[i])
            if (w.table != "Input") warn(w);
        // Tables a simulator reads but may not run: said, not counted as a refusal.
        for (const ValueWarning& w : consistency[i])
            std::cout << std::filesystem::path(files[i]).stem().string() << ": " << w.table << ", row "
                      << w.row << ": " << w.text << "\n";
        // Inputs outside a correlation's data: said, never a failure.
        for (const RangeWarning& w : ranges[i])
            std::cout << std::filesystem::path(files[i]).stem().string() << ": outside the data: " << w.text
                      << "\n";
    }
    std::cout << std::flush;
    return anyFailed ? 1 : 0;
}

} // namespace

int RunCaseCommand(const std::vector<std::string>& args) {
    return RunCommandLine(kRunCommand, args, [](const CommandLine& line) {
        const std::vector<std::string> files = line.Positional();
        const std::string outDir = line.Value("--out").value_or(std::string());
        if (line.Has("--out") && outDir.empty()) throw UsageError("--out needs a folder");
        int jobs = 1;
        if (const std::optional<std::string> v = line.Value("--jobs")) {
            const std::optional<int> n = ParseCount(*v);
            if (!n)
                throw UsageError("--jobs needs a whole number of at least 1, not \"" + Excerpt(*v) + "\"");
            jobs = UsefulJobs(*n);
        }
        OutputFormats formats;
        if (const std::optional<std::string> v = line.Value("--formats")) {
            const std::optional<OutputFormats> f = ParseFormatList(*v);
            if (!f) throw UsageError("--formats takes summary,csv,eclipse,report,tidy");
            formats = *f;
        }
        if (const std::optional<std::string> v = line.Value("--units")) {
            const std::optional<EclipseUnits> units = ParseEclipseUnits(*v);
            if (!units) throw UsageError("--units takes field or metric");
            formats.units = *units;
        }
        formats.correlations = line.Has("--correlations");
        formats.consistent = line.Has("--consistent");
        if (const std::optional<std::string> v = line.Value("--family")) {
            const std::optional<SaturationFamily> family = ParseFamily(*v);
            if (!family) throw UsageError("--family takes 1 or 2");
            formats.family = *family;
        }
        formats.sgwfn = line.Has("--sgwfn");
        const bool check = line.Has("--check");
        if (files.empty()) throw UsageError("no case files");
        if (outDir.empty() && !check) throw UsageError("--out DIR is required");
        if (!outDir.empty())
            if (const std::string collision = FolderCollision(files, outDir); !collision.empty())
                throw UsageError(collision);
        std::optional<OutputLock> lock;
        try {
            if (!outDir.empty()) lock.emplace(OutputLock::Folder(outDir));
        } catch (const std::exception& e) {
            std::cerr << "q7-batch: " << e.what() << "\n";
            return 1;
        }
        return RunCases(files, outDir, jobs, formats, check);
    });
}

} // namespace q7
