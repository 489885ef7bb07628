#include "writers/EclipseUnits.h"

#include "numeric/AsciiText.h"
#include "numeric/Checked.h"
#include "numeric/NumericText.h"

#include <cctype>

namespace q7 {

namespace {

// The METRIC value of one field unit (OPM's conversion factors).
double MetricFactor(EclipseQuantity quantity) {
    switch (quantity) {
    case EclipseQuantity::Pressure:
        return 0.0689475729316836; // bar per psi
    case EclipseQuantity::GasOilRatio:
        return 178.107606679; // sm3/sm3 per Mscf/stb
    case EclipseQuantity::GasVolume:
        return 0.00561458333; // rm3/sm3 per rb/Mscf
    case EclipseQuantity::Density:
        return 16.0184633740; // kg/m3 per lb/ft3
    case EclipseQuantity::PerPressure:
        return 14.5037737730; // 1/bar per 1/psi
    case EclipseQuantity::VolumeRatio:
    case EclipseQuantity::Viscosity:
    case EclipseQuantity::Fraction:
        break;
    }
    return 1.0;
}

// Decimals a METRIC column adds so that its last digit is no coarser than the FIELD one's:
// 0.05 psi is 0.0034 bar (3 decimals for 1), 5E-06 rb/Mscf is 2.8E-08 rm3/sm3 (8 for 5). The
// other units are the same size or larger in METRIC.
std::int16_t ExtraDecimals(EclipseQuantity quantity) {
    switch (quantity) {
    case EclipseQuantity::Pressure:
        return 2;
    case EclipseQuantity::GasVolume:
        return 3;
    default:
        return 0;
    }
}

} // namespace

float InUnits(float fieldValue, EclipseQuantity quantity, EclipseUnits units) {
    if (units == EclipseUnits::Field) return fieldValue;
    return Single(static_cast<double>(fieldValue) * MetricFactor(quantity));
}

ColumnFormat ColumnIn(EclipseQuantity quantity, std::int16_t fieldWidth, std::int16_t fieldDecimals,
                      EclipseUnits units) {
    if (units == EclipseUnits::Field) return {fieldWidth, fieldDecimals};
    const std::int16_t extra = ExtraDecimals(quantity);
    const std::int16_t room = quantity == EclipseQuantity::Density ? 2 : 0;
    return {static_cast<std::int16_t>(fieldWidth + extra + room),
            static_cast<std::int16_t>(fieldDecimals + extra)};
}

std::string EclipseNumber(float fieldValue, EclipseQuantity quantity, std::int16_t fieldWidth,
                          std::int16_t fieldDecimals, EclipseUnits units) {
    const ColumnFormat c = ColumnIn(quantity, fieldWidth, fieldDecimals, units);
    return Nbr2Str(InUnits(fieldValue, quantity, units), c.width, c.decimals);
}

const char* UnitsKeyword(EclipseUnits units) {
    return units == EclipseUnits::Field ? "FIELD" : "METRIC";
}

std::optional<EclipseUnits> ParseEclipseUnits(std::string_view word) {
    if (AsciiEqualFold(word, "field")) return EclipseUnits::Field;
    if (AsciiEqualFold(word, "metric")) return EclipseUnits::Metric;
    return std::nullopt;
}

} // namespace q7
