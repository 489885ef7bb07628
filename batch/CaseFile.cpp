#include "batch/CaseFile.h"

#include "batch/InputText.h"
#include "engine/InputChecks.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
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
    bool blankIsAbsent = false;          // a blank string is a value not given (a laboratory value)
    std::vector<std::string> words = {}; // the names a text may hold, without regard to case
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
            info.words = f.words;
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

const KeyInfo* FindKey(const std::string& key) {
    static const std::unordered_map<std::string, const KeyInfo*> byLower = [] {
        std::unordered_map<std::string, const KeyInfo*> m;
        for (const KeyInfo& k : KeyInfos())
            m.emplace(AsciiLower(k.name), &k);
        return m;
    }();
    auto it = byLower.find(AsciiLower(key));
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
        // The engine's input rule judges numbers (InputProblemOf); a field with a range rule of its
        // own (the rock's model parameters) is judged by it here, as the single it becomes.
        const float single = static_cast<float>(v.get<double>());
        if (info.refused && std::isfinite(single)) return info.refused(static_cast<double>(single));
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
        if (!info.words.empty()) {
            const std::string text = AsciiLower(v.get<std::string>());
            std::string names;
            for (const std::string& word : info.words) {
                if (AsciiLower(word) == text) return {};
                names += (names.empty() ? "" : ", ") + word;
            }
            return "must be one of " + names + " (in any case)";
        }
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

// The text of a case's number as read, for a refusal.
std::string NumberText(const nlohmann::json& v) {
    std::string text = v.dump();
    return text.size() > 40 ? text.substr(0, 40) + "…" : text;
}

// The unit letter a temperature of the case is given in (the objects' default: "F").
std::string UnitOf(const nlohmann::json& values, const ProjectField& field) {
    if (field.unit.empty()) return "F";
    const auto it = values.find(field.unit);
    return it != values.end() && it->is_string() ? it->get<std::string>() : "F";
}

// A case refused by the input rule: the key, then what is wrong with the input named first.
[[noreturn]] void Refuse(const std::string& source, const std::string& key, const std::string& why) {
    throw CaseError(source + ": key \"" + key + "\": " + why + "; the case is not computed");
}

// Whether the case's options read a number key at all: the specific gravity only without an API
// gravity, the bubble point only without a GOR, the gas gravity of a gravity-entered gas, the range
// or the typed pressures of their mode. What is not read is still a number a single must hold.
bool ReadByTheCase(const std::string& key, const nlohmann::json& values) {
    const q7::ProjectField* field = FindField(key);
    const std::string group = field ? field->table : std::string();
    // The phases as the case gives them, else as fresh objects hold them (oil only).
    auto phase = [&](const char* name, bool fresh) {
        const auto it = values.find(name);
        if (it == values.end()) return fresh;
        return it->is_boolean() ? it->get<bool>() : it->get<double>() != 0.0;
    };
    const bool oil = phase("PhaseOil", true), gas = phase("PhaseGas", false),
               water = phase("PhaseWater", false);
    if ((group == "tblOilGravity" || group == "tblLabData") && !oil) return false;
    if (group == "tblWater" && !water) return false;
    if (group == "tblGasComp" && !oil && !gas) return false;
    if (key == "PLUSmw" || key == "PLUSgg")
        return values.value("GasEntry", std::string("G")) == "C" && values.value("PlusEntry", 0.0) >= 1.0;
    const bool typed = values.value("PrRange", std::string("R")) == "I";
    if (key == "SpecGrav") return !values.contains("API");
    if (key == "BPP") return !values.contains("InitGO");
    if (key == "GasGrav") return values.value("GasEntry", std::string("G")) != "C";
    if (key == "MinPr" || key == "MaxPr" || key == "InitPr") return !typed;
    if (key.size() > 1 && key[0] == 'p' && std::isdigit(static_cast<unsigned char>(key[1]))) return typed;
    return true;
}

// Each number the engine's input rule refuses, key by key; then the rows of a composition below
// its plus fraction, which the plus fraction replaces (a form zeroes them); then what the case
// gives the objects as a whole (the relations between inputs).
void CheckInputs(const CaseFile& c, const nlohmann::json& values, const std::string& source) {
    for (const auto& [key, value] : values.items()) {
        const ProjectField* field = FindField(key);
        if (!field || !value.is_number()) continue;
        if (field->kind != FieldKind::Number && field->kind != FieldKind::Integer) continue;
        const double v = value.get<double>();
        // Beyond a single, any key; outside its bounds, a key the options read.
        const bool single = std::isfinite(v) && std::isfinite(static_cast<float>(v)) &&
                            (v == 0.0 || std::fabs(v) >= static_cast<double>(FLT_MIN));
        if (single && !ReadByTheCase(key, values)) continue;
        if (auto why = InputValueRefusal(key, v, UnitOf(values, *field)))
            Refuse(source, key, *why + (std::isfinite(v) ? "" : " (" + NumberText(value) + ")"));
    }
    if (c.Has("PlusEntry")) {
        const int plus = static_cast<int>(c.Number("PlusEntry"));
        for (int k = plus + 1; plus >= 1 && k <= 12; ++k) {
            std::string key = "gc";
            key += std::to_string(k);
            if (c.Has(key) && c.Number(key) != 0.0)
                Refuse(source, key,
                       "mole fraction of composition row " + std::to_string(k) + " (" + key + ") " +
                           NumberText(values.at(key)) + " lies below the plus fraction's row " +
                           std::to_string(plus) + " (PlusEntry), whose rows below are 0");
        }
    }
    NullMessageSink none;
    Q7Objects objects(none);
    try {
        ApplyCase(c, objects);
    } catch (const std::exception&) {
        return; // a case the objects cannot take fails when it is computed, with its reason
    }
    const std::vector<InputProblem> problems = InputRefusals(objects);
    if (!problems.empty()) Refuse(source, problems.front().key, problems.front().text);
}

// The first number of a JSON text that is written as not 0 but reads as 0 (1e-400): the parser
// keeps no trace of it. Names the key it follows.
std::optional<std::pair<std::string, std::string>> UnderflowIn(std::string_view text) {
    std::string lastString, key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            std::size_t j = i + 1;
            while (j < text.size() && text[j] != '"')
                j += text[j] == '\\' ? 2 : 1;
            lastString.assign(text.substr(i + 1, std::min(j, text.size()) - i - 1));
            i = j;
            continue;
        }
        if (c == ':') {
            key = lastString;
            continue;
        }
        if (c != '-' && !std::isdigit(static_cast<unsigned char>(c))) continue;
        std::size_t j = i;
        while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '-' ||
                                   text[j] == '+' || text[j] == '.' || text[j] == 'e' || text[j] == 'E'))
            ++j;
        const std::string number(text.substr(i, j - i));
        i = j - 1;
        const std::size_t e = number.find_first_of("eE");
        if (e == std::string::npos || number.substr(0, e).find_first_of("123456789") == std::string::npos)
            continue;
        if (std::strtod(number.c_str(), nullptr) == 0.0) {
            const InputBound* b = FindInputBound(key);
            const std::string name = b ? b->what + " (" + b->key + ")" : "the number";
            return std::make_pair(
                key, name + " " + (number.size() > 40 ? number.substr(0, 40) + "…" : number) +
                         " is too small for a single-precision number (not 0 but below 1.18E-38)");
        }
    }
    return std::nullopt;
}

} // namespace

void CheckCaseText(std::string_view text, const std::string& source) {
    if (auto why = UnderflowIn(text)) Refuse(source, why->first, why->second);
}

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
            if (twice.empty() && (key.empty() || key[0] != '_') && !seen.insert(AsciiLower(key)).second)
                twice = key;
        }
        return true;
    };
    nlohmann::json object;
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        object = nlohmann::json::parse(text, onEvent);
    } catch (const nlohmann::json::exception& e) {
        throw CaseError(path.string() + ": not a JSON case file (" + JsonErrorText(e) + ")");
    } catch (const std::ios_base::failure& e) {
        throw CaseError(path.string() + ": cannot be read (" + JsonErrorText(e) + ")");
    }
    if (!twice.empty()) throw CaseError(path.string() + ": key \"" + twice + "\" is given twice");
    CheckCaseText(text, path.string());
    return FromJson(object, path.string());
}

CaseFile CaseFile::FromJson(const nlohmann::json& object, const std::string& source) {
    if (!object.is_object()) throw CaseError(source + ": a case file holds one JSON object");
    CaseFile c;
    for (const auto& [key, value] : object.items()) {
        if (!key.empty() && key[0] == '_') continue;
        const KeyInfo* info = FindKey(key);
        if (!info) throw CaseError(source + ": unknown key \"" + Excerpt(key) + "\"");
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
    CheckInputs(c, c.m_values, source);
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
