// A field is quoted exactly when a reader would otherwise split or end it there, and
// every line, the last included, ends with CR LF.

#include "core/export/csvline.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace vantrel {
namespace {

std::string Field(std::string_view text) {
    std::string out;
    AppendCsvField(out, text);
    return out;
}

TEST(CsvTextTest, QuotesOnlyTheFieldsThatNeedIt) {
    EXPECT_EQ(Field("Andr\xC3\xA9 Zora"), "Andr\xC3\xA9 Zora");  // UTF-8 passes unchanged
    EXPECT_EQ(Field(""), "");
    EXPECT_EQ(Field("-56"), "-56");
    EXPECT_EQ(Field("Lee, Jr"), "\"Lee, Jr\"");
    EXPECT_EQ(Field("Mo \"Ace\""), "\"Mo \"\"Ace\"\"\"");
    EXPECT_EQ(Field("\""), "\"\"\"\"");
    EXPECT_EQ(Field("a\rb"), "\"a\rb\"");
    EXPECT_EQ(Field("a\nb"), "\"a\nb\"");
    EXPECT_EQ(Field("O'Neil 'single'"), "O'Neil 'single'");
    // Readers that split at semicolons or tabs keep the field whole.
    EXPECT_EQ(Field("x;=1+2"), "\"x;=1+2\"");
    EXPECT_EQ(Field("x\t@A1"), "\"x\t@A1\"");
}

TEST(CsvTextTest, LineJoinsFieldsWithCommasAndEndsWithCrLf) {
    std::string out = "x\r\n";
    const std::array<std::string_view, 4> fields = {"Lee, Jr", "", "C", "7"};
    AppendCsvLine(out, fields);
    EXPECT_EQ(out, "x\r\n\"Lee, Jr\",,C,7\r\n");
    const std::array<std::string_view, 1> empty = {""};
    AppendCsvLine(out, empty);
    EXPECT_EQ(out, "x\r\n\"Lee, Jr\",,C,7\r\n\r\n");
}

// A tab or a line break inside a tab-separated field would shift the pasted columns.
TEST(CsvTextTest, TabFieldsTurnTabsAndLineBreaksIntoBlanks) {
    std::string out = "x";
    AppendTsvField(out, "a\tb\r\nc \"d\", e");
    EXPECT_EQ(out, "xa b  c \"d\", e");
}

}  // namespace
}  // namespace vantrel
