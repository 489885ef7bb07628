// q7-batch: the workstation's calculations without a window, for scripts and batch work.
#include "batch/BatchCommands.h"
#include "batch/CaseFile.h"
#include "batch/Progress.h"
#include "batch/RunCase.h"
#ifdef Q7_BATCH_PROJECTS
#include "batch/ProjectCommands.h"
#endif

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const char* kUsage =
    "usage: q7-batch run CASE.json... (--out DIR | --check | both) [--jobs N] [--formats LIST]\n"
    "       q7-batch run --project (NAME | --id N) (--out DIR | --check | both) [--formats LIST]\n"
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
    "         --check checks the Eclipse tables the export offers as they would be written and\n"
    "         prints each table a simulator would refuse as CASE: KEYWORD: reason; without\n"
    "         --out nothing is written.\n"
    "         Exit status: 0 all cases computed cleanly, 1 a case reported a message or an\n"
    "         error (its summary says which) or, with --check, a table would be refused,\n"
    "         2 usage error.\n"
    "projects lists the projects of the project database (q7.mdb beside the programs or the\n"
    "         user's copy in ~/.local/share/fluvarex, or the file named by Q7_DATABASE); save,\n"
    "         export, delete and run --project work on it.\n";

int Usage(const std::string& why) {
    if (!why.empty()) std::cerr << "q7-batch: " << why << "\n";
    std::cerr << kUsage << "\n" << q7::kStudyUsage;
    return 2;
}

bool ParseFormats(const std::string& list, q7::OutputFormats& f) {
    f = q7::OutputFormats{false, false, false, false};
    std::stringstream ss(list);
    std::string item;
    while (std::getline(ss, item, ',')) {
        if (item == "summary")
            f.summary = true;
        else if (item == "csv")
            f.csv = true;
        else if (item == "eclipse")
            f.eclipse = true;
        else if (item == "report")
            f.report = true;
        else if (item == "tidy")
            f.tidy = true;
        else
            return false;
    }
    return true;
}

int RunCases(const std::vector<std::string>& files, const std::string& outDir, int jobs,
             const q7::OutputFormats& formats, bool check) {
    std::vector<std::vector<q7::EclipseProblem>> problems(files.size());
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
    }
    std::cout << std::flush;
    return anyFailed || refused ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage << "\n" << q7::kStudyUsage;
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
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
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* what) -> const std::string* {
            if (i + 1 >= args.size()) return nullptr;
            (void)what;
            return &args[++i];
        };
        if (a == "--out") {
            const std::string* v = value("--out");
            if (!v) return Usage("--out needs a folder");
            outDir = *v;
        } else if (a == "--jobs") {
            const std::string* v = value("--jobs");
            if (!v) return Usage("--jobs needs a number");
            try {
                jobs = std::stoi(*v);
            } catch (...) {
                return Usage("--jobs needs a number");
            }
            if (jobs < 1) return Usage("--jobs needs a number of at least 1");
        } else if (a == "--formats") {
            const std::string* v = value("--formats");
            if (!v || !ParseFormats(*v, formats))
                return Usage("--formats takes summary,csv,eclipse,report,tidy");
        } else if (a == "--check") {
            check = true;
        } else if (!a.empty() && a[0] == '-') {
            return Usage("unknown option: " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) return Usage("no case files");
    if (outDir.empty() && !check) return Usage("--out DIR is required");
    return RunCases(files, outDir, jobs, formats, check);
}
