#include "core/eval/cp1252.h"

#include <array>

namespace vantrel {

namespace {

// Bytes 0x80..0x9F; every other byte is the Unicode character of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr std::array<std::uint8_t, 256> MakeUpperTable() {
    std::array<std::uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
    for (int b = 'a'; b <= 'z'; ++b)
        table[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b - 0x20);
    for (int b = 0xE0; b <= 0xFE; ++b) {
        if (b != 0xF7)
            table[static_cast<std::size_t>(b)] =
                static_cast<std::uint8_t>(b - 0x20);  // ÷ is no letter
    }
    table[0x9A] = 0x8A;  // š -> Š
    table[0x9C] = 0x8C;  // œ -> Œ
    table[0x9E] = 0x8E;  // ž -> Ž
    table[0xFF] = 0x9F;  // ÿ -> Ÿ
    return table;
}

constexpr std::array<std::uint8_t, 256> kUpper = MakeUpperTable();

}  // namespace

char16_t Cp1252ToUnicode(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80u];
    return static_cast<char16_t>(byte);
}

void AppendCp1252AsUtf8(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const char16_t ch = Cp1252ToUnicode(static_cast<std::uint8_t>(c));
        if (ch < 0x80) {
            out += static_cast<char>(ch);
        } else if (ch < 0x800) {
            out += static_cast<char>(0xC0 | (ch >> 6));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        } else {  // every Windows-1252 character lies in the Basic Multilingual Plane
            out += static_cast<char>(0xE0 | (ch >> 12));
            out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
}

std::optional<std::uint8_t> UnicodeToCp1252(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<std::uint8_t>(ch);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch)
            return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::uint8_t Cp1252Upper(std::uint8_t byte) {
    return kUpper[byte];
}

void Cp1252UpperInPlace(std::string& text) {
    for (char& c : text) {
        c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
    }
}

std::string Cp1252Uppered(std::string_view text) {
    std::string result(text);
    Cp1252UpperInPlace(result);
    return result;
}

bool Cp1252EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (kUpper[static_cast<unsigned char>(a[i])] != kUpper[static_cast<unsigned char>(b[i])]) {
            return false;
        }
    }
    return true;
}

namespace {

// The code point starting at text[i], advancing i past it; nullopt for a malformed,
// overlong or surrogate sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<std::uint8_t>(text[i++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || lead > 0xF4 || text.size() - i < static_cast<std::size_t>(extra))
        return std::nullopt;
    char32_t ch = lead & (0x3Fu >> extra);
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<std::uint8_t>(text[i++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        ch = (ch << 6) | (next & 0x3Fu);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (ch < kSmallest[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
        return std::nullopt;
    return ch;
}

}  // namespace

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> ch = NextCodePoint(utf8, i);
        const std::optional<std::uint8_t> byte = ch ? UnicodeToCp1252(*ch) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

}  // namespace vantrel
