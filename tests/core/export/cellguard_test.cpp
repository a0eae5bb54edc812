// Cells a spreadsheet would run as a formula get an apostrophe; numbers and other texts
// pass as they are. And the JSON strings of the list.

#include "core/export/cellguard.h"
#include "core/export/jsontext.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vantrel {
namespace {

TEST(CellGuardTest, FormulaStartsGetAnApostropheWholeNumbersDoNot) {
    EXPECT_EQ(GuardedCell("=cmd|' /C calc'!A0"), "'=cmd|' /C calc'!A0");
    for (const char* cell :
         {"-", "+", "-5x", "-1.", "+.5", "--1", "@SUM(A1)", "\tfoo", "\rfoo", "=1", "-5 "})
        EXPECT_EQ(GuardedCell(cell), std::string("'") + cell) << cell;
    for (const char* cell :
         {"-5", "+3", "-12.5", "0", "-9", "+90.9", "O'Neil", "a=b", "", " =1", "1.", ".5"})
        EXPECT_EQ(GuardedCell(cell), cell) << cell;
    EXPECT_TRUE(IsNumberText("+007.250"));
    for (const char* cell : {"1.", ".5", "", "-", "1.2.3", "1e5", "\t1"})
        EXPECT_FALSE(IsNumberText(cell)) << cell;
}

std::string Json(std::string_view utf8) {
    std::string out = "x";
    AppendJsonString(out, utf8);
    return out;
}

TEST(JsonTextTest, EscapesQuotesBackslashesAndControlCharactersOnly) {
    EXPECT_EQ(Json(""), "x\"\"");
    EXPECT_EQ(Json("Mo \"Ace\" \\ O'Neil"), R"(x"Mo \"Ace\" \\ O'Neil")");
    EXPECT_EQ(Json("a\nb\x01\x1f\t"), R"(x"a\u000ab\u0001\u001f\u0009")");
    EXPECT_EQ(Json("Andr\xC3\xA9 \xE2\x82\xAC \x7F /"), "x\"Andr\xC3\xA9 \xE2\x82\xAC \x7F /\"");
}

}  // namespace
}  // namespace vantrel
