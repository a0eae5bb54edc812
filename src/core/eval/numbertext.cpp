#include "core/eval/numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace vantrel {

namespace {

constexpr int kSignificantDigits = 15;

// The exact decimal expansion of a positive finite double: its significant digits
// (first digit non-zero, trailing zeros possible) and the decimal exponent of the first
// digit, so that value = 0.d1d2d3... * 10^(exponent + 1).
struct ExactDecimal {
    // A double is M * 2^(e-53) with e from frexp: at most 53 - e binary fraction digits,
    // and each binary fraction digit needs exactly one decimal fraction digit. The largest
    // double has 309 integer digits, the smallest subnormal 1126 fraction digits (frexp
    // exponent -1073), so 1500 characters hold every expansion.
    std::array<char, 1500> buffer;
    const char* digits = nullptr;
    std::size_t count = 0;
    int exponent = 0;
};

void ExpandExactly(double magnitude, ExactDecimal& out) {
    int binaryExponent = 0;
    std::frexp(magnitude, &binaryExponent);
    const int fractionDigits = std::max(0, 53 - binaryExponent);
    char* const begin = out.buffer.data();
    const auto result = std::to_chars(begin, begin + out.buffer.size(), magnitude,
                                      std::chars_format::fixed, fractionDigits);
    // Drop the point, remembering how many integer digits precede it.
    char* end = result.ptr;
    char* point = std::find(begin, end, '.');
    const auto integerDigits = static_cast<int>(point - begin);
    if (point != end) {
        std::move(point + 1, end, point);
        --end;
    }
    const char* first = std::find_if(begin, end, [](char c) { return c != '0'; });
    out.digits = first;
    out.count = static_cast<std::size_t>(end - first);
    out.exponent = integerDigits - static_cast<int>(first - begin) - 1;
}

void AppendExponent(std::string& text, int exponent) {
    text += 'E';
    text += std::to_string(exponent);  // "-" only for negative exponents, no leading zeros
}

}  // namespace

std::string RealText(double value, std::string_view decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";  // also -0.0

    ExactDecimal exact;
    ExpandExactly(std::fabs(value), exact);

    // Round to 15 significant digits. The expansion is exact, so a 16th digit of 5 or more
    // means at least half a unit: rounding it up is round-half-away-from-zero.
    std::array<char, kSignificantDigits> digits;
    digits.fill('0');
    std::copy_n(exact.digits, std::min<std::size_t>(exact.count, kSignificantDigits),
                digits.begin());
    int exponent = exact.exponent;
    if (exact.count > kSignificantDigits && exact.digits[kSignificantDigits] >= '5') {
        int i = kSignificantDigits - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {  // 999...9 carried into a new digit: 1000...0, one decade up
            digits[0] = '1';
            ++exponent;
        }
    }
    std::size_t length = kSignificantDigits;
    while (length > 1 && digits[length - 1] == '0')
        --length;
    const std::string_view significant(digits.data(), length);

    std::string text;
    if (value < 0)
        text += '-';
    if (exponent < -4 || exponent >= 15) {
        text += significant[0];
        if (length > 1) {
            text += decimalSeparator;
            text += significant.substr(1);
        }
        AppendExponent(text, exponent);
    } else if (exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (length <= integerDigits) {
            text += significant;
            text.append(integerDigits - length, '0');
        } else {
            text += significant.substr(0, integerDigits);
            text += decimalSeparator;
            text += significant.substr(integerDigits);
        }
    } else {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += significant;
    }
    return text;
}

std::string WholeText(std::int64_t value) {
    std::array<char, 24> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // The magnitude stops growing past 2^31, so a long digit string cannot overflow it.
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit + 1);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < -kLimit || value > kLimit - 1)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> ParseReal(std::string_view text, std::string_view decimalSeparator) {
    if (text.empty())
        return std::nullopt;
    // Turn the separator into the point std::from_chars expects; a point that is not the
    // separator is foreign to the text.
    std::string normalized;
    normalized.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (!decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
            normalized += '.';
            i += decimalSeparator.size();
        } else if (text[i] == '.') {
            return std::nullopt;
        } else {
            normalized += text[i];
            ++i;
        }
    }
    double value = 0;
    const char* const begin = normalized.data();
    const char* const end = begin + normalized.size();
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

}  // namespace vantrel
