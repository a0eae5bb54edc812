#include "core/season/seasonmatch.h"

#include "core/league/corestretches.h"
#include "core/order/prefetch.h"
#include "core/order/resultcolumns.h"
#include "core/season/namegroups.h"

#include <algorithm>
#include <atomic>
#include <climits>

namespace vantrel {

namespace {

// A claim on an earlier name by more than one current player.
constexpr std::int32_t kCrowded = -2;

std::int32_t WholeRecords(const SharedImage& image, std::int32_t count) {
    const auto inImage = static_cast<std::int64_t>(image ? image->size / kPlayerRecordSize : 0);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(count, 0, inImage));
}

const std::uint8_t* Record(const SharedImage& image, std::int32_t index) {
    return image->data.get() + static_cast<std::int64_t>(index) * kPlayerRecordSize;
}

// One current player whose name is shared in either season, with the head of the earlier
// players of that name.
struct Crowded {
    std::int32_t head;
    std::int32_t current;
    bool operator<(const Crowded& other) const {
        return head != other.head ? head < other.head : current < other.current;
    }
};

}  // namespace

SeasonMatch::SeasonMatch(SharedImage current, std::int32_t currentCount, SharedImage earlier,
                         std::int32_t earlierCount)
    : current_(std::move(current)),
      earlier_(std::move(earlier)),
      earlierCount_(WholeRecords(earlier_, earlierCount)),
      earlierOf_(static_cast<std::size_t>(WholeRecords(current_, currentCount)), kNoPlayer) {
    Match();
    CountAll();
}

namespace {

// Each current player's first earlier player of the name into earlierOf; each earlier
// name's claim is its one current player, or kCrowded when several claim it.
void LookUpNames(const NameIndex& index, const SharedImage& current,
                 LargeVector<std::int32_t>& earlierOf, LargeVector<std::int32_t>& claim) {
    WorkInParts(std::int64_t(earlierOf.size()), [&](std::int64_t begin, std::int64_t end) {
        index.HeadsOf(Record(current, static_cast<std::int32_t>(begin)), end - begin,
                      earlierOf.data() + begin);
        for (auto c = static_cast<std::int32_t>(begin); c < end; ++c) {
            if (c + std::int64_t(kPrefetchAhead) < end) {
                const std::int32_t ahead = earlierOf[std::size_t(c) + kPrefetchAhead];
                if (ahead >= 0)
                    Prefetch(&claim[std::size_t(ahead)]);
            }
            const std::int32_t head = earlierOf[std::size_t(c)];
            if (head < 0)
                continue;
            std::atomic_ref<std::int32_t> holder(claim[std::size_t(head)]);
            std::int32_t none = kNoPlayer;
            if (!holder.compare_exchange_strong(none, c) && none != kCrowded)
                holder.store(kCrowded);
        }
    });
}

// The current players whose name is shared in either season, by name, a stretch at a time.
std::vector<Crowded> SharedNames(const NameIndex& index, const LargeVector<std::int32_t>& earlierOf,
                                 const LargeVector<std::int32_t>& claim) {
    const std::vector<std::int64_t> bounds = StretchBounds(std::int64_t(earlierOf.size()));
    std::vector<std::vector<Crowded>> parts(bounds.size() - 1);
    InEachStretch(bounds, [&](std::size_t k, std::int64_t begin, std::int64_t end) {
        for (auto c = static_cast<std::int32_t>(begin); c < end; ++c) {
            const std::int32_t head = earlierOf[std::size_t(c)];
            if (head >= 0 && (index.NextOf(head) >= 0 || claim[std::size_t(head)] != c))
                parts[k].push_back({head, c});
        }
    });
    std::vector<Crowded> crowded;
    for (const std::vector<Crowded>& part : parts)
        crowded.insert(crowded.end(), part.begin(), part.end());
    std::sort(crowded.begin(), crowded.end());
    return crowded;
}

// The shared names settled pair by pair, a stretch of whole name groups on each core.
void SettleSharedNames(const NameIndex& index, const std::vector<Crowded>& crowded,
                       const SharedImage& current, const SharedImage& earlier,
                       LargeVector<std::int32_t>& earlierOf) {
    std::vector<std::int64_t> bounds = StretchBounds(std::int64_t(crowded.size()));
    for (std::size_t k = 1; k + 1 < bounds.size(); ++k) {
        bounds[k] = std::max(bounds[k], bounds[k - 1]);
        while (bounds[k] > 0 && bounds[k] < bounds.back() &&
               crowded[std::size_t(bounds[k])].head == crowded[std::size_t(bounds[k] - 1)].head)
            ++bounds[k];
    }
    InEachStretch(bounds, [&](std::size_t, std::int64_t begin, std::int64_t end) {
        std::vector<std::int32_t> currents;
        for (auto i = std::size_t(begin); i < std::size_t(end);) {
            currents.clear();
            const std::int32_t head = crowded[i].head;
            for (; i < std::size_t(end) && crowded[i].head == head; ++i)
                currents.push_back(crowded[i].current);
            for (const auto& [c, e] : PairsInGroup(current, currents, earlier, index.Group(head)))
                earlierOf[std::size_t(c)] = e;
        }
    });
}

}  // namespace

// Every current player looks up the earlier players of the name. A name held by one
// player on each side is a pair at once; the rest, rare, are settled name by name.
void SeasonMatch::Match() {
    const NameIndex index(earlier_, earlierCount_);
    LargeVector<std::int32_t> claim(static_cast<std::size_t>(earlierCount_), kNoPlayer);
    LookUpNames(index, current_, earlierOf_, claim);
    SettleSharedNames(index, SharedNames(index, earlierOf_, claim), current_, earlier_, earlierOf_);
    SetOverallChanges();
}

void SeasonMatch::SetOverallChanges() {
    overallChange_.assign(earlierOf_.size(), kNoChange);
    WorkInParts(CurrentCount(), [&](std::int64_t begin, std::int64_t end) {
        for (auto c = static_cast<std::int32_t>(begin); c < end; ++c) {
            if (c + std::int64_t(kPrefetchAhead) < end) {
                const std::uint8_t* ahead = EarlierRecordOf(c + std::int32_t(kPrefetchAhead));
                if (ahead)
                    Prefetch(ahead + player::kRatings);
            }
            const std::uint8_t* then = EarlierRecordOf(c);
            if (!then)
                continue;
            const std::int64_t change =
                NumberCell(Record(current_, c), kOverallColumn) - NumberCell(then, kOverallColumn);
            overallChange_[std::size_t(c)] = static_cast<std::int16_t>(
                std::clamp<std::int64_t>(change, kNoChange + 1, INT16_MAX));
        }
    });
}

void SeasonMatch::CountAll() {
    counts_ = {};
    for (const std::int32_t e : earlierOf_) {
        counts_.matched += e >= 0;
        counts_.fresh += e == kNewPlayer;
        counts_.ambiguous += e == kAmbiguousPlayer;
    }
    std::int64_t earlierNamed = 0;
    for (std::int32_t e = 0; e < earlierCount_; ++e)
        earlierNamed += IsNamedPlayer(Record(earlier_, e));
    counts_.gone = earlierNamed - counts_.matched;
}

std::int32_t SeasonMatch::EarlierOf(std::int32_t currentIndex) const {
    if (currentIndex < 0 || currentIndex >= CurrentCount())
        return kNoPlayer;
    return earlierOf_[std::size_t(currentIndex)];
}

const std::uint8_t* SeasonMatch::EarlierRecordOf(std::int32_t currentIndex) const {
    const std::int32_t earlier = EarlierOf(currentIndex);
    return earlier >= 0 ? Record(earlier_, earlier) : nullptr;
}

std::optional<int> SeasonMatch::OverallChange(std::int32_t currentIndex) const {
    if (EarlierOf(currentIndex) < 0)
        return std::nullopt;
    return overallChange_[std::size_t(currentIndex)];
}

std::optional<int> SeasonMatch::RatingChange(std::int32_t currentIndex, int rating) const {
    if (rating == kOV)
        return OverallChange(currentIndex);
    const std::uint8_t* then = EarlierRecordOf(currentIndex);
    if (!then || rating < 0 || rating >= kStoredRatingCount)
        return std::nullopt;
    return PlayerRecord(Record(current_, currentIndex)).Rating(rating) -
           PlayerRecord(then).Rating(rating);
}

std::vector<std::int32_t> SeasonMatch::GoneRecords() const {
    std::vector<bool> matched(static_cast<std::size_t>(earlierCount_));
    for (const std::int32_t e : earlierOf_)
        if (e >= 0)
            matched[std::size_t(e)] = true;
    std::vector<std::int32_t> gone;
    for (std::int32_t e = 0; e < earlierCount_; ++e)
        if (!matched[std::size_t(e)] && IsNamedPlayer(Record(earlier_, e)))
            gone.push_back(e);
    return gone;
}

std::size_t SeasonMatch::StorageBytes() const {
    return earlierOf_.capacity() * sizeof(std::int32_t) +
           overallChange_.capacity() * sizeof(std::int16_t);
}

}  // namespace vantrel
