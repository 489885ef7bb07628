#pragma once
// The library as a whole: its live objects and server locks (whether it may be unloaded), and where
// it lies on disk.

#include <atomic>
#include <string>

namespace tezar {

class Module {
public:
    static void ObjectCreated() { s_objects.fetch_add(1); }
    static void ObjectDestroyed() { s_objects.fetch_sub(1); }
    static void Lock(bool lock) { lock ? s_locks.fetch_add(1) : s_locks.fetch_sub(1); }
    static bool CanUnload() { return s_objects.load() == 0 && s_locks.load() == 0; }

    // Full path of the file this code was loaded from (the shared library, or the program it is
    // linked into).
    static std::string Path();
    static std::string Directory();

private:
    static inline std::atomic<int> s_objects{0};
    static inline std::atomic<int> s_locks{0};
};

} // namespace tezar
