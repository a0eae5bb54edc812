#pragma once

// Synthetic leagues for the sample, the tests and the benchmarks: a team image of
// 254-byte records and a roster image of 86-byte records in equal team blocks, filled
// with invented names and plausible values, plus byte builders for single records.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace leaguegen {

struct Options {
    std::uint64_t seed = 1;
    int teams = 18;
    int slotsPerTeam = 30;
    // Share of roster slots left empty (name of zero bytes, or a single letter).
    double emptyShare = 0.1;
    // Players with position 4 per team (fewer when a team has fewer named slots).
    int goaliesPerTeam = 3;
    // Named players with assignment 201..206.
    double injuredShare = 0.05;
    // Named players with status 255.
    double rookieShare = 0.15;
    // Named players (and teams) with bytes outside the usual vocabulary: full-width
    // names without a zero byte, leading blanks or tabs, Windows-1252 letters, codes
    // such as position 7 or hand 2, age byte 200, a negative salary, stray bytes in
    // fields nobody interprets.
    double oddShare = 0.05;
    // Team records whose first byte is 0 or whose name has a single character.
    int unnamedTeams = 0;
};

struct League {
    std::vector<std::uint8_t> teams;
    std::vector<std::uint8_t> roster;
};

// Why options cannot make a league (negative counts, shares outside 0..1, a roster
// larger than the 2 GiB the file format can describe), or nothing when they can.
std::optional<std::string> CheckOptions(const Options& options);

// The league for these options; the same options always give the same bytes.
// Throws std::invalid_argument when CheckOptions reports a problem.
League Generate(const Options& options);

// Writes basePath + ".tms" and basePath + ".ros"; the base path may itself contain
// dots, nothing of it is replaced. False when either file could not be written fully.
bool WriteLeague(const League& league, const std::filesystem::path& basePath);

// What a league holds, counted the way the search tool sees it.
struct Summary {
    std::int64_t teams = 0;         // whole team records
    std::int64_t listedTeams = 0;   // first byte non-zero and a name of 2+ characters
    std::int64_t records = 0;       // whole player records
    std::int64_t namedPlayers = 0;  // name of 2+ characters after trimming
    std::int64_t goalies = 0;       // named players with position 4
    std::int64_t injured = 0;       // named players with assignment 201..206
    std::int64_t rookies = 0;       // named players with status 255
};
Summary Summarize(const League& league);

// The same league one season earlier, for trying two seasons side by side: every player a
// year younger with ratings a few points apart (mostly lower), about 4 % not in the league
// yet (an empty slot), 3 % under another name (players who have left since), and one player
// in twenty in another team's slot. The same league and seed always give the same bytes.
League SeasonBefore(const League& league, std::uint64_t seed);

// One player record, every field settable by name; fields not set stay zero.
class PlayerBuilder {
  public:
    // Up to 21 bytes, copied as they are; a shorter name is followed by zero bytes.
    PlayerBuilder& Name(std::string_view bytes);
    PlayerBuilder& Position(std::uint8_t value);
    PlayerBuilder& Number(std::uint8_t value);
    PlayerBuilder& Status(std::uint8_t value);
    PlayerBuilder& Hand(std::uint8_t value);
    PlayerBuilder& Height(std::uint8_t value);
    PlayerBuilder& Weight(std::uint8_t value);
    PlayerBuilder& Age(std::uint8_t rawByte);
    PlayerBuilder& Assignment(std::uint8_t value);
    PlayerBuilder& Condition(std::uint8_t value);
    PlayerBuilder& Ratings(const std::array<std::uint8_t, 13>& values);
    PlayerBuilder& Rating(int index, std::uint8_t value);  // index 0..12, others ignored
    PlayerBuilder& Salary(std::int32_t value);
    PlayerBuilder& Contract(std::uint8_t value);
    PlayerBuilder& GamesPlayed(std::uint8_t value);
    PlayerBuilder& GoalsOrPim(std::uint8_t value);
    PlayerBuilder& Assists(std::uint8_t value);
    PlayerBuilder& PlusMinus(std::uint8_t value);
    PlayerBuilder& PimOrGoalsAgainst(std::uint16_t value);
    PlayerBuilder& Shots(std::uint16_t value);
    PlayerBuilder& PowerPlayGoalsOrShutouts(std::uint8_t value);
    PlayerBuilder& ShortHandedGoalsOrWins(std::uint8_t value);
    PlayerBuilder& GameWinningGoalsOrLosses(std::uint8_t value);
    PlayerBuilder& GameTyingGoalsOrTies(std::uint8_t value);
    PlayerBuilder& ShortCode(std::string_view bytes);  // up to 3 bytes
    // Any byte, including the ones nobody interprets; offsets past the record are ignored.
    PlayerBuilder& Byte(int offset, std::uint8_t value);

    std::array<std::uint8_t, 86> Build() const { return bytes_; }
    void AppendTo(std::vector<std::uint8_t>& image) const;

  private:
    std::array<std::uint8_t, 86> bytes_{};
};

// One team record: the name field and zero bytes.
class TeamBuilder {
  public:
    TeamBuilder& Name(std::string_view bytes);  // up to 10 bytes
    std::array<std::uint8_t, 254> Build() const { return bytes_; }
    void AppendTo(std::vector<std::uint8_t>& image) const;

  private:
    std::array<std::uint8_t, 254> bytes_{};
};

}  // namespace leaguegen
