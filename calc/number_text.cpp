#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace calc {
namespace {

enum class Kind { Digit, Plus, Minus, Separator, Exponent, Blank, Other, End };

struct Token {
    Kind kind;
    char digit; // '0'..'9' for a Digit
    std::size_t size;
};

// One character of a number text. The locale's separator is matched first, as it may be several
// bytes long; the full-width forms are those a Chinese input method types in full-width mode.
Token NextToken(std::string_view text, std::size_t pos, std::string_view separator) {
    if (pos >= text.size()) {
        return {Kind::End, 0, 0};
    }
    const std::string_view rest = text.substr(pos);
    if (rest.starts_with(separator)) {
        return {Kind::Separator, 0, separator.size()};
    }
    const char c = rest[0];
    if (c >= '0' && c <= '9') {
        return {Kind::Digit, c, 1};
    }
    switch (c) {
    case '+':
        return {Kind::Plus, 0, 1};
    case '-':
        return {Kind::Minus, 0, 1};
    case 'e':
    case 'E':
        return {Kind::Exponent, 0, 1};
    case ' ':
    case '\t':
        return {Kind::Blank, 0, 1};
    default:
        break;
    }
    if (rest.starts_with("\u3000")) { // ideographic space
        return {Kind::Blank, 0, 3};
    }
    if (rest.size() >= 3 && rest.starts_with("\xEF\xBC")) { // U+FF00..U+FF3F
        const auto third = static_cast<unsigned char>(rest[2]);
        if (third >= 0x90 && third <= 0x99) { // ０..９
            return {Kind::Digit, static_cast<char>('0' + (third - 0x90)), 3};
        }
        if (third == 0x8B) { // ＋
            return {Kind::Plus, 0, 3};
        }
        if (third == 0x8D) { // －
            return {Kind::Minus, 0, 3};
        }
        if (third == 0x8E && separator == ".") { // ．
            return {Kind::Separator, 0, 3};
        }
    }
    return {Kind::Other, 0, 1};
}

// Walks a number text one character (Token) at a time.
class Scanner {
  public:
    Scanner(std::string_view text, std::string_view separator)
        : text_(text), separator_(separator), tok_(NextToken(text, 0, separator)) {}

    [[nodiscard]] Kind kind() const { return tok_.kind; }
    [[nodiscard]] char digit() const { return tok_.digit; }

    void Advance() {
        pos_ += tok_.size;
        tok_ = NextToken(text_, pos_, separator_);
    }
    void SkipBlanks() {
        while (kind() == Kind::Blank) {
            Advance();
        }
    }
    // Takes an optional sign; true for a minus.
    bool TakeSign() {
        const bool minus = kind() == Kind::Minus;
        if (minus || kind() == Kind::Plus) {
            Advance();
        }
        return minus;
    }
    bool Take(Kind k) {
        if (kind() != k) {
            return false;
        }
        Advance();
        return true;
    }

  private:
    std::string_view text_;
    std::string_view separator_;
    std::size_t pos_ = 0;
    Token tok_;
};

std::string_view SeparatorOf(const NumberLocale& locale) {
    return locale.decimalSeparator.empty() ? std::string_view(".") : locale.decimalSeparator;
}

// Exponents are read up to this size: enough to tell any overflow from any underflow.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// The longest text to_chars writes for a double with three fixed fraction digits: 309 integer
// digits, a sign, a point and three digits.
constexpr std::size_t kFixedBufferSize = 320;

// x in scientific notation with 15 significant digits, as "[-]d.ddddddddddddddde[+-]dd".
struct Scientific15 {
    std::array<char, 32> chars{};
    std::size_t size = 0;
};

Scientific15 ToScientific15(double x) {
    Scientific15 s;
    const auto res = std::to_chars(s.chars.data(), s.chars.data() + s.chars.size(), x,
                                   std::chars_format::scientific, 14);
    s.size = static_cast<std::size_t>(res.ptr - s.chars.data());
    return s;
}

double ParseAscii(const char* first, const char* last) {
    double value = 0;
    std::from_chars(first, last, value);
    return value;
}

} // namespace

NumberRead ReadNumber(std::string_view text, const NumberLocale& locale) {
    const std::string_view separator = SeparatorOf(locale);
    const NumberRead notANumber{ReadStatus::NotANumber, 0};

    // The number is rewritten in plain ASCII, "[-]d+[.d+][e[-]d+]", the form from_chars reads
    // exactly; from_chars alone would also take "inf", "nan" or the "1" of "1e".
    std::string ascii;
    ascii.reserve(text.size() + 2);
    Scanner scan(text, separator);

    scan.SkipBlanks();
    const bool negative = scan.TakeSign();
    if (negative) {
        ascii += '-';
    }

    // Order of magnitude of the leading significant digit, to tell overflow from underflow.
    std::int64_t magnitude = 0;
    bool significant = false;
    int intDigits = 0;
    for (; scan.kind() == Kind::Digit; scan.Advance()) {
        ascii += scan.digit();
        ++intDigits;
        significant = significant || scan.digit() != '0';
        magnitude += significant ? 1 : 0;
    }
    if (intDigits == 0) {
        ascii += '0';
    }
    int fracDigits = 0;
    if (scan.Take(Kind::Separator)) {
        ascii += '.';
        for (; scan.kind() == Kind::Digit; scan.Advance()) {
            ascii += scan.digit();
            ++fracDigits;
            if (!significant) {
                significant = scan.digit() != '0';
                magnitude -= significant ? 0 : 1;
            }
        }
        if (fracDigits == 0) {
            ascii.pop_back();
        }
    }
    if (intDigits + fracDigits == 0) {
        return notANumber;
    }

    std::int64_t exponent = 0;
    if (scan.Take(Kind::Exponent)) {
        ascii += 'e';
        const bool negativeExponent = scan.TakeSign();
        if (negativeExponent) {
            ascii += '-';
        }
        int expDigits = 0;
        for (; scan.kind() == Kind::Digit; scan.Advance()) {
            ascii += scan.digit();
            ++expDigits;
            exponent = std::min(exponent * 10 + (scan.digit() - '0'), kExponentCap);
        }
        if (expDigits == 0) {
            return notANumber;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }

    scan.SkipBlanks();
    if (scan.kind() != Kind::End) {
        return notANumber;
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0) {
            return {ReadStatus::OutOfRange, 0};
        }
        return {ReadStatus::Ok, negative ? -0.0 : 0.0};
    }
    if (ec != std::errc() || ptr != ascii.data() + ascii.size()) {
        return notANumber; // not reached: the text above is always a complete number
    }
    return {ReadStatus::Ok, value};
}

std::string NumberToText(double x, const NumberLocale& locale) {
    if (x == 0) {
        return "0";
    }
    if (!std::isfinite(x)) {
        return std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
    }
    const std::string_view separator = SeparatorOf(locale);

    const Scientific15 sci = ToScientific15(x);
    const std::string_view s(sci.chars.data(), sci.size);
    const bool negative = s.front() == '-';
    const std::size_t lead = negative ? 1 : 0;
    const std::size_t e = s.find('e');

    std::string digits;
    digits += s[lead];
    digits.append(s.substr(lead + 2, e - lead - 2));
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    const std::size_t expStart = s[e + 1] == '+' ? e + 2 : e + 1;
    std::from_chars(s.data() + expStart, s.data() + s.size(), exponent);

    std::string out;
    out.reserve(digits.size() + 8 + static_cast<std::size_t>(std::abs(exponent)));
    if (negative) {
        out += '-';
    }
    const auto count = static_cast<int>(digits.size());
    if (exponent >= 0) {
        const int intCount = exponent + 1;
        out.append(digits, 0, static_cast<std::size_t>(std::min(intCount, count)));
        if (intCount >= count) {
            out.append(static_cast<std::size_t>(intCount - count), '0');
        } else {
            out.append(separator);
            out.append(digits, static_cast<std::size_t>(intCount));
        }
    } else {
        out += '0';
        out.append(separator);
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits);
    }
    return out;
}

double RoundTo15Digits(double x) {
    if (x == 0 || !std::isfinite(x)) {
        return x;
    }
    const Scientific15 sci = ToScientific15(x);
    return ParseAscii(sci.chars.data(), sci.chars.data() + sci.size);
}

double RoundTo3(double x) {
    if (!std::isfinite(x)) {
        return x;
    }
    // A double lies exactly halfway between two multiples of 0.001 only when it is an odd number
    // of sixteenths (x = j/16 gives 1000x = 125j/2). to_chars breaks such ties to even; a person
    // rounding 0.0625 expects 0.063, so these are rounded away from zero in whole thousandths.
    const double sixteenths = x * 16;
    if (std::abs(sixteenths) < 0x1p53 && sixteenths == std::trunc(sixteenths) &&
        std::fmod(sixteenths, 2.0) != 0) {
        const auto j = static_cast<std::int64_t>(sixteenths);
        const std::int64_t thousandths = (125 * j + (j > 0 ? 1 : -1)) / 2;
        std::array<char, 32> buf{};
        char* end = std::to_chars(buf.data(), buf.data() + buf.size(), thousandths).ptr;
        end = std::copy_n("e-3", 3, end);
        return ParseAscii(buf.data(), end);
    }
    std::array<char, kFixedBufferSize> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, 3);
    return ParseAscii(buf.data(), res.ptr);
}

} // namespace calc
