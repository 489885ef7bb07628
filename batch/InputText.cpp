#include "batch/InputText.h"

namespace q7 {

std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b = byte(at);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;  // no overlong form
        if (b == 0xED) high = 0x9F; // no surrogate
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;  // no overlong form
        if (b == 0xF4) high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (at + n > text.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return n;
}

std::string Excerpt(std::string_view text, std::size_t max) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size() && at < max) {
        const auto b = static_cast<unsigned char>(text[at]);
        const std::size_t n = Utf8SequenceAt(text, at);
        if (n == 0 || b < 0x20 || b == 0x7f) {
            static const char* const hex = "0123456789abcdef";
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
            ++at;
        } else {
            out.append(text.substr(at, n));
            at += n;
        }
    }
    if (at < text.size()) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string JsonErrorText(const std::exception& e) {
    const std::string what = e.what();
    for (const std::string marker : {"last read: '", "parsing '"}) {
        const std::size_t start = what.find(marker);
        if (start == std::string::npos) continue;
        const std::size_t from = start + marker.size();
        std::size_t end = what.find("'; expected ", from);
        if (end == std::string::npos) end = what.rfind('\'');
        if (end == std::string::npos || end < from) break;
        return Excerpt(what.substr(0, from), std::string::npos) + Excerpt(what.substr(from, end - from)) +
               Excerpt(what.substr(end), std::string::npos);
    }
    return Excerpt(what, 512);
}

} // namespace q7
