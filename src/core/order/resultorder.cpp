#include "core/order/resultorder.h"

#include "core/eval/numbertext.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "core/order/radixorder.h"
#include "core/order/resultcolumns.h"
#include "core/order/textorder.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace vantrel {

namespace {

// Every number column holds a signed 32-bit value; flipping the sign bit makes unsigned
// order the signed order, inverting it the reverse order.
std::uint32_t NumberKey(const std::uint8_t* record, int column, bool ascending) {
    const auto value = static_cast<std::int32_t>(NumberCell(record, column));
    const std::uint32_t key = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return ascending ? key : ~key;
}

}  // namespace

std::vector<std::int32_t> SortedRowOrder(const ByteImage* roster,
                                         const std::vector<std::int32_t>& records,
                                         const std::vector<std::int32_t>& rows, int sortKey) {
    const int column = std::abs(sortKey) - 1;
    const std::size_t n = rows.size();
    if (sortKey == 0 || column >= kResultColumnCount || n < 2)
        return radix::IdentityOrder(n);
    const bool ascending = sortKey > 0;
    // Keys are taken once per sort, in the search's order; the order compares them, never
    // cell texts.
    const PlaceRecords places(roster, records);
    if (IsTextColumn(column))
        return TextRowOrder(places, rows, column, ascending);
    std::vector<std::uint32_t> keys = radix::RowKeys<std::uint32_t>(
        rows, [&](std::size_t p) { return NumberKey(places(p), column, ascending); });
    return radix::RadixOrder(keys);
}

int CompareCells(std::string_view a, std::string_view b, int column) {
    if (IsTextColumn(column)) {
        const int c = a.compare(b);  // char_traits<char> compares as unsigned bytes
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const std::int64_t x = ParseInt32(a).value_or(0);
    const std::int64_t y = ParseInt32(b).value_or(0);
    return x < y ? -1 : (x > y ? 1 : 0);
}

std::vector<std::int32_t> ReferenceRowOrder(const ByteImage* roster,
                                            const std::vector<std::int32_t>& records,
                                            const std::vector<std::int32_t>& rows, int sortKey) {
    const int column = std::abs(sortKey) - 1;
    std::vector<std::int32_t> order = radix::IdentityOrder(rows.size());
    if (sortKey == 0 || column >= kResultColumnCount)
        return order;
    std::vector<std::string> cells;
    cells.reserve(rows.size());
    for (const std::int32_t place : rows) {
        const std::uint8_t* record =
            RecordInImage(roster, records[static_cast<std::size_t>(place)], kPlayerRecordSize);
        cells.push_back(CellBytes(record, column));
    }
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        const int c = CompareCells(cells[static_cast<std::size_t>(a)],
                                   cells[static_cast<std::size_t>(b)], column);
        return sortKey > 0 ? c < 0 : c > 0;
    });
    return order;
}

}  // namespace vantrel
