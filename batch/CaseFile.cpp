#include "batch/CaseFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <unordered_map>

namespace q7 {

std::string PressureKey(int k) {
    // Appended rather than "p" + text, which GCC 12 at -O3 takes for an overlapping copy.
    std::string key = "p";
    key += std::to_string(k);
    return key;
}

namespace {

enum class KeyType { Number, Integer, Flag, Text };

struct KeyInfo {
    std::string name;
    KeyType type;
};

std::vector<KeyInfo> BuildKeyInfo() {
    std::vector<KeyInfo> k;
    auto add = [&k](const std::string& n, KeyType t) { k.push_back({n, t}); };
    for (const char* n : {"PhaseOil", "PhaseGas", "PhaseWater"})
        add(n, KeyType::Flag);
    add("StdPressure", KeyType::Number);
    add("StdTemp", KeyType::Number);
    add("StdTempUnits", KeyType::Text);
    add("RESTEMP", KeyType::Number);
    add("ResTempUnits", KeyType::Text);
    add("PrRange", KeyType::Text);
    for (const char* n : {"MinPr", "InitPr", "MaxPr"})
        add(n, KeyType::Number);
    for (int i = 1; i <= 18; ++i)
        add(PressureKey(i), KeyType::Number);
    for (const char* n : {"API", "SpecGrav", "SepGasGrav", "SepP", "SepT"})
        add(n, KeyType::Number);
    add("SepTUnits", KeyType::Text);
    add("InitGO", KeyType::Number);
    add("BPP", KeyType::Number);
    add("GasEntry", KeyType::Text);
    for (const char* n : {"GasGrav", "MFnitrogen", "mfCO2", "mfH2S"})
        add(n, KeyType::Number);
    for (int i = 1; i <= 15; ++i)
        add("gc" + std::to_string(i), KeyType::Number);
    add("PlusEntry", KeyType::Integer);
    add("PLUSmw", KeyType::Number);
    add("PLUSgg", KeyType::Number);
    add("PPMSalinity", KeyType::Integer);
    add("PERSalinity", KeyType::Number);
    for (const char* n : {"RockType", "DrainType", "LithType", "WetType", "CorrType"})
        add(n, KeyType::Integer);
    for (const char* n : {"SWC", "SORW", "SORG", "SGCrit", "CoreyK", "CoreyN", "HRPoro", "HRAir", "HRKrg"})
        add(n, KeyType::Number);
    for (const char* n : {"Company", "Field", "Reservoir", "PrjDesc", "CreatedBy"})
        add(n, KeyType::Text);
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
