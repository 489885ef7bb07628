#include "numeric/NumericText.h"

#include "numeric/Checked.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace q7 {
namespace {

constexpr int kDigits = 7; // significant digits of the general form
std::string GeneralText(bool negative, std::string digits, int exponent);
bool SevenDigits(float magnitude, std::string& digits, int& exponent);

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when text is: optional sign, digits with an optional '.', optional exponent.
bool IsPlainNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissaDigits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    return i == n;
}

// The exact decimal expansion of a non-negative single: integer digits, then `fraction` digits.
// 150 fraction digits hold every single exactly (the smallest has 149).
constexpr int kExactFractionDigits = 150;

std::string ExactFixed(float magnitude) {
    char buffer[64 + kExactFractionDigits];
    std::snprintf(buffer, sizeof buffer, "%.*f", kExactFractionDigits, static_cast<double>(magnitude));
    return buffer;
}

// Adds one unit to the last digit of a string of decimal digits (a '.' is skipped); returns true when
// the carry runs out of the leftmost digit.
bool IncrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.') continue;
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    return true;
}

// |value| x 10^decimals split exactly into its integer part and whether the rest is at least one
// half, in integer arithmetic: a single is m x 2^q with m below 2^24, so m x 5^decimals x 2^(q+decimals)
// is exact in 128 bits for the magnitudes and decimals the program prints. False when it does not fit.
using Wide = unsigned __int128;

bool ScaledExact(float magnitude, int decimals, Wide& integer, bool& halfOrMore) {
    if (decimals < 0 || decimals > 27 || !std::isfinite(magnitude)) return false;
    // magnitude = mantissa x 2^binaryExponent, read off the single's bits.
    const auto bits = std::bit_cast<std::uint32_t>(magnitude);
    const auto biased = static_cast<int>((bits >> 23) & 0xFFu);
    const std::uint64_t mantissa = biased == 0 ? (bits & 0x7FFFFFu) : ((bits & 0x7FFFFFu) | 0x800000u);
    const int binaryExponent = biased == 0 ? -149 : biased - 150;
    const int shift = binaryExponent + decimals;
    static constexpr auto kPowersOfFive = [] {
        std::array<std::uint64_t, 28> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i)
            p[i] = p[i - 1] * 5u;
        return p;
    }();
    const Wide product = Wide{mantissa} * kPowersOfFive[static_cast<std::size_t>(decimals)]; // below 2^87
    if (shift >= 0) {
        if (shift > 36) return false; // keeps the product below 2^123
        integer = product << shift;
        halfOrMore = false;
        return true;
    }
    const int right = -shift;
    if (right >= 100) { // the value is below 2^87 / 2^100: less than one half
        integer = 0;
        halfOrMore = false;
        return true;
    }
    integer = product >> right;
    const Wide rest = product - (integer << right);
    halfOrMore = rest >= (Wide{1} << (right - 1));
    return true;
}

// Writes the decimal digits of n ending just before `end`; returns where they start.
char* DecimalDigitsBefore(char* end, Wide n) {
    if (n <= UINT64_MAX) {
        auto small = static_cast<std::uint64_t>(n);
        do {
            *--end = static_cast<char>('0' + small % 10);
            small /= 10;
        } while (small != 0);
        return end;
    }
    do {
        *--end = static_cast<char>('0' + static_cast<int>(n % 10));
        n /= 10;
    } while (n != 0);
    return end;
}

std::string DecimalDigits(Wide n) {
    char buffer[48];
    char* end = buffer + sizeof buffer;
    return std::string(DecimalDigitsBefore(end, n), end);
}

// |value| rounded half away from zero to `decimals` places, as digits with at least one integer digit.
std::string FixedMagnitude(float magnitude, int decimals) {
    Wide scaled = 0;
    bool halfOrMore = false;
    if (ScaledExact(magnitude, decimals, scaled, halfOrMore)) {
        if (halfOrMore) ++scaled;
        std::string digits = DecimalDigits(scaled);
        if (decimals == 0) return digits;
        const auto d = static_cast<std::size_t>(decimals);
        if (digits.size() <= d) digits.insert(0, d + 1 - digits.size(), '0');
        // Built by appending: the integer digits, the point, the decimals.
        const std::size_t intDigits = digits.size() - d;
        std::string text(digits, 0, intDigits);
        text += '.';
        text.append(digits, intDigits, d);
        return text;
    }
    std::string exact = ExactFixed(magnitude);
    const std::size_t point = exact.find('.');
    std::string intPart = exact.substr(0, point);
    std::string fracPart = exact.substr(point + 1);
    if (decimals >= static_cast<int>(fracPart.size())) {
        fracPart.append(static_cast<std::size_t>(decimals) - fracPart.size(), '0');
        return decimals > 0 ? intPart + "." + fracPart : intPart;
    }
    const bool roundUp = fracPart[static_cast<std::size_t>(decimals)] >= '5';
    std::string kept = intPart;
    if (decimals > 0) {
        kept += '.';
        kept.append(fracPart, 0, static_cast<std::size_t>(decimals));
    }
    if (roundUp && IncrementDigits(kept)) kept.insert(kept.begin(), '1');
    return kept;
}

} // namespace

float Str2Nbr(std::string_view strIN) {
    std::size_t first = 0;
    std::size_t last = strIN.size();
    while (first < last && IsBlank(strIN[first]))
        ++first;
    while (last > first && IsBlank(strIN[last - 1]))
        --last;
    std::string_view text = strIN.substr(first, last - first);
    if (text.empty()) return 0.0f;
    if (!IsPlainNumber(text)) return 0.0f;
    // from_chars takes no leading '+'.
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return 0.0f;
    const float single = static_cast<float>(value);
    if (std::isinf(single)) return 0.0f;
    return single;
}

float aLog10(float X) {
    return Single(Log(X) / Log(10.0));
}

std::string Nbr2Str(float nbrIN, std::int16_t lenIN, std::int16_t decIN) {
    const std::size_t width = lenIN > 0 ? static_cast<std::size_t>(lenIN) : 0;
    const int decimals = decIN > 0 ? decIN : 0;

    // The usual case, composed right to left in a buffer: digits, point, sign, blanks.
    Wide scaled = 0;
    bool halfOrMore = false;
    if (std::isfinite(nbrIN) && width <= 64 && ScaledExact(std::fabs(nbrIN), decimals, scaled, halfOrMore)) {
        if (halfOrMore) ++scaled;
        char buffer[160];
        char* const end = buffer + sizeof buffer;
        char* p = DecimalDigitsBefore(end, scaled);
        if (decimals > 0) {
            while (end - p <= decimals)
                *--p = '0'; // at least one integer digit
            char* const fraction = end - decimals;
            std::copy(p, fraction, p - 1); // the integer digits move left to make room for the point
            --p;
            *(fraction - 1) = '.';
        }
        if (nbrIN < 0.0f) *--p = '-';
        const auto length = static_cast<std::size_t>(end - p);
        if (length >= width) return std::string(end - width, end);
        return std::string(width - length, ' ').append(p, end);
    }

    std::string text;
    if (std::isnan(nbrIN)) {
        text = "NaN";
    } else if (std::isinf(nbrIN)) {
        text = nbrIN < 0 ? "-Infinity" : "Infinity";
    } else {
        text = FixedMagnitude(std::fabs(nbrIN), decimals);
        if (nbrIN < 0.0f) text.insert(text.begin(), '-');
    }
    if (text.size() >= width) return text.substr(text.size() - width);
    return std::string(width - text.size(), ' ') + text;
}

std::string GeneralForm(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0f) return "0";
    // Seven significant digits of |value| rounded half away, and its decimal exponent: exact in
    // integer arithmetic for the usual magnitudes, through the full decimal expansion otherwise.
    std::string digits;
    int exponent = 0;
    if (SevenDigits(std::fabs(value), digits, exponent)) return GeneralText(value < 0, digits, exponent);

    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%.120e", static_cast<double>(std::fabs(value)));
    std::string scientific = buffer;
    const std::size_t ePos = scientific.find('e');
    exponent = std::stoi(scientific.substr(ePos + 1));
    digits = scientific.substr(0, 1) + scientific.substr(2, ePos - 2);
    const bool roundUp = digits[kDigits] >= '5';
    digits.resize(kDigits);
    if (roundUp && IncrementDigits(digits)) {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exponent;
    }
    return GeneralText(value < 0, digits, exponent);
}

std::string ExactText(float value) {
    std::string text = GeneralForm(value);
    if (!std::isfinite(value) || Str2Nbr(text) == value) return text;
    // The shortest digits that read back as the value, laid out as the general form lays out
    // seven.
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific).ptr;
    const std::string scientific(buffer, end);
    const std::size_t ePos = scientific.find('e');
    std::string digits = scientific.substr(0, 1);
    if (ePos > 2) digits += scientific.substr(2, ePos - 2);
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    return GeneralText(value < 0, digits, exponent);
}

std::string FixedText(float value, int decimals) {
    // Wide enough for any single (39 digits, sign, point), then the blanks dropped.
    std::string text = Nbr2Str(value, static_cast<std::int16_t>(48 + std::max(decimals, 0)),
                               static_cast<std::int16_t>(decimals));
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

std::string ShownText(float value, int decimals) {
    if (decimals >= 0 && std::isfinite(value)) {
        const std::string fixed = FixedText(value, decimals);
        if (Str2Nbr(fixed) == value) return fixed;
    }
    return ExactText(value);
}

namespace {

// The general form from seven significant digits d1...d7 and the decimal exponent of d1.
std::string GeneralText(bool negative, std::string digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent < -4 || exponent >= kDigits) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        text += exponentText;
    } else if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            text += digits + std::string(intDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, intDigits);
            text += '.';
            text.append(digits, intDigits);
        }
    }
    return text;
}

bool SevenDigits(float magnitude, std::string& digits, int& exponent) {
    if (!(magnitude >= 1e-20f && magnitude < 1e7f)) return false;
    int e = static_cast<int>(std::floor(std::log10(static_cast<double>(magnitude))));
    Wide scaled = 0;
    bool halfOrMore = false;
    // The estimate of the decimal exponent may be one off near a power of ten: settle it exactly.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!ScaledExact(magnitude, 6 - e, scaled, halfOrMore)) return false;
        if (scaled >= 10000000u)
            ++e;
        else if (scaled < 1000000u)
            --e;
        else
            break;
    }
    if (scaled < 1000000u || scaled >= 10000000u) return false;
    if (halfOrMore && ++scaled == 10000000u) {
        scaled = 1000000u;
        ++e;
    }
    digits = DecimalDigits(scaled);
    exponent = e;
    return true;
}

} // namespace

} // namespace q7
