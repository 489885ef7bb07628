// Numeric text: the reading of typed numbers, the fixed-width columns of the writers and the
// general form of a single.
#include "numeric/NumericText.h"
#include "numeric/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

using q7::GeneralForm;
using q7::Nbr2Str;
using q7::Str2Nbr;

struct ParseCase {
    const char* text;
    float expected;
};

class Str2NbrTable : public testing::TestWithParam<ParseCase> {};

// Exact: the text is read to the nearest single.
TEST_P(Str2NbrTable, ReadsTheSingleOrZero) {
    EXPECT_EQ(Str2Nbr(GetParam().text), GetParam().expected) << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(NumbersAndNonNumbers, Str2NbrTable,
                         testing::Values(ParseCase{"", 0.0f}, ParseCase{"abc", 0.0f},
                                         ParseCase{" 14.7 ", 14.7f}, ParseCase{"\t7\t", 7.0f},
                                         ParseCase{"1e3", 1000.0f}, ParseCase{"1E+2", 100.0f},
                                         ParseCase{"2.5e-1", 0.25f}, ParseCase{"-2.5", -2.5f},
                                         ParseCase{"+3", 3.0f}, ParseCase{".5", 0.5f}, ParseCase{"5.", 5.0f},
                                         ParseCase{"0.1", 0.1f}, ParseCase{"683.9", 683.9f},
                                         ParseCase{"-", 0.0f}, ParseCase{".", 0.0f}, ParseCase{"e5", 0.0f},
                                         ParseCase{"1e", 0.0f}, ParseCase{"1,5", 0.0f},
                                         ParseCase{"12abc", 0.0f}, ParseCase{"1 2", 0.0f},
                                         ParseCase{"0x10", 0.0f}, ParseCase{"--1", 0.0f},
                                         // A value beyond the range of a single is no number either.
                                         ParseCase{"1e39", 0.0f}, ParseCase{"-1e39", 0.0f},
                                         ParseCase{"1e400", 0.0f}, ParseCase{"3.4e38", 3.4e38f}));

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
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
            digits[static_cast<size_t>(i--)] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<size_t>(i)];
    }
    if (decimals > 0) digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
    return (v < 0 ? "-" : "") + digits;
}

std::string Trim(const std::string& s) {
    return s.substr(s.find_first_not_of(' '));
}

// The fast integer path must agree with rounding the full decimal expansion, digit for digit.
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

struct FixedCase {
    float value;
    int length;
    int decimals;
    const char* expected;
};

class Nbr2StrTable : public testing::TestWithParam<FixedCase> {};

TEST_P(Nbr2StrTable, RightAlignsTheRoundedNumber) {
    const FixedCase& c = GetParam();
    const std::string text =
        Nbr2Str(c.value, static_cast<std::int16_t>(c.length), static_cast<std::int16_t>(c.decimals));
    EXPECT_EQ(text, c.expected) << c.value << " in " << c.length << " with " << c.decimals << " decimals";
    EXPECT_EQ(text.size(), static_cast<std::size_t>(std::max(c.length, 0)));
}

INSTANTIATE_TEST_SUITE_P(Columns, Nbr2StrTable,
                         testing::Values(FixedCase{14.7f, 8, 2, "   14.70"},
                                         FixedCase{5000.0f, 6, 0, "  5000"},
                                         // Six characters exactly: no room for a blank.
                                         FixedCase{-0.5f, 6, 3, "-0.500"}, FixedCase{-0.5f, 7, 3, " -0.500"},
                                         // The field is never widened: the left characters go.
                                         FixedCase{123456.7f, 5, 1, "456.7"},
                                         FixedCase{14.7f, 5, -2, "   15"}, FixedCase{0.0f, 6, 3, " 0.000"},
                                         FixedCase{-0.0f, 3, 0, "  0"}, FixedCase{14.7f, 0, 2, ""},
                                         FixedCase{999.96f, 7, 1, " 1000.0"}, FixedCase{9.5f, 3, 0, " 10"},
                                         FixedCase{0.0000189f, 10, 7, " 0.0000189"},
                                         FixedCase{2213.726f, 10, 1, "    2213.7"}));

// Ties go away from zero, judged on the exact value of the single (1.005 is held as 1.00499999...).
INSTANTIATE_TEST_SUITE_P(Ties, Nbr2StrTable,
                         testing::Values(FixedCase{2.5f, 4, 0, "   3"}, FixedCase{-2.5f, 4, 0, "  -3"},
                                         FixedCase{0.5f, 2, 0, " 1"}, FixedCase{0.125f, 5, 2, " 0.13"},
                                         FixedCase{-0.125f, 5, 2, "-0.13"}, FixedCase{0.375f, 4, 2, "0.38"},
                                         FixedCase{1.005f, 5, 2, " 1.00"},
                                         FixedCase{1.0000001f, 8, 6, "1.000000"},
                                         FixedCase{3.4028235e38f, 6, 0, "925440"},
                                         FixedCase{-0.5f, 2, 0, "-1"}, FixedCase{-0.375f, 5, 2, "-0.38"},
                                         FixedCase{0.15f, 3, 1, "0.2"}, // the single lies above 0.15
                                         FixedCase{9.9999f, 6, 3, "10.000"}, FixedCase{1e-8f, 5, 3, "0.000"},
                                         FixedCase{16777215.0f, 8, 0, "16777215"},
                                         FixedCase{3.0e30f, 31, 0, "2999999894026671207801419726848"}));

struct GeneralCase {
    float value;
    const char* expected;
};

class GeneralFormTable : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormTable, SevenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(GeneralForm(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralFormTable,
    testing::Values(GeneralCase{14.7f, "14.7"}, GeneralCase{5000.0f, "5000"},
                    GeneralCase{0.84985f, "0.84985"}, GeneralCase{141.5f / 166.5f, "0.8498498"},
                    GeneralCase{683.9f, "683.9"}, GeneralCase{2213.7256f, "2213.726"}, GeneralCase{0.0f, "0"},
                    GeneralCase{-0.0f, "0"}, GeneralCase{-2.5f, "-2.5"}, GeneralCase{0.1f, "0.1"},
                    GeneralCase{1.0f / 3.0f, "0.3333333"}, GeneralCase{2.0f / 3.0f, "0.6666667"},
                    GeneralCase{1234567.0f, "1234567"}, GeneralCase{100000.0f, "100000"},
                    GeneralCase{0.0001f, "0.0001"}, GeneralCase{9999999.0f, "9999999"}));

// Below 1E-04 and from 1E+07 on the exponent form is used, with at least two exponent digits.
INSTANTIATE_TEST_SUITE_P(ExponentForm, GeneralFormTable,
                         testing::Values(GeneralCase{1e-5f, "1E-05"}, GeneralCase{1.5e7f, "1.5E+07"},
                                         GeneralCase{1e7f, "1E+07"}, GeneralCase{12345678.0f, "1.234568E+07"},
                                         GeneralCase{-1.234568e-10f, "-1.234568E-10"},
                                         GeneralCase{3.4028235e38f, "3.402823E+38"},
                                         GeneralCase{0.00001234f, "1.234E-05"}));

// ln(X) / ln(10) in double, returned as a single.
TEST(ALog10, PowersOfTenAreExactAndOthersWithinOneUlp) {
    EXPECT_EQ(q7::aLog10(100.0f), 2.0f);
    EXPECT_EQ(q7::aLog10(1000.0f), 3.0f);
    EXPECT_EQ(q7::aLog10(1.0f), 0.0f);
    for (float x : {0.84985f, 0.9f, 50.0f, 75.0f, 150.0f, 0.43592f}) {
        EXPECT_NEAR(q7::aLog10(x), std::log10(x), 1e-7) << x;
    }
}

TEST(ALog10, ZeroAndNegativeArgumentsRaise) {
    EXPECT_THROW(q7::aLog10(0.0f), q7::ArithmeticError);
    EXPECT_THROW(q7::aLog10(-1.0f), q7::ArithmeticError);
}

} // namespace

namespace {

// A stored single shown and read back is the single that was stored, over singles drawn across
// the magnitudes the inputs take; where seven digits are enough the text is the general form.
TEST(ExactText, ReadsBackAsTheSameSingle) {
    std::mt19937 draw(7);
    std::uniform_real_distribution<double> exponent(-6.0, 8.0);
    int longer = 0;
    for (int i = 0; i < 20000; ++i) {
        const float v = static_cast<float>(std::pow(10.0, exponent(draw))) * (i % 7 == 0 ? -1.0f : 1.0f);
        const std::string text = q7::ExactText(v);
        ASSERT_EQ(Str2Nbr(text), v) << text;
        if (Str2Nbr(GeneralForm(v)) == v)
            EXPECT_EQ(text, GeneralForm(v));
        else
            ++longer;
    }
    EXPECT_GT(longer, 0); // some singles do need eight or nine digits
    EXPECT_EQ(q7::ExactText(40.160805f), "40.160805");
    EXPECT_EQ(q7::ExactText(2035.716f), "2035.716");
    EXPECT_EQ(q7::ExactText(750.5f), "750.5");
    EXPECT_EQ(q7::ExactText(0.8628f), "0.8628");
    EXPECT_EQ(q7::ExactText(1e-05f), "1E-05");
    EXPECT_EQ(q7::ExactText(12345679.0f), "1.2345679E+07");
}

// A box's fixed decimals when they lose nothing, else the exact text.
TEST(ShownText, FixedDecimalsOnlyWhenTheyLoseNothing) {
    EXPECT_EQ(q7::ShownText(0.65f, 4), "0.6500");
    EXPECT_EQ(q7::ShownText(0.25f, 2), "0.25");
    EXPECT_EQ(q7::ShownText(0.255f, 2), "0.255");
    EXPECT_EQ(q7::ShownText(0.12345f, 4), "0.12345");
    EXPECT_EQ(q7::ShownText(0.0f, 4), "0.0000");
    EXPECT_EQ(q7::ShownText(14.7f, -1), "14.7");
}

} // namespace
