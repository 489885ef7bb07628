#pragma once
// The words for the rock choices, written once: the report, the CSV, the Eclipse comment lines and
// the Rock Properties tab all say a rock's system, displacement, lithology, wettability and
// relative-permeability family in these words.

namespace q7 {

class clsRock;

const char* RockFluidsText(const clsRock& rock); // "Gas/Oil System" / "Gas/Water System" / "Oil/Water System"
const char* RockDisplacementText(const clsRock& rock); // "Imbibition" / "Drainage"
const char* RockLithologyText(const clsRock& rock);    // "Limestone" / "Sandstone"
const char* RockWettabilityText(const clsRock& rock);  // "Oil Wet" / "Water Wet"
const char* RockCorrelationText(const clsRock& rock);  // "Honarpour" / "LET" / "Corey"

} // namespace q7
