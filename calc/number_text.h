#pragma once

// Conversions between the texts a person types or reads and the doubles the vessel model uses.
// Texts are UTF-8. Nothing here reads the process locale: the caller passes the user's decimal
// separator, so the same inputs always give the same results.

#include <string>
#include <string_view>

namespace calc {

struct NumberLocale {
    std::string decimalSeparator; // UTF-8, e.g. "." or ","; an empty one counts as "."
};

enum class ReadStatus {
    Ok,
    NotANumber, // the text does not follow the number grammar (letters, blanks alone, "12mm", ...)
    OutOfRange, // a number, but its magnitude is beyond the largest double
};

struct NumberRead {
    ReadStatus status;
    double value; // the double nearest to the decimal number; 0 unless status is Ok
};

// Reads one decimal number: blanks around it, an optional sign, digits with at most one decimal
// separator ("5.", ".5"), and an optional exponent ("e-3", "E+12"). Full-width digits, signs, the
// ideographic space and, where the separator is ".", the full-width full stop are accepted as the
// Chinese input methods type them. Anything else (digit grouping, "inf", "0x1A") is NotANumber.
// Magnitudes too small for a double read as a signed zero.
NumberRead ReadNumber(std::string_view text, const NumberLocale& locale);

// Writes x rounded to 15 significant digits in positional form, with no trailing fraction zeros,
// no separator for a whole number, no grouping, and a minus sign only for a negative value.
// Zero is "0" whatever its sign. x must be finite.
std::string NumberToText(double x, const NumberLocale& locale);

// x rounded to 15 significant digits: the value NumberToText writes, read back.
double RoundTo15Digits(double x);

// x rounded to the nearest multiple of 10^-places, for places 0 to 6, an exact halfway value
// away from zero; the result is the double nearest to that multiple.
double RoundToPlaces(double x, int places);

// x rounded to the nearest multiple of 0.001, an exact halfway value away from zero.
inline double RoundTo3(double x) {
    return RoundToPlaces(x, 3);
}

// x rounded as RoundToPlaces does and written with exactly that many fraction digits ("12.50"),
// no grouping, the locale's separator, a minus sign only for a value that is negative once
// rounded. x must be finite.
std::string FixedText(double x, int places, const NumberLocale& locale);

} // namespace calc
