#include "core/order/resultorder.h"

#include "core/eval/numbertext.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>

namespace vantrel {

namespace {

// A row's sort key and its current place; 8 bytes so that a radix pass moves little.
struct KeyedRow {
    std::uint32_t key;
    std::int32_t row;
};

// Stable LSD radix sort by key, one byte a pass; a byte that is the same in every key
// is skipped, so small-range columns (ratings, OV, age) take one or two passes.
std::vector<std::int32_t> OrderByKey(const std::vector<std::uint32_t>& keys) {
    const std::size_t n = keys.size();
    std::array<std::array<std::size_t, 256>, 4> counts{};
    for (const std::uint32_t key : keys) {
        for (std::size_t d = 0; d < 4; ++d)
            ++counts[d][(key >> (8 * d)) & 0xFF];
    }
    std::vector<KeyedRow> items(n), spare(n);
    for (std::size_t i = 0; i < n; ++i)
        items[i] = KeyedRow{keys[i], static_cast<std::int32_t>(i)};
    for (std::size_t d = 0; d < 4; ++d) {
        std::array<std::size_t, 256>& count = counts[d];
        const unsigned shift = static_cast<unsigned>(8 * d);
        if (count[(items[0].key >> shift) & 0xFF] == n)
            continue;  // one value in this byte: the pass would keep the order
        std::size_t start = 0;
        for (std::size_t& c : count) {
            const std::size_t here = c;
            c = start;
            start += here;
        }
        for (const KeyedRow& item : items)
            spare[count[(item.key >> shift) & 0xFF]++] = item;
        items.swap(spare);
    }
    std::vector<std::int32_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = items[i].row;
    return order;
}

// A text of at most 24 bytes as three big-endian words, zero-padded. Texts never hold a
// zero byte (they end at the first one), so the words order as the texts do byte-wise,
// a prefix first; the name is at most 21 bytes and the position 2. Inverted words give
// the reverse order.
struct TextKey {
    std::array<std::uint64_t, 3> words;
};
static_assert(kPlayerNameWidth <= 24, "a name must fit into the three words of its key");

TextKey MakeTextKey(std::string_view text, bool ascending) {
    std::array<unsigned char, 24> bytes{};
    if (!text.empty())  // an empty view may hold a null pointer, which memcpy must not get
        std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size()));
    TextKey key{};
    for (std::size_t w = 0; w < 3; ++w) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < 8; ++i)
            word = (word << 8) | bytes[8 * w + i];
        key.words[w] = ascending ? word : ~word;
    }
    return key;
}

// Stable order of the rows by their texts' keys: equal texts keep their current order in
// both directions. keys are indexed by search place, rows give each row's place.
std::vector<std::int32_t> OrderByText(const std::vector<TextKey>& keys,
                                      const std::vector<std::int32_t>& rows) {
    const std::size_t n = rows.size();
    struct KeyedTextRow {
        TextKey key;
        std::int32_t row;
    };
    std::vector<KeyedTextRow> items(n);
    for (std::size_t i = 0; i < n; ++i)
        items[i] =
            KeyedTextRow{keys[static_cast<std::size_t>(rows[i])], static_cast<std::int32_t>(i)};
    // The current row breaks ties, which makes the order total and the sort stable.
    std::sort(items.begin(), items.end(), [](const KeyedTextRow& a, const KeyedTextRow& b) {
        if (a.key.words[0] != b.key.words[0])
            return a.key.words[0] < b.key.words[0];
        if (a.key.words[1] != b.key.words[1])
            return a.key.words[1] < b.key.words[1];
        if (a.key.words[2] != b.key.words[2])
            return a.key.words[2] < b.key.words[2];
        return a.row < b.row;
    });
    std::vector<std::int32_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = items[i].row;
    return order;
}

// Every number column holds a signed 32-bit value; flipping the sign bit makes unsigned
// order the signed order, inverting it the reverse order.
std::uint32_t NumberKey(const std::uint8_t* record, int column, bool ascending) {
    const auto value = static_cast<std::int32_t>(NumberCell(record, column));
    const std::uint32_t key = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return ascending ? key : ~key;
}

std::vector<std::int32_t> IdentityOrder(std::size_t n) {
    std::vector<std::int32_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

}  // namespace

std::vector<std::int32_t> SortedRowOrder(const ByteImage* roster,
                                         const std::vector<std::int32_t>& records,
                                         const std::vector<std::int32_t>& rows, int sortKey) {
    const int column = std::abs(sortKey) - 1;
    const std::size_t n = rows.size();
    if (sortKey == 0 || column >= kResultColumnCount || n < 2)
        return IdentityOrder(n);
    const bool ascending = sortKey > 0;
    // Keys are taken once per sort, in the search's order; the order compares them, never
    // cell texts.
    const auto recordOf = [&](std::size_t place) {
        return RecordInImage(roster, records[place], kPlayerRecordSize);
    };
    if (IsTextColumn(column)) {
        std::vector<TextKey> keys(n);
        for (std::size_t p = 0; p < n; ++p)
            keys[p] = MakeTextKey(TextCell(recordOf(p), column), ascending);
        return OrderByText(keys, rows);
    }
    std::vector<std::uint32_t> keys(n);
    for (std::size_t p = 0; p < n; ++p)
        keys[p] = NumberKey(recordOf(p), column, ascending);
    std::vector<std::uint32_t> rowKeys(n);
    for (std::size_t i = 0; i < n; ++i)
        rowKeys[i] = keys[static_cast<std::size_t>(rows[i])];
    return OrderByKey(rowKeys);
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
    std::vector<std::int32_t> order = IdentityOrder(rows.size());
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
