#pragma once
// Single-byte Latin-1 (ISO 8859-1) text: case mapping, the collation shared by the lookup and the
// data-file builder, and conversion to and from UTF-8.

#include <string>
#include <string_view>

namespace tezar {

// Case mapping of one Latin-1 byte; accented letters included, ß and ÿ have no single-byte capital.
unsigned char ToUpperLatin1(unsigned char c);
unsigned char ToLowerLatin1(unsigned char c);
bool IsUpperLatin1(unsigned char c);

std::string UpperLatin1(std::string_view text);
std::string LowerLatin1(std::string_view text);

// Locale-like, case-sensitive comparison: letters compare by their base letter first (É sorts with E,
// ahead of F), then digits and symbols keep their own places; only identical texts compare equal.
// Returns a negative number, zero or a positive number.
int CompareLatin1(std::string_view a, std::string_view b);

// UTF-8 for display.
std::string Latin1ToUtf8(std::string_view latin1);

// False when the text is not valid UTF-8 or holds a character outside Latin-1.
bool Utf8ToLatin1(std::string_view utf8, std::string& latin1);

} // namespace tezar
