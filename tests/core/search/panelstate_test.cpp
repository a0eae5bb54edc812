// The panel's rules without a window: Relax puts back exactly one criterion, salary texts
// become bounds (or are refused), and a state's criteria are what a search applies.

#include "core/search/panelstate.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Every control away from its Reset value.
PanelState Busy() {
    PanelState s;
    s.team = "Rivertown";
    s.name = "MA*";
    s.status = 2;
    s.assignment = 3;
    s.position = 1;
    s.ageMin = 20;
    s.ageMax = 30;
    s.salaryFrom = "100000";
    s.salaryTo = "2000000";
    s.all = 10;
    for (RatingCriterion& rating : s.ratings)
        rating = {70, CriterionMode::kAtMost};
    return s;
}

TEST(PanelStateTest, RelaxPutsBackOneCriterionAndNothingElse) {
    const PanelState busy = Busy();
    // criterion -> the one field it sets back, written out from the panel's Reset values
    const std::vector<std::pair<int, void (*)(PanelState&)>> cases = {
        {kTeamCriterion, [](PanelState& s) { s.team = ""; }},
        {kNameCriterion, [](PanelState& s) { s.name = "*"; }},
        {kStatusCriterion, [](PanelState& s) { s.status = 0; }},
        {kAssignmentCriterion, [](PanelState& s) { s.assignment = 0; }},
        {kPositionCriterion, [](PanelState& s) { s.position = 0; }},
        {kAgeMinCriterion, [](PanelState& s) { s.ageMin = 18; }},
        {kAgeMaxCriterion, [](PanelState& s) { s.ageMax = 40; }},
        {kSalaryMinCriterion, [](PanelState& s) { s.salaryFrom = ""; }},
        {kSalaryMaxCriterion, [](PanelState& s) { s.salaryTo = ""; }},
    };
    for (const auto& [criterion, reset] : cases) {
        PanelState expected = busy;
        reset(expected);
        EXPECT_EQ(Relaxed(busy, criterion), expected) << "criterion " << criterion;
    }
    for (int rating = 0; rating < 14; ++rating) {
        PanelState expected = busy;
        expected.ratings[static_cast<std::size_t>(rating)] = {0, CriterionMode::kAtLeast};
        EXPECT_EQ(Relaxed(busy, kFirstRatingCriterion + rating), expected) << "rating " << rating;
    }
    EXPECT_EQ(Relaxed(busy, kFirstRatingCriterion + 14), busy);
    EXPECT_EQ(Relaxed(busy, -1), busy);
}

TEST(PanelStateTest, SalaryTextsGiveBoundsOrAreRefused) {
    EXPECT_EQ(LowerSalaryBound("").value, -1);
    EXPECT_FALSE(LowerSalaryBound("").refused);
    EXPECT_EQ(LowerSalaryBound("0").value, 0);
    EXPECT_FALSE(LowerSalaryBound("0").refused);
    EXPECT_TRUE(LowerSalaryBound("-1").refused);
    EXPECT_TRUE(LowerSalaryBound("abc").refused);
    EXPECT_EQ(UpperSalaryBound("").value, 2147483647);
    EXPECT_FALSE(UpperSalaryBound("").refused);
    EXPECT_EQ(UpperSalaryBound("2147483646").value, 2147483646);
    EXPECT_FALSE(UpperSalaryBound("2147483646").refused);
    EXPECT_TRUE(UpperSalaryBound("2147483647").refused);
    EXPECT_TRUE(UpperSalaryBound("12x").refused);
}

TEST(PanelStateTest, TheResetPanelTestsNothing) {
    const PlayerFilter filter(SearchCriteriaOf(PanelState{}, PanelContext{}), 30 * 86);
    EXPECT_TRUE(filter.ActiveCriteria().empty());
}

TEST(PanelStateTest, CriteriaOfAStateAreWhatTheSearchApplies) {
    PanelState s = Busy();
    s.name = "M\xC3\x84*";  // "MÄ*" in UTF-8
    const SearchCriteria c = SearchCriteriaOf(s, PanelContext{5, 18, 40});
    EXPECT_EQ(c.teamIndex, 5);
    EXPECT_EQ(c.ageMinPosition, 20);
    EXPECT_EQ(c.ageMaxPosition, 30);
    EXPECT_EQ(c.statusItem, 2);
    EXPECT_EQ(c.teamItem, 3);
    EXPECT_EQ(c.positionItem, 1);
    EXPECT_EQ(c.salaryMin, 100000);
    EXPECT_EQ(c.salaryMax, 2000000);
    EXPECT_EQ(c.ratings[13], (RatingCriterion{70, CriterionMode::kAtMost}));
    EXPECT_EQ(c.namePattern, "M\xC4*");  // Windows-1252
    EXPECT_TRUE(c.namePatternEncodable);

    s.name = "\xE2\x82\xAC\xE4\xB8\x80";  // the euro sign has a byte, a CJK character none
    EXPECT_FALSE(SearchCriteriaOf(s, {}).namePatternEncodable);
    // Not UTF-8: cut short, a stray continuation byte, a lead byte past U+10FFFF, overlong.
    for (const char* bad : {"\xC3", "A\x80", "\xF5\x80\x80\x80", "\xC1\x81"}) {
        s.name = bad;
        EXPECT_FALSE(SearchCriteriaOf(s, {}).namePatternEncodable) << bad;
    }
}

}  // namespace
}  // namespace vantrel
