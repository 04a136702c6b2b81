// Feeds arbitrary texts to Calculate and checks the promises the result label makes to a person:
// a warning shows the prefix alone with one of the known messages; a result shows two finite,
// non-negative numbers, the liquid no more than the capacity, each written the way the program
// writes numbers and reading back to the same text.
//
// Input: lines separated by "\n". The first line picks the decimal separator ("," a comma,
// anything else a full stop); the next five are the fields L, D, Delta, Hs and H.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculate.h"

namespace {

void Require(bool ok, const char* what, const calc::CalcOutcome& out) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\nlabel: [%s]\nmessage: [%s]\n", what,
                     out.labelText.c_str(), out.message.c_str());
        std::abort();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view s) {
    for (const char c : s) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return !s.empty();
}

// "0"; or whole digits without leading zeros and at most three fraction digits after the
// separator, the last of them not zero; or, from 1e15 on, a mantissa of at most 15 digits without
// trailing zeros, "E+" and an exponent of 15 or more. Never a minus sign: no volume is negative.
bool IsWrittenNumber(std::string_view s, std::string_view sep) {
    if (const std::size_t e = s.find("E+"); e != std::string_view::npos) {
        std::string_view mantissa = s.substr(0, e);
        const std::string_view exponent = s.substr(e + 2);
        if (!AllDigits(exponent) || exponent.size() < 2 || exponent[0] == '0' ||
            (exponent.size() == 2 && exponent < "15")) {
            return false;
        }
        if (mantissa.size() == 1) {
            return mantissa[0] >= '1' && mantissa[0] <= '9';
        }
        if (mantissa.size() < 2 + sep.size() || mantissa[0] == '0' ||
            mantissa.substr(1, sep.size()) != sep) {
            return false;
        }
        const std::string_view fraction = mantissa.substr(1 + sep.size());
        return AllDigits(fraction) && fraction.size() <= 14 && fraction.back() != '0';
    }
    std::size_t n = 0;
    while (n < s.size() && IsDigit(s[n])) {
        ++n;
    }
    const std::string_view whole = s.substr(0, n);
    if (whole.empty() || (whole.size() > 1 && whole[0] == '0')) {
        return false;
    }
    std::string_view rest = s.substr(n);
    if (rest.empty()) {
        return true;
    }
    if (!rest.starts_with(sep)) {
        return false;
    }
    rest.remove_prefix(sep.size());
    return AllDigits(rest) && rest.size() <= 3 && rest.back() != '0';
}

double CheckNumber(std::string_view text, const calc::NumberLocale& locale,
                   const calc::CalcOutcome& out) {
    Require(IsWrittenNumber(text, locale.decimalSeparator), "a number is not written as usual",
            out);
    const calc::NumberRead read = calc::ReadNumber(text, locale);
    Require(read.status == calc::ReadStatus::Ok, "a number does not read back", out);
    Require(calc::NumberToText(read.value, locale) == text, "a number reads back differently", out);
    return read.value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines(6);
    std::size_t line = 0;
    for (const char c : input) {
        if (c == '\n') {
            if (++line == lines.size()) {
                break;
            }
        } else {
            lines[line] += c;
        }
    }
    const calc::NumberLocale locale{lines[0] == "," ? "," : "."};
    const calc::CalcOutcome out =
        calc::Calculate({lines[1], lines[2], lines[3], lines[4], lines[5]}, locale);

    if (out.kind == calc::OutcomeKind::Warning) {
        Require(out.labelText == calc::ResultPrefix, "a warning leaves more than the prefix", out);
        bool known = false;
        for (const std::string_view m :
             {calc::EmptyFieldMessage, calc::InnerDiameterMessage, calc::LevelRangeMessage,
              calc::NotANumberMessage, calc::OutOfRangeMessage, calc::NegativeMessage}) {
            known = known || out.message == m;
        }
        Require(known, "a warning has an unknown message", out);
        return 0;
    }

    Require(out.message.empty(), "a result carries a message", out);
    std::string_view label = out.labelText;
    Require(label.starts_with(calc::ResultPrefix), "a result does not start with the prefix", out);
    label.remove_prefix(calc::ResultPrefix.size());
    const std::string middle = std::string(calc::VolumeUnit) + std::string(calc::LineBreak) +
                               std::string(calc::TotalPrefix);
    const std::size_t split = label.find(middle);
    Require(split != std::string_view::npos, "a result is not two lines", out);
    Require(label.ends_with(calc::VolumeUnit), "a result does not end in the unit", out);
    const std::string_view liquid = label.substr(0, split);
    const std::string_view total = label.substr(
        split + middle.size(), label.size() - split - middle.size() - calc::VolumeUnit.size());
    const double Vl = CheckNumber(liquid, locale, out);
    const double Vt = CheckNumber(total, locale, out);
    Require(Vl <= Vt, "the vessel holds more liquid than it can", out);
    return 0;
}
