#pragma once
// The value passed through dispatch: empty, 16-bit integer, 32-bit integer, boolean, text (single-byte
// Latin-1) or a 16-bit integer passed by reference (event parameters).

#include "thesaurus/Com.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <variant>

namespace tezar {

constexpr HResult DISP_E_TYPEMISMATCH = static_cast<HResult>(0x80020005);
constexpr HResult DISP_E_OVERFLOW = static_cast<HResult>(0x8002000A);

enum class VarType : uint16_t { Empty = 0, I2 = 2, I4 = 3, String = 8, Bool = 11, RefI2 = 0x4002 };

class Variant {
public:
    Variant() = default;
    static Variant I2(int16_t v) { return Variant(Value(std::in_place_index<1>, v)); }
    static Variant I4(int32_t v) { return Variant(Value(std::in_place_index<2>, v)); }
    static Variant String(std::string v) { return Variant(Value(std::in_place_index<3>, std::move(v))); }
    static Variant Bool(bool v) { return Variant(Value(std::in_place_index<4>, v)); }
    static Variant RefI2(int16_t* v) { return Variant(Value(std::in_place_index<5>, v)); }

    VarType Type() const {
        static constexpr VarType kTypes[] = {VarType::Empty,  VarType::I2,   VarType::I4,
                                             VarType::String, VarType::Bool, VarType::RefI2};
        return kTypes[m_value.index()];
    }
    bool IsEmpty() const { return m_value.index() == 0; }
    int16_t AsI2() const { return std::get<1>(m_value); }
    int32_t AsI4() const { return std::get<2>(m_value); }
    const std::string& AsString() const { return std::get<3>(m_value); }
    bool AsBool() const { return std::get<4>(m_value); }
    int16_t* AsRefI2() const { return std::get<5>(m_value); }

    // Conversion as automation does it: numbers and texts of numbers convert both ways, booleans are
    // -1 and 0 as numbers and "True"/"False" as text. Fails with DISP_E_TYPEMISMATCH or
    // DISP_E_OVERFLOW.
    HResult ChangeType(VarType to, Variant& out) const {
        int64_t n = 0;
        bool numeric = true;
        switch (Type()) {
        case VarType::Empty:
            n = 0;
            break;
        case VarType::I2:
            n = AsI2();
            break;
        case VarType::I4:
            n = AsI4();
            break;
        case VarType::Bool:
            n = AsBool() ? -1 : 0;
            break;
        case VarType::RefI2:
            n = AsRefI2() ? *AsRefI2() : 0;
            break;
        case VarType::String:
            numeric = false;
            break;
        }
        if (to == VarType::String) {
            if (Type() == VarType::String)
                out = *this;
            else if (Type() == VarType::Bool)
                out = String(AsBool() ? "True" : "False");
            else
                out = String(Type() == VarType::Empty ? std::string() : std::to_string(n));
            return S_OK;
        }
        if (!numeric) {
            const std::string& s = AsString();
            if (to == VarType::Bool && (s == "True" || s == "true")) {
                out = Bool(true);
                return S_OK;
            }
            if (to == VarType::Bool && (s == "False" || s == "false")) {
                out = Bool(false);
                return S_OK;
            }
            const char* first = s.data();
            const char* last = s.data() + s.size();
            while (first < last && *first == ' ')
                ++first;
            while (last > first && last[-1] == ' ')
                --last;
            if (first < last && *first == '+') ++first;
            const auto [ptr, ec] = std::from_chars(first, last, n);
            if (ec == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
            if (ec != std::errc() || ptr != last) return DISP_E_TYPEMISMATCH;
        }
        switch (to) {
        case VarType::I2:
            if (n < INT16_MIN || n > INT16_MAX) return DISP_E_OVERFLOW;
            out = I2(static_cast<int16_t>(n));
            return S_OK;
        case VarType::I4:
            if (n < INT32_MIN || n > INT32_MAX) return DISP_E_OVERFLOW;
            out = I4(static_cast<int32_t>(n));
            return S_OK;
        case VarType::Bool:
            out = Bool(n != 0);
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
        }
    }

    bool operator==(const Variant& o) const = default;

private:
    using Value = std::variant<std::monostate, int16_t, int32_t, std::string, bool, int16_t*>;
    explicit Variant(Value v) : m_value(std::move(v)) {}
    Value m_value;
};

} // namespace tezar
