#pragma once

// "Who else plays like him?": the named players of a league nearest to one player by
// their ratings. Goalies are compared with goalies (on the 11 ratings a goalie page
// shows: DF and SC take no part in a goalie's game), skaters with skaters on all 13, and
// with `samePosition` a skater only with skaters of his own position. Each rating's
// difference is scaled by that rating's spread (population standard deviation) among the
// compared players (the candidates of his group and the player himself, once each), so a
// rating in which the players differ little weighs as much as one in which they differ
// widely; a rating without spread takes no part.
//
// Two measures:
//   kStyleAndLevel  the distance between the scaled ratings themselves;
//   kStyle          the same after taking away each player's own average over the
//                   compared ratings (the spread then is that of these centred values),
//                   so a weaker copy of the same profile comes out near.
// The similarity is 100 / (1 + d), d the root mean square of the scaled differences:
// 100 % for equal ratings, falling with distance, never negative.

#include "core/league/leaguedata.h"

#include <cstdint>
#include <vector>

namespace vantrel {

enum class SimilarityMeasure : std::uint8_t { kStyleAndLevel, kStyle };

struct SimilarQuery {
    std::int32_t player = -1;  // the record index of the player compared with
    SimilarityMeasure measure = SimilarityMeasure::kStyleAndLevel;
    bool samePosition = true;
    // The candidates: nullptr for every named player of the league, else these record
    // indices (the rows a search lists, in any order; repeats count once).
    const std::vector<std::int32_t>* candidates = nullptr;
    int count = 50;  // the most players returned
};

struct SimilarPlayer {
    std::int32_t record = -1;
    double distance = 0;    // d above; 0 for equal ratings
    double similarity = 0;  // per cent, 100 / (1 + d)
};

// The `count` candidates nearest to the player, nearest first; equal distances in file
// order. The player himself, empty slots and players of another group never appear. An
// empty answer: no such record, an empty slot, or a position outside 0..4.
// `roster` holds `playerCount` records of kPlayerRecordSize bytes.
std::vector<SimilarPlayer> FindSimilar(const ByteImage& roster, std::int32_t playerCount,
                                       const SimilarQuery& query);

}  // namespace vantrel
