// Two seasons of a league from arbitrary bytes: the match of their players checked against
// the matching rules worked out pair by pair, its counts, a second match of both rosters in
// reverse record order, the changes, and the change criteria applied to found records.
//
// Input: a 16-byte header (shorter inputs read as zero-padded), then the current roster
// image (its length in header bytes 0..1, little-endian, cut to what is there), then the
// earlier roster image. The team files take no part: a match reads the rosters only.
// Header byte 2 bit 0: record counts from bytes 3..4 and 5..6 (signed, little-endian)
// instead of the whole records of each image. Bytes 7..13: the change criteria (season
// wish, a bound on any rating and one on OV); byte 14: where the found list starts.

#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "core/season/changefilter.h"
#include "core/season/seasonmatch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using vantrel::kPlayerRecordSize;
using vantrel::SeasonMatch;

constexpr std::size_t kHeaderSize = 16;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_seasonpair: %s\n", what);
        std::abort();
    }
}

vantrel::SharedImage ImageOf(const std::uint8_t* data, std::size_t size) {
    auto image = std::make_shared<vantrel::ByteImage>();
    // Exactly the size, so that the sanitizer sees any read past the end.
    image->data = std::make_unique<std::uint8_t[]>(size);
    std::copy(data, data + size, image->data.get());
    image->size = size;
    return image;
}

// A season as the rules see it: per record the trimmed name (up to the first zero byte,
// codes 1..32 off both ends), the position and the signed age.
struct Season {
    std::vector<std::string> names;
    std::vector<int> positions, ages;
    const std::uint8_t* bytes = nullptr;

    Season(const vantrel::SharedImage& image, std::int32_t count) : bytes(image->data.get()) {
        for (std::int32_t i = 0; i < count; ++i) {
            const std::uint8_t* r = bytes + std::int64_t{i} * kPlayerRecordSize;
            std::string name;
            for (int k = 0; k < vantrel::kPlayerNameWidth && r[k] != 0; ++k)
                name += static_cast<char>(r[k]);
            auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
            while (!name.empty() && blank(name.back()))
                name.pop_back();
            std::size_t first = 0;
            while (first < name.size() && blank(name[first]))
                ++first;
            names.push_back(name.substr(first));
            positions.push_back(r[vantrel::player::kPosition]);
            ages.push_back(static_cast<std::int8_t>(r[vantrel::player::kAge]));
        }
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(names.size()); }
    bool Named(std::int32_t i) const { return names[std::size_t(i)].size() >= 2; }
    const std::uint8_t* Record(std::int32_t i) const {
        return bytes + std::int64_t{i} * kPlayerRecordSize;
    }
};

// The players of `others` that player `i` of `own` prefers: the same name; of those the
// same position, if any; of those an age that fits, if any. An age fits when the current
// player's age is the earlier one's or one more (`ownIsCurrent` says which side is which).
std::vector<std::int32_t> Preferred(const Season& own, std::int32_t i, const Season& others,
                                    bool ownIsCurrent) {
    std::vector<std::int32_t> candidates;
    for (std::int32_t o = 0; o < others.Count(); ++o)
        if (others.Named(o) && others.names[std::size_t(o)] == own.names[std::size_t(i)])
            candidates.push_back(o);
    auto narrow = [&candidates](auto keep) {
        std::vector<std::int32_t> kept;
        std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(kept), keep);
        if (!kept.empty())
            candidates = kept;
    };
    narrow([&](std::int32_t o) {
        return others.positions[std::size_t(o)] == own.positions[std::size_t(i)];
    });
    narrow([&](std::int32_t o) {
        const int now = ownIsCurrent ? own.ages[std::size_t(i)] : others.ages[std::size_t(o)];
        const int then = ownIsCurrent ? others.ages[std::size_t(o)] : own.ages[std::size_t(i)];
        return now == then || now == then + 1;
    });
    return candidates;
}

std::int32_t ReferenceEarlierOf(const Season& now, std::int32_t c, const Season& then) {
    if (!now.Named(c))
        return vantrel::kNoPlayer;
    const std::vector<std::int32_t> mine = Preferred(now, c, then, true);
    if (mine.empty())
        return vantrel::kNewPlayer;
    if (mine.size() == 1 && Preferred(then, mine[0], now, false) == std::vector<std::int32_t>{c})
        return mine[0];
    return vantrel::kAmbiguousPlayer;
}

void CheckMatch(const SeasonMatch& match, const Season& now, const Season& then) {
    std::vector<bool> taken(std::size_t(then.Count()));
    vantrel::SeasonCounts counts;
    for (std::int32_t c = 0; c < now.Count(); ++c) {
        const std::int32_t e = match.EarlierOf(c);
        Check(e == ReferenceEarlierOf(now, c, then), "a pair differs from the rules");
        counts.matched += e >= 0;
        counts.fresh += e == vantrel::kNewPlayer;
        counts.ambiguous += e == vantrel::kAmbiguousPlayer;
        Check((match.EarlierRecordOf(c) != nullptr) == (e >= 0), "the earlier record");
        if (e < 0) {
            for (int k = -1; k <= vantrel::kRatingCriteriaCount; ++k)
                Check(!match.RatingChange(c, k), "a change without a match");
            continue;
        }
        Check(!taken[std::size_t(e)], "an earlier player matched twice");
        taken[std::size_t(e)] = true;
        Check(now.names[std::size_t(c)] == then.names[std::size_t(e)], "a pair of two names");
        const std::uint8_t* a = now.Record(c);
        const std::uint8_t* b = then.Record(e);
        Check(match.OverallChange(c) == vantrel::NumberCell(a, vantrel::kOverallColumn) -
                                            vantrel::NumberCell(b, vantrel::kOverallColumn),
              "the OV change");
        for (int k = 0; k < vantrel::kStoredRatingCount; ++k) {
            Check(match.RatingChange(c, k) ==
                      a[vantrel::player::kRatings + k] - b[vantrel::player::kRatings + k],
                  "a rating change");
        }
    }
    std::vector<std::int32_t> gone;
    for (std::int32_t e = 0; e < then.Count(); ++e)
        if (then.Named(e) && !taken[std::size_t(e)])
            gone.push_back(e);
    counts.gone = static_cast<std::int64_t>(gone.size());
    Check(match.Counts() == counts, "the counts");
    Check(match.GoneRecords() == gone, "the gone players");
    for (const std::int32_t outside : {-1, now.Count(), std::numeric_limits<std::int32_t>::max()})
        Check(match.EarlierOf(outside) == vantrel::kNoPlayer, "a record outside the league");
}

// Both rosters with their records in reverse order give the same pairs.
void CheckReversed(const SeasonMatch& match, const Season& now, const Season& then) {
    auto reversed = [](const Season& season) {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t i = season.Count(); i-- > 0;)
            bytes.insert(bytes.end(), season.Record(i), season.Record(i) + kPlayerRecordSize);
        return ImageOf(bytes.data(), bytes.size());
    };
    const SeasonMatch back(reversed(now), now.Count(), reversed(then), then.Count());
    for (std::int32_t c = 0; c < now.Count(); ++c) {
        const std::int32_t e = back.EarlierOf(now.Count() - 1 - c);
        Check((e >= 0 ? then.Count() - 1 - e : e) == match.EarlierOf(c),
              "the pairs depend on the record order");
    }
}

vantrel::ChangeCriteria CriteriaOf(const std::uint8_t* h) {
    vantrel::ChangeCriteria criteria;
    criteria.season = static_cast<vantrel::SeasonWanted>(h[7] % 3);
    auto bound = [](std::uint8_t flags, std::uint8_t low, std::uint8_t high) {
        vantrel::ChangeBound b;
        if (flags & 1)
            b.atLeast = static_cast<std::int8_t>(low);
        if (flags & 2)
            b.atMost = static_cast<std::int8_t>(high);
        return b;
    };
    criteria.changes[h[8] % vantrel::kRatingCriteriaCount] = bound(h[9], h[10], h[11]);
    criteria.changes[vantrel::kOV] = bound(h[9] >> 2, h[12], h[13]);
    return criteria;
}

bool ReferencePasses(const vantrel::ChangeCriteria& criteria, const SeasonMatch& match,
                     std::int32_t c) {
    const std::int32_t e = match.EarlierOf(c);
    if ((criteria.season == vantrel::SeasonWanted::kNew && e != vantrel::kNewPlayer) ||
        (criteria.season == vantrel::SeasonWanted::kMatched && e < 0))
        return false;
    for (int k = 0; k < vantrel::kRatingCriteriaCount; ++k) {
        const vantrel::ChangeBound& bound = criteria.changes[std::size_t(k)];
        if (!bound.atLeast && !bound.atMost)
            continue;
        const std::optional<int> change = match.RatingChange(c, k);
        if (!change || (bound.atLeast && *change < *bound.atLeast) ||
            (bound.atMost && *change > *bound.atMost))
            return false;
    }
    return true;
}

void CheckChangeFilter(const std::uint8_t* h, const SeasonMatch& match) {
    const vantrel::ChangeCriteria criteria = CriteriaOf(h);
    // Every record and two on each side outside, starting at a place from the header.
    const std::int32_t span = match.CurrentCount() + 4;
    std::vector<std::int32_t> found;
    found.reserve(std::size_t(span));
    for (std::int32_t k = 0; k < span; ++k)
        found.push_back((k + h[14]) % span - 2);
    std::vector<std::int32_t> expected;
    for (const std::int32_t c : found) {
        const bool passes = ReferencePasses(criteria, match, c);
        Check(vantrel::PassesChanges(criteria, match, c) == passes, "a change criterion");
        if (passes)
            expected.push_back(c);
    }
    vantrel::KeepPassingChanges(criteria, match, found);
    Check(found == expected, "the records kept, or their order");
    bool active = criteria.season != vantrel::SeasonWanted::kAny;
    for (const vantrel::ChangeBound& bound : criteria.changes)
        active = active || bound.atLeast || bound.atMost;
    Check(vantrel::ChangeCriteriaLine(criteria).empty() != active, "the criteria line");
}

std::int32_t CountOf(const std::uint8_t* h, std::size_t at, std::size_t imageSize) {
    if ((h[2] & 1) == 0)
        return static_cast<std::int32_t>(imageSize / kPlayerRecordSize);
    return static_cast<std::int16_t>(h[at] | (h[at + 1] << 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t h[kHeaderSize] = {};
    std::copy(data, data + std::min(size, kHeaderSize), h);
    const std::uint8_t* payload = data + std::min(size, kHeaderSize);
    const std::size_t payloadSize = size - std::min(size, kHeaderSize);
    const std::size_t nowSize = std::min<std::size_t>(h[0] | (h[1] << 8), payloadSize);

    const vantrel::SharedImage now = ImageOf(payload, nowSize);
    const vantrel::SharedImage then = ImageOf(payload + nowSize, payloadSize - nowSize);
    const std::int32_t nowCount = CountOf(h, 3, now->size);
    const std::int32_t thenCount = CountOf(h, 5, then->size);
    const SeasonMatch match(now, nowCount, then, thenCount);
    // Counts past an image are cut to its whole records; a negative count is none.
    auto cut = [](std::int32_t count, std::size_t imageSize) {
        return std::clamp<std::int32_t>(count, 0,
                                        static_cast<std::int32_t>(imageSize / kPlayerRecordSize));
    };
    Check(match.CurrentCount() == cut(nowCount, now->size), "the current count");
    Check(match.EarlierCount() == cut(thenCount, then->size), "the earlier count");

    const Season nowSeason(now, match.CurrentCount()), thenSeason(then, match.EarlierCount());
    CheckMatch(match, nowSeason, thenSeason);
    CheckReversed(match, nowSeason, thenSeason);
    CheckChangeFilter(h, match);
    return 0;
}
