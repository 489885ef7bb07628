#include "thesaurus/RegistryFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace tezar {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool InTree(std::string_view key, std::string_view root) {
    if (key.size() < root.size() || !SameKey(key.substr(0, root.size()), root)) return false;
    return key.size() == root.size() || key[root.size()] == '\\';
}

} // namespace

std::string RegistryFile::DefaultPath() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* pw = getpwuid(getuid());
            home = pw != nullptr ? pw->pw_dir : "/tmp";
        }
        base = std::filesystem::path(home) / ".local" / "share";
    }
    return (base / "tezar" / "registry.ini").string();
}

bool RegistryFile::Load(const std::string& path) {
    m_sections.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return !std::filesystem::exists(path);
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string key = line.substr(1, line.size() - 2);
            current = Find(key);
            if (current == nullptr) {
                m_sections.push_back({key, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) continue;
        SetValue(current->key, line.substr(0, eq), line.substr(eq + 1));
        current = Find(current->key);
    }
    return true;
}

bool RegistryFile::Save(const std::string& path) const {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    std::ostringstream out;
    for (const Section& s : m_sections) {
        out << '[' << s.key << "]\n";
        for (const auto& [name, value] : s.values)
            out << name << '=' << value << '\n';
    }
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f << out.str();
        f.close();
        if (!f) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

RegistryFile::Section* RegistryFile::Find(std::string_view key) {
    for (Section& s : m_sections)
        if (SameKey(s.key, key)) return &s;
    return nullptr;
}

const RegistryFile::Section* RegistryFile::Find(std::string_view key) const {
    for (const Section& s : m_sections)
        if (SameKey(s.key, key)) return &s;
    return nullptr;
}

void RegistryFile::SetValue(std::string_view key, std::string_view name, std::string_view value) {
    Section* s = Find(key);
    if (s == nullptr) {
        m_sections.push_back({std::string(key), {}});
        s = &m_sections.back();
    }
    const std::string n = name.empty() ? std::string("@") : std::string(name);
    for (auto& [k, v] : s->values)
        if (SameKey(k, n)) {
            v = value;
            return;
        }
    s->values.emplace_back(n, std::string(value));
}

std::optional<std::string> RegistryFile::Value(std::string_view key, std::string_view name) const {
    const Section* s = Find(key);
    if (s == nullptr) return std::nullopt;
    const std::string_view n = name.empty() ? std::string_view("@") : name;
    for (const auto& [k, v] : s->values)
        if (SameKey(k, n)) return v;
    return std::nullopt;
}

bool RegistryFile::HasKey(std::string_view key) const {
    return Find(key) != nullptr;
}

void RegistryFile::RemoveTree(std::string_view key) {
    m_sections.erase(std::remove_if(m_sections.begin(), m_sections.end(),
                                    [&](const Section& s) { return InTree(s.key, key); }),
                     m_sections.end());
}

std::vector<std::string> RegistryFile::Keys() const {
    std::vector<std::string> keys;
    for (const Section& s : m_sections)
        keys.push_back(s.key);
    return keys;
}

std::string RegistryFile::ServerForProgId(std::string_view progId, std::string* clsid) const {
    const auto id = Value(std::string(progId) + "\\CLSID");
    if (!id) return {};
    if (clsid != nullptr) *clsid = *id;
    return Value("CLSID\\" + *id + "\\InprocServer32").value_or(std::string());
}

} // namespace tezar
