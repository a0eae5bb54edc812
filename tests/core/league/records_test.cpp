#include "core/league/records.h"

#include "leaguegen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {
namespace {

// The text of a field of the given width holding these bytes, zero-padded; one extra
// non-zero byte follows the field so that reading past the width shows.
std::string Extract(std::string_view bytes, int width) {
    std::vector<std::uint8_t> field(static_cast<std::size_t>(width) + 1, 0);
    for (std::size_t i = 0; i < bytes.size() && i < field.size() - 1; ++i) {
        field[i] = static_cast<std::uint8_t>(bytes[i]);
    }
    field.back() = 'Z';
    return ExtractText(field.data(), width);
}

TEST(ExtractText, FieldWithoutZeroByteYieldsItsFullWidth) {
    EXPECT_EQ(Extract("Abcdefghijklmnopqrstu", kPlayerNameWidth), "Abcdefghijklmnopqrstu");
    EXPECT_EQ(Extract("Kravonesta", kTeamNameWidth), "Kravonesta");
    EXPECT_EQ(Extract("KTV", kShortCodeWidth), "KTV");
}

TEST(ExtractText, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(Extract(std::string_view("\0Kelvo", 6), kPlayerNameWidth), "");
    EXPECT_EQ(Extract(std::string_view("Ab\0cd", 5), kPlayerNameWidth), "Ab");
}

TEST(ExtractText, TrimsCodesUpTo32AtBothEndsOnly) {
    EXPECT_EQ(Extract("  Trasik", kPlayerNameWidth), "Trasik");
    EXPECT_EQ(Extract("\t Kelvo Trasik \r\n", kPlayerNameWidth), "Kelvo Trasik");
    // Every code 1..32 counts as blank, and only at the ends.
    for (int code = 1; code <= 32; ++code) {
        const char c = static_cast<char>(code);
        const std::string field = std::string(1, c) + "Ma" + c + "ar" + c;
        EXPECT_EQ(Extract(field, kPlayerNameWidth), std::string("Ma") + c + "ar") << code;
    }
    // 127 and the Windows-1252 range are text, including the no-break space 0xA0.
    EXPECT_EQ(Extract("\x7F"
                      "Ab\xA0",
                      kPlayerNameWidth),
              "\x7F"
              "Ab\xA0");
    EXPECT_EQ(Extract("\xFF\xE9"
                      "t\xDF",
                      kPlayerNameWidth),
              "\xFF\xE9"
              "t\xDF");
    EXPECT_EQ(Extract(" \t\x01", kPlayerNameWidth), "");
}

TEST(ExtractText, ViewPointsIntoTheFieldItself) {
    const std::array<std::uint8_t, 6> field = {' ', ' ', 'V', 'o', 0, 0};
    const std::string_view view = ExtractTextView(field.data(), 6);
    EXPECT_EQ(view, "Vo");
    EXPECT_EQ(static_cast<const void*>(view.data()), static_cast<const void*>(field.data() + 2));
    EXPECT_EQ(ExtractTextView(field.data(), 0), "");
}

TEST(NamedPlayer, NeedsTwoCharactersAfterTrimming) {
    const auto named = [](std::string_view name) {
        return IsNamedPlayer(leaguegen::PlayerBuilder().Name(name).Build().data());
    };
    EXPECT_FALSE(named(""));
    EXPECT_FALSE(named("K"));
    EXPECT_FALSE(named("  K\t"));
    EXPECT_FALSE(named("\x01\x02"));
    EXPECT_TRUE(named("Ka"));
    EXPECT_TRUE(named(" \xD6\x9A "));
    EXPECT_TRUE(named("Abcdefghijklmnopqrstu"));
}

TEST(RecordReaders, DecodeLittleEndianAndBothAgeReadings) {
    auto bytes = leaguegen::PlayerBuilder().Build();
    const auto put = [&bytes](int offset, std::initializer_list<std::uint8_t> values) {
        for (std::uint8_t v : values)
            bytes[static_cast<std::size_t>(offset++)] = v;
    };
    const PlayerRecord record(bytes.data());

    put(46, {0x40, 0x42, 0x0F, 0x00});
    EXPECT_EQ(record.Salary(), 1000000);
    put(46, {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(record.Salary(), -1);
    put(46, {0x00, 0x00, 0x00, 0x80});
    EXPECT_EQ(record.Salary(), INT32_MIN);

    put(57, {0x2C, 0x01});
    EXPECT_EQ(record.PimOrGoalsAgainst(), 300);
    put(59, {0xFF, 0xFF});
    EXPECT_EQ(record.Shots(), 65535);

    put(29, {200});
    EXPECT_EQ(record.AgeSigned(), -56);
    EXPECT_EQ(record.AgeUnsigned(), 200);
    put(29, {127});
    EXPECT_EQ(record.AgeSigned(), 127);
}

// Offsets are the literal numbers of the record layout, not the named constants, so a
// wrong constant shows here.
TEST(PlayerBuilder, PutsEveryFieldAtItsLayoutOffset) {
    std::array<std::uint8_t, 13> ratings{};
    for (int i = 0; i < 13; ++i)
        ratings[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(60 + i);
    const auto bytes = leaguegen::PlayerBuilder()
                           .Name("Kelvo Trasik")
                           .Position(3)
                           .Number(44)
                           .Status(255)
                           .Hand(1)
                           .Height(74)
                           .Weight(201)
                           .Age(29)
                           .Assignment(203)
                           .Condition(91)
                           .Ratings(ratings)
                           .Rating(kLD, 99)
                           .Rating(13, 1)  // OV is not stored: ignored
                           .Salary(0x01020304)
                           .Contract(4)
                           .GamesPlayed(80)
                           .GoalsOrPim(21)
                           .Assists(33)
                           .PlusMinus(12)
                           .PimOrGoalsAgainst(0x0506)
                           .Shots(0x0708)
                           .PowerPlayGoalsOrShutouts(5)
                           .ShortHandedGoalsOrWins(6)
                           .GameWinningGoalsOrLosses(7)
                           .GameTyingGoalsOrTies(8)
                           .ShortCode("KTVX")
                           .Build();
    std::array<std::uint8_t, 86> expected{};
    const std::string name = "Kelvo Trasik";
    std::copy(name.begin(), name.end(), expected.begin());
    const std::pair<int, std::uint8_t> fields[] = {
        {22, 3},  {23, 44}, {24, 255}, {26, 1},   {27, 74}, {28, 201}, {29, 29}, {30, 203},
        {31, 91}, {46, 4},  {47, 3},   {48, 2},   {49, 1},  {50, 4},   {52, 80}, {53, 21},
        {54, 33}, {55, 12}, {57, 6},   {58, 5},   {59, 8},  {60, 7},   {61, 5},  {62, 6},
        {63, 7},  {64, 8},  {76, 'K'}, {77, 'T'}, {78, 'V'}};
    for (const auto& [offset, value] : fields)
        expected[static_cast<std::size_t>(offset)] = value;
    std::copy(ratings.begin(), ratings.end(), expected.begin() + 32);
    expected[44] = 99;
    EXPECT_EQ(bytes, expected);

    const PlayerRecord record(bytes.data());
    EXPECT_EQ(ExtractText(record.NameField(), kPlayerNameWidth), "Kelvo Trasik");
    EXPECT_EQ(ExtractText(record.ShortCodeField(), kShortCodeWidth), "KTV");
    EXPECT_EQ(record.Salary(), 0x01020304);
    EXPECT_EQ(record.Rating(kIT), 60);
    EXPECT_EQ(record.Rating(kLD), 99);
    EXPECT_EQ(record.Shots(), 0x0708);
}

TEST(TeamBuilder, NameFillsAtMostTenBytesAndTheRestStaysZero) {
    std::vector<std::uint8_t> image;
    leaguegen::TeamBuilder().Name("Kravonestaxyz").AppendTo(image);
    leaguegen::TeamBuilder().Name("Vo").AppendTo(image);
    ASSERT_EQ(image.size(), 2u * kTeamRecordSize);
    EXPECT_EQ(TeamRecord(image.data()).Name(), "Kravonesta");
    EXPECT_EQ(ExtractText(image.data() + kTeamRecordSize, kTeamNameWidth), "Vo");
    for (std::size_t i = kTeamNameWidth; i < kTeamRecordSize; ++i)
        ASSERT_EQ(image[i], 0) << i;
}

}  // namespace
}  // namespace vantrel
