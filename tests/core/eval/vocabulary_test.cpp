#include "core/eval/vocabulary.h"

#include "core/eval/testrecord.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::TestRecord;

TEST(PositionAbbrev, AllCodes) {
    TestRecord record;
    const char* const expected[] = {"C", "LW", "RW", "D", "G"};
    for (int position = 0; position < 256; ++position) {
        record.SetPosition(position);
        EXPECT_EQ(PositionAbbrev(record.data()), position < 5 ? expected[position] : "")
            << position;
    }
    EXPECT_EQ(PositionAbbrev(nullptr), "");
}

TEST(AgeText, SignedByte) {
    TestRecord record;
    for (int age = 0; age < 256; ++age) {
        record.SetByte(player::kAge, age);
        EXPECT_EQ(AgeText(record.data()), std::to_string(age < 128 ? age : age - 256));
    }
    record.SetByte(player::kAge, 127);
    EXPECT_EQ(AgeText(record.data()), "127");
    record.SetByte(player::kAge, 128);
    EXPECT_EQ(AgeText(record.data()), "-128");
    record.SetByte(player::kAge, 255);
    EXPECT_EQ(AgeText(record.data()), "-1");
    record.SetByte(player::kAge, 0);
    EXPECT_EQ(AgeText(record.data()), "0");
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
    TestRecord record;
    const char* const names[] = {"Center", "Left Wing", "Right Wing", "Defender", "Goalie"};
    for (int position = 0; position < 5; ++position) {
        record.SetPosition(position);
        EXPECT_EQ(PositionName(PositionAbbrev(record.data())), names[position]);
    }
    record.SetPosition(5);
    EXPECT_EQ(PositionName(PositionAbbrev(record.data())), "");
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
    for (int a = 201; a <= 206; ++a) {
        EXPECT_EQ(AssignmentText(static_cast<std::uint8_t>(a)), "Scratch") << a;
    }
    for (int a = 0; a < 256; ++a) {
        if (a == 0 || a == 200) continue;
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
        if (a >= 201 && a <= 206) continue;
        EXPECT_EQ(InjuryText(static_cast<std::uint8_t>(a)), "Healthy") << a;
    }
}

TEST(Vocabulary, EdgeCasesOfPart31) {
    EXPECT_EQ(AssignmentText(203), "Scratch");
    EXPECT_EQ(InjuryText(203), "3-4 weeks");
    EXPECT_EQ(AssignmentText(7), "Scratch");
    EXPECT_EQ(InjuryText(7), "Healthy");
    EXPECT_EQ(AssignmentText(200), "Pro");
    EXPECT_EQ(InjuryText(200), "Healthy");
    EXPECT_FALSE(HandText(2).has_value());
    EXPECT_FALSE(StatusText(1).has_value());
}

}  // namespace
}  // namespace vantrel
