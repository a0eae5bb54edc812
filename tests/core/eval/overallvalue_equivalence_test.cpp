// OverallValue takes trunc(OV) directly unless OV lies within 1e-9 of the next whole
// number, and only then makes the text round trip. These tests compare it
// with the plain round trip wherever the two could differ.

#include "core/eval/overall.h"

#include "core/eval/numbertext.h"
#include "core/eval/testrecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {
namespace {

using testing::Ratings;
using testing::TestRecord;

// The definition, step by step: text, parse with the same separator, truncate.
double ReferenceValueOf(double ov, std::string_view separator) {
    const std::optional<double> parsed = ParseReal(RealText(ov, separator), separator);
    return parsed ? std::trunc(*parsed) : 0;
}

double ReferenceValue(const std::uint8_t* record, std::string_view separator = ".") {
    if (!record) return 0;
    return ReferenceValueOf(OverallExact(record), separator);
}

bool NearNextWhole(double ov) { return ov - std::floor(ov) >= 1 - 1e-9; }

TEST(OverallValueOf, MatchesTheTextRoundTripAroundEveryWholeNumber) {
    int slowPathDiffers = 0;
    for (int n = 0; n <= 262; ++n) {
        const double whole = n;
        // The last 3000 doubles below n and the first 300 above it.
        double below = whole;
        for (int k = 0; k < 3000; ++k) {
            below = std::nextafter(below, -1.0);
            if (below < 0) break;
            ASSERT_EQ(OverallValueOf(below), ReferenceValueOf(below, ".")) << below;
            if (OverallValueOf(below) != std::trunc(below)) ++slowPathDiffers;
        }
        double above = whole;
        for (int k = 0; k < 300; ++k) {
            ASSERT_EQ(OverallValueOf(above), ReferenceValueOf(above, ".")) << above;
            above = std::nextafter(above, 1e9);
        }
        // Distances from 1e-15 to 1e-8 below n, dense around the fast path's margin.
        for (double distance = 1e-15; distance < 1e-8; distance *= 1.01) {
            const double x = whole - distance;
            if (x < 0) continue;
            ASSERT_EQ(OverallValueOf(x), ReferenceValueOf(x, ".")) << x;
        }
        const double margin = whole - 1e-9;
        double x = margin;
        for (int k = 0; k < 50 && x > 0; ++k) x = std::nextafter(x, -1.0);
        for (int k = 0; k < 100 && x > 0; ++k, x = std::nextafter(x, 1e9)) {
            ASSERT_EQ(OverallValueOf(x), ReferenceValueOf(x, ".")) << x;
        }
    }
    // The slow path is really taken and really matters: just below a whole number the
    // round trip gives the whole number.
    EXPECT_GT(slowPathDiffers, 0);
    EXPECT_EQ(OverallValueOf(std::nextafter(71.0, 0.0)), 71.0);
    EXPECT_EQ(OverallValueOf(71.0 - 1e-12), 70.0);
    EXPECT_EQ(OverallValueOf(101.0 - 2.4e-13), 101.0);
    EXPECT_EQ(OverallValueOf(std::nextafter(1.0, 0.0)), 1.0);
}

TEST(OverallValueOf, MatchesTheTextRoundTripForRandomValues) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> anywhere(0.0, 261.0);
    for (int i = 0; i < 300000; ++i) {
        const double x = anywhere(random);
        ASSERT_EQ(OverallValueOf(x), ReferenceValueOf(x, ".")) << x;
    }
}

TEST(OverallValueOf, OddInputsTakeTheTextRoundTrip) {
    // Not an OV, but the function stays the round trip for them too.
    for (double x : {-0.5, -1.0, -1e-20, 1e6, 1e6 - 1e-10, 1e20, 1e-300, 0.0, -0.0}) {
        EXPECT_EQ(OverallValueOf(x), ReferenceValueOf(x, ".")) << x;
    }
    EXPECT_EQ(OverallValueOf(std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
}

// Records: all-0 and all-255 of every position byte.
TEST(OverallValueEquivalence, ExtremeRecordsOfEveryPosition) {
    for (int position = 0; position < 256; ++position) {
        for (int rating : {0, 255}) {
            TestRecord record;
            record.SetPosition(position).SetAllRatings(rating);
            EXPECT_EQ(OverallValue(record.data()), ReferenceValue(record.data(), "."));
            EXPECT_EQ(OverallValue(record.data()), ReferenceValue(record.data(), ","));
        }
    }
    EXPECT_EQ(OverallValue(nullptr), 0.0);
}

// Random rating sets of every position.
TEST(OverallValueEquivalence, RandomRecords) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int position = 0; position <= 5; ++position) {
        TestRecord record;
        record.SetPosition(position);
        for (int i = 0; i < 400000; ++i) {
            for (int r = 0; r < kStoredRatingCount; ++r) record.SetRating(r, byte(random));
            ASSERT_EQ(OverallValue(record.data()), ReferenceValue(record.data()))
                << OverallExact(record.data());
        }
    }
}

// Goalies found offline (meet-in-the-middle over SP, PA, PC against IT, ST, SK) whose OV
// lies about 2.4e-13 below a whole number: the fast path must not be taken for them.
TEST(OverallValueEquivalence, KnownGoaliesJustBelowAWholeNumber) {
    const Ratings goalies[] = {
        {42, 107, 1, 50, 60, 60, 86, 228, 206, 0, 0, 60, 60},     // 100.99999999999976
        {42, 107, 54, 50, 60, 60, 251, 228, 206, 0, 0, 60, 60},   // 126.99999999999976
        {128, 107, 1, 50, 60, 60, 236, 228, 206, 0, 0, 60, 60},   // 128.99999999999977
        {171, 107, 213, 50, 60, 60, 251, 228, 206, 0, 0, 60, 60}, // 150.99999999999977
        {214, 107, 213, 50, 60, 60, 251, 228, 206, 0, 0, 60, 60}, // 154.99999999999977
    };
    for (const Ratings& ratings : goalies) {
        const TestRecord record(4, ratings);
        const double ov = OverallExact(record.data());
        ASSERT_TRUE(NearNextWhole(ov)) << ov;
        EXPECT_EQ(OverallValue(record.data()), std::floor(ov) + 1) << ov;
        EXPECT_EQ(OverallValue(record.data()), ReferenceValue(record.data(), "."));
        EXPECT_EQ(OverallValue(record.data()), ReferenceValue(record.data(), ","));
        EXPECT_EQ(OverallRating(record.data(), true, "."), WholeText(static_cast<int>(std::floor(ov))));
    }
}

// A meet-in-the-middle search for records whose OV lies within 1e-9 of a whole number
// (on either side). Ratings a1 and a2 run over 0..255 and form table A, sorted by the
// fractional part of their share of OV and indexed by buckets. The ratings of `others`
// run over 0 .. count-1 each; for every such combination, the entries of A whose fraction
// completes OV to within the window of a whole number are built as records and checked.
// The remaining ratings keep their base values.
struct SearchResult {
    int checked = 0;    // records whose OV lies within the window
    int slowPath = 0;   // of those, OV within 1e-9 below the next whole number
    int roundedUp = 0;  // of those, OverallValue = trunc(OV) + 1
};

struct Dimension {
    int rating;
    int count;
};

SearchResult SearchNearWholeNumbers(int position, const Ratings& base, int a1, int a2,
                                    const std::vector<Dimension>& others) {
    using detail::OverallWeightSetId;
    OverallWeightSetId id = OverallWeightSetId::kForward;
    if (position == 4) id = OverallWeightSetId::kGoalie;
    if (position == 3) {
        id = base[kSC] > base[kDF] ? OverallWeightSetId::kDefenderScAboveDf
                                   : OverallWeightSetId::kDefenderOther;
    }
    const auto& set = detail::OverallWeightSet(id);
    auto w = [&](int i) { return set.weight[static_cast<std::size_t>(i)]; };

    // Table A with a bucket index: bucketStart[k] is the first entry whose fraction is at
    // least k / kBuckets.
    constexpr int kBuckets = 65536;
    struct Entry {
        double fraction;
        std::uint16_t pair;
    };
    std::vector<Entry> table;
    table.reserve(65536);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const long double v = x * w(a1) + y * w(a2);
            table.push_back({static_cast<double>(v - std::floor(v)),
                             static_cast<std::uint16_t>(x << 8 | y)});
        }
    }
    std::sort(table.begin(), table.end(),
              [](const Entry& l, const Entry& r) { return l.fraction < r.fraction; });
    std::vector<std::size_t> bucketStart(kBuckets + 1);
    for (std::size_t k = 0, i = 0; k <= kBuckets; ++k) {
        while (i < table.size() && table[i].fraction < static_cast<double>(k) / kBuckets) ++i;
        bucketStart[k] = i;
    }

    long double fixed = set.constant;
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const bool varied = i == a1 || i == a2 ||
                            std::any_of(others.begin(), others.end(),
                                        [i](const Dimension& d) { return d.rating == i; });
        if (!varied) fixed += base[static_cast<std::size_t>(i)] * w(i);
    }

    constexpr double kWindow = 1e-9;
    SearchResult result;
    Ratings ratings = base;
    auto check = [&](std::size_t index) {
        ratings[static_cast<std::size_t>(a1)] = table[index].pair >> 8;
        ratings[static_cast<std::size_t>(a2)] = table[index].pair & 0xFF;
        const TestRecord record(position, ratings);
        const double ov = OverallExact(record.data());
        const double value = OverallValue(record.data());
        EXPECT_EQ(value, ReferenceValue(record.data())) << ov;
        ++result.checked;
        if (NearNextWhole(ov)) ++result.slowPath;
        if (value != std::trunc(ov)) ++result.roundedUp;
    };
    // The entries with fraction in [lo, hi], 0 <= lo <= hi < 1.
    auto scan = [&](double lo, double hi) {
        const auto bucket = static_cast<std::size_t>(lo * kBuckets);
        for (std::size_t i = bucketStart[std::min<std::size_t>(bucket, kBuckets)];
             i < table.size() && table[i].fraction <= hi; ++i) {
            if (table[i].fraction >= lo) check(i);
        }
    };

    std::vector<int> counter(others.size(), 0);
    while (true) {
        long double v = fixed;
        for (std::size_t d = 0; d < others.size(); ++d) {
            ratings[static_cast<std::size_t>(others[d].rating)] = counter[d];
            v += counter[d] * w(others[d].rating);
        }
        // A's fraction must lie within the window of 1 - frac(v), modulo 1.
        double target = 1 - static_cast<double>(v - std::floor(v));
        if (target >= 1) target -= 1;
        const double lo = target - kWindow;
        const double hi = target + kWindow;
        if (lo < 0) {
            scan(0, hi);
            scan(lo + 1, std::nextafter(1.0, 0.0));
        } else if (hi >= 1) {
            scan(lo, std::nextafter(1.0, 0.0));
            scan(0, hi - 1);
        } else {
            scan(lo, hi);
        }
        std::size_t d = 0;
        while (d < others.size() && ++counter[d] == others[d].count) counter[d++] = 0;
        if (d == others.size()) break;
    }
    return result;
}

void Report(const char* name, const SearchResult& result) {
    ::testing::Test::RecordProperty(std::string(name) + "_checked", result.checked);
    ::testing::Test::RecordProperty(std::string(name) + "_slowPath", result.slowPath);
    ::testing::Test::RecordProperty(std::string(name) + "_roundedUp", result.roundedUp);
}

TEST(OverallValueEquivalence, GoaliesNearWholeNumbers) {
    // SP and PC carry the weights of the inexact divisors 3.11 and 6.67, EN those of 17.67;
    // IT, ST and SK (1/10.75 = 4/43, 4/53, 2/15) run over one period of their fractions.
    const SearchResult result =
        SearchNearWholeNumbers(4, {0, 0, 0, 0, 60, 60, 0, 70, 0, 30, 25, 60, 60}, kSP, kPC,
                               {{kEN, 256}, {kIT, 43}, {kST, 53}, {kSK, 15}});
    Report("goalie", result);
    EXPECT_GT(result.checked, 500);
    EXPECT_GT(result.slowPath, 200);
}

TEST(OverallValueEquivalence, ForwardsNearWholeNumbers) {
    // Forward weights are 4/53, 4/39, 4/89, 4/271, 4/45, 4/27, 4/33 and 2/11: OV is a
    // multiple of 1/24677716635, so it comes within 1e-9 of a whole number only as a whole
    // number or a few multiples of that unit away (never within the 5e-13 where the
    // 15-digit rounding carries). Positions 0, 1 and 2 share the weights.
    const SearchResult result =
        SearchNearWholeNumbers(1, {0, 65, 0, 0, 0, 70, 0, 68, 0, 50, 74, 55, 40}, kIT, kEN,
                               {{kDU, 256}, {kSK, 45}, {kST, 39}, {kPC, 33}});
    Report("forward", result);
    EXPECT_GT(result.checked, 1000);
    EXPECT_GT(result.slowPath, 100);
}

TEST(OverallValueEquivalence, DefendersNearWholeNumbers) {
    // SC 255 > DF 0 selects the first set, DF 255 >= SC 0 the second. Defender weights
    // make OV a multiple of 1/246420, so only whole OVs come near a whole number; the
    // varied ratings cover every prime of the divisors so that whole OVs occur.
    const SearchResult above =
        SearchNearWholeNumbers(3, {0, 62, 0, 0, 0, 75, 0, 66, 0, 0, 255, 60, 55}, kIT, kEN,
                               {{kDU, 68}, {kSK, 23}, {kST, 10}, {kPC, 9}});
    Report("defender_first", above);
    EXPECT_GT(above.checked, 1000);
    const SearchResult other =
        SearchNearWholeNumbers(3, {0, 0, 0, 0, 0, 75, 0, 66, 64, 255, 0, 60, 55}, kIT, kEN,
                               {{kDU, 68}, {kSK, 12}, {kST, 6}, {kSP, 14}});
    Report("defender_second", other);
    EXPECT_GT(other.checked, 1000);
}

}  // namespace
}  // namespace vantrel
