// The order SortedRowOrder gives must be exactly the order of the list's comparison
// applied to the current rows with a stable sort: names and positions compared as
// unsigned bytes, the other columns as the whole numbers their cells show, equal rows
// keeping their current order in both directions.

#include "core/order/resultorder.h"

#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"

#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using leaguegen::PlayerBuilder;

// A list as the result model keeps it: the search's record indices and the rows' places.
struct List {
    SharedImage roster;
    std::vector<std::int32_t> records;
    std::vector<std::int32_t> rows;

    std::vector<std::int32_t> Order(int sortKey) const {
        return SortedRowOrder(roster.get(), records, rows, sortKey);
    }
    void Apply(const std::vector<std::int32_t>& order) {
        std::vector<std::int32_t> sorted;
        for (const std::int32_t row : order)
            sorted.push_back(rows[static_cast<std::size_t>(row)]);
        rows = std::move(sorted);
    }
    std::string Cell(std::size_t row, int column) const {
        const std::int32_t record = records[static_cast<std::size_t>(rows[row])];
        return CellBytes(RecordInImage(roster.get(), record, kPlayerRecordSize), column);
    }
};

List ListOf(const std::vector<std::uint8_t>& roster, std::vector<std::int32_t> records) {
    List list{testsupport::SharedImageOf(roster), std::move(records), {}};
    list.rows.resize(list.records.size());
    std::iota(list.rows.begin(), list.rows.end(), 0);
    return list;
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

void ExpectEverySortMatchesTheReference(List list) {
    // Each column in both directions, each sort starting from the order the previous one
    // left, so that ties must keep an order that is not the record order.
    const int keys[] = {1,  -1,  2,  -2,  3,  -3,  4,  -4,  5,  -5,  6,  -6,  7,   -7,  8,  -8,
                        9,  -9,  10, -10, 11, -11, 12, -12, 13, -13, 14, -14, 15,  -15, 16, -16,
                        17, -17, 18, -18, 19, -19, 18, 1,   2,  -1,  17, 3,   -19, 1};
    for (const int key : keys) {
        const std::vector<std::int32_t> order = list.Order(key);
        ASSERT_EQ(order, ReferenceRowOrder(list.roster.get(), list.records, list.rows, key))
            << "sort key " << key;
        list.Apply(order);
    }
}

TEST(ResultOrderTest, TrickyRowsSortExactlyAsTheComparisonDoes) {
    const std::vector<std::uint8_t> roster = TrickyRoster();
    std::vector<std::int32_t> records(roster.size() / kPlayerRecordSize);
    std::iota(records.begin(), records.end(), 0);
    // A search order that is not the record order to begin with.
    std::reverse(records.begin(),
                 records.begin() + static_cast<std::ptrdiff_t>(records.size() / 2));
    ExpectEverySortMatchesTheReference(ListOf(roster, records));
    // Every record many times over, interleaved: groups of equal names too large to be
    // sorted by insertion.
    std::vector<std::int32_t> copies;
    const auto count = static_cast<std::int32_t>(records.size());
    for (std::int32_t copy = 0; copy < 40; ++copy) {
        for (std::int32_t i = 0; i < count; ++i)
            copies.push_back((i * 7 + copy) % count);
    }
    ExpectEverySortMatchesTheReference(ListOf(roster, copies));
    // Every key equal in every column: no pass of the radix sort is needed.
    ExpectEverySortMatchesTheReference(ListOf(roster, std::vector<std::int32_t>(5, 7)));
}

// The list of a search for every named player of a generated league.
List NamedPlayersOf(const leaguegen::League& league) {
    std::vector<std::int32_t> records;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(league.roster.size() / 86); ++i) {
        if (IsNamedPlayer(league.roster.data() + std::size_t(i) * 86))
            records.push_back(i);
    }
    return ListOf(league.roster, records);
}

TEST(ResultOrderTest, GeneratedLeagueSortsExactlyAsTheComparisonDoes) {
    leaguegen::Options options;
    options.teams = 200;  // more rows than a comparison sort is used for
    options.slotsPerTeam = 50;
    options.oddShare = 0.2;
    ExpectEverySortMatchesTheReference(NamedPlayersOf(leaguegen::Generate(options)));
}

TEST(ResultOrderTest, AListLongEnoughForAPartPerCoreSortsAsTheComparisonDoes) {
    leaguegen::Options options;
    options.teams = 4000;
    options.slotsPerTeam = 40;
    List list = NamedPlayersOf(leaguegen::Generate(options));
    for (const int key : {18, 1, -17, -1, 2}) {
        const std::vector<std::int32_t> order = list.Order(key);
        ASSERT_EQ(order, ReferenceRowOrder(list.roster.get(), list.records, list.rows, key))
            << "sort key " << key;
        list.Apply(order);
    }
}

// Salaries that differ only in their third and fourth byte, over more than 24 bits, in a
// list long enough for the radix sort: the order must be by salary, ties as listed.
TEST(ResultOrderTest, SalariesDifferingOnlyInHighBytesSortByValue) {
    std::vector<std::uint8_t> roster;
    std::vector<std::int32_t> salaries;
    for (std::int32_t i = 0; i < 5000; ++i) {
        const std::int32_t salary = ((i * 7919) % 1000 - 500) * 65536;  // +-32 768 000
        salaries.push_back(salary);
        PlayerBuilder().Name("Same Name").Salary(salary).AppendTo(roster);
    }
    std::vector<std::int32_t> records(salaries.size());
    std::iota(records.begin(), records.end(), 0);
    std::vector<std::int32_t> expected = records;
    std::stable_sort(expected.begin(), expected.end(), [&](std::int32_t a, std::int32_t b) {
        return salaries[std::size_t(a)] < salaries[std::size_t(b)];
    });
    EXPECT_EQ(ListOf(roster, records).Order(kSalaryColumn + 1), expected);
}

// The reversing click turns a sorted list round instead of sorting again: that must be a
// valid order of the opposite direction (ties in any order).
TEST(ResultOrderTest, AnAscendingOrderTurnedRoundIsDescending) {
    const std::vector<std::uint8_t> roster = TrickyRoster();
    std::vector<std::int32_t> records(roster.size() / kPlayerRecordSize);
    std::iota(records.begin(), records.end(), 0);
    for (int column = 0; column < kResultColumnCount; ++column) {
        List list = ListOf(roster, records);
        std::vector<std::int32_t> order = list.Order(column + 1);
        std::reverse(order.begin(), order.end());
        list.Apply(order);
        for (std::size_t row = 1; row < list.rows.size(); ++row) {
            EXPECT_GE(CompareCells(list.Cell(row - 1, column), list.Cell(row, column), column), 0)
                << "column " << column << " row " << row;
        }
    }
}

}  // namespace
}  // namespace vantrel
