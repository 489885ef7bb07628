#pragma once
// Writes thesaurus data files (layout in ThesFile.h). Headwords are sorted by their upper-case forms
// with the lookup's own comparison; headwords whose upper-case forms are equal become one, their
// synonym lists joined in the order they were added. The text pool holds all headword texts in
// sorted order first, then each headword's synonym texts together, so that one lookup touches few
// blocks of the file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tezar {

class ThesWriter {
public:
    static constexpr size_t kMaxTextLength = 49;
    static constexpr int8_t kLanguageEnglish = 9;

    explicit ThesWriter(int8_t language = kLanguageEnglish) : m_language(language) {}

    // At most 123 bytes are kept.
    void SetBanner(std::string_view banner) { m_banner = std::string(banner.substr(0, 123)); }

    // Texts are Latin-1 and cut to 49 bytes; empty texts are left out.
    void Add(std::string_view headword, const std::vector<std::string>& synonyms);

    size_t HeadwordCount() const { return m_entries.size(); }

    // The whole file. Throws std::length_error when the offsets would not fit in 32 bits.
    std::string Build() const;

    // Writes beside the target and renames into place; throws std::runtime_error on failure.
    void WriteFile(const std::string& path) const;

private:
    struct Entry {
        std::string headword;
        std::vector<std::string> synonyms;
    };

    int8_t m_language;
    std::string m_banner;
    std::vector<Entry> m_entries;
};

} // namespace tezar
