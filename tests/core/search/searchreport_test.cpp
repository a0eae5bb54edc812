// The search report against counts made rule by rule from the record fields: what each
// criterion removes, what it removes alone, the near misses, and the words for them.

#include "core/search/reportwords.h"

#include "core/eval/cp1252.h"
#include "core/eval/overall.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;
using testsupport::ImageOf;
using Mode = CriterionMode;
using Count = std::tuple<int, std::int64_t, std::int64_t>;  // criterion, failing, failing only
using Miss = std::tuple<std::int32_t, int, std::int64_t>;   // record, criterion, value

// "*" any run, "?" any one byte, every other byte itself.
bool Glob(std::string_view text, std::string_view pattern) {
    if (pattern.empty())
        return text.empty();
    if (pattern[0] == '*')
        return Glob(text, pattern.substr(1)) || (!text.empty() && Glob(text.substr(1), pattern));
    return !text.empty() && (pattern[0] == '?' || pattern[0] == text[0]) &&
           Glob(text.substr(1), pattern.substr(1));
}

// The name up to its first zero byte, codes 1..32 taken off both ends.
std::string TrimmedName(const std::uint8_t* r) {
    std::string name;
    for (int i = 0; i < kPlayerNameWidth && r[i] != 0; ++i)
        name += static_cast<char>(r[i]);
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= 32)
        name.pop_back();
    while (!name.empty() && static_cast<unsigned char>(name.front()) <= 32)
        name.erase(0, 1);
    return name;
}

// The field a criterion compares, read from its offset.
std::int64_t FieldValue(int id, const std::uint8_t* r, std::int64_t offset, int stride) {
    if (id == kTeamCriterion || id == kNameCriterion)
        return id == kTeamCriterion ? offset / stride : 0;
    if (id <= kPositionCriterion)
        return r[id == kStatusCriterion       ? player::kStatus
                 : id == kAssignmentCriterion ? player::kAssignment
                                              : player::kPosition];
    if (id <= kAgeMaxCriterion)
        return static_cast<std::int8_t>(r[player::kAge]);
    if (id <= kSalaryMaxCriterion)
        return ReadI32(r + player::kSalary);
    const int rating = id - kFirstRatingCriterion;
    return rating == kOverallIndex ? static_cast<std::int64_t>(OverallValue(r))
                                   : r[player::kRatings + rating];
}

// The bound of a numeric criterion as the panel sets it.
std::int64_t Bound(const SearchCriteria& c, int id) {
    const std::int64_t bounds[] = {c.ageMinPosition, c.ageMaxPosition, c.salaryMin, c.salaryMax};
    return id < kFirstRatingCriterion
               ? bounds[id - kAgeMinCriterion]
               : c.ratings[static_cast<std::size_t>(id - kFirstRatingCriterion)].threshold;
}

// Whether a record fails one criterion, by the rule of the panel control behind it.
bool Fails(const SearchCriteria& c, int criterion, const std::uint8_t* r, std::int64_t offset,
           int stride) {
    const std::int64_t v = FieldValue(criterion, r, offset, stride);
    switch (criterion) {
        case kTeamCriterion:
            return c.teamIndex >= 0 && v != c.teamIndex;
        case kNameCriterion:
            return !c.namePatternEncodable ||
                   (!c.namePattern.empty() &&
                    !Glob(Cp1252Uppered(TrimmedName(r)), Cp1252Uppered(c.namePattern)));
        case kStatusCriterion:
            return (c.statusItem == 1 && v != 0) || (c.statusItem == 2 && v != 255);
        case kAssignmentCriterion:
            return (c.teamItem == 1 && (v < 200 || v > 206)) || (c.teamItem == 2 && v != 0) ||
                   (c.teamItem == 3 && v != 100);
        case kPositionCriterion:
            return c.positionItem >= 1 && v != c.positionItem - 1;
        case kAgeMinCriterion:
            return c.ageMinPosition > c.ageRangeMin && v < c.ageMinPosition;
        case kAgeMaxCriterion:
            return c.ageMaxPosition < c.ageRangeMax && v > c.ageMaxPosition;
        case kSalaryMinCriterion:
            return c.salaryMin >= 0 && v < c.salaryMin;
        case kSalaryMaxCriterion:
            return c.salaryMax < INT32_MAX && v > c.salaryMax;
        default:
            break;
    }
    const Mode mode = c.ratings[static_cast<std::size_t>(criterion - kFirstRatingCriterion)].mode;
    const std::int64_t bound = Bound(c, criterion);
    return mode == Mode::kAtLeast ? v < bound : mode == Mode::kAtMost ? v > bound : v != bound;
}

std::vector<Count> Counts(const SearchReport& report) {
    std::vector<Count> counts;
    for (const CriterionCount& c : report.criteria)
        counts.emplace_back(c.criterion, c.failing, c.failingOnly);
    return counts;
}
std::vector<Miss> Misses(const std::vector<NearMiss>& misses) {
    std::vector<Miss> out;
    for (const NearMiss& m : misses)
        out.emplace_back(m.record, m.criterion, m.value);
    return out;
}

// Criteria of the panel and the criteria that can fail under them, the ones listed.
struct CriteriaSet {
    SearchCriteria c;
    std::vector<int> listed;
};

SearchCriteria With(SearchCriteria c, std::initializer_list<std::tuple<int, int, Mode>> ratings) {
    for (const auto& [index, threshold, mode] : ratings)
        c.ratings[static_cast<std::size_t>(index)] = {threshold, mode};
    return c;
}

std::vector<CriteriaSet> CriteriaSets() {
    const int r = kFirstRatingCriterion;
    return {
        {SearchCriteria{}, {}},  // the Reset panel
        {With({.ageMinPosition = 22, .ageMaxPosition = 34, .salaryMin = 400000},
              {{kSK, 55, Mode::kAtLeast}, {kPA, 75, Mode::kAtMost}, {kOV, 50, Mode::kAtLeast}}),
         {kAgeMinCriterion, kAgeMaxCriterion, kSalaryMinCriterion, r + kSK, r + kPA, r + kOV}},
        {{.teamIndex = 3, .statusItem = 1, .teamItem = 1, .namePattern = "ma*"},
         {kTeamCriterion, kNameCriterion, kStatusCriterion, kAssignmentCriterion}},
        // No name can match; the age byte 200 is -56 and passes, salaries below 0 fail.
        {With({.ageMaxPosition = 19, .salaryMin = 0, .namePatternEncodable = false},
              {{kSK, 50, Mode::kAtLeast}}),
         {kNameCriterion, kAgeMaxCriterion, kSalaryMinCriterion, r + kSK}},
        // IT at least 0, EX at most 255 and the pattern "**" cannot fail: not listed.
        {With({.positionItem = 5, .salaryMax = 2000000, .namePattern = "**"},
              {{kOV, 60, Mode::kEqual}, {kIT, 0, Mode::kAtLeast}, {kEX, 255, Mode::kAtMost}}),
         {kPositionCriterion, kSalaryMaxCriterion, r + kOV}},
    };
}

TEST(SearchReport, AgreesWithRuleByRuleCountsOnGeneratedLeagues) {
    const std::vector<CriteriaSet> sets = CriteriaSets();
    std::vector<std::int64_t> missesOfSet(sets.size(), 0);
    // The last league is large enough to be counted in parts on a machine of two cores.
    for (const auto& [seed, teams] : {std::pair{1u, 12}, {7u, 12}, {42u, 12}, {3u, 5300}}) {
        leaguegen::Options options;
        options.seed = seed;
        options.teams = teams;
        options.slotsPerTeam = 25;
        options.oddShare = 0.3;
        std::vector<std::uint8_t> bytes = leaguegen::Generate(options).roster;
        const auto records = static_cast<std::int32_t>(bytes.size() / kPlayerRecordSize);
        bytes.insert(bytes.end(), bytes.begin(), bytes.begin() + 40);  // a partial record
        const ByteImage image = ImageOf(bytes);
        const int stride = options.slotsPerTeam * kPlayerRecordSize;
        for (std::size_t s = 0; s < sets.size(); ++s) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", criteria set " + std::to_string(s));
            const SearchCriteria& c = sets[s].c;
            const PlayerFilter filter(c, stride);
            const SearchReport report = MakeSearchReport(filter, image, INT32_MAX);

            std::vector<std::int64_t> failing(kCriterionCount, 0), only(kCriterionCount, 0);
            std::int64_t named = 0, matches = 0;
            std::vector<Miss> misses;
            for (std::int32_t k = 0; k < records; ++k) {
                const std::int64_t offset = std::int64_t{k} * kPlayerRecordSize;
                const std::uint8_t* r = image.data.get() + offset;
                if (TrimmedName(r).size() < 2)
                    continue;
                ++named;
                std::vector<int> failed;
                for (int id = 0; id < kCriterionCount; ++id)
                    if (Fails(c, id, r, offset, stride))
                        failed.push_back(id);
                matches += failed.empty() ? 1 : 0;
                for (const int id : failed)
                    ++failing[static_cast<std::size_t>(id)];
                if (failed.size() == 1) {
                    ++only[static_cast<std::size_t>(failed[0])];
                    misses.emplace_back(k, failed[0], FieldValue(failed[0], r, offset, stride));
                }
            }
            // Nearest first: the distance past the bound, misses without one last, ties in
            // file order.
            const auto distance = [&c](const Miss& m) {
                const auto [record, id, value] = m;
                return id < kAgeMinCriterion ? INT64_MAX : std::llabs(value - Bound(c, id));
            };
            std::stable_sort(misses.begin(), misses.end(), [&](const Miss& a, const Miss& b) {
                return distance(a) < distance(b);
            });
            std::vector<Count> counts;
            for (const int id : sets[s].listed)
                counts.emplace_back(id, failing[static_cast<std::size_t>(id)],
                                    only[static_cast<std::size_t>(id)]);

            EXPECT_EQ(report.namedPlayers, named);
            EXPECT_EQ(report.matches, matches);
            EXPECT_EQ(report.matches + report.failingAny, report.namedPlayers);
            EXPECT_EQ(report.matches,
                      static_cast<std::int64_t>(SearchRoster(filter, image, INT32_MAX).size()));
            EXPECT_EQ(Counts(report), counts);
            EXPECT_EQ(report.nearMissTotal, static_cast<std::int64_t>(misses.size()));
            const auto firstOf = [&misses](std::size_t cap) {
                return std::vector<Miss>(misses.begin(),
                                         misses.begin() + std::min(cap, misses.size()));
            };
            EXPECT_EQ(Misses(report.nearMisses), firstOf(kNearMissCap));
            missesOfSet[s] += report.nearMissTotal;

            // A small cap keeps the nearest misses and the true total.
            const SearchReport capped = MakeSearchReport(filter, image, INT32_MAX, 3);
            EXPECT_EQ(capped.nearMissTotal, report.nearMissTotal);
            EXPECT_EQ(Misses(capped.nearMisses), firstOf(3));
            EXPECT_EQ(Counts(capped), counts);

            // The gap is the distance past the bound, none for criteria without one.
            for (const NearMiss& m : report.nearMisses) {
                const std::int64_t expected = m.criterion < kAgeMinCriterion
                                                  ? -1
                                                  : std::llabs(m.value - Bound(c, m.criterion));
                EXPECT_EQ(NearMissGap(c, m), expected) << "record " << m.record;
            }
        }
    }
    EXPECT_EQ(missesOfSet[0], 0);  // the Reset panel filters nobody
    for (std::size_t s = 1; s < sets.size(); ++s)
        EXPECT_GT(missesOfSet[s], 0) << "criteria set " << s << " has no near miss to check";
}

// Two teams of four slots: one match, one miss each by SK, name, position and age, one
// player failing two criteria, an empty slot and a one-letter name.
std::vector<std::uint8_t> HandRoster() {
    auto centre = [](std::string_view name, std::uint8_t age, std::uint8_t sk) {
        return PlayerBuilder().Name(name).Position(0).Age(age).Rating(kSK, sk);
    };
    std::vector<std::uint8_t> roster;
    centre("Maaran Tra", 23, 75).AppendTo(roster);           // 0: match
    centre("Mavo Sik", 23, 68).AppendTo(roster);             // 1: SK only
    centre("Kel Dan", 23, 75).AppendTo(roster);              // 2: name only
    centre("X", 23, 75).AppendTo(roster);                    // 3: no name
    centre("Marek Vel", 26, 60).AppendTo(roster);            // 4: age and SK
    centre("Maja Ok", 22, 71).Position(3).AppendTo(roster);  // 5: position only
    PlayerBuilder().AppendTo(roster);                        // 6: empty
    centre("Marit Zel", 30, 90).AppendTo(roster);            // 7: age only
    return roster;
}

TEST(SearchReport, HandBuiltRosterCountsMissesAndWords) {
    const ByteImage image = ImageOf(HandRoster());
    SearchCriteria c;
    c.ratings[kSK] = {70, Mode::kAtLeast};
    c.ageMaxPosition = 24;
    c.positionItem = 1;
    c.namePattern = "MA*";
    const PlayerFilter filter(c, 4 * kPlayerRecordSize);
    const int sk = int{kFirstRatingCriterion} + kSK;

    const SearchReport report = MakeSearchReport(filter, image, 8);
    EXPECT_EQ(report.namedPlayers, 6);
    EXPECT_EQ(report.matches, 1);
    EXPECT_EQ(Counts(report), (std::vector<Count>{{kNameCriterion, 1, 1},
                                                  {kPositionCriterion, 1, 1},
                                                  {kAgeMaxCriterion, 2, 1},
                                                  {sk, 2, 1}}));
    EXPECT_EQ(Misses(report.nearMisses), (std::vector<Miss>{{1, sk, 68},
                                                            {7, kAgeMaxCriterion, 30},
                                                            {2, kNameCriterion, 0},
                                                            {5, kPositionCriterion, 3}}));
    // Only the first records are read when fewer are asked for.
    EXPECT_EQ(MakeSearchReport(filter, image, 2).namedPlayers, 2);

    // The words of the table and of the near misses with their gaps, nearest first: SK
    // missed by 2, the age missed by 6, then the criteria without a distance.
    std::vector<std::string> texts;
    for (const CriterionCount& count : report.criteria)
        texts.push_back(CriterionText(c, count.criterion, ""));
    for (const NearMiss& miss : report.nearMisses)
        texts.push_back(NearMissText(c, miss, "Alpha", "") + " / " +
                        std::to_string(NearMissGap(c, miss)));
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Name MA*", "Position Center", "Age at most 24", "SK at least 70",
                         "SK 68, needs at least 70 / 2", "Age 30, needs at most 24 / 6",
                         "Name not like MA* / -1", "Position Defender, needs Center / -1"}));
}

TEST(ReportWords, AssignmentItemsAreProFarmAndScratch) {
    SearchCriteria c;
    std::vector<std::string> words;
    for (const int item : {1, 2, 3}) {
        c.teamItem = item;
        words.push_back(CriterionText(c, kAssignmentCriterion, ""));
    }
    EXPECT_EQ(words, (std::vector<std::string>{"Team assignment Pro", "Team assignment Farm",
                                               "Team assignment Scratch"}));
}

#ifdef __GLIBC__
// New threads get a stack larger than the address space, so none can start.
class ThreadsCannotStart {
  public:
    ThreadsCannotStart() {
        pthread_getattr_default_np(&saved_);
        pthread_attr_t huge;
        pthread_attr_init(&huge);
        pthread_attr_setstacksize(&huge, std::size_t{1} << 50);
        pthread_setattr_default_np(&huge);
        pthread_attr_destroy(&huge);
    }
    ~ThreadsCannotStart() {
        pthread_setattr_default_np(&saved_);
        pthread_attr_destroy(&saved_);
    }
    ThreadsCannotStart(const ThreadsCannotStart&) = delete;
    ThreadsCannotStart& operator=(const ThreadsCannotStart&) = delete;

  private:
    pthread_attr_t saved_;
};

// A stretch whose thread cannot start is counted on the calling thread: 300 000 named
// players, enough for a stretch per core, every tenth a match.
TEST(SearchReport, CountsEveryRecordWhenNoThreadCanStart) {
    std::vector<std::uint8_t> roster;
    for (int i = 0; i < 300000; ++i)
        PlayerBuilder().Name("Same Name").Rating(kSK, i % 10 ? 50 : 90).AppendTo(roster);
    const ByteImage image = ImageOf(roster);
    SearchCriteria c;
    c.ratings[kSK] = {70, Mode::kAtLeast};
    const ThreadsCannotStart noThreads;
    const SearchReport report =
        MakeSearchReport(PlayerFilter(c, 300000 * kPlayerRecordSize), image, 300000);
    EXPECT_EQ(report.namedPlayers, 300000);
    EXPECT_EQ(report.matches, 30000);
    EXPECT_EQ(report.nearMissTotal, 270000);
}
#endif

}  // namespace
}  // namespace vantrel
