// Micro benchmarks of the per-record work of a load and a search: text extraction, the
// overall rating and its texts, name patterns, the player filter and the search report,
// each over a generated roster and next to a plain pass over the same bytes (the floor);
// two seasons of a roster matched, with a search that keeps players by their change; and
// the players nearest to one by their ratings.

#include "core/eval/cp1252.h"
#include "core/eval/numbertext.h"
#include "core/eval/overall.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "core/order/resultorder.h"
#include "core/search/namepattern.h"
#include "core/search/playerfilter.h"
#include "core/score/scoreweights.h"
#include "core/search/searchreport.h"
#include "core/season/changefilter.h"
#include "core/season/seasonmatch.h"
#include "core/similar/similarplayers.h"

#include "leaguegen.h"
#include "thresholds.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <memory>
#include <string>
#include <vector>

namespace {

// A generated roster as the program holds it: one image of whole records.
struct Roster {
    vantrel::SharedImage image;
    std::int32_t records = 0;
    std::int32_t teamStride = 0;
    // SK threshold at which about 1 % of the named players pass "at least".
    int selectiveThreshold = 0;
    // The six criteria of the search report benchmarks.
    bench::SixCriteria six;
};

// Rosters are generated once per size and kept for all benchmarks.
const Roster& RosterOf(std::int64_t records) {
    static std::map<std::int64_t, Roster> cache;
    auto found = cache.find(records);
    if (found != cache.end())
        return found->second;
    leaguegen::Options options;
    options.slotsPerTeam = 40;
    options.goaliesPerTeam = 3;
    options.teams = static_cast<int>(records / options.slotsPerTeam);
    leaguegen::League league = leaguegen::Generate(options);
    auto image = std::make_shared<vantrel::ByteImage>();
    image->size = league.roster.size();
    image->data = std::make_unique<std::uint8_t[]>(image->size);
    std::memcpy(image->data.get(), league.roster.data(), image->size);
    Roster roster;
    roster.records = static_cast<std::int32_t>(image->size / vantrel::kPlayerRecordSize);
    roster.teamStride = options.slotsPerTeam * vantrel::kPlayerRecordSize;
    roster.selectiveThreshold = bench::OnePercentThreshold(*image, vantrel::kSK);
    roster.six = bench::SixCriteriaOf(*image);
    roster.image = std::move(image);
    return cache.emplace(records, std::move(roster)).first->second;
}

const std::uint8_t* RecordAt(const Roster& roster, std::int32_t i) {
    return roster.image->data.get() + std::int64_t{i} * vantrel::kPlayerRecordSize;
}

void SetRecordCounters(benchmark::State& state, std::int64_t records) {
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * records * vantrel::kPlayerRecordSize);
}

// The floor: every roster byte read once and summed.
void BM_SumRosterBytes(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    const std::uint8_t* bytes = roster.image->data.get();
    const std::size_t size = roster.image->size;
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < size; ++i)
            sum += bytes[i];
        benchmark::DoNotOptimize(sum);
    }
    SetRecordCounters(state, roster.records);
}

void BM_ExtractText(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    for (auto _ : state) {
        std::size_t total = 0;
        for (std::int32_t i = 0; i < roster.records; ++i)
            total += vantrel::ExtractText(RecordAt(roster, i), vantrel::kPlayerNameWidth).size();
        benchmark::DoNotOptimize(total);
    }
    SetRecordCounters(state, roster.records);
}

void BM_ExtractTextView(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    for (auto _ : state) {
        std::size_t total = 0;
        for (std::int32_t i = 0; i < roster.records; ++i) {
            total +=
                vantrel::ExtractTextView(RecordAt(roster, i), vantrel::kPlayerNameWidth).size();
        }
        benchmark::DoNotOptimize(total);
    }
    SetRecordCounters(state, roster.records);
}

void BM_OverallExact(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    for (auto _ : state) {
        double total = 0;
        for (std::int32_t i = 0; i < roster.records; ++i)
            total += vantrel::OverallExact(RecordAt(roster, i));
        benchmark::DoNotOptimize(total);
    }
    SetRecordCounters(state, roster.records);
}

void BM_OverallValue(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    for (auto _ : state) {
        double total = 0;
        for (std::int32_t i = 0; i < roster.records; ++i)
            total += vantrel::OverallValue(RecordAt(roster, i));
        benchmark::DoNotOptimize(total);
    }
    SetRecordCounters(state, roster.records);
}

// range(1): 1 = the cut form shown in the list, 0 = the unrounded text.
void BM_OverallRating(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    const bool truncate = state.range(1) != 0;
    for (auto _ : state) {
        std::size_t total = 0;
        for (std::int32_t i = 0; i < roster.records; ++i)
            total += vantrel::OverallRating(RecordAt(roster, i), truncate, ".").size();
        benchmark::DoNotOptimize(total);
    }
    SetRecordCounters(state, roster.records);
}

void BM_RealText(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    std::vector<double> values(static_cast<std::size_t>(roster.records));
    for (std::int32_t i = 0; i < roster.records; ++i)
        values[static_cast<std::size_t>(i)] = vantrel::OverallExact(RecordAt(roster, i));
    for (auto _ : state) {
        std::size_t total = 0;
        for (const double value : values)
            total += vantrel::RealText(value, ".").size();
        benchmark::DoNotOptimize(total);
    }
    SetRecordCounters(state, roster.records);
}

void BM_LeagueAverageOverall(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    vantrel::LeagueData league;
    league.RosterFileImage = roster.image;
    league.RosterFileSize = static_cast<std::int32_t>(roster.image->size);
    league.TeamCount = static_cast<std::int32_t>(roster.image->size / roster.teamStride);
    league.TeamStride = roster.teamStride;
    league.PlayersPerTeam = roster.teamStride / vantrel::kPlayerRecordSize;
    for (auto _ : state)
        benchmark::DoNotOptimize(vantrel::LeagueAverageOverall(league));
    SetRecordCounters(state, roster.records);
}

// The upper-cased trimmed names of the named players, as the filter hands them over.
std::vector<std::string> UpperNames(const Roster& roster) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < roster.records; ++i) {
        const std::string_view name =
            vantrel::ExtractTextView(RecordAt(roster, i), vantrel::kPlayerNameWidth);
        if (name.size() >= 2)
            names.push_back(vantrel::Cp1252Uppered(name));
    }
    return names;
}

void BM_MatchNamePattern(benchmark::State& state) {
    const std::vector<std::string> names = UpperNames(RosterOf(state.range(0)));
    for (auto _ : state) {
        std::size_t matches = 0;
        for (const std::string& name : names)
            matches += vantrel::MatchNamePattern(name, "*AN*");
        benchmark::DoNotOptimize(matches);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}

void BM_NamePatternMatches(benchmark::State& state) {
    const std::vector<std::string> names = UpperNames(RosterOf(state.range(0)));
    const vantrel::NamePattern pattern("*AN*");
    for (auto _ : state) {
        std::size_t matches = 0;
        for (const std::string& name : names)
            matches += pattern.Matches(name);
        benchmark::DoNotOptimize(matches);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}

// The criteria after Reset: every named player passes.
vantrel::SearchCriteria ResetCriteria() {
    vantrel::SearchCriteria criteria;
    criteria.ageMinPosition = 18;
    criteria.ageMaxPosition = 40;
    criteria.namePattern = "*";
    return criteria;
}

void RunSearch(benchmark::State& state, const vantrel::SearchCriteria& criteria) {
    const Roster& roster = RosterOf(state.range(0));
    const vantrel::PlayerFilter filter(criteria, roster.teamStride);
    std::size_t rows = 0;
    for (auto _ : state) {
        const std::vector<std::int32_t> found =
            vantrel::SearchRoster(filter, *roster.image, roster.records);
        rows = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    SetRecordCounters(state, roster.records);
}

void BM_SearchRosterReset(benchmark::State& state) {
    RunSearch(state, ResetCriteria());
}

void BM_SearchRosterSelective(benchmark::State& state) {
    vantrel::SearchCriteria criteria = ResetCriteria();
    criteria.ratings[vantrel::kSK].threshold = RosterOf(state.range(0)).selectiveThreshold;
    RunSearch(state, criteria);
}

void BM_SearchRosterOverall(benchmark::State& state) {
    vantrel::SearchCriteria criteria = ResetCriteria();
    criteria.ratings[vantrel::kOV].threshold = 60;
    RunSearch(state, criteria);
}

void BM_SearchRosterName(benchmark::State& state) {
    vantrel::SearchCriteria criteria = ResetCriteria();
    criteria.namePattern = "*an*";
    RunSearch(state, criteria);
}

// Centers of at most 30 earning at least 2,000,000 with SK, PA and SC at least the
// level half the named players reach: six active criteria.
vantrel::SearchCriteria SixCriteria(const Roster& roster) {
    vantrel::SearchCriteria criteria = ResetCriteria();
    criteria.positionItem = roster.six.positionItem;
    criteria.ageMaxPosition = roster.six.ageMax;
    criteria.salaryMin = roster.six.salaryMin;
    for (std::size_t i = 0; i < roster.six.ratings.size(); ++i) {
        criteria.ratings[static_cast<std::size_t>(roster.six.ratings[i])].threshold =
            roster.six.thresholds[i];
    }
    return criteria;
}

void BM_SearchRosterSixCriteria(benchmark::State& state) {
    RunSearch(state, SixCriteria(RosterOf(state.range(0))));
}

// The search report of the six criteria: one pass with every active criterion tested
// for every named player, and the near misses up to the display cap.
void BM_SearchReport(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    const vantrel::PlayerFilter filter(SixCriteria(roster), roster.teamStride);
    if (filter.ActiveCriteria().size() != 6) {
        state.SkipWithError("the six criteria do not give six active criteria");
        return;
    }
    vantrel::SearchReport report;
    for (auto _ : state) {
        report = vantrel::MakeSearchReport(filter, *roster.image, roster.records, state.range(1));
        benchmark::DoNotOptimize(report.nearMisses.data());
    }
    state.counters["rows"] = static_cast<double>(report.matches);
    state.counters["nearMisses"] = static_cast<double>(report.nearMissTotal);
    SetRecordCounters(state, roster.records);
}

// The filter alone, record by record, without collecting rows.
void BM_PlayerFilterMatches(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    const vantrel::PlayerFilter filter(ResetCriteria(), roster.teamStride);
    for (auto _ : state) {
        std::size_t matches = 0;
        for (std::int32_t i = 0; i < roster.records; ++i)
            matches += filter.Matches(RecordAt(roster, i), std::int64_t{i} * 86);
        benchmark::DoNotOptimize(matches);
    }
    SetRecordCounters(state, roster.records);
}

// The order of a header click over every named player: from record order (the first
// click after a search) or from a shuffled list (a click after another column's).
void BM_SortedRowOrder(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    const vantrel::PlayerFilter filter(ResetCriteria(), roster.teamStride);
    const std::vector<std::int32_t> records =
        vantrel::SearchRoster(filter, *roster.image, roster.records);
    std::vector<std::int32_t> rows(records.size());
    std::iota(rows.begin(), rows.end(), 0);
    if (state.range(2) != 0)
        std::shuffle(rows.begin(), rows.end(), std::mt19937(7));
    const int sortKey = static_cast<int>(state.range(1)) + 1;
    for (auto _ : state) {
        const std::vector<std::int32_t> order =
            vantrel::SortedRowOrder(roster.image.get(), records, rows, sortKey);
        benchmark::DoNotOptimize(order.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
    SetRecordCounters(state, roster.records);
}

// The earlier season of a generated roster: the same players a year younger with every
// rating up to 3 apart, about 3 % under another name (the first letter in lower case), and
// one record in five swapped with another anywhere (players moved between teams).
const vantrel::SharedImage& EarlierSeasonOf(const Roster& roster) {
    static std::map<const vantrel::ByteImage*, vantrel::SharedImage> cache;
    auto found = cache.find(roster.image.get());
    if (found != cache.end())
        return found->second;
    auto image = std::make_shared<vantrel::ByteImage>();
    image->size = roster.image->size;
    image->data = std::make_unique<std::uint8_t[]>(image->size);
    std::memcpy(image->data.get(), roster.image->data.get(), image->size);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> change(-3, 3), percent(0, 99);
    std::uniform_int_distribution<std::int32_t> anywhere(0, roster.records - 1);
    for (std::int32_t i = 0; i < roster.records; ++i) {
        std::uint8_t* r = image->data.get() + std::int64_t{i} * vantrel::kPlayerRecordSize;
        if (!vantrel::IsNamedPlayer(r))
            continue;
        --r[vantrel::player::kAge];
        for (int k = 0; k < vantrel::kStoredRatingCount; ++k) {
            std::uint8_t& rating = r[vantrel::player::kRatings + k];
            rating = static_cast<std::uint8_t>(std::clamp(rating + change(random), 0, 255));
        }
        if (percent(random) < 3 && r[0] >= 'A' && r[0] <= 'Z')
            r[0] = static_cast<std::uint8_t>(r[0] - 'A' + 'a');
    }
    for (std::int32_t n = 0; n < roster.records / 10; ++n) {
        std::uint8_t* a =
            image->data.get() + std::int64_t{anywhere(random)} * vantrel::kPlayerRecordSize;
        std::uint8_t* b =
            image->data.get() + std::int64_t{anywhere(random)} * vantrel::kPlayerRecordSize;
        std::swap_ranges(a, a + vantrel::kPlayerRecordSize, b);
    }
    return cache.emplace(roster.image.get(), std::move(image)).first->second;
}

// The generated names are few enough that most players share one with others; this
// roster makes every name unique by starting it with the record index in five capitals.
const Roster& UniquelyNamedRosterOf(std::int64_t records) {
    static std::map<std::int64_t, Roster> cache;
    auto found = cache.find(records);
    if (found != cache.end())
        return found->second;
    Roster roster = RosterOf(records);
    auto image = std::make_shared<vantrel::ByteImage>();
    image->size = roster.image->size;
    image->data = std::make_unique<std::uint8_t[]>(image->size);
    std::memcpy(image->data.get(), roster.image->data.get(), image->size);
    for (std::int32_t i = 0; i < roster.records; ++i) {
        std::uint8_t* r = image->data.get() + std::int64_t{i} * vantrel::kPlayerRecordSize;
        if (!vantrel::IsNamedPlayer(r))
            continue;
        for (std::int32_t k = 4, rest = i; k >= 0; --k, rest /= 26)
            r[k] = static_cast<std::uint8_t>('A' + rest % 26);
    }
    roster.image = std::move(image);
    return cache.emplace(records, std::move(roster)).first->second;
}

// range(1): 0 the generated names, 1 every name unique.
const Roster& SeasonRosterOf(const benchmark::State& state) {
    return state.range(1) != 0 ? UniquelyNamedRosterOf(state.range(0)) : RosterOf(state.range(0));
}

void SetSeasonCounters(benchmark::State& state, const vantrel::SeasonMatch& match) {
    const vantrel::SeasonCounts counts = match.Counts();
    state.counters["matched"] = static_cast<double>(counts.matched);
    state.counters["new"] = static_cast<double>(counts.fresh);
    state.counters["ambiguous"] = static_cast<double>(counts.ambiguous);
    state.counters["gone"] = static_cast<double>(counts.gone);
    state.counters["storageBytesPerRecord"] =
        static_cast<double>(match.StorageBytes()) / match.CurrentCount();
}

// Both seasons of range(0) records matched (names: see SeasonRosterOf); the match is made
// and dropped each time.
void BM_SeasonMatch(benchmark::State& state) {
    const Roster& roster = SeasonRosterOf(state);
    const vantrel::SharedImage& earlier = EarlierSeasonOf(roster);
    std::unique_ptr<vantrel::SeasonMatch> last;
    for (auto _ : state) {
        last.reset();
        last = std::make_unique<vantrel::SeasonMatch>(roster.image, roster.records, earlier,
                                                      roster.records);
        benchmark::DoNotOptimize(last.get());
    }
    SetSeasonCounters(state, *last);
    SetRecordCounters(state, roster.records);
}

// A number of kB from /proc/self/status (Linux) in bytes; -1 where there is none.
std::int64_t StatusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stoll(line.substr(key.size() + 1)) * 1024;
    }
    return -1;
}

// The memory one match takes at its peak and keeps: the peak resident set is reset just
// before it (Linux). Run it alone (--benchmark_filter=SeasonMatchMemory), so that no
// page another benchmark freed but kept is reused unseen.
void BM_SeasonMatchMemory(benchmark::State& state) {
    const Roster& roster = SeasonRosterOf(state);
    const vantrel::SharedImage& earlier = EarlierSeasonOf(roster);
    for (auto _ : state) {
        const std::int64_t before = StatusBytes("VmRSS");
        std::ofstream peak("/proc/self/clear_refs");
        if (before < 0 || !(peak << "5" << std::flush)) {
            state.SkipWithError("no /proc/self/status or clear_refs");
            return;
        }
        const vantrel::SeasonMatch match(roster.image, roster.records, earlier, roster.records);
        auto perRecord = [&](std::int64_t bytes) {
            return static_cast<double>(bytes - before) / roster.records;
        };
        state.counters["peakExtraBytesPerRecord"] = perRecord(StatusBytes("VmHWM"));
        state.counters["heldExtraBytesPerRecord"] = perRecord(StatusBytes("VmRSS"));
        SetSeasonCounters(state, match);
    }
}

// The Reset search, and (range(1) = 1) the players of it whose OV rose by 3 or more.
void BM_SearchRosterChangeFilter(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    const vantrel::SeasonMatch match(roster.image, roster.records, EarlierSeasonOf(roster),
                                     roster.records);
    const vantrel::PlayerFilter filter(ResetCriteria(), roster.teamStride);
    vantrel::ChangeCriteria changes;
    changes.changes[vantrel::kOV].atLeast = 3;
    const bool withChanges = state.range(1) != 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        std::vector<std::int32_t> found =
            vantrel::SearchRoster(filter, *roster.image, roster.records);
        if (withChanges)
            vantrel::KeepPassingChanges(changes, match, found);
        rows = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    SetRecordCounters(state, roster.records);
}

// The Reset search (range(2) = 0) or the search for SK of at least 50 (1), and
// (range(1) = 1) the players of it whose centre preset score is at least 60.
void BM_SearchRosterScoreFilter(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    vantrel::SearchCriteria criteria = ResetCriteria();
    if (state.range(2) != 0)
        criteria.ratings[vantrel::kSK].threshold = 50;
    const vantrel::PlayerFilter filter(criteria, roster.teamStride);
    vantrel::ScoreCriteria score;
    score.weights = vantrel::PresetWeights(vantrel::ScorePreset::kCentre);
    score.atLeast = 600;
    const bool withScore = state.range(1) != 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        const std::vector<std::int32_t> found =
            vantrel::SearchRoster(filter, *roster.image, roster.records,
                                  withScore ? vantrel::ScoreBounds(score) : vantrel::ScoreBounds());
        rows = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    SetRecordCounters(state, roster.records);
}

// The players most like the first named centre among all skaters (the largest group),
// by style and level (range(1) = 0) or by style alone (1).
void BM_FindSimilar(benchmark::State& state) {
    const Roster& roster = RosterOf(state.range(0));
    vantrel::SimilarQuery query;
    query.measure = state.range(1) != 0 ? vantrel::SimilarityMeasure::kStyle
                                        : vantrel::SimilarityMeasure::kStyleAndLevel;
    query.samePosition = false;
    query.player = 0;
    while (!vantrel::IsNamedPlayer(RecordAt(roster, query.player)) ||
           vantrel::PlayerRecord(RecordAt(roster, query.player)).Position() != 0)
        ++query.player;
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<vantrel::SimilarPlayer> similar =
            vantrel::FindSimilar(*roster.image, roster.records, query);
        found = similar.size();
        benchmark::DoNotOptimize(similar.data());
    }
    state.counters["found"] = static_cast<double>(found);
    SetRecordCounters(state, roster.records);
}

constexpr std::int64_t kRecords = 1'000'000;

BENCHMARK(BM_SumRosterBytes)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractText)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractTextView)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverallExact)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverallValue)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverallRating)
    ->Args({kRecords, 1})
    ->Args({kRecords, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealText)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeagueAverageOverall)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchNamePattern)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NamePatternMatches)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayerFilterMatches)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterReset)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterSelective)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterOverall)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterName)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterSixCriteria)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortedRowOrder)
    ->ArgsProduct({{kRecords}, {vantrel::kSalaryColumn, vantrel::kOverallColumn}, {0, 1}})
    ->Args({kRecords, vantrel::kNameColumn, 0})
    ->Args({kRecords, vantrel::kNameColumn, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchReport)
    ->Args({kRecords, 10000})
    ->Args({kRecords, 0})
    ->Unit(benchmark::kMillisecond);

// The 10 000 000 records of the largest match take about 2 GiB for the two seasons, twice
// that with the uniquely named ones.
BENCHMARK(BM_SeasonMatch)
    ->ArgsProduct({{kRecords, 10'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeasonMatchMemory)
    ->ArgsProduct({{kRecords, 10'000'000}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindSimilar)
    ->ArgsProduct({{kRecords, 10'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterChangeFilter)
    ->Args({kRecords, 0})
    ->Args({kRecords, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRosterScoreFilter)
    ->ArgsProduct({{kRecords}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
