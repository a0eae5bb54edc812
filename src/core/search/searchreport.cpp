#include "core/search/searchreport.h"

#include "core/eval/vocabulary.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace vantrel {

namespace {

constexpr std::array<std::string_view, 5> kPositionWords = {"Center", "Left Wing", "Right Wing",
                                                            "Defender", "Goalie"};

// A position byte in words; codes outside 0..4 by their number.
std::string PositionWord(std::int64_t position) {
    if (position >= 0 && position < static_cast<std::int64_t>(kPositionWords.size()))
        return std::string(kPositionWords[static_cast<std::size_t>(position)]);
    return "code " + std::to_string(position);
}

std::string_view StatusWord(std::int64_t status) {
    return StatusText(static_cast<std::uint8_t>(status)).value_or("other");
}

// The item a radio criterion asks for, in words.
std::string WantedItem(const SearchCriteria& c, int criterion) {
    switch (criterion) {
        case kStatusCriterion:
            return c.statusItem == 1 ? "Veteran" : "Rookie";
        case kAssignmentCriterion:
            return c.teamItem == 1 ? "Pro" : (c.teamItem == 2 ? "Farm" : "Scratch");
        default:
            return PositionWord(c.positionItem - 1);  // items 1..5 stand for Position 0..4
    }
}

// "at least 70", "at most 24", "exactly 80": the bound of a numeric criterion.
std::string BoundWords(const SearchCriteria& c, int criterion) {
    switch (criterion) {
        case kAgeMinCriterion:
            return "at least " + std::to_string(c.ageMinPosition);
        case kAgeMaxCriterion:
            return "at most " + std::to_string(c.ageMaxPosition);
        case kSalaryMinCriterion:
            return "at least " + std::to_string(c.salaryMin);
        case kSalaryMaxCriterion:
            return "at most " + std::to_string(c.salaryMax);
        default:
            break;
    }
    const RatingCriterion& r =
        c.ratings[static_cast<std::size_t>(criterion - kFirstRatingCriterion)];
    const char* mode = r.mode == CriterionMode::kAtLeast  ? "at least "
                       : r.mode == CriterionMode::kAtMost ? "at most "
                                                          : "exactly ";
    return mode + std::to_string(r.threshold);
}

std::string Subject(int criterion) {
    if (criterion == kAgeMinCriterion || criterion == kAgeMaxCriterion)
        return "Age";
    if (criterion == kSalaryMinCriterion || criterion == kSalaryMaxCriterion)
        return "Salary";
    return std::string(RatingAbbrev(criterion - kFirstRatingCriterion));
}

std::string NamePatternWords(const SearchCriteria& c) {
    return c.namePatternEncodable ? c.namePattern : "with a character no name holds";
}

}  // namespace

namespace {

// A near miss with its order key: the distance, misses without one last.
struct KeyedMiss {
    std::int64_t key;
    NearMiss miss;
    // Nearest first, ties in file order.
    bool operator<(const KeyedMiss& other) const {
        return key != other.key ? key < other.key : miss.record < other.miss.record;
    }
};

// Keeps the `cap` nearest misses in a heap whose top is the farthest kept.
class NearestMisses {
  public:
    explicit NearestMisses(std::size_t cap) : cap_(cap) {}

    void Offer(const PlayerFilter& filter, const NearMiss& miss) {
        const std::int64_t distance = filter.MissDistance(miss.criterion, miss.value);
        const KeyedMiss keyed{distance >= 0 ? distance : std::numeric_limits<std::int64_t>::max(),
                              miss};
        if (kept_.size() < cap_) {
            kept_.push_back(keyed);
            std::push_heap(kept_.begin(), kept_.end());
        } else if (cap_ > 0 && keyed < kept_.front()) {
            std::pop_heap(kept_.begin(), kept_.end());
            kept_.back() = keyed;
            std::push_heap(kept_.begin(), kept_.end());
        }
    }

    std::vector<NearMiss> Sorted() {
        std::sort_heap(kept_.begin(), kept_.end());
        std::vector<NearMiss> misses;
        misses.reserve(kept_.size());
        for (const KeyedMiss& keyed : kept_)
            misses.push_back(keyed.miss);
        return misses;
    }

  private:
    std::size_t cap_;
    std::vector<KeyedMiss> kept_;
};

}  // namespace

SearchReport MakeSearchReport(const PlayerFilter& filter, const ByteImage& image,
                              std::int32_t playerCount, std::size_t nearMissCap) {
    SearchReport report;
    std::array<std::size_t, kCriterionCount> slotOf{};
    for (const int criterion : filter.ActiveCriteria()) {
        slotOf[static_cast<std::size_t>(criterion)] = report.criteria.size();
        report.criteria.push_back(CriterionCount{criterion, 0, 0});
    }
    if (!image.data || playerCount <= 0)
        return report;
    NearestMisses nearest(nearMissCap);
    const std::int64_t whole = static_cast<std::int64_t>(image.size / kPlayerRecordSize);
    const std::int64_t count = std::min<std::int64_t>(playerCount, whole);
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t offset = i * kPlayerRecordSize;
        const std::uint8_t* record = image.data.get() + offset;
        if (!IsNamedPlayer(record))
            continue;
        ++report.namedPlayers;
        const std::uint32_t failed = filter.FailedCriteria(record, offset);
        if (failed == 0) {
            ++report.matches;
            continue;
        }
        ++report.failingAny;
        for (std::uint32_t bits = failed; bits != 0; bits &= bits - 1)
            ++report.criteria[slotOf[static_cast<std::size_t>(std::countr_zero(bits))]].failing;
        if ((failed & (failed - 1)) != 0)
            continue;  // more than one bit: fails more than one criterion
        const int criterion = std::countr_zero(failed);
        ++report.criteria[slotOf[static_cast<std::size_t>(criterion)]].failingOnly;
        ++report.nearMissTotal;
        nearest.Offer(filter, NearMiss{static_cast<std::int32_t>(i), criterion,
                                       filter.ValueOf(criterion, record, offset)});
    }
    report.nearMisses = nearest.Sorted();
    return report;
}

std::int64_t NearMissGap(const SearchCriteria& c, const NearMiss& miss) {
    return PlayerFilter(c, 0).MissDistance(miss.criterion, miss.value);
}

std::string CriterionText(const SearchCriteria& c, int criterion, std::string_view teamName) {
    switch (criterion) {
        case kTeamCriterion:
            return "Team " + std::string(teamName);
        case kNameCriterion:
            return "Name " + NamePatternWords(c);
        case kStatusCriterion:
            return "Status " + WantedItem(c, criterion);
        case kAssignmentCriterion:
            return "Team assignment " + WantedItem(c, criterion);
        case kPositionCriterion:
            return "Position " + WantedItem(c, criterion);
        default:
            return Subject(criterion) + " " + BoundWords(c, criterion);
    }
}

std::string NearMissText(const SearchCriteria& c, const NearMiss& miss,
                         std::string_view missTeamName, std::string_view wantedTeamName) {
    const auto byte = static_cast<std::uint8_t>(miss.value);
    switch (miss.criterion) {
        case kTeamCriterion:
            return "Team " + std::string(missTeamName) + ", needs " + std::string(wantedTeamName);
        case kNameCriterion:
            return "Name not like " + NamePatternWords(c);
        case kStatusCriterion:
            return "Status " + std::string(StatusWord(miss.value)) + ", needs " +
                   WantedItem(c, miss.criterion);
        case kAssignmentCriterion:
            return std::string(AssignmentText(byte)) + " (" + std::to_string(miss.value) +
                   "), needs " + WantedItem(c, miss.criterion);
        case kPositionCriterion:
            return "Position " + PositionWord(miss.value) + ", needs " +
                   WantedItem(c, miss.criterion);
        default:
            return Subject(miss.criterion) + " " + std::to_string(miss.value) + ", needs " +
                   BoundWords(c, miss.criterion);
    }
}

}  // namespace vantrel
