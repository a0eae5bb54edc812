#include "core/eval/vocabulary.h"

#include "leaguegen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;

std::string AbbrevOf(int position) {
    return std::string(PositionAbbrev(
        PlayerBuilder().Position(static_cast<std::uint8_t>(position)).Build().data()));
}

TEST(PositionAbbrev, AllCodes) {
    const char* const expected[] = {"C", "LW", "RW", "D", "G"};
    for (int position = 0; position < 256; ++position)
        EXPECT_EQ(AbbrevOf(position), position < 5 ? expected[position] : "") << position;
    EXPECT_EQ(PositionAbbrev(nullptr), "");
}

TEST(AgeText, SignedByte) {
    const auto ageText = [](int age) {
        return AgeText(PlayerBuilder().Age(static_cast<std::uint8_t>(age)).Build().data());
    };
    for (int age = 0; age < 256; ++age)
        EXPECT_EQ(ageText(age), std::to_string(age < 128 ? age : age - 256));
    EXPECT_EQ(ageText(127), "127");
    EXPECT_EQ(ageText(128), "-128");
    EXPECT_EQ(ageText(255), "-1");
    EXPECT_EQ(ageText(0), "0");
    EXPECT_EQ(AgeText(nullptr), "");
}

TEST(PositionName, Abbreviations) {
    EXPECT_EQ(PositionName("C"), "Center");
    EXPECT_EQ(PositionName("G"), "Goalie");
    EXPECT_EQ(PositionName("LW"), "Left Wing");
    EXPECT_EQ(PositionName("RW"), "Right Wing");
    EXPECT_EQ(PositionName("D"), "Defender");
}

TEST(PositionName, IgnoresCase) {
    EXPECT_EQ(PositionName("lw"), "Left Wing");
    EXPECT_EQ(PositionName("Lw"), "Left Wing");
    EXPECT_EQ(PositionName("rW"), "Right Wing");
    EXPECT_EQ(PositionName("c"), "Center");
    EXPECT_EQ(PositionName("g"), "Goalie");
    EXPECT_EQ(PositionName("d"), "Defender");
}

TEST(PositionName, OtherTextsComeBackUnchanged) {
    EXPECT_EQ(PositionName("X"), "X");
    EXPECT_EQ(PositionName(""), "");
    EXPECT_EQ(PositionName("Center"), "Center");
    EXPECT_EQ(PositionName("LW "), "LW ");
    EXPECT_EQ(PositionName(" C"), " C");
    EXPECT_EQ(PositionName("CC"), "CC");
    EXPECT_EQ(PositionName("W"), "W");
    EXPECT_EQ(PositionName("\xC7"), "\xC7");
}

TEST(PositionName, OfEveryAbbreviation) {
    const char* const names[] = {"Center", "Left Wing", "Right Wing", "Defender", "Goalie"};
    for (int position = 0; position < 5; ++position)
        EXPECT_EQ(PositionName(AbbrevOf(position)), names[position]);
    EXPECT_EQ(PositionName(AbbrevOf(5)), "");
}

TEST(HandText, Codes) {
    EXPECT_EQ(HandText(0), std::optional<std::string_view>("Left-Handed"));
    EXPECT_EQ(HandText(1), std::optional<std::string_view>("Right-Handed"));
    for (int hand = 2; hand < 256; ++hand) {
        EXPECT_EQ(HandText(static_cast<std::uint8_t>(hand)), std::nullopt) << hand;
    }
}

TEST(StatusText, Codes) {
    EXPECT_EQ(StatusText(0), std::optional<std::string_view>("Veteran"));
    EXPECT_EQ(StatusText(255), std::optional<std::string_view>("Rookie"));
    for (int status = 1; status < 255; ++status) {
        EXPECT_EQ(StatusText(static_cast<std::uint8_t>(status)), std::nullopt) << status;
    }
}

TEST(AssignmentText, Table) {
    EXPECT_EQ(AssignmentText(0), "Farm");
    EXPECT_EQ(AssignmentText(100), "Scratch");
    EXPECT_EQ(AssignmentText(200), "Pro");
    // Every other code, the injured ones 201..206 included.
    for (int a = 0; a < 256; ++a) {
        if (a == 0 || a == 200)
            continue;
        EXPECT_EQ(AssignmentText(static_cast<std::uint8_t>(a)), "Scratch") << a;
    }
}

TEST(InjuryText, Table) {
    EXPECT_EQ(InjuryText(201), "day by day");
    EXPECT_EQ(InjuryText(202), "1-2 weeks");
    EXPECT_EQ(InjuryText(203), "3-4 weeks");
    EXPECT_EQ(InjuryText(204), "1-2 month");
    EXPECT_EQ(InjuryText(205), "3-4 month");
    EXPECT_EQ(InjuryText(206), "indefinately");
    for (int a = 0; a < 256; ++a) {
        if (a >= 201 && a <= 206)
            continue;
        EXPECT_EQ(InjuryText(static_cast<std::uint8_t>(a)), "Healthy") << a;
    }
}

}  // namespace
}  // namespace vantrel
