#include "core/search/playerfilter.h"

#include "core/eval/cp1252.h"
#include "core/eval/overall.h"
#include "core/league/leaguedata.h"
#include "core/league/corestretches.h"
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
    SetUpByteBounds();
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
        } else {
            ratingActive_[slot] = range.low > 0 || range.high < 255;
        }
    }
}

void PlayerFilter::SetUpByteBounds() {
    if (wantedStatus_ >= 0)
        AddByteBound(kStatusCriterion, player::kStatus, false, wantedStatus_, wantedStatus_);
    if (assignmentLow_ >= 0)
        AddByteBound(kAssignmentCriterion, player::kAssignment, false, assignmentLow_,
                     assignmentHigh_);
    if (wantedPosition_ >= 0)
        AddByteBound(kPositionCriterion, player::kPosition, false, wantedPosition_,
                     wantedPosition_);
    if (ageMinActive_)
        AddByteBound(kAgeMinCriterion, player::kAge, true, ageMin_, INT_MAX);
    if (ageMaxActive_)
        AddByteBound(kAgeMaxCriterion, player::kAge, true, INT_MIN, ageMax_);
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const Range& range = ratingRanges_[static_cast<std::size_t>(i)];
        if (ratingActive_[static_cast<std::size_t>(i)])
            AddByteBound(kFirstRatingCriterion + i, player::kRatings + i, false, range.low,
                         range.high);
    }
}

// A range of byte values, clipped to what the byte can hold; a range left empty fails
// every record.
void PlayerFilter::AddByteBound(int criterion, int offset, bool isSigned, int low, int high) {
    const int lowest = isSigned ? INT8_MIN : 0;
    low = std::max(low, lowest);
    high = std::min(high, isSigned ? INT8_MAX : UINT8_MAX);
    if (low > high) {
        neverHolds_ |= 1u << criterion;
        return;
    }
    ByteBound& bound = byteBounds_[static_cast<std::size_t>(byteBoundCount_++)];
    bound.offset = static_cast<std::uint8_t>(offset);
    bound.flip = isSigned ? 0x80 : 0;
    bound.low = static_cast<std::uint8_t>(low - lowest);  // flipped: -128 becomes 0
    bound.span = static_cast<std::uint8_t>(high - low);
    bound.criterion = static_cast<std::uint8_t>(criterion);
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
    if (matchesNothing_ || neverHolds_ != 0)
        return false;
    if (teamActive_ && !TeamHolds(byteOffset))
        return false;
    for (int i = 0; i < byteBoundCount_; ++i) {
        if (!byteBounds_[static_cast<std::size_t>(i)].Holds(record))
            return false;
    }
    const std::int32_t salary = PlayerRecord(record).Salary();
    if (salaryMinActive_ && salary < salaryMin_)
        return false;
    if (salaryMaxActive_ && salary > salaryMax_)
        return false;
    // OV is a whole number held in a double; compared without any conversion to int.
    if (overallActive_ && !overall_.Holds(OverallValue(record)))
        return false;

    // An empty roster slot is never listed.
    if (!nameTestsPattern_)
        return IsNamedPlayer(record);
    const std::string_view name = ExtractTextView(record + player::kName, kPlayerNameWidth);
    return name.size() >= 2 && NameHolds(name);
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
    std::uint32_t failed = 0;
    FailedCriteriaOfBlock(record, byteOffset, 1, &failed);
    return failed;
}

void PlayerFilter::FailedCriteriaOfBlock(const std::uint8_t* first, std::int64_t firstOffset,
                                         int count, std::uint32_t* failed) const {
    // Branch-free where the record decides, and one criterion at a time: a report looks
    // at every criterion of every player, and which ones fail is as good as random.
    const auto record = [first](int r) { return first + std::int64_t{r} * kPlayerRecordSize; };
    const auto mark = [failed, count](int criterion, auto fails) {
        for (int r = 0; r < count; ++r)
            failed[r] |= std::uint32_t{fails(r)} << criterion;
    };
    std::fill(failed, failed + count, neverHolds_);
    if (teamActive_) {
        mark(kTeamCriterion,
             [&](int r) { return !TeamHolds(firstOffset + std::int64_t{r} * kPlayerRecordSize); });
    }
    if (matchesNothing_ || nameTestsPattern_) {
        mark(kNameCriterion, [&](int r) {
            return matchesNothing_ ||
                   !NameHolds(ExtractTextView(record(r) + player::kName, kPlayerNameWidth));
        });
    }
    for (int i = 0; i < byteBoundCount_; ++i) {
        const ByteBound bound = byteBounds_[static_cast<std::size_t>(i)];
        mark(bound.criterion, [&](int r) { return !bound.Holds(record(r)); });
    }
    if (salaryMinActive_)
        mark(kSalaryMinCriterion,
             [&](int r) { return PlayerRecord(record(r)).Salary() < salaryMin_; });
    if (salaryMaxActive_)
        mark(kSalaryMaxCriterion,
             [&](int r) { return PlayerRecord(record(r)).Salary() > salaryMax_; });
    // The same whole number as OverallValue, without the extended sum for most players.
    if (overallActive_) {
        mark(kFirstRatingCriterion + kOverallIndex,
             [&](int r) { return !overall_.Holds(OverallValueFast(record(r))); });
    }
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
            return std::max<std::int64_t>(0,
                                          TeamBlockOf(byteOffset / kPlayerRecordSize, teamStride_));
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

namespace {

// The number of whole records of the image to scan: never past image.size, whatever the
// caller claims.
std::int64_t RecordsToScan(const ByteImage& image, std::int32_t playerCount) {
    if (!image.data || playerCount <= 0)
        return 0;
    return std::min<std::int64_t>(playerCount,
                                  static_cast<std::int64_t>(image.size / kPlayerRecordSize));
}

// Calls onMatch(i, kept) for every record index in [begin, end) the filter matches, in
// file order; kept tells whether its score lies within the bounds too. The score's answer
// is a value, not a branch: half of the players pass it, as no branch predictor guesses.
template <class OnMatch>
void ForEachMatch(const PlayerFilter& filter, const ScoreBounds& score, const ByteImage& image,
                  std::int64_t begin, std::int64_t end, OnMatch onMatch) {
    for (std::int64_t i = begin; i < end; ++i) {
        const std::int64_t offset = i * kPlayerRecordSize;
        const std::uint8_t* record = image.data.get() + offset;
        if (filter.Matches(record, offset))
            onMatch(i, !score.Active() || score.Holds(record));
    }
}

// Collects record indices in a small buffer: each is written, and counted only when kept.
class FoundBuffer {
  public:
    explicit FoundBuffer(std::vector<std::int32_t>& found) : found_(found) {}
    ~FoundBuffer() { Flush(); }
    void Add(std::int64_t i, bool kept) {
        buffer_[n_] = static_cast<std::int32_t>(i);
        n_ += kept ? 1 : 0;
        if (n_ == buffer_.size())
            Flush();
    }

  private:
    void Flush() {
        found_.insert(found_.end(), buffer_.begin(), buffer_.begin() + std::ptrdiff_t(n_));
        n_ = 0;
    }
    std::vector<std::int32_t>& found_;
    std::array<std::int32_t, 256> buffer_;
    std::size_t n_ = 0;
};

// The matches of a stretch of the roster, in file order.
struct FoundPart {
    std::vector<std::int32_t> found;

    void Add(const FoundPart& later) {
        found.insert(found.end(), later.found.begin(), later.found.end());
    }
};

}  // namespace

std::vector<std::int32_t> SearchRoster(const PlayerFilter& filter, const ByteImage& image,
                                       std::int32_t playerCount, const ScoreBounds& score) {
    const std::int64_t count = RecordsToScan(image, playerCount);
    if (count == 0)
        return {};
    // A stretch per core. The first has room for every record up front, so the later
    // stretches' matches join it without a copy of the list: pages that no match writes
    // are never touched.
    FoundPart whole = CountInParts<FoundPart>(count, 1, [&](std::int64_t begin, std::int64_t end) {
        FoundPart part;
        part.found.reserve(static_cast<std::size_t>(begin == 0 ? count : end - begin));
        {
            FoundBuffer buffer(part.found);
            ForEachMatch(filter, score, image, begin, end,
                         [&buffer](std::int64_t i, bool kept) { buffer.Add(i, kept); });
        }
        return part;
    });
    // A short list does not keep the room of the whole roster.
    if (whole.found.size() * 2 < whole.found.capacity())
        whole.found.shrink_to_fit();
    return std::move(whole.found);
}

std::int64_t CountMatches(const PlayerFilter& filter, const ByteImage& image,
                          std::int32_t playerCount, const ScoreBounds& score) {
    std::int64_t matches = 0;
    ForEachMatch(filter, score, image, 0, RecordsToScan(image, playerCount),
                 [&matches](std::int64_t, bool kept) { matches += kept ? 1 : 0; });
    return matches;
}

}  // namespace vantrel
