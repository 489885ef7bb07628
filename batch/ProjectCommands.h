#pragma once
// The project sub-commands of q7-batch, on the workstation's project database (q7.mdb beside the
// programs, else the user's copy made from the installed empty one, or the file named by
// Q7_DATABASE; LocateDatabase in store/DatabaseLocation.h):
//   projects                                   list name, created, by, description, id
//   save CASE.json --name NAME [--by WHO] [--desc TEXT]
//   export (NAME | --id N)                      the project as a case file, on standard output
//   run --project (NAME | --id N) --out DIR [--formats LIST]
//   delete (NAME | --id N)
#include "batch/CaseFile.h"
#include "batch/CommandLine.h"
#include "engine/ResultRun.h"

#include <string>
#include <vector>

namespace q7 {

// `args` are the words after the program name, starting with the sub-command. Returns the exit
// status: 0 done, 1 failure (said on standard error), 2 usage error.
int RunProjectCommand(const std::vector<std::string>& args);
extern const CommandSpec kProjectsCommand, kSaveCommand, kExportCommand, kRunProjectCommand, kDeleteCommand;

// Computes the one project named `name` on the region's objects as the workstation computes it
// (ComputeStoredProject); the name goes to region.name. Throws an error naming what is wrong (no
// database, no such project, several of that name, rows missing).
void ComputeProjectNamed(const std::string& name, ComputedCase& region);

} // namespace q7
