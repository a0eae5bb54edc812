// The order SortRows gives must be exactly the order of the list's comparison applied
// to the current rows with a stable sort: names and positions compared as unsigned bytes,
// the other columns as the whole numbers their cells show, equal rows keeping their
// current order in both directions.

#include "results/resultmodel.h"

#include "eval/numbertext.h"
#include "league/records.h"

#include "leaguegen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;

// -1, 0 or 1 as the list's comparison answers for two cells of a column.
int CompareCells(const std::string& a, const std::string& b, int column) {
    if (column == kNameColumn || column == kPositionColumn) {
        const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
        if (c != 0)
            return c < 0 ? -1 : 1;
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    const auto x = ParseInt32(a), y = ParseInt32(b);
    const std::int64_t u = x && y ? *x : 0, v = x && y ? *y : 0;
    return u == v ? 0 : (u < v ? -1 : 1);
}

// The record indices in the order a stable sort by the comparison gives.
std::vector<std::int32_t> ReferenceOrder(const ResultModel& model, int sortKey) {
    const int column = std::abs(sortKey) - 1;
    std::vector<int> rows(static_cast<std::size_t>(model.rowCount()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    std::vector<std::string> cells;
    for (const int row : rows)
        cells.push_back(model.CellBytes(row, column));
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int c = CompareCells(cells[static_cast<std::size_t>(a)],
                                   cells[static_cast<std::size_t>(b)], column);
        return sortKey > 0 ? c < 0 : c > 0;
    });
    std::vector<std::int32_t> records;
    for (const int row : rows)
        records.push_back(model.RecordIndexAt(row));
    return records;
}

std::vector<std::int32_t> CurrentOrder(const ResultModel& model) {
    std::vector<std::int32_t> records;
    for (int row = 0; row < model.rowCount(); ++row)
        records.push_back(model.RecordIndexAt(row));
    return records;
}

SharedImage ImageOf(const std::vector<std::uint8_t>& bytes) {
    auto image = std::make_shared<ByteImage>();
    image->size = bytes.size();
    image->data = std::make_unique<std::uint8_t[]>(bytes.size());
    std::memcpy(image->data.get(), bytes.data(), bytes.size());
    return image;
}

// Names that share long prefixes, differ only past byte 8, hold control bytes, blanks and
// bytes above 127 inside, repeat exactly, and numbers at the ends of their ranges.
std::vector<std::uint8_t> TrickyRoster() {
    const std::vector<std::string> names = {"Abcdefgh",
                                            "Abcdefghi",
                                            "Abcdefgh\x01z",
                                            "Abcdefg",
                                            "Abcdefgh",
                                            "Abcdefghij",
                                            "Abcdefghi",
                                            "ABCDEFGHIJ",
                                            "Abcdefgh \xE9",
                                            "Abcdefgh\x7F",
                                            "Abcdefgh\x80",
                                            "\xC9mile",
                                            "Zed",
                                            "anna",
                                            "Lee",
                                            "Leeds",
                                            "Lee ds",
                                            "AbcdefghijklmnopqrstU",
                                            "AbcdefghijklmnopqrstT",
                                            "Abcdefghijklmnopqrst",
                                            "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF",
                                            "\xFF\xFF\xFF\xFF\xFF"
                                            "\xFF\xFF\xFF",
                                            "Ab",
                                            "Ab",
                                            "Lee"};
    const std::int32_t salaries[] = {0, -1, 2147483647, -2147483647 - 1, 9, 10, 100, 9};
    const std::uint8_t ages[] = {200, 20, 127, 128, 0, 255, 20, 40};
    std::vector<std::uint8_t> roster;
    for (std::size_t i = 0; i < names.size() * 3; ++i) {
        const std::size_t k = i % names.size();
        PlayerBuilder()
            .Name(names[k])
            .Position(static_cast<std::uint8_t>((i * 7) % 9))  // 5..8 give an empty cell
            .Age(ages[i % 8])
            .Salary(salaries[(i / 3) % 8])
            .Contract(static_cast<std::uint8_t>(i % 3 == 0 ? 255 : i % 4))
            .Rating(static_cast<int>(i % 13), static_cast<std::uint8_t>(i * 37))
            .Rating(kSC, static_cast<std::uint8_t>(i % 2 ? 255 : 0))
            .AppendTo(roster);
    }
    return roster;
}

void ExpectEverySortMatchesTheReference(ResultModel& model) {
    // Each column in both directions, each sort starting from the order the previous one
    // left, so that ties must keep an order that is not the record order.
    const int keys[] = {1,  -1,  2,  -2,  3,  -3,  4,  -4,  5,  -5,  6,  -6,  7,   -7,  8,  -8,
                        9,  -9,  10, -10, 11, -11, 12, -12, 13, -13, 14, -14, 15,  -15, 16, -16,
                        17, -17, 18, -18, 19, -19, 18, 1,   2,  -1,  17, 3,   -19, 1};
    for (const int key : keys) {
        const std::vector<std::int32_t> expected = ReferenceOrder(model, key);
        model.SortRows(key);
        ASSERT_EQ(CurrentOrder(model), expected) << "sort key " << key;
    }
}

TEST(ResultOrderTest, TrickyRowsSortExactlyAsTheComparisonDoes) {
    ResultModel model;
    const std::vector<std::uint8_t> roster = TrickyRoster();
    std::vector<std::int32_t> rows;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(roster.size() / 86); ++i)
        rows.push_back(i);
    // A list that is not in record order to begin with.
    std::reverse(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(rows.size() / 2));
    model.SetRows(ImageOf(roster), rows);
    ExpectEverySortMatchesTheReference(model);
}

TEST(ResultOrderTest, GeneratedLeagueSortsExactlyAsTheComparisonDoes) {
    leaguegen::Options options;
    options.teams = 40;
    options.slotsPerTeam = 50;
    options.oddShare = 0.2;
    const leaguegen::League league = leaguegen::Generate(options);
    std::vector<std::int32_t> rows;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(league.roster.size() / 86); ++i) {
        if (IsNamedPlayer(league.roster.data() + std::size_t(i) * 86))
            rows.push_back(i);
    }
    ResultModel model;
    model.SetRows(ImageOf(league.roster), rows);
    ExpectEverySortMatchesTheReference(model);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// The reversing click turns a sorted list round: every neighbour pair must then stand in
// the opposite order of the column (ties in any order), and the rows stay the same set.
TEST(ResultOrderTest, ReversingASortedListGivesTheOppositeOrder) {
    const std::vector<std::uint8_t> roster = TrickyRoster();
    std::vector<std::int32_t> rows;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(roster.size() / 86); ++i)
        rows.push_back(i);
    ResultModel model;
    model.SetRows(ImageOf(roster), rows);
    for (int key = 1; key <= kResultColumnCount; ++key) {
        const int column = key - 1;
        model.SortRows(key);
        std::vector<std::int32_t> before = CurrentOrder(model);
        model.ReverseRows();
        for (int row = 1; row < model.rowCount(); ++row) {
            EXPECT_GE(CompareCells(model.CellBytes(row - 1, column), model.CellBytes(row, column),
                                   column),
                      0)
                << "column " << column << " row " << row;
        }
        std::vector<std::int32_t> after = CurrentOrder(model);
        std::reverse(before.begin(), before.end());
        EXPECT_EQ(after, before);
    }
}

}  // namespace
}  // namespace vantrel
