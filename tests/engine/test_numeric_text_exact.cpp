// Fixed and general formats round half away from zero on the exact value of the single. The fast
// integer path must agree with rounding the full decimal expansion, digit for digit.
#include "engine/NumericText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

// Reference: the exact decimal expansion of |v| (at most 149 fraction digits), rounded by hand.
std::string ReferenceFixed(float v, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.160f", static_cast<double>(std::fabs(v)));
    std::string s = buf;
    const size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1, static_cast<size_t>(decimals));
    const bool up = s[point + 1 + static_cast<size_t>(decimals)] >= '5';
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[static_cast<size_t>(i)];
    }
    if (decimals > 0) digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
    return (v < 0 ? "-" : "") + digits;
}

std::string Trim(const std::string& s) { return s.substr(s.find_first_not_of(' ')); }

} // namespace

TEST(FixedFormat, AgreesWithTheExactExpansionOnRandomSingles) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<std::uint32_t> bits;
    int checked = 0;
    while (checked < 200000) {
        std::uint32_t b = bits(rng);
        float v;
        std::memcpy(&v, &b, sizeof v);
        if (!std::isfinite(v) || std::fabs(v) > 1e12f) continue;
        const int decimals = static_cast<int>(b % 10);
        ASSERT_EQ(Trim(q7::Nbr2Str(v, 60, static_cast<std::int16_t>(decimals))), ReferenceFixed(v, decimals))
            << "value " << v << " decimals " << decimals;
        ++checked;
    }
}

struct Tie {
    float value;
    int decimals;
    const char* text;
};

class FixedTies : public ::testing::TestWithParam<Tie> {};

// Exact binary halves round away from zero; values just below a decimal half do not round up.
TEST_P(FixedTies, RoundHalfAwayFromZero) {
    EXPECT_EQ(Trim(q7::Nbr2Str(GetParam().value, 40, static_cast<std::int16_t>(GetParam().decimals))),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, FixedTies,
                         ::testing::Values(Tie{0.5f, 0, "1"}, Tie{-0.5f, 0, "-1"}, Tie{2.5f, 0, "3"},
                                           Tie{0.125f, 2, "0.13"}, Tie{-0.375f, 2, "-0.38"},
                                           Tie{1.005f, 2, "1.00"},   // the single lies below 1.005
                                           Tie{0.15f, 1, "0.2"},     // the single lies above 0.15
                                           Tie{9.9999f, 3, "10.000"}, Tie{1e-8f, 3, "0.000"},
                                           Tie{16777215.0f, 0, "16777215"}, Tie{3.0e30f, 0, "2999999894026671207801419726848"}));

TEST(GeneralForm, AgreesWithSevenRoundedSignificantDigitsOnRandomSingles) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> exponent(-12.0, 9.0);
    for (int i = 0; i < 100000; ++i) {
        const float v = static_cast<float>(std::pow(10.0, exponent(rng)));
        // Reference: the exact expansion cut after seven digits, rounded half away from zero.
        const std::string g = q7::GeneralForm(v);
        char exact[256];
        std::snprintf(exact, sizeof exact, "%.150e", static_cast<double>(v));
        std::string mantissa = std::string(exact, 1) + std::string(exact + 2, 7); // d1 d2..d8
        const char* e = std::strchr(exact, 'e');
        double ref = std::stod(mantissa.substr(0, 7)) + (mantissa[7] >= '5' ? 1.0 : 0.0);
        ref = ref * std::pow(10.0, std::atoi(e + 1) - 6);
        ASSERT_NEAR(std::stod(g), ref, std::fabs(ref) * 1e-12) << "value " << v << " general " << g;
    }
}
