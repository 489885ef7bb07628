#pragma once
// An output folder or file is written by one run at a time: a run holds a lock file beside what it
// writes (DIR/.q7-batch.lock for a folder, .NAME.lock beside a file) for as long as it writes, and
// a second run into the same place says who holds it and stops. The lock is the system's record
// lock on that file, so a killed run holds nothing; the file itself is removed when the run ends.
#include <filesystem>
#include <functional>
#include <string>

namespace q7 {

class OutputLock {
public:
    // Holds the folder `dir` (made when missing). Throws IoError naming the holder.
    static OutputLock Folder(const std::filesystem::path& dir);
    // Holds the output file `file` (its folder must exist). Throws IoError naming the holder.
    static OutputLock File(const std::filesystem::path& file);

    OutputLock(OutputLock&& other) noexcept;
    OutputLock& operator=(OutputLock&&) = delete;
    OutputLock(const OutputLock&) = delete;
    ~OutputLock();

    const std::filesystem::path& Path() const { return m_path; }

private:
    OutputLock(std::filesystem::path lockFile, const std::string& what);
    std::filesystem::path m_path;
    int m_fd = -1;
};

// Removes from `dir` the temporary files that interrupted writes of this tool left for the targets
// `ours` accepts (by file name): a temporary whose process is gone (TextFile's and LineOutput's).
// One of a live process stays, and so does every other file.
void RemoveLeftTemporaries(const std::filesystem::path& dir,
                           const std::function<bool(const std::string&)>& ours);

// The process id of a gone process is no longer in use (a live one, or one not ours to ask, is).
bool ProcessIsGone(int pid);

} // namespace q7
