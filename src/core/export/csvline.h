#pragma once

// The list as comma-separated text (RFC 4180): texts are UTF-8 bytes in and out; a field
// is quoted only when it must be, and every line ends with CR LF. And the fields of the
// clipboard's tab-separated text.

#include <span>
#include <string>
#include <string_view>

namespace vantrel {

// Appends a field: enclosed in double quotes, its own quotes doubled, when it holds a
// comma, a double quote, CR or LF, or a semicolon or a tab: spreadsheets of many locales
// split a CSV file there, and an unquoted "x;=cmd..." would start a formula cell. As it is
// otherwise.
void AppendCsvField(std::string& out, std::string_view field);

// Appends a field of the tab-separated form: a tab or a line break inside would shift the
// columns of a pasted row, so each becomes a blank.
void AppendTsvField(std::string& out, std::string_view field);

// Appends the fields separated by commas and ended by CR LF.
void AppendCsvLine(std::string& out, std::span<const std::string_view> fields);

}  // namespace vantrel
