#include "thesaurus/ThesWriter.h"

#include "thesaurus/Latin1.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace tezar {

namespace {

std::string Cut(std::string_view text) {
    text = text.substr(0, ThesWriter::kMaxTextLength);
    const size_t zero = text.find('\0');
    return std::string(text.substr(0, zero));
}

void PutLE(std::string& out, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

void ThesWriter::Add(std::string_view headword, const std::vector<std::string>& synonyms) {
    Entry e;
    e.headword = Cut(headword);
    if (e.headword.empty()) return;
    for (const std::string& s : synonyms) {
        std::string t = Cut(s);
        if (!t.empty()) e.synonyms.push_back(std::move(t));
    }
    m_entries.push_back(std::move(e));
}

std::string ThesWriter::Build() const {
    // Sort by upper-case form, keeping the order of addition among equals, then join equals.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
        keys.emplace_back(UpperLatin1(m_entries[i].headword), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return CompareLatin1(a.first, b.first) < 0; });
    std::vector<Entry> merged;
    std::string lastKey;
    for (const auto& [key, index] : keys) {
        const Entry& e = m_entries[index];
        if (!merged.empty() && key == lastKey) {
            auto& syn = merged.back().synonyms;
            syn.insert(syn.end(), e.synonyms.begin(), e.synonyms.end());
        } else {
            merged.push_back(e);
            lastKey = key;
        }
    }

    std::string pool;
    std::vector<uint32_t> headwordAt(merged.size());
    for (size_t i = 0; i < merged.size(); ++i) {
        headwordAt[i] = static_cast<uint32_t>(130 + pool.size());
        pool += merged[i].headword;
        pool.push_back('\0');
    }
    std::vector<std::vector<uint32_t>> synonymAt(merged.size());
    size_t entryCount = 0;
    for (size_t i = 0; i < merged.size(); ++i) {
        for (const std::string& s : merged[i].synonyms) {
            if (130 + pool.size() >= std::numeric_limits<int32_t>::max())
                throw std::length_error("thesaurus text pool exceeds 2 GiB");
            synonymAt[i].push_back(static_cast<uint32_t>(130 + pool.size()));
            pool += s;
            pool.push_back('\0');
        }
        entryCount += 1 + merged[i].synonyms.size();
    }
    const uint64_t entryStart = 130 + pool.size();
    if (entryStart + 4 * entryCount >= uint64_t(std::numeric_limits<int32_t>::max()))
        throw std::length_error("thesaurus file exceeds 2 GiB");

    std::string out(130, '\0');
    std::copy(m_banner.begin(), m_banner.end(), out.begin());
    out[123] = static_cast<char>(m_language);
    PutLE(out, 124, static_cast<uint32_t>(entryStart + 1), 4);
    PutLE(out, 128, 1, 2);
    out += pool;
    out.reserve(out.size() + 4 * entryCount);
    char cell[4];
    auto put = [&](int32_t v) {
        for (int i = 0; i < 4; ++i)
            cell[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
        out.append(cell, 4);
    };
    for (size_t i = 0; i < merged.size(); ++i) {
        put(-static_cast<int32_t>(headwordAt[i]) - 1);
        for (uint32_t at : synonymAt[i])
            put(static_cast<int32_t>(at) + 1);
    }
    return out;
}

void ThesWriter::WriteFile(const std::string& path) const {
    const std::string bytes = Build();
    const std::string temp = path + ".tmp";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.close();
        if (!f) {
            std::remove(temp.c_str());
            throw std::runtime_error("cannot write " + temp);
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        throw std::runtime_error("cannot replace " + path);
    }
}

} // namespace tezar
