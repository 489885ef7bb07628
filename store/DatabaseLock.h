#pragma once
// Who holds a lock on the project database file. SQLite only says "database is locked"; the
// operating system can name a process that holds a conflicting lock on the file or on its
// shared-memory index (file-"-shm"), which is every program that has the database open in WAL mode.
#include <string>

namespace q7 {

// "process 1234 (q7)" for the first other process found holding a lock on `databasePath` or its
// "-shm" file; empty when none is found (the lock may be gone, or be held on another machine of a
// network file system). Closing a descriptor drops every lock the process holds on the file, so
// call this only while the process has no connection of its own on the database.
std::string LockHolder(const std::string& databasePath);

// The reason given for a locked database: it is locked, by whom when that can be found, and what
// to do.
std::string LockedReason(const std::string& databasePath);

} // namespace q7
