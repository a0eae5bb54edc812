#pragma once

// Windows-1252, the code page of every text in the league files. Texts are held as bytes
// in std::string / std::string_view; these helpers decode them for display, upper-case
// them for the name search and compare them without regard to case.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The Unicode character of a byte. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows does.
char16_t Cp1252ToUnicode(std::uint8_t byte);

// Appends the bytes as UTF-8 text, each decoded by Cp1252ToUnicode.
void AppendCp1252AsUtf8(std::string& out, std::string_view bytes);

// The byte that encodes ch, or nullopt when Windows-1252 has none.
std::optional<std::uint8_t> UnicodeToCp1252(char32_t ch);

// UTF-8 text as Windows-1252 bytes; nullopt when a character has no byte or the text is
// no valid UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// Upper-casing of a Western Windows locale for single-byte text (CharUpperBuffA): a-z,
// à..þ except ÷, and š, œ, ž, ÿ to Š, Œ, Ž, Ÿ. ß and µ have no single-byte capital and stay.
std::uint8_t Cp1252Upper(std::uint8_t byte);
void Cp1252UpperInPlace(std::string& text);
std::string Cp1252Uppered(std::string_view text);

// Equal length and equal bytes after Cp1252Upper.
bool Cp1252EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace vantrel
