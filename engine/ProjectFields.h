#pragma once
// Every input of a project, described once: the table and column that store it (the column is
// also its key in a batch case), the control that shows it, the decimals the control shows, and
// how the calculation objects give and take it. The project store, the main form, the batch case
// reader and the export all read this list; none of them spells a column itself.
//
//   column        table            box            decimals  kind
//   "StdPressure" "tblFluidSpec"   "txtStdP"      -1        Number   (general form)
//   "GasGrav"     "tblGasComp"     "txtGasGrav"    4        Number   ("0.0000")
//   "p3"          "tblPressureSpec" "txtP(3)"     -1        Number
//   "RockType"    "tblRock"        "optRock"       0        Option   (0 to 3)
//   "PLUSmw"      (none)           "txtPLUSmw"    -1        Number   (a case key only)
//   "LabPb"       (none)           "txtLabPb"     -1        Number   (held only when measured)
//   "CorrPb"      "tblOilGravity"  "cboCorrPb"    -1        Text     (a correlation's name)
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

struct Q7Objects;
class clsOil;

enum class FieldKind {
    Number,  // a single
    Integer, // a whole number (PPM, the plus-fraction row)
    Flag,    // 0 or 1 (a phase)
    Option,  // an option group's index, 0 or 1 (lo..hi when the field gives them)
    Unit,    // a temperature unit letter, "F" or "C"
    Text,    // a mode letter or identification text
};

struct ProjectField {
    std::string column; // column name and case key, in the database's spelling
    std::string table;  // the data table; empty: a case key no project table stores
    std::string box;    // objectName of the control; empty when none shows it
    int decimals = -1;  // decimals the box shows (-1: the exact general form)
    FieldKind kind = FieldKind::Number;
    std::string unit;    // the column of this value's temperature unit, if any
    std::string choices; // a letter option's letters by button index ("FC", "RI", "GC")
    // The names a text field may hold, matched without regard to case (a correlation choice, its
    // default first); empty: any text.
    std::vector<std::string> words;
    long lo = 1, hi = 0; // the range of a whole number a form can hold (lo > hi: any)
    // The value the objects hold, as it is stored: numbers for every kind but Unit and Text.
    std::function<double(const Q7Objects&)> number;
    std::function<std::string(const Q7Objects&)> text;
    // Gives the objects a value: the text the box shows (numbers) or the letter (units, modes).
    std::function<void(Q7Objects&, std::string_view)> set;
    // Whether the objects hold a value to store at all (empty: always); else the column stays Null.
    std::function<bool(const Q7Objects&)> held;
    // A value that may be left out (a laboratory value not measured): a blank text, in a box or a
    // case, means absent.
    bool blankIsAbsent = false;
    // A choice beside the original inputs (capillary pressure, LET curves, rows, correlations): a
    // project's exported case leaves it out while it holds its start-up value, so the case of a
    // project that never chose it reads as it always did.
    bool quietAtStartUp = false;
    // Why a number is refused for this key ("must be above 0"); empty when it is fine. Empty
    // function: only the kind's own rules apply.
    std::function<std::string(double)> refused;

    bool Stored() const { return !table.empty(); }
    bool Numeric() const { return kind != FieldKind::Unit && kind != FieldKind::Text; }
};

// All fields, in the order of the tables' columns (the order a case is written in).
const std::vector<ProjectField>& ProjectFields();
// The field of a column or case key, matched without regard to case; nullptr when there is none.
const ProjectField* FindField(std::string_view column);
// The fields one data table stores, in column order.
std::vector<const ProjectField*> TableFields(std::string_view table);

// The text a field's box shows for a stored number: ShownText with the field's decimals, a whole
// number for Integer, Flag and Option fields.
std::string FieldText(const ProjectField& field, double value);

// The API and specific gravity, and the ppm and weight-percent salinity, derive each other in
// their objects. Each pair is given as stored: the first (API, ppm) decides, and the second is
// taken as well when it gives the first back. Tells which of the two the other derives (the form
// shows that one as its linked update would).
enum class Derived { Neither, First, Second };
Derived ApplyGravityPair(clsOil& oil, const float* api, const float* sg);

// The oil tab's linked pair, initial GOR and bubble point, given to the object as stored: the GOR
// first ("Calc Pbp"); a stored bubble point that the GOR does not give is taken back ("Calc
// Rsi") when it gives the GOR again, and otherwise the GOR decides. Neither given: the bubble
// point of the GOR the object holds. An absent value is nullptr.
void ApplyOilPair(clsOil& oil, const float* rsi, const float* pbp);

} // namespace q7
