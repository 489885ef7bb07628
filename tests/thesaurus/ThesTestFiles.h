#pragma once
// Small thesaurus data files for the tests, written with the library's own writer.

#include "thesaurus/ThesWriter.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace tezar::test {

// A private folder removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string templ = (std::filesystem::temp_directory_path() / "tezar-test-XXXXXX").string();
        if (mkdtemp(templ.data()) == nullptr) std::abort();
        m_path = templ;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

using Entries = std::vector<std::pair<std::string, std::vector<std::string>>>;

inline std::string WriteThes(const TempDir& dir, const std::string& name, const Entries& entries,
                             int8_t language = ThesWriter::kLanguageEnglish) {
    ThesWriter w(language);
    w.SetBanner("test thesaurus");
    for (const auto& [head, syn] : entries)
        w.Add(head, syn);
    const std::string path = dir.File(name);
    w.WriteFile(path);
    return path;
}

inline std::string WriteBytes(const TempDir& dir, const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void PutInt32(std::string& bytes, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
}

inline int32_t GetInt32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<int32_t>(v);
}

// Headwords "w00000" .. with three synonyms each, "s<n>a", "s<n>b", "s<n>c".
inline Entries NumberedEntries(int count) {
    Entries e;
    for (int i = 0; i < count; ++i) {
        char head[16];
        std::snprintf(head, sizeof head, "w%05d", i);
        const std::string h = head;
        e.push_back({h, {"s" + h.substr(1) + "a", "s" + h.substr(1) + "b", "s" + h.substr(1) + "c"}});
    }
    return e;
}

} // namespace tezar::test
