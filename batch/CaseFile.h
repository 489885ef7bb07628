#pragma once
// A case of the batch tool: one JSON object whose keys are the project database's column names
// (matched without regard to case) plus PlusEntry, PLUSmw, PLUSgg and the report identification
// (Company, Field, Reservoir, PrjDesc, CreatedBy). A key left out or null keeps the objects'
// construction default; keys starting with "_" are comments.
#include "numeric/Errors.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

struct Q7Objects;

// A case file that cannot be read or holds an unknown key or a value of the wrong type.
class CaseError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "CaseError"; }
};

class CaseFile {
public:
    // Reads and checks a case file; throws CaseError naming the file (and the key).
    static CaseFile FromFile(const std::filesystem::path& path);
    // Checks a parsed object; `source` names it in error messages.
    static CaseFile FromJson(const nlohmann::json& object, const std::string& source);

    // Every key a case may hold, in the canonical spelling and order (the database's columns).
    static const std::vector<std::string>& Keys();

    bool Has(const std::string& key) const;         // canonical key, present and not null
    double Number(const std::string& key) const;    // numbers and 0/1/boolean flags
    std::string Text(const std::string& key) const; // text values
    std::optional<std::string> OptText(const std::string& key) const;

    // The case as a JSON object with canonical keys in canonical order (null values left out).
    nlohmann::ordered_json ToJson() const;

private:
    nlohmann::json m_values = nlohmann::json::object(); // canonical key -> value, nulls removed
};

// Refuses (CaseError) a case text holding a number written as not 0 that reads as 0 (1e-400), which
// a parsed object no longer shows; FromFile calls it, a reader of case texts calls it before
// FromJson. FromJson itself refuses, with the input named first and "the case is not computed",
// what the engine's input rule (engine/InputChecks.h) refuses.
void CheckCaseText(std::string_view text, const std::string& source);

// The key of the k-th of the 18 individual pressures: "p1" ... "p18".
std::string PressureKey(int k);

// Gives the objects every value of the case, in the order in which loading a project fills the form.
void ApplyCase(const CaseFile& c, Q7Objects& objects);

} // namespace q7
