#include "core/search/reportwords.h"

#include "core/eval/vocabulary.h"

#include <array>

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
