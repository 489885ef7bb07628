#pragma once
// Persisted control properties: named values in the order the control writes them, with the
// control's format version first ("_Version", major in the high 16 bits). A bag can be kept as text:
//
//   _Version=I4:65536
//   MainThesFile=S:/usr/share/tezar/lxth_ae.the
//   AutomaticDialog=I2:1
//   OptionBtnVisible=B:0

#include "thesaurus/Com.h"
#include "thesaurus/Variant.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tezar {

inline constexpr Guid IID_IPersistPropertyBag = {
    0xfa935fd6, 0xc072, 0x487b, {0x82, 0x0a, 0xfb, 0x61, 0x2d, 0x36, 0x9e, 0xc7}};

class PropertyBag {
public:
    using Item = std::pair<std::string, Variant>;

    // Replaces a value of the same name or appends a new one.
    void Write(std::string_view name, const Variant& value) {
        for (Item& item : m_items)
            if (item.first == name) {
                item.second = value;
                return;
            }
        m_items.emplace_back(std::string(name), value);
    }

    bool Read(std::string_view name, Variant& value) const {
        for (const Item& item : m_items)
            if (item.first == name) {
                value = item.second;
                return true;
            }
        return false;
    }

    const std::vector<Item>& Items() const { return m_items; }

    std::string Serialize() const {
        std::string out;
        for (const auto& [name, value] : m_items) {
            out += name;
            switch (value.Type()) {
            case VarType::I2:
                out += "=I2:" + std::to_string(value.AsI2());
                break;
            case VarType::I4:
                out += "=I4:" + std::to_string(value.AsI4());
                break;
            case VarType::Bool:
                out += value.AsBool() ? "=B:-1" : "=B:0";
                break;
            case VarType::String:
                out += "=S:" + Escape(value.AsString());
                break;
            default:
                out += "=E:";
                break;
            }
            out += '\n';
        }
        return out;
    }

    // False when a line is malformed; the bag then holds the lines before it.
    static bool Parse(std::string_view text, PropertyBag& bag) {
        bag.m_items.clear();
        while (!text.empty()) {
            const size_t eol = text.find('\n');
            std::string_view line = text.substr(0, eol);
            text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.empty()) continue;
            const size_t eq = line.find('=');
            if (eq == std::string_view::npos || eq == 0 || line.size() < eq + 3) return false;
            const std::string_view kind = line.substr(eq + 1, line.find(':', eq) - eq - 1);
            const size_t colon = line.find(':', eq);
            if (colon == std::string_view::npos) return false;
            const std::string_view body = line.substr(colon + 1);
            Variant v;
            if (kind == "S") {
                std::string s;
                if (!Unescape(body, s)) return false;
                v = Variant::String(std::move(s));
            } else if (kind == "E") {
                v = Variant();
            } else {
                const VarType to = kind == "I2" ? VarType::I2 : kind == "I4" ? VarType::I4 : VarType::Bool;
                if (kind != "I2" && kind != "I4" && kind != "B") return false;
                if (Variant::String(std::string(body)).ChangeType(to, v) != S_OK) return false;
            }
            bag.m_items.emplace_back(std::string(line.substr(0, eq)), std::move(v));
        }
        return true;
    }

private:
    static std::string Escape(const std::string& s) {
        static const char* hex = "0123456789ABCDEF";
        std::string out;
        for (char ch : s) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '\\')
                out += "\\\\";
            else if (c < 0x20 || c == 0x7F) {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else
                out += ch;
        }
        return out;
    }

    static bool Unescape(std::string_view s, std::string& out) {
        auto nibble = [](char c) {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            return -1;
        };
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '\\') {
                out += s[i];
                continue;
            }
            if (i + 1 < s.size() && s[i + 1] == '\\') {
                out += '\\';
                ++i;
            } else if (i + 3 < s.size() && s[i + 1] == 'x' && nibble(s[i + 2]) >= 0 &&
                       nibble(s[i + 3]) >= 0) {
                out += static_cast<char>(nibble(s[i + 2]) * 16 + nibble(s[i + 3]));
                i += 3;
            } else {
                return false;
            }
        }
        return true;
    }

    std::vector<Item> m_items;
};

class IPersistPropertyBag : public IUnknown {
public:
    virtual HResult InitNew() = 0;
    // Missing or unconvertible values take their defaults.
    virtual HResult Load(const PropertyBag& bag) = 0;
    virtual HResult Save(PropertyBag& bag, bool clearDirty) = 0;
    // S_OK when modified since the last load or save that cleared the flag, else S_FALSE.
    virtual HResult IsDirty() = 0;

protected:
    ~IPersistPropertyBag() = default;
};

} // namespace tezar
