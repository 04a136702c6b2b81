#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

using calc::NumberLocale;
using calc::ReadNumber;
using calc::ReadStatus;

const NumberLocale kPoint{"."};
const NumberLocale kComma{","};
const NumberLocale kArabic{"\u066B"}; // ARABIC DECIMAL SEPARATOR, two bytes in UTF-8

struct Accepted {
    const char* text;
    const NumberLocale* locale;
    double value;
};

TEST(ReadNumber, AcceptsTheNumberGrammar) {
    const Accepted rows[] = {
        {"2020", &kPoint, 2020},
        {"  12.5\t", &kPoint, 12.5},
        {"-1", &kPoint, -1},
        {"+7", &kPoint, 7},
        {"5.", &kPoint, 5},
        {".5", &kPoint, 0.5},
        {"-.25", &kPoint, -0.25},
        {"1e3", &kPoint, 1000},
        {"1.5E-3", &kPoint, 0.0015},
        {"2e+2", &kPoint, 200},
        {"007", &kPoint, 7},
        {"1999,5", &kComma, 1999.5},
        {",5", &kComma, 0.5},
        {"3\u066B25", &kArabic, 3.25},
        {"0.1", &kPoint, 0.1},
        {"1000.0999999999999", &kPoint, 1000.0999999999999},
        {"1.7976931348623157e308", &kPoint, std::numeric_limits<double>::max()},
        // Full-width forms as a Chinese input method types them.
        {"２０２０", &kPoint, 2020},
        {"\u3000１２．５\u3000", &kPoint, 12.5},
        {"－３", &kPoint, -3},
        {"＋３", &kPoint, 3},
        {"1e－3", &kPoint, 0.001},
        {"１９９９,５", &kComma, 1999.5},
        // Chinese punctuation mode types the ideographic full stop and the full-width comma.
        {"１２。５", &kPoint, 12.5},
        {"12。5", &kPoint, 12.5},
        {"１９９９，５", &kComma, 1999.5},
        {"1.5ｅ3", &kPoint, 1500},
        {"２Ｅ－３", &kPoint, 0.002},
        // Too small for a double: the nearest double is zero.
        {"1e-400", &kPoint, 0},
        {"0e99999999999999999999", &kPoint, 0},
        {"4.9406564584124654e-324", &kPoint, std::numeric_limits<double>::denorm_min()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const auto read = ReadNumber(row.text, *row.locale);
        ASSERT_EQ(read.status, ReadStatus::Ok);
        EXPECT_EQ(read.value, row.value);
    }
    EXPECT_TRUE(std::signbit(ReadNumber("-1e-400", kPoint).value));
    EXPECT_TRUE(std::signbit(ReadNumber("-0", kPoint).value));
}

struct Rejected {
    const char* text;
    const NumberLocale* locale;
    ReadStatus status;
};

TEST(ReadNumber, RejectsEverythingElse) {
    const Rejected rows[] = {
        {"", &kPoint, ReadStatus::NotANumber},
        {"   ", &kPoint, ReadStatus::NotANumber},
        {"\u3000", &kPoint, ReadStatus::NotANumber},
        {"abc", &kPoint, ReadStatus::NotANumber},
        {"12mm", &kPoint, ReadStatus::NotANumber},
        {"1e", &kPoint, ReadStatus::NotANumber},
        {"1e+", &kPoint, ReadStatus::NotANumber},
        {".", &kPoint, ReadStatus::NotANumber},
        {"-", &kPoint, ReadStatus::NotANumber},
        {"+-1", &kPoint, ReadStatus::NotANumber},
        {"- 1", &kPoint, ReadStatus::NotANumber},
        {"1 000", &kPoint, ReadStatus::NotANumber},
        {"1,500", &kPoint, ReadStatus::NotANumber},
        {"1.500,5", &kComma, ReadStatus::NotANumber},
        {"1.5", &kComma, ReadStatus::NotANumber},
        {"1．5", &kComma, ReadStatus::NotANumber},
        {"1。5", &kComma, ReadStatus::NotANumber},
        {"1，500", &kPoint, ReadStatus::NotANumber},
        {"1，5", &kPoint, ReadStatus::NotANumber},
        {"1ｅ", &kPoint, ReadStatus::NotANumber},
        {"1\xEF\xBD", &kPoint, ReadStatus::NotANumber}, // cut-off full-width letter
        {"1.2.3", &kPoint, ReadStatus::NotANumber},
        {"inf", &kPoint, ReadStatus::NotANumber},
        {"-infinity", &kPoint, ReadStatus::NotANumber},
        {"nan", &kPoint, ReadStatus::NotANumber},
        {"0x1A", &kPoint, ReadStatus::NotANumber},
        {"$5", &kPoint, ReadStatus::NotANumber},
        {"(5)", &kPoint, ReadStatus::NotANumber},
        {"1e3.5", &kPoint, ReadStatus::NotANumber},
        {"1d3", &kPoint, ReadStatus::NotANumber},
        {"5\xEF\xBC", &kPoint, ReadStatus::NotANumber}, // cut-off full-width character
        {"5\xFF", &kPoint, ReadStatus::NotANumber},
        {"1e999", &kPoint, ReadStatus::OutOfRange},
        {"-1e999", &kPoint, ReadStatus::OutOfRange},
        {"1e99999999999999999999", &kPoint, ReadStatus::OutOfRange},
        {"0.00001e310", &kPoint, ReadStatus::Ok},
        {"1.8e308", &kPoint, ReadStatus::OutOfRange},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const auto read = ReadNumber(row.text, *row.locale);
        EXPECT_EQ(read.status, row.status);
        if (read.status != ReadStatus::Ok) {
            EXPECT_EQ(read.value, 0);
        }
    }
    // An embedded NUL is text after the number, not its end.
    EXPECT_EQ(ReadNumber(std::string("5\0", 2), kPoint).status, ReadStatus::NotANumber);
}

TEST(NumberToText, WritesFifteenSignificantDigitsPositionally) {
    struct Row {
        double x;
        const NumberLocale* locale;
        const char* text;
    };
    const Row rows[] = {
        {17.95, &kPoint, "17.95"},
        {3.429, &kPoint, "3.429"},
        {0.0, &kPoint, "0"},
        {-0.0, &kPoint, "0"},
        {2000, &kPoint, "2000"},
        {1999.5, &kPoint, "1999.5"},
        {1999.5, &kComma, "1999,5"},
        {1999.5, &kArabic, "1999\u066B5"},
        {0.1 + 0.2, &kPoint, "0.3"},
        {1000.0999999999999, &kPoint, "1000.1"},
        {-8.971, &kPoint, "-8.971"},
        {0.001, &kPoint, "0.001"},
        {0.000123, &kComma, "0,000123"},
        {0.999999999999999999, &kPoint, "1"},
        {9.9999999999999995, &kPoint, "10"},
        // From 1e15 on, once rounded to 15 digits, with an exponent: a label has no room for more.
        {999999999999999, &kPoint, "999999999999999"},
        {999999999999999.4, &kPoint, "999999999999999"},
        {999999999999999.6, &kPoint, "1E+15"},
        {1e15, &kPoint, "1E+15"},
        {-1e15, &kPoint, "-1E+15"},
        {1234567890123456, &kPoint, "1.23456789012346E+15"},
        {1234567890123456, &kComma, "1,23456789012346E+15"},
        {1e20, &kPoint, "1E+20"},
        {2.5e100, &kComma, "2,5E+100"},
        {std::numeric_limits<double>::max(), &kPoint, "1.79769313486232E+308"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(calc::NumberToText(row.x, *row.locale), row.text);
    }
}

// The shortcut through the shortest text must give what the fixed 15-digit conversion gives.
TEST(NumberToText, AgreesWithFifteenDigitScientificText) {
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> decimals(0, 17);
    for (int i = 0; i < 200000; ++i) {
        // Half raw bit patterns, half short decimals like the volumes a table holds.
        double x = std::bit_cast<double>(bits(gen));
        if (i % 2 == 0) {
            x = static_cast<double>(bits(gen) % 100000000) / std::pow(10.0, decimals(gen));
        }
        if (!std::isfinite(x) || x == 0) {
            continue;
        }
        char buf[40];
        const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
        double expected = 0;
        std::from_chars(buf, res.ptr, expected);
        ASSERT_EQ(calc::RoundTo15Digits(x), expected) << std::string(buf, res.ptr);
        const std::string text = calc::NumberToText(x, kPoint);
        ASSERT_EQ(ReadNumber(text, kPoint).value, expected) << text;
    }
}

TEST(NumberToText, ReadsBackToTheSameText) {
    for (double x : {17.95, 0.1, 123.456789, -5e-7, 1e15, 98765.4321}) {
        for (const NumberLocale* locale : {&kPoint, &kComma, &kArabic}) {
            const std::string text = calc::NumberToText(x, *locale);
            const auto read = ReadNumber(text, *locale);
            ASSERT_EQ(read.status, ReadStatus::Ok) << text;
            EXPECT_EQ(read.value, calc::RoundTo15Digits(x)) << text;
            EXPECT_EQ(calc::NumberToText(read.value, *locale), text);
        }
    }
}

TEST(RoundTo3, RoundsToTheNearestThousandth) {
    struct Row {
        double x;
        double rounded;
    };
    const Row rows[] = {
        {17.950333333333333, 17.95},
        {0.00010684779736807664, 0},
        {3.4285, 3.429},   // 3.42850000000000010…: above the half
        {1.0005, 1.0},     // 1.00049999999999994…: below the half
        {1.2345, 1.234},   // 1.23449999999999993…
        {0.0625, 0.063},   // exactly halfway: away from zero
        {-0.0625, -0.063}, // likewise
        {0.1875, 0.188},
        {2.5, 2.5},
        {-1.23456, -1.235},
        {1e20, 1e20},
        {123456789.0625, 123456789.063},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        EXPECT_EQ(calc::RoundTo3(row.x), row.rounded);
    }
}

// The rounding works on the exact binary value; formatting it with three decimals and reading
// the text back, exact ties away from zero, is the independent way to get the same double.
TEST(RoundTo3, AgreesWithTheTextRoute) {
    std::mt19937_64 gen(11);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        double x = std::bit_cast<double>(bits(gen));
        if (i % 2 == 0) { // near thousandths and their halves, where rounding is decided
            x = static_cast<double>(static_cast<std::int64_t>(bits(gen) % 2000000000) -
                                    1000000000) /
                    2000 +
                std::ldexp(static_cast<double>(bits(gen) % 5) - 2, -60);
        }
        if (!std::isfinite(x)) {
            continue;
        }
        char buf[400];
        auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 3);
        double expected = 0;
        std::from_chars(buf, res.ptr, expected);
        // to_chars breaks an exact tie to even; the program rounds it away from zero.
        const double sixteenths = x * 16;
        if (std::abs(sixteenths) < 0x1p53 && sixteenths == std::trunc(sixteenths) &&
            std::fmod(sixteenths, 2.0) != 0) {
            const auto j = static_cast<std::int64_t>(sixteenths);
            res = std::to_chars(buf, buf + sizeof buf, (125 * j + (j > 0 ? 1 : -1)) / 2);
            res.ptr = std::copy_n("e-3", 3, res.ptr);
            std::from_chars(buf, res.ptr, expected);
        }
        ASSERT_EQ(calc::RoundTo3(x), expected) << std::string(buf, res.ptr);
        ASSERT_EQ(std::signbit(calc::RoundTo3(x)), std::signbit(expected));
    }
}

TEST(FixedText, WritesExactlyThePlacesAsked) {
    struct Row {
        double x;
        int places;
        const NumberLocale* locale;
        const char* text;
    };
    const Row rows[] = {
        {12.5, 2, &kPoint, "12.50"},    {12.5, 2, &kComma, "12,50"},
        {0.125, 2, &kPoint, "0.13"}, // exact half: away from zero
        {-0.125, 2, &kPoint, "-0.13"},  {-0.001, 2, &kPoint, "0.00"},
        {2.675, 2, &kPoint, "2.67"},    // 2.67499999999999982…: below the half
        {99.995, 2, &kPoint, "100.00"}, // 99.99500000000000454…
        {100, 2, &kPoint, "100.00"},    {7.0625, 3, &kPoint, "7.063"},
        {3, 0, &kPoint, "3"},           {2.5, 0, &kPoint, "3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(calc::FixedText(row.x, row.places, *row.locale), row.text);
    }
    EXPECT_EQ(calc::RoundToPlaces(2.675, 2), 2.67);
    EXPECT_EQ(calc::RoundToPlaces(12.345678, 6), 12.345678);
}

TEST(RoundTo15Digits, GivesTheValueOfTheWrittenText) {
    EXPECT_EQ(calc::RoundTo15Digits(1000.3 - 2 * 0.1), 1000.1);
    EXPECT_EQ(calc::RoundTo15Digits(2000), 2000);
    EXPECT_EQ(calc::RoundTo15Digits(0.1 + 0.2), 0.3);
    EXPECT_EQ(calc::RoundTo15Digits(-1.00000000000000044), -1);
}

} // namespace
