#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
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
// bytes long. The other forms are those Chinese input methods type: full-width digits, signs and
// letters, the ideographic space, and in Chinese punctuation mode the ideographic full stop for
// "." and the full-width comma for ",".
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
    if (rest.starts_with("\u3002")) { // 。
        return {separator == "." ? Kind::Separator : Kind::Other, 0, 3};
    }
    if (rest.size() >= 3 && rest.starts_with("\xEF\xBC")) { // U+FF00..U+FF3F
        const auto third = static_cast<unsigned char>(rest[2]);
        if (third >= 0x90 && third <= 0x99) { // ０..９
            return {Kind::Digit, static_cast<char>('0' + (third - 0x90)), 3};
        }
        switch (third) {
        case 0x8B: // ＋
            return {Kind::Plus, 0, 3};
        case 0x8D: // －
            return {Kind::Minus, 0, 3};
        case 0x8E: // ．
            return {separator == "." ? Kind::Separator : Kind::Other, 0, 3};
        case 0x8C: // ，
            return {separator == "," ? Kind::Separator : Kind::Other, 0, 3};
        case 0xA5: // Ｅ
            return {Kind::Exponent, 0, 3};
        default:
            break;
        }
    }
    if (rest.starts_with("\uFF45")) { // ｅ
        return {Kind::Exponent, 0, 3};
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

// Where the number is rewritten for from_chars: on the stack for any text a person types, on the
// heap for a longer one (a pasted column of zeros, say). The rewrite is never longer than the
// text plus a leading "0".
class AsciiBuffer {
  public:
    explicit AsciiBuffer(std::size_t textSize) {
        if (textSize + 1 > small_.size()) {
            large_.resize(textSize + 1);
            begin_ = large_.data();
        }
        end_ = begin_;
    }
    void Add(char c) { *end_++ = c; }
    void DropLast() { --end_; }
    [[nodiscard]] const char* begin() const { return begin_; }
    [[nodiscard]] const char* end() const { return end_; }

  private:
    std::array<char, 64> small_{};
    std::string large_;
    char* begin_ = small_.data();
    char* end_;
};

// The lowest power of ten at or above which a number is written with an exponent: 15
// significant digits then no longer reach the units, and a label has room for no more.
constexpr int kExponentFrom = 15;

// x to 15 significant digits in scientific notation, "[-]d.ddde[+-]dd". The shortest text that
// reads back as x, when it has at most 15 digits, is x to 15 digits: it lies within half an ulp
// of x, and 15-digit numbers are always more than an ulp apart. Only the rare longer case needs
// the slower fixed-precision conversion.
struct Scientific15 {
    std::array<char, 32> chars{};
    const char* end = nullptr;
    const char* e = nullptr; // the exponent letter
    bool isX = true;         // the text reads back as x itself
};

Scientific15 ToScientific15(double x) {
    Scientific15 s;
    char* const first = s.chars.data();
    char* const last = first + s.chars.size();
    s.end = std::to_chars(first, last, x, std::chars_format::scientific).ptr;
    s.e = std::find(static_cast<const char*>(first), s.end, 'e');
    const std::ptrdiff_t mantissaChars = s.e - first - (first[0] == '-' ? 1 : 0);
    if (mantissaChars > 16) { // more than 15 digits and the point
        s.end = std::to_chars(first, last, x, std::chars_format::scientific, 14).ptr;
        s.e = std::find(static_cast<const char*>(first), s.end, 'e');
        s.isX = false;
    }
    return s;
}

// x to 15 significant digits as its digits, without the point or trailing zeros, and the
// decimal exponent of the first digit.
struct Digits15 {
    std::array<char, 16> digits{};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

Digits15 ToDigits15(double x) {
    const Scientific15 s = ToScientific15(x);
    Digits15 d;
    d.negative = s.chars[0] == '-';
    for (const char* p = s.chars.data() + (d.negative ? 1 : 0); p != s.e; ++p) {
        if (*p != '.') {
            d.digits.at(static_cast<std::size_t>(d.count++)) = *p;
        }
    }
    while (d.count > 1 && d.digits.at(static_cast<std::size_t>(d.count - 1)) == '0') {
        --d.count;
    }
    const char* expFirst = s.e + 1;
    expFirst += *expFirst == '+' ? 1 : 0;
    std::from_chars(expFirst, s.end, d.exponent);
    return d;
}

// Two doubles whose sum is exactly x * scale, for a scale of at most 2^26 (Dekker's product:
// exact in any IEEE arithmetic, with or without a fused multiply-add).
struct ExactProduct {
    double p, e;
};

ExactProduct MultiplyExactly(double x, double scale) {
    constexpr double kSplit = 134217729.0; // 2^27 + 1
    const double t = kSplit * x;
    const double hi = t - (t - x);
    const double lo = x - hi;
    const double p = x * scale;
    return {p, (hi * scale - p) + lo * scale};
}

constexpr std::array<double, 7> kPowersOfTen = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};

// x as a decimal of at most 15 digits with at most six after the point, when x is the double
// nearest to one: x = digits / 10^places. Such a decimal is x to 15 significant digits, so this
// answers most numbers a person types or a result shows without a float-to-text conversion.
struct ShortDecimal {
    std::int64_t digits = 0;
    int places = -1; // -1: x is no such decimal
};

ShortDecimal AsShortDecimal(double x) {
    constexpr double kFifteenDigits = 1e15;
    for (int places = 0; places < static_cast<int>(kPowersOfTen.size()); ++places) {
        const double scale = kPowersOfTen.at(static_cast<std::size_t>(places));
        const double m = std::round(x * scale);
        if (!(std::abs(m) < kFifteenDigits)) {
            break;
        }
        if (m / scale == x) { // the quotient of two exact doubles is correctly rounded
            return {static_cast<std::int64_t>(m), places};
        }
    }
    return {};
}

// The common case of ReadNumber: plain ASCII with a one-byte separator. Gives nothing for any
// other text, or a magnitude beyond the double range, which the general reader then decides.
std::optional<double> ReadPlainAscii(std::string_view text, char separator) {
    std::array<char, 64> buf{};
    if (text.size() > buf.size()) {
        return std::nullopt;
    }
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto isBlank = [&](std::size_t at) { return text[at] == ' ' || text[at] == '\t'; };
    auto isDigit = [&](std::size_t at) { return text[at] >= '0' && text[at] <= '9'; };
    while (i < n && isBlank(i)) {
        ++i;
    }
    char* out = buf.data();
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') {
            *out++ = '-';
        }
        ++i;
    }
    std::size_t digits = 0;
    for (; i < n && isDigit(i); ++i, ++digits) {
        *out++ = text[i];
    }
    if (i < n && text[i] == separator) {
        *out++ = '.';
        for (++i; i < n && isDigit(i); ++i, ++digits) {
            *out++ = text[i];
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        *out++ = 'e';
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+')) {
            *out++ = text[i++];
        }
        std::size_t expDigits = 0;
        for (; i < n && isDigit(i); ++i, ++expDigits) {
            *out++ = text[i];
        }
        if (expDigits == 0) {
            return std::nullopt;
        }
    }
    while (i < n && isBlank(i)) {
        ++i;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(buf.data(), out, value);
    if (i != n || ec != std::errc() || ptr != out) {
        return std::nullopt;
    }
    return value;
}

} // namespace

NumberRead ReadNumber(std::string_view text, const NumberLocale& locale) {
    const std::string_view separator = SeparatorOf(locale);
    if (separator.size() == 1 && static_cast<unsigned char>(separator[0]) < 0x80) {
        if (const std::optional<double> value = ReadPlainAscii(text, separator[0])) {
            return {ReadStatus::Ok, *value};
        }
    }
    const NumberRead notANumber{ReadStatus::NotANumber, 0};

    // The number is rewritten in plain ASCII, "[-]d+[.d+][e[-]d+]", the form from_chars reads
    // exactly; from_chars alone would also take "inf", "nan" or the "1" of "1e".
    AsciiBuffer ascii(text.size());
    Scanner scan(text, separator);

    scan.SkipBlanks();
    const bool negative = scan.TakeSign();
    if (negative) {
        ascii.Add('-');
    }

    // Order of magnitude of the leading significant digit, to tell overflow from underflow.
    std::int64_t magnitude = 0;
    bool significant = false;
    int intDigits = 0;
    for (; scan.kind() == Kind::Digit; scan.Advance()) {
        ascii.Add(scan.digit());
        ++intDigits;
        significant = significant || scan.digit() != '0';
        magnitude += significant ? 1 : 0;
    }
    if (intDigits == 0) {
        ascii.Add('0');
    }
    int fracDigits = 0;
    if (scan.Take(Kind::Separator)) {
        ascii.Add('.');
        for (; scan.kind() == Kind::Digit; scan.Advance()) {
            ascii.Add(scan.digit());
            ++fracDigits;
            if (!significant) {
                significant = scan.digit() != '0';
                magnitude -= significant ? 0 : 1;
            }
        }
        if (fracDigits == 0) {
            ascii.DropLast();
        }
    }
    if (intDigits + fracDigits == 0) {
        return notANumber;
    }

    std::int64_t exponent = 0;
    if (scan.Take(Kind::Exponent)) {
        ascii.Add('e');
        const bool negativeExponent = scan.TakeSign();
        if (negativeExponent) {
            ascii.Add('-');
        }
        int expDigits = 0;
        for (; scan.kind() == Kind::Digit; scan.Advance()) {
            ascii.Add(scan.digit());
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
    const auto [ptr, ec] = std::from_chars(ascii.begin(), ascii.end(), value);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0) {
            return {ReadStatus::OutOfRange, 0};
        }
        return {ReadStatus::Ok, negative ? -0.0 : 0.0};
    }
    if (ec != std::errc() || ptr != ascii.end()) {
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
    if (const ShortDecimal shortDecimal = AsShortDecimal(x); shortDecimal.places >= 0) {
        std::array<char, 24> buf{};
        const char* const end =
            std::to_chars(buf.data(), buf.data() + buf.size(), shortDecimal.digits).ptr;
        std::string_view digits(buf.data(), static_cast<std::size_t>(end - buf.data()));
        std::string out;
        if (digits.starts_with('-')) {
            out += '-';
            digits.remove_prefix(1);
        }
        const auto places = static_cast<std::size_t>(shortDecimal.places);
        if (places == 0) {
            out += digits;
        } else if (digits.size() > places) {
            out += digits.substr(0, digits.size() - places);
            out += separator;
            out += digits.substr(digits.size() - places);
        } else {
            out += '0';
            out += separator;
            out.append(places - digits.size(), '0');
            out += digits;
        }
        return out;
    }
    const Digits15 d = ToDigits15(x);
    const std::string_view digits(d.digits.data(), static_cast<std::size_t>(d.count));

    std::string out;
    out.reserve(static_cast<std::size_t>(d.count) + 8 +
                static_cast<std::size_t>(d.exponent < 0 ? -d.exponent : 0));
    if (d.negative) {
        out += '-';
    }
    if (d.exponent >= kExponentFrom) {
        out += digits[0];
        if (d.count > 1) {
            out += separator;
            out += digits.substr(1);
        }
        std::array<char, 8> exp{};
        const auto res = std::to_chars(exp.data(), exp.data() + exp.size(), d.exponent);
        out += "E+";
        out.append(exp.data(), res.ptr); // at least two digits, as the exponent is 15 or more
    } else if (d.exponent >= 0) {
        const int intCount = d.exponent + 1;
        out.append(digits.substr(0, static_cast<std::size_t>(std::min(intCount, d.count))));
        if (intCount >= d.count) {
            out.append(static_cast<std::size_t>(intCount - d.count), '0');
        } else {
            out += separator;
            out += digits.substr(static_cast<std::size_t>(intCount));
        }
    } else {
        out += '0';
        out += separator;
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += digits;
    }
    return out;
}

double RoundTo15Digits(double x) {
    if (x == 0 || !std::isfinite(x) || AsShortDecimal(x).places >= 0) {
        return x;
    }
    const Scientific15 s = ToScientific15(x);
    if (s.isX) {
        return x;
    }
    double value = 0;
    std::from_chars(s.chars.data(), s.end, value);
    return value;
}

double RoundToPlaces(double x, int places) {
    const double scale = kPowersOfTen.at(static_cast<std::size_t>(places));
    // From 2^53 / scale on, neighbouring doubles are more than 1 / scale apart, so the double
    // nearest to the nearest multiple is x itself.
    if (!(std::abs(x) < 0x1p53 / scale)) {
        return x;
    }
    // x * scale is exactly p + e. Round it to the integer n, deciding on the exact sum.
    const ExactProduct product = MultiplyExactly(x, scale);
    const double p = product.p;
    const double e = product.e;
    double n = std::round(p); // halfway away from zero, like the rule for x itself
    const double f = p - n;   // exact: the part of p beyond n, within [-0.5, 0.5]
    if (e > 0.5 - f || (e == 0.5 - f && n + 0.5 > 0)) {
        n += 1;
    } else if (e < -0.5 - f || (e == -0.5 - f && n - 0.5 < 0)) {
        n -= 1;
    }
    // n and scale are exact, so the quotient is the double nearest to n / scale.
    return n == 0 ? std::copysign(0.0, x) : n / scale;
}

std::string FixedText(double x, int places, const NumberLocale& locale) {
    const double rounded = RoundToPlaces(x, places);
    std::array<char, 330> buf{}; // 309 integer digits, a sign, a point, six fraction digits
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), rounded,
                                   std::chars_format::fixed, places);
    std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    if (rounded == 0 && text.starts_with('-')) {
        text.remove_prefix(1);
    }
    std::string out;
    const std::size_t point = text.find('.');
    out.append(text.substr(0, point));
    if (point != std::string_view::npos) {
        out += SeparatorOf(locale);
        out.append(text.substr(point + 1));
    }
    return out;
}

} // namespace calc
