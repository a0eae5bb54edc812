#include "core/search/playerfilter.h"

#include "core/eval/overall.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;

std::array<std::uint8_t, kStoredRatingCount> Filled(std::uint8_t value) {
    std::array<std::uint8_t, kStoredRatingCount> ratings;
    ratings.fill(value);
    return ratings;
}

// A named centre on the pro roster that passes the criteria of a reset panel.
PlayerBuilder Player() {
    return PlayerBuilder()
        .Name("Maaran")
        .Position(0)
        .Age(25)
        .Assignment(200)
        .Ratings(Filled(50))
        .Salary(500000);
}

bool Passes(const SearchCriteria& criteria, const PlayerBuilder& player, std::int64_t offset = 0,
            std::int32_t stride = 86 * 25) {
    return PlayerFilter(criteria, stride).Matches(player.Build().data(), offset);
}

TEST(PlayerFilter, ResetCriteriaPassEveryNamedPlayerAndNoEmptySlot) {
    const SearchCriteria reset;
    // Bytes outside every vocabulary still pass a reset panel.
    const PlayerBuilder odd =
        Player().Age(200).Status(7).Position(9).Assignment(77).Salary(-1).Ratings(Filled(255));
    EXPECT_TRUE(Passes(reset, odd));
    EXPECT_TRUE(Passes(reset, Player().Name("AB")));
    EXPECT_TRUE(Passes(reset, Player().Name(" \tAB  ")));

    SearchCriteria emptyEdit;
    emptyEdit.namePattern.clear();
    EXPECT_TRUE(Passes(emptyEdit, Player()));
    for (const SearchCriteria& criteria : {reset, emptyEdit}) {
        for (const char* name : {"", "A", "  A  ", "\x01\x02", "\xE9"}) {
            EXPECT_FALSE(Passes(criteria, Player().Name(name))) << "[" << name << "]";
        }
    }
}

TEST(PlayerFilter, TeamBlockIsAByteRangeOfTheRosterImage) {
    SearchCriteria criteria;
    criteria.teamIndex = 1;
    const std::int32_t stride = 3 * 86;                        // three slots a team
    EXPECT_FALSE(Passes(criteria, Player(), 2 * 86, stride));  // last slot of team 0
    EXPECT_TRUE(Passes(criteria, Player(), 3 * 86, stride));   // first slot of team 1
    EXPECT_TRUE(Passes(criteria, Player(), 5 * 86, stride));   // last slot of team 1
    EXPECT_FALSE(Passes(criteria, Player(), 6 * 86, stride));  // first slot of team 2

    // A large team index times the stride passes 2^31: the block must not wrap.
    criteria.teamIndex = 20;
    const std::int32_t bigStride = 200'000'000;
    EXPECT_TRUE(Passes(criteria, Player(), 4'000'000'000LL, bigStride));
    EXPECT_FALSE(Passes(criteria, Player(), 4'000'000'000LL - 86, bigStride));
    EXPECT_FALSE(Passes(criteria, Player(), 4'200'000'000LL, bigStride));
}

TEST(PlayerFilter, AgeTrackbarsAtTheirRangeEndsSetNoBound) {
    auto passes = [](int minPos, int maxPos, std::uint8_t ageByte) {
        SearchCriteria criteria;
        criteria.ageMinPosition = minPos;
        criteria.ageMaxPosition = maxPos;
        return Passes(criteria, Player().Age(ageByte));
    };
    EXPECT_TRUE(passes(18, 40, 16));
    EXPECT_FALSE(passes(19, 40, 18));
    EXPECT_TRUE(passes(19, 40, 19));
    EXPECT_TRUE(passes(18, 40, 45));
    EXPECT_FALSE(passes(18, 39, 40));
    EXPECT_TRUE(passes(18, 39, 39));
    EXPECT_FALSE(passes(25, 25, 24));
    EXPECT_TRUE(passes(25, 25, 25));
    EXPECT_FALSE(passes(25, 25, 26));
    // The byte 200 is the age -56: below every lower bound, under every upper bound.
    EXPECT_FALSE(passes(19, 40, 200));
    EXPECT_TRUE(passes(18, 19, 200));
    EXPECT_FALSE(passes(18, 39, 127));
}

TEST(PlayerFilter, StatusAssignmentAndPositionItems) {
    auto passes = [](int statusItem, int teamItem, int positionItem, const PlayerBuilder& player) {
        SearchCriteria criteria;
        criteria.statusItem = statusItem;
        criteria.teamItem = teamItem;
        criteria.positionItem = positionItem;
        return Passes(criteria, player);
    };
    for (int status : {0, 7, 254, 255}) {
        const PlayerBuilder p = Player().Status(static_cast<std::uint8_t>(status));
        EXPECT_TRUE(passes(0, 0, 0, p));
        EXPECT_EQ(passes(1, 0, 0, p), status == 0) << status;
        EXPECT_EQ(passes(2, 0, 0, p), status == 255) << status;
    }
    for (int assignment : {0, 1, 99, 100, 101, 199, 200, 201, 206, 207, 255}) {
        const PlayerBuilder p = Player().Assignment(static_cast<std::uint8_t>(assignment));
        EXPECT_TRUE(passes(0, 0, 0, p));
        EXPECT_EQ(passes(0, 1, 0, p), assignment >= 200 && assignment <= 206) << assignment;
        EXPECT_EQ(passes(0, 2, 0, p), assignment == 0) << assignment;
        EXPECT_EQ(passes(0, 3, 0, p), assignment == 100) << assignment;
    }
    for (int position = 0; position <= 9; ++position) {
        const PlayerBuilder p = Player().Position(static_cast<std::uint8_t>(position));
        EXPECT_TRUE(passes(0, 0, 0, p));
        for (int item = 1; item <= 5; ++item) {
            EXPECT_EQ(passes(0, 0, item, p), position == item - 1) << position << " " << item;
        }
    }
}

TEST(PlayerFilter, SalaryBoundsAreInclusiveAndOptional) {
    auto passes = [](std::int32_t low, std::int32_t high, std::int32_t salary) {
        SearchCriteria criteria;
        criteria.salaryMin = low;
        criteria.salaryMax = high;
        return Passes(criteria, Player().Salary(salary));
    };
    EXPECT_TRUE(passes(500000, 800000, 500000));
    EXPECT_TRUE(passes(500000, 800000, 800000));
    EXPECT_FALSE(passes(500000, 800000, 499999));
    EXPECT_FALSE(passes(500000, 800000, 800001));
    EXPECT_TRUE(passes(-7, 800000, -1000));  // a typed negative lower bound means none
    EXPECT_FALSE(passes(0, 800000, -1));     // 0 is a real lower bound
    EXPECT_TRUE(passes(-1, INT32_MAX, INT32_MAX));
    EXPECT_FALSE(passes(-1, INT32_MAX - 1, INT32_MAX));
    EXPECT_TRUE(passes(-1, INT32_MAX, INT32_MIN));
}

TEST(PlayerFilter, EachStoredRatingCriterionReadsItsOwnByte) {
    for (int i = 0; i < kStoredRatingCount; ++i) {
        SearchCriteria criteria;
        criteria.ratings[static_cast<std::size_t>(i)] = {77, CriterionMode::kEqual};
        const PlayerBuilder only = Player().Rating(i, 77);                        // others 50
        const PlayerBuilder allBut = Player().Ratings(Filled(77)).Rating(i, 50);  // others 77
        EXPECT_TRUE(Passes(criteria, only)) << i;
        EXPECT_FALSE(Passes(criteria, allBut)) << i;
    }
}

TEST(PlayerFilter, RatingModesAtTheirThresholds) {
    auto passes = [](int threshold, CriterionMode mode, std::uint8_t value) {
        SearchCriteria criteria;
        criteria.ratings[kSK] = {threshold, mode};
        return Passes(criteria, Player().Rating(kSK, value));
    };
    EXPECT_TRUE(passes(0, CriterionMode::kAtMost, 0));
    EXPECT_FALSE(passes(0, CriterionMode::kAtMost, 1));
    EXPECT_TRUE(passes(50, CriterionMode::kEqual, 50));
    EXPECT_FALSE(passes(50, CriterionMode::kEqual, 49));
    EXPECT_FALSE(passes(50, CriterionMode::kEqual, 51));
    EXPECT_TRUE(passes(70, CriterionMode::kAtLeast, 70));
    EXPECT_FALSE(passes(70, CriterionMode::kAtLeast, 69));
    EXPECT_TRUE(passes(100, CriterionMode::kAtLeast, 255));
    EXPECT_FALSE(passes(100, CriterionMode::kAtMost, 255));
    // Thresholds past the trackbar range still bound the byte range 0..255.
    EXPECT_FALSE(passes(254, CriterionMode::kAtMost, 255));
    EXPECT_TRUE(passes(255, CriterionMode::kAtMost, 255));
    EXPECT_FALSE(passes(-1, CriterionMode::kEqual, 0));
    EXPECT_FALSE(passes(1, CriterionMode::kAtLeast, 0));
}

TEST(PlayerFilter, OverallCriterionUsesTheWholeNumberOv) {
    // A centre whose OV formula gives about 67.916: the criterion sees 67, not 68.
    const PlayerBuilder centre = Player().Ratings(Filled(60)).Rating(kSC, 76);
    ASSERT_EQ(OverallValue(centre.Build().data()), 67.0);
    auto passes = [&](int threshold, CriterionMode mode, const PlayerBuilder& player) {
        SearchCriteria criteria;
        criteria.ratings[kOV] = {threshold, mode};
        return Passes(criteria, player);
    };
    EXPECT_FALSE(passes(68, CriterionMode::kAtLeast, centre));
    EXPECT_TRUE(passes(67, CriterionMode::kAtLeast, centre));
    EXPECT_TRUE(passes(67, CriterionMode::kEqual, centre));
    EXPECT_TRUE(passes(67, CriterionMode::kAtMost, centre));
    EXPECT_FALSE(passes(66, CriterionMode::kAtMost, centre));
    // A position outside 0..4 has OV 0.
    const PlayerBuilder noPosition = PlayerBuilder(centre).Position(9);
    EXPECT_TRUE(passes(0, CriterionMode::kAtMost, noPosition));
    EXPECT_FALSE(passes(1, CriterionMode::kAtLeast, noPosition));
}

TEST(PlayerFilter, NameIsComparedUpperCasedInWindows1252) {
    auto passes = [](const std::string& pattern, const std::string& name) {
        SearchCriteria criteria;
        criteria.namePattern = pattern;
        return Passes(criteria, Player().Name(name));
    };
    EXPECT_TRUE(passes("maa*", "Maaran"));
    EXPECT_TRUE(passes("MAA*", "maaran"));
    EXPECT_FALSE(passes("maa*", "Moaran"));
    EXPECT_TRUE(passes("\xE9*", "\xC9mile"));  // é matches É
    EXPECT_TRUE(passes("\xC9*", "\xE9mile"));  // and the other way round
    EXPECT_TRUE(passes("*\xFF", "Ma\x9F"));    // ÿ matches Ÿ
    EXPECT_TRUE(
        passes("stra\xDF"
               "e",
               "STRA\xDF"
               "E"));  // ß has no capital and stays
    EXPECT_FALSE(passes("STRASSE",
                        "Stra\xDF"
                        "e"));
    // The name is trimmed, the pattern is not.
    EXPECT_TRUE(passes("MAARAN", "  Maaran\t"));
    EXPECT_FALSE(passes("MAARAN ", "Maaran"));
    EXPECT_FALSE(passes(" *", "Maaran"));
    // A name filling all 21 bytes of its field is matched whole.
    EXPECT_TRUE(passes("abcdefghijklmnopqrstu", "ABCDEFGHIJKLMNOPQRSTU"));
    EXPECT_FALSE(passes("abcdefghijklmnopqrst", "ABCDEFGHIJKLMNOPQRSTU"));
}

TEST(PlayerFilter, UnencodablePatternMatchesNoName) {
    SearchCriteria criteria;
    criteria.namePattern = "*";
    criteria.namePatternEncodable = false;
    EXPECT_FALSE(Passes(criteria, Player()));
}

// A roster image of exactly the given bytes, so a read past its end is a real overrun.
ByteImage ImageOf(const std::vector<PlayerBuilder>& players, std::size_t extraBytes) {
    std::vector<std::uint8_t> bytes;
    for (const PlayerBuilder& player : players)
        player.AppendTo(bytes);
    // Make the partial tail look like a matching record, should anyone read it.
    const auto tail = Player().Build();
    bytes.insert(bytes.end(), tail.begin(),
                 tail.begin() + static_cast<std::ptrdiff_t>(std::min(extraBytes, tail.size())));
    return testsupport::ImageOf(bytes);
}

TEST(SearchRoster, ReturnsMatchingIndicesInFileOrder) {
    const std::vector<PlayerBuilder> players = {Player().Name("Abel"), Player().Name(""),
                                                Player().Name("Berg"), Player().Name("Abbot"),
                                                Player().Name("Cole"), Player().Name("Ahn")};
    const ByteImage image = ImageOf(players, 0);
    SearchCriteria criteria;
    criteria.namePattern = "a*";
    EXPECT_EQ(SearchRoster(PlayerFilter(criteria, 2 * 86), image, 6),
              (std::vector<std::int32_t>{0, 3, 5}));
    // The team test gets each record's own offset: team 1 holds records 2 and 3.
    criteria.namePattern = "*";
    criteria.teamIndex = 1;
    EXPECT_EQ(SearchRoster(PlayerFilter(criteria, 2 * 86), image, 6),
              (std::vector<std::int32_t>{2, 3}));
}

TEST(SearchRoster, ScansOnlyWholeRecordsInsideTheImage) {
    const std::vector<PlayerBuilder> players(5, Player());
    const PlayerFilter filter(SearchCriteria{}, 86);
    const ByteImage truncated = ImageOf(players, 40);  // size not a multiple of 86
    const std::vector<std::int32_t> all = {0, 1, 2, 3, 4};
    EXPECT_EQ(SearchRoster(filter, truncated, 6), all);
    EXPECT_EQ(SearchRoster(filter, truncated, 1000), all);
    EXPECT_EQ(SearchRoster(filter, truncated, 2), (std::vector<std::int32_t>{0, 1}));
    EXPECT_TRUE(SearchRoster(filter, truncated, 0).empty());
    EXPECT_TRUE(SearchRoster(filter, truncated, -3).empty());
    EXPECT_TRUE(SearchRoster(filter, ByteImage{}, 5).empty());
}

TEST(SearchRoster, ALeagueSearchedInPartsListsEveryMatchOnceInFileOrder) {
    // Enough records for a part per core, with matches on both sides of every split.
    leaguegen::Options options;
    options.teams = 5000;
    options.slotsPerTeam = 40;
    const leaguegen::League league = leaguegen::Generate(options);
    const ByteImage image = testsupport::ImageOf(league.roster);
    SearchCriteria criteria;
    criteria.namePattern = "*";
    // An odd count: the last part holds the record left over.
    const auto players = static_cast<std::int32_t>(image.size / kPlayerRecordSize) - 1;
    for (const int teamIndex : {-1, 4999}) {
        criteria.teamIndex = teamIndex;
        const PlayerFilter filter(criteria, 40 * kPlayerRecordSize);
        std::vector<std::int32_t> expected;
        for (std::int32_t i = 0; i < players; ++i) {
            const std::int64_t offset = std::int64_t{i} * kPlayerRecordSize;
            if (filter.Matches(image.data.get() + offset, offset))
                expected.push_back(i);
        }
        EXPECT_EQ(SearchRoster(filter, image, players), expected) << teamIndex;
        EXPECT_EQ(CountMatches(filter, image, players), std::int64_t(expected.size()));
    }
}

}  // namespace
}  // namespace vantrel
