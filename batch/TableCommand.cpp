// table: result lines of one or more runs (shards, in the order given) as one CSV table.
#include "batch/BatchCommands.h"
#include "batch/LineFiles.h"
#include "batch/ResultTable.h"

#include <iostream>
#include <memory>

namespace q7 {

int RunTableCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files, columns;
    std::string output;
    bool haveColumns = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--columns" || a == "--out") && i + 1 >= args.size()) {
            std::cerr << "q7-batch: " << a << " needs a value\n" << kStudyUsage;
            return 2;
        }
        if (a == "--columns") {
            columns = ResultTable::SplitColumns(args[++i]);
            haveColumns = true;
        } else if (a == "--out") {
            output = args[++i];
        } else if (a != "-" && !a.empty() && a[0] == '-') {
            std::cerr << "q7-batch: unknown option: " << a << "\n" << kStudyUsage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.empty() || !haveColumns) {
        std::cerr << "q7-batch: table needs result files (or -) and --columns\n" << kStudyUsage;
        return 2;
    }
    std::unique_ptr<ResultTable> table;
    try {
        table = std::make_unique<ResultTable>(columns);
    } catch (const std::exception& e) {
        std::cerr << "q7-batch: " << e.what() << "\n";
        return 2;
    }
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

} // namespace q7
