// A league pair from arbitrary bytes through every step that reads the images: the
// geometry, the team list walk, the league average, a search with criteria from the
// input (checked against a filter written from the rules), the search report of that
// search (checked criterion by criterion against the same rules), the result ordering and
// the details and chart values of chosen rows, record indices past the images included.
//
// Input: a 76-byte header (shorter inputs read as zero-padded), then the team image
// (its length in header bytes 72..75, little-endian, cut to what is there), then the
// roster image. An all-zero header is the panel after Reset: every named player passes.
// Byte 66: bit 0 a name edit no record can match, bit 1 a near-miss cap of byte 66 >> 2
// (0..63) instead of the program's.

#include "core/eval/cp1252.h"
#include "core/eval/numbertext.h"
#include "core/eval/overall.h"
#include "core/eval/vocabulary.h"
#include "core/league/leaguedata.h"
#include "core/league/programerror.h"
#include "core/league/records.h"
#include "core/order/resultorder.h"
#include "gui/results/resultmodel.h"
#include "core/search/playerfilter.h"
#include "core/search/reportwords.h"

#include "referenceglob.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using vantrel::kPlayerRecordSize;
using vantrel::kTeamRecordSize;

constexpr std::size_t kHeaderSize = 76;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_league: %s\n", what);
        std::abort();
    }
}

class Header {
  public:
    Header(const std::uint8_t* data, std::size_t size) {
        std::memcpy(bytes_, data, std::min(size, kHeaderSize));
    }
    std::uint8_t At(std::size_t i) const { return bytes_[i]; }
    std::uint32_t U32(std::size_t i) const {
        return static_cast<std::uint32_t>(bytes_[i]) |
               (static_cast<std::uint32_t>(bytes_[i + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[i + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[i + 3]) << 24);
    }

  private:
    std::uint8_t bytes_[kHeaderSize] = {};
};

vantrel::SearchCriteria CriteriaOf(const Header& h) {
    vantrel::SearchCriteria c;
    c.teamIndex = h.At(0) == 0 ? -1 : h.At(0) - 1;
    // Trackbar positions stay inside their range 18..40, as the panel keeps them.
    c.ageMinPosition = 18 + h.At(1) % 23;
    c.ageMaxPosition = 40 - h.At(2) % 23;
    c.statusItem = h.At(3) % 3;
    c.teamItem = h.At(4) % 4;
    c.positionItem = h.At(5) % 6;
    c.salaryMin = (h.At(6) & 1) ? static_cast<std::int32_t>(h.U32(7)) : -1;
    c.salaryMax = (h.At(11) & 1) ? static_cast<std::int32_t>(h.U32(12))
                                 : std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < c.ratings.size(); ++i) {
        c.ratings[i].threshold = h.At(16 + 2 * i) % 101;
        c.ratings[i].mode = static_cast<vantrel::CriterionMode>(h.At(17 + 2 * i) % 3);
    }
    c.namePattern.clear();
    for (std::size_t i = 0; i < h.At(44) % 22u; ++i)
        c.namePattern += static_cast<char>(h.At(45 + i));
    c.namePatternEncodable = (h.At(66) & 1) == 0;
    return c;
}

// The trimmed name by the rules: up to the first zero byte, codes 1..32 off both ends.
std::string TrimmedName(const std::uint8_t* field, std::size_t width) {
    std::string text;
    for (std::size_t i = 0; i < width && field[i] != 0; ++i)
        text += static_cast<char>(field[i]);
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && blank(text[first]))
        ++first;
    return text.substr(first);
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(vantrel::Cp1252Upper(static_cast<std::uint8_t>(c)));
    return text;
}

// The per-record test, step by step as the filter is described.
bool ReferenceMatches(const vantrel::SearchCriteria& c, std::int32_t stride, const std::uint8_t* r,
                      std::int64_t offset) {
    if (!c.namePatternEncodable)
        return false;
    if (c.teamIndex >= 0) {
        const std::int64_t begin = std::int64_t{c.teamIndex} * stride;
        if (offset < begin || offset >= begin + stride)
            return false;
    }
    const int age = static_cast<std::int8_t>(r[vantrel::player::kAge]);
    if (c.ageMinPosition != c.ageRangeMin && c.ageMinPosition > age)
        return false;
    if (c.ageMaxPosition != c.ageRangeMax && c.ageMaxPosition < age)
        return false;
    const int status = r[vantrel::player::kStatus];
    if ((c.statusItem == 1 && status != 0) || (c.statusItem == 2 && status != 255))
        return false;
    const int assignment = r[vantrel::player::kAssignment];
    if ((c.teamItem == 1 && (assignment < 200 || assignment > 206)) ||
        (c.teamItem == 2 && assignment != 0) || (c.teamItem == 3 && assignment != 100))
        return false;
    if (c.positionItem >= 1 && r[vantrel::player::kPosition] != c.positionItem - 1)
        return false;
    const std::int32_t salary = vantrel::ReadI32(r + vantrel::player::kSalary);
    if (c.salaryMin >= 0 && salary < c.salaryMin)
        return false;
    if (c.salaryMax < std::numeric_limits<std::int32_t>::max() && salary > c.salaryMax)
        return false;
    for (std::size_t i = 0; i < 14; ++i) {
        const double v = i < 13 ? r[vantrel::player::kRatings + i] : vantrel::OverallValue(r);
        const double t = c.ratings[i].threshold;
        switch (c.ratings[i].mode) {
            case vantrel::CriterionMode::kEqual:
                if (v != t)
                    return false;
                break;
            case vantrel::CriterionMode::kAtMost:
                if (v > t)
                    return false;
                break;
            case vantrel::CriterionMode::kAtLeast:
                if (v < t)
                    return false;
                break;
        }
    }
    const std::string name = TrimmedName(r, vantrel::kPlayerNameWidth);
    if (name.size() < 2)
        return false;
    return fuzzref::ReferenceGlob(Upper(name), Upper(c.namePattern));
}

// The criteria that set a bound, each by its rule, in CriterionId order: a team, a name
// edit that is not only stars (or holds a character no record can), a radio item past
// "<All>", an age trackbar away from its range end, a salary edit with a bound, a rating
// other than "at least 0".
std::vector<int> ReferenceActive(const vantrel::SearchCriteria& c) {
    const bool onlyStars =
        c.namePattern.find_first_not_of('*') == std::string::npos;  // "" included
    const bool fixed[] = {c.teamIndex >= 0,
                          !c.namePatternEncodable || !onlyStars,
                          c.statusItem == 1 || c.statusItem == 2,
                          c.teamItem >= 1 && c.teamItem <= 3,
                          c.positionItem >= 1 && c.positionItem <= 5,
                          c.ageMinPosition != c.ageRangeMin,
                          c.ageMaxPosition != c.ageRangeMax,
                          c.salaryMin >= 0,
                          c.salaryMax < std::numeric_limits<std::int32_t>::max()};
    std::vector<int> active;
    for (int id = 0; id < vantrel::kFirstRatingCriterion; ++id) {
        if (fixed[id])
            active.push_back(id);
    }
    for (int i = 0; i < 14; ++i) {
        const vantrel::RatingCriterion& rating = c.ratings[static_cast<std::size_t>(i)];
        if (rating.mode != vantrel::CriterionMode::kAtLeast || rating.threshold > 0)
            active.push_back(vantrel::kFirstRatingCriterion + i);
    }
    return active;
}

// Whether a rating value (a stored byte, or OV) misses its criterion.
bool RatingFails(const vantrel::RatingCriterion& rating, double value) {
    const double t = rating.threshold;
    switch (rating.mode) {
        case vantrel::CriterionMode::kEqual:
            return value != t;
        case vantrel::CriterionMode::kAtMost:
            return value > t;
        case vantrel::CriterionMode::kAtLeast:
            return value < t;
    }
    return false;
}

// The criteria a record fails, each by its rule as ReferenceMatches applies it, in
// CriterionId order; a criterion without a bound never fails.
std::vector<int> ReferenceFailures(const vantrel::SearchCriteria& c, std::int32_t stride,
                                   const std::uint8_t* r, std::int64_t offset) {
    std::vector<int> failed;
    const std::int64_t begin = std::int64_t{c.teamIndex} * stride;
    if (c.teamIndex >= 0 && (offset < begin || offset >= begin + stride))
        failed.push_back(vantrel::kTeamCriterion);
    if (!c.namePatternEncodable ||
        !fuzzref::ReferenceGlob(Upper(TrimmedName(r, vantrel::kPlayerNameWidth)),
                                Upper(c.namePattern)))
        failed.push_back(vantrel::kNameCriterion);
    const int status = r[vantrel::player::kStatus];
    if ((c.statusItem == 1 && status != 0) || (c.statusItem == 2 && status != 255))
        failed.push_back(vantrel::kStatusCriterion);
    const int assignment = r[vantrel::player::kAssignment];
    if ((c.teamItem == 1 && (assignment < 200 || assignment > 206)) ||
        (c.teamItem == 2 && assignment != 0) || (c.teamItem == 3 && assignment != 100))
        failed.push_back(vantrel::kAssignmentCriterion);
    if (c.positionItem >= 1 && r[vantrel::player::kPosition] != c.positionItem - 1)
        failed.push_back(vantrel::kPositionCriterion);
    const int age = static_cast<std::int8_t>(r[vantrel::player::kAge]);
    if (c.ageMinPosition != c.ageRangeMin && c.ageMinPosition > age)
        failed.push_back(vantrel::kAgeMinCriterion);
    if (c.ageMaxPosition != c.ageRangeMax && c.ageMaxPosition < age)
        failed.push_back(vantrel::kAgeMaxCriterion);
    const std::int32_t salary = vantrel::ReadI32(r + vantrel::player::kSalary);
    if (c.salaryMin >= 0 && salary < c.salaryMin)
        failed.push_back(vantrel::kSalaryMinCriterion);
    if (c.salaryMax < std::numeric_limits<std::int32_t>::max() && salary > c.salaryMax)
        failed.push_back(vantrel::kSalaryMaxCriterion);
    for (std::size_t i = 0; i < 14; ++i) {
        const double v = i < 13 ? r[vantrel::player::kRatings + i] : vantrel::OverallValue(r);
        if (RatingFails(c.ratings[i], v))
            failed.push_back(vantrel::kFirstRatingCriterion + static_cast<int>(i));
    }
    return failed;
}

// What the report gives as a near miss's value, read from the record by the rules.
std::int64_t ReferenceValue(int criterion, std::int32_t stride, const std::uint8_t* r,
                            std::int64_t offset) {
    switch (criterion) {
        case vantrel::kTeamCriterion:
            return offset / stride;
        case vantrel::kNameCriterion:
            return 0;
        case vantrel::kStatusCriterion:
            return r[vantrel::player::kStatus];
        case vantrel::kAssignmentCriterion:
            return r[vantrel::player::kAssignment];
        case vantrel::kPositionCriterion:
            return r[vantrel::player::kPosition];
        case vantrel::kAgeMinCriterion:
        case vantrel::kAgeMaxCriterion:
            return static_cast<std::int8_t>(r[vantrel::player::kAge]);
        case vantrel::kSalaryMinCriterion:
        case vantrel::kSalaryMaxCriterion:
            return vantrel::ReadI32(r + vantrel::player::kSalary);
        default:
            break;
    }
    const int rating = criterion - vantrel::kFirstRatingCriterion;
    return rating < 13 ? r[vantrel::player::kRatings + rating]
                       : static_cast<std::int64_t>(vantrel::OverallValue(r));
}

// The report as the rules give it: every named record counted, every failure set
// tallied per criterion, the cap nearest near misses (by the gap; none last; ties in
// file order), nearest first.
vantrel::SearchReport ReferenceReport(const vantrel::SearchCriteria& c, std::int32_t stride,
                                      const vantrel::ByteImage& roster, std::int32_t playerCount,
                                      std::size_t cap) {
    vantrel::SearchReport report;
    const std::vector<int> active = ReferenceActive(c);
    for (const int criterion : active)
        report.criteria.push_back(vantrel::CriterionCount{criterion, 0, 0});
    for (std::int32_t k = 0; k < playerCount; ++k) {
        const std::int64_t offset = std::int64_t{k} * kPlayerRecordSize;
        const std::uint8_t* r = roster.data.get() + offset;
        if (TrimmedName(r, vantrel::kPlayerNameWidth).size() < 2)
            continue;
        ++report.namedPlayers;
        const std::vector<int> failed = ReferenceFailures(c, stride, r, offset);
        Check(failed.empty() == ReferenceMatches(c, stride, r, offset),
              "the two references disagree on a named player");
        report.matches += failed.empty() ? 1 : 0;
        report.failingAny += failed.empty() ? 0 : 1;
        for (const int criterion : failed) {
            const auto at = std::find(active.begin(), active.end(), criterion);
            Check(at != active.end(), "a criterion without a bound failed");
            vantrel::CriterionCount& count =
                report.criteria[static_cast<std::size_t>(at - active.begin())];
            ++count.failing;
            count.failingOnly += failed.size() == 1 ? 1 : 0;
        }
        if (failed.size() != 1)
            continue;
        report.nearMisses.push_back(
            vantrel::NearMiss{k, failed[0], ReferenceValue(failed[0], stride, r, offset)});
        ++report.nearMissTotal;
    }
    // Each gap computed once (it builds a filter), then a stable sort by it.
    std::vector<std::pair<std::int64_t, vantrel::NearMiss>> keyed;
    for (const vantrel::NearMiss& miss : report.nearMisses) {
        const std::int64_t gap = vantrel::NearMissGap(c, miss);
        keyed.emplace_back(gap >= 0 ? gap : std::numeric_limits<std::int64_t>::max(), miss);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    keyed.resize(std::min(keyed.size(), cap));
    report.nearMisses.clear();
    for (const auto& [gap, miss] : keyed)
        report.nearMisses.push_back(miss);
    return report;
}

// The search report against the rules, and its words for every near miss.
void CheckReport(const Header& header, const vantrel::SearchCriteria& criteria,
                 const vantrel::PlayerFilter& filter, const vantrel::LeagueData& league,
                 const std::vector<std::int32_t>& rows) {
    const std::size_t cap =
        (header.At(66) & 2) ? std::size_t{header.At(66)} >> 2 : vantrel::kNearMissCap;
    const vantrel::ByteImage& roster = *league.RosterFileImage;
    const vantrel::SearchReport report =
        vantrel::MakeSearchReport(filter, roster, league.PlayerCount(), cap);
    const vantrel::SearchReport expected =
        ReferenceReport(criteria, league.TeamStride, roster, league.PlayerCount(), cap);

    Check(report.namedPlayers == expected.namedPlayers, "report: named players");
    Check(report.matches == expected.matches, "report: matches differ from the rules");
    Check(report.matches == static_cast<std::int64_t>(rows.size()),
          "report: matches differ from the list");
    Check(report.failingAny == expected.failingAny, "report: players failing any criterion");
    Check(report.matches + report.failingAny == report.namedPlayers,
          "report: matches and failing players do not add up to the named players");
    Check(report.criteria.size() == expected.criteria.size(), "report: active criteria");
    for (std::size_t k = 0; k < report.criteria.size(); ++k) {
        const vantrel::CriterionCount& got = report.criteria[k];
        const vantrel::CriterionCount& want = expected.criteria[k];
        Check(got.criterion == want.criterion, "report: active criteria");
        Check(got.failing == want.failing, "report: players failing a criterion");
        Check(got.failingOnly == want.failingOnly, "report: players failing only a criterion");
    }
    Check(report.nearMissTotal == expected.nearMissTotal, "report: near-miss total");
    Check(report.nearMisses.size() ==
              std::min<std::size_t>(cap, static_cast<std::size_t>(report.nearMissTotal)),
          "report: near misses past or short of the cap");
    Check(report.nearMisses.size() == expected.nearMisses.size(), "report: near-miss count");
    for (std::size_t k = 0; k < report.nearMisses.size(); ++k) {
        const vantrel::NearMiss& got = report.nearMisses[k];
        const vantrel::NearMiss& want = expected.nearMisses[k];
        Check(got.record == want.record, "report: near misses not the nearest ones");
        Check(got.criterion == want.criterion, "report: a near miss's criterion");
        Check(got.value == want.value, "report: a near miss's value");
        const std::int64_t gap = vantrel::NearMissGap(criteria, got);
        Check(got.criterion < vantrel::kAgeMinCriterion ? gap == -1 : gap > 0,
              "report: a near miss's gap");
        Check(!vantrel::NearMissText(criteria, got, "", "").empty(), "report: near-miss words");
    }
    for (const vantrel::CriterionCount& count : report.criteria)
        Check(!vantrel::CriterionText(criteria, count.criterion, "").empty(),
              "report: criterion words");

    const vantrel::SearchReport inflated =
        vantrel::MakeSearchReport(filter, roster, std::numeric_limits<std::int32_t>::max(), cap);
    Check(inflated.namedPlayers == report.namedPlayers &&
              inflated.nearMissTotal == report.nearMissTotal && inflated.matches == report.matches,
          "report with a record count past the image");
}

vantrel::SharedImage ImageOf(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return nullptr;  // an empty file is a failed read: no image
    auto image = std::make_shared<vantrel::ByteImage>();
    // Exactly the size, so that the sanitizer sees any read past the end.
    image->data = std::make_unique<std::uint8_t[]>(size);
    std::memcpy(image->data.get(), data, size);
    image->size = size;
    return image;
}

void CheckOrdering(const vantrel::SharedImage& roster, const std::vector<std::int32_t>& rows,
                   int sortKey) {
    // One model for every input, as the window keeps one for every search.
    static vantrel::ResultModel model;
    model.SetRows(roster, rows);
    model.SortRows(sortKey);
    Check(model.rowCount() == static_cast<int>(rows.size()), "sorting changed the row count");
    std::vector<std::int32_t> after;
    for (int i = 0; i < model.rowCount(); ++i)
        after.push_back(model.RecordIndexAt(i));
    std::vector<std::int32_t> before = rows;
    std::sort(before.begin(), before.end());
    std::vector<std::int32_t> sortedAfter = after;
    std::sort(sortedAfter.begin(), sortedAfter.end());
    Check(before == sortedAfter, "sorting lost or invented rows");
    if (sortKey == 0 || std::abs(sortKey) > vantrel::kResultColumnCount) {
        Check(after == rows, "an order key outside the columns moved rows");
        return;
    }
    const int column = std::abs(sortKey) - 1;
    for (int i = 1; i < model.rowCount(); ++i) {
        const int cmp = vantrel::CompareCells(model.CellBytes(i - 1, column),
                                              model.CellBytes(i, column), column);
        Check(sortKey > 0 ? cmp <= 0 : cmp >= 0, "rows out of order");
    }
}

double Ratio(double numerator, double denominator, bool& fault) {
    if (denominator == 0) {
        fault = fault || numerator != 0;
        return std::numeric_limits<double>::quiet_NaN();
    }
    return numerator / denominator;
}

// What the details page and the charts read of a row's record, located as they do it.
void ShowDetails(const vantrel::LeagueData& league, std::int64_t recordIndex) {
    const std::uint8_t* record = league.PlayerAt(recordIndex);
    const bool inside =
        recordIndex >= 0 && league.RosterFileImage &&
        recordIndex < static_cast<std::int64_t>(league.RosterFileImage->size / kPlayerRecordSize);
    Check((record != nullptr) == inside, "PlayerAt disagrees with the image size");
    if (league.PlayersPerTeam < 1)
        return;
    const std::int64_t teamIndex = recordIndex / league.PlayersPerTeam;
    const std::uint8_t* team = league.TeamAt(teamIndex);
    const bool teamInside =
        teamIndex >= 0 && teamIndex < league.TeamCount && league.TeamFileImage &&
        teamIndex < static_cast<std::int64_t>(league.TeamFileImage->size / kTeamRecordSize);
    Check((team != nullptr) == teamInside, "TeamAt disagrees with the team count");
    if (!record || !team)
        return;  // the page reports "keine Informationen verfügbar (Programmfehler)"

    const vantrel::PlayerRecord p(record);
    std::string page = std::string(vantrel::ExtractTextView(team, vantrel::kTeamNameWidth));
    page += vantrel::ExtractTextView(record, vantrel::kPlayerNameWidth);
    page += vantrel::ExtractTextView(p.ShortCodeField(), vantrel::kShortCodeWidth);
    page += vantrel::PositionName(vantrel::PositionAbbrev(record));
    page += vantrel::AssignmentText(p.Assignment());
    page += vantrel::InjuryText(p.Assignment());
    page += vantrel::HandText(p.Hand()).value_or("");
    page += vantrel::StatusText(p.Status()).value_or("");
    page += vantrel::AgeText(record);
    page += vantrel::WholeText(p.Salary()) + vantrel::WholeText(p.GoalsOrPim() + p.Assists());
    bool fault = false;
    for (double ratio :
         {Ratio(p.GoalsOrPim() * 100.0, p.Shots(), fault),
          Ratio(static_cast<double>(p.Shots()) - p.PimOrGoalsAgainst(), p.Shots(), fault),
          Ratio(p.PimOrGoalsAgainst(), p.GamesPlayed(), fault)}) {
        page += vantrel::RealText(ratio, ",");
    }
    Check(!page.empty(), "details wrote nothing");

    // The chart bars: condition, the stored ratings, OV as a whole number.
    const double overall = vantrel::OverallValue(record);
    Check(std::isfinite(overall) && overall == std::trunc(overall), "OV bar is not a whole number");
    if (p.Position() > 4)
        Check(overall == 0, "OV of a position outside 0..4 is not 0");
    Check(vantrel::OverallRating(record, true, ".") ==
              vantrel::WholeText(
                  static_cast<std::int64_t>(std::trunc(vantrel::OverallExact(record)))),
          "OV column text");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The result model is a Qt model; it gets the application object the program has.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Header header(data, size);
    const std::uint8_t* payload = data + std::min(size, kHeaderSize);
    const std::size_t payloadSize = size - std::min(size, kHeaderSize);
    const std::size_t teamSize = std::min<std::size_t>(header.U32(72), payloadSize);

    // The load: both images as read, the sizes recorded, the geometry from the sizes.
    vantrel::LeagueData league;
    league.TeamFileImage = ImageOf(payload, teamSize);
    league.TeamFileSize = static_cast<std::int32_t>(teamSize);
    league.RosterFileImage = ImageOf(payload + teamSize, payloadSize - teamSize);
    league.RosterFileSize = static_cast<std::int32_t>(payloadSize - teamSize);
    const bool ok = league.ComputeGeometry() == vantrel::GeometryResult::kOk;
    Check(ok == (league.TeamCount > 0 && league.TeamStride >= kPlayerRecordSize),
          "geometry result");
    Check(ok == league.IsLoaded(), "loaded state");

    if (!ok) {
        bool threw = false;
        try {
            vantrel::LeagueAverageOverall(league);
        } catch (const vantrel::ProgramError&) {
            threw = true;
        }
        Check(threw, "league average of no league");
        return 0;
    }

    // The team list walk.
    for (std::int32_t i = 0; i < league.TeamCount; ++i) {
        const std::uint8_t* team = league.TeamAt(i);
        Check(team != nullptr, "a counted team has no record");
        const std::string_view name = vantrel::ExtractTextView(team, vantrel::kTeamNameWidth);
        Check(name.size() <= 10 && name == TrimmedName(team, vantrel::kTeamNameWidth), "team name");
    }
    Check(league.TeamAt(league.TeamCount) == nullptr, "team past the count");

    const double average = vantrel::LeagueAverageOverall(league);
    Check(std::isfinite(average) && average >= 0, "league average");
    vantrel::LeagueAverageText(average, ".");

    // The search, against the reference filter, and with an inflated record count.
    const vantrel::SearchCriteria criteria = CriteriaOf(header);
    const vantrel::PlayerFilter filter(criteria, league.TeamStride);
    const vantrel::ByteImage& roster = *league.RosterFileImage;
    const std::vector<std::int32_t> rows =
        vantrel::SearchRoster(filter, roster, league.PlayerCount());
    std::vector<std::int32_t> expected;
    for (std::int32_t k = 0; k < league.PlayerCount(); ++k) {
        const std::int64_t offset = std::int64_t{k} * kPlayerRecordSize;
        if (ReferenceMatches(criteria, league.TeamStride, roster.data.get() + offset, offset))
            expected.push_back(k);
    }
    Check(rows == expected, "search differs from the rules");
    Check(vantrel::SearchRoster(filter, roster, std::numeric_limits<std::int32_t>::max()) == rows,
          "search with a record count past the image");
    CheckReport(header, criteria, filter, league, rows);

    // The ordering the header click asks for.
    const int sortKey = static_cast<int>(header.At(67) % 43) - 21;
    CheckOrdering(league.RosterFileImage, rows, sortKey);

    // Details of chosen rows, and of record indices around and past the images.
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t pick = header.At(68 + i);
        if (!rows.empty())
            ShowDetails(league, rows[pick % rows.size()]);
        ShowDetails(league, league.PlayerCount() + pick - 128);
    }
    ShowDetails(league, std::numeric_limits<std::int32_t>::max());
    ShowDetails(league, std::int64_t{league.TeamCount} * league.PlayersPerTeam);
    return 0;
}
