#include "batch/CaseFile.h"

#include "engine/ProjectFields.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <unordered_map>

namespace q7 {

namespace {

enum class KeyType { Number, Integer, Flag, Text };

struct KeyInfo {
    std::string name;
    KeyType type;
};

// The keys are the project fields' columns, typed by their kind.
std::vector<KeyInfo> BuildKeyInfo() {
    std::vector<KeyInfo> k;
    for (const ProjectField& f : ProjectFields()) {
        KeyType type = KeyType::Number;
        switch (f.kind) {
        case FieldKind::Number:
            type = KeyType::Number;
            break;
        case FieldKind::Integer:
        case FieldKind::Option:
            type = KeyType::Integer;
            break;
        case FieldKind::Flag:
            type = KeyType::Flag;
            break;
        case FieldKind::Unit:
        case FieldKind::Text:
            type = KeyType::Text;
            break;
        }
        k.push_back({f.column, type});
    }
    return k;
}

const std::vector<KeyInfo>& KeyInfos() {
    static const std::vector<KeyInfo> infos = BuildKeyInfo();
    return infos;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

const KeyInfo* FindKey(const std::string& key) {
    static const std::unordered_map<std::string, const KeyInfo*> byLower = [] {
        std::unordered_map<std::string, const KeyInfo*> m;
        for (const KeyInfo& k : KeyInfos())
            m.emplace(Lower(k.name), &k);
        return m;
    }();
    auto it = byLower.find(Lower(key));
    return it == byLower.end() ? nullptr : it->second;
}

bool FitsType(const nlohmann::json& v, KeyType type) {
    switch (type) {
    case KeyType::Text:
        return v.is_string();
    case KeyType::Number:
        return v.is_number();
    case KeyType::Flag:
        return v.is_boolean() || (v.is_number() && (v.get<double>() == 0.0 || v.get<double>() == 1.0));
    case KeyType::Integer:
        return v.is_number() && std::isfinite(v.get<double>()) &&
               v.get<double>() == std::floor(v.get<double>()) && std::fabs(v.get<double>()) < 2147483648.0;
    }
    return false;
}

const char* TypeName(KeyType type) {
    switch (type) {
    case KeyType::Text:
        return "a string";
    case KeyType::Number:
        return "a number";
    case KeyType::Flag:
        return "0, 1 or a boolean";
    case KeyType::Integer:
        return "a whole number";
    }
    return "";
}

} // namespace

const std::vector<std::string>& CaseFile::Keys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (const KeyInfo& info : KeyInfos())
            k.push_back(info.name);
        return k;
    }();
    return keys;
}

CaseFile CaseFile::FromFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw CaseError(path.string() + ": cannot be read");
    nlohmann::json object;
    try {
        object = nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        throw CaseError(path.string() + ": not a JSON case file (" + e.what() + ")");
    }
    return FromJson(object, path.string());
}

CaseFile CaseFile::FromJson(const nlohmann::json& object, const std::string& source) {
    if (!object.is_object()) throw CaseError(source + ": a case file holds one JSON object");
    CaseFile c;
    for (const auto& [key, value] : object.items()) {
        if (!key.empty() && key[0] == '_') continue;
        const KeyInfo* info = FindKey(key);
        if (!info) throw CaseError(source + ": unknown key \"" + key + "\"");
        if (value.is_null()) continue;
        if (!FitsType(value, info->type))
            throw CaseError(source + ": key \"" + key + "\" must be " + TypeName(info->type));
        if (c.m_values.contains(info->name)) throw CaseError(source + ": key \"" + key + "\" is given twice");
        c.m_values[info->name] = value;
    }
    return c;
}

bool CaseFile::Has(const std::string& key) const {
    return m_values.contains(key);
}

double CaseFile::Number(const std::string& key) const {
    const nlohmann::json& v = m_values.at(key);
    if (v.is_boolean()) return v.get<bool>() ? 1.0 : 0.0;
    return v.get<double>();
}

std::string CaseFile::Text(const std::string& key) const {
    return m_values.at(key).get<std::string>();
}

std::optional<std::string> CaseFile::OptText(const std::string& key) const {
    if (!Has(key)) return std::nullopt;
    return Text(key);
}

nlohmann::ordered_json CaseFile::ToJson() const {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const std::string& key : Keys())
        if (Has(key)) out[key] = m_values.at(key);
    return out;
}

} // namespace q7
