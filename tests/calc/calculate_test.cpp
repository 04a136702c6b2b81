#include "calc/calculate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using calc::Calculate;
using calc::FieldTexts;
using calc::NumberLocale;
using calc::OutcomeKind;

const NumberLocale kPoint{"."};
const NumberLocale kComma{","};

std::string Label(const std::string& liquid, const std::string& total) {
    return "容器内液体总体积：" + liquid + "m3\r卧式容器总容积为：" + total + "m3";
}

struct ResultRow {
    const char* name;
    FieldTexts fields; // L, D, Delta, Hs, H
    const NumberLocale* locale;
    std::string label;
};

TEST(Calculate, ResultLabels) {
    const ResultRow rows[] = {
        {"reference, level 500",
         {"5000", "2020", "10", "25", "500"},
         &kPoint,
         Label("3.429", "17.95")},
        {"reference, centre line",
         {"5000", "2020", "10", "25", "1000"},
         &kPoint,
         Label("8.975", "17.95")},
        {"reference, empty", {"5000", "2020", "10", "25", "0"}, &kPoint, Label("0", "17.95")},
        {"reference, a hair above empty",
         {"5000", "2020", "10", "25", "0.5"},
         &kPoint,
         Label("0", "17.95")},
        {"reference, a hair below the centre",
         {"5000", "2020", "10", "25", "999.999"},
         &kPoint,
         Label("8.979", "17.95")},
        {"reference, a hair above the centre",
         {"5000", "2020", "10", "25", "1000.001"},
         &kPoint,
         Label("8.971", "17.95")},
        {"reference, level 1500",
         {"5000", "2020", "10", "25", "1500"},
         &kPoint,
         Label("14.521", "17.95")},
        {"reference, a hair below full",
         {"5000", "2020", "10", "25", "1999.999"},
         &kPoint,
         Label("17.95", "17.95")},
        {"reference, full", {"5000", "2020", "10", "25", "2000"}, &kPoint, Label("17.95", "17.95")},
        {"medium vessel, half",
         {"6000", "1612", "6", "40", "800"},
         &kPoint,
         Label("6.645", "13.29")},
        {"heads only", {"0", "1000", "0", "0", "250"}, &kPoint, Label("0.041", "0.262")},
        {"comma locale", {"5000", "2020", "10", "25", "1500,0"}, &kComma, Label("14,521", "17,95")},
        {"full-width digits",
         {"５０００", "２０２０", "１０", "２５", "５００"},
         &kPoint,
         Label("3.429", "17.95")},
        {"blanks around numbers",
         {" 5000", "2020 ", "\t10", "25\u3000", " 500 "},
         &kPoint,
         Label("3.429", "17.95")},
        // The level equals the inner diameter worked out on paper, 1000.3 - 2 * 0.1, although
        // the difference in doubles is 1000.0999999999999.
        {"level at the inner diameter typed by hand",
         {"5000", "1000.3", "0.1", "25", "1000.1"},
         &kPoint,
         Label("4.227", "4.227")},
        // Inside the vessel in a comma locale: the comparison is on numbers, not on texts.
        {"comma locale, upper regime",
         {"5000", "2019,5", "10", "25", "1999,2"},
         &kComma,
         Label("17,941", "17,941")},
        {"huge vessel, exponent form",
         {"5000", "1e15", "10", "25", "5e14"},
         &kPoint,
         Label("1.30833333335311E+35", "2.61666666670615E+35")},
        {"huge vessel, exponent form with a comma",
         {"5000", "1e15", "10", "25", "5e14"},
         &kComma,
         Label("1,30833333335311E+35", "2,61666666670615E+35")},
        {"Chinese punctuation mode",
         {"５０００", "２０２０", "１０", "２５", "１５００。０"},
         &kPoint,
         Label("14.521", "17.95")},
        {"Chinese punctuation mode, comma",
         {"5000", "2020", "10", "25", "1500，0"},
         &kComma,
         Label("14,521", "17,95")},
        {"full-width exponent",
         {"5ｅ3", "2.02Ｅ3", "10", "25", "500"},
         &kPoint,
         Label("3.429", "17.95")},
        // A pasted field is read whole, however long.
        {"a field of 100000 characters",
         {std::string(99996, '0') + "5000", "2020", "10", "25", "500"},
         &kPoint,
         Label("3.429", "17.95")},
        // Zero is a real dimension everywhere: heads only, no flange, a thin-wall idealisation;
        // and "-0" is zero.
        {"zero length, flange and wall",
         {"-0", "1000", "0", "-0", "250"},
         &kPoint,
         Label("0.041", "0.262")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto outcome = Calculate(row.fields, *row.locale);
        EXPECT_EQ(outcome.kind, OutcomeKind::Result);
        EXPECT_EQ(outcome.labelText, row.label);
        EXPECT_EQ(outcome.message, "");
    }
}

struct WarningRow {
    const char* name;
    FieldTexts fields; // L, D, Delta, Hs, H
    std::string_view message;
};

TEST(Calculate, WarningsInOrderOfPrecedence) {
    using namespace calc;
    const WarningRow rows[] = {
        {"L empty", {"", "2020", "10", "25", "500"}, EmptyFieldMessage},
        {"D empty", {"5000", "", "10", "25", "500"}, EmptyFieldMessage},
        {"Delta empty", {"5000", "2020", "", "25", "500"}, EmptyFieldMessage},
        {"Hs empty", {"5000", "2020", "10", "", "500"}, EmptyFieldMessage},
        {"H empty", {"5000", "2020", "10", "25", ""}, EmptyFieldMessage},
        {"empty wins over letters", {"abc", "x", "1e999", "y", ""}, EmptyFieldMessage},
        {"blanks alone are not empty", {"5000", "   ", "10", "25", "500"}, NotANumberMessage},
        {"D not a number", {"5000", "2020mm", "10", "25", "500"}, NotANumberMessage},
        {"dimensions read D first", {"1e999", "abc", "10", "25", "500"}, NotANumberMessage},
        {"L read last", {"abc", "2020", "1e999", "25", "500"}, OutOfRangeMessage},
        {"Delta too large", {"5000", "2020", "1e999", "25", "500"}, OutOfRangeMessage},
        {"inner diameter zero", {"5000", "20", "10", "25", "500"}, InnerDiameterMessage},
        {"inner diameter negative", {"5000", "10", "10", "25", "500"}, InnerDiameterMessage},
        {"diameter wins over a bad level", {"5000", "20", "10", "25", "abc"}, InnerDiameterMessage},
        {"level not a number", {"5000", "2020", "10", "25", "abc"}, NotANumberMessage},
        {"level too large", {"5000", "2020", "10", "25", "1e999"}, OutOfRangeMessage},
        {"level above the vessel", {"5000", "2020", "10", "25", "2000.5"}, LevelRangeMessage},
        {"level below the vessel", {"5000", "2020", "10", "25", "-1"}, LevelRangeMessage},
        {"level a hair above full",
         {"5000", "2020", "10", "25", "2000.00000000001"},
         LevelRangeMessage},
        {"grouped level", {"5000", "2020", "10", "25", "1,500"}, NotANumberMessage},
        {"diameter overflows", {"5000", "-1e308", "1e308", "25", "500"}, OutOfRangeMessage},
        // Below zero, a wall would add room and a length would take it away.
        {"negative wall", {"5000", "2020", "-10", "25", "500"}, NegativeMessage},
        {"negative flange", {"5000", "2020", "10", "-25", "500"}, NegativeMessage},
        {"negative length", {"-10000", "2020", "10", "25", "500"}, NegativeMessage},
        {"negative length, a hair", {"-1e-300", "2020", "10", "25", "500"}, NegativeMessage},
        {"outer diameter has no sign test",
         {"5000", "-2020", "10", "25", "500"},
         InnerDiameterMessage},
        {"a bad D is read before a negative wall",
         {"5000", "x", "-10", "25", "500"},
         NotANumberMessage},
        {"a negative wall is found before a bad flange",
         {"5000", "2020", "-10", "x", "500"},
         NegativeMessage},
        {"a bad flange is read before a negative length",
         {"-1", "2020", "10", "x", "500"},
         NotANumberMessage},
        {"negative before the inner diameter", {"-1", "20", "10", "25", "500"}, NegativeMessage},
        {"length overflows", {"5000", "2020", "10", "1e308", "500"}, OutOfRangeMessage},
        {"capacity overflows", {"5000", "1e200", "10", "25", "500"}, OutOfRangeMessage},
        // The capacity stays finite while a head layer's intermediate passes the double range.
        {"liquid volume overflows", {"0", "1e80", "0", "0", "1e79"}, OutOfRangeMessage},
        // So wide that a 5 mm layer is lost in rounding: its terms cancel to a negative volume.
        {"liquid volume lost to rounding", {"15", "101e45", "12", "0", "5"}, OutOfRangeMessage},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto outcome = Calculate(row.fields, kPoint);
        EXPECT_EQ(outcome.kind, OutcomeKind::Warning);
        EXPECT_EQ(outcome.labelText, ResultPrefix);
        EXPECT_EQ(outcome.message, row.message);
    }
}

TEST(Calculate, CommaLocaleRejectsPointDecimals) {
    const auto outcome = Calculate({"5000", "2020", "10", "25", "1500.5"}, kComma);
    EXPECT_EQ(outcome.kind, OutcomeKind::Warning);
    EXPECT_EQ(outcome.message, calc::NotANumberMessage);
}

} // namespace
