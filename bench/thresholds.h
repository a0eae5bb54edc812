#pragma once

// Criteria of the benchmarks taken from the generated roster itself: the selective search
// that about 1 % of the players pass, and the six criteria of the search report figures.

#include "core/league/leaguedata.h"
#include "core/league/records.h"

#include <array>
#include <cstdint>

namespace bench {

// The highest threshold of a rating that at least `percent` % of the named players reach.
inline int ShareThreshold(const vantrel::ByteImage& image, int rating, int percent) {
    std::array<std::int64_t, 256> histogram{};
    std::int64_t named = 0;
    const std::size_t records = image.size / vantrel::kPlayerRecordSize;
    for (std::size_t i = 0; i < records; ++i) {
        const std::uint8_t* record = image.data.get() + i * vantrel::kPlayerRecordSize;
        if (!vantrel::IsNamedPlayer(record))
            continue;
        ++histogram[vantrel::PlayerRecord(record).Rating(rating)];
        ++named;
    }
    std::int64_t passing = 0;
    for (int t = 255; t > 0; --t) {
        passing += histogram[static_cast<std::size_t>(t)];
        if (passing * 100 >= named * percent)
            return t;
    }
    return 0;
}

// The highest threshold of a rating that at least 1 % of the named players reach.
inline int OnePercentThreshold(const vantrel::ByteImage& image, int rating) {
    return ShareThreshold(image, rating, 1);
}

// Six active criteria for the search report: Centers of at most 30 years earning at least
// 2,000,000 whose SK, PA and SC each reach ("at least") the level half the named players
// reach. Together they list a small share of the players.
struct SixCriteria {
    int positionItem = 1;  // the position radio's item: Center
    int ageMax = 30;       // the age max trackbar
    std::int32_t salaryMin = 2'000'000;
    std::array<int, 3> ratings = {vantrel::kSK, vantrel::kPA, vantrel::kSC};
    std::array<int, 3> thresholds{};
};

inline SixCriteria SixCriteriaOf(const vantrel::ByteImage& image) {
    SixCriteria six;
    for (std::size_t i = 0; i < six.ratings.size(); ++i)
        six.thresholds[i] = ShareThreshold(image, six.ratings[i], 50);
    return six;
}

}  // namespace bench
