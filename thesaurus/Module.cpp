#include "thesaurus/Module.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

namespace tezar {

std::string Module::Path() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Module::Path), &info) == 0 || info.dli_fname == nullptr) return {};
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved) != nullptr) return resolved;
    return info.dli_fname;
}

std::string Module::Directory() {
    const std::string path = Path();
    return path.empty() ? std::string() : std::filesystem::path(path).parent_path().string();
}

} // namespace tezar
