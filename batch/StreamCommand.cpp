// run --jsonl: a stream of cases, one JSON object a line, in; one result line per case out, in
// input order whatever the number of jobs.
#include "batch/BatchCommands.h"
#include "batch/CaseFile.h"
#include "batch/CommandLine.h"
#include "batch/InputText.h"
#include "batch/LineFiles.h"
#include "batch/Options.h"
#include "batch/ParallelFor.h"
#include "batch/Progress.h"
#include "batch/ResultTable.h"
#include "batch/RunCase.h"
#include "batch/Summary.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>

namespace q7 {

const CommandSpec kStreamCommand{
    "q7-batch run --jsonl (IN.jsonl | -) [--out FILE] [--jobs N] [--shard K/N] [--columns LIST]",
    "run --jsonl reads one case a line (a file, or - for standard input) and writes one result a\n"
    "         line (to standard output or FILE): the object summary.json holds, with \"case\" first\n"
    "         (the case's _name, else its line number). A line that is not a case gives a line with\n"
    "         its \"error\". Results come in input order whatever --jobs is. --shard K/N takes only\n"
    "         the lines whose index (counted from 0) mod N is K. --columns writes the table below\n"
    "         instead of the result lines.\n",
    {{"--jsonl", true, false, "a file or -"},
     {"--out", true},
     {"--jobs", true, false, "a number of at least 1"},
     {"--shard", true, false, "K/N"},
     {"--columns", true}},
    "run --jsonl takes no "};

namespace {

struct StreamOptions {
    std::string input, output;
    int jobs = 1;
    long long shardK = 0, shardN = 1;
    std::unique_ptr<ResultTable> table; // --columns: the table instead of the result lines
};

// K/N, both plain decimal digits, 0 <= K < N.
bool ParseShard(const std::string& text, long long& k, long long& n) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    const std::optional<int> kk = ParseCount(text.substr(0, slash), 0),
                             nn = ParseCount(text.substr(slash + 1));
    if (!kk || !nn || *kk >= *nn) return false;
    k = *kk;
    n = *nn;
    return true;
}

struct Line {
    std::uint64_t number = 0; // counted from 1 over the whole input
    std::string text;
    std::string result;
    bool clean = false;
};

// The result line of one input line.
void Compute(Line& line) {
    // The slot may hold the line of an earlier chunk: nothing of it may stay.
    line.clean = false;
    line.result.clear();
    std::string caseJson = std::to_string(line.number);
    const std::string source = "line " + caseJson;
    nlohmann::json object;
    try {
        object = nlohmann::json::parse(line.text);
    } catch (const nlohmann::json::exception& e) {
        line.result = FailedCaseLine(caseJson, {"Case Input Error", "CaseError",
                                                source + ": not a JSON case (" + JsonErrorText(e) + ")"});
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
    const ResultTable* table = o.table.get();
    if (table) out.Write(table->Header());
    Progress progress;
    // A chunk of lines computed at a time: enough to keep every job busy; the slots are made as
    // lines come, so a short input takes little whatever --jobs is.
    const size_t chunk = 256 * static_cast<size_t>(o.jobs);
    std::vector<Line> lines;
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
            if (n == lines.size()) lines.emplace_back();
            lines[n].number = number;
            lines[n].text.swap(text);
            ++n;
        }
        ParallelFor(n, o.jobs, [&](size_t i) { Compute(lines[i]); });
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
    return RunCommandLine(kStreamCommand, args, [](const CommandLine& line) {
        for (const std::string& word : line.Positional())
            throw UsageError("run --jsonl takes no " + Excerpt(word));
        StreamOptions o;
        o.input = line.Value("--jsonl").value_or(std::string());
        o.output = line.Value("--out").value_or(std::string());
        if (const std::optional<std::string> v = line.Value("--jobs")) {
            const std::optional<int> n = ParseCount(*v);
            if (!n) throw UsageError("--jobs needs a number of at least 1");
            o.jobs = UsefulJobs(*n);
        }
        if (const std::optional<std::string> v = line.Value("--shard"))
            if (!ParseShard(*v, o.shardK, o.shardN)) throw UsageError("--shard takes K/N with 0 <= K < N");
        if (const std::optional<std::string> v = line.Value("--columns")) o.table = ResultTableOf(*v);
        if (o.input.empty()) throw UsageError("--jsonl needs a file or -");
        if (SameFile(o.input, o.output))
            throw UsageError("--out " + o.output + " is the input itself; write the results elsewhere");
        try {
            return Stream(o);
        } catch (const std::exception& e) {
            std::cerr << "q7-batch: " << e.what() << "\n";
            return 1;
        }
    });
}

} // namespace q7
