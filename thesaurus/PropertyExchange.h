#pragma once
// One routine serves both directions of persistence: while loading it reads each named value from
// the bag (or takes the default), while saving it appends the value, so the order of the calls is
// the order of the bag.

#include "thesaurus/PropertyBag.h"

#include <string>

namespace tezar {

class PropertyExchange {
public:
    PropertyExchange(PropertyBag& bag, bool loading) : m_bag(bag), m_loading(loading) {}

    bool IsLoading() const { return m_loading; }

    // The format version as "_Version", major in the high 16 bits; returns the version found (the
    // current one when the bag has none or when saving).
    uint32_t Version(uint16_t major, uint16_t minor) {
        const int32_t current = static_cast<int32_t>(uint32_t(major) << 16 | minor);
        int32_t v = current;
        Exchange("_Version", v, current, VarType::I4);
        return static_cast<uint32_t>(v);
    }

    void String(const char* name, std::string& value, const std::string& def) {
        if (!m_loading) {
            m_bag.Write(name, Variant::String(value));
            return;
        }
        Variant v;
        value = Get(name, VarType::String, v) ? v.AsString() : def;
    }

    void Short(const char* name, int16_t& value, int16_t def) {
        if (!m_loading) {
            m_bag.Write(name, Variant::I2(value));
            return;
        }
        Variant v;
        value = Get(name, VarType::I2, v) ? v.AsI2() : def;
    }

    void Bool(const char* name, bool& value, bool def) {
        if (!m_loading) {
            m_bag.Write(name, Variant::Bool(value));
            return;
        }
        Variant v;
        value = Get(name, VarType::Bool, v) ? v.AsBool() : def;
    }

private:
    void Exchange(const char* name, int32_t& value, int32_t def, VarType type) {
        if (!m_loading) {
            m_bag.Write(name, Variant::I4(value));
            return;
        }
        Variant v;
        value = Get(name, type, v) ? v.AsI4() : def;
    }

    bool Get(const char* name, VarType type, Variant& out) const {
        Variant raw;
        return m_bag.Read(name, raw) && raw.ChangeType(type, out) == S_OK;
    }

    PropertyBag& m_bag;
    bool m_loading;
};

} // namespace tezar
