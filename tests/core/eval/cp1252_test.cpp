#include "core/eval/cp1252.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cwctype>
#include <string>

namespace vantrel {
namespace {

TEST(Cp1252, DecodesTheSpecialRange) {
    EXPECT_EQ(Cp1252ToUnicode(0x41), u'A');
    EXPECT_EQ(Cp1252ToUnicode(0x00), u'\0');
    EXPECT_EQ(Cp1252ToUnicode(0x7F), u'\u007F');
    EXPECT_EQ(Cp1252ToUnicode(0x80), u'\u20AC');  // €
    EXPECT_EQ(Cp1252ToUnicode(0x8A), u'\u0160');  // Š
    EXPECT_EQ(Cp1252ToUnicode(0x9A), u'\u0161');  // š
    EXPECT_EQ(Cp1252ToUnicode(0x9F), u'\u0178');  // Ÿ
    EXPECT_EQ(Cp1252ToUnicode(0x99), u'\u2122');  // ™
    EXPECT_EQ(Cp1252ToUnicode(0xA0), u'\u00A0');
    EXPECT_EQ(Cp1252ToUnicode(0xE9), u'\u00E9');  // é
    EXPECT_EQ(Cp1252ToUnicode(0xFF), u'\u00FF');  // ÿ
    // The five undefined bytes map to the C1 controls of the same value.
    for (std::uint8_t b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Cp1252ToUnicode(b), static_cast<char16_t>(b)) << int{b};
    }
}

TEST(Cp1252, AppendsAsUtf8) {
    std::string out = "x";
    AppendCp1252AsUtf8(out, "\x41\xE9\x80\x81\xFF");
    EXPECT_EQ(out, "xA\xC3\xA9\xE2\x82\xAC\xC2\x81\xC3\xBF");
}

TEST(Cp1252, RoundTripsAllBytes) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        const std::optional<std::uint8_t> back = UnicodeToCp1252(Cp1252ToUnicode(byte));
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, byte) << b;
    }
}

TEST(Cp1252, EncodesNothingElse) {
    // Each of the 256 characters has exactly one byte; characters outside them have none.
    int encodable = 0;
    for (char32_t ch = 0; ch < 0x3000; ++ch) {
        if (UnicodeToCp1252(ch))
            ++encodable;
    }
    EXPECT_EQ(encodable, 256);
    EXPECT_EQ(UnicodeToCp1252(U'\u0080'), std::nullopt);  // € owns byte 0x80
    EXPECT_EQ(UnicodeToCp1252(U'\u0191'), std::nullopt);  // Ƒ, capital of ƒ
    EXPECT_EQ(UnicodeToCp1252(U'\u039C'), std::nullopt);  // Μ, capital of µ
    EXPECT_EQ(UnicodeToCp1252(U'\u1E9E'), std::nullopt);  // ẞ
    EXPECT_EQ(UnicodeToCp1252(U'\U0001F600'), std::nullopt);
    EXPECT_EQ(UnicodeToCp1252(U'\u20AC'), std::optional<std::uint8_t>(0x80));
}

// A sequence cut short by the end of the text is refused, never completed from the bytes
// that follow the text in memory.
TEST(Utf8ToCp1252, ReadsNothingPastTheText) {
    const std::string_view umlaut = "\xC3\xA4";
    EXPECT_EQ(Utf8ToCp1252(umlaut), std::optional<std::string>("\xE4"));
    EXPECT_EQ(Utf8ToCp1252(umlaut.substr(0, 1)), std::nullopt);
}

TEST(Cp1252Upper, SpecialCases) {
    EXPECT_EQ(Cp1252Upper('a'), 'A');
    EXPECT_EQ(Cp1252Upper('z'), 'Z');
    EXPECT_EQ(Cp1252Upper('A'), 'A');
    EXPECT_EQ(Cp1252Upper('1'), '1');
    EXPECT_EQ(Cp1252Upper(0xE0), 0xC0);  // à
    EXPECT_EQ(Cp1252Upper(0xFE), 0xDE);  // þ
    EXPECT_EQ(Cp1252Upper(0xF7), 0xF7);  // ÷ stays
    EXPECT_EQ(Cp1252Upper(0xDF), 0xDF);  // ß stays
    EXPECT_EQ(Cp1252Upper(0xB5), 0xB5);  // µ stays
    EXPECT_EQ(Cp1252Upper(0x9A), 0x8A);  // š
    EXPECT_EQ(Cp1252Upper(0x9C), 0x8C);  // œ
    EXPECT_EQ(Cp1252Upper(0x9E), 0x8E);  // ž
    EXPECT_EQ(Cp1252Upper(0xFF), 0x9F);  // ÿ
    EXPECT_EQ(Cp1252Upper(0x83), 0x83);  // ƒ has no single-byte capital
    EXPECT_EQ(Cp1252Upper(0xAA), 0xAA);  // ª
}

// The table against an independent reference: decode, upper-case with the C library's
// Unicode tables, encode again; an upper form without a byte leaves the byte unchanged.
TEST(Cp1252Upper, AgreesWithTowupperForAllBytes) {
    const char* const previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr) << "the C.UTF-8 locale is missing";
    // Sanity: the locale really upper-cases beyond ASCII.
    EXPECT_EQ(std::towupper(static_cast<std::wint_t>(0xE9)), static_cast<std::wint_t>(0xC9));
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        const auto upper =
            static_cast<char32_t>(std::towupper(static_cast<std::wint_t>(Cp1252ToUnicode(byte))));
        const std::uint8_t expected = UnicodeToCp1252(upper).value_or(byte);
        EXPECT_EQ(Cp1252Upper(byte), expected) << "byte " << b;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Cp1252Upper, Strings) {
    std::string text = "M\xFCller \x9A\x9C\x9E\xFF abc \xDF";
    Cp1252UpperInPlace(text);
    EXPECT_EQ(text, "M\xDCLLER \x8A\x8C\x8E\x9F ABC \xDF");
    EXPECT_EQ(Cp1252Uppered("gr\xE4tz\xF7x"), "GR\xC4TZ\xF7X");
    EXPECT_EQ(Cp1252Uppered(""), "");
    EXPECT_EQ(Cp1252Uppered(std::string_view("a\0b", 3)), std::string("A\0B", 3));
}

TEST(Cp1252EqualsIgnoreCase, ComparesUpperedBytes) {
    EXPECT_TRUE(Cp1252EqualsIgnoreCase("lw", "LW"));
    EXPECT_TRUE(Cp1252EqualsIgnoreCase("Lw", "lW"));
    EXPECT_TRUE(Cp1252EqualsIgnoreCase("", ""));
    EXPECT_TRUE(Cp1252EqualsIgnoreCase("\xE9t\xE9", "\xC9T\xC9"));
    EXPECT_TRUE(Cp1252EqualsIgnoreCase("\xFF", "\x9F"));
    EXPECT_FALSE(Cp1252EqualsIgnoreCase("lw", "rw"));
    EXPECT_FALSE(Cp1252EqualsIgnoreCase("lw", "lw "));
    EXPECT_FALSE(Cp1252EqualsIgnoreCase("C", ""));
    EXPECT_FALSE(Cp1252EqualsIgnoreCase("\xF7", "\xD7"));  // ÷ and × are no case pair
    EXPECT_FALSE(Cp1252EqualsIgnoreCase("\xDF", "SS"));
}

}  // namespace
}  // namespace vantrel
