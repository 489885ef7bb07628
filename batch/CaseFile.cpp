#include "batch/CaseFile.h"

#include "engine/ProjectFields.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <functional>
#include <unordered_map>
#include <unordered_set>

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
    // The values a form can hold: the letters of a pair of option buttons, or the range of an
    // option index (an empty letter set and lo > hi: no restriction beyond the type).
    std::vector<std::string> letters = {};
    long lo = 1, hi = 0;
    bool blankIsAbsent = false; // a blank string is a value not given (a laboratory value)
    std::function<std::string(double)> refused = {}; // the field's own range rule, if any
};

// The keys are the project fields' columns, typed by their kind.
std::vector<KeyInfo> BuildKeyInfo() {
    std::vector<KeyInfo> k;
    for (const ProjectField& f : ProjectFields()) {
        KeyInfo info{f.column, KeyType::Number};
        info.blankIsAbsent = f.blankIsAbsent;
        info.refused = f.refused;
        switch (f.kind) {
        case FieldKind::Number:
            break;
        case FieldKind::Integer:
            info.type = KeyType::Integer;
            info.lo = f.lo;
            info.hi = f.hi;
            break;
        case FieldKind::Option:
            info.type = KeyType::Integer;
            info.lo = f.lo <= f.hi ? f.lo : 0; // a pair of option buttons unless the field says more
            info.hi = f.lo <= f.hi ? f.hi : 1;
            break;
        case FieldKind::Flag:
            info.type = KeyType::Flag;
            break;
        case FieldKind::Unit:
        case FieldKind::Text:
            info.type = KeyType::Text;
            for (char letter : f.choices)
                info.letters.emplace_back(1, letter);
            break;
        }
        k.push_back(std::move(info));
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

// Why a value of the right type is still one no form could hold; empty when it is fine.
std::string ValueProblem(const nlohmann::json& v, const KeyInfo& info) {
    switch (info.type) {
    case KeyType::Number: {
        // Every number reaches its object as a single: what a single cannot hold would silently
        // become 0 or infinity there.
        const double value = v.get<double>();
        const float single = static_cast<float>(value);
        if (!std::isfinite(value) || !std::isfinite(single))
            return "is beyond the range of a single-precision number (about 3.4E+38)";
        if (value != 0.0 && single == 0.0f)
            return "is too small for a single-precision number (about 1.4E-45)";
        if (info.refused) return info.refused(static_cast<double>(single));
        return {};
    }
    case KeyType::Integer: {
        if (info.lo > info.hi) return {};
        const double value = v.get<double>();
        if (value >= static_cast<double>(info.lo) && value <= static_cast<double>(info.hi)) return {};
        if (info.hi - info.lo == 1)
            return "must be " + std::to_string(info.lo) + " or " + std::to_string(info.hi);
        return "must be a whole number from " + std::to_string(info.lo) + " to " + std::to_string(info.hi);
    }
    case KeyType::Text: {
        if (info.letters.empty()) return {};
        const std::string text = v.get<std::string>();
        if (std::find(info.letters.begin(), info.letters.end(), text) != info.letters.end()) return {};
        std::string set;
        for (size_t i = 0; i < info.letters.size(); ++i)
            set += (i == 0                         ? ""
                    : i + 1 == info.letters.size() ? " or "
                                                   : ", ") +
                   ("\"" + info.letters[i] + "\"");
        return "must be " + set;
    }
    case KeyType::Flag:
        return {};
    }
    return {};
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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw CaseError(path.string() + ": is a folder, not a case file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw CaseError(path.string() + ": cannot be read");
    // A parsed object keeps one of two equal keys without a word: the parser's callback sees
    // every key of the case object as it is read.
    std::string twice;
    std::unordered_set<std::string> seen;
    auto onEvent = [&](int depth, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
        if (depth == 1 && event == nlohmann::json::parse_event_t::key && parsed.is_string()) {
            const std::string& key = parsed.get_ref<const std::string&>();
            if (twice.empty() && (key.empty() || key[0] != '_') && !seen.insert(Lower(key)).second)
                twice = key;
        }
        return true;
    };
    nlohmann::json object;
    try {
        object = nlohmann::json::parse(in, onEvent);
    } catch (const nlohmann::json::exception& e) {
        throw CaseError(path.string() + ": not a JSON case file (" + e.what() + ")");
    } catch (const std::ios_base::failure& e) {
        throw CaseError(path.string() + ": cannot be read (" + e.what() + ")");
    }
    if (!twice.empty()) throw CaseError(path.string() + ": key \"" + twice + "\" is given twice");
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
        if (info->blankIsAbsent && value.is_string() &&
            value.get_ref<const std::string&>().find_first_not_of(" \t") == std::string::npos)
            continue;
        if (!FitsType(value, info->type))
            throw CaseError(source + ": key \"" + key + "\" must be " + TypeName(info->type));
        if (const std::string problem = ValueProblem(value, *info); !problem.empty())
            throw CaseError(source + ": key \"" + key + "\" " + problem + " (" + value.dump() + ")");
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
