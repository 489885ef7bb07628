#include "thesaurus/mkthes/MythesSource.h"

#include "thesaurus/Latin1.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tezar {

namespace {

std::string Trim(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' '))
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return std::string(s);
}

std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> parts;
    size_t from = 0;
    for (;;) {
        const size_t bar = line.find('|', from);
        parts.push_back(
            line.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
        if (bar == std::string_view::npos) break;
        from = bar + 1;
    }
    return parts;
}

} // namespace

std::string MythesSource::CleanTerm(std::string_view term) {
    std::string t = Trim(term);
    static constexpr std::string_view kAntonym = "(antonym)";
    if (t.size() >= kAntonym.size() && t.compare(t.size() - kAntonym.size(), kAntonym.size(), kAntonym) == 0)
        return "";
    for (std::string_view label : {" (generic term)", " (similar term)", " (related term)"}) {
        if (t.size() >= label.size() && t.compare(t.size() - label.size(), label.size(), label) == 0) {
            t.resize(t.size() - label.size());
            break;
        }
    }
    return Trim(t);
}

bool MythesSource::ToLatin1(std::string_view text, bool utf8, std::string& out) {
    if (utf8) {
        if (!Utf8ToLatin1(text, out)) return false;
    } else {
        out.assign(text);
    }
    if (out.size() > 49) out.resize(49);
    return out.find('\0') == std::string::npos;
}

std::vector<MythesSource::Entry> MythesSource::Read(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) throw std::runtime_error("empty thesaurus source");
    std::string encoding = Trim(line);
    std::transform(encoding.begin(), encoding.end(), encoding.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    bool utf8 = false;
    if (encoding == "UTF-8" || encoding == "UTF8")
        utf8 = true;
    else if (encoding != "ISO8859-1" && encoding != "ISO-8859-1" && encoding != "LATIN1")
        throw std::runtime_error("unsupported thesaurus encoding: " + encoding);

    std::vector<Entry> entries;
    size_t lineNo = 1;
    while (std::getline(in, line)) {
        ++lineNo;
        if (Trim(line).empty()) continue;
        const auto head = Split(line);
        if (head.size() != 2) throw std::runtime_error("malformed headword line " + std::to_string(lineNo));
        int senses = 0;
        try {
            senses = std::stoi(std::string(head[1]));
        } catch (const std::exception&) {
            throw std::runtime_error("malformed sense count on line " + std::to_string(lineNo));
        }
        Entry e;
        const bool headwordOk = ToLatin1(Trim(head[0]), utf8, e.headword) && !e.headword.empty();
        const std::string headLower = LowerLatin1(e.headword);
        std::vector<std::string> seen;
        for (int s = 0; s < senses; ++s) {
            if (!std::getline(in, line)) throw std::runtime_error("thesaurus source ends inside an entry");
            ++lineNo;
            const auto parts = Split(line);
            for (size_t k = 1; k < parts.size(); ++k) { // parts[0] is the part of speech
                const std::string term = CleanTerm(parts[k]);
                std::string latin;
                if (term.empty() || !ToLatin1(term, utf8, latin) || latin.empty()) continue;
                std::string lower = LowerLatin1(latin);
                if (lower == headLower) continue;
                if (std::find(seen.begin(), seen.end(), lower) != seen.end()) continue;
                seen.push_back(std::move(lower));
                e.synonyms.push_back(std::move(latin));
            }
        }
        if (headwordOk) entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace tezar
