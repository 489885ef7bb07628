#pragma once
// q7-batch deck: the Eclipse files of several cases as one deck of several PVT and saturation
// regions, region k being case k.
//   deck (CASE.json | --project NAME)... --out DIR [--base NAME] [--units field|metric] [--check]
#include "batch/CaseFile.h"
#include "batch/CommandLine.h"
#include "engine/ResultRun.h"

#include <functional>
#include <string>
#include <vector>

namespace q7 {

// Computes the stored project of a name on the region's objects (empty where the tool has no
// project database).
using ProjectCaseLoader = std::function<void(const std::string& name, ComputedCase& region)>;

// `args` are the words after the program name, starting with "deck". Returns the exit status:
// 0 written (and, with --check, every region's tables fine), 1 a case failed or reported a
// message, or a table would be refused, 2 usage error. A keyword left out is a note, not a failure.
int RunDeckCommand(const std::vector<std::string>& args, const ProjectCaseLoader& loadProject);
extern const CommandSpec kDeckCommand;

} // namespace q7
