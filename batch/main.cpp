// q7-batch: the workstation's calculations without a window, for scripts and batch work.
#include "batch/BatchCommands.h"
#include "batch/CommandLine.h"
#include "batch/DeckCommand.h"
#include "batch/ProjectCommands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The help: the commands on case files and the project database, then those for studies.
std::string Help() {
    return q7::HelpBlock({&q7::kRunCommand, &q7::kRunProjectCommand, &q7::kDeckCommand, &q7::kProjectsCommand,
                          &q7::kSaveCommand, &q7::kExportCommand, &q7::kDeleteCommand}) +
           "\n" + q7::HelpBlock({&q7::kStreamCommand, &q7::kSweepCommand, &q7::kTableCommand});
}

// Output that never reached its destination (a full disk, a closed file) is a failure too.
int Finish(int status) {
    std::cout.flush();
    if (std::cout) return status;
    std::cerr << "q7-batch: the output could not be written: " << std::strerror(errno) << "\n";
    return status == 0 ? 1 : status;
}

bool Given(const std::vector<std::string>& args, const char* word) {
    return std::find(args.begin(), args.end(), word) != args.end();
}

int Main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << Help();
        return args.empty() ? 2 : 0;
    }
    const std::string& command = args[0];
    if (command == "run") {
        if (Given(args, "--jsonl")) return q7::RunStreamCommand(args);
        if (Given(args, "--project")) return q7::RunProjectCommand(args);
        return q7::RunCaseCommand(args);
    }
    if (command == "deck") return q7::RunDeckCommand(args, q7::ComputeProjectNamed);
    if (command == "sweep") return q7::RunSweepCommand(args);
    if (command == "table") return q7::RunTableCommand(args);
    if (command == "projects" || command == "save" || command == "export" || command == "delete")
        return q7::RunProjectCommand(args);
    std::cerr << "q7-batch: unknown command: " << command << "\n" << Help();
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    return Finish(Main(argc, argv));
}
