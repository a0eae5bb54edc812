#pragma once

// The player filter of a search: the criteria of the panel taken once as a value, and
// the per-record test the search run applies to every player record in file order.

#include "core/league/records.h"
#include "core/score/scoreweights.h"
#include "core/search/namepattern.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct ByteImage;

// The state of a rating's checkbox: unchecked / grayed / checked.
enum class CriterionMode : std::uint8_t { kAtLeast, kAtMost, kEqual };

struct RatingCriterion {
    int threshold = 0;
    CriterionMode mode = CriterionMode::kAtLeast;

    bool operator==(const RatingCriterion&) const = default;
};

// The criteria of one search, taken from the panel once before the search runs.
struct SearchCriteria {
    // TeamRecord index carried by the selected team entry; -1 = "<All>" or none.
    int teamIndex = -1;
    int ageMinPosition = 18, ageMaxPosition = 40;  // trackbar positions
    int ageRangeMin = 18, ageRangeMax = 40;        // the trackbars' range ends (no bound there)
    int statusItem = 0, teamItem = 0, positionItem = 0;  // radio item indices
    std::int32_t salaryMin = -1, salaryMax = 2147483647;
    std::array<RatingCriterion, kRatingCriteriaCount> ratings{};  // RatingIndex order, OV last
    // Windows-1252 bytes of the name edit; may be empty.
    std::string namePattern = "*";
    // false: the edit holds a character no Windows-1252 byte encodes, so no name can match.
    bool namePatternEncodable = true;
};

// The criteria a search can apply, as the search report lists them: the panel's
// controls top left to bottom right, then the fourteen ratings in RatingIndex order.
enum CriterionId : int {
    kTeamCriterion = 0,
    kNameCriterion,
    kStatusCriterion,
    kAssignmentCriterion,
    kPositionCriterion,
    kAgeMinCriterion,
    kAgeMaxCriterion,
    kSalaryMinCriterion,
    kSalaryMaxCriterion,
    kFirstRatingCriterion,  // + RatingIndex, IT .. LD, then OV
};
inline constexpr int kCriterionCount = kFirstRatingCriterion + kRatingCriteriaCount;
static_assert(kCriterionCount <= 32, "a criterion set is one 32-bit word");

class PlayerFilter {
  public:
    PlayerFilter(const SearchCriteria& criteria, std::int32_t teamStride);

    // record: the 86 bytes of the player; byteOffset: its offset in the roster image.
    // A named player (trimmed name of at least 2 bytes) who passes every active criterion.
    bool Matches(const std::uint8_t* record, std::int64_t byteOffset) const;

    // The criteria that can fail, in CriterionId order.
    const std::vector<int>& ActiveCriteria() const { return active_; }
    // The active criteria a record fails, one bit a CriterionId, by the very tests Matches
    // makes (all of them, where Matches stops at the first failure).
    std::uint32_t FailedCriteria(const std::uint8_t* record, std::int64_t byteOffset) const;
    // FailedCriteria of `count` consecutive records, the first at `first` (byte offset
    // firstOffset), into failed[0, count): one criterion at a time over the whole block.
    void FailedCriteriaOfBlock(const std::uint8_t* first, std::int64_t firstOffset, int count,
                               std::uint32_t* failed) const;
    // How far a value a criterion failed on lies from its bound: the distance for ages,
    // salaries and ratings, -1 for the criteria without one (team, name, status,
    // assignment, position).
    std::int64_t MissDistance(int criterion, std::int64_t value) const;
    // What a criterion compares for a record: the team index, the status, assignment or
    // position byte, the signed age, the salary, the rating or OV; 0 for the name.
    std::int64_t ValueOf(int criterion, const std::uint8_t* record, std::int64_t byteOffset) const;

  private:
    // An inclusive range a value must lie in; criteria that cannot fail are left out.
    struct Range {
        int index;  // RatingIndex
        int low;
        int high;
        bool Holds(int value) const { return value >= low && value <= high; }
        bool Holds(double value) const { return value >= low && value <= high; }
    };
    // The test of a criterion on one byte of the record (status, assignment, position,
    // the ages, the stored ratings): the byte, flipped into unsigned order when it is
    // signed, must lie in [low, low + span]. One unsigned compare and no branch.
    struct ByteBound {
        std::uint8_t offset = 0;
        std::uint8_t flip = 0;  // 0x80: a signed byte
        std::uint8_t low = 0;
        std::uint8_t span = 0;
        std::uint8_t criterion = 0;
        bool Holds(const std::uint8_t* record) const {
            return static_cast<std::uint8_t>((record[offset] ^ flip) - low) <= span;
        }
    };
    void SetUpRatings(const SearchCriteria& criteria);
    void SetUpByteBounds();
    void AddByteBound(int criterion, int offset, bool isSigned, int low, int high);
    void ListActiveCriteria();

    bool TeamHolds(std::int64_t byteOffset) const {
        return byteOffset >= teamBegin_ && byteOffset < teamEnd_;
    }
    bool NameHolds(std::string_view name) const;

    bool matchesNothing_ = false;
    bool teamActive_ = false;
    std::int64_t teamBegin_ = 0, teamEnd_ = 0;  // byte range [begin, end) of the team block
    std::int32_t teamStride_ = 0;
    bool ageMinActive_ = false, ageMaxActive_ = false;
    int ageMin_ = 0, ageMax_ = 0;
    int wantedStatus_ = -1;                         // -1: no test
    int assignmentLow_ = -1, assignmentHigh_ = -1;  // -1: no test
    int wantedPosition_ = -1;                       // -1: no test
    bool salaryMinActive_ = false, salaryMaxActive_ = false;
    std::int32_t salaryMin_ = 0, salaryMax_ = 0;
    // The active byte criteria: status, assignment, position, two ages, 13 stored ratings.
    std::array<ByteBound, 5 + 13> byteBounds_{};
    int byteBoundCount_ = 0;
    std::uint32_t neverHolds_ = 0;  // active byte criteria whose range holds no byte
    std::array<Range, kRatingCriteriaCount> ratingRanges_{};  // every rating in RatingIndex order
    std::array<bool, kRatingCriteriaCount> ratingActive_{};
    bool overallActive_ = false;
    Range overall_{};
    bool nameTestsPattern_ = false;  // false: an empty name edit lets every named player pass
    NamePattern pattern_;            // the upper-cased pattern
    std::vector<int> active_;
};

// All record indices of the roster image that match, and whose score lies within the
// bounds (tested while the record is at hand), in file order. playerCount is the number
// of whole records to scan (callers pass RosterFileSize/86); never reads past image.size.
std::vector<std::int32_t> SearchRoster(const PlayerFilter& filter, const ByteImage& image,
                                       std::int32_t playerCount, const ScoreBounds& score = {});
// How many records SearchRoster would find, without allocating: what a search that could
// not get memory for its rows tells the user.
std::int64_t CountMatches(const PlayerFilter& filter, const ByteImage& image,
                          std::int32_t playerCount, const ScoreBounds& score = {});

}  // namespace vantrel
