#pragma once

// Number texts of the program: real numbers as the system writes them (RealText),
// whole numbers as plain decimal, and the text-to-number conversions that read them back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The value rounded to 15 significant digits (the exact decimal expansion of the binary
// value, ties away from zero), trailing zeros dropped, no separator for whole numbers.
// Fixed notation for 0.0001 <= |x| < 10^15 after rounding ("0.5", "71.386", "-3"),
// scientific notation otherwise ("1E-5", "1.5E20", "-2.5E-7", "1E15").
// Not-a-number gives "NAN", infinities "INF" and "-INF"; -0.0 gives "0".
std::string RealText(double value, std::string_view decimalSeparator);

// Plain decimal digits, "-" for negative values, no grouping.
std::string WholeText(std::int64_t value);

// Signed 32-bit text-to-number conversion: leading blanks (' ' only), an optional '+' or
// '-', then one or more decimal digits up to the end of the text. Anything else, or a
// value outside -2147483648 .. 2147483647, fails.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Reads a real number as RealText writes it, with decimalSeparator in place of the point;
// correctly rounded to the nearest double. Fails on anything else, and on a value beyond
// the range of double.
std::optional<double> ParseReal(std::string_view text, std::string_view decimalSeparator);

}  // namespace vantrel
