#pragma once
// Inputs and table rows outside the data a chosen correlation was fitted to: one warning per
// correlation and input, worded as the user guide shows it ("Standing bubble point: API 12.0 is
// below the range of its data (16.5–63.8)"). They never stop a computation or change a value; the
// warning line above the grids, the batch summary and the batch check read them.
#include <cstdint>
#include <string>
#include <vector>

namespace q7 {

struct Q7Objects;

struct RangeWarning {
    std::string table;       // "Oil" or "Gas": the table the correlation computes
    std::string key;         // the choice's case key ("CorrPb")
    std::string correlation; // the correlation's name in that key ("Standing")
    std::string input;       // "API", "temperature", "Ppr", ...
    std::int16_t row;        // the table row of a value read from the table; 0 for an input
    double value;
    std::string text;
};

// Every range warning of the case as the objects hold it: the oil correlations' inputs when the
// case has oil, and their table rows once the oil table is computed; the gas correlations' once the
// gas table is computed. Oil first, in the order of the choices and of each one's ranges.
std::vector<RangeWarning> RangeWarnings(const Q7Objects& objects);

// The warnings of one table ("Oil" or "Gas").
std::vector<RangeWarning> RangeWarningsOf(const Q7Objects& objects, const std::string& table);

} // namespace q7
