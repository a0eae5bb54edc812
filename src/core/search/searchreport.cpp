#include "core/search/searchreport.h"

#include "core/league/leaguedata.h"
#include "core/league/corestretches.h"
#include "core/league/records.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace vantrel {

namespace {

// A near miss with its order key: the distance, misses without one last.
struct KeyedMiss {
    std::int64_t key;
    NearMiss miss;
    // Nearest first, ties in file order.
    bool operator<(const KeyedMiss& other) const {
        return key != other.key ? key < other.key : miss.record < other.miss.record;
    }
};

// Keeps the `cap` nearest misses: candidates gather until there are twice the cap, then
// the nearest cap are selected and the rest dropped; after the first cut, a candidate
// no nearer than the cut's border is refused at once. Linear in the number offered.
class NearestMisses {
  public:
    explicit NearestMisses(std::size_t cap) : cap_(cap) {}

    void Offer(const PlayerFilter& filter, const NearMiss& miss) {
        if (cap_ == 0)
            return;
        const std::int64_t distance = filter.MissDistance(miss.criterion, miss.value);
        const KeyedMiss keyed{distance >= 0 ? distance : std::numeric_limits<std::int64_t>::max(),
                              miss};
        if (!cut_ || keyed < border_)
            Keep(keyed);
    }

    // Another stretch's nearest: the nearest of both are among the two kept sets.
    void Merge(NearestMisses&& other) {
        for (const KeyedMiss& keyed : other.kept_) {
            if (!cut_ || keyed < border_)
                Keep(keyed);
        }
    }

    std::vector<NearMiss> Sorted() {
        if (kept_.size() > cap_)
            Cut();
        std::sort(kept_.begin(), kept_.end());
        std::vector<NearMiss> misses;
        misses.reserve(kept_.size());
        for (const KeyedMiss& keyed : kept_)
            misses.push_back(keyed.miss);
        return misses;
    }

  private:
    void Keep(const KeyedMiss& keyed) {
        kept_.push_back(keyed);
        if (kept_.size() >= 2 * cap_)
            Cut();
    }

    void Cut() {
        const auto border = kept_.begin() + static_cast<std::ptrdiff_t>(cap_);
        std::nth_element(kept_.begin(), border, kept_.end());
        border_ = *border;  // every kept one is nearer than this
        cut_ = true;
        kept_.erase(border, kept_.end());
    }

    std::size_t cap_;
    std::vector<KeyedMiss> kept_;
    bool cut_ = false;
    KeyedMiss border_{};
};

}  // namespace

namespace {

// Records a block: the block's records stay in the first-level cache while each
// criterion passes over them.
constexpr int kBlock = 256;

// Marks a record that is no named player: no criterion's bit, and never a near miss.
constexpr std::uint32_t kUnnamed = 1u << 31;
static_assert(kCriterionCount < 31);

// What one stretch of records gives, counted by CriterionId so that counting needs no
// branch; stretches add up.
struct PartReport {
    explicit PartReport(std::size_t cap) : nearest(cap) {}

    std::int64_t namedPlayers = 0, matches = 0, nearMissTotal = 0;
    std::array<std::int64_t, kCriterionCount> failing{};
    std::array<std::int64_t, kCriterionCount> failingOnly{};
    NearestMisses nearest;

    void Add(PartReport&& other) {
        namedPlayers += other.namedPlayers;
        matches += other.matches;
        nearMissTotal += other.nearMissTotal;
        for (std::size_t c = 0; c < failing.size(); ++c) {
            failing[c] += other.failing[c];
            failingOnly[c] += other.failingOnly[c];
        }
        nearest.Merge(std::move(other.nearest));
    }
};

// One block of records: what each fails, found one criterion at a time; then counted
// without a branch on what they fail. The players failing exactly one criterion are
// gathered first and then offered one by one.
void CountBlock(const PlayerFilter& filter, const std::uint8_t* data, std::int64_t begin, int size,
                PartReport& part) {
    std::array<std::uint32_t, kBlock> failed;
    std::array<std::int32_t, kBlock> single;
    const std::uint8_t* first = data + begin * kPlayerRecordSize;
    filter.FailedCriteriaOfBlock(first, begin * kPlayerRecordSize, size, failed.data());
    int singles = 0;
    for (int r = 0; r < size; ++r) {
        std::uint32_t& f = failed[static_cast<std::size_t>(r)];
        if (!IsNamedPlayer(first + std::int64_t{r} * kPlayerRecordSize))
            f = kUnnamed;
        part.namedPlayers += f != kUnnamed;
        part.matches += f == 0;
        single[static_cast<std::size_t>(singles)] = r;
        singles += f != 0 && f != kUnnamed && (f & (f - 1)) == 0;  // exactly one bit
    }
    for (const int criterion : filter.ActiveCriteria()) {
        std::int64_t failing = 0;
        for (int r = 0; r < size; ++r)
            failing += (failed[static_cast<std::size_t>(r)] >> criterion) & 1u;
        part.failing[static_cast<std::size_t>(criterion)] += failing;
    }
    for (int k = 0; k < singles; ++k) {
        const int r = single[static_cast<std::size_t>(k)];
        const int criterion = std::countr_zero(failed[static_cast<std::size_t>(r)]);
        const std::int64_t offset = (begin + r) * kPlayerRecordSize;
        ++part.failingOnly[static_cast<std::size_t>(criterion)];
        part.nearest.Offer(filter, NearMiss{static_cast<std::int32_t>(begin + r), criterion,
                                            filter.ValueOf(criterion, data + offset, offset)});
    }
    part.nearMissTotal += singles;
}

PartReport CountRecords(const PlayerFilter& filter, const std::uint8_t* data, std::int64_t begin,
                        std::int64_t end, std::size_t cap) {
    PartReport part(cap);
    for (std::int64_t block = begin; block < end; block += kBlock) {
        const auto size = static_cast<int>(std::min<std::int64_t>(kBlock, end - block));
        CountBlock(filter, data, block, size, part);
    }
    return part;
}

}  // namespace

SearchReport MakeSearchReport(const PlayerFilter& filter, const ByteImage& image,
                              std::int32_t playerCount, std::size_t nearMissCap) {
    const std::int64_t whole = static_cast<std::int64_t>(image.size / kPlayerRecordSize);
    const std::int64_t count = image.data ? std::clamp<std::int64_t>(playerCount, 0, whole) : 0;
    // Parts are added in file order, and the nearest misses are a total order, so the
    // report is the same however many parts there are.
    const std::uint8_t* data = image.data.get();
    PartReport part = CountInParts<PartReport>(
        count, kBlock, [&filter, data, nearMissCap](std::int64_t begin, std::int64_t end) {
            return CountRecords(filter, data, begin, end, nearMissCap);
        });
    SearchReport report;
    report.namedPlayers = part.namedPlayers;
    report.matches = part.matches;
    report.failingAny = part.namedPlayers - part.matches;
    report.nearMissTotal = part.nearMissTotal;
    for (const int criterion : filter.ActiveCriteria()) {
        const auto slot = static_cast<std::size_t>(criterion);
        report.criteria.push_back(
            CriterionCount{criterion, part.failing[slot], part.failingOnly[slot]});
    }
    report.nearMisses = part.nearest.Sorted();
    return report;
}

std::int64_t NearMissGap(const SearchCriteria& c, const NearMiss& miss) {
    return PlayerFilter(c, 0).MissDistance(miss.criterion, miss.value);
}

}  // namespace vantrel
