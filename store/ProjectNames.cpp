#include "store/ProjectNames.h"

#include <cstdint>

namespace q7 {

namespace {

// Decodes the UTF-8 character at `i`, advancing `i`; false for a malformed, overlong or
// surrogate sequence or a code point beyond U+10FFFF.
bool NextCodePoint(std::string_view s, size_t& i, std::uint32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    std::uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1Fu, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0Fu, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07u, min = 0x10000;
    } else {
        return false;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) return false; // cut short
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(i + static_cast<size_t>(k));
        if ((next & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<size_t>(extra) + 1;
    return true;
}

} // namespace

std::string ProjectNameProblem(std::string_view name) {
    bool blank = true;
    for (size_t i = 0; i < name.size();) {
        std::uint32_t cp = 0;
        if (!NextCodePoint(name, i, cp)) return "the name is not valid UTF-8 text";
        if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F))
            return "the name holds a control character (a tab, a line end or another character that does "
                   "not show)";
        if (cp != ' ') blank = false;
    }
    if (blank) return "a project needs a name";
    if (name.front() == '-') return "a name starting with \"-\" would read as an option of q7-batch";
    return {};
}

} // namespace q7
