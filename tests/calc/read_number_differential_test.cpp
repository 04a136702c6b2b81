// ReadNumber against std::from_chars on random decimal texts: every text the grammar accepts
// must give the very double from_chars gives, and every text it rejects must be outside the
// grammar, which a regular expression states independently here.

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <regex>
#include <string>

#include "calc/number_text.h"

namespace {

const std::regex kGrammar(R"([ \t]*[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*)");

std::string RandomText(std::mt19937_64& gen, const std::string& separator) {
    std::uniform_int_distribution<int> pick(0, 99);
    auto digits = [&](int most) {
        std::string s;
        const int n = std::uniform_int_distribution<int>(0, most)(gen);
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>('0' + pick(gen) % 10);
        }
        return s;
    };
    auto maybe = [&](int percent, const std::string& s) { return pick(gen) < percent ? s : ""; };
    std::string text = maybe(10, " ") + maybe(25, pick(gen) < 70 ? "-" : "+") + digits(20) +
                       maybe(60, separator) + digits(20);
    if (pick(gen) < 40) {
        text += (pick(gen) < 50 ? "e" : "E") + maybe(40, pick(gen) < 50 ? "-" : "+") +
                digits(pick(gen) < 10 ? 6 : 3);
    }
    text += maybe(10, "\t");
    if (pick(gen) < 10) { // a stray character somewhere
        const char* stray[] = {".", ",", "e", "-", "+", " ", "x", "5"};
        const auto at = std::uniform_int_distribution<std::size_t>(0, text.size())(gen);
        text.insert(at, stray[pick(gen) % 8]);
    }
    return text;
}

// The text as from_chars takes it: "." as separator, no blanks, no leading "+".
std::string ForFromChars(std::string text, const std::string& separator) {
    if (separator != ".") {
        for (char& c : text) {
            c = c == '.' ? '#' : c; // a full stop is no separator here
        }
        for (std::size_t at; (at = text.find(separator)) != std::string::npos;) {
            text.replace(at, separator.size(), ".");
        }
    }
    return text;
}

TEST(ReadNumberDifferential, AgreesWithFromChars) {
    std::mt19937_64 gen(42);
    int accepted = 0;
    for (const std::string separator : {".", ","}) {
        const calc::NumberLocale locale{separator};
        for (int i = 0; i < 100000; ++i) {
            const std::string text = RandomText(gen, separator);
            const std::string plain = ForFromChars(text, separator);
            const calc::NumberRead read = calc::ReadNumber(text, locale);
            if (!std::regex_match(plain, kGrammar)) {
                ASSERT_EQ(read.status, calc::ReadStatus::NotANumber) << '"' << text << '"';
                continue;
            }
            const std::size_t first = plain.find_first_not_of(" \t+");
            const std::size_t last = plain.find_last_not_of(" \t") + 1;
            double expected = 0;
            const auto [ptr, ec] =
                std::from_chars(plain.data() + first, plain.data() + last, expected);
            ASSERT_EQ(ptr, plain.data() + last) << '"' << text << '"';
            if (ec == std::errc::result_out_of_range) {
                // Beyond the largest double, or below the smallest, which reads as zero.
                ASSERT_TRUE(read.status == calc::ReadStatus::OutOfRange ||
                            (read.status == calc::ReadStatus::Ok && read.value == 0))
                    << '"' << text << '"';
                continue;
            }
            ASSERT_EQ(read.status, calc::ReadStatus::Ok) << '"' << text << '"';
            ASSERT_EQ(std::memcmp(&read.value, &expected, sizeof expected), 0)
                << '"' << text << "\": " << read.value << " != " << expected;
            ++accepted;
        }
    }
    EXPECT_GT(accepted, 50000); // most texts are numbers, so the values are really compared
}

} // namespace
