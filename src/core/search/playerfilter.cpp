#include "core/search/playerfilter.h"

#include "core/eval/cp1252.h"
#include "core/eval/overall.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string_view>

namespace vantrel {

namespace {

constexpr int kRookieStatus = 255;
constexpr int kVeteranStatus = 0;
constexpr int kProLow = 200, kProHigh = 206;  // pro team, healthy or injured
constexpr int kFarm = 0;
constexpr int kScratched = 100;
constexpr int kGoalieItem = 5;  // position radio items 1..5 stand for Position 0..4

}  // namespace

PlayerFilter::PlayerFilter(const SearchCriteria& criteria, std::int32_t teamStride)
    : pattern_(Cp1252Uppered(criteria.namePattern)) {
    // A pattern character no record byte can hold matches no name at all.
    matchesNothing_ = !criteria.namePatternEncodable;

    teamActive_ = criteria.teamIndex >= 0;
    teamBegin_ = std::int64_t{criteria.teamIndex} * teamStride;
    teamEnd_ = teamBegin_ + teamStride;

    // A trackbar standing at the end of its range sets no bound.
    ageMinActive_ = criteria.ageMinPosition > criteria.ageRangeMin;
    ageMaxActive_ = criteria.ageMaxPosition < criteria.ageRangeMax;
    ageMin_ = criteria.ageMinPosition;
    ageMax_ = criteria.ageMaxPosition;

    if (criteria.statusItem == 1)
        wantedStatus_ = kVeteranStatus;
    if (criteria.statusItem == 2)
        wantedStatus_ = kRookieStatus;

    switch (criteria.teamItem) {
        case 1:
            assignmentLow_ = kProLow;
            assignmentHigh_ = kProHigh;
            break;
        case 2:
            assignmentLow_ = assignmentHigh_ = kFarm;
            break;
        case 3:
            assignmentLow_ = assignmentHigh_ = kScratched;
            break;
        default:
            break;
    }

    if (criteria.positionItem >= 1 && criteria.positionItem <= kGoalieItem) {
        wantedPosition_ = criteria.positionItem - 1;
    }

    salaryMinActive_ = criteria.salaryMin >= 0;
    salaryMaxActive_ = criteria.salaryMax < INT32_MAX;
    salaryMin_ = criteria.salaryMin;
    salaryMax_ = criteria.salaryMax;

    teamStride_ = teamStride;
    SetUpRatings(criteria);
    // Reset puts "*" into the name edit: no need to upper-case every name for it.
    nameTestsPattern_ = !pattern_.MatchesEveryText();
    ListActiveCriteria();
}

void PlayerFilter::SetUpRatings(const SearchCriteria& criteria) {
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        const RatingCriterion& c = criteria.ratings[static_cast<std::size_t>(i)];
        Range range{i, c.threshold, c.threshold};
        if (c.mode == CriterionMode::kAtLeast)
            range.high = INT_MAX;
        if (c.mode == CriterionMode::kAtMost)
            range.low = INT_MIN;
        const auto slot = static_cast<std::size_t>(i);
        ratingRanges_[slot] = range;
        if (i == kOverallIndex) {
            // OV is never negative, so at least 0 or less is the only criterion that
            // cannot fail whatever the rating formula gives.
            overallActive_ = !(range.low <= 0 && range.high == INT_MAX);
            overall_ = range;
            ratingActive_[slot] = overallActive_;
        } else if (range.low > 0 || range.high < 255) {
            storedRatings_[static_cast<std::size_t>(storedRatingCount_++)] = range;
            ratingActive_[slot] = true;
        }
    }
}

void PlayerFilter::ListActiveCriteria() {
    const bool fixed[] = {teamActive_,          matchesNothing_ || nameTestsPattern_,
                          wantedStatus_ >= 0,   assignmentLow_ >= 0,
                          wantedPosition_ >= 0, ageMinActive_,
                          ageMaxActive_,        salaryMinActive_,
                          salaryMaxActive_};
    static_assert(std::size(fixed) == kFirstRatingCriterion);
    for (int id = 0; id < kFirstRatingCriterion; ++id) {
        if (fixed[id])
            active_.push_back(id);
    }
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        if (ratingActive_[static_cast<std::size_t>(i)])
            active_.push_back(kFirstRatingCriterion + i);
    }
}

bool PlayerFilter::Matches(const std::uint8_t* record, std::int64_t byteOffset) const {
    if (matchesNothing_)
        return false;
    if (teamActive_ && !TeamHolds(byteOffset))
        return false;

    const PlayerRecord player(record);
    const int age = player.AgeSigned();
    if (ageMinActive_ && ageMin_ > age)
        return false;
    if (ageMaxActive_ && ageMax_ < age)
        return false;
    if (wantedStatus_ >= 0 && !StatusHolds(player.Status()))
        return false;
    if (assignmentLow_ >= 0 && !AssignmentHolds(player.Assignment()))
        return false;
    if (wantedPosition_ >= 0 && player.Position() != wantedPosition_)
        return false;

    const std::int32_t salary = player.Salary();
    if (salaryMinActive_ && !SalaryMinHolds(salary))
        return false;
    if (salaryMaxActive_ && !SalaryMaxHolds(salary))
        return false;

    for (int i = 0; i < storedRatingCount_; ++i) {
        const Range& range = storedRatings_[static_cast<std::size_t>(i)];
        if (!range.Holds(static_cast<int>(player.Rating(range.index))))
            return false;
    }
    // OV is a whole number held in a double; compared without any conversion to int.
    if (overallActive_ && !overall_.Holds(OverallValue(record)))
        return false;

    const std::string_view name = ExtractTextView(player.NameField(), kPlayerNameWidth);
    if (name.size() < 2)
        return false;  // an empty roster slot is never listed
    return NameHolds(name);
}

bool PlayerFilter::NameHolds(std::string_view name) const {
    if (!nameTestsPattern_)
        return true;
    char upper[kPlayerNameWidth];  // the trimmed name is never longer than its field
    for (std::size_t i = 0; i < name.size(); ++i) {
        upper[i] = static_cast<char>(Cp1252Upper(static_cast<std::uint8_t>(name[i])));
    }
    return pattern_.Matches(std::string_view(upper, name.size()));
}

std::uint32_t PlayerFilter::FailedCriteria(const std::uint8_t* record,
                                           std::int64_t byteOffset) const {
    const PlayerRecord player(record);
    std::uint32_t failed = 0;
    const auto check = [&failed](int criterion, bool holds) {
        if (!holds)
            failed |= 1u << criterion;
    };
    if (teamActive_)
        check(kTeamCriterion, TeamHolds(byteOffset));
    if (matchesNothing_ || nameTestsPattern_) {
        check(kNameCriterion,
              !matchesNothing_ && NameHolds(ExtractTextView(player.NameField(), kPlayerNameWidth)));
    }
    if (wantedStatus_ >= 0)
        check(kStatusCriterion, StatusHolds(player.Status()));
    if (assignmentLow_ >= 0)
        check(kAssignmentCriterion, AssignmentHolds(player.Assignment()));
    if (wantedPosition_ >= 0)
        check(kPositionCriterion, player.Position() == wantedPosition_);
    const int age = player.AgeSigned();
    if (ageMinActive_)
        check(kAgeMinCriterion, !(ageMin_ > age));
    if (ageMaxActive_)
        check(kAgeMaxCriterion, !(ageMax_ < age));
    const std::int32_t salary = player.Salary();
    if (salaryMinActive_)
        check(kSalaryMinCriterion, SalaryMinHolds(salary));
    if (salaryMaxActive_)
        check(kSalaryMaxCriterion, SalaryMaxHolds(salary));
    for (int i = 0; i < storedRatingCount_; ++i) {
        const Range& range = storedRatings_[static_cast<std::size_t>(i)];
        check(kFirstRatingCriterion + range.index,
              range.Holds(static_cast<int>(player.Rating(range.index))));
    }
    // The same whole number as OverallValue, without the extended sum for most players.
    if (overallActive_)
        check(kFirstRatingCriterion + kOverallIndex, overall_.Holds(OverallValueFast(record)));
    return failed;
}

std::int64_t PlayerFilter::MissDistance(int criterion, std::int64_t value) const {
    switch (criterion) {
        case kAgeMinCriterion:
            return ageMin_ - value;
        case kAgeMaxCriterion:
            return value - ageMax_;
        case kSalaryMinCriterion:
            return salaryMin_ - value;
        case kSalaryMaxCriterion:
            return value - salaryMax_;
        default:
            break;
    }
    if (criterion < kFirstRatingCriterion || criterion >= kCriterionCount)
        return -1;
    const Range& range = ratingRanges_[static_cast<std::size_t>(criterion - kFirstRatingCriterion)];
    return value < range.low ? range.low - value : value - range.high;
}

std::int64_t PlayerFilter::ValueOf(int criterion, const std::uint8_t* record,
                                   std::int64_t byteOffset) const {
    const PlayerRecord player(record);
    switch (criterion) {
        case kTeamCriterion:
            return teamStride_ > 0 ? byteOffset / teamStride_ : 0;
        case kNameCriterion:
            return 0;
        case kStatusCriterion:
            return player.Status();
        case kAssignmentCriterion:
            return player.Assignment();
        case kPositionCriterion:
            return player.Position();
        case kAgeMinCriterion:
        case kAgeMaxCriterion:
            return player.AgeSigned();
        case kSalaryMinCriterion:
        case kSalaryMaxCriterion:
            return player.Salary();
        default:
            break;
    }
    const int rating = criterion - kFirstRatingCriterion;
    if (rating == kOverallIndex)
        return static_cast<std::int64_t>(OverallValueFast(record));
    return player.Rating(rating);
}

std::vector<std::int32_t> SearchRoster(const PlayerFilter& filter, const ByteImage& image,
                                       std::int32_t playerCount) {
    std::vector<std::int32_t> found;
    if (!image.data || playerCount <= 0)
        return found;
    // Only records lying wholly inside the image are read, whatever the caller claims.
    const std::int64_t whole = static_cast<std::int64_t>(image.size / kPlayerRecordSize);
    const std::int64_t count = std::min<std::int64_t>(playerCount, whole);
    // Room for every record up front: the pages that no match writes are never touched,
    // and a long list is not copied again and again as it grows.
    found.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t offset = i * kPlayerRecordSize;
        if (filter.Matches(image.data.get() + offset, offset)) {
            found.push_back(static_cast<std::int32_t>(i));
        }
    }
    // A short list does not keep the room of the whole roster.
    if (found.size() * 2 < found.capacity())
        found.shrink_to_fit();
    return found;
}

}  // namespace vantrel
