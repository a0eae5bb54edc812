// Two seasons matched by name, against pairs worked out by hand from the matching rules
// and against leagues whose earlier season is made from the current one by known steps.

#include "core/season/seasonmatch.h"
#include "core/season/changefilter.h"

#include "core/league/records.h"
#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;
using testsupport::SharedImageOf;
using Bytes = std::vector<std::uint8_t>;
using Indices = std::vector<std::int32_t>;

constexpr std::int32_t kNew = kNewPlayer, kAmb = kAmbiguousPlayer, kNo = kNoPlayer;
constexpr std::uint8_t kC = 0, kLW = 1, kD = 3, kG = 4;

struct Player {
    const char* name;
    std::uint8_t position;
    int age;  // the age byte
};

Bytes RosterOf(const std::vector<Player>& players) {
    Bytes bytes;
    for (const Player& p : players)
        PlayerBuilder().Name(p.name).Position(p.position).Age(std::uint8_t(p.age)).AppendTo(bytes);
    return bytes;
}

std::int32_t RecordsIn(const Bytes& bytes) {
    return static_cast<std::int32_t>(bytes.size() / kPlayerRecordSize);
}

SeasonMatch MatchOf(const Bytes& now, const Bytes& then) {
    return SeasonMatch(SharedImageOf(now), RecordsIn(now), SharedImageOf(then), RecordsIn(then));
}

Indices EarlierOfAll(const SeasonMatch& match) {
    Indices earlier;
    for (std::int32_t c = 0; c < match.CurrentCount(); ++c)
        earlier.push_back(match.EarlierOf(c));
    return earlier;
}

TEST(SeasonMatch, AUniqueNameMatchesByItsExactTrimmedBytesWhateverElseChanged) {
    // Oksa changed position and got younger; Lee's name has blanks around it now.
    const Bytes now = RosterOf({{"Maaran", kC, 25},
                                {" Lee \t", kD, 30},
                                {"lee", kD, 30},
                                {"", kC, 0},
                                {"Oksa", kC, 20},
                                {"Vale", kG, 19}});
    const Bytes then = RosterOf(
        {{"Oksa", kLW, 22}, {"Lee", kD, 29}, {"X", kC, 30}, {"Maaran", kC, 24}, {"Gone", kG, 30}});
    const SeasonMatch match = MatchOf(now, then);
    EXPECT_EQ(EarlierOfAll(match), (Indices{3, 1, kNew, kNo, 0, kNew}));
    EXPECT_EQ(match.Counts(), (SeasonCounts{3, 2, 0, 1}));
    EXPECT_EQ(match.GoneRecords(), Indices{4});
    EXPECT_EQ(match.EarlierOf(-1), kNo);
    EXPECT_EQ(match.EarlierOf(6), kNo);
    EXPECT_EQ(match.EarlierRecordOf(2), nullptr);
    EXPECT_EQ(match.EarlierRecordOf(0),
              match.Earlier()->data.get() + std::ptrdiff_t{3} * kPlayerRecordSize);
    // Counts past the images are cut to their whole records; a partial record is none.
    Bytes longer = now;
    longer.resize(longer.size() + 85, 'A');
    const SeasonMatch cut(SharedImageOf(longer), 1000, SharedImageOf(then), INT32_MAX);
    EXPECT_EQ(EarlierOfAll(cut), EarlierOfAll(match));
    EXPECT_EQ(cut.Counts(), match.Counts());
}

// Shared names, each settled by the rules (position first, then an age now equal to or
// one more than then, pairs only where the choice is mutual and single).
// clang-format off
const Bytes kSharedNow = RosterOf({
    {"Ek", kC, 25}, {"Ek", kD, 25},      // position decides: D takes the one earlier D
    {"Berg", kC, 25},                    // age decides between two earlier centres
    {"Holm", kC, 26}, {"Holm", kC, 31},  // two a side, paired by age
    {"Nyman", kC, 25},                   // two earlier fit: ambiguous
    {"Lind", kC, 25}, {"Lind", kC, 25},  // two now fit the one then: ambiguous
    {"Dahl", kC, 25},                    // position before age
    {"Falk", kC, 24},                    // age went down: neither fits, two left
    {"Sund", kC, 25},                    // present twice in the earlier file
    {"Rask", kC, 0}});                   // age byte 0 follows byte 255 (-1)
const Bytes kSharedThen = RosterOf({
    {"Ek", kD, 24},
    {"Berg", kC, 31}, {"Berg", kC, 24},
    {"Holm", kC, 31}, {"Holm", kC, 25},
    {"Nyman", kC, 24}, {"Nyman", kC, 25},
    {"Lind", kC, 24},
    {"Dahl", kLW, 24}, {"Dahl", kC, 40},
    {"Falk", kC, 25}, {"Falk", kC, 30},
    {"Sund", kC, 24}, {"Sund", kC, 24},
    {"Rask", kC, 255}, {"Rask", kC, 30}});
// clang-format on
const Indices kSharedPairs = {kAmb, 0, 2, 4, 3, kAmb, kAmb, kAmb, 9, kAmb, kAmb, 14};

TEST(SeasonMatch, SharedNamesPairOnlyWhereEachIsTheOthersSinglePreferredCandidate) {
    const SeasonMatch match = MatchOf(kSharedNow, kSharedThen);
    EXPECT_EQ(EarlierOfAll(match), kSharedPairs);
    EXPECT_EQ(match.Counts(), (SeasonCounts{6, 0, 6, 10}));
    EXPECT_EQ(match.GoneRecords(), (Indices{1, 5, 6, 7, 8, 10, 11, 12, 13, 15}));
}

Bytes Shuffled(const Bytes& bytes, const Indices& order) {
    Bytes out;
    for (const std::int32_t i : order) {
        const auto from = bytes.begin() + std::int64_t{i} * kPlayerRecordSize;
        out.insert(out.end(), from, from + kPlayerRecordSize);
    }
    return out;
}

TEST(SeasonMatch, FileOrderDecidesNothing) {
    std::mt19937 random(11);
    Indices nowOrder(kSharedPairs.size()), thenOrder(std::size_t(RecordsIn(kSharedThen)));
    std::iota(nowOrder.begin(), nowOrder.end(), 0);
    std::iota(thenOrder.begin(), thenOrder.end(), 0);
    for (int round = 0; round < 50; ++round) {
        std::shuffle(nowOrder.begin(), nowOrder.end(), random);
        std::shuffle(thenOrder.begin(), thenOrder.end(), random);
        const SeasonMatch match =
            MatchOf(Shuffled(kSharedNow, nowOrder), Shuffled(kSharedThen, thenOrder));
        for (std::size_t c = 0; c < nowOrder.size(); ++c) {
            const std::int32_t e = match.EarlierOf(std::int32_t(c));
            ASSERT_EQ(e < 0 ? e : thenOrder[std::size_t(e)], kSharedPairs[std::size_t(nowOrder[c])])
                << "round " << round << ", record " << c;
        }
    }
}

TEST(SeasonMatch, ChangesAreNowMinusThenOfTheWholeNumbersShown) {
    auto player = [](const char* name, std::uint8_t position, std::uint8_t sc, std::uint8_t sk) {
        return PlayerBuilder().Name(name).Position(position).Rating(kSC, sc).Rating(kSK, sk);
    };
    Bytes now, then;
    // OV of a forward: SC / 5.5 + SK / 11.25 + 5, cut: 16.68 then, 21.69 now.
    player("Maaran", kC, 60, 65).AppendTo(now);
    player("Maaran", kLW, 30, 70).AppendTo(then);
    // A forward at 15.91 turned defender with SC above DF: SC / 6 + 8 = 18.5.
    player("Oksa", kD, 63, 0).AppendTo(now);
    player("Oksa", kLW, 60, 0).AppendTo(then);
    // Position 7 has OV 0.
    player("Vale", 7, 60, 0).AppendTo(now);
    player("Vale", kC, 60, 0).AppendTo(then);
    player("Newman", kC, 60, 0).AppendTo(now);
    const SeasonMatch match = MatchOf(now, then);
    EXPECT_EQ(match.OverallChange(0), 5);
    EXPECT_EQ(match.RatingChange(0, kOV), 5);
    EXPECT_EQ(match.RatingChange(0, kSC), 30);
    EXPECT_EQ(match.RatingChange(0, kSK), -5);
    EXPECT_EQ(match.RatingChange(0, kIT), 0);
    EXPECT_EQ(match.OverallChange(1), 3);
    EXPECT_EQ(match.RatingChange(1, kSC), 3);
    EXPECT_EQ(match.OverallChange(2), -15);
    for (int rating = -1; rating <= kRatingCriteriaCount; ++rating) {
        EXPECT_EQ(match.RatingChange(3, rating), std::nullopt) << rating;
        EXPECT_EQ(match.RatingChange(4, rating), std::nullopt) << rating;
    }
    EXPECT_EQ(match.RatingChange(0, kRatingCriteriaCount), std::nullopt);
}

// A generated league whose named players carry the unique names P0, P1, ...
Bytes UniquelyNamed(int teams, int slots, std::int64_t& named) {
    leaguegen::Options options;
    options.teams = teams;
    options.slotsPerTeam = slots;
    Bytes roster = leaguegen::Generate(options).roster;
    named = 0;
    for (std::size_t at = 0; at < roster.size(); at += kPlayerRecordSize) {
        if (!IsNamedPlayer(roster.data() + at))
            continue;
        const std::string name = "P" + std::to_string(named++);
        std::fill_n(roster.begin() + std::int64_t(at), kPlayerNameWidth, 0);
        std::copy(name.begin(), name.end(), roster.begin() + std::int64_t(at));
    }
    return roster;
}

TEST(SeasonMatch, ALeagueAgainstItselfMatchesEveryoneAndRenamedByCaseNobody) {
    std::int64_t named = 0;
    const Bytes league = UniquelyNamed(20, 30, named);
    const SeasonMatch same = MatchOf(league, league);
    EXPECT_EQ(same.Counts(), (SeasonCounts{named, 0, 0, 0}));
    for (std::int32_t c = 0; c < same.CurrentCount(); ++c) {
        const bool isNamed = IsNamedPlayer(league.data() + std::int64_t{c} * kPlayerRecordSize);
        ASSERT_EQ(same.EarlierOf(c), isNamed ? c : kNo);
        if (isNamed) {
            ASSERT_EQ(same.OverallChange(c), 0);
        }
    }
    Bytes renamed = league;
    for (std::size_t at = 0; at < renamed.size(); at += kPlayerRecordSize)
        if (IsNamedPlayer(renamed.data() + at))
            renamed[at] = 'p';
    EXPECT_EQ(MatchOf(league, renamed).Counts(), (SeasonCounts{0, named, 0, named}));
}

// The earlier season in another geometry: every named player in a shuffled place with
// empty slots between, one in 33 renamed, one in 500 twice, and players since gone. Large
// enough that the matching runs in several threads.
TEST(SeasonMatch, AnEarlierLeagueOfOtherShapeMatchesEachPlayerWhereItWasPut) {
    std::int64_t named = 0;
    const Bytes now = UniquelyNamed(3750, 40, named);
    Indices players;
    for (std::int32_t c = 0; c < RecordsIn(now); ++c)
        if (IsNamedPlayer(now.data() + std::int64_t{c} * kPlayerRecordSize))
            players.push_back(c);
    std::shuffle(players.begin(), players.end(), std::mt19937(5));
    Bytes then;
    Indices expected(std::size_t(RecordsIn(now)), kNo);
    SeasonCounts counts{named, 0, 0, 100};
    auto append = [&](std::int32_t c) {
        then.insert(then.end(), now.begin() + std::int64_t{c} * kPlayerRecordSize,
                    now.begin() + std::int64_t{c + 1} * kPlayerRecordSize);
        return RecordsIn(then) - 1;
    };
    for (std::size_t i = 0; i < players.size(); ++i) {
        const std::int32_t c = players[i];
        if (i % 7 == 0)
            PlayerBuilder().Name("Z").AppendTo(then);  // an empty slot
        expected[std::size_t(c)] = append(c);
        if (i % 33 == 1) {
            then[then.size() - kPlayerRecordSize] = 'Q';
            expected[std::size_t(c)] = kNew;
            counts = {counts.matched - 1, counts.fresh + 1, counts.ambiguous, counts.gone + 1};
        } else if (i % 500 == 2) {
            append(c);
            expected[std::size_t(c)] = kAmb;
            counts = {counts.matched - 1, counts.fresh, counts.ambiguous + 1, counts.gone + 2};
        }
    }
    for (int g = 0; g < 100; ++g)
        PlayerBuilder().Name("Gone " + std::to_string(g)).AppendTo(then);
    const SeasonMatch match = MatchOf(now, then);
    EXPECT_EQ(EarlierOfAll(match), expected);
    EXPECT_EQ(match.Counts(), counts);
    EXPECT_EQ(std::int64_t(match.GoneRecords().size()), counts.gone);

    // The change filter over that many records works a stretch per core and closes up.
    Indices found(expected.size()), matched;
    std::iota(found.begin(), found.end(), 0);
    for (std::size_t c = 0; c < expected.size(); ++c)
        if (expected[c] >= 0)
            matched.push_back(std::int32_t(c));
    ChangeCriteria onlyMatched;
    onlyMatched.season = SeasonWanted::kMatched;
    KeepPassingChanges(onlyMatched, match, found);
    EXPECT_EQ(found, matched);
}

}  // namespace
}  // namespace vantrel
