// q7-batch: the workstation's calculations without a window, for scripts and batch work.
#include "batch/BatchCommands.h"
#include "batch/CaseFile.h"
#include "batch/DeckCommand.h"
#include "batch/Options.h"
#include "batch/Progress.h"
#include "batch/RunCase.h"
#ifdef Q7_BATCH_PROJECTS
#include "batch/ProjectCommands.h"
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const char* kUsage =
    "usage: q7-batch run CASE.json... (--out DIR | --check | both) [--jobs N] [--formats LIST]\n"
    "                  [--units field|metric] [--correlations]\n"
    "       q7-batch run --project (NAME | --id N) (--out DIR | --check | both) [--formats LIST]\n"
    "                  [--units field|metric]\n"
    "       q7-batch deck (CASE.json | --project NAME)... --out DIR [--base NAME]\n"
    "                  [--units field|metric] [--check]\n"
    "       q7-batch projects\n"
    "       q7-batch save CASE.json --name NAME [--by WHO] [--desc TEXT]\n"
    "       q7-batch export (NAME | --id N)\n"
    "       q7-batch delete (NAME | --id N)\n"
    "\n"
    "run      computes each case as the workstation does and writes DIR/<case name>/ with\n"
    "         summary.json, q7.csv, the Eclipse include files and the report (Sample.txt/.htm).\n"
    "         --formats chooses among summary,csv,eclipse,report (default: these four) and\n"
    "         tidy (tidy.csv: one row per pressure, one column per property).\n"
    "         --jobs N computes N cases at a time (output identical to one at a time).\n"
    "         --units writes the Eclipse files in FIELD (the default) or METRIC units.\n"
    "         --correlations adds to the report the section naming each correlation used\n"
    "         (written anyway when the oil tables were matched to laboratory data).\n"
    "         --check checks the Eclipse tables the export offers as they would be written and\n"
    "         prints each table a simulator would refuse as CASE: KEYWORD: reason, then each\n"
    "         impossible value as CASE: TABLE, row N: what is wrong; without --out nothing is\n"
    "         written.\n"
    "         Exit status: 0 all cases computed cleanly, 1 a case reported a message or an\n"
    "         error (its summary says which) or, with --check, a table would be refused or\n"
    "         holds an impossible value,\n"
    "         2 usage error (also two cases that would write one folder).\n"
    "deck     writes the Eclipse files of several cases as one deck: region k is case k,\n"
    "         each keyword once (DIR/BASE.pvto ..., BASE Eclipse by default) with one table\n"
    "         per case, when every case offers it. --check checks every region's tables.\n"
    "projects lists the projects of the project database (q7.mdb beside the programs or the\n"
    "         user's copy in ~/.local/share/fluvarex, or the file or PostgreSQL URI\n"
    "         postgresql://USER@HOST[:PORT]/DBNAME named by Q7_DATABASE); save, export,\n"
    "         delete and run --project work on it.\n";

int Usage(const std::string& why) {
    if (!why.empty()) std::cerr << "q7-batch: " << why << "\n";
    std::cerr << kUsage << "\n" << q7::kStudyUsage;
    return 2;
}

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
             const q7::OutputFormats& formats, bool check) {
    std::vector<std::vector<q7::EclipseProblem>> problems(files.size());
    std::vector<std::vector<q7::ValueWarning>> warnings(files.size());
    std::atomic<size_t> next{0}, done{0};
    std::atomic<bool> anyFailed{false};
    std::mutex errMutex;
    q7::Progress progress(files.size());

    auto worker = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            const std::filesystem::path path(files[i]);
            bool ok = false;
            try {
                q7::CaseFile c = q7::CaseFile::FromFile(path);
                q7::CaseResult r = q7::RunCase(c, path.stem().string(), outDir, formats, check);
                ok = r.clean;
                problems[i] = std::move(r.problems);
                warnings[i] = std::move(r.warnings);
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> lock(errMutex);
                std::cerr << (progress.Shown() ? "\r" : "") << "q7-batch: " << e.what() << "\n";
            }
            if (!ok) anyFailed = true;
            const size_t n = ++done;
            if (progress.Shown()) {
                std::lock_guard<std::mutex> lock(errMutex);
                progress.Update(n);
            }
        }
    };

    jobs = std::max(1, std::min<int>(jobs, static_cast<int>(files.size())));
    std::vector<std::thread> threads;
    for (int t = 1; t < jobs; ++t)
        threads.emplace_back(worker);
    worker();
    for (auto& t : threads)
        t.join();
    progress.Finish();
    // The checks' findings in the order the cases were named.
    bool refused = false;
    for (size_t i = 0; i < files.size(); ++i) {
        for (const q7::EclipseProblem& p : problems[i]) {
            std::cout << std::filesystem::path(files[i]).stem().string() << ": " << p.keyword << ": "
                      << p.reason << "\n";
            refused = true;
        }
        for (const q7::ValueWarning& w : warnings[i]) {
            std::cout << std::filesystem::path(files[i]).stem().string() << ": " << w.table;
            if (w.row > 0) std::cout << ", row " << w.row;
            std::cout << ": " << w.text << "\n";
            refused = true;
        }
    }
    std::cout << std::flush;
    return anyFailed || refused ? 1 : 0;
}

// Output that never reached its destination (a full disk, a closed file) is a failure too.
int Finish(int status) {
    std::cout.flush();
    if (std::cout) return status;
    std::cerr << "q7-batch: the output could not be written: " << std::strerror(errno) << "\n";
    return status == 0 ? 1 : status;
}

int Main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage << "\n" << q7::kStudyUsage;
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    if (command == "deck") {
#ifdef Q7_BATCH_PROJECTS
        return q7::RunDeckCommand(args, q7::ComputeProjectNamed);
#else
        return q7::RunDeckCommand(args, nullptr);
#endif
    }
    if (command == "sweep") return q7::RunSweepCommand(args);
    if (command == "table") return q7::RunTableCommand(args);
    if (command == "run" && std::find(args.begin(), args.end(), "--jsonl") != args.end())
        return q7::RunStreamCommand(args);
    if (command != "run" || std::find(args.begin(), args.end(), "--project") != args.end()) {
#ifdef Q7_BATCH_PROJECTS
        if (command == "run" || command == "projects" || command == "save" || command == "export" ||
            command == "delete")
            return q7::RunProjectCommand(args);
#endif
        return Usage("unknown command: " + command);
    }

    std::vector<std::string> files;
    std::string outDir;
    int jobs = 1;
    q7::OutputFormats formats;
    bool check = false;
    std::set<std::string> given;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* what) -> const std::string* {
            if (i + 1 >= args.size()) return nullptr;
            (void)what;
            return &args[++i];
        };
        if ((a == "--out" || a == "--jobs" || a == "--formats") && !given.insert(a).second)
            return Usage(a + " is given twice");
        if (a == "--out") {
            const std::string* v = value("--out");
            if (!v || v->empty()) return Usage("--out needs a folder");
            outDir = *v;
        } else if (a == "--jobs") {
            const std::string* v = value("--jobs");
            const std::optional<int> n = v ? q7::ParseCount(*v) : std::nullopt;
            if (!n) return Usage("--jobs needs a whole number of at least 1, not \"" + (v ? *v : "") + "\"");
            jobs = *n;
        } else if (a == "--formats") {
            const std::string* v = value("--formats");
            const std::optional<q7::OutputFormats> f = v ? q7::ParseFormatList(*v) : std::nullopt;
            if (!f) return Usage("--formats takes summary,csv,eclipse,report,tidy");
            const q7::EclipseUnits units = formats.units;
            const bool correlations = formats.correlations;
            formats = *f;
            formats.units = units;
            formats.correlations = correlations;
        } else if (a == "--units") {
            const std::string* v = value("--units");
            const auto units = v ? q7::ParseEclipseUnits(*v) : std::nullopt;
            if (!units) return Usage("--units takes field or metric");
            formats.units = *units;
        } else if (a == "--check") {
            check = true;
        } else if (a == "--correlations") {
            formats.correlations = true;
        } else if (!a.empty() && a[0] == '-') {
            return Usage("unknown option: " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) return Usage("no case files");
    if (outDir.empty() && !check) return Usage("--out DIR is required");
    if (!outDir.empty())
        if (const std::string collision = FolderCollision(files, outDir); !collision.empty())
            return Usage(collision);
    return RunCases(files, outDir, jobs, formats, check);
}

} // namespace

int main(int argc, char** argv) {
    return Finish(Main(argc, argv));
}
