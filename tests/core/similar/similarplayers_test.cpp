// The players nearest to one by their ratings: tiny leagues with figures worked out by
// hand, and generated leagues against a plain long double computation over every record.

#include "core/similar/similarplayers.h"

#include "core/league/records.h"
#include "core/similar/ratingspread.h"
#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;
using Ratings = std::array<std::uint8_t, 13>;
using Bytes = std::vector<std::uint8_t>;
using Indices = std::vector<std::int32_t>;
constexpr auto kStyle = SimilarityMeasure::kStyle;
constexpr auto kLevel = SimilarityMeasure::kStyleAndLevel;

struct Hand {
    const char* name;
    std::uint8_t position;
    Ratings ratings;
};

Bytes Roster(const std::vector<Hand>& players) {
    Bytes bytes;
    for (const Hand& p : players)
        PlayerBuilder().Name(p.name).Position(p.position).Ratings(p.ratings).AppendTo(bytes);
    return bytes;
}

std::vector<SimilarPlayer> Similar(const Bytes& roster, std::int32_t player,
                                   SimilarityMeasure measure = kLevel, bool samePosition = true,
                                   const Indices* candidates = nullptr, int count = 50) {
    const ByteImage image = testsupport::ImageOf(roster);
    const auto records = static_cast<std::int32_t>(roster.size() / kPlayerRecordSize);
    return FindSimilar(image, records, {player, measure, samePosition, candidates, count});
}

Indices RecordsOf(const std::vector<SimilarPlayer>& found) {
    Indices records;
    for (const SimilarPlayer& s : found)
        records.push_back(s.record);
    return records;
}

const Ratings kProfile{60, 70, 50, 80, 40, 65, 55, 75, 45, 50, 60, 70, 50};

TEST(FindSimilar, ACopyIsFullySimilarAndAWeakerCopyIsNearOnlyInStyle) {
    Ratings weaker = kProfile, swapped = kProfile;
    for (std::uint8_t& rating : weaker)
        rating = static_cast<std::uint8_t>(rating - 10);
    std::swap(swapped[0], swapped[1]);  // same level, another style
    const Bytes roster = Roster({{"Player", 0, kProfile},
                                 {"Weaker", 0, weaker},
                                 {"Swapped", 0, swapped},
                                 {"Copy", 0, kProfile}});
    const auto level = Similar(roster, 0, kLevel);
    EXPECT_EQ(RecordsOf(level), (Indices{3, 2, 1}));
    EXPECT_EQ(level[0].distance, 0.0);
    EXPECT_EQ(level[0].similarity, 100.0);
    // Spreads of the four: IT sqrt(50), SP 5, the other eleven sqrt(18.75).
    EXPECT_NEAR(level[1].distance, std::sqrt(6.0 / 13), 1e-12);
    EXPECT_NEAR(level[2].distance, std::sqrt((2 + 4 + 11 * 100 / 18.75) / 13), 1e-12);
    const auto style = Similar(roster, 0, kStyle);
    EXPECT_EQ(RecordsOf(style), (Indices{1, 3, 2}));  // the two copies tie: file order
    EXPECT_EQ(style[0].distance, 0.0);
    EXPECT_EQ(style[1].similarity, 100.0);
    EXPECT_GT(style[2].distance, 0.0);
}

TEST(FindSimilar, ScalesBySpreadAmongTheComparedAndIgnoresRatingsWithout) {
    // The player is the group's average; the other two differ by +-10 in every rating.
    Ratings up, down, average;
    average.fill(50);
    for (int k = 0; k < 13; ++k) {
        up[k] = static_cast<std::uint8_t>(k % 2 ? 60 : 40);
        down[k] = static_cast<std::uint8_t>(k % 2 ? 40 : 60);
    }
    const Bytes roster = Roster({{"Down", 1, down}, {"Average", 1, average}, {"Up", 1, up}});
    for (SimilarityMeasure measure : {kLevel, kStyle}) {
        const auto found = Similar(roster, 1, measure);
        ASSERT_EQ(RecordsOf(found), (Indices{0, 2})) << "a tie: file order";
        EXPECT_EQ(found[0].distance, found[1].distance);
        EXPECT_TRUE(std::isfinite(found[0].distance) && found[0].distance > 0);
    }
    EXPECT_NEAR(Similar(roster, 1)[0].distance, std::sqrt(1.5), 1e-12);  // 10 / sqrt(200/3)
    EXPECT_NEAR(Similar(roster, 1)[0].similarity, 44.94897, 1e-5);
    // Only the chosen candidates and the player count: repeats once, strays ignored.
    const Indices onlyUp{2, 2, 1, 2, -4, 99};
    EXPECT_NEAR(Similar(roster, 1, kLevel, true, &onlyUp).at(0).distance, 2.0, 1e-12);
    EXPECT_EQ(Similar(roster, 1, kLevel, true, &onlyUp).size(), 1u);

    // The same ratings throughout: no spread anywhere, everyone 100 %.
    const Bytes same = Roster({{"One", 2, kProfile}, {"Two", 2, kProfile}, {"Six", 2, kProfile}});
    for (SimilarityMeasure measure : {kLevel, kStyle}) {
        const auto found = Similar(same, 1, measure);
        ASSERT_EQ(RecordsOf(found), (Indices{0, 2}));
        EXPECT_EQ(found[1].distance, 0.0);
        EXPECT_EQ(found[1].similarity, 100.0);
    }
    // One rating with spread: it alone makes the distance, 20 / sqrt(800/9).
    Ratings higher = kProfile;
    higher[12] = 70;
    const Bytes one = Roster({{"One", 3, kProfile}, {"Two", 3, kProfile}, {"Hi", 3, higher}});
    EXPECT_NEAR(Similar(one, 0).at(1).distance, 3 / std::sqrt(2.0), 1e-12);
}

TEST(FindSimilar, KeepsGroupsApart) {
    Ratings otherDefence = kProfile;  // DF and SC: no part in a goalie's game
    otherDefence[kDF] = 5;
    otherDefence[kSC] = 99;
    Ratings otherLegs = kProfile;
    otherLegs[kSK] = 90;
    const Bytes roster = Roster({{"Goalie", 4, kProfile},
                                 {"Centre", 0, kProfile},
                                 {"Goalie B", 4, otherLegs},
                                 {"Defender", 3, kProfile},
                                 {"Odd", 7, kProfile},
                                 {"", 0, kProfile},
                                 {"X", 0, kProfile},
                                 {"Goalie C", 4, otherDefence},
                                 {"Centre B", 0, otherLegs}});
    for (SimilarityMeasure measure : {kLevel, kStyle}) {
        const auto goalies = Similar(roster, 0, measure, false);
        ASSERT_EQ(RecordsOf(goalies), (Indices{7, 2}));
        EXPECT_EQ(goalies[0].similarity, 100.0);
        EXPECT_EQ(RecordsOf(Similar(roster, 1, measure, true)), (Indices{8}));
        EXPECT_EQ(RecordsOf(Similar(roster, 1, measure, false)), (Indices{3, 8}));
        EXPECT_EQ(RecordsOf(Similar(roster, 1, measure, false, nullptr, 1)), (Indices{3}));
    }
    for (std::int32_t bad : {-1, 4, 5, 6, 9, 1 << 30})  // outside, position 7, empty slots
        EXPECT_TRUE(Similar(roster, bad).empty()) << bad;
    EXPECT_TRUE(Similar(Roster({{"Alone", 0, kProfile}, {"", 0, kProfile}}), 0).empty());
}

// Every candidate's distance worked out straight from the definitions in long double,
// nearest first.
std::vector<std::pair<long double, std::int32_t>> ReferenceNearest(const Bytes& roster,
                                                                   std::int32_t player, bool style,
                                                                   bool samePosition,
                                                                   const Indices* candidates) {
    const auto records = static_cast<std::int32_t>(roster.size() / kPlayerRecordSize);
    auto at = [&](std::int32_t i) { return roster.data() + std::size_t(i) * kPlayerRecordSize; };
    const int position = at(player)[player::kPosition];
    std::vector<bool> chosen(std::size_t(records), candidates == nullptr);
    for (std::int32_t i : candidates ? *candidates : Indices{}) {
        if (i >= 0 && i < records)
            chosen[std::size_t(i)] = true;
    }
    std::vector<std::int32_t> compared{player};
    for (std::int32_t i = 0; i < records; ++i) {
        const int p = at(i)[player::kPosition];
        const bool inGroup = position == 4 ? p == 4 : samePosition ? p == position : p < 4;
        if (chosen[std::size_t(i)] && inGroup && i != player && IsNamedPlayer(at(i)))
            compared.push_back(i);
    }
    std::vector<int> used;  // a goalie's DF and SC take no part
    for (int k = 0; k < 13; ++k) {
        if (position != 4 || (k != kDF && k != kSC))
            used.push_back(k);
    }
    const std::size_t n = used.size(), players = compared.size();
    std::vector<long double> v(players * n), mean(n), variance(n);  // v[c * n + u]
    for (std::size_t c = 0; c < players; ++c) {
        long double own = 0;
        for (std::size_t u = 0; u < n; ++u)
            own += (v[c * n + u] = at(compared[c])[player::kRatings + used[u]]) / n;
        for (std::size_t u = 0; u < n; ++u)
            mean[u] += (v[c * n + u] -= style ? own : 0) / players;
    }
    for (std::size_t c = 0; c < players; ++c) {
        for (std::size_t u = 0; u < n; ++u)
            variance[u] += (v[c * n + u] - mean[u]) * (v[c * n + u] - mean[u]) / players;
    }
    std::vector<std::pair<long double, std::int32_t>> nearest;
    for (std::size_t c = 1; c < players; ++c) {
        long double sum = 0;
        int withSpread = 0;
        for (std::size_t u = 0; u < n; ++u) {
            if (variance[u] > 1e-24L) {
                const long double z = (v[c * n + u] - v[u]) / std::sqrt(variance[u]);
                sum += z * z;
                ++withSpread;
            }
        }
        nearest.emplace_back(withSpread ? std::sqrt(sum / withSpread) : 0, compared[c]);
    }
    std::sort(nearest.begin(), nearest.end());
    return nearest;
}

// Every record returned has its own distance, rank by rank the reference's: so the records
// differ from the reference's only inside a tie. Exact ties in file order.
void ExpectAsReference(const Bytes& roster, std::int32_t player, SimilarityMeasure measure,
                       bool samePosition, const Indices* candidates) {
    SCOPED_TRACE(testing::Message() << "player " << player << " style " << (measure == kStyle)
                                    << " same " << samePosition << " list " << !!candidates);
    const auto found = Similar(roster, player, measure, samePosition, candidates);
    const auto expected =
        ReferenceNearest(roster, player, measure == kStyle, samePosition, candidates);
    ASSERT_EQ(found.size(), std::min<std::size_t>(expected.size(), 50));
    std::map<std::int32_t, double> distanceOf;
    for (const auto& [distance, record] : expected)
        distanceOf[record] = static_cast<double>(distance);
    for (std::size_t r = 0; r < found.size() && !testing::Test::HasFailure(); ++r) {
        const double tolerance = 1e-9 * (1 + found[r].distance);
        ASSERT_TRUE(distanceOf.count(found[r].record)) << found[r].record;
        EXPECT_NEAR(found[r].distance, distanceOf[found[r].record], tolerance) << "rank " << r;
        EXPECT_NEAR(found[r].distance, static_cast<double>(expected[r].first), tolerance) << r;
        if (r > 0 && found[r].distance == found[r - 1].distance) {
            EXPECT_LT(found[r - 1].record, found[r].record) << "ties in file order";
        }
    }
}

TEST(FindSimilar, MatchesAStraightComputationOnGeneratedLeagues) {
    // The second league is large enough to be split between threads.
    for (int teams : {18, 3600}) {
        leaguegen::Options options;
        options.seed = static_cast<std::uint64_t>(teams);
        options.teams = teams;
        options.slotsPerTeam = 40;
        const Bytes roster = leaguegen::Generate(options).roster;
        const auto records = static_cast<std::int32_t>(roster.size() / kPlayerRecordSize);
        Indices list;  // about every third record, some twice, strays, in no order
        for (std::int32_t i = records + 5; i >= -3; i -= 3)
            list.insert(list.end(), {i, i / 2});
        for (int position = 0; position <= 4; ++position) {
            std::int32_t player = records / 2;  // the first of the position past the middle
            while (!IsNamedPlayer(roster.data() + std::size_t(player) * kPlayerRecordSize) ||
                   roster[std::size_t(player) * kPlayerRecordSize + player::kPosition] != position)
                ++player;
            for (SimilarityMeasure measure : {kLevel, kStyle}) {
                for (bool same : {true, false}) {
                    ExpectAsReference(roster, player, measure, same, nullptr);
                    ExpectAsReference(roster, player, measure, same, &list);
                }
            }
        }
    }
}

TEST(FindSimilar, StaysExactWithExtremeRatingsInALargeGroup) {
    Bytes roster;  // six profiles of 0s and 255s, many ties, and a player of his own
    for (int i = 0; i < 70000; ++i) {
        Ratings ratings{};
        ratings[0] = i == 0 ? 200 : 255;
        ratings[1] = static_cast<std::uint8_t>(i % 2);
        ratings[2] = static_cast<std::uint8_t>(255 - i % 3);
        PlayerBuilder().Name("Player").Ratings(ratings).AppendTo(roster);
    }
    ExpectAsReference(roster, 0, kLevel, true, nullptr);
    ExpectAsReference(roster, 0, kStyle, true, nullptr);
}

// Sums of a roster of 2^26 players outgrow 64 bits in the variance: half of them 0 and half
// 3060 in one rating, every player 7 in another.
TEST(RatingSpread, WeighsSumsBeyond64Bits) {
    similar::RatingSums sums;
    sums.players = std::int64_t{1} << 26;
    sums.sums[0] = sums.players / 2 * 3060;
    sums.squares[0] = sums.players / 2 * 3060 * 3060;
    sums.sums[1] = sums.players * 7;
    sums.squares[1] = sums.players * 49;
    const auto weights = similar::WeightsOf(sums, 13);
    EXPECT_DOUBLE_EQ(weights[0], 1 / (1530.0 * 1530.0));  // the only rating with spread
    EXPECT_EQ(weights[1], 0.0);
}

}  // namespace
}  // namespace vantrel
