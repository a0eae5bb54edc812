#pragma once

// Criteria that make the benchmarks' selective search select about 1 % of the players.

#include "core/league/leaguedata.h"
#include "core/league/records.h"

#include <array>
#include <cstdint>

namespace bench {

// The highest threshold of a rating that at least 1 % of the named players reach.
inline int OnePercentThreshold(const vantrel::ByteImage& image, int rating) {
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
        if (passing * 100 >= named)
            return t;
    }
    return 0;
}

}  // namespace bench
