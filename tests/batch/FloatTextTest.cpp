// The summaries' number writer against the standard library's general format with 9 digits, which
// it replaces: the same characters for every single tried.
#include "batch/FloatText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Ours(float v) {
    char buf[32];
    return std::string(buf, q7::WriteFloat9(buf, v));
}

std::string Standard(float v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::general, 9);
    return std::string(buf, r.ptr);
}

float FromBits(std::uint32_t bits) {
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

} // namespace

TEST(FloatText, MatchesTheStandardGeneralFormatForEverySingleTried) {
    long tried = 0;
    auto check = [&tried](float v) {
        ++tried;
        const std::string want = Standard(v), got = Ours(v);
        if (want != got) {
            ADD_FAILURE() << "bits " << std::hex <<
                [v] {
                    std::uint32_t b;
                    std::memcpy(&b, &v, sizeof b);
                    return b;
                }() << ": "
                          << got << " instead of " << want;
            return false;
        }
        return true;
    };
    // Special values, the smallest and largest, subnormals.
    for (float v : {0.0f, -0.0f, 1.0f, -1.0f, 0.1f, 1e-5f, 0.0001f, 1e9f, 999999999.0f, 123456789.0f,
                    std::numeric_limits<float>::min(), std::numeric_limits<float>::max(),
                    std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::infinity(),
                    -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()})
        check(v);
    // A thousand singles either side of every power of ten, where the digit count and the layout change.
    for (int k = -45; k <= 38; ++k) {
        const float p = static_cast<float>(std::pow(10.0, k));
        std::uint32_t bits;
        std::memcpy(&bits, &p, sizeof bits);
        for (std::uint32_t d = 0; d < 2000 && bits + d >= 1000; ++d)
            if (!check(FromBits(bits + d - 1000))) return;
    }
    // Every whole number up to 100 000 and its tenths, as tables and inputs hold them.
    for (int i = 0; i <= 100000; ++i)
        if (!check(static_cast<float>(i)) || !check(static_cast<float>(i) / 10.0f)) return;
    // Seeded draws over every bit pattern.
    std::mt19937 rng(20261209);
    for (int i = 0; i < 2000000; ++i)
        if (!check(FromBits(static_cast<std::uint32_t>(rng())))) return;
    EXPECT_GT(tried, 2000000);
}
