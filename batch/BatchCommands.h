#pragma once
// The commands of q7-batch on case files and streams of cases. Each takes the whole argument list
// (the command first) and returns the exit status; usage errors are printed and give 2. Each
// declares its command line once (CommandLine.h), which q7-batch --help shows.
#include "batch/CommandLine.h"
#include "batch/ResultTable.h"

#include <memory>

#include <string>
#include <vector>

namespace q7 {

// run CASE.json... (--out DIR | --check | both) [--jobs N] [--formats LIST] [--units U] [--correlations]
int RunCaseCommand(const std::vector<std::string>& args);
extern const CommandSpec kRunCommand;
// run --jsonl IN [--out FILE] [--jobs N] [--shard K/N] [--columns LIST]
int RunStreamCommand(const std::vector<std::string>& args);
extern const CommandSpec kStreamCommand;
// sweep BASE.json (--vary KEY=FROM:TO:N ... | --sample KEY=FROM:TO ... --samples N [--seed S]) [--out FILE]
int RunSweepCommand(const std::vector<std::string>& args);
extern const CommandSpec kSweepCommand;
// The table of a --columns LIST; throws UsageError for a column that is no path or names nothing a
// result line holds.
std::unique_ptr<ResultTable> ResultTableOf(const std::string& list);
// table RESULTS.jsonl... --columns LIST [--out FILE]
int RunTableCommand(const std::vector<std::string>& args);
extern const CommandSpec kTableCommand;

} // namespace q7
