#pragma once

// The stable order of keys by an LSD radix sort, and the keys of a list's rows read in
// the search's order: the pieces every column's sort is made of.

#include "core/league/corestretches.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace vantrel::radix {

inline std::vector<std::int32_t> IdentityOrder(std::size_t n) {
    std::vector<std::int32_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

inline constexpr unsigned kMostDigitBits = 12;
// Fewer rows than this are sorted by comparison.
inline constexpr std::size_t kRadixRows = 4096;

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
// a stretch per core; `keys` is used up. The first pass takes the rows from their places
// and the last writes no keys. Beside the keys a one-pass sort needs 4 bytes a row, two
// passes over 4-byte keys 8, more passes sizeof(Key) + 8.
template <class Key>
std::vector<std::int32_t> RadixOrder(std::vector<Key>& keys) {
    const std::size_t n = keys.size();
    if (n < kRadixRows) {  // a short list costs less to sort than the digits' counts
        std::vector<std::int32_t> rows = IdentityOrder(n);
        std::stable_sort(rows.begin(), rows.end(), [&keys](std::int32_t a, std::int32_t b) {
            return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
        });
        return rows;
    }
    const RadixDigits<Key> digits(keys);
    const std::vector<std::int64_t> bounds = StretchBounds(static_cast<std::int64_t>(n));
    std::vector<std::int32_t> rows, spareRows;
    std::vector<Key> spareKeys;
    for (std::size_t pass = 0; pass < digits.shifts.size(); ++pass) {
        const unsigned shift = digits.shifts[pass];
        const bool last = pass + 1 == digits.shifts.size();
        std::vector<std::vector<std::uint32_t>> starts = PassStarts(keys, digits, shift, bounds);
        if (!last)
            spareKeys.resize(n);
        else
            std::vector<Key>().swap(spareKeys);  // the keys of the pass before
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

// Whether each row shows the place of its own number, as after a search. The rows are a
// permutation of the places, so that is their being sorted.
inline bool InSearchOrder(const std::vector<std::int32_t>& rows) {
    return std::is_sorted(rows.begin(), rows.end());
}

// The keys of the rows in row order. They are taken in the search's order (forward
// through the roster image) and then put into row order, unless the rows stand in that
// order already.
template <class Key, class KeyOfPlace>
std::vector<Key> RowKeys(const std::vector<std::int32_t>& rows, KeyOfPlace keyOfPlace) {
    const auto n = static_cast<std::int64_t>(rows.size());
    std::vector<Key> rowKeys(rows.size());
    const auto keysOfPlaces = [&keyOfPlace](std::vector<Key>& keys) {
        WorkInParts(static_cast<std::int64_t>(keys.size()),
                    [&](std::int64_t begin, std::int64_t end) {
                        for (auto p = static_cast<std::size_t>(begin); p < std::size_t(end); ++p)
                            keys[p] = keyOfPlace(p);
                    });
    };
    if (InSearchOrder(rows)) {
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

}  // namespace vantrel::radix
