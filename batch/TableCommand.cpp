// table: result lines of one or more runs (shards, in the order given) as one CSV table.
#include "batch/BatchCommands.h"
#include "batch/CommandLine.h"
#include "batch/InputText.h"
#include "batch/LineFiles.h"
#include "batch/ResultTable.h"
#include "batch/Summary.h"

#include <iostream>
#include <memory>
#include <optional>

namespace q7 {

const CommandSpec kTableCommand{
    "q7-batch table RESULTS.jsonl... --columns LIST [--out FILE]",
    "table    writes CSV, a header line and one row per result line: the case, then each column\n"
    "         of LIST, a path such as oil.Pbp or gas.tables.Z[1] (positions from 1). Several\n"
    "         files (or -) are read in the order given.\n",
    {{"--columns", true}, {"--out", true}}};

std::unique_ptr<ResultTable> ResultTableOf(const std::string& list) {
    std::unique_ptr<ResultTable> table;
    try {
        table = std::make_unique<ResultTable>(ResultTable::SplitColumns(list));
    } catch (const std::exception& e) {
        throw UsageError(e.what());
    }
    const std::vector<std::string> unknown = table->UnknownColumns(ResultLineShape());
    if (!unknown.empty())
        throw UsageError("column \"" + Excerpt(unknown.front()) +
                         "\" names nothing a result line holds (keys such as oil.Pbp, gas.tables.Z[1], "
                         "error.text)");
    return table;
}

namespace {

int Table(const CommandLine& args) {
    const std::vector<std::string> files = args.Positional();
    const std::optional<std::string> list = args.Value("--columns");
    if (files.empty() || !list) throw UsageError("table needs result files (or -) and --columns");
    const std::string output = args.Value("--out").value_or(std::string());
    for (const std::string& file : files)
        if (SameFile(file, output))
            throw UsageError("--out " + output + " is one of the result files; write the table elsewhere");
    const std::unique_ptr<ResultTable> table = ResultTableOf(*list);
    int status = 0;
    try {
        LineOutput out(output);
        out.Write(table->Header());
        std::string line;
        for (const std::string& file : files) {
            LineInput in(file);
            for (long long number = 1; in.Next(line); ++number) {
                if (line.find_first_not_of(" \t") == std::string::npos) continue;
                try {
                    out.Write(table->Row(line));
                } catch (const CaseError& e) {
                    std::cerr << "q7-batch: " << in.Name() << ": line " << number << ": " << e.what() << "\n";
                    status = 1;
                }
            }
        }
        out.Commit();
    } catch (const std::exception& e) {
        std::cerr << "q7-batch: " << e.what() << "\n";
        return 1;
    }
    return status;
}

} // namespace

int RunTableCommand(const std::vector<std::string>& args) {
    return RunCommandLine(kTableCommand, args, [](const CommandLine& line) { return Table(line); });
}

} // namespace q7
