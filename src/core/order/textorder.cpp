#include "core/order/textorder.h"

#include "core/league/corestretches.h"
#include "core/order/placebits.h"
#include "core/order/prefetch.h"
#include "core/order/radixorder.h"
#include "core/order/resultcolumns.h"
#include "core/order/wordsort.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <string_view>
#include <utility>

namespace vantrel {

namespace {

constexpr std::size_t kTextWords = 3;
static_assert(kPlayerNameWidth <= 8 * kTextWords, "a name must fit into three words");

// Below this share of open rows (1 in 4) a row's next word is read from its own record:
// fewer reads than one pass over all records.
constexpr std::size_t kOpenRowsForAPass = 4;

// The stable order by texts of up to three words. The rows are sorted by their first
// words, read in the search's order; rows whose first words are equal (a run) are then
// sorted by their next word, and so on.
class TextSorter {
  public:
    TextSorter(const PlaceRecords& places, const std::vector<std::int32_t>& rows, int column,
               bool ascending)
        : places_(places), rows_(rows), column_(column), ascending_(ascending), n_(rows.size()) {}

    std::vector<std::int32_t> Order() {
        ReadFirstWords();
        SortWordsInParts({words_.get(), order_.data(), n_, ascending_});
        for (std::size_t word = 1; word < kTextWords; ++word) {
            const std::size_t openRows = FindRuns(word == 1);
            if (openRows == 0)
                break;
            if (openRows < n_ / kOpenRowsForAPass)
                ReadWordsOfRuns(word);
            else
                WordsOfRunsInAPass(word);
            SortRuns();
        }
        return std::move(order_);
    }

  private:
    std::string_view TextOfPlace(std::size_t place) const {
        const std::uint8_t* record = places_(place);
        return record ? TextCell(record, column_) : std::string_view();
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

    // Bit i: place k0 + i joins the run of the place before it (an equal word, and for a
    // later word the same open run of the word before).
    std::uint64_t JoiningBits(std::size_t k0, std::size_t k1, bool first) const {
        const std::uint64_t* const words = words_.get();
        std::uint64_t equal = 0;
        for (std::size_t k = std::max<std::size_t>(k0, 1); k < k1; ++k)
            equal |= std::uint64_t{words[k] == words[k - 1]} << (k - k0);
        if (first)
            return equal;
        const std::size_t w = k0 / PlaceBits::kWordBits;
        return equal & open_.Word(w) & ~startsRun_.Word(w);
    }

    // Bit i: the text of place k0 + i goes on past its word.
    std::uint64_t GoingOnBits(std::size_t k0, std::size_t k1) const {
        std::uint64_t goesOn = 0;
        for (std::size_t k = k0; k < k1; ++k)
            goesOn |= std::uint64_t{GoesOn(words_[k], ascending_)} << (k - k0);
        return goesOn;
    }

    // Marks where each run of equal words starts and the runs of two or more whose texts
    // go on past them (open); returns how many rows are open. A run of a later word lies
    // inside an open run of the word before, so 64 places outside those are skipped at
    // once. A stretch of whole 64 places is marked on a core each.
    std::size_t FindRuns(bool first) {
        const std::size_t n = n_;
        PlaceBits starts(n), open(n);
        struct OpenRows {
            std::size_t count = 0;
            void Add(const OpenRows& other) { count += other.count; }
        };
        const auto bits = static_cast<std::int64_t>(PlaceBits::kWordBits);
        const OpenRows found = CountInParts<OpenRows>(
            static_cast<std::int64_t>(n), bits, [&](std::int64_t begin, std::int64_t end) {
                OpenRows part;
                for (auto k0 = static_cast<std::size_t>(begin); k0 < std::size_t(end);
                     k0 += PlaceBits::kWordBits) {
                    const std::size_t w = k0 / PlaceBits::kWordBits;
                    const std::size_t k1 = std::min(n, k0 + PlaceBits::kWordBits);
                    const std::uint64_t places = ~std::uint64_t{0} >> (k0 + 64 - k1);
                    if (!first && open_.Word(w) == 0) {
                        starts.SetWord(w, places);
                        continue;
                    }
                    const std::uint64_t joins = JoiningBits(k0, k1, first);
                    const std::uint64_t nextJoins = k1 < n ? JoiningBits(k1, k1 + 1, first) & 1 : 0;
                    const std::uint64_t inRun = joins | joins >> 1 | nextJoins << 63;
                    const std::uint64_t runOpen = inRun & GoingOnBits(k0, k1) & places;
                    starts.SetWord(w, ~joins & places);
                    open.SetWord(w, runOpen);
                    part.count += static_cast<std::size_t>(std::popcount(runOpen));
                }
                return part;
            });
        startsRun_ = std::move(starts);
        open_ = std::move(open);
        return found.count;
    }

    // The next word of every open row, read from its own record: the reads of a row's
    // place, its record's index and the record are asked for in stages ahead.
    void ReadWordsOfRuns(std::size_t word) {
        newPlaceOf_.reset();  // not needed here: its memory goes back first
        const std::int32_t* const order = order_.data();
        const std::int32_t* const rows = rows_.data();
        const std::int32_t* const records = places_.RecordIndices();
        WorkInParts(static_cast<std::int64_t>(n_), [&](std::int64_t begin, std::int64_t end) {
            std::vector<std::uint32_t> open;  // the open places of the stretch
            for (std::size_t k = open_.NextMarked(static_cast<std::size_t>(begin));
                 k < std::size_t(end); k = open_.NextMarked(k + 1))
                open.push_back(static_cast<std::uint32_t>(k));
            const auto placeOf = [&](std::size_t i) {
                return static_cast<std::size_t>(rows[order[open[i]]]);
            };
            constexpr std::size_t kAhead = kPrefetchAhead / 2;
            for (std::size_t i = 0; i < open.size(); ++i) {
                if (i + 3 * kAhead < open.size())
                    Prefetch(&rows[order[open[i + 3 * kAhead]]]);
                if (i + 2 * kAhead < open.size())
                    Prefetch(&records[placeOf(i + 2 * kAhead)]);
                if (i + kAhead < open.size())
                    Prefetch(places_(placeOf(i + kAhead)));
                words_[open[i]] = TextWord(TextOfPlace(placeOf(i)), 8 * word, ascending_);
            }
        });
    }

    // The next word of every open row, at its place in the order, read in one forward
    // pass over the records. Other places of `words` keep what they held.
    void WordsOfRunsInAPass(std::size_t word) {
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
            WordSorter sorter;
            std::size_t begin = open_.NextMarked(static_cast<std::size_t>(from));
            while (begin < std::size_t(to)) {
                const std::size_t end = std::min(n, startsRun_.NextMarked(begin + 1));
                if (startsRun_[begin])  // else the run started in the stretch before
                    sorter.Sort(
                        {words_.get() + begin, order_.data() + begin, end - begin, ascending_});
                begin = open_.NextMarked(end);
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
    PlaceBits startsRun_, open_;
};

}  // namespace

std::vector<std::int32_t> TextRowOrder(const PlaceRecords& places,
                                       const std::vector<std::int32_t>& rows, int column,
                                       bool ascending) {
    return TextSorter(places, rows, column, ascending).Order();
}

}  // namespace vantrel
