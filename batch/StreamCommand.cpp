// run --jsonl: a stream of cases, one JSON object a line, in; one result line per case out, in
// input order whatever the number of jobs.
#include "batch/BatchCommands.h"
#include "batch/CaseFile.h"
#include "batch/LineFiles.h"
#include "batch/Progress.h"
#include "batch/ResultTable.h"
#include "batch/RunCase.h"
#include "batch/Summary.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <memory>
#include <thread>

namespace q7 {

const char* const kStudyUsage =
    "usage: q7-batch run --jsonl (IN.jsonl | -) [--out FILE] [--jobs N] [--shard K/N] [--columns LIST]\n"
    "       q7-batch sweep BASE.json (--vary KEY=FROM:TO:N... | --sample KEY=FROM:TO... --samples N\n"
    "                [--seed S]) [--out FILE]\n"
    "       q7-batch table RESULTS.jsonl... --columns LIST [--out FILE]\n"
    "\n"
    "run --jsonl reads one case a line (a file, or - for standard input) and writes one result a\n"
    "         line (to standard output or FILE): the object summary.json holds, with \"case\" first\n"
    "         (the case's _name, else its line number). A line that is not a case gives a line with\n"
    "         its \"error\". Results come in input order whatever --jobs is. --shard K/N takes only\n"
    "         the lines whose index (counted from 0) mod N is K. --columns writes the table below\n"
    "         instead of the result lines.\n"
    "sweep    writes the variants of BASE.json as JSON lines, each with a _name giving its values:\n"
    "         --vary the full grid (N values from FROM to TO per key, the last key fastest),\n"
    "         --sample a Latin-hypercube sample of --samples N cases drawn with --seed S (0).\n"
    "table    writes CSV, a header line and one row per result line: the case, then each column\n"
    "         of LIST, a path such as oil.Pbp or gas.tables.Z[1] (positions from 1). Several\n"
    "         files (or -) are read in the order given.\n";

namespace {

struct StreamOptions {
    std::string input, output;
    int jobs = 1;
    long long shardK = 0, shardN = 1;
    std::vector<std::string> columns;
};

int StreamUsage(const std::string& why) {
    std::cerr << "q7-batch: " << why << "\n" << kStudyUsage;
    return 2;
}

bool ParseShard(const std::string& text, long long& k, long long& n) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    try {
        size_t used = 0;
        k = std::stoll(text.substr(0, slash), &used);
        if (used != slash) return false;
        const std::string rest = text.substr(slash + 1);
        n = std::stoll(rest, &used);
        if (used != rest.size()) return false;
    } catch (...) {
        return false;
    }
    return n >= 1 && k >= 0 && k < n;
}

struct Line {
    std::uint64_t number = 0; // counted from 1 over the whole input
    std::string text;
    std::string result;
    bool clean = false;
};

// The result line of one input line.
void Compute(Line& line) {
    std::string caseJson = std::to_string(line.number);
    const std::string source = "line " + caseJson;
    nlohmann::json object;
    try {
        object = nlohmann::json::parse(line.text);
    } catch (const nlohmann::json::exception& e) {
        line.result =
            FailedCaseLine(caseJson, {"Case Input Error", "CaseError",
                                      source + ": not a JSON case (" + std::string(e.what()) + ")"});
        return;
    }
    if (object.is_object()) {
        auto name = object.find("_name");
        if (name != object.end() && name->is_string()) caseJson = JsonQuote(name->get<std::string>());
    }
    try {
        CheckCaseText(line.text, source);
        const CaseFile c = CaseFile::FromJson(object, source);
        CaseLine r = RunCaseLine(c, caseJson);
        line.result = std::move(r.json);
        line.clean = r.clean;
    } catch (const std::exception& e) {
        line.result = FailedCaseLine(caseJson, FailureFrom("Case Input Error", e));
    }
}

int Stream(const StreamOptions& o) {
    LineInput in(o.input);
    LineOutput out(o.output);
    std::unique_ptr<ResultTable> table;
    if (!o.columns.empty()) {
        table = std::make_unique<ResultTable>(o.columns);
        out.Write(table->Header());
    }
    Progress progress;
    const size_t chunk = 256 * static_cast<size_t>(o.jobs);
    std::vector<Line> lines(chunk);
    std::uint64_t number = 0, done = 0;
    bool anyFailed = false, more = true;
    std::string text;
    while (more) {
        size_t n = 0;
        while (n < chunk && (more = in.Next(text))) {
            ++number;
            if (static_cast<long long>((number - 1) % static_cast<std::uint64_t>(o.shardN)) != o.shardK)
                continue;
            if (text.find_first_not_of(" \t") == std::string::npos) continue;
            lines[n].number = number;
            lines[n].text.swap(text);
            ++n;
        }
        std::atomic<size_t> next{0};
        auto worker = [&] {
            for (size_t i = next++; i < n; i = next++)
                Compute(lines[i]);
        };
        const int threads = static_cast<int>(std::min<size_t>(static_cast<size_t>(o.jobs), n));
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(worker);
        worker();
        for (auto& t : pool)
            t.join();
        for (size_t i = 0; i < n; ++i) {
            if (!lines[i].clean) anyFailed = true;
            out.Write(table ? table->Row(lines[i].result) : lines[i].result);
        }
        done += n;
        progress.Update(done, in.Fraction());
    }
    out.Commit();
    progress.Finish();
    return anyFailed ? 1 : 0;
}

} // namespace

int RunStreamCommand(const std::vector<std::string>& args) {
    StreamOptions o;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--jsonl" && hasValue) {
            o.input = args[++i];
        } else if (a == "--out" && hasValue) {
            o.output = args[++i];
        } else if (a == "--jobs" && hasValue) {
            try {
                size_t used = 0;
                o.jobs = std::stoi(args[++i], &used);
                if (used != args[i].size()) o.jobs = 0;
            } catch (...) {
                o.jobs = 0;
            }
            if (o.jobs < 1) return StreamUsage("--jobs needs a number of at least 1");
        } else if (a == "--shard" && hasValue) {
            if (!ParseShard(args[++i], o.shardK, o.shardN))
                return StreamUsage("--shard takes K/N with 0 <= K < N");
        } else if (a == "--columns" && hasValue) {
            o.columns = ResultTable::SplitColumns(args[++i]);
        } else if (a == "--jsonl" || a == "--out" || a == "--jobs" || a == "--shard" || a == "--columns") {
            return StreamUsage(a + " needs a value");
        } else {
            return StreamUsage("run --jsonl takes no " + a);
        }
    }
    if (o.input.empty()) return StreamUsage("--jsonl needs a file or -");
    try {
        if (!o.columns.empty()) ResultTable check(o.columns);
    } catch (const std::exception& e) {
        return StreamUsage(e.what());
    }
    try {
        return Stream(o);
    } catch (const std::exception& e) {
        std::cerr << "q7-batch: " << e.what() << "\n";
        return 1;
    }
}

} // namespace q7
