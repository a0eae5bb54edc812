#include "core/eval/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(RealText, WholeNumbersHaveNoSeparator) {
    EXPECT_EQ(RealText(0.0, ","), "0");
    EXPECT_EQ(RealText(-0.0, ","), "0");
    EXPECT_EQ(RealText(1.0, ","), "1");
    EXPECT_EQ(RealText(71.0, "."), "71");
    EXPECT_EQ(RealText(-3.0, "."), "-3");
    EXPECT_EQ(RealText(100.0, "."), "100");
    EXPECT_EQ(RealText(123456789012345.0, "."), "123456789012345");
}

TEST(RealText, FixedNotationDropsTrailingZeros) {
    EXPECT_EQ(RealText(0.5, "."), "0.5");
    EXPECT_EQ(RealText(0.5, ","), "0,5");
    EXPECT_EQ(RealText(-0.25, ","), "-0,25");
    EXPECT_EQ(RealText(65.3, "."), "65.3");
    EXPECT_EQ(RealText(0.1, "."), "0.1");
    EXPECT_EQ(RealText(123456.789, ","), "123456,789");
    EXPECT_EQ(RealText(1.0 / 3.0, "."), "0.333333333333333");
    EXPECT_EQ(RealText(2.0 / 3.0, "."), "0.666666666666667");
    EXPECT_EQ(RealText(-2.0 / 3.0, "."), "-0.666666666666667");
    EXPECT_EQ(RealText(100.0 / 3.0, "."), "33.3333333333333");
    EXPECT_EQ(RealText(0.0123, "."), "0.0123");
}

TEST(RealText, SeveralSeparators) {
    EXPECT_EQ(RealText(1.5, "."), "1.5");
    EXPECT_EQ(RealText(1.5, ","), "1,5");
    EXPECT_EQ(RealText(1.5, "\xC2\xB7"),
              "1\xC2\xB7"
              "5");  // a two-byte separator
    EXPECT_EQ(RealText(1.5, ""), "15");
    EXPECT_EQ(RealText(-2.5e-7, ","), "-2,5E-7");
    EXPECT_EQ(RealText(2.0, ","), "2");
}

TEST(RealText, LowerNotationBoundary) {
    EXPECT_EQ(RealText(0.0001, "."), "0.0001");
    EXPECT_EQ(RealText(-0.0001, "."), "-0.0001");
    EXPECT_EQ(RealText(0.00012345, "."), "0.00012345");
    // Just below 0.0001 but rounding up to it: takes the notation of the rounded value.
    EXPECT_EQ(RealText(std::nextafter(0.0001, 0.0), "."), "0.0001");
    EXPECT_EQ(RealText(0.00009999999999999999, "."), "0.0001");
    // Clearly below: scientific.
    EXPECT_EQ(RealText(0.0000999999999999, "."), "9.99999999999E-5");
    EXPECT_EQ(RealText(0.00009999999999999, ","), "9,999999999999E-5");
    EXPECT_EQ(RealText(0.00005, "."), "5E-5");
    EXPECT_EQ(RealText(1e-5, "."), "1E-5");
    EXPECT_EQ(RealText(-1e-5, "."), "-1E-5");
}

TEST(RealText, UpperNotationBoundary) {
    EXPECT_EQ(RealText(1e15, "."), "1E15");
    EXPECT_EQ(RealText(-1e15, "."), "-1E15");
    EXPECT_EQ(RealText(999999999999999.0, "."), "999999999999999");
    EXPECT_EQ(RealText(999999999999999.375, "."), "999999999999999");
    // Exactly half a unit of the 15th digit: ties away from zero carry into 10^15.
    EXPECT_EQ(RealText(999999999999999.5, "."), "1E15");
    EXPECT_EQ(RealText(-999999999999999.5, "."), "-1E15");
    EXPECT_EQ(RealText(std::nextafter(1e15, 0.0), "."), "1E15");
    EXPECT_EQ(RealText(1.5e20, "."), "1.5E20");
    EXPECT_EQ(RealText(1.5e20, ","), "1,5E20");
    EXPECT_EQ(RealText(1234567890123456.0, "."), "1.23456789012346E15");
    EXPECT_EQ(RealText(1e300, "."), "1E300");
    EXPECT_EQ(RealText(std::numeric_limits<double>::max(), "."), "1.79769313486232E308");
}

TEST(RealText, ExtremeMagnitudes) {
    EXPECT_EQ(RealText(std::numeric_limits<double>::min(), "."), "2.2250738585072E-308");
    EXPECT_EQ(RealText(std::numeric_limits<double>::denorm_min(), "."), "4.94065645841247E-324");
    EXPECT_EQ(RealText(-std::numeric_limits<double>::denorm_min(), ","), "-4,94065645841247E-324");
}

TEST(RealText, TiesRoundAwayFromZero) {
    // Both values are exact in binary and end in a 5 at the 16th significant digit.
    EXPECT_EQ(RealText(1234567890123445.0, "."), "1.23456789012345E15");  // half-even: ...344
    EXPECT_EQ(RealText(1234567890123455.0, "."), "1.23456789012346E15");
    EXPECT_EQ(RealText(-1234567890123445.0, "."), "-1.23456789012345E15");
    EXPECT_EQ(RealText(123456789012344.5, "."), "123456789012345");  // half-even: ...344
    EXPECT_EQ(RealText(123456789012343.5, ","), "123456789012344");
    EXPECT_EQ(RealText(-123456789012344.5, "."), "-123456789012345");
    EXPECT_EQ(RealText(999999999999999.5, "."), "1E15");
    // Not exact in binary: the exact expansion decides, not the decimal literal.
    EXPECT_EQ(RealText(0.1000000000000005, "."), "0.100000000000001");  // 0.10000000000000050515...
    EXPECT_EQ(RealText(1.000000000000005, "."), "1.00000000000001");    // 1.0000000000000051070...
}

TEST(RealText, CarryIntoANewDigit) {
    EXPECT_EQ(RealText(0.9999999999999999, "."), "1");
    EXPECT_EQ(RealText(-0.9999999999999999, "."), "-1");
    EXPECT_EQ(RealText(99.99999999999999, "."), "100");
    EXPECT_EQ(RealText(9.999999999999999, ","), "10");
    EXPECT_EQ(RealText(259.9999999999999, "."), "260");
    EXPECT_EQ(RealText(0.09999999999999999, "."), "0.1");
    EXPECT_EQ(RealText(9.9999999999999999e-10, "."), "1E-9");
    EXPECT_EQ(RealText(std::nextafter(71.0, 0.0), "."), "71");
    EXPECT_EQ(RealText(70.99999999999, "."), "70.99999999999");
}

TEST(RealText, NotANumberAndInfinities) {
    EXPECT_EQ(RealText(std::numeric_limits<double>::quiet_NaN(), "."), "NAN");
    EXPECT_EQ(RealText(-std::numeric_limits<double>::quiet_NaN(), ","), "NAN");
    EXPECT_EQ(RealText(kInf, "."), "INF");
    EXPECT_EQ(RealText(-kInf, "."), "-INF");
}

// An independent reference for the digits of RealText: glibc's printf rounds to 15
// significant digits half-to-even ("%.14e"); where the exact expansion is a tie ("%.770e"
// prints all of it: a double has at most 767 significant digits), the half-away rule
// rounds the 15 digits up instead. Returns the significant digits without trailing zeros
// and the decimal exponent.
std::pair<std::string, int> ReferenceDigits(double value) {
    const double magnitude = std::fabs(value);
    std::vector<char> exact(800);
    std::snprintf(exact.data(), exact.size(), "%.770e", magnitude);
    std::string digits;
    int exponent = 0;
    const char* e = std::strchr(exact.data(), 'e');
    const std::string expansion =
        std::string(1, exact[0]) + std::string(static_cast<const char*>(exact.data() + 2), e);
    const bool tie =
        expansion[15] == '5' && expansion.find_first_not_of('0', 16) == std::string::npos;
    if (tie) {
        digits = expansion.substr(0, 15);
        exponent = std::atoi(e + 1);
        int i = 14;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    } else {
        char rounded[64];
        std::snprintf(rounded, sizeof rounded, "%.14e", magnitude);
        const char* re = std::strchr(rounded, 'e');
        digits =
            std::string(1, rounded[0]) + std::string(static_cast<const char*>(rounded + 2), re);
        exponent = std::atoi(re + 1);
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return {digits, exponent};
}

// Reads the digits and the exponent back from a RealText written with ".", checking the
// shape of the text on the way.
std::pair<std::string, int> TextDigits(const std::string& written, double value) {
    std::string text = written;
    if (value < 0) {
        EXPECT_EQ(text[0], '-') << written;
        text.erase(0, 1);
    }
    int exponent = 0;
    const std::size_t e = text.find('E');
    const bool scientific = e != std::string::npos;
    if (scientific) {
        const std::string exponentText = text.substr(e + 1);
        exponent = std::stoi(exponentText);
        EXPECT_EQ(exponentText, std::to_string(exponent)) << written;  // no "+", no zeros
        text.erase(e);
    }
    const std::size_t point = text.find('.');
    const std::string integer = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (point != std::string::npos) {
        EXPECT_FALSE(fraction.empty()) << written;
        EXPECT_NE(fraction.back(), '0') << written;  // no trailing zeros after the point
    }
    std::string digits;
    if (scientific) {
        EXPECT_EQ(integer.size(), 1u) << written;
        EXPECT_NE(integer, "0") << written;
        digits = integer + fraction;
    } else if (integer != "0") {
        EXPECT_NE(integer[0], '0') << written;
        exponent = static_cast<int>(integer.size()) - 1;
        digits = integer + fraction;
    } else {
        const std::size_t first = fraction.find_first_not_of('0');
        exponent = -static_cast<int>(first) - 1;
        digits = fraction.substr(first);
    }
    EXPECT_EQ(scientific, exponent < -4 || exponent >= 15) << written;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return {digits, exponent};
}

void ExpectMatchesReference(double value) {
    const std::string text = RealText(value, ".");
    EXPECT_EQ(TextDigits(text, value), ReferenceDigits(value)) << text;
    EXPECT_EQ(RealText(value, ","), [&] {
        std::string comma = text;
        for (char& c : comma) {
            if (c == '.')
                c = ',';
        }
        return comma;
    }()) << text;
}

TEST(RealText, MatchesAnIndependentReference) {
    std::mt19937_64 random(7);
    // Any finite bit pattern.
    for (int i = 0; i < 10000; ++i) {
        double value = 0;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0)
            continue;
        ExpectMatchesReference(value);
    }
    // Around the notation boundaries and the range of OV.
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int exponent = -8; exponent <= 18; ++exponent) {
        for (int i = 0; i < 600; ++i) {
            const double value = mantissa(random) * std::pow(10.0, exponent);
            ExpectMatchesReference(value);
            ExpectMatchesReference(-value);
        }
    }
    // Exact ties at the 16th digit: n + 0.5 with 15 integer digits, and odd 16-digit
    // integers ending in 5 below 2^53.
    std::uniform_int_distribution<std::int64_t> fifteen(100000000000000, 999999999999999);
    std::uniform_int_distribution<std::int64_t> sixteen(100000000000000, 900719925474099);
    for (int i = 0; i < 3000; ++i) {
        ExpectMatchesReference(static_cast<double>(fifteen(random)) + 0.5);
        ExpectMatchesReference(static_cast<double>(sixteen(random) * 10 + 5));
        ExpectMatchesReference(-static_cast<double>(sixteen(random) * 10 + 5));
    }
}

TEST(WholeText, PlainDecimal) {
    EXPECT_EQ(WholeText(0), "0");
    EXPECT_EQ(WholeText(7), "7");
    EXPECT_EQ(WholeText(-128), "-128");
    EXPECT_EQ(WholeText(2147483647), "2147483647");
    EXPECT_EQ(WholeText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(WholeText(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}

TEST(ParseInt32, Accepts) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"0", 0},
        {"7", 7},
        {"+7", 7},
        {"-7", -7},
        {"-0", 0},
        {"007", 7},
        {"  42", 42},
        {" -42", -42},
        {" +42", 42},
        {"2147483647", 2147483647},
        {"+2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"0000000000000000000000002147483647", 2147483647},
        {"-00000000000000000000000000000000000000002147483648",
         std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt32(c.text), std::optional<std::int32_t>(c.value)) << c.text;
    }
}

TEST(ParseInt32, Rejects) {
    const char* const cases[] = {
        "",
        " ",
        "   ",
        "+",
        "-",
        "+-1",
        "--1",
        "- 1",
        "+ 1",
        "1 ",
        "12 34",
        "\t1",
        "1\t",
        "1.0",
        "1,000",
        "1e3",
        "0x10",
        "$10",
        "abc",
        "12a",
        "2147483648",
        "-2147483649",
        "+2147483648",
        "4294967296",
        "9223372036854775807",
        "9223372036854775808",
        "-9223372036854775809",
        "99999999999999999999999999999999999999999999",
        "18446744073709551617",
    };
    for (const char* text : cases) {
        EXPECT_EQ(ParseInt32(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(ParseInt32(std::string_view("1\0", 2)), std::nullopt);
}

TEST(ParseReal, ReadsWhatRealTextWrites) {
    EXPECT_EQ(ParseReal("71.3863727351694", "."), 71.3863727351694);
    EXPECT_EQ(ParseReal("71,3863727351694", ","), 71.3863727351694);
    EXPECT_EQ(ParseReal("71", ","), 71.0);
    EXPECT_EQ(ParseReal("-2,5E-7", ","), -2.5e-7);
    EXPECT_EQ(ParseReal("1E15", "."), 1e15);
    EXPECT_EQ(ParseReal("1"
                        "\xC2\xB7"
                        "5",
                        "\xC2\xB7"),
              1.5);
    EXPECT_EQ(ParseReal("-INF", "."), -kInf);
    EXPECT_EQ(ParseReal("INF", "."), kInf);
    ASSERT_TRUE(ParseReal("NAN", ".").has_value());
    EXPECT_TRUE(std::isnan(*ParseReal("NAN", ".")));
}

TEST(ParseReal, Rejects) {
    EXPECT_EQ(ParseReal("", "."), std::nullopt);
    EXPECT_EQ(ParseReal("1.5", ","), std::nullopt);  // a point that is not the separator
    EXPECT_EQ(ParseReal("1,5,5", ","), std::nullopt);
    EXPECT_EQ(ParseReal("1.5x", "."), std::nullopt);
    EXPECT_EQ(ParseReal("abc", "."), std::nullopt);
    EXPECT_EQ(ParseReal(" 1", "."), std::nullopt);
    EXPECT_EQ(ParseReal("1E999", "."), std::nullopt);
}

TEST(ParseReal, RoundTripsRealTextForManyValues) {
    // RealText keeps 15 significant digits, which every double in range survives as text:
    // the parse gives back the double nearest to the 15-digit text, and writing it again
    // gives the same text.
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < 100000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const double value = std::ldexp(static_cast<double>(state >> 11), -53) *
                             std::pow(10.0, static_cast<int>(state % 40) - 20);
        for (const char* separator : {".", ","}) {
            const std::string text = RealText(value, separator);
            const std::optional<double> back = ParseReal(text, separator);
            ASSERT_TRUE(back.has_value()) << text;
            EXPECT_EQ(RealText(*back, separator), text);
        }
    }
}

}  // namespace
}  // namespace vantrel
