#include "batch/OutputLock.h"

#include "numeric/Errors.h"
#include "writers/TextFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace q7 {

namespace {

// Whole-file write lock, taken without waiting; true when held.
bool TryLock(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, F_SETLK, &lock) == 0;
}

// "process 123 (q7-batch)" for the holder of the lock on `fd`, or "" when it cannot be told.
std::string Holder(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_GETLK, &lock) != 0 || lock.l_type == F_UNLCK || lock.l_pid <= 0) return {};
    std::string procFile = "/proc/";
    procFile += std::to_string(lock.l_pid);
    procFile += "/comm";
    std::ifstream comm(procFile);
    std::string name;
    std::getline(comm, name);
    return "process " + std::to_string(lock.l_pid) + (name.empty() ? "" : " (" + name + ")");
}

} // namespace

bool ProcessIsGone(int pid) {
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

OutputLock::OutputLock(std::filesystem::path lockFile, const std::string& what)
    : m_path(std::move(lockFile)) {
    // A lock file removed by the run that held it between our open and our lock is no lock: take the
    // one now at the path.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0)
            throw IoError("Cannot lock " + what + ": " + m_path.string() + ": " + std::strerror(errno));
        if (!TryLock(m_fd)) {
            const std::string holder = Holder(m_fd);
            ::close(m_fd);
            m_fd = -1;
            throw IoError(what + " is being written by another run" +
                          (holder.empty() ? "" : " (" + holder + ")") +
                          "; wait for it to finish, or write elsewhere");
        }
        struct stat held {
        }, now{};
        if (::fstat(m_fd, &held) == 0 && ::stat(m_path.c_str(), &now) == 0 && held.st_ino == now.st_ino &&
            held.st_dev == now.st_dev)
            return;
        ::close(m_fd);
        m_fd = -1;
    }
    throw IoError("Cannot lock " + what + ": " + m_path.string() + " keeps changing");
}

OutputLock OutputLock::Folder(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    return OutputLock(dir / ".q7-batch.lock", dir.string());
}

OutputLock OutputLock::File(const std::filesystem::path& file) {
    const std::filesystem::path parent = file.parent_path().empty() ? "." : file.parent_path();
    // Appended, not concatenated: GCC 12 at -O3 warns falsely on operator+ of short strings.
    std::string name = ".";
    name += file.filename().string();
    name += ".lock";
    return OutputLock(parent / name, file.string());
}

OutputLock::OutputLock(OutputLock&& other) noexcept : m_path(std::move(other.m_path)), m_fd(other.m_fd) {
    other.m_fd = -1;
}

OutputLock::~OutputLock() {
    if (m_fd < 0) return;
    // Removed while still held, so that no other run takes the old file for a free lock.
    ::unlink(m_path.c_str());
    ::close(m_fd);
}

void RemoveLeftTemporaries(const std::filesystem::path& dir,
                           const std::function<bool(const std::string&)>& ours) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 2 || name[0] != '.') continue;
        int owner = 0;
        // LineOutput's: .NAME.tmp-PID
        if (const size_t at = name.rfind(".tmp-");
            at != std::string::npos && at > 1 && ours(name.substr(1, at - 1))) {
            const std::string pid = name.substr(at + 5);
            if (!pid.empty() && pid.size() <= 9 && pid.find_first_not_of("0123456789") == std::string::npos)
                owner = std::stoi(pid);
        }
        // TextFile's: .NAME.tmpPID-N
        if (const size_t at = name.rfind(".tmp");
            owner == 0 && at != std::string::npos && at > 1 && ours(name.substr(1, at - 1)))
            owner = TextFile::TemporaryOwner(name, name.substr(1, at - 1));
        if (ProcessIsGone(owner) && entry.is_regular_file(ec)) {
            std::error_code ignored;
            std::filesystem::remove(entry.path(), ignored);
        }
    }
}

} // namespace q7
