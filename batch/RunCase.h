#pragma once
// Computing one case as the workstation's result tabs do and writing its files into a folder.
#include "batch/CaseFile.h"

#include <filesystem>
#include <string>

namespace q7 {

struct OutputFormats {
    bool summary = true, csv = true, eclipse = true, report = true;
};

// Computes the case on a fresh set of objects and writes DIR/<name>/summary.json and the chosen
// files. Returns true when the case computed without a message or an error.
bool RunCaseToDir(const CaseFile& c, const std::string& name, const std::filesystem::path& outDir,
                  const OutputFormats& formats);

} // namespace q7
