#include "core/order/resultorder.h"

#include "core/eval/numbertext.h"
#include "core/league/leaguedata.h"
#include "core/league/recordparts.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <numeric>
#include <string>
#include <utility>

namespace vantrel {

namespace {

std::vector<std::int32_t> IdentityOrder(std::size_t n) {
    std::vector<std::int32_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

constexpr unsigned kMostDigitBits = 12;
// Fewer rows than this are sorted by comparison.
constexpr std::size_t kRadixRows = 4096;

// The digits of an LSD radix sort over the keys' distance from the smallest: as few
// passes of at most 12 bits as cover the range, the bits shared evenly. Salaries from
// -5 000 000 to 5 000 000 take two passes, any 32-bit key at most three, a 64-bit one six;
// a digit with one value in every key is skipped, so OV, age and the ratings take one.
template <class Key>
struct RadixDigits {
    Key least = 0;
    unsigned width = 0;
    std::vector<unsigned> shifts;
    std::vector<std::vector<std::uint32_t>> counts;  // per digit: keys with each value

    explicit RadixDigits(const std::vector<Key>& keys) {
        const auto [lowest, highest] = std::minmax_element(keys.begin(), keys.end());
        least = *lowest;
        const auto bits = static_cast<unsigned>(std::bit_width(Key(*highest - least)));
        const unsigned passes = (bits + kMostDigitBits - 1) / kMostDigitBits;
        if (passes == 0)
            return;  // every key equal
        width = (bits + passes - 1) / passes;
        counts.assign(passes, std::vector<std::uint32_t>(std::size_t{1} << width));
        for (const Key key : keys) {
            for (unsigned d = 0; d < passes; ++d)
                ++counts[d][Digit(key, width * d)];
        }
        for (unsigned d = 0; d < passes; ++d) {
            if (counts[d][Digit(keys[0], width * d)] != keys.size())
                shifts.push_back(width * d);  // a digit with one value would keep the order
        }
    }

    std::size_t Digit(Key key, unsigned shift) const {
        return static_cast<std::size_t>(Key(key - least) >> shift & ((Key{1} << width) - 1));
    }
};

// Where each stretch of the keys puts its keys of each digit value in a pass: stretches
// follow each other inside a value, so the pass keeps the order of equal digits.
template <class Key>
std::vector<std::vector<std::uint32_t>> PassStarts(const std::vector<Key>& keys,
                                                   const RadixDigits<Key>& digits, unsigned shift,
                                                   const std::vector<std::int64_t>& bounds) {
    const std::size_t parts = bounds.size() - 1;
    std::vector<std::vector<std::uint32_t>> starts(parts);
    if (parts == 1) {
        starts[0] = digits.counts[shift / digits.width];
    } else {
        for (std::vector<std::uint32_t>& counts : starts)
            counts.assign(std::size_t{1} << digits.width, 0);
        InEachStretch(bounds, [&](std::size_t part, std::int64_t begin, std::int64_t end) {
            for (auto i = static_cast<std::size_t>(begin); i < std::size_t(end); ++i)
                ++starts[part][digits.Digit(keys[i], shift)];
        });
    }
    std::uint32_t start = 0;
    for (std::size_t value = 0; value < starts[0].size(); ++value) {
        for (std::vector<std::uint32_t>& counts : starts)
            start += std::exchange(counts[value], start);
    }
    return starts;
}

// The rows (0 .. n-1) in the stable order of their keys by an LSD radix sort, each pass
// a stretch per core. The first pass takes the rows from their places and the last
// writes keys only when asked to keep them (sorted) in `keys`: a one-pass sort needs 4
// bytes a row beside the keys, more passes 4 + sizeof(Key) more.
template <class Key>
std::vector<std::int32_t> RadixOrder(std::vector<Key>& keys, bool keepKeys) {
    const std::size_t n = keys.size();
    if (n < kRadixRows) {  // a short list costs less to sort than the digits' counts
        std::vector<std::int32_t> rows = IdentityOrder(n);
        std::stable_sort(rows.begin(), rows.end(), [&keys](std::int32_t a, std::int32_t b) {
            return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
        });
        if (keepKeys) {
            std::vector<Key> sorted(n);
            for (std::size_t k = 0; k < n; ++k)
                sorted[k] = keys[static_cast<std::size_t>(rows[k])];
            keys.swap(sorted);
        }
        return rows;
    }
    const RadixDigits<Key> digits(keys);
    const std::vector<std::int64_t> bounds = StretchBounds(static_cast<std::int64_t>(n));
    std::vector<std::int32_t> rows, spareRows;
    std::vector<Key> spareKeys;
    for (std::size_t pass = 0; pass < digits.shifts.size(); ++pass) {
        const unsigned shift = digits.shifts[pass];
        const bool last = pass + 1 == digits.shifts.size() && !keepKeys;
        std::vector<std::vector<std::uint32_t>> starts = PassStarts(keys, digits, shift, bounds);
        if (!last)
            spareKeys.resize(n);
        spareRows.resize(n);
        InEachStretch(bounds, [&](std::size_t part, std::int64_t begin, std::int64_t end) {
            std::vector<std::uint32_t>& next = starts[part];
            for (auto i = static_cast<std::size_t>(begin); i < std::size_t(end); ++i) {
                const Key key = keys[i];
                const std::uint32_t to = next[digits.Digit(key, shift)]++;
                if (!last)
                    spareKeys[to] = key;
                spareRows[to] = pass == 0 ? static_cast<std::int32_t>(i) : rows[i];
            }
        });
        if (!last)
            keys.swap(spareKeys);
        rows.swap(spareRows);
    }
    if (rows.empty())  // every key equal
        rows = IdentityOrder(n);
    return rows;
}

// The keys of the rows in row order. They are taken in the search's order (forward
// through the roster image) and then put into row order, unless the rows stand in that
// order already, as after a search.
template <class Key, class KeyOfPlace>
std::vector<Key> RowKeys(const std::vector<std::int32_t>& rows, KeyOfPlace keyOfPlace) {
    const auto n = static_cast<std::int64_t>(rows.size());
    std::vector<Key> rowKeys(rows.size());
    bool inSearchOrder = true;
    for (std::int64_t i = 0; i < n && inSearchOrder; ++i)
        inSearchOrder = rows[static_cast<std::size_t>(i)] == i;
    const auto keysOfPlaces = [&keyOfPlace](std::vector<Key>& keys) {
        WorkInParts(static_cast<std::int64_t>(keys.size()),
                    [&](std::int64_t begin, std::int64_t end) {
                        for (auto p = static_cast<std::size_t>(begin); p < std::size_t(end); ++p)
                            keys[p] = keyOfPlace(p);
                    });
    };
    if (inSearchOrder) {
        keysOfPlaces(rowKeys);
        return rowKeys;
    }
    std::vector<Key> placeKeys(rows.size());
    keysOfPlaces(placeKeys);
    WorkInParts(n, [&](std::int64_t begin, std::int64_t end) {
        for (auto i = static_cast<std::size_t>(begin); i < std::size_t(end); ++i)
            rowKeys[i] = placeKeys[static_cast<std::size_t>(rows[i])];
    });
    return rowKeys;
}

// A text's 8 bytes from `from` as a big-endian word, zero-padded; inverted for the
// reverse order. Texts never hold a zero byte (they end at the first one), so the words
// order as the texts' pieces do byte-wise, a shorter text first.
std::uint64_t TextWord(std::string_view text, std::size_t from, bool ascending) {
    std::uint64_t word = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        word = (word << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return ascending ? word : ~word;
}

// The name's bytes 8 to 23 as two words: what orders names that share their first 8.
struct NameRest {
    std::uint64_t second, third;
};

// A run holds the places from one that starts it to the next; runs of one need no rest.
bool InRun(const std::vector<bool>& startsRun, std::size_t k) {
    return !startsRun[k] || (k + 1 < startsRun.size() && !startsRun[k + 1]);
}

// The rest of every row in a run, at the row's new place. Read in one pass forward
// through the records (a stretch per core), never row by row out of order.
template <class TextOfPlace>
std::vector<NameRest> RestsOfRuns(const std::vector<bool>& startsRun,
                                  const std::vector<std::int32_t>& order,
                                  const std::vector<std::int32_t>& rows, bool ascending,
                                  TextOfPlace textOfPlace) {
    const auto n = static_cast<std::int64_t>(order.size());
    std::vector<NameRest> rest(order.size());
    std::vector<std::int32_t> newPlaceOf(order.size(), -1);  // by search place
    WorkInParts(n, [&](std::int64_t begin, std::int64_t end) {
        for (auto k = static_cast<std::size_t>(begin); k < std::size_t(end); ++k) {
            if (InRun(startsRun, k))
                newPlaceOf[static_cast<std::size_t>(rows[static_cast<std::size_t>(order[k])])] =
                    static_cast<std::int32_t>(k);
        }
    });
    WorkInParts(n, [&](std::int64_t begin, std::int64_t end) {
        for (auto p = static_cast<std::size_t>(begin); p < std::size_t(end); ++p) {
            if (newPlaceOf[p] < 0)
                continue;
            const std::string_view text = textOfPlace(p);
            rest[static_cast<std::size_t>(newPlaceOf[p])] =
                NameRest{TextWord(text, 8, ascending), TextWord(text, 16, ascending)};
        }
    });
    return rest;
}

// A row of a run with the rest of its name.
struct RunItem {
    NameRest rest;
    std::int32_t row;
};

// The run of places [begin, end) sorted by the rest, equal names by row; `run` is room
// reused from run to run.
void SortRun(std::size_t begin, std::size_t end, const std::vector<NameRest>& rest,
             std::vector<std::int32_t>& order, std::vector<RunItem>& run) {
    run.clear();
    for (std::size_t k = begin; k < end; ++k)
        run.push_back(RunItem{rest[k], order[k]});
    std::sort(run.begin(), run.end(), [](const RunItem& a, const RunItem& b) {
        if (a.rest.second != b.rest.second)
            return a.rest.second < b.rest.second;
        if (a.rest.third != b.rest.third)
            return a.rest.third < b.rest.third;
        return a.row < b.row;
    });
    for (std::size_t k = begin; k < end; ++k)
        order[k] = run[k - begin].row;
}

// Each run of two or more sorted; a run belongs to the stretch it starts in.
void SortRuns(const std::vector<bool>& startsRun, const std::vector<NameRest>& rest,
              std::vector<std::int32_t>& order) {
    const std::size_t n = order.size();
    WorkInParts(static_cast<std::int64_t>(n), [&](std::int64_t from, std::int64_t to) {
        std::vector<RunItem> run;
        auto begin = static_cast<std::size_t>(from);
        while (begin < std::size_t(to) && !startsRun[begin])
            ++begin;  // the run that holds `from` started in an earlier stretch
        for (std::size_t end = begin; begin < std::size_t(to); begin = end) {
            end = begin + 1;
            while (end < n && !startsRun[end])
                ++end;
            if (end - begin >= 2)
                SortRun(begin, end, rest, order, run);
        }
    });
}

// Orders the runs of rows whose names share their first 8 bytes (`prefixes`, sorted, one
// per place of `order`) by the rest of the name; equal names keep their row order. The
// rest takes 16 bytes a row beside a 4-byte place map, the prefixes released first.
template <class TextOfPlace>
void OrderEqualPrefixes(std::vector<std::uint64_t>& prefixes, std::vector<std::int32_t>& order,
                        const std::vector<std::int32_t>& rows, bool ascending,
                        TextOfPlace textOfPlace) {
    std::vector<bool> startsRun(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        startsRun[k] = k == 0 || prefixes[k] != prefixes[k - 1];
    std::vector<std::uint64_t>().swap(prefixes);
    const std::vector<NameRest> rest = RestsOfRuns(startsRun, order, rows, ascending, textOfPlace);
    SortRuns(startsRun, rest, order);
}

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
        return IdentityOrder(n);
    const bool ascending = sortKey > 0;
    // Keys are taken once per sort, in the search's order; the order compares them, never
    // cell texts. The image's extent is read once, not per record.
    const std::uint8_t* const base = roster ? roster->data.get() : nullptr;
    const auto recordCount =
        roster ? static_cast<std::int64_t>(roster->size / kPlayerRecordSize) : 0;
    const auto recordOf = [&](std::size_t place) -> const std::uint8_t* {
        const std::int64_t record = records[place];
        return record >= 0 && record < recordCount ? base + record * kPlayerRecordSize : nullptr;
    };
    if (IsTextColumn(column)) {
        std::vector<std::uint64_t> prefixes = RowKeys<std::uint64_t>(rows, [&](std::size_t p) {
            return TextWord(TextCell(recordOf(p), column), 0, ascending);
        });
        std::vector<std::int32_t> order = RadixOrder(prefixes, column == kNameColumn);
        static_assert(kPlayerNameWidth <= 24, "a name must fit into three words");
        if (column == kNameColumn) {  // a position is at most 2 bytes: its prefix is all
            OrderEqualPrefixes(prefixes, order, rows, ascending,
                               [&](std::size_t p) { return TextCell(recordOf(p), column); });
        }
        return order;
    }
    std::vector<std::uint32_t> keys = RowKeys<std::uint32_t>(
        rows, [&](std::size_t p) { return NumberKey(recordOf(p), column, ascending); });
    return RadixOrder(keys, false);
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
