// Which patterns let every name pass without being matched name by name.

#include "core/search/namepattern.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(NamePatternMatchesEveryText, OnlyEmptyOrAllAsterisks) {
    EXPECT_TRUE(NamePattern("").MatchesEveryText());
    EXPECT_TRUE(NamePattern("*").MatchesEveryText());
    EXPECT_TRUE(NamePattern("***").MatchesEveryText());
    EXPECT_FALSE(NamePattern("?").MatchesEveryText());
    EXPECT_FALSE(NamePattern("*?").MatchesEveryText());
    EXPECT_FALSE(NamePattern("* ").MatchesEveryText());
    EXPECT_FALSE(NamePattern(" *").MatchesEveryText());
    EXPECT_FALSE(NamePattern("A*").MatchesEveryText());
    EXPECT_FALSE(NamePattern("*A*").MatchesEveryText());
}

TEST(NamePatternMatchesEveryText, AgreesWithMatching) {
    const std::string patterns[] = {"", "*", "**", "*?*", "?*", "*A", "A", "*\x01*"};
    const std::string texts[] = {"", "A", "AB", "BA", "MAARAN", std::string(21, '\xFF')};
    for (const std::string& p : patterns) {
        const NamePattern pattern(p);
        if (!pattern.MatchesEveryText())
            continue;
        for (const std::string& t : texts)
            EXPECT_TRUE(pattern.Matches(t)) << p << " / " << t;
    }
}

}  // namespace
}  // namespace vantrel
