#pragma once
// Texts shared by the writers: the words for the rock choices, the escaping of typed text placed in
// a page and the laboratory match as comment text.
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

class clsRock;
class clsOil;

const char* RockFluidsText(const clsRock& rock);       // "Gas/Oil System" / "Oil/Water System"
const char* RockDisplacementText(const clsRock& rock); // "Imbibition" / "Drainage"
const char* RockLithologyText(const clsRock& rock);    // "Limestone" / "Sandstone"
const char* RockWettabilityText(const clsRock& rock);  // "Oil Wet" / "Water Wet"
const char* RockCorrelationText(const clsRock& rock);  // "Honarpour" / "LET" / "Corey"

// The LET parameters (LET curves chosen) and the capillary-pressure model with its parameters (a
// model chosen for the table's system), as label and value; empty for Corey and Honarpour without
// capillary pressure. Inputs are given in the units typed (psi, mN/m, degrees, md).
struct RockModelLine {
    std::string label; // "Capillary Pressure", "Entry Pressure (psi)", ...
    std::string value; // "Brooks-Corey", "2", "2 1 1.5"
};
std::vector<RockModelLine> RockModelLines(const clsRock& rock);

// Typed text shown literally in a page: &, <, > and " become entity references.
std::string HtmlEscape(std::string_view text);

// The match of the oil tables to laboratory data as comment text, one line each (without the
// comment mark): the laboratory values given and the three factors. Empty when no match was made.
std::vector<std::string> OilMatchLines(const clsOil& oil);

} // namespace q7
