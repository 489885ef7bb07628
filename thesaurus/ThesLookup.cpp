#include "thesaurus/ThesLookup.h"

#include "thesaurus/Latin1.h"

#include <algorithm>

namespace tezar {

void ThesLookup::Reset() {
    m_built = false;
    m_count = 0;
    for (auto& w : m_words)
        w.clear();
    m_offsets.fill(0);
}

int ThesLookup::CapitalisationPattern(std::string_view word) {
    for (size_t i = 1; i < word.size(); ++i)
        if (IsUpperLatin1(static_cast<unsigned char>(word[i]))) return 2;
    if (!word.empty() && IsUpperLatin1(static_cast<unsigned char>(word[0]))) return 1;
    return 0;
}

ThesLookup::ProbeResult ThesLookup::Probe(ThesFile& file, int64_t position, int64_t limit, Headword& found) {
    const int64_t start = file.EntryStart();
    const int64_t length = std::min(limit, file.Length());
    if (position < start) position = start;
    int64_t q = start + (position - start + 3) / 4 * 4;
    unsigned char block[kProbeBytes];
    // A headword with more than 127 synonyms spans more than one read: keep reading until a
    // headword entry or the end of the file.
    while (q + 4 <= length) {
        const size_t want = static_cast<size_t>(std::min<int64_t>(kProbeBytes, (length - q) / 4 * 4));
        const size_t got = file.ReadAt(q, block, want) / 4 * 4;
        if (got == 0) return ProbeResult::Unreadable;
        for (size_t k = 0; k < got; k += 4) {
            const int32_t entry =
                static_cast<int32_t>(uint32_t(block[k]) | uint32_t(block[k + 1]) << 8 |
                                     uint32_t(block[k + 2]) << 16 | uint32_t(block[k + 3]) << 24);
            if (entry < 0) {
                if (file.ReadText(-int64_t(entry) - 1, found.text)) {
                    found.offset = q + static_cast<int64_t>(k);
                    return ProbeResult::Found;
                }
            }
        }
        q += static_cast<int64_t>(got);
    }
    return ProbeResult::EndOfFile;
}

void ThesLookup::Build(ThesFile& file) {
    Reset();
    const int64_t start = file.EntryStart();
    const int64_t step = (file.Length() - start) / kSamples;
    Headword h;
    int64_t lastFound = -1;
    for (int i = 0; i < kSamples; ++i) {
        // In a small file several sample positions lead to the same headword: probe only once.
        const int64_t p = start + i * step;
        const bool same = lastFound >= 0 && p <= lastFound;
        if (!same && Probe(file, p, file.Length(), h) != ProbeResult::Found) break;
        lastFound = h.offset;
        m_words[i] = UpperLatin1(h.text);
        m_offsets[i] = static_cast<int32_t>(h.offset);
        m_count = i + 1;
    }
    m_built = true;
}

int64_t ThesLookup::Locate(ThesFile& file, const std::string& word) {
    m_probes = 0;
    if (m_count == 0) return -1;
    // Bisection over the filled samples; unfilled slots would sort as empty texts and mislead it.
    int lo = 0, hi = m_count, m = 0, c = 0;
    for (;;) {
        m = (lo + hi) / 2;
        c = CompareLatin1(word, m_words[m]);
        if (c == 0 || lo + 1 >= hi) break;
        if (c > 0)
            lo = m;
        else
            hi = m;
    }
    int64_t start = m_offsets[m];
    if (c == 0) return start;
    int64_t end = m + 1 < m_count ? m_offsets[m + 1] : file.Length();
    if (end <= start) return -1;
    file.Prefetch(start, end - start + 4);

    const int64_t length = file.Length();
    const int64_t base = file.EntryStart();
    bool stepping = false;
    Headword h;
    for (;;) {
        const int64_t p = stepping ? start + 4 : start + (end - start) / 2;
        const int64_t q = base + (p - base + 3) / 4 * 4;
        // Past the last headword the search goes on as if one stood at the end of the file.
        int64_t at = length;
        const ProbeResult r = Probe(file, p, std::min(end + 4, length), h);
        ++m_probes;
        if (r == ProbeResult::Unreadable) return -1;
        if (r == ProbeResult::Found) at = h.offset;
        if (at >= end) {
            if (q == start + 4) return -1;
            stepping = true;
            continue;
        }
        if (at <= start) return -1; // out of order: no progress possible
        const int cmp = CompareLatin1(word, UpperLatin1(h.text));
        if (cmp == 0) return at;
        if (cmp > 0)
            start = at;
        else
            end = at;
        stepping = false;
    }
}

void ThesLookup::Collect(ThesFile& file, int64_t entryOffset, int pattern, std::vector<std::string>& synonyms,
                         const std::function<void()>& onAdded) {
    bool prefetched = false;
    std::string text;
    std::vector<std::string> heldLower;
    heldLower.reserve(kMaxSynonyms);
    for (const std::string& s : synonyms)
        heldLower.push_back(LowerLatin1(s));
    for (int64_t off = entryOffset + 4; off + 4 <= file.Length(); off += 4) {
        if (synonyms.size() >= kMaxSynonyms) break; // any further synonym would be dropped
        int32_t entry = 0;
        if (!file.ReadEntry(off, entry) || entry < 0) break;
        const int64_t textOffset = int64_t(entry) - 1;
        if (!prefetched) {
            // One headword's synonyms usually sit together in the text pool.
            file.Prefetch(textOffset, int64_t(kMaxSynonyms * ThesFile::kMaxText));
            prefetched = true;
        }
        if (!file.ReadText(textOffset, text)) continue; // unreadable text: skipped
        std::string lower = LowerLatin1(text);
        if (std::find(heldLower.begin(), heldLower.end(), lower) != heldLower.end()) continue;
        heldLower.push_back(lower);
        if (pattern == 1 && !lower.empty())
            lower[0] = static_cast<char>(ToUpperLatin1(static_cast<unsigned char>(lower[0])));
        else if (pattern == 2)
            lower = UpperLatin1(lower);
        synonyms.push_back(std::move(lower));
        if (onAdded) onAdded();
    }
}

bool ThesLookup::Find(ThesFile& file, std::string_view word, std::vector<std::string>& synonyms,
                      const std::function<void()>& onAdded) {
    if (!file.IsOpen()) return false;
    if (!m_built) Build(file);
    const int64_t entry = Locate(file, UpperLatin1(word));
    if (entry < 0) return false;
    Collect(file, entry, CapitalisationPattern(word), synonyms, onAdded);
    return true;
}

} // namespace tezar
