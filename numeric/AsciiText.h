#pragma once
// Letter case of keys, column names, option and choice words: ASCII only, whatever the locale, so
// that a word matches the same way on every machine.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace q7 {

constexpr char AsciiLowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiLowerChar(c);
    return out;
}

inline std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Whether two words are the same but for the case of their ASCII letters.
constexpr bool AsciiEqualFold(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLowerChar(a[i]) != AsciiLowerChar(b[i])) return false;
    return true;
}

// A list's items by the ASCII lower case of their names (the first item of a name), for lookups
// that ignore case without folding every name on each call.
template <class Item> class AsciiFoldedIndex {
public:
    template <class NameOf> AsciiFoldedIndex(const std::vector<Item>& items, NameOf nameOf) {
        for (const Item& item : items)
            m_byName.emplace(AsciiLower(nameOf(item)), &item);
    }
    const Item* Find(std::string_view name) const {
        const auto it = m_byName.find(AsciiLower(name));
        return it == m_byName.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string, const Item*> m_byName;
};

} // namespace q7
