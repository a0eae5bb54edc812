#include "leaguegen.h"

#include "core/league/records.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace leaguegen {

namespace {

namespace p = vantrel::player;

// The builders' array sizes in the header are these two record sizes.
static_assert(vantrel::kPlayerRecordSize == 86 && vantrel::kTeamRecordSize == 254);

constexpr std::size_t kPlayerSize = vantrel::kPlayerRecordSize;
constexpr std::size_t kTeamSize = vantrel::kTeamRecordSize;
constexpr int kNameWidth = vantrel::kPlayerNameWidth;
constexpr int kTeamNameWidth = vantrel::kTeamNameWidth;
constexpr std::uint8_t kGoalie = 4;

// xoshiro256** seeded through splitmix64: fast, and the same numbers on every platform,
// which the standard distributions do not promise.
class Random {
  public:
    explicit Random(std::uint64_t seed) {
        for (auto& word : state_) {
            seed += 0x9E3779B97F4A7C15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }

    // Uniform in lo..hi inclusive; the span stays far below 2^32 here.
    int Range(int lo, int hi) {
        if (hi <= lo)
            return lo;
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<int>(((Next() >> 32) * span) >> 32);
    }

    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    bool Chance(double share) { return Unit() < share; }

    // share * n rounded up or down at random, so that the mean is exactly share * n.
    int Dither(double share, int n) {
        const double x = share * n;
        int whole = static_cast<int>(x);
        if (Chance(x - whole))
            ++whole;
        return std::clamp(whole, 0, n);
    }

  private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

constexpr std::string_view kFirstSyllables[] = {"ma",  "aran", "kel", "vo", "tri", "sa",  "lo",
                                                "den", "ri",   "ka",  "jo", "ul",  "fen", "ni",
                                                "tas", "mer",  "el",  "va", "ro",  "bek"};
constexpr std::string_view kLastSyllables[] = {"tra", "sik", "mor", "vel", "dan", "kov", "ist",
                                               "ber", "gal", "ren", "tus", "hal", "dor", "mek",
                                               "sun", "lar", "vin", "ok",  "zel", "pra"};
constexpr std::string_view kTeamSyllables[] = {"kor", "va", "ly",  "nes", "tar", "bo", "rim",
                                               "sen", "da", "quo", "mal", "ith", "ra", "vik",
                                               "ost", "el", "gun", "ter", "ha",  "lin"};
// Windows-1252 letters: e acute, sharp s, O umlaut, s caron, a umlaut, o slash, A ring, S caron.
constexpr std::uint8_t kCp1252Letters[] = {0xE9, 0xDF, 0xD6, 0x9A, 0xE4, 0xF8, 0xC5, 0x8A};
// Bytes of a player record nobody interprets.
constexpr int kUnusedPlayerBytes[] = {21, 25, 45, 51, 56, 65, 66, 67, 68, 69, 70, 71,
                                      72, 73, 74, 75, 79, 80, 81, 82, 83, 84, 85};

template <std::size_t N>
std::string_view Pick(Random& random, const std::string_view (&list)[N]) {
    return list[random.Range(0, static_cast<int>(N) - 1)];
}

std::uint8_t Upper(std::uint8_t c) {
    return c >= 'a' && c <= 'z' ? static_cast<std::uint8_t>(c - 'a' + 'A') : c;
}

// Appends whole syllables (while they fit into room) as one capitalised word; returns
// the new length. The first syllable is cut when even it does not fit.
template <std::size_t N>
int AppendWord(std::uint8_t* out, int length, int room, int syllables, Random& random,
               const std::string_view (&list)[N]) {
    const int start = length;
    std::string_view previous;
    for (int s = 0; s < syllables; ++s) {
        std::string_view syllable = Pick(random, list);
        if (syllable == previous)
            syllable = Pick(random, list);  // "Vikvik" reads badly
        previous = syllable;
        const int n = static_cast<int>(syllable.size());
        if (length + n > room && length > start)
            break;
        for (int i = 0; i < n && length < room; ++i)
            out[length++] = static_cast<std::uint8_t>(syllable[i]);
    }
    if (length > start)
        out[start] = Upper(out[start]);
    return length;
}

// "Kelvo Trasik": a first name and a surname, at most 20 bytes so a zero byte follows.
int WritePlayerName(std::uint8_t* name, Random& random) {
    int length = AppendWord(name, 0, 20, random.Range(1, 2), random, kFirstSyllables);
    name[length++] = ' ';
    return AppendWord(name, length, 20, random.Range(2, 3), random, kLastSyllables);
}

// Fills a text field up to its full width with lower-case letters, so no zero byte is left.
void FillToWidth(std::uint8_t* field, int length, int width, Random& random) {
    while (length < width) {
        for (char c : Pick(random, kLastSyllables)) {
            if (length < width)
                field[length++] = static_cast<std::uint8_t>(c);
        }
    }
}

// Moves the text right and puts blanks or tabs in front of it.
void IndentText(std::uint8_t* field, int length, int width, Random& random) {
    const int pad = std::min(random.Range(1, 3), width - length);
    if (pad <= 0)
        return;
    std::memmove(field + pad, field, static_cast<std::size_t>(length));
    for (int i = 0; i < pad; ++i)
        field[i] = random.Chance(0.5) ? ' ' : '\t';
}

// Swaps one or two letters for Windows-1252 letters outside ASCII.
void SprinkleCp1252(std::uint8_t* field, int length, Random& random) {
    const int count = random.Range(1, 2);
    for (int k = 0; k < count; ++k) {
        const int at = random.Range(0, length - 1);
        if (field[at] != ' ') {
            field[at] =
                kCp1252Letters[random.Range(0, static_cast<int>(std::size(kCp1252Letters)) - 1)];
        }
    }
}

std::uint8_t U8(int value) {
    return static_cast<std::uint8_t>(value);
}

void PutU16(std::uint8_t* at, int value) {
    at[0] = U8(value & 0xFF);
    at[1] = U8((value >> 8) & 0xFF);
}

void PutI32(std::uint8_t* at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = U8((u >> (8 * i)) & 0xFF);
}

// Rating adjustments by role; order IT SP ST EN DU DI SK PA PC DF SC EX LD.
constexpr int kForwardBias[13] = {0, 2, 0, 0, 0, 0, 2, 6, 5, -10, 8, 0, 0};
constexpr int kDefenderBias[13] = {4, 0, 6, 0, 0, 0, 0, -4, 0, 10, -10, 0, 0};
constexpr int kGoalieBias[13] = {0, 10, 0, 0, 0, 0, 5, 0, 4, -30, -35, 0, 0};

// Everything but the name: position, personal data, ratings, contract and season stats.
void WritePlayerBody(std::uint8_t* r, bool goalie, const Options& options, Random& random) {
    std::uint8_t position = kGoalie;
    if (!goalie) {
        const int roll = random.Range(0, 99);  // 30 % centres, 20 % each wing, 30 % defenders
        position = roll < 30 ? 0 : roll < 50 ? 1 : roll < 70 ? 2 : 3;
    }
    const bool rookie = random.Chance(options.rookieShare);
    const int age = rookie ? random.Range(18, 23) : random.Range(20, 40);
    r[p::kPosition] = position;
    r[p::kNumber] = U8(goalie ? random.Range(1, 40) : random.Range(2, 98));
    r[p::kStatus] = rookie ? 255 : 0;
    r[p::kHand] = random.Chance(0.6) ? 0 : 1;
    r[p::kHeight] = U8(random.Range(68, 78));    // inches
    r[p::kWeight] = U8(random.Range(170, 235));  // pounds
    r[p::kAge] = U8(age);
    if (random.Chance(options.injuredShare)) {
        r[p::kAssignment] = U8(random.Range(201, 206));
    } else {
        const int roll = random.Range(0, 99);  // 60 % pro, 30 % farm, 10 % scratched
        r[p::kAssignment] = roll < 60 ? 200 : roll < 90 ? 0 : 100;
    }
    r[p::kCondition] = U8(random.Range(80, 100));

    const int* bias = goalie ? kGoalieBias : position == 3 ? kDefenderBias : kForwardBias;
    const int quality = random.Range(35, 80);
    for (int i = 0; i < vantrel::kStoredRatingCount; ++i) {
        int value = quality + bias[i] + random.Range(-12, 12);
        if (i == vantrel::kEX)
            value = 25 + (age - 18) * 3 + random.Range(-8, 8);
        r[p::kRatings + i] = U8(std::clamp(value, 20, 99));
    }

    // Better players earn more: 100,000 .. 5,000,000 dollars in steps of 1,000.
    const int salary = 100 + (quality - 35) * 90 + random.Range(0, 900);
    PutI32(r + p::kSalary, std::clamp(salary, 100, 5000) * 1000);
    r[p::kContract] = U8(random.Range(1, 5));

    if (goalie) {
        const int games = random.Range(1, 70);
        const int against = games * random.Range(200, 380) / 100;
        const int wins = random.Range(0, games);
        const int losses = random.Range(0, games - wins);
        r[p::kGamesPlayed] = U8(games);
        r[p::kGoalsOrPim] = U8(random.Range(0, 12));  // penalty minutes
        r[p::kAssists] = U8(random.Range(0, 4));
        PutU16(r + p::kPimOrGoalsAgainst, against);
        // A save share of 88 .. 93 %, and always more shots than goals.
        PutU16(r + p::kShots, against * 100 / random.Range(7, 12) + games);
        r[p::kPowerPlayGoalsOrShutouts] = U8(random.Range(0, wins / 8));
        r[p::kShortHandedGoalsOrWins] = U8(wins);
        r[p::kGameWinningGoalsOrLosses] = U8(losses);
        r[p::kGameTyingGoalsOrTies] = U8(random.Range(0, games - wins - losses));
    } else {
        const int games = random.Range(0, 82);
        const int scoring = r[p::kRatings + vantrel::kSC];
        const int goals = games * random.Range(0, scoring) / (position == 3 ? 400 : 200);
        const int powerPlay = random.Range(0, goals / 2);
        r[p::kGamesPlayed] = U8(games);
        r[p::kGoalsOrPim] = U8(goals);
        r[p::kAssists] = U8(games * random.Range(0, r[p::kRatings + vantrel::kPA]) / 150);
        r[p::kPlusMinus] = U8(random.Range(0, 40));
        PutU16(r + p::kPimOrGoalsAgainst, games * random.Range(0, 30) / 10);
        PutU16(r + p::kShots, goals * random.Range(5, 12) + games * random.Range(0, 2));
        r[p::kPowerPlayGoalsOrShutouts] = U8(powerPlay);
        r[p::kShortHandedGoalsOrWins] = U8(random.Range(0, (goals - powerPlay) / 6));
        r[p::kGameWinningGoalsOrLosses] = U8(random.Range(0, goals / 5));
        r[p::kGameTyingGoalsOrTies] = U8(random.Range(0, goals / 10));
    }
    for (int i = 0; i < vantrel::kShortCodeWidth; ++i) {
        r[p::kShortCode + i] = U8('A' + random.Range(0, 25));
    }
}

// One oddity on top of a well-formed player; goalies keep position 4 so that the
// goalie count per team stays exact.
void MakePlayerOdd(std::uint8_t* r, int nameLength, Random& random) {
    switch (random.Range(0, 9)) {
        case 0:  // all 21 name bytes used and the byte behind them too
            FillToWidth(r, nameLength, kNameWidth, random);
            r[p::kName + kNameWidth] = U8('a' + random.Range(0, 25));
            break;
        case 1:
            IndentText(r, nameLength, kNameWidth, random);
            break;
        case 2:
            SprinkleCp1252(r, nameLength, random);
            break;
        case 3:
            if (r[p::kPosition] != kGoalie) {
                r[p::kPosition] = 7;
            } else {
                r[p::kHand] = 2;
            }
            break;
        case 4:
            r[p::kHand] = 2;
            break;
        case 5:
            r[p::kStatus] = 17;
            break;
        case 6:
            r[p::kAssignment] = 50;
            break;
        case 7:
            r[p::kAge] = 200;
            break;
        case 8:
            PutI32(r + p::kSalary, -random.Range(1, 5000) * 1000);
            break;
        default:
            for (int offset : kUnusedPlayerBytes)
                r[offset] = U8(random.Range(1, 255));
            break;
    }
}

// An empty slot: mostly all zero bytes, sometimes a single letter in front of the
// body of a player, which must still count as empty.
void WriteEmptySlot(std::uint8_t* r, const Options& options, Random& random) {
    if (!random.Chance(0.3))
        return;
    WritePlayerBody(r, random.Chance(0.2), options, random);
    const int at = random.Range(0, 2);
    for (int i = 0; i < at; ++i)
        r[i] = ' ';
    r[at] = U8('A' + random.Range(0, 25));
}

void WriteTeam(std::uint8_t* t, bool unnamed, const Options& options, Random& random) {
    if (unnamed) {
        if (random.Chance(0.5)) {
            // A first byte of zero hides the team even with letters behind it.
            AppendWord(t, 1, kTeamNameWidth, 2, random, kTeamSyllables);
        } else {
            if (random.Chance(0.5))
                t[0] = ' ';
            t[t[0] == ' ' ? 1 : 0] = U8('A' + random.Range(0, 25));
        }
        return;
    }
    int length = AppendWord(t, 0, kTeamNameWidth, random.Range(1, 3), random, kTeamSyllables);
    if (length < kTeamNameWidth - 2 && random.Chance(0.2)) {
        t[length++] = ' ';
        length = AppendWord(t, length, kTeamNameWidth, 1, random, kTeamSyllables);
    }
    if (!random.Chance(options.oddShare))
        return;
    switch (random.Range(0, 2)) {
        case 0:  // every name byte used, and a stray byte right behind the field
            FillToWidth(t, length, kTeamNameWidth, random);
            t[kTeamNameWidth] = U8('a' + random.Range(0, 25));
            break;
        case 1:
            IndentText(t, length, kTeamNameWidth, random);
            break;
        default:
            SprinkleCp1252(t, length, random);
            break;
    }
}

enum class Slot : std::uint8_t { kEmpty, kGoalie, kSkater };

}  // namespace

std::optional<std::string> CheckOptions(const Options& options) {
    if (options.teams < 0)
        return "the number of teams must not be negative";
    if (options.slotsPerTeam < 0)
        return "the number of slots per team must not be negative";
    if (options.goaliesPerTeam < 0)
        return "the number of goalies must not be negative";
    if (options.unnamedTeams < 0 || options.unnamedTeams > options.teams) {
        return "the number of unnamed teams must lie between 0 and the number of teams";
    }
    const double shares[] = {options.emptyShare, options.injuredShare, options.rookieShare,
                             options.oddShare};
    for (double share : shares) {
        if (!(share >= 0.0 && share <= 1.0))
            return "every share must lie between 0 and 1";
    }
    constexpr std::int64_t kMaxFileSize = std::numeric_limits<std::int32_t>::max();
    const std::int64_t rosterSize =
        std::int64_t{options.teams} * options.slotsPerTeam * static_cast<std::int64_t>(kPlayerSize);
    if (rosterSize > kMaxFileSize)
        return "the roster file would exceed 2147483647 bytes";
    return std::nullopt;
}

League Generate(const Options& options) {
    if (auto problem = CheckOptions(options))
        throw std::invalid_argument(*problem);
    Random random(options.seed);
    const auto teams = static_cast<std::size_t>(options.teams);
    const auto slots = static_cast<std::size_t>(options.slotsPerTeam);

    League league;
    league.teams.assign(teams * kTeamSize, 0);
    league.roster.assign(teams * slots * kPlayerSize, 0);

    int unnamedLeft = options.unnamedTeams;
    std::vector<Slot> roles(slots);  // reused for every team
    for (std::size_t team = 0; team < teams; ++team) {
        // Selection sampling: exactly unnamedTeams teams, spread over the league.
        const bool unnamed = random.Range(0, static_cast<int>(teams - team) - 1) < unnamedLeft;
        if (unnamed)
            --unnamedLeft;
        WriteTeam(league.teams.data() + team * kTeamSize, unnamed, options, random);

        const int empty = random.Dither(options.emptyShare, options.slotsPerTeam);
        const int goalies = std::min(options.goaliesPerTeam, options.slotsPerTeam - empty);
        for (std::size_t s = 0; s < slots; ++s) {
            const auto n = static_cast<int>(s);
            roles[s] = n < empty             ? Slot::kEmpty
                       : n < empty + goalies ? Slot::kGoalie
                                             : Slot::kSkater;
        }
        for (std::size_t s = slots; s > 1; --s) {
            std::swap(roles[s - 1],
                      roles[static_cast<std::size_t>(random.Range(0, static_cast<int>(s) - 1))]);
        }

        std::uint8_t* block = league.roster.data() + team * slots * kPlayerSize;
        for (std::size_t s = 0; s < slots; ++s) {
            std::uint8_t* r = block + s * kPlayerSize;
            if (roles[s] == Slot::kEmpty) {
                WriteEmptySlot(r, options, random);
                continue;
            }
            WritePlayerBody(r, roles[s] == Slot::kGoalie, options, random);
            const int nameLength = WritePlayerName(r + p::kName, random);
            if (random.Chance(options.oddShare))
                MakePlayerOdd(r, nameLength, random);
        }
    }
    return league;
}

namespace {
bool WriteImage(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}
}  // namespace

bool WriteLeague(const League& league, const std::filesystem::path& basePath) {
    if (!basePath.has_filename())
        return false;
    // Appending keeps every dot of the base: "spiel.alt" gives "spiel.alt.tms".
    std::filesystem::path teamPath = basePath;
    teamPath += ".tms";
    std::filesystem::path rosterPath = basePath;
    rosterPath += ".ros";
    return WriteImage(league.teams, teamPath) && WriteImage(league.roster, rosterPath);
}

League SeasonBefore(const League& league, std::uint64_t seed) {
    League before = league;
    Random random(seed ^ 0x5EA5011ULL);
    const std::size_t records = before.roster.size() / kPlayerSize;
    for (std::size_t i = 0; i < records; ++i) {
        std::uint8_t* r = before.roster.data() + i * kPlayerSize;
        if (!vantrel::IsNamedPlayer(r))
            continue;
        const int fate = random.Range(0, 99);
        if (fate < 4) {  // not in the league yet: an empty slot then
            std::fill(r, r + kNameWidth, std::uint8_t{0});
            continue;
        }
        if (fate < 7)  // a player who has left since held this slot
            r[1] = static_cast<std::uint8_t>(r[1] == 'q' ? 'x' : 'q');
        --r[p::kAge];
        for (int k = 0; k < vantrel::kStoredRatingCount; ++k) {
            std::uint8_t& rating = r[p::kRatings + k];
            rating = static_cast<std::uint8_t>(std::clamp(rating - random.Range(-3, 6), 0, 100));
        }
    }
    // One player in twenty played for another team.
    for (std::size_t n = 0; records > 1 && n < records / 20; ++n) {
        std::uint8_t* a =
            before.roster.data() + std::size_t(random.Range(0, int(records) - 1)) * kPlayerSize;
        std::uint8_t* b =
            before.roster.data() + std::size_t(random.Range(0, int(records) - 1)) * kPlayerSize;
        std::swap_ranges(a, a + kPlayerSize, b);
    }
    return before;
}

Summary Summarize(const League& league) {
    Summary summary;
    summary.teams = static_cast<std::int64_t>(league.teams.size() / kTeamSize);
    for (std::int64_t i = 0; i < summary.teams; ++i) {
        const std::uint8_t* t = league.teams.data() + i * static_cast<std::int64_t>(kTeamSize);
        if (t[0] != 0 && vantrel::ExtractTextView(t, kTeamNameWidth).size() >= 2) {
            ++summary.listedTeams;
        }
    }
    summary.records = static_cast<std::int64_t>(league.roster.size() / kPlayerSize);
    for (std::int64_t i = 0; i < summary.records; ++i) {
        const vantrel::PlayerRecord r(league.roster.data() +
                                      i * static_cast<std::int64_t>(kPlayerSize));
        if (!vantrel::IsNamedPlayer(r.Bytes()))
            continue;
        ++summary.namedPlayers;
        if (r.Position() == kGoalie)
            ++summary.goalies;
        if (r.Assignment() >= 201 && r.Assignment() <= 206)
            ++summary.injured;
        if (r.Status() == 255)
            ++summary.rookies;
    }
    return summary;
}

namespace {
void CopyText(std::uint8_t* field, int width, std::string_view bytes) {
    std::memset(field, 0, static_cast<std::size_t>(width));
    std::memcpy(field, bytes.data(), std::min(bytes.size(), static_cast<std::size_t>(width)));
}

template <std::size_t N>
void AppendBytes(const std::array<std::uint8_t, N>& bytes, std::vector<std::uint8_t>& image) {
    image.insert(image.end(), bytes.begin(), bytes.end());
}
}  // namespace

PlayerBuilder& PlayerBuilder::Name(std::string_view bytes) {
    CopyText(bytes_.data() + p::kName, kNameWidth, bytes);
    return *this;
}
PlayerBuilder& PlayerBuilder::Byte(int offset, std::uint8_t value) {
    if (offset >= 0 && offset < static_cast<int>(bytes_.size())) {
        bytes_[static_cast<std::size_t>(offset)] = value;
    }
    return *this;
}
PlayerBuilder& PlayerBuilder::Position(std::uint8_t value) {
    return Byte(p::kPosition, value);
}
PlayerBuilder& PlayerBuilder::Number(std::uint8_t value) {
    return Byte(p::kNumber, value);
}
PlayerBuilder& PlayerBuilder::Status(std::uint8_t value) {
    return Byte(p::kStatus, value);
}
PlayerBuilder& PlayerBuilder::Hand(std::uint8_t value) {
    return Byte(p::kHand, value);
}
PlayerBuilder& PlayerBuilder::Height(std::uint8_t value) {
    return Byte(p::kHeight, value);
}
PlayerBuilder& PlayerBuilder::Weight(std::uint8_t value) {
    return Byte(p::kWeight, value);
}
PlayerBuilder& PlayerBuilder::Age(std::uint8_t rawByte) {
    return Byte(p::kAge, rawByte);
}
PlayerBuilder& PlayerBuilder::Assignment(std::uint8_t value) {
    return Byte(p::kAssignment, value);
}
PlayerBuilder& PlayerBuilder::Condition(std::uint8_t value) {
    return Byte(p::kCondition, value);
}
PlayerBuilder& PlayerBuilder::Ratings(const std::array<std::uint8_t, 13>& values) {
    std::copy(values.begin(), values.end(), bytes_.begin() + p::kRatings);
    return *this;
}
PlayerBuilder& PlayerBuilder::Rating(int index, std::uint8_t value) {
    if (index < 0 || index >= vantrel::kStoredRatingCount)
        return *this;
    return Byte(p::kRatings + index, value);
}
PlayerBuilder& PlayerBuilder::Salary(std::int32_t value) {
    PutI32(bytes_.data() + p::kSalary, value);
    return *this;
}
PlayerBuilder& PlayerBuilder::Contract(std::uint8_t value) {
    return Byte(p::kContract, value);
}
PlayerBuilder& PlayerBuilder::GamesPlayed(std::uint8_t value) {
    return Byte(p::kGamesPlayed, value);
}
PlayerBuilder& PlayerBuilder::GoalsOrPim(std::uint8_t value) {
    return Byte(p::kGoalsOrPim, value);
}
PlayerBuilder& PlayerBuilder::Assists(std::uint8_t value) {
    return Byte(p::kAssists, value);
}
PlayerBuilder& PlayerBuilder::PlusMinus(std::uint8_t value) {
    return Byte(p::kPlusMinus, value);
}
PlayerBuilder& PlayerBuilder::PimOrGoalsAgainst(std::uint16_t value) {
    PutU16(bytes_.data() + p::kPimOrGoalsAgainst, value);
    return *this;
}
PlayerBuilder& PlayerBuilder::Shots(std::uint16_t value) {
    PutU16(bytes_.data() + p::kShots, value);
    return *this;
}
PlayerBuilder& PlayerBuilder::PowerPlayGoalsOrShutouts(std::uint8_t value) {
    return Byte(p::kPowerPlayGoalsOrShutouts, value);
}
PlayerBuilder& PlayerBuilder::ShortHandedGoalsOrWins(std::uint8_t value) {
    return Byte(p::kShortHandedGoalsOrWins, value);
}
PlayerBuilder& PlayerBuilder::GameWinningGoalsOrLosses(std::uint8_t value) {
    return Byte(p::kGameWinningGoalsOrLosses, value);
}
PlayerBuilder& PlayerBuilder::GameTyingGoalsOrTies(std::uint8_t value) {
    return Byte(p::kGameTyingGoalsOrTies, value);
}
PlayerBuilder& PlayerBuilder::ShortCode(std::string_view bytes) {
    CopyText(bytes_.data() + p::kShortCode, vantrel::kShortCodeWidth, bytes);
    return *this;
}
void PlayerBuilder::AppendTo(std::vector<std::uint8_t>& image) const {
    AppendBytes(bytes_, image);
}

TeamBuilder& TeamBuilder::Name(std::string_view bytes) {
    CopyText(bytes_.data(), kTeamNameWidth, bytes);
    return *this;
}
void TeamBuilder::AppendTo(std::vector<std::uint8_t>& image) const {
    AppendBytes(bytes_, image);
}

}  // namespace leaguegen
