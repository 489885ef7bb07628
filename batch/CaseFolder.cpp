#include "batch/CaseFolder.h"

#include "batch/CaseFile.h"
#include "batch/OutputLock.h"
#include "writers/TextFile.h"

#include <algorithm>
#include <system_error>

namespace q7 {

std::string FolderNameProblem(const std::string& name) {
    if (name.empty()) return "an empty name";
    if (name == "." || name == "..") return "\"" + name + "\" names a folder that is not the case's own";
    if (name.find_first_of("/\\") != std::string::npos) return "a folder name holds no / or \\";
    if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return "a folder name holds no control characters";
    return {};
}

std::filesystem::path CaseFolder(const std::filesystem::path& outDir, const std::string& name) {
    if (const std::string problem = FolderNameProblem(name); !problem.empty())
        throw CaseError("case \"" + name + "\" cannot write a folder under " + outDir.string() + ": " +
                        problem);
    return outDir / name;
}

const std::vector<std::string>& CaseFileNames() {
    static const std::vector<std::string> names = {
        "summary.json", "q7.csv",       "Eclipse.pvdo", "Eclipse.pvto", "Eclipse.pvdg", "Eclipse.pvtw",
        "Eclipse.dens", "Eclipse.swof", "Eclipse.sgof", "Sample.txt",   "Sample.htm"};
    return names;
}

void ClearCaseFolder(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const std::vector<std::string>& ours = CaseFileNames();
    for (const std::string& name : ours) {
        std::error_code ec;
        const std::filesystem::path file = dir / name;
        if (std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec))) {
            std::filesystem::remove(file, ec);
            if (ec)
                throw IoError("Cannot remove \"" + file.string() + "\" of an earlier run: " + ec.message());
        }
    }
    // Temporaries of a write that was killed; one still being written by a live process is left.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] != '.') continue;
        for (const std::string& target : ours) {
            if (ProcessIsGone(TextFile::TemporaryOwner(name, target))) {
                std::error_code ignored;
                std::filesystem::remove(entry.path(), ignored);
                break;
            }
        }
    }
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& text) {
    TextFile file;
    file.Create(path);
    file.Write(text);
    file.Close();
}

} // namespace q7
