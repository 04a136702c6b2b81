// The same inputs give the same bytes on every platform the program is built for: the rows of
// golden_labels.inc were written on Linux (write_golden_labels.cpp) and are checked wherever
// these tests run, on Windows under wine too.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <string>

#include "calc/calculate.h"
#include "calc/portable_math.h"

namespace {

struct GoldenRow {
    const char *separator, *L, *D, *Delta, *Hs, *H, *label, *message;
};

const GoldenRow kGolden[] = {
#include "golden_labels.inc"
};

TEST(CrossPlatform, EveryGoldenInputGivesTheSameOutcome) {
    int results = 0;
    for (const GoldenRow& row : kGolden) {
        const calc::CalcOutcome out =
            calc::Calculate({row.L, row.D, row.Delta, row.Hs, row.H}, {row.separator});
        SCOPED_TRACE(std::string(row.L) + " | " + row.D + " | " + row.Delta + " | " + row.Hs +
                     " | " + row.H + " | " + row.separator);
        EXPECT_EQ(out.labelText, row.label);
        EXPECT_EQ(out.message, row.message);
        results += out.kind == calc::OutcomeKind::Result ? 1 : 0;
    }
    EXPECT_GT(results, 400);
}

std::uint64_t Bits(double x) {
    std::uint64_t b = 0;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

double UlpsApart(double a, double b) {
    return std::abs(static_cast<double>(static_cast<std::int64_t>(Bits(a) - Bits(b))));
}

// The arctangent's bits over a million arguments from 2^-40 to 2^40, folded into one number
// (FNV-1a): any platform whose arithmetic or compiler changed a single bit gives another one. The
// arguments are made from random bits alone, as the C library's exp could differ too.
TEST(CrossPlatform, ArctangentGivesTheSameBitsEverywhere) {
    std::mt19937_64 gen(7);
    std::uint64_t digest = 0xcbf29ce484222325;
    double worst = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const std::uint64_t exponent = 1023 - 40 + gen() % 81;
        const std::uint64_t bits = exponent << 52 | gen() >> 12;
        double x = 0;
        std::memcpy(&x, &bits, sizeof x);
        const double y = calc::Atan(x);
        digest = (digest ^ Bits(y)) * 0x100000001b3;
        worst = std::max(worst, UlpsApart(y, std::atan(x)));
    }
    EXPECT_EQ(digest, 0x535f346e8375114ULL) << std::hex << digest;
    // Within one unit in the last place of the C library's, itself within one of the exact value.
    EXPECT_LE(worst, 1);
}

TEST(CrossPlatform, ArctangentAtItsLimits) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(calc::Atan(0), 0);
    EXPECT_TRUE(std::signbit(calc::Atan(-0.0)));
    EXPECT_EQ(calc::Atan(1), std::numbers::pi / 4);
    EXPECT_EQ(calc::Atan(inf), std::numbers::pi / 2);
    EXPECT_EQ(calc::Atan(-inf), -std::numbers::pi / 2);
    EXPECT_EQ(calc::Atan(1e300), std::numbers::pi / 2);
    EXPECT_EQ(calc::Atan(1e-300), 1e-300);
    EXPECT_TRUE(std::isnan(calc::Atan(std::numeric_limits<double>::quiet_NaN())));
    // Each reduction interval meets the next without a step back.
    for (const double edge : {0.4375, 0.6875, 1.1875, 2.4375, 0x1p66}) {
        SCOPED_TRACE(edge);
        const double below = std::nextafter(edge, 0.0);
        EXPECT_LE(calc::Atan(below), calc::Atan(edge));
        EXPECT_EQ(calc::Atan(-edge), -calc::Atan(edge));
        EXPECT_LE(UlpsApart(calc::Atan(edge), std::atan(edge)), 1);
    }
}

} // namespace
