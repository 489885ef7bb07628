#pragma once
// Finding a word in an open thesaurus data file: a sampled index of 512 headwords kept in memory, a
// bisection over file offsets between two samples, then the synonyms after the headword's entry.

#include "thesaurus/ThesFile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tezar {

class ThesLookup {
public:
    static constexpr int kSamples = 512;
    static constexpr size_t kMaxSynonyms = 15;
    static constexpr size_t kProbeBytes = 512; // entries read at once when looking for a headword

    struct Headword {
        int64_t offset = 0; // file offset of its (negative) entry
        std::string text;
    };

    // Discards the sampled index; the next lookup rebuilds it.
    void Reset();
    bool IndexBuilt() const { return m_built; }
    int SampleCount() const { return m_count; }
    const std::string& SampleWord(int i) const { return m_words[static_cast<size_t>(i)]; }
    // Probes of the file made by the last lookup's search between two samples (0: a sample hit).
    int LastProbeCount() const { return m_probes; }

    // Looks the word up in the open file and appends its synonyms to `synonyms` (at most 15 held,
    // case-insensitively distinct, capitalised like the word), calling onAdded after each one.
    // Returns whether the word is a headword of the file.
    bool Find(ThesFile& file, std::string_view word, std::vector<std::string>& synonyms,
              const std::function<void()>& onAdded = {});

    enum class ProbeResult { Found, EndOfFile, Unreadable };

    // The first readable headword whose entry lies at or after `position` and before `limit`:
    // Found, EndOfFile when none does, Unreadable when the file could not be read. Headwords whose
    // text is damaged are passed over, so that one bad entry hides only itself.
    static ProbeResult Probe(ThesFile& file, int64_t position, int64_t limit, Headword& found);

    // 0: all lower case, 1: first letter capital, 2: all capitals.
    static int CapitalisationPattern(std::string_view word);

private:
    void Build(ThesFile& file);
    // Offset of the headword's entry, or -1.
    int64_t Locate(ThesFile& file, const std::string& upperWord);
    void Collect(ThesFile& file, int64_t entry, int pattern, std::vector<std::string>& synonyms,
                 const std::function<void()>& onAdded);

    bool m_built = false;
    int m_probes = 0;
    int m_count = 0; // samples filled; the rest stay empty
    std::array<std::string, kSamples> m_words;
    std::array<int32_t, kSamples> m_offsets{};
};

} // namespace tezar
