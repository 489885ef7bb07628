#pragma once
// Checked arithmetic: every computed value is stored into its single-precision field through
// Store(), which refuses NaN (an invalid operation such as the log of x <= 0 or 0/0) and values
// that do not fit a float (an overflow, or a division by zero). Later steps compute from the stored
// single, as the tables depend on it.
#include "Errors.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace q7 {

// Throws ArithmeticError when v is not a finite value that fits a float.
inline float CheckFloat(double v) {
    if (std::isnan(v)) throw ArithmeticError("Invalid procedure call or argument");
    if (std::isinf(v)) throw ArithmeticError("Division by zero");
    if (std::fabs(v) > static_cast<double>(FLT_MAX)) throw ArithmeticError("Overflow");
    return static_cast<float>(v);
}

// Stores v into a float field and returns the stored single.
inline float Store(float& field, double v) {
    field = CheckFloat(v);
    return field;
}

// Rounds to a single without storing it anywhere (a value held in a single-precision variable).
inline float Single(double v) {
    return CheckFloat(v);
}

// Checked intermediates in double precision (a failure throws, nothing is silent).
inline double Div(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) throw ArithmeticError("Invalid procedure call or argument");
        throw ArithmeticError("Division by zero");
    }
    double r = a / b;
    if (std::isinf(r)) throw ArithmeticError("Overflow");
    return r;
}

inline double Log(double x) {
    if (!(x > 0.0)) throw ArithmeticError("Invalid procedure call or argument");
    return std::log(x);
}

inline double Sqrt(double x) {
    if (x < 0.0 || std::isnan(x)) throw ArithmeticError("Invalid procedure call or argument");
    return std::sqrt(x);
}

inline double Exp(double x) {
    double r = std::exp(x);
    if (std::isinf(r) || std::isnan(r)) throw ArithmeticError("Overflow");
    return r;
}

// x ^ y with the rules of the language the tables were first computed in: a negative base needs a
// whole exponent; 0 to a negative power divides by zero.
inline double Pow(double x, double y) {
    if (x < 0.0 && y != std::floor(y)) throw ArithmeticError("Invalid procedure call or argument");
    if (x == 0.0 && y < 0.0) throw ArithmeticError("Division by zero");
    double r = std::pow(x, y);
    if (std::isinf(r)) throw ArithmeticError("Overflow");
    if (std::isnan(r)) throw ArithmeticError("Invalid procedure call or argument");
    return r;
}

// A 16-bit integer from a value, refusing what does not fit.
inline std::int16_t CheckInt16(long long v) {
    if (v < INT16_MIN || v > INT16_MAX) throw ArithmeticError("Overflow");
    return static_cast<std::int16_t>(v);
}

// Position k (1-based) of a fixed list or table; outside its capacity throws SubscriptError.
template <typename List> auto& At(List& list, int k) {
    if (k < 1 || k > static_cast<int>(list.size())) throw SubscriptError();
    return list[static_cast<std::size_t>(k - 1)];
}

// A 32-bit integer from a value rounded to a whole number with ties to even (the current rounding
// mode), refusing what does not fit.
inline std::int32_t RoundInt32(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= static_cast<double>(INT32_MIN) && r <= static_cast<double>(INT32_MAX)))
        throw ArithmeticError("Overflow");
    return static_cast<std::int32_t>(r);
}

} // namespace q7
