#pragma once
// The unit systems of the Eclipse include files. The engine computes in field units and every table
// column is laid out from its field value; a METRIC file converts that value here, with the factors
// OPM uses, and writes it with enough decimals that it is never less precise than its FIELD twin.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q7 {

enum class EclipseUnits { Field, Metric };

// What a column holds, named by its field unit.
enum class EclipseQuantity {
    Pressure,    // psia -> barsa
    GasOilRatio, // Mscf/stb -> sm3/sm3
    VolumeRatio, // Bo, Bw: rb/stb -> rm3/sm3 (the same number)
    GasVolume,   // Bg: rb/Mscf -> rm3/sm3
    Viscosity,   // cp -> cP
    Density,     // lb/ft3 -> kg/m3
    PerPressure, // compressibility, viscosibility: 1/psi -> 1/bar
    Fraction,    // saturations and relative permeabilities
};

// The field value in `units`, as a single.
float InUnits(float fieldValue, EclipseQuantity quantity, EclipseUnits units);

// Width and decimals of a column that holds `fieldDecimals` decimals in `fieldWidth` characters
// in a FIELD file. A METRIC column gains the decimals its smaller unit needs (pressure 2, Bg 3)
// and the room for them; density columns gain two characters for values near 1000 kg/m3.
struct ColumnFormat {
    std::int16_t width;
    std::int16_t decimals;
};
ColumnFormat ColumnIn(EclipseQuantity quantity, std::int16_t fieldWidth, std::int16_t fieldDecimals,
                      EclipseUnits units);

// The field value converted and written in its column: in FIELD units exactly what
// Nbr2Str(fieldValue, fieldWidth, fieldDecimals) gives.
std::string EclipseNumber(float fieldValue, EclipseQuantity quantity, std::int16_t fieldWidth,
                          std::int16_t fieldDecimals, EclipseUnits units);

// "FIELD" or "METRIC", the keyword of the deck's RUNSPEC section.
const char* UnitsKeyword(EclipseUnits units);
// The comment line that opens every METRIC file, naming the units of its columns.
inline constexpr std::string_view kMetricHeading =
    "-- METRIC units: pressure barsa, Rs sm3/sm3, Bo Bg Bw rm3/sm3, viscosity cP, density kg/m3, "
    "compressibility and viscosibility 1/bar, saturations fractions";

// "field" or "metric" (any case) as typed on a command line; nothing for another word.
std::optional<EclipseUnits> ParseEclipseUnits(std::string_view word);

} // namespace q7
