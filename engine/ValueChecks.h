#pragma once
// Values no fluid or rock can have: a volume factor, density, viscosity or compressibility at or
// below 0, a negative solution gas, a schedule pressure at or below 0, a saturation outside [0, 1],
// gas inert fractions above 1 in sum or a composition that does not sum to 1, and a reservoir
// temperature past the point where a correlation's formula turns over. They are reported beside the
// tables and never stop a computation or change a value. First come the warnings of the inputs
// (table "Input", see InputChecks.h): input no PVT engineer would sign, named before any symptom.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q7 {

struct Q7Objects;
class clsRock;

struct ValueWarning {
    std::string table; // "Input", "Pressure schedule", "Gas composition", "Oil", "Gas", "Water", "Rock"
    std::int16_t row;  // the table's row (1-based, in the order the table holds it); 0: the whole table
    double value;      // the value at fault
    std::string text;  // what is wrong, in a sentence
};

// Every impossible value of the computed tables (those whose GO flag is set), table by table in
// the order above, rows in order.
std::vector<ValueWarning> ImpossibleValues(const Q7Objects& objects);

// The warnings of one table, in order.
std::vector<ValueWarning> ImpossibleValuesOf(const Q7Objects& objects, const std::string& table);

// When the Honarpour correlations were chosen where they have no curves (drainage, or a lithology
// or wettability without a formula) and a phase's kr came out 0 in every row: one line saying so.
std::optional<std::string> HonarpourNotApplied(const clsRock& rock);

} // namespace q7
