#pragma once
// The one rule for what an engineer may type, read by the form box by box and by q7-batch key by
// key and case by case.
//
// Two verdicts:
// - refused: input that no correlation can take (a pressure at or below 0, a reservoir temperature
//   at or below 0 °F, a saturation or a mole fraction outside [0, 1], a minimum pressure not below
//   the maximum, end points that leave no mobile saturation, a number a single cannot hold). The
//   form keeps the box and says why; q7-batch does not compute the case and names the key.
// - warned: input a correlation can take but that no PVT engineer would sign (standard pressure
//   1000000 psia, a separator gas gravity of 14.69, a laboratory Bo of 1000000), and oil tables
//   whose density, Bo or viscosity leave what any oil has. One line each, naming the input first;
//   the tables are computed as before.
//
// Both are data: InputBounds() is the table of every numeric input's possible and plausible range,
// one row per case key (the ProjectFields column); the relations between inputs are listed in
// InputRefusals() below.
//
// For the form:
//   - per box, when a box is left: InputRefusal(field.column, box text, unit letter) gives the
//     message to show (and keep the focus), or nothing;
//   - per case, before "Fluid Properties" / "Rock Properties": InputRefusals(objects) lists every
//     refusal of what the objects hold (the relations between boxes included), each with the key of
//     the box to go back to; InputWarnings(objects) after computing gives the warning lines
//     (ValueChecks' ImpossibleValues lists them first, as table "Input", row 0).
// The composition sum of a composition-entered gas keeps its own rule, CompositionSumFault below
// (GasCompositionProblem refuses by it when the gas table is computed, in the form and the batch).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

struct Q7Objects;

// The possible and plausible range of one numeric input.
struct InputBound {
    std::string key;     // the case key and database column ("SWC"); "gc1" ... one row each
    std::string what;    // the input as an engineer calls it ("connate water saturation")
    const char* unit;    // shown after a value ("psia", "" for none); "°F": a temperature, bounded in
                         // °F and shown in the unit of its box
    double lo, hi;       // possible values; refused outside
    bool loOpen, hiOpen; // the end itself is refused too ("above 0")
    double plausibleLo, plausibleHi; // a warning outside (within [lo, hi])
    const char* beyond;              // why a value beyond the plausible range is absurd
};

// Every bounded input, in the order of the project fields.
const std::vector<InputBound>& InputBounds();
// The bound of a key, matched without regard to case; nullptr for an input without one.
const InputBound* FindInputBound(std::string_view key);

// An input at fault: the key of the box (case key) and one line naming the input first.
struct InputProblem {
    std::string key;  // "MinPr", "SWC", ...
    std::string text; // "minimum pressure (MinPr) 7000 psia is not below the maximum pressure 6000 psia"
};

// One box: `text` as typed into the box of `key`, in the temperature unit `unit` ("F" or "C") when
// the input is a temperature. Nothing when any correlation can take it (including a key without
// bounds, and a blank laboratory value, which means "not measured"). Blank elsewhere reads as 0.
std::optional<std::string> InputRefusal(std::string_view key, std::string_view text,
                                        std::string_view unit = "F");
// The same for a value already read (a case's number). Non-finite numbers and numbers a single
// cannot hold (beyond about 3.4E+38, or not 0 but below 1.18E-38) are refused.
std::optional<std::string> InputValueRefusal(std::string_view key, double value, std::string_view unit = "F");

// Every refusal of what the objects hold: each bounded input the chosen options use, then the
// relations (minimum below maximum pressure of a range, the end points' mobile range, the gas
// inerts' sum). Empty: the case may be computed.
std::vector<InputProblem> InputRefusals(const Q7Objects& objects);

// A box of the form as it is left: `text` as typed into the box of `key`, which the objects hold
// already (a temperature in the unit selected beside its box). The box's own value first
// (InputRefusal), then the relations the box takes part in, as InputRefusals finds them (the
// minimum pressure's box and the maximum's both meet "minimum not below maximum"). A blank box is
// judged by its own rule, not here.
std::optional<std::string> BoxRefusal(const Q7Objects& objects, std::string_view key, std::string_view text);

// The warnings of the inputs the chosen options use (beyond their plausible range, the Honarpour
// gas end point above 1) and, once computed, of oil tables beyond any oil (density, Bo, viscosity)
// and of a laboratory match that moved the correlation by more than a factor of 3 (viscosity 5). Each text
// names the input first; `key` is the input's box (the oil tables' warning: "InitGO").
struct InputWarning {
    std::string key;
    double value; // the value at fault
    std::string text;
};
std::vector<InputWarning> InputWarnings(const Q7Objects& objects);

// The one rule for the mole fractions' sum of a composition-entered gas, as the total box shows it
// (four decimals): nothing entered, above 1 (refused when the gas table is computed), below 0.999
// (a warning beside the table), or fine.
enum class CompositionSum { Fine, Empty, AboveOne, BelowOne };
CompositionSum CompositionSumFault(float sum);

} // namespace q7
