#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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
        {1e20, &kPoint, "100000000000000000000"},
        {123456789012345678.0, &kPoint, "123456789012346000"},
        {0.999999999999999999, &kPoint, "1"},
        {9.9999999999999995, &kPoint, "10"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(calc::NumberToText(row.x, *row.locale), row.text);
    }
    const std::string largest = calc::NumberToText(std::numeric_limits<double>::max(), kPoint);
    EXPECT_EQ(largest.size(), 309U);
    EXPECT_TRUE(largest.starts_with("179769313486232000"));
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

TEST(RoundTo15Digits, GivesTheValueOfTheWrittenText) {
    EXPECT_EQ(calc::RoundTo15Digits(1000.3 - 2 * 0.1), 1000.1);
    EXPECT_EQ(calc::RoundTo15Digits(2000), 2000);
    EXPECT_EQ(calc::RoundTo15Digits(0.1 + 0.2), 0.3);
    EXPECT_EQ(calc::RoundTo15Digits(-1.00000000000000044), -1);
}

} // namespace
