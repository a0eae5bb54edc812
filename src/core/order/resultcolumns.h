#pragma once

// The columns of the result list and what a cell of each holds for a player record:
// the name and the position as Windows-1252 text, every other column a whole number.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kResultColumnCount = 19;
inline constexpr int kNameColumn = 0;
inline constexpr int kPositionColumn = 1;
inline constexpr int kAgeColumn = 2;
inline constexpr int kFirstRatingColumn = 3;
inline constexpr int kOverallColumn = 16;
inline constexpr int kSalaryColumn = 17;
inline constexpr int kContractColumn = 18;

inline bool IsTextColumn(int column) {
    return column == kNameColumn || column == kPositionColumn;
}

// The whole number a number column shows for a record: what its cell text reads as.
std::int64_t NumberCell(const std::uint8_t* record, int column);

// The text of the name or the position column, pointing into the record.
std::string_view TextCell(const std::uint8_t* record, int column);

// A cell as bytes: Windows-1252 for the text columns, decimal ASCII for the others; the
// empty text for no record (nullptr) or a column outside the list.
std::string CellBytes(const std::uint8_t* record, int column);

}  // namespace vantrel
