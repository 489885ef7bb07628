#pragma once
// The project sub-commands of q7-batch, on the workstation's project database (q7.mdb beside the
// programs, else the user's copy made from the installed empty one, or the file named by
// Q7_DATABASE; clsQ7IO::LocateDatabase):
//   projects                                   list name, created, by, description, id
//   save CASE.json --name NAME [--by WHO] [--desc TEXT]
//   export (NAME | --id N)                      the project as a case file, on standard output
//   run --project (NAME | --id N) --out DIR [--formats LIST]
//   delete (NAME | --id N)
#include "batch/CaseFile.h"
#include "batch/CommandLine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace q7 {

class clsQ7IO;

// `args` are the words after the program name, starting with the sub-command. Returns the exit
// status: 0 done, 1 failure (said on standard error), 2 usage error.
int RunProjectCommand(const std::vector<std::string>& args);
extern const CommandSpec kProjectsCommand, kSaveCommand, kExportCommand, kRunProjectCommand, kDeleteCommand;

// The stored inputs of the one project named `name`, as a case. Throws an error naming what is
// wrong (no database, no such project, several of that name).
CaseFile StoredProjectCase(const std::string& name);

// The stored inputs of the project numbered `prjID` in an open database, as a case; its name goes
// to `name` when given. Throws when there is no such project or its rows are incomplete.
CaseFile StoredProjectCase(clsQ7IO& io, std::int32_t prjID, std::string* name = nullptr);

} // namespace q7
