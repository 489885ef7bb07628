#include "rock/RockInputRules.h"

#include <array>

namespace q7 {

namespace {

enum class Range {
    Positive,    // above 0
    NonNegative, // 0 or above
    NonPositive, // 0 or below
    UnitKr,      // above 0, at most 1
    Angle,       // 0 up to (not including) 90 degrees: cos θ > 0
};

struct Rule {
    std::string_view key;
    Range range;
};

// J and Brooks–Corey parameters and the caps are positive (a zero exponent or entry pressure gives
// no curve); Skjæveland's water branch is positive and its oil branch negative (SPE 60152); LET's
// L, E and T are positive (L = 0 or T = 0 gives a kr that does not vanish at its end point).
constexpr std::array kRules{
    Rule{"PcowMax", Range::Positive},    Rule{"PcowJA", Range::Positive},
    Rule{"PcowJB", Range::Positive},     Rule{"PcowIFT", Range::Positive},
    Rule{"PcowAngle", Range::Angle},     Rule{"PcowEntry", Range::Positive},
    Rule{"PcowLambda", Range::Positive}, Rule{"PcowCw", Range::NonNegative},
    Rule{"PcowAw", Range::Positive},     Rule{"PcowCo", Range::NonPositive},
    Rule{"PcowAo", Range::Positive},     Rule{"PcogMax", Range::Positive},
    Rule{"PcogJA", Range::Positive},     Rule{"PcogJB", Range::Positive},
    Rule{"PcogIFT", Range::Positive},    Rule{"PcogAngle", Range::Angle},
    Rule{"PcogEntry", Range::Positive},  Rule{"PcogLambda", Range::Positive},
    Rule{"LetWaterL", Range::Positive},  Rule{"LetWaterE", Range::Positive},
    Rule{"LetWaterT", Range::Positive},  Rule{"LetOilL", Range::Positive},
    Rule{"LetOilE", Range::Positive},    Rule{"LetOilT", Range::Positive},
    Rule{"LetGasL", Range::Positive},    Rule{"LetGasE", Range::Positive},
    Rule{"LetGasT", Range::Positive},    Rule{"KrwMax", Range::UnitKr},
    Rule{"KroMax", Range::UnitKr},       Rule{"KrgMax", Range::UnitKr},
};

} // namespace

std::string RockInputProblem(std::string_view key, double value) {
    for (const Rule& rule : kRules) {
        if (rule.key != key) continue;
        switch (rule.range) {
        case Range::Positive:
            return value > 0.0 ? "" : "must be above 0";
        case Range::NonNegative:
            return value >= 0.0 ? "" : "must be 0 or above";
        case Range::NonPositive:
            return value <= 0.0 ? "" : "must be 0 or below";
        case Range::UnitKr:
            return value > 0.0 && value <= 1.0 ? "" : "must be above 0 and at most 1";
        case Range::Angle:
            return value >= 0.0 && value < 90.0 ? "" : "must be from 0 up to (not including) 90 degrees";
        }
    }
    return {};
}

} // namespace q7
