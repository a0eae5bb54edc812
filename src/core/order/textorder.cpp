#include "core/order/textorder.h"

#include "core/league/recordparts.h"
#include "core/order/prefetch.h"
#include "core/order/radixorder.h"
#include "core/order/resultcolumns.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string_view>
#include <tuple>
#include <utility>

namespace vantrel {

namespace {

// A text's 8 bytes from `from` as a big-endian word, zero-padded; inverted for the
// reverse order. Texts never hold a zero byte (they end at the first one), so the words
// order as the texts' pieces do byte-wise, a shorter text first.
std::uint64_t TextWord(std::string_view text, std::size_t from, bool ascending) {
    unsigned char bytes[8] = {};
    const std::size_t left = from < text.size() ? text.size() - from : 0;
    if (left >= 8)
        std::memcpy(bytes, text.data() + from, 8);  // the usual case, without a loop
    else if (left > 0)
        std::memcpy(bytes, text.data() + from, left);
    std::uint64_t word = 0;
    for (const unsigned char byte : bytes)
        word = (word << 8) | byte;
    return ascending ? word : ~word;
}

constexpr std::size_t kTextWords = 3;
static_assert(kPlayerNameWidth <= 8 * kTextWords, "a name must fit into three words");

// Keys and rows side by side, sorted together in place.
struct KeyedRows {
    std::uint64_t* keys;
    std::int32_t* rows;
    std::size_t n;
    bool ascending;

    KeyedRows Part(std::size_t begin, std::size_t end) const {
        return {keys + begin, rows + begin, end - begin, ascending};
    }
    void Swap(std::size_t a, std::uint64_t& key, std::int32_t& row) const {
        std::swap(keys[a], key);
        std::swap(rows[a], row);
    }
};

constexpr std::size_t kInsertionRows = 24;
// Up to this many a comparison sort costs less than the radix sort's counts.
constexpr std::size_t kComparisonRows = 256;

void InsertionSort(const KeyedRows& s) {
    for (std::size_t i = 1; i < s.n; ++i) {
        const std::uint64_t key = s.keys[i];
        const std::int32_t row = s.rows[i];
        std::size_t j = i;
        for (; j > 0 && (s.keys[j - 1] > key || (s.keys[j - 1] == key && s.rows[j - 1] > row));
             --j) {
            s.keys[j] = s.keys[j - 1];
            s.rows[j] = s.rows[j - 1];
        }
        s.keys[j] = key;
        s.rows[j] = row;
    }
}

void ComparisonSort(const KeyedRows& s) {
    std::array<std::pair<std::uint64_t, std::int32_t>, kComparisonRows> pairs;
    for (std::size_t i = 0; i < s.n; ++i)
        pairs[i] = {s.keys[i], s.rows[i]};
    std::sort(pairs.begin(), pairs.begin() + static_cast<std::ptrdiff_t>(s.n));
    for (std::size_t i = 0; i < s.n; ++i)
        std::tie(s.keys[i], s.rows[i]) = pairs[i];
}

// Whether a word of a text shows that the text goes on past it: its last byte is no
// padding.
bool GoesOn(std::uint64_t word, bool ascending) {
    return (word & 0xFF) != (ascending ? 0u : 0xFFu);
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
Digit HighestDifferingDigit(const KeyedRows& s, int bits) {
    std::uint64_t differ = 0;
    for (std::size_t i = 1; i < s.n; ++i)
        differ |= s.keys[i] ^ s.keys[0];
    const int width = std::bit_width(differ);
    return width == 0 ? Digit{0, 0} : Digit{std::max(0, width - bits), std::min(bits, width)};
}

// Where each digit value starts once the keys are grouped by it: `starts` holds
// Values() + 1 zeros, the last entry becomes the end.
template <class Starts>
void CountStarts(const KeyedRows& s, Digit digit, Starts& starts) {
    for (std::size_t i = 0; i < s.n; ++i)
        ++starts[digit.Of(s.keys[i]) + 1];
    for (std::size_t value = 1; value <= digit.Values(); ++value)
        starts[value] += starts[value - 1];
}

// Moves every key (and its row) into the group of its digit, in place: each displaced key
// is carried on to its own group's next free place (American flag sort).
template <class Starts>
void GroupByDigit(const KeyedRows& s, Digit digit, const Starts& starts) {
    Starts next = starts;
    for (std::size_t value = 0; value < digit.Values(); ++value) {
        while (next[value] < starts[value + 1]) {
            std::uint64_t key = s.keys[next[value]];
            std::int32_t row = s.rows[next[value]];
            for (std::size_t to = digit.Of(key); to != value; to = digit.Of(key))
                s.Swap(next[to]++, key, row);
            s.keys[next[value]] = key;
            s.rows[next[value]] = row;
            ++next[value];
        }
    }
}

void SortKeyed(const KeyedRows& s);

// Groups the keys by their digit and sorts each group, in `sortGroups(from, to)` for the
// groups that start in [from, to).
template <class Starts, class Spread>
void SortByDigit(const KeyedRows& s, Digit digit, Starts& starts, Spread spread) {
    CountStarts(s, digit, starts);
    GroupByDigit(s, digit, starts);
    spread([&](std::int64_t from, std::int64_t to) {
        for (std::size_t value = 0; value < digit.Values(); ++value) {
            if (starts[value] >= std::size_t(from) && starts[value] < std::size_t(to))
                SortKeyed(s.Part(starts[value], starts[value + 1]));
        }
    });
}

// A list of all equal keys: in row order, unless their texts go on past them and the
// next word sorts them again.
void SortEqualKeys(const KeyedRows& s) {
    if (!GoesOn(s.keys[0], s.ascending))
        std::sort(s.rows, s.rows + s.n);
}

// Sorts by key, equal keys by row: an in-place MSD radix sort on the bytes in which keys
// differ, short stretches by comparison.
void SortKeyed(const KeyedRows& s) {
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
    SortByDigit(s, digit, starts,
                [&s](auto sortGroups) { sortGroups(0, static_cast<std::int64_t>(s.n)); });
}

// The same for a whole list: the first level by 16 bits on the calling thread, the groups
// it makes in a stretch per core (a group belongs to the stretch it starts in).
void SortKeyedInParts(const KeyedRows& s) {
    const Digit digit = HighestDifferingDigit(s, 16);
    if (s.n <= kComparisonRows || digit.bits == 0) {
        SortKeyed(s);
        return;
    }
    std::vector<std::size_t> starts(digit.Values() + 1);
    SortByDigit(s, digit, starts,
                [&s](auto sortGroups) { WorkInParts(static_cast<std::int64_t>(s.n), sortGroups); });
}

// The stable order by texts of up to three words. The rows are sorted by their first
// words, read in the search's order; rows whose first words are equal (a run) are then
// sorted by their next word, read in one more forward pass over the records, and so on.
class TextSorter {
  public:
    TextSorter(const PlaceRecords& places, const std::vector<std::int32_t>& rows, int column,
               bool ascending)
        : places_(places), rows_(rows), column_(column), ascending_(ascending), n_(rows.size()) {}

    std::vector<std::int32_t> Order() {
        ReadFirstWords();
        SortKeyedInParts({words_.get(), order_.data(), n_, ascending_});
        for (std::size_t word = 1; word < kTextWords && FindRuns(word == 1); ++word) {
            WordsOfRuns(word);
            SortRuns();
        }
        return std::move(order_);
    }

  private:
    std::string_view TextOfPlace(std::size_t place) const {
        const std::uint8_t* record = places_(place);
        return record ? TextCell(record, column_) : std::string_view();
    }

    // Marks the runs of two or more equal words whose texts go on past them (open) and
    // where each starts; false when there is none. A run of a later word lies inside an
    // open run of the word before. Each place is decided by its neighbours alone, so the
    // stretches (whole words of the bit vectors) are marked on a core each.
    bool FindRuns(bool first) {
        const std::size_t n = n_;
        const std::uint64_t* const words = words_.get();
        std::vector<bool> starts(n), open(n);
        const auto joinsRunBefore = [&](std::size_t k) {
            return k > 0 && k < n && words[k] == words[k - 1] &&
                   (first || (open_[k] && !startsRun_[k]));
        };
        struct AnyOpen {
            bool any = false;
            void Add(const AnyOpen& other) { any = any || other.any; }
        };
        const AnyOpen found = CountInStretches<AnyOpen>(
            StretchBounds(static_cast<std::int64_t>(n), 64),
            [&](std::size_t, std::int64_t begin, std::int64_t end) {
                AnyOpen part;
                for (auto k = static_cast<std::size_t>(begin); k < std::size_t(end); ++k) {
                    const bool joins = joinsRunBefore(k);
                    starts[k] = !joins;
                    open[k] = (joins || joinsRunBefore(k + 1)) && GoesOn(words[k], ascending_);
                    part.any = part.any || open[k];
                }
                return part;
            });
        startsRun_.swap(starts);
        open_.swap(open);
        return found.any;
    }

    // The first word of every place, read in the search's order, beside the row that
    // shows the place in `order_`: the radix sort needs no other order to start from.
    void ReadFirstWords() {
        const std::size_t n = n_;
        const auto places = static_cast<std::int64_t>(n);
        order_ = radix::IdentityOrder(n);
        if (!radix::InSearchOrder(rows_)) {
            WorkInParts(places, [&](std::int64_t begin, std::int64_t end) {
                for (auto i = static_cast<std::size_t>(begin); i < std::size_t(end); ++i) {
                    if (i + kPrefetchAhead < std::size_t(end))
                        Prefetch(&order_[static_cast<std::size_t>(rows_[i + kPrefetchAhead])]);
                    order_[static_cast<std::size_t>(rows_[i])] = static_cast<std::int32_t>(i);
                }
            });
        }
        words_ = std::make_unique_for_overwrite<std::uint64_t[]>(n);
        WorkInParts(places, [&](std::int64_t begin, std::int64_t end) {
            for (auto p = static_cast<std::size_t>(begin); p < std::size_t(end); ++p)
                words_[p] = TextWord(TextOfPlace(p), 0, ascending_);
        });
    }

    // The next word of every row of an open run, at its place in the order, read in one
    // forward pass over the records. Other places of `words` keep what they held.
    void WordsOfRuns(std::size_t word) {
        const auto n = static_cast<std::int64_t>(n_);
        if (!newPlaceOf_)
            newPlaceOf_ = std::make_unique_for_overwrite<std::int32_t[]>(n_);
        std::int32_t* const newPlaceOf = newPlaceOf_.get();  // by search place
        std::uint64_t* const words = words_.get();
        WorkInParts(n, [&](std::int64_t begin, std::int64_t end) {
            std::fill(newPlaceOf + begin, newPlaceOf + end, -1);
        });
        WorkInParts(n, [&](std::int64_t begin, std::int64_t end) {
            const auto last = static_cast<std::size_t>(end);
            for (auto k = static_cast<std::size_t>(begin); k < last; ++k) {
                if (k + kPrefetchAhead < last && open_[k + kPrefetchAhead])
                    Prefetch(&rows_[static_cast<std::size_t>(order_[k + kPrefetchAhead])]);
                if (k + kPrefetchAhead / 2 < last && open_[k + kPrefetchAhead / 2])
                    Prefetch(&newPlaceOf[static_cast<std::size_t>(
                        rows_[static_cast<std::size_t>(order_[k + kPrefetchAhead / 2])])]);
                if (open_[k])
                    newPlaceOf[static_cast<std::size_t>(
                        rows_[static_cast<std::size_t>(order_[k])])] = static_cast<std::int32_t>(k);
            }
        });
        WorkInParts(n, [&](std::int64_t begin, std::int64_t end) {
            for (auto p = static_cast<std::size_t>(begin); p < std::size_t(end); ++p) {
                if (p + kPrefetchAhead < std::size_t(end) && newPlaceOf[p + kPrefetchAhead] >= 0)
                    Prefetch(&words[static_cast<std::size_t>(newPlaceOf[p + kPrefetchAhead])]);
                if (newPlaceOf[p] >= 0)
                    words[static_cast<std::size_t>(newPlaceOf[p])] =
                        TextWord(TextOfPlace(p), 8 * word, ascending_);
            }
        });
    }

    // Each open run sorted by its words, equal words by row; a run belongs to the stretch
    // it starts in.
    void SortRuns() {
        const std::size_t n = n_;
        WorkInParts(static_cast<std::int64_t>(n), [&](std::int64_t from, std::int64_t to) {
            for (auto begin = static_cast<std::size_t>(from); begin < std::size_t(to); ++begin) {
                if (!startsRun_[begin] || !open_[begin])
                    continue;
                std::size_t end = begin + 1;
                while (end < n && !startsRun_[end])
                    ++end;
                SortKeyed({words_.get() + begin, order_.data() + begin, end - begin, ascending_});
            }
        });
    }

    const PlaceRecords& places_;
    const std::vector<std::int32_t>& rows_;
    int column_;
    bool ascending_;
    std::size_t n_;
    std::vector<std::int32_t> order_;
    // Made once without zeroing and reused from word to word: a core touches its own
    // stretch first, so the system's page faults are shared out too.
    std::unique_ptr<std::uint64_t[]> words_;
    std::unique_ptr<std::int32_t[]> newPlaceOf_;
    std::vector<bool> startsRun_, open_;
};

}  // namespace

std::vector<std::int32_t> TextRowOrder(const PlaceRecords& places,
                                       const std::vector<std::int32_t>& rows, int column,
                                       bool ascending) {
    return TextSorter(places, rows, column, ascending).Order();
}

}  // namespace vantrel
