#pragma once

// The order of the result list by one column. Rows are given as in the list: `records`
// holds the record indices in the order the search found them, `rows` for each displayed
// row its place in `records`. An order lists, for each new place, the current row that
// goes there.

#include <cstdint>
#include <string_view>
#include <vector>

namespace vantrel {

struct ByteImage;

// The stable order by a signed 1-based column (+k ascending, -k descending): rows that
// compare equal keep their current order. Keys are read once, in the search's order
// (forward through the roster image), and sorted by an LSD radix sort; names that share
// their first 8 bytes are then ordered by the rest, read in one more forward pass. The
// identity order for 0, a column outside the list or fewer than two rows.
std::vector<std::int32_t> SortedRowOrder(const ByteImage* roster,
                                         const std::vector<std::int32_t>& records,
                                         const std::vector<std::int32_t>& rows, int sortKey);

// The list's comparison of two cells of a column, -1, 0 or 1: the name and the position
// as unsigned bytes (a prefix first), every other column as the whole number its cell
// text reads as.
int CompareCells(std::string_view a, std::string_view b, int column);

// The same order as SortedRowOrder made the plain way, a stable sort by CompareCells of
// the cell texts; slow, for tests and fuzzing.
std::vector<std::int32_t> ReferenceRowOrder(const ByteImage* roster,
                                            const std::vector<std::int32_t>& records,
                                            const std::vector<std::int32_t>& rows, int sortKey);

}  // namespace vantrel
