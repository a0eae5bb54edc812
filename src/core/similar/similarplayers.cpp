#include "core/similar/similarplayers.h"

#include "core/league/corestretches.h"
#include "core/league/records.h"
#include "core/similar/ratingspread.h"
#include "core/similar/similarprofile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrel {

namespace {

using similar::Members;
using similar::Profile;
using similar::RatingSums;
using Weights = std::array<double, kStoredRatingCount>;

// Stretches start on a word of the candidate bits, so each word is read by one stretch.
constexpr std::int64_t kStretchAlign = 64;

// The squared distance of two profiles: the weighted squares summed in a fixed order,
// four running sums side by side, so a candidate's figure never depends on the thread.
// Sums of squares only grow, so once the first four reach `refuseFrom` the rest is
// skipped and infinity returned.
template <class P>
double SquaredDistance(const P& candidate, const P& self, const Weights& weights,
                       double refuseFrom) {
    std::array<double, 4> parts{};
    const auto add = [&](int k) {
        const double difference = candidate.values[k] - self.values[k];
        parts[k % 4] += weights[k] * (difference * difference);
    };
    for (int k = 0; k < 4; ++k)
        add(k);
    if ((parts[0] + parts[1]) + (parts[2] + parts[3]) >= refuseFrom)
        return std::numeric_limits<double>::infinity();
    for (int k = 4; k < P::kCount; ++k)
        add(k);
    return (parts[0] + parts[1]) + (parts[2] + parts[3]);
}

struct Near {
    double squared;
    double distance;
    std::int32_t record;
};

// Nearest first, equal distances in file order.
bool Nearer(const Near& a, const Near& b) {
    return a.distance != b.distance ? a.distance < b.distance : a.record < b.record;
}

// The `limit` nearest candidates offered, in a heap whose top is the farthest kept.
class NearestKept {
  public:
    explicit NearestKept(std::size_t limit) : limit_(limit) {}

    // Candidates come in file order: one no nearer in squares than the farthest kept
    // cannot beat it even on a tie, and is refused before its root is taken.
    double RefuseFrom() const {
        return heap_.size() == limit_ ? heap_.front().squared
                                      : std::numeric_limits<double>::infinity();
    }

    void Offer(double squared, std::int64_t record) {
        if (squared >= RefuseFrom())
            return;
        Keep({squared, std::sqrt(squared), static_cast<std::int32_t>(record)});
    }

    void Add(const NearestKept& other) {
        for (const Near& near : other.heap_)
            Keep(near);
    }

    std::vector<SimilarPlayer> Sorted() {
        std::sort_heap(heap_.begin(), heap_.end(), Nearer);
        std::vector<SimilarPlayer> players;
        players.reserve(heap_.size());
        for (const Near& near : heap_)
            players.push_back({near.record, near.distance, 100.0 / (1.0 + near.distance)});
        return players;
    }

  private:
    void Keep(const Near& near) {
        if (heap_.size() < limit_) {
            heap_.push_back(near);
            std::push_heap(heap_.begin(), heap_.end(), Nearer);
        } else if (Nearer(near, heap_.front())) {
            std::pop_heap(heap_.begin(), heap_.end(), Nearer);
            heap_.back() = near;
            std::push_heap(heap_.begin(), heap_.end(), Nearer);
        }
    }

    std::size_t limit_;
    std::vector<Near> heap_;
};

// Two reads of the members: the spreads, then each candidate's distance.
template <bool kGoalie, bool kCentred>
std::vector<SimilarPlayer> Nearest(const Members& members, std::int64_t records,
                                   std::size_t limit) {
    using P = Profile<kGoalie, kCentred>;
    const P self = P::Of(members.Record(members.self));
    RatingSums sums = CountInParts<RatingSums>(
        records, kStretchAlign, [&members](std::int64_t begin, std::int64_t end) {
            similar::RatingCounter<P> part;
            members.ForEach(begin, end,
                            [&part](std::int64_t, const std::uint8_t* r) { part.Count(P::Of(r)); });
            return part.Total();
        });
    if (sums.players == 0)
        return {};
    similar::RatingCounter<P> withSelf;
    withSelf.Count(self);
    sums.Add(withSelf.Total());
    const Weights weights = similar::WeightsOf(sums, P::kCount);
    NearestKept nearest = CountInParts<NearestKept>(
        records, kStretchAlign, [&](std::int64_t begin, std::int64_t end) {
            NearestKept part(limit);
            members.ForEach(begin, end, [&](std::int64_t i, const std::uint8_t* r) {
                part.Offer(SquaredDistance(P::Of(r), self, weights, part.RefuseFrom()), i);
            });
            return part;
        });
    return nearest.Sorted();
}

// One bit a record for the candidates inside the roster; repeats set the same bit.
std::vector<std::uint64_t> ChosenBits(const std::vector<std::int32_t>& candidates,
                                      std::int64_t records) {
    std::vector<std::uint64_t> bits(static_cast<std::size_t>((records + 63) / 64));
    for (const std::int32_t c : candidates) {
        if (c >= 0 && c < records)
            bits[static_cast<std::size_t>(c / 64)] |= std::uint64_t{1} << (c % 64);
    }
    return bits;
}

}  // namespace

std::vector<SimilarPlayer> FindSimilar(const ByteImage& roster, std::int32_t playerCount,
                                       const SimilarQuery& query) {
    if (!roster.data || playerCount <= 0 || query.count <= 0)
        return {};
    const std::int64_t records = std::min<std::int64_t>(
        playerCount, static_cast<std::int64_t>(roster.size / kPlayerRecordSize));
    if (query.player < 0 || query.player >= records)
        return {};
    Members members;
    members.roster = roster.data.get();
    members.self = query.player;
    const std::uint8_t* self = members.Record(query.player);
    const std::uint8_t position = self[player::kPosition];
    if (!IsNamedPlayer(self) || position > 4)
        return {};
    const bool goalie = position == 4;
    members.firstPosition = goalie || query.samePosition ? position : 0;
    members.lastPosition = goalie || query.samePosition ? position : 3;
    std::vector<std::uint64_t> chosen;
    if (query.candidates) {
        chosen = ChosenBits(*query.candidates, records);
        members.chosen = &chosen;
    }
    const auto limit = static_cast<std::size_t>(query.count);
    const bool centred = query.measure == SimilarityMeasure::kStyle;
    if (goalie)
        return centred ? Nearest<true, true>(members, records, limit)
                       : Nearest<true, false>(members, records, limit);
    return centred ? Nearest<false, true>(members, records, limit)
                   : Nearest<false, false>(members, records, limit);
}

}  // namespace vantrel
