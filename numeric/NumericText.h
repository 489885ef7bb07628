#pragma once
// Numbers as text and back: the one rule for reading typed numbers, the fixed-width columns of the
// file writers, and the general form of a single value used wherever a number is shown as typed.
#include <cstdint>
#include <string>
#include <string_view>

namespace q7 {

// Text to a single: optional sign, digits, '.', optional exponent, blanks around ignored.
// Empty text, anything else and a value that does not fit a single give 0; it never fails.
float Str2Nbr(std::string_view strIN);

// Base-10 logarithm of a single, ln(X) / ln(10) in double precision returned as a single.
// Throws ArithmeticError for X <= 0.
float aLog10(float X);

// nbrIN rounded to decIN decimals (half away from zero on the exact value of the single; decIN <= 0
// gives a whole number), at least one integer digit, right-aligned in exactly lenIN characters; a
// longer text loses its leftmost characters.
std::string Nbr2Str(float nbrIN, std::int16_t lenIN, std::int16_t decIN);

// nbrIN rounded to `decimals` decimals as Nbr2Str rounds it, with no padding ("14.7", "-3.0", "0.000").
std::string FixedText(float value, int decimals);

// The general form of a single: at most 7 significant digits, no trailing zeros, exponent form for
// very small or large magnitudes (14.7, 5000, 0.84985, 1E-05, 1.5E+07).
std::string GeneralForm(float value);

// The general form when it reads back as the same single, else the shortest text that does, in
// the same style (40.160805, 1.2345679E+07): a stored value shown this way and read again is the
// value that was stored, bit for bit.
std::string ExactText(float value);

// A stored value as its box shows it: `decimals` fixed decimals (half away from zero, no padding)
// when that reads back as the same single, else ExactText; decimals < 0 is ExactText.
std::string ShownText(float value, int decimals);

} // namespace q7
