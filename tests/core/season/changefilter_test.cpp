// The change criteria applied to found records, against changes worked out by hand: OV
// of a centre with only SC set is SC / 5.5 + 5, cut to a whole number.

#include "core/season/changefilter.h"

#include "core/season/seasonmatch.h"
#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vantrel {
namespace {

using Indices = std::vector<std::int32_t>;

// Records 0..6 now; record 7 lies outside the league.
SeasonMatch SevenPlayers() {
    struct Row {
        const char* name;
        int scNow, scThen;  // -1: not in that season
    };
    const Row rows[] = {
        {"Ahl", 60, 30},  // OV 15 from 10: +5, SC +30
        {"Bo", 47, 30},   // OV 13 from 10: +3, SC +17
        {"Cyr", 47, 60},  // OV 13 from 15: -2, SC -13
        {"Dee", 60, -1},  // new
        {"Eck", 60, 60},  // ambiguous: twice in the earlier file
        {"", 60, 60},     // an empty slot
        {"Fay", 30, 30},  // no change
    };
    std::vector<std::uint8_t> now, then;
    for (const Row& row : rows) {
        leaguegen::PlayerBuilder()
            .Name(row.name)
            .Rating(kSC, std::uint8_t(row.scNow))
            .AppendTo(now);
        for (int copies = row.name[0] == 'E' ? 2 : 1; row.scThen >= 0 && copies > 0; --copies)
            leaguegen::PlayerBuilder()
                .Name(row.name)
                .Rating(kSC, std::uint8_t(row.scThen))
                .AppendTo(then);
    }
    return SeasonMatch(testsupport::SharedImageOf(now), 7, testsupport::SharedImageOf(then), 7);
}

Indices Kept(const ChangeCriteria& criteria, Indices found) {
    static const SeasonMatch match = SevenPlayers();
    KeepPassingChanges(criteria, match, found);
    return found;
}

const Indices kAll = {0, 1, 2, 3, 4, 5, 6, 7};

TEST(ChangeFilter, BoundsAreInclusiveAndAPlayerWithoutAMatchPassesNone) {
    ChangeCriteria criteria;
    criteria.changes[kOV].atLeast = 3;
    EXPECT_EQ(Kept(criteria, kAll), (Indices{0, 1}));
    criteria.changes[kOV] = {std::nullopt, -2};
    EXPECT_EQ(Kept(criteria, kAll), (Indices{2}));
    criteria.changes[kOV] = {0, 0};
    EXPECT_EQ(Kept(criteria, kAll), (Indices{6}));
    criteria.changes[kOV] = {-100, 100};
    EXPECT_EQ(Kept(criteria, kAll), (Indices{0, 1, 2, 6}));
    criteria.changes[kOV] = {};
    criteria.changes[kSC] = {-13, 17};
    EXPECT_EQ(Kept(criteria, kAll), (Indices{1, 2, 6}));
    criteria.changes[kOV].atLeast = 3;  // both bounds must hold
    EXPECT_EQ(Kept(criteria, kAll), (Indices{1}));
}

TEST(ChangeFilter, TheSeasonWishKeepsNewOrMatchedPlayersInTheOrderFound) {
    const Indices found = {6, 4, 0, 3, 2, 7, 1, 5};
    ChangeCriteria criteria;
    EXPECT_EQ(Kept(criteria, found), found);
    criteria.season = SeasonWanted::kNew;
    EXPECT_EQ(Kept(criteria, found), (Indices{3}));
    criteria.changes[kOV].atLeast = -100;  // a new player has no change to bound
    EXPECT_EQ(Kept(criteria, found), Indices{});
    criteria.changes[kOV] = {};
    criteria.season = SeasonWanted::kMatched;
    EXPECT_EQ(Kept(criteria, found), (Indices{6, 0, 2, 1}));
    criteria.changes[kOV].atLeast = 0;
    EXPECT_EQ(Kept(criteria, found), (Indices{6, 0, 1}));
}

TEST(ChangeFilter, TheLineTellsTheCriteriaOvFirst) {
    ChangeCriteria criteria;
    EXPECT_EQ(ChangeCriteriaLine(criteria), "");
    criteria.season = SeasonWanted::kNew;
    EXPECT_EQ(ChangeCriteriaLine(criteria), "Since the earlier season: new players only");
    criteria.season = SeasonWanted::kMatched;
    criteria.changes[kSK].atMost = -5;
    criteria.changes[kOV].atLeast = 3;
    EXPECT_EQ(ChangeCriteriaLine(criteria),
              "Since the earlier season: OV +3 or more, SK -5 or less, matched players only");
}

}  // namespace
}  // namespace vantrel
