#pragma once
// Reads a MyThes thesaurus (.dat: first line its encoding, then "word|senses" followed by one line
// per sense, "(pos)|term|term..."), giving each headword with the terms of all its senses in file
// order: labels "(generic term)", "(similar term)", "(related term)" removed, antonyms and the
// headword itself left out, repeated terms kept once, everything in Latin-1 and cut to 49 bytes.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tezar {

class MythesSource {
public:
    struct Entry {
        std::string headword;
        std::vector<std::string> synonyms;
    };

    // Throws std::runtime_error for an unknown encoding or a malformed file.
    static std::vector<Entry> Read(std::istream& in);

    // The term without its trailing relation label; "" for an antonym.
    static std::string CleanTerm(std::string_view term);

    // Converts from the file's encoding (UTF-8 or ISO8859-1) and cuts to 49 bytes; false when the
    // text has a character outside Latin-1.
    static bool ToLatin1(std::string_view text, bool utf8, std::string& out);
};

} // namespace tezar
