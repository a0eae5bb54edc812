#pragma once

// Cells of league data in text meant for spreadsheets. Names come from league files that
// users are sent by others; a spreadsheet takes a cell that begins with "=", "+", "-" or
// "@" for a formula and runs it, and some skip a leading tab or carriage return first.
// Such a cell is written with a leading apostrophe, which spreadsheets show as text.

#include <string>
#include <string_view>

namespace vantrel {

// A whole decimal number: an optional sign, digits, optionally a point and more digits.
bool IsNumberText(std::string_view cell);

// Whether the cell begins with a formula character and is not a number.
bool NeedsFormulaGuard(std::string_view cell);

// The cell with the apostrophe where it needs one, else as it is.
std::string GuardedCell(std::string_view cell);

}  // namespace vantrel
