#include "core/search/namepattern.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

// Both entry points must give the same answer, so every case checks both.
void ExpectMatch(std::string_view pattern, std::string_view text, bool expected) {
    EXPECT_EQ(MatchNamePattern(text, pattern), expected)
        << "MatchNamePattern pattern=[" << pattern << "] text=[" << text << "]";
    EXPECT_EQ(NamePattern(pattern).Matches(text), expected)
        << "NamePattern pattern=[" << pattern << "] text=[" << text << "]";
}

TEST(FindPatternAt, DoesNotSkipAnOccurrenceStartingInsideAPartialMatch) {
    EXPECT_EQ(FindPatternAt("AAB", "AB", 1), 2);
    EXPECT_EQ(FindPatternAt("AABAB", "AB", 1), 2);
    EXPECT_EQ(FindPatternAt("AABAB", "AB", 3), 4);
    EXPECT_EQ(FindPatternAt("AAAAB", "AAB", 1), 3);
}

TEST(FindPatternAt, StartsAtTheGivenPositionAndHonoursQuestionMarks) {
    EXPECT_EQ(FindPatternAt("MAARAN", "A", 3), 3);
    EXPECT_EQ(FindPatternAt("MAARAN", "A", 4), 5);
    EXPECT_EQ(FindPatternAt("MAARAN", "?A", 1), 1);
    EXPECT_EQ(FindPatternAt("MAARAN", "A?A", 1), 3);
    // "?" in the text is an ordinary character, not a wildcard.
    EXPECT_EQ(FindPatternAt("A?B", "AB", 1), -1);
    EXPECT_EQ(FindPatternAt("A?B", "?B", 1), 2);
}

TEST(FindPatternAt, ReturnsMinusOneWhenTheSegmentDoesNotFitIntoTheRest) {
    EXPECT_EQ(FindPatternAt("MAARAN", "AN", 5), 5);
    EXPECT_EQ(FindPatternAt("MAARAN", "AN", 6), -1);
    EXPECT_EQ(FindPatternAt("MAARAN", "N", 7), -1);  // start one past the end is allowed
    EXPECT_EQ(FindPatternAt("AB", "ABC", 1), -1);
    EXPECT_EQ(FindPatternAt("", "?", 1), -1);
    EXPECT_EQ(FindPatternAt("MAARAN", "X", 1), -1);
    EXPECT_EQ(FindPatternAt("MAARAN", "M", 0), 1);  // a start below 1 reads nothing before 1
}

TEST(MatchNamePattern, TableOfUpperCasedPatterns) {
    struct Row {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Row rows[] = {
        {"*", "MAARAN", true},
        {"**", "MAARAN", true},
        {"MAARAN", "MAARAN", true},
        {"MAARA", "MAARAN", false},
        {"MAARANS", "MAARAN", false},
        {"MA*", "MAARAN", true},
        {"?A*", "MAARAN", true},
        {"*AN", "MAARAN", true},
        {"*AR", "MAARAN", false},
        {"*AR*", "MAARAN", true},
        {"*ARA*", "MAARAN", true},
        {"*A?A*", "MAARAN", true},
        {"M?ARAN", "MAARAN", true},
        {"M?RAN", "MAARAN", false},
        {"M*N", "MAARAN", true},
        {"MA*AR*N", "MAARAN", true},
        {"MAA*AAR*", "MAARAN", false},
        {"*A*A*A*", "MAARAN", true},
        {"*A*A*A*A*", "MAARAN", false},
        {"MAARAN*", "MAARAN", true},
        {"*MAARAN", "MAARAN", true},
        {"MAARAN ", "MAARAN", false},
        {"?", "AB", false},
        {"??", "AB", true},
        {"*?", "AB", true},
        {"A*AB", "AB", false},
        {"AB*B", "ABB", true},
        {"*AB*", "AAB", true},
        {"*?A*", "BBA", true},
    };
    for (const Row& row : rows)
        ExpectMatch(row.pattern, row.name, row.match);
}

TEST(MatchNamePattern, PiecesMustNotOverlapAndEndsAreAnchored) {
    ExpectMatch("A*A", "A", false);  // head and tail would share the one A
    ExpectMatch("A*A", "AA", true);
    ExpectMatch("AB*BC", "ABC", false);
    ExpectMatch("AB*BC", "ABBC", true);
    ExpectMatch("X*", "AX", false);   // head must begin the text
    ExpectMatch("*X", "XA", false);   // tail must end the text
    ExpectMatch("*X*", "AXA", true);  // a middle piece may stand anywhere
    ExpectMatch("*B*A", "BA", true);  // middle piece, then tail right after it
    ExpectMatch("*B*A", "AB", false);
}

TEST(MatchNamePattern, OnlyAsterisksMatchEveryText) {
    for (const char* pattern : {"*", "**", "***"}) {
        for (const char* text : {"", "A", "MAARAN", "*", "??", "O'NEIL-SMITH JR."}) {
            ExpectMatch(pattern, text, true);
        }
    }
}

TEST(MatchNamePattern, PatternWithoutAsteriskNeedsTheExactLength) {
    ExpectMatch("??????", "MAARAN", true);
    ExpectMatch("?????", "MAARAN", false);
    ExpectMatch("???????", "MAARAN", false);
    ExpectMatch("MAARAN", "MAARANS", false);
    ExpectMatch("A", "", false);
    ExpectMatch("?", "", false);
}

TEST(MatchNamePattern, WildcardsInTheTextAreOrdinaryCharacters) {
    ExpectMatch("A?C", "A*C", true);
    ExpectMatch("A*C", "A?C", true);
    ExpectMatch("A?C", "A?C", true);
    ExpectMatch("*", "*", true);
    ExpectMatch("A*", "*A", false);
}

TEST(MatchNamePattern, BytesAboveAsciiCompareByValue) {
    ExpectMatch("\xC9*", "\xC9MILE", true);
    ExpectMatch("?MILE", "\xC9MILE", true);
    ExpectMatch("*\xDF*",
                "STRA\xDF"
                "E",
                true);
    ExpectMatch("\xC9*", "EMILE", false);
}

TEST(NamePattern, EmptyPatternMatchesEveryText) {
    // The filter lets every name pass for an empty name edit; both forms agree on it.
    for (const char* text : {"", "A", "MAARAN"})
        ExpectMatch("", text, true);
}

TEST(NamePattern, CopiesKeepMatching) {
    NamePattern original("MA*AR*N");
    const NamePattern copy = original;
    original = NamePattern("X");
    EXPECT_TRUE(copy.Matches("MAARAN"));
    EXPECT_FALSE(copy.Matches("MAARA"));
    EXPECT_TRUE(original.Matches("X"));
}

// Only such patterns may let the filter skip matching name by name.
TEST(NamePattern, OnlyEmptyOrAllAsteriskPatternsMatchEveryText) {
    const std::string texts[] = {"", "A", "AB", "MAARAN", std::string(21, '\xFF')};
    for (const char* p : {"", "*", "***"}) {
        const NamePattern pattern(p);
        EXPECT_TRUE(pattern.MatchesEveryText()) << p;
        for (const std::string& text : texts)
            EXPECT_TRUE(pattern.Matches(text)) << p << " / " << text;
    }
    for (const char* p : {"?", "*?", "*?*", "* ", " *", "A*", "*A*", "*\x01*"})
        EXPECT_FALSE(NamePattern(p).MatchesEveryText()) << p;
}

// An independent glob: "*" any run, "?" one character, by dynamic programming over
// prefixes (reachable[j] = the pattern prefix seen so far covers the first j bytes).
bool GlobOracle(std::string_view pattern, std::string_view text) {
    std::vector<bool> reachable(text.size() + 1, false);
    reachable[0] = true;
    for (const char p : pattern) {
        std::vector<bool> next(text.size() + 1, false);
        if (p == '*') {
            bool any = false;
            for (std::size_t j = 0; j <= text.size(); ++j) {
                any = any || reachable[j];
                next[j] = any;
            }
        } else {
            for (std::size_t j = 1; j <= text.size(); ++j) {
                next[j] = reachable[j - 1] && (p == '?' || p == text[j - 1]);
            }
        }
        reachable = std::move(next);
    }
    return reachable[text.size()];
}

void ExpectAgreesWithOracle(const std::string& pattern, const std::string& text, int& failures) {
    const bool expected = GlobOracle(pattern, text);
    const bool direct = MatchNamePattern(text, pattern);
    const bool compiled = NamePattern(pattern).Matches(text);
    if (direct != expected || compiled != expected) {
        // Stop after a few reports so one fault does not flood the log.
        if (++failures <= 10) {
            ADD_FAILURE() << "pattern=[" << pattern << "] text=[" << text << "] oracle=" << expected
                          << " MatchNamePattern=" << direct << " NamePattern=" << compiled;
        }
    }
}

// Every string over the alphabet with lengths 0..maxLength.
std::vector<std::string> AllStrings(std::string_view alphabet, std::size_t maxLength) {
    std::vector<std::string> result{""};
    std::size_t begin = 0;
    for (std::size_t length = 1; length <= maxLength; ++length) {
        const std::size_t end = result.size();
        for (std::size_t i = begin; i < end; ++i) {
            for (const char c : alphabet)
                result.push_back(result[i] + c);
        }
        begin = end;
    }
    return result;
}

TEST(MatchNamePatternDifferential, AllShortPatternsAgainstAllShortTexts) {
    const std::vector<std::string> patterns = AllStrings("AB?*", 4);
    const std::vector<std::string> texts = AllStrings("AB?*", 5);
    int failures = 0;
    for (const std::string& pattern : patterns) {
        if (pattern.empty())
            continue;  // the filter never matches with an empty pattern
        for (const std::string& text : texts)
            ExpectAgreesWithOracle(pattern, text, failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(MatchNamePatternDifferential, RandomPatternsAndTextsUpToEightCharacters) {
    std::mt19937 random(20240611u);
    std::uniform_int_distribution<int> length(0, 8);
    const std::string_view alphabet = "AB?*";
    std::uniform_int_distribution<std::size_t> symbol(0, alphabet.size() - 1);
    auto make = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += alphabet[symbol(random)];
        return s;
    };
    int failures = 0;
    int matches = 0;
    for (int round = 0; round < 60000; ++round) {
        const std::string pattern = make(1 + length(random) % 8);
        const std::string text = make(length(random));
        ExpectAgreesWithOracle(pattern, text, failures);
        matches += GlobOracle(pattern, text) ? 1 : 0;
    }
    EXPECT_EQ(failures, 0);
    // Guard against a generator that only ever produces one answer.
    EXPECT_GT(matches, 1000);
    EXPECT_LT(matches, 59000);
}

}  // namespace
}  // namespace vantrel
