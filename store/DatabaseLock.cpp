#include "store/DatabaseLock.h"

#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace q7 {

namespace {

// The process holding a lock that would conflict with a write lock over the whole file; 0 for none.
pid_t ConflictingProcess(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end and beyond: SQLite's lock bytes lie past the data
    pid_t holder = 0;
    if (::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK && lock.l_pid > 0) holder = lock.l_pid;
    ::close(fd);
    return holder;
}

std::string ProgramName(pid_t pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

} // namespace

std::string LockHolder(const std::string& databasePath) {
    for (const std::string& path : {databasePath, databasePath + "-shm"}) {
        if (const pid_t pid = ConflictingProcess(path); pid > 0 && pid != ::getpid()) {
            const std::string name = ProgramName(pid);
            return "process " + std::to_string(pid) + (name.empty() ? "" : " (" + name + ")");
        }
    }
    return {};
}

std::string LockedReason(const std::string& databasePath) {
    const std::string holder = LockHolder(databasePath);
    return "the project database is locked by another program" +
           (holder.empty() ? std::string(" (SQLite cannot say which: look for another q7 or q7-batch, or a "
                                         "database tool, using the file)")
                           : ": " + holder + " has it open") +
           "; try again when it has finished";
}

} // namespace q7
