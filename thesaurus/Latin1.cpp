#include "thesaurus/Latin1.h"

#include <array>
#include <cstdint>

namespace tezar {

namespace {

// Base letter of each Latin-1 letter from 0xC0 on, in upper case; 0 for × and ÷.
constexpr char kBaseLetter[64] = {
    'A', 'A', 'A', 'A', 'A', 'A', 'A', 'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I', // C0-CF
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 'T', 'S', // D0-DF
    'A', 'A', 'A', 'A', 'A', 'A', 'A', 'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I', // E0-EF
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 'T', 'Y', // F0-FF
};

// Primary weight: symbols and punctuation (their byte value) < digits < letters by base letter.
constexpr std::array<uint16_t, 256> MakePrimaryWeights() {
    std::array<uint16_t, 256> w{};
    for (int c = 0; c < 256; ++c) {
        char base = 0;
        if (c >= 'A' && c <= 'Z')
            base = static_cast<char>(c);
        else if (c >= 'a' && c <= 'z')
            base = static_cast<char>(c - 'a' + 'A');
        else if (c >= 0xC0)
            base = kBaseLetter[c - 0xC0];
        if (base != 0)
            w[c] = static_cast<uint16_t>(0x200 + (base - 'A'));
        else if (c >= '0' && c <= '9')
            w[c] = static_cast<uint16_t>(0x100 + (c - '0'));
        else
            w[c] = static_cast<uint16_t>(c);
    }
    return w;
}

constexpr std::array<uint16_t, 256> kPrimary = MakePrimaryWeights();

} // namespace

unsigned char ToUpperLatin1(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    return c;
}

unsigned char ToLowerLatin1(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    return c;
}

bool IsUpperLatin1(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

std::string UpperLatin1(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        ch = static_cast<char>(ToUpperLatin1(static_cast<unsigned char>(ch)));
    return out;
}

std::string LowerLatin1(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        ch = static_cast<char>(ToLowerLatin1(static_cast<unsigned char>(ch)));
    return out;
}

int CompareLatin1(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int wa = kPrimary[static_cast<unsigned char>(a[i])];
        const int wb = kPrimary[static_cast<unsigned char>(b[i])];
        if (wa != wb) return wa - wb;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Same letters: accents and case decide, byte by byte.
    for (size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(a[i]);
        const int cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) return ca - cb;
    }
    return 0;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

bool Utf8ToLatin1(std::string_view utf8, std::string& latin1) {
    latin1.clear();
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            latin1.push_back(static_cast<char>(c));
            continue;
        }
        // Only the two-byte forms C2 80 .. C3 BF fall inside Latin-1.
        if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            const auto c2 = static_cast<unsigned char>(utf8[i + 1]);
            if ((c2 & 0xC0) == 0x80) {
                latin1.push_back(static_cast<char>(((c & 0x03) << 6) | (c2 & 0x3F)));
                ++i;
                continue;
            }
        }
        return false;
    }
    return true;
}

} // namespace tezar
