// Number texts: RealText against a reference built on printf's exact digits, its round
// trip through ParseReal with both decimal separators, and ParseInt32 against a
// reference parser written from the rules alone.

#include "core/eval/numbertext.h"

#include "core/eval/overall.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "fuzz_numbertext: %s: %s\n", what, detail.c_str());
    std::abort();
}

void Check(bool condition, const char* what, const std::string& detail) {
    if (!condition)
        Fail(what, detail);
}

// RealText as the rules describe it: 15 significant digits of the exact value (printf
// prints exact digits for any precision), ties away from zero, trailing zeros dropped.
std::string ReferenceRealText(double x, std::string_view separator) {
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    if (x == 0)
        return "0";
    // 800 digits after the first cover the longest exact expansion of a double (767).
    static char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%.800e", std::fabs(x));
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int exponent = std::atoi(p + 1);
    std::string kept = digits.substr(0, 15);
    if (digits[15] >= '5') {
        int i = 14;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
            kept[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            kept = "1" + kept.substr(0, 14);
            ++exponent;
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    while (kept.size() > 1 && kept.back() == '0')
        kept.pop_back();

    std::string text = x < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += kept.substr(0, 1);
        if (kept.size() > 1)
            text += std::string(separator) + kept.substr(1);
        text += "E" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (kept.size() <= whole)
            text += kept + std::string(whole - kept.size(), '0');
        else
            text += kept.substr(0, whole) + std::string(separator) + kept.substr(whole);
    } else {
        text += "0" + std::string(separator) +
                std::string(static_cast<std::size_t>(-exponent - 1), '0') + kept;
    }
    return text;
}

void CheckRealText(double x) {
    char shown[64];
    std::snprintf(shown, sizeof shown, "%a", x);
    const std::string point = vantrel::RealText(x, ".");
    const std::string comma = vantrel::RealText(x, ",");
    Check(point == ReferenceRealText(x, "."), "RealText with point",
          std::string(shown) + " -> " + point + " expected " + ReferenceRealText(x, "."));
    Check(comma == ReferenceRealText(x, ","), "RealText with comma",
          std::string(shown) + " -> " + comma);
    // Sign, up to 15 digits, a separator, "0." and four zeros, or "E-324": never more.
    Check(point.size() <= 22, "RealText length", point);
    if (!std::isfinite(x))
        return;

    const std::optional<double> back = vantrel::ParseReal(point, ".");
    const std::optional<double> backComma = vantrel::ParseReal(comma, ",");
    Check(back.has_value() == backComma.has_value() && (!back || *back == *backComma),
          "ParseReal differs between separators", point);
    if (!back) {
        // Only a value that rounds past the largest double cannot be read back.
        Check(std::fabs(x) > 1.7976931348623150e308, "ParseReal refused", point);
        return;
    }
    // Half a unit of the 15th digit (at most 5e-15 of the value), then the rounding of
    // the text to the nearest double (at most 2^-53 of it).
    const double error = std::fabs(*back - x);
    Check(error <= std::fabs(x) * (5e-15 + 0x1p-52) + DBL_TRUE_MIN, "round trip too far",
          std::string(shown) + " -> " + point);
    // 15 digits survive a double: the text read back writes the same text again.
    if (std::fabs(*back) >= DBL_MIN)
        Check(vantrel::RealText(*back, ".") == point, "RealText of ParseReal", point);
}

// ParseInt32 by its rules: blanks, an optional sign, one or more digits to the end.
std::optional<std::int32_t> ReferenceParseInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::string_view digits = text.substr(i);
    if (digits.empty())
        return std::nullopt;
    for (char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit))
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return static_cast<std::int32_t>(negative ? -value : value);
}

void CheckParseInt32(std::string_view text) {
    const std::optional<std::int32_t> got = vantrel::ParseInt32(text);
    const std::optional<std::int32_t> want = ReferenceParseInt32(text);
    Check(got == want, "ParseInt32", std::string(text));
}

// OverallValueOf skips the text round trip where it cannot change the result.
void CheckOverallValueOf(double ov) {
    const std::optional<double> parsed = vantrel::ParseReal(vantrel::RealText(ov, "."), ".");
    const double expected = parsed ? std::trunc(*parsed) : 0;
    const double got = vantrel::OverallValueOf(ov);
    char shown[64];
    std::snprintf(shown, sizeof shown, "%a", ov);
    Check(got == expected || (std::isnan(got) && std::isnan(expected)), "OverallValueOf", shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckParseInt32(text);

    if (size >= 8) {
        double x;
        std::memcpy(&x, data, sizeof x);
        CheckRealText(x);
        // Nearby decimal values such as ratios of the details page.
        std::int32_t a;
        std::memcpy(&a, data, sizeof a);
        std::uint16_t b;
        std::memcpy(&b, data + 4, sizeof b);
        if (b != 0)
            CheckRealText(static_cast<double>(a) / b);
        CheckOverallValueOf(x);
        // OV values a few units of the last place below a whole number, where the
        // 15-digit rounding carries into it.
        double near = static_cast<double>(static_cast<std::uint32_t>(a) % 300000u) / 1000.0;
        near = std::ceil(near);
        for (int step = 0; step < b % 64; ++step)
            near = std::nextafter(near, 0.0);
        CheckOverallValueOf(near);
        CheckRealText(near);
    }
    if (size >= 4) {
        std::int32_t v;
        std::memcpy(&v, data, sizeof v);
        const std::string whole = vantrel::WholeText(v);
        Check(vantrel::ParseInt32(whole) == v, "ParseInt32 of WholeText", whole);
        CheckParseInt32("  " + whole);
        CheckParseInt32(whole + " ");
    }
    return 0;
}
