#include "core/order/wordsort.h"

#include "core/league/corestretches.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace vantrel {

namespace {

constexpr std::size_t kInsertionRows = 24;
// Up to this many a comparison sort costs less than the radix sort's counts.
constexpr std::size_t kComparisonRows = 256;
// Up to this many are grouped through a buffer (768 KiB), more in place.
constexpr std::size_t kBufferedRows = std::size_t{1} << 16;

void InsertionSort(const WordRows& s) {
    for (std::size_t i = 1; i < s.n; ++i) {
        const std::uint64_t key = s.words[i];
        const std::int32_t row = s.rows[i];
        std::size_t j = i;
        for (; j > 0 && (s.words[j - 1] > key || (s.words[j - 1] == key && s.rows[j - 1] > row));
             --j) {
            s.words[j] = s.words[j - 1];
            s.rows[j] = s.rows[j - 1];
        }
        s.words[j] = key;
        s.rows[j] = row;
    }
}

void ComparisonSort(const WordRows& s) {
    std::array<std::pair<std::uint64_t, std::int32_t>, kComparisonRows> pairs;
    for (std::size_t i = 0; i < s.n; ++i)
        pairs[i] = {s.words[i], s.rows[i]};
    std::sort(pairs.begin(), pairs.begin() + static_cast<std::ptrdiff_t>(s.n));
    for (std::size_t i = 0; i < s.n; ++i)
        std::tie(s.words[i], s.rows[i]) = pairs[i];
}

// The digit of one level of the radix sort: `bits` bits of a key from `shift` up.
struct Digit {
    int shift;
    int bits;

    std::size_t Of(std::uint64_t key) const {
        return static_cast<std::size_t>(key >> shift & ((std::uint64_t{1} << bits) - 1));
    }
    std::size_t Values() const { return std::size_t{1} << bits; }
};

// The highest `bits` bits in which the keys differ; none (0 bits) when all are equal.
Digit HighestDifferingDigit(const WordRows& s, int bits) {
    std::uint64_t differ = 0;
    for (std::size_t i = 1; i < s.n; ++i)
        differ |= s.words[i] ^ s.words[0];
    const int width = static_cast<int>(std::bit_width(differ));
    return width == 0 ? Digit{0, 0} : Digit{std::max(0, width - bits), std::min(bits, width)};
}

// Where each digit value starts once the keys are grouped by it: `starts` holds
// Values() + 1 zeros, the last entry becomes the end.
template <class Starts>
void CountStarts(const WordRows& s, Digit digit, Starts& starts) {
    for (std::size_t i = 0; i < s.n; ++i)
        ++starts[digit.Of(s.words[i]) + 1];
    for (std::size_t value = 1; value <= digit.Values(); ++value)
        starts[value] += starts[value - 1];
}

// Moves every key (and its row) into the group of its digit, in place: each displaced key
// is carried on to its own group's next free place (American flag sort).
template <class Starts>
void GroupByDigit(const WordRows& s, Digit digit, const Starts& starts) {
    Starts next = starts;
    for (std::size_t value = 0; value < digit.Values(); ++value) {
        while (next[value] < starts[value + 1]) {
            std::uint64_t key = s.words[next[value]];
            std::int32_t row = s.rows[next[value]];
            for (std::size_t to = digit.Of(key); to != value; to = digit.Of(key)) {
                std::swap(s.words[next[to]], key);
                std::swap(s.rows[next[to]++], row);
            }
            s.words[next[value]] = key;
            s.rows[next[value]] = row;
            ++next[value];
        }
    }
}

// The same as GroupByDigit, moving each key once into a buffer and back: no chains of
// swaps whose length the processor cannot foresee.
void GroupThroughBuffer(const WordRows& s, Digit digit, const std::array<std::size_t, 257>& starts,
                        std::pair<std::uint64_t*, std::int32_t*> buffer) {
    auto [words, rows] = buffer;
    std::array<std::size_t, 257> next = starts;
    for (std::size_t i = 0; i < s.n; ++i) {
        const std::size_t to = next[digit.Of(s.words[i])]++;
        words[to] = s.words[i];
        rows[to] = s.rows[i];
    }
    std::copy(words, words + s.n, s.words);
    std::copy(rows, rows + s.n, s.rows);
}

// A list of all equal keys: in row order, unless their texts go on past them and the
// next word sorts them again.
void SortEqualKeys(const WordRows& s) {
    if (!GoesOn(s.words[0], s.ascending))
        std::sort(s.rows, s.rows + s.n);
}

}  // namespace

void WordSorter::Sort(const WordRows& s) {
    if (s.n <= kInsertionRows) {
        InsertionSort(s);
        return;
    }
    if (s.n <= kComparisonRows) {
        ComparisonSort(s);
        return;
    }
    const Digit digit = HighestDifferingDigit(s, 8);
    if (digit.bits == 0) {
        SortEqualKeys(s);
        return;
    }
    std::array<std::size_t, 257> starts{};
    CountStarts(s, digit, starts);
    if (s.n <= kBufferedRows)
        GroupThroughBuffer(s, digit, starts, Buffer());
    else
        GroupByDigit(s, digit, starts);
    for (std::size_t value = 0; value < digit.Values(); ++value)
        Sort(s.Part(starts[value], starts[value + 1]));
}

std::pair<std::uint64_t*, std::int32_t*> WordSorter::Buffer() {
    if (!words_) {
        words_ = std::make_unique_for_overwrite<std::uint64_t[]>(kBufferedRows);
        rows_ = std::make_unique_for_overwrite<std::int32_t[]>(kBufferedRows);
    }
    return {words_.get(), rows_.get()};
}

// The first level by 16 bits; a group belongs to the stretch it starts in.
void SortWordsInParts(const WordRows& s) {
    const Digit digit = HighestDifferingDigit(s, 16);
    if (s.n <= kComparisonRows || digit.bits == 0) {
        WordSorter().Sort(s);
        return;
    }
    std::vector<std::size_t> starts(digit.Values() + 1);
    CountStarts(s, digit, starts);
    GroupByDigit(s, digit, starts);
    WorkInParts(static_cast<std::int64_t>(s.n), [&](std::int64_t from, std::int64_t to) {
        WordSorter sorter;
        for (std::size_t value = 0; value < digit.Values(); ++value) {
            if (starts[value] >= std::size_t(from) && starts[value] < std::size_t(to))
                sorter.Sort(s.Part(starts[value], starts[value + 1]));
        }
    });
}

}  // namespace vantrel
