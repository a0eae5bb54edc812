// The criteria text: every panel state survives text and back, the Reset panel is the
// empty text, and a bad text names its first bad token without giving a state.

#include "core/search/criteriatext.h"

#include "core/league/records.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

const PanelChecks kChecks{
    [](const std::string& team) { return team != "Nowhere"; },
    [](const std::string& name) { return name.find("\xC5\x81") == std::string::npos; },  // Ł
    {}};

std::string RandomText(std::mt19937& random, bool allowEmpty) {
    static const std::vector<std::string> kPieces = {
        "a", "Z", "7", "-", " ", "\t", "\"", "\\", "*", "?", "=", ">=", "\xC3\xBC", "'", ","};
    std::string text;
    const int length = static_cast<int>(random() % 8) + (allowEmpty ? 0 : 1);
    for (int i = 0; i < length; ++i)
        text += kPieces[random() % kPieces.size()];
    return text;
}

PanelState RandomState(std::mt19937& random) {
    PanelState s;
    const auto pick = [&random](int n) { return static_cast<int>(random() % unsigned(n)); };
    if (pick(2))
        s.team = RandomText(random, false);
    if (pick(2))
        s.name = RandomText(random, true);
    s.status = pick(3);
    s.assignment = pick(4);
    s.position = pick(6);
    s.ageMin = 18 + pick(23);
    s.ageMax = s.ageMin + pick(41 - s.ageMin);
    const std::vector<std::string> salaries = {
        "", "0", "007", "2147483647", "2147483648", RandomText(random, true)};
    s.salaryFrom = salaries[random() % salaries.size()];
    s.salaryTo = salaries[random() % salaries.size()];
    s.all = pick(3) ? 0 : pick(101);
    for (RatingCriterion& r : s.ratings)
        r = pick(2) ? RatingCriterion{s.all, CriterionMode::kAtLeast}
                    : RatingCriterion{pick(101), static_cast<CriterionMode>(pick(3))};
    for (ChangeBound& change : s.changes.changes) {
        if (pick(4) == 0)
            change.atLeast = pick(1999) - 999;
        if (pick(4) == 0)
            change.atMost = pick(3) ? pick(1999) - 999 : change.atLeast.value_or(0);
    }
    s.changes.season = static_cast<SeasonWanted>(pick(3));
    if (pick(3) == 0) {
        for (std::uint8_t& weight : s.score.weights.weights)
            weight = static_cast<std::uint8_t>(pick(2) ? 0 : pick(11));
        s.score.weights.weights[std::size_t(pick(13))] = static_cast<std::uint8_t>(1 + pick(10));
        if (pick(2))
            s.score.atLeast = pick(1001);
        if (pick(2))
            s.score.atMost = pick(1001);
    }
    return s;
}

TEST(CriteriaTextTest, EveryPanelStateSurvivesTextAndBack) {
    std::mt19937 random(20261209);
    for (int i = 0; i < 5000; ++i) {
        const PanelState state = RandomState(random);
        const std::string text = CriteriaText(state);
        const CriteriaParse parse = ParseCriteriaText(text, {}, kChecks);
        ASSERT_TRUE(parse.state) << text << " -> at " << parse.error.token;
        EXPECT_EQ(*parse.state, state) << text;
        EXPECT_EQ(CriteriaText(*parse.state), text);
    }
}

TEST(CriteriaTextTest, ResetIsEmptyAndKeysAndValuesIgnoreCase) {
    EXPECT_EQ(CriteriaText(PanelState{}), "");
    EXPECT_EQ(ParseCriteriaText(" \t ", {}).state, PanelState{});

    const CriteriaParse parse = ParseCriteriaText(
        "TEAM=\"Rivertown\" Name=\"MA*\" status=ROOKIE assign=Pro pos=c age=20-30 "
        "salary=100000-2000000 all=10 sk>=70 OV=80 df<=40",
        {});
    ASSERT_TRUE(parse.state);
    PanelState want;
    want.team = "Rivertown";
    want.name = "MA*";
    want.status = 2;
    want.assignment = 1;
    want.position = 1;
    want.ageMin = 20;
    want.ageMax = 30;
    want.salaryFrom = "100000";
    want.salaryTo = "2000000";
    want.all = 10;
    want.ratings.fill({10, CriterionMode::kAtLeast});
    want.ratings[kSK] = {70, CriterionMode::kAtLeast};
    want.ratings[kDF] = {40, CriterionMode::kAtMost};
    want.ratings[kOV] = {80, CriterionMode::kEqual};
    EXPECT_EQ(*parse.state, want);
    EXPECT_EQ(CriteriaText(want),
              "team=\"Rivertown\" name=\"MA*\" status=rookie assign=pro "
              "pos=C age=20-30 salary=100000-2000000 all=10 SK>=70 DF<=40 "
              "OV=80");
}

TEST(CriteriaTextTest, BadTextNamesItsFirstBadToken) {
    struct Case {
        const char* text;
        const char* token;
        const char* expected;  // a part of the expectation
    };
    const Case cases[] = {
        {"SK>=70 colour=red OV=5", "colour=red", "team, name, status"},
        {"SK>=300", "SK>=300", "0 to 100"},
        {"all=101", "all=101", "0 to 100"},
        {"OV=-1", "OV=-1", "whole number"},
        {"age=30-20", "age=30-20", "the lower first"},
        {"age=17-30", "age=17-30", "from 18 to 40"},
        {"age=20", "age=20", "two ages"},
        {"team=\"Nowhere\" SK>=300", "team=\"Nowhere\"", "team of the loaded league"},
        {"name=\"MA* pos=C", "name=\"MA* pos=C", "closing \""},
        {"salary=99999999999-", "salary=99999999999-", "2147483647"},
        {"salary=12a-", "salary=12a-", "whole number"},
        {"name=\"\xC5\x81ukas\"", "name=\"\xC5\x81ukas\"", "characters that player names"},
        {"pos=X", "pos=X", "C, LW, RW, D or G"},
        {"status=old", "status=old", "veteran or rookie"},
        {"assign=bench", "assign=bench", "pro, farm or scratch"},
        {"team>=\"A\"", "team>=\"A\"", "= after team"},
        {"SK>=70 sk<=20", "sk<=20", "each key once"},
        {"SK 70", "SK", "key=value"},
        {"=5", "=5", "key=value"},
    };
    for (const Case& c : cases) {
        const CriteriaParse parse = ParseCriteriaText(c.text, {}, kChecks);
        EXPECT_FALSE(parse.state) << c.text;
        EXPECT_EQ(parse.error.token, c.token) << c.text;
        EXPECT_NE(parse.error.expected.find(c.expected), std::string::npos)
            << c.text << " -> " << parse.error.expected;
    }
    // An edit holds a limited text; a longer one would be cut short, so it is refused.
    PanelLimits small;
    small.textMax = 4;
    EXPECT_TRUE(ParseCriteriaText("name=\"ABCD\"", small).state);
    EXPECT_FALSE(ParseCriteriaText("name=\"ABCDE\"", small).state);
    EXPECT_FALSE(ParseCriteriaText("salary=\"abcde\"-", small).state);
}

TEST(CriteriaTextTest, ChangeKeysTakeSignedBoundsAndNeedAnEarlierSeason) {
    const CriteriaParse parse = ParseCriteriaText("dov>=+3 dSK<=-5 DSK>=-9 dPA=0 season=NEW", {});
    ASSERT_TRUE(parse.state) << parse.error.token;
    PanelState want;
    want.changes.changes[kOV].atLeast = 3;
    want.changes.changes[kSK] = {-9, -5};
    want.changes.changes[kPA] = {0, 0};
    want.changes.season = SeasonWanted::kNew;
    EXPECT_EQ(*parse.state, want);
    EXPECT_EQ(CriteriaText(want), "dSK>=-9 dSK<=-5 dPA=0 dOV>=+3 season=new");

    const std::pair<const char*, const char*> bad[] = {{"dOV>=1000", "-999 to +999"},
                                                       {"dOV>=\"3\"", "-999 to +999"},
                                                       {"dOV>=3 dOV=4", "each key once"},
                                                       {"dXY=3", "dIT .. dLD, dOV"},
                                                       {"season=old", "all, new or matched"}};
    for (const auto& [text, expected] : bad) {
        const CriteriaParse refused = ParseCriteriaText(text, {});
        ASSERT_FALSE(refused.state) << text;
        EXPECT_NE(refused.error.expected.find(expected), std::string::npos)
            << refused.error.expected;
    }
    PanelChecks noSeason;
    noSeason.seasonOpen = [] { return false; };
    const CriteriaParse closed = ParseCriteriaText("SK>=70 dSk<=-5", {}, noSeason);
    ASSERT_FALSE(closed.state);
    EXPECT_EQ(closed.error.token, "dSk<=-5");
    EXPECT_EQ(closed.error.expected.rfind("dSk only with an earlier season open", 0), 0u);
    EXPECT_FALSE(ParseCriteriaText("season=matched", {}, noSeason).state);
    EXPECT_TRUE(ParseCriteriaText("SK>=70", {}, noSeason).state);
}

TEST(CriteriaTextTest, ScoreKeysGiveWeightsAndBoundsInOneWayOfWriting) {
    const CriteriaParse parse = ParseCriteriaText("score<=85.5 SCORE=pc+sk*2+Pa+DF*0", {});
    ASSERT_TRUE(parse.state) << parse.error.token << ": " << parse.error.expected;
    PanelState want;
    want.score.weights.weights[kSK] = 2;
    want.score.weights.weights[kPA] = 1;
    want.score.weights.weights[kPC] = 1;
    want.score.atMost = 855;
    EXPECT_EQ(*parse.state, want);
    EXPECT_EQ(CriteriaText(want), "score=SK*2+PA+PC score<=85.5");
    want.score.atLeast = 700;
    EXPECT_EQ(CriteriaText(want), "score=SK*2+PA+PC score>=70 score<=85.5");

    const std::pair<const char*, const char*> bad[] = {
        {"score=SK*2+XY", "at \"XY\""},         {"score=OV", "at \"OV\""},
        {"score=SK*11", "at \"SK*11\""},        {"score=SK*-1", "at \"SK*-1\""},
        {"score=SK*1.5", "at \"SK*1.5\""},      {"score=SK+", "at \"\""},
        {"score=SK*0+PA*0", "above 0"},         {"score=SK+sk*2", "SK is given twice"},
        {"score=SK score=PA", "each key once"}, {"score=SK score>=70 score>=71", "each key once"},
        {"score=SK score>=100.1", "0 to 100"},  {"score=SK score>=70.25", "one decimal"},
        {"score=\"SK\"", "without quotes"},     {"score>=70 SK>=50", "only with score weights"},
    };
    for (const auto& [text, expected] : bad) {
        const CriteriaParse refused = ParseCriteriaText(text, {});
        ASSERT_FALSE(refused.state) << text;
        EXPECT_NE(refused.error.expected.find(expected), std::string::npos)
            << text << " -> " << refused.error.expected;
    }
    EXPECT_EQ(ParseCriteriaText("score>=70 SK>=50", {}).error.token, "score>=70");
    EXPECT_EQ(ParseCriteriaText("score=SK score=PA", {}).error.token, "score=PA");
}

}  // namespace
}  // namespace vantrel
