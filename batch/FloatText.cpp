#include "batch/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace q7 {

namespace {

using U128 = unsigned __int128;

constexpr U128 Pow10(int n) {
    U128 v = 1;
    for (int i = 0; i < n; ++i)
        v *= 10;
    return v;
}

struct Pow10Table {
    U128 v[31];
    constexpr Pow10Table() : v{} {
        for (int i = 0; i <= 30; ++i)
            v[i] = Pow10(i);
    }
};
constexpr Pow10Table kPow10;

constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                          "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                          "8081828384858687888990919293949596979899";

char* Fallback(char* first, float v) {
    return std::to_chars(first, first + 32, static_cast<double>(v), std::chars_format::general, 9).ptr;
}

} // namespace

char* WriteFloat9(char* first, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    if ((bits & 0x7FFFFFFF) == 0) {
        if (bits >> 31) *first++ = '-';
        *first++ = '0';
        return first;
    }
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    if (biased == 0 || biased == 0xFF) return Fallback(first, v); // zero, subnormal, inf, nan
    const std::uint64_t m = (bits & 0x7FFFFF) | 0x800000;
    const int e = biased - 150; // |v| = m * 2^e exactly
    if (e < -96) return Fallback(first, v);

    // The 9 leading digits q of |v| * 10^s, for the s that puts q in [10^8, 10^9), rounded to
    // nearest with ties to even, from the exact quotient N / D.
    int k = ((e + 23) * 78913) >> 18; // about floor(log10 |v|): 78913 / 2^18 is log10(2)
    std::uint64_t q = 0;
    for (int tries = 0;; ++tries) {
        const int s = 8 - k;
        if (s < -27 || s > 30 || tries > 3) return Fallback(first, v);
        if (s >= 0 && s <= 12 && e < 0 && e > -64) {
            // m * 10^s < 2^64 and D = 2^-e: the quotient by a shift, the remainder by a mask.
            const std::uint64_t N = m * static_cast<std::uint64_t>(kPow10.v[s]);
            const int shift = -e;
            const std::uint64_t whole = N >> shift;
            if (whole >= 1000000000) {
                ++k;
                continue;
            }
            if (whole < 100000000) {
                --k;
                continue;
            }
            const std::uint64_t r = N & ((std::uint64_t{1} << shift) - 1),
                                half = std::uint64_t{1} << (shift - 1);
            q = whole;
            if (r > half || (r == half && (q & 1))) ++q;
            if (q == 1000000000) {
                q = 100000000;
                ++k;
            }
            break;
        }
        U128 N = m, D = 1;
        if (s >= 0)
            N *= kPow10.v[s];
        else
            D *= kPow10.v[-s];
        if (e >= 0)
            N <<= e;
        else
            D <<= -e;
        const U128 whole = N / D;
        if (whole >= 1000000000) {
            ++k;
            continue;
        }
        if (whole < 100000000) {
            --k;
            continue;
        }
        const U128 r = N - whole * D;
        q = static_cast<std::uint64_t>(whole);
        if (2 * r > D || (2 * r == D && (q & 1))) ++q;
        if (q == 1000000000) {
            q = 100000000;
            ++k;
        }
        break;
    }

    char digits[9];
    auto d = static_cast<std::uint32_t>(q);
    for (int i = 7; i >= 1; i -= 2) {
        const std::uint32_t pair = d % 100;
        d /= 100;
        digits[i] = kPairs[2 * pair];
        digits[i + 1] = kPairs[2 * pair + 1];
    }
    digits[0] = static_cast<char>('0' + d);
    int n = 9; // significant digits after dropping trailing zeros
    while (n > 1 && digits[n - 1] == '0')
        --n;

    char* p = first;
    if (bits >> 31) *p++ = '-';
    if (k >= -4 && k < 9) {
        if (k >= 0) {
            for (int i = 0; i <= k; ++i)
                *p++ = digits[i];
            if (n > k + 1) {
                *p++ = '.';
                for (int i = k + 1; i < n; ++i)
                    *p++ = digits[i];
            }
        } else {
            *p++ = '0';
            *p++ = '.';
            for (int i = 0; i < -k - 1; ++i)
                *p++ = '0';
            for (int i = 0; i < n; ++i)
                *p++ = digits[i];
        }
        return p;
    }
    *p++ = digits[0];
    if (n > 1) {
        *p++ = '.';
        for (int i = 1; i < n; ++i)
            *p++ = digits[i];
    }
    *p++ = 'e';
    *p++ = k < 0 ? '-' : '+';
    const int x = k < 0 ? -k : k;
    if (x >= 100) *p++ = static_cast<char>('0' + x / 100);
    *p++ = static_cast<char>('0' + x / 10 % 10);
    *p++ = static_cast<char>('0' + x % 10);
    return p;
}

} // namespace q7
