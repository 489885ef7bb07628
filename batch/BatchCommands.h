#pragma once
// The commands of q7-batch for studies of many variants of a case. Each takes the whole argument
// list (the command first) and returns the exit status; usage errors are printed and give 2.
#include <string>
#include <vector>

namespace q7 {

// run --jsonl IN [--out FILE] [--jobs N] [--shard K/N] [--columns LIST]
int RunStreamCommand(const std::vector<std::string>& args);
// sweep BASE.json (--vary KEY=FROM:TO:N ... | --sample KEY=FROM:TO ... --samples N [--seed S]) [--out FILE]
int RunSweepCommand(const std::vector<std::string>& args);
// table RESULTS.jsonl... --columns LIST [--out FILE]
int RunTableCommand(const std::vector<std::string>& args);

// Usage text of these commands, for q7-batch --help.
extern const char* const kStudyUsage;

} // namespace q7
