#pragma once
// Letter case of the batch tool's words (case keys, option words): ASCII only, whatever the
// locale, so that a key matches the same way on every machine.
#include <string>
#include <string_view>

namespace q7 {

inline std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace q7
