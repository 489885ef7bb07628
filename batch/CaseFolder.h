#pragma once
// The folder a case writes under the output folder: a name that stays inside it, and a folder
// that holds exactly what the last run of the case wrote there.
#include <filesystem>
#include <string>
#include <vector>

namespace q7 {

// Why `name` cannot name a case's folder directly under the output folder, empty when it can:
// empty, "." or "..", a '/' or '\' in it, or a control character.
std::string FolderNameProblem(const std::string& name);

// outDir / name, or CaseError saying why the name cannot be a folder there.
std::filesystem::path CaseFolder(const std::filesystem::path& outDir, const std::string& name);

// The names of every file a run of a case may write into its folder.
const std::vector<std::string>& CaseFileNames();

// Creates the folder if needed and removes what an earlier run left in it: the files of
// CaseFileNames (this run writes again those it is asked for) and the temporary files that
// interrupted writes of them left. Any other file is the user's and stays.
void ClearCaseFolder(const std::filesystem::path& dir);

// Writes `text` as the whole content of `path`, byte for byte: beside the file first, then renamed
// into place, so that no interruption leaves a cut file under the final name. Throws IoError.
void WriteWholeFile(const std::filesystem::path& path, const std::string& text);

} // namespace q7
