#include "leaguegen.h"

#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace leaguegen {
namespace {

using vantrel::ExtractTextView;
using vantrel::kPlayerRecordSize;
using vantrel::kTeamRecordSize;
using vantrel::PlayerRecord;

// Calls f(record index, record) for every player record of the roster image.
template <typename F>
void ForEachPlayer(const League& league, F f) {
    for (std::size_t i = 0; i < league.roster.size() / kPlayerRecordSize; ++i) {
        f(i, PlayerRecord(league.roster.data() + i * kPlayerRecordSize));
    }
}

Options Quiet() {
    Options options;
    options.oddShare = 0;
    return options;
}

TEST(Generate, SameSeedSameBytesOtherSeedOtherBytes) {
    Options options;
    options.unnamedTeams = 2;
    const League a = Generate(options);
    const League b = Generate(options);
    EXPECT_EQ(a.teams, b.teams);
    EXPECT_EQ(a.roster, b.roster);
    options.seed = 2;
    const League c = Generate(options);
    EXPECT_NE(a.teams, c.teams);
    EXPECT_NE(a.roster, c.roster);
}

TEST(Generate, ImagesHaveExactlyTheWellFormedSizes) {
    const std::pair<int, int> shapes[] = {{18, 30}, {1, 1}, {7, 25}, {0, 30}, {5, 0}};
    for (const auto& [teams, slots] : shapes) {
        Options options;
        options.teams = teams;
        options.slotsPerTeam = slots;
        const League league = Generate(options);
        EXPECT_EQ(league.teams.size(), static_cast<std::size_t>(teams) * kTeamRecordSize);
        EXPECT_EQ(league.roster.size(),
                  static_cast<std::size_t>(teams) * slots * kPlayerRecordSize);
    }
}

TEST(Generate, RespectsTheRequestedShares) {
    Options options;
    options.teams = 40;
    options.slotsPerTeam = 50;
    options.emptyShare = 0.2;
    options.rookieShare = 0.3;
    options.injuredShare = 0.1;
    options.unnamedTeams = 3;
    const League league = Generate(options);
    const Summary s = Summarize(league);
    const double named = static_cast<double>(s.namedPlayers);
    EXPECT_EQ(s.records, 2000);
    EXPECT_NEAR(static_cast<double>(s.records - s.namedPlayers) / 2000, 0.2, 0.03);
    EXPECT_NEAR(static_cast<double>(s.rookies) / named, 0.3, 0.04);
    EXPECT_NEAR(static_cast<double>(s.injured) / named, 0.1, 0.03);
    EXPECT_EQ(s.teams, 40);
    EXPECT_EQ(s.listedTeams, 37);

    // Exactly the requested goalies in every team block.
    std::vector<int> goalies(40, 0);
    ForEachPlayer(league, [&](std::size_t i, const PlayerRecord& r) {
        if (vantrel::IsNamedPlayer(r.Bytes()) && r.Position() == 4)
            ++goalies[i / 50];
    });
    for (int count : goalies)
        EXPECT_EQ(count, 3);
}

TEST(Generate, GoaliesAreCappedByTheNamedSlotsOfATeam) {
    Options options;
    options.teams = 4;
    options.slotsPerTeam = 2;
    options.emptyShare = 0;
    options.goaliesPerTeam = 5;
    EXPECT_EQ(Summarize(Generate(options)).goalies, 8);
    options.emptyShare = 1;
    const Summary empty = Summarize(Generate(options));
    EXPECT_EQ(empty.namedPlayers, 0);
    EXPECT_EQ(empty.goalies, 0);
}

// Without odd bytes every named player lies inside the usual vocabulary and ranges.
TEST(Generate, PlayersWithoutOddBytesArePlausible) {
    Options options = Quiet();
    options.teams = 30;
    const League league = Generate(options);
    int named = 0;
    ForEachPlayer(league, [&](std::size_t i, const PlayerRecord& r) {
        if (!vantrel::IsNamedPlayer(r.Bytes()))
            return;
        ++named;
        SCOPED_TRACE(i);
        ASSERT_NE(r.Bytes()[0], 0);
        for (char c : ExtractTextView(r.NameField(), vantrel::kPlayerNameWidth)) {
            ASSERT_TRUE((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ');
        }
        EXPECT_LE(r.Position(), 4);
        EXPECT_LE(r.Hand(), 1);
        EXPECT_TRUE(r.Status() == 0 || r.Status() == 255);
        const int a = r.Assignment();
        EXPECT_TRUE(a == 0 || a == 100 || (a >= 200 && a <= 206)) << a;
        EXPECT_GE(r.AgeSigned(), 18);
        EXPECT_LE(r.AgeSigned(), 40);
        EXPECT_GE(r.Condition(), 80);
        EXPECT_LE(r.Condition(), 100);
        for (int k = 0; k < vantrel::kStoredRatingCount; ++k) {
            EXPECT_GE(r.Rating(k), 20);
            EXPECT_LE(r.Rating(k), 99);
        }
        EXPECT_GE(r.Salary(), 100000);
        EXPECT_LE(r.Salary(), 5000000);
        EXPECT_GE(r.Contract(), 1);
        EXPECT_LE(r.Contract(), 5);
        if (r.Position() == 4) {
            EXPECT_GT(r.Shots(), r.PimOrGoalsAgainst());
            EXPECT_LE(r.ShortHandedGoalsOrWins() + r.GameWinningGoalsOrLosses() +
                          r.GameTyingGoalsOrTies(),
                      r.GamesPlayed());
        } else {
            EXPECT_GE(r.Shots(), r.GoalsOrPim());
            EXPECT_LE(r.PowerPlayGoalsOrShutouts(), r.GoalsOrPim());
        }
    });
    EXPECT_GT(named, 30 * 30 / 2);
    for (std::size_t t = 0; t < league.teams.size() / kTeamRecordSize; ++t) {
        const auto name = ExtractTextView(league.teams.data() + t * kTeamRecordSize, 10);
        EXPECT_GE(name.size(), 2u);
        EXPECT_NE(league.teams[t * kTeamRecordSize], 0);
    }
}

TEST(Generate, OddShareBringsEveryKindOfOddByte) {
    Options options;
    options.teams = 20;
    options.oddShare = 0.5;
    const League odd = Generate(options);
    bool fullName = false, indented = false, cp1252 = false, position = false, hand = false,
         status = false, assignment = false, age = false, salary = false, stray = false;
    ForEachPlayer(odd, [&](std::size_t, const PlayerRecord& r) {
        const std::uint8_t* b = r.Bytes();
        if (!vantrel::IsNamedPlayer(b))
            return;
        fullName |= std::string_view(reinterpret_cast<const char*>(b), 21).find('\0') ==
                    std::string_view::npos;
        indented |= b[0] == ' ' || b[0] == '\t';
        for (int k = 0; k < 21; ++k)
            cp1252 |= b[k] >= 0x80;
        position |= r.Position() == 7;
        hand |= r.Hand() == 2;
        status |= r.Status() == 17;
        assignment |= r.Assignment() == 50;
        age |= r.AgeUnsigned() == 200;
        salary |= r.Salary() < 0;
        stray |= b[45] != 0 || b[79] != 0;
    });
    EXPECT_TRUE(fullName && indented && cp1252 && position && hand && status && assignment && age &&
                salary && stray)
        << fullName << indented << cp1252 << position << hand << status << assignment << age
        << salary << stray;

    // Odd bytes never turn a named player into an empty slot or a goalie into a skater.
    options.oddShare = 1;
    const Summary allOdd = Summarize(Generate(options));
    options.oddShare = 0;
    const Summary quiet = Summarize(Generate(options));
    EXPECT_EQ(allOdd.goalies, 20 * 3);
    EXPECT_EQ(quiet.goalies, 20 * 3);
    EXPECT_EQ(allOdd.namedPlayers, quiet.namedPlayers);
}

TEST(Summarize, CountsTheWayTheSearchToolSeesTheLeague) {
    League league;
    TeamBuilder().Name("Kora").AppendTo(league.teams);
    TeamBuilder().Name("X").AppendTo(league.teams);
    TeamBuilder().Name(std::string_view("\0Vik", 4)).AppendTo(league.teams);
    PlayerBuilder().Name("Maaran").Position(4).Status(255).AppendTo(league.roster);
    PlayerBuilder().Name(" Q ").Position(4).Assignment(203).AppendTo(league.roster);
    PlayerBuilder().Name("Kelvo Trasik").Assignment(206).AppendTo(league.roster);
    PlayerBuilder().Name("Vo").Assignment(207).Status(254).AppendTo(league.roster);
    league.roster.resize(league.roster.size() + 85);  // a partial record
    const Summary s = Summarize(league);
    EXPECT_EQ(s.teams, 3);
    EXPECT_EQ(s.listedTeams, 1);
    EXPECT_EQ(s.records, 4);
    EXPECT_EQ(s.namedPlayers, 3);
    EXPECT_EQ(s.goalies, 1);
    EXPECT_EQ(s.injured, 1);
    EXPECT_EQ(s.rookies, 1);
}

TEST(CheckOptions, RejectsWhatCannotBeALeague) {
    EXPECT_FALSE(CheckOptions(Options{}));
    const auto bad = [](auto change) {
        Options options;
        change(options);
        EXPECT_TRUE(CheckOptions(options));
        EXPECT_THROW(Generate(options), std::invalid_argument);
    };
    bad([](Options& o) { o.teams = -1; });
    bad([](Options& o) { o.slotsPerTeam = -1; });
    bad([](Options& o) { o.goaliesPerTeam = -1; });
    bad([](Options& o) { o.unnamedTeams = 19; });
    bad([](Options& o) { o.emptyShare = 1.5; });
    bad([](Options& o) { o.oddShare = -0.1; });
    bad([](Options& o) { o.rookieShare = std::numeric_limits<double>::quiet_NaN(); });
    // The roster may not outgrow the signed 32-bit file sizes: 2147483647 / 86 records.
    bad([](Options& o) {
        o.teams = 1;
        o.slotsPerTeam = 24970741;
    });
    Options largest;
    largest.teams = 1;
    largest.slotsPerTeam = 24970740;
    EXPECT_FALSE(CheckOptions(largest));
}

TEST(WriteLeague, RoundTripsThroughTheLeagueReader) {
    const vantrel::test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "liga.neu");
    const auto base = dir.Path() / "liga.neu" / "spiel.alt";
    const League league = Generate(Options{});
    ASSERT_TRUE(WriteLeague(league, base));

    vantrel::LeagueData data;
    ASSERT_TRUE(data.ReadTeamImage(dir.Path() / "liga.neu" / "spiel.alt.tms"));
    ASSERT_TRUE(data.ReadRosterImage(dir.Path() / "liga.neu" / "spiel.alt.ros"));
    EXPECT_EQ(std::vector<std::uint8_t>(data.TeamFileImage->data.get(),
                                        data.TeamFileImage->data.get() + data.TeamFileSize),
              league.teams);
    EXPECT_EQ(std::vector<std::uint8_t>(data.RosterFileImage->data.get(),
                                        data.RosterFileImage->data.get() + data.RosterFileSize),
              league.roster);
    ASSERT_EQ(data.ComputeGeometry(), vantrel::GeometryResult::kOk);
    EXPECT_EQ(data.TeamCount, 18);
    EXPECT_EQ(data.PlayersPerTeam, 30);

    // A base path in a folder that does not exist is reported, not ignored.
    EXPECT_FALSE(WriteLeague(league, dir.Path() / "nowhere" / "spiel"));
    EXPECT_FALSE(WriteLeague(league, std::filesystem::path()));
}

}  // namespace
}  // namespace leaguegen
