// The overall rating OV: worked examples, the weight tables, the extended-precision sum,
// and OverallValue, which takes trunc(OV) directly unless OV lies within 1e-9 of the next
// whole number and only then makes the text round trip. The equivalence tests compare it
// with the plain round trip wherever the two could differ.

#include "core/eval/overall.h"

#include "core/eval/numbertext.h"
#include "core/league/records.h"
#include "leaguegen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

using leaguegen::PlayerBuilder;
using Ratings = std::array<std::uint8_t, kStoredRatingCount>;

Ratings Filled(std::uint8_t value) {
    Ratings ratings;
    ratings.fill(value);
    return ratings;
}

PlayerBuilder Player(int position, const Ratings& ratings) {
    return PlayerBuilder().Position(static_cast<std::uint8_t>(position)).Ratings(ratings);
}

double Exact(const PlayerBuilder& player) {
    return OverallExact(player.Build().data());
}
double Value(const PlayerBuilder& player) {
    return OverallValue(player.Build().data());
}
std::string Text(const PlayerBuilder& player, bool truncate, std::string_view separator) {
    return OverallRating(player.Build().data(), truncate, separator);
}

// The weight set the definition picks for a position (0..4) and its ratings.
const detail::OverallWeights& ReferenceWeightSet(int position, const Ratings& ratings) {
    using detail::OverallWeightSetId;
    OverallWeightSetId id = OverallWeightSetId::kForward;
    if (position == 4)
        id = OverallWeightSetId::kGoalie;
    if (position == 3) {
        id = ratings[kSC] > ratings[kDF] ? OverallWeightSetId::kDefenderScAboveDf
                                         : OverallWeightSetId::kDefenderOther;
    }
    return detail::OverallWeightSet(id);
}

struct WorkedExample {
    const char* player;
    int position;
    Ratings ratings;
    const char* unrounded;  // with "." as separator
    const char* truncated;
    double value;
};

// Worked examples of the overall rating, as the simulation shows them.
const WorkedExample kWorkedExamples[] = {
    {"centre",
     0,
     {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40},
     "71.3863727351694",
     "71",
     71},
    {"goalie",
     4,
     {85, 80, 78, 70, 75, 70, 82, 60, 77, 30, 25, 65, 50},
     "74.2575658960784",
     "74",
     74},
    {"defender, SC 74 > DF 70",
     3,
     {60, 62, 70, 72, 80, 75, 68, 66, 64, 70, 74, 60, 55},
     "72.6013680834653",
     "72",
     72},
    {"defender, SC 55 <= DF 78",
     3,
     {60, 62, 70, 72, 80, 75, 68, 66, 64, 78, 55, 60, 55},
     "72.1248325417123",
     "72",
     72},
    {"defender, SC 70 = DF 70",
     3,
     {60, 62, 70, 72, 80, 75, 68, 66, 64, 70, 70, 60, 55},
     "71.8629277798076",
     "71",
     71},
    {"any ratings, position 7",
     7,
     {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40},
     "0",
     "0",
     0},
};

std::string WithComma(std::string text) {
    for (char& c : text) {
        if (c == '.')
            c = ',';
    }
    return text;
}

TEST(OverallRating, WorkedExamplesWithPoint) {
    for (const WorkedExample& example : kWorkedExamples) {
        const PlayerBuilder record = Player(example.position, example.ratings);
        EXPECT_EQ(Text(record, false, "."), example.unrounded) << example.player;
        EXPECT_EQ(Text(record, true, "."), example.truncated) << example.player;
        EXPECT_EQ(Value(record), example.value) << example.player;
    }
}

TEST(OverallRating, WorkedExamplesWithComma) {
    for (const WorkedExample& example : kWorkedExamples) {
        const PlayerBuilder record = Player(example.position, example.ratings);
        EXPECT_EQ(Text(record, false, ","), WithComma(example.unrounded)) << example.player;
        EXPECT_EQ(Text(record, true, ","), example.truncated) << example.player;
    }
}

TEST(OverallRating, AllRatingsZero) {
    PlayerBuilder record = Player(0, Filled(0));
    for (std::uint8_t position : {0, 1, 2}) {
        record.Position(position);
        EXPECT_EQ(Exact(record), 5.0);
        EXPECT_EQ(Text(record, false, "."), "5");
        EXPECT_EQ(Value(record), 5.0);
    }
    record.Position(4);
    EXPECT_EQ(Text(record, false, "."), "0");
    EXPECT_EQ(Value(record), 0.0);
    record.Position(3);  // SC = DF = 0: the second defender set, constant 7
    EXPECT_EQ(Text(record, false, "."), "7");
    EXPECT_EQ(Value(record), 7.0);
}

TEST(OverallRating, AllRatings255) {
    PlayerBuilder record = Player(0, Filled(255));
    for (std::uint8_t position : {0, 1, 2}) {
        record.Position(position);
        EXPECT_EQ(Text(record, false, "."), "260.031454773409");
        EXPECT_EQ(Text(record, false, ","), "260,031454773409");
        EXPECT_EQ(Text(record, true, "."), "260");
        EXPECT_EQ(Value(record), 260.0);
    }
    record.Position(3);  // SC = DF: second set
    EXPECT_EQ(Text(record, false, "."), "253.682194616977");
    EXPECT_EQ(Value(record), 253.0);
    record.Position(4);
    EXPECT_EQ(Text(record, false, "."), "245.298428737437");
    EXPECT_EQ(Value(record), 245.0);
}

TEST(OverallRating, GoalieIgnoresDefenceAndScoring) {
    PlayerBuilder record = Player(4, {85, 80, 78, 70, 75, 70, 82, 60, 77, 30, 25, 65, 50});
    const double expected = Exact(record);
    for (std::uint8_t df : {0, 1, 30, 128, 255}) {
        for (std::uint8_t sc : {0, 1, 25, 200, 255}) {
            record.Rating(kDF, df).Rating(kSC, sc);
            EXPECT_EQ(Exact(record), expected) << int{df} << ' ' << int{sc};
            EXPECT_EQ(Text(record, false, "."), "74.2575658960784");
        }
    }
}

TEST(OverallRating, DefenderSetChosenByScAboveDf) {
    // SC = DF uses the second set (constant 7), SC = DF + 1 the first (constant 8).
    PlayerBuilder record = Player(3, Filled(0));
    record.Rating(kDF, 42).Rating(kSC, 42);
    // Second set: 42/6 + 42/14 + 7 = 7 + 3 + 7 = 17.
    EXPECT_EQ(Exact(record), 17.0);
    record.Rating(kSC, 43);
    // First set: 42/10 + 43/6 + 8 = 19.3666...
    EXPECT_EQ(Text(record, false, "."), "19.3666666666667");
    record.Rating(kSC, 41);
    // Second set: 42/6 + 41/14 + 7 = 16.928571...
    EXPECT_EQ(Text(record, false, "."), "16.9285714285714");
}

TEST(OverallRating, PositionsBeyondFourGiveZero) {
    PlayerBuilder record = Player(0, Filled(255));
    for (int position = 5; position <= 255; ++position) {
        record.Position(static_cast<std::uint8_t>(position));
        EXPECT_EQ(Exact(record), 0.0) << position;
        EXPECT_EQ(Text(record, false, "."), "0") << position;
        EXPECT_EQ(Text(record, true, ","), "0") << position;
        EXPECT_EQ(Value(record), 0.0) << position;
    }
}

TEST(OverallRating, NoRecord) {
    EXPECT_EQ(OverallRating(nullptr, false, "."), "");
    EXPECT_EQ(OverallRating(nullptr, true, "."), "");
    EXPECT_EQ(OverallValue(nullptr), 0.0);
}

TEST(OverallRating, SingleRatingWeights) {
    // One rating at 100, the rest 0: OV = 100 / divisor + constant.
    PlayerBuilder record = Player(0, Filled(0)).Rating(kSC, 100);  // 100 / 5.5 + 5
    EXPECT_EQ(Text(record, false, "."), "23.1818181818182");
    record.Position(4).Ratings(Filled(0)).Rating(kSP, 100);  // 100 / 3.11
    EXPECT_EQ(Text(record, false, "."), "32.1543408360129");
    record.Ratings(Filled(0)).Rating(kPC, 100);  // 100 / 6.67
    EXPECT_EQ(Text(record, false, "."), "14.9925037481259");
    record.Ratings(Filled(0)).Rating(kEN, 100).Rating(kPA, 100);  // 200 / 17.67
    EXPECT_EQ(Text(record, false, "."), "11.3186191284663");
}

// The weight tables: each weight must be the extended value nearest to 1/divisor, the
// divisor being the double nearest to the table's decimal. Checked with exact integers:
// weight = M * 2^k (M of 64 bits), divisor = D * 2^j (D odd), so weight * divisor - 1 is
// (M * D - 2^p) * 2^(k + j) with p = -(k + j); nearest means |M * D - 2^p| <= D / 2.
TEST(OverallWeights, EachWeightIsTheNearestExtendedReciprocal) {
    using detail::OverallWeightSetId;
    struct Column {
        OverallWeightSetId id;
        double divisor[kStoredRatingCount];
        long double constant;
    };
    const Column columns[] = {
        {OverallWeightSetId::kForward,
         {13.25, 13.25, 9.75, 22.25, 67.75, 67.75, 11.25, 6.75, 8.25, 9.75, 5.5, 67.75, 67.75},
         5},
        {OverallWeightSetId::kGoalie,
         {10.75, 3.11, 13.25, 17.67, 53, 53, 7.5, 17.67, 6.67, 0, 0, 53, 53},
         0},
        {OverallWeightSetId::kDefenderScAboveDf,
         {14, 14, 10, 23, 68, 68, 11.5, 7, 9, 10, 6, 68, 68},
         8},
        {OverallWeightSetId::kDefenderOther, {9, 14, 6, 23, 68, 68, 12, 9, 12, 6, 14, 68, 68}, 7},
    };
    for (const Column& column : columns) {
        const auto& set = detail::OverallWeightSet(column.id);
        EXPECT_EQ(set.constant, column.constant);
        for (int i = 0; i < kStoredRatingCount; ++i) {
            const long double weight = set.weight[static_cast<std::size_t>(i)];
            const double divisor = column.divisor[i];
            if (divisor == 0) {
                EXPECT_EQ(weight, 0.0L);
                continue;
            }
            int weightExponent = 0;
            const long double weightFraction = std::frexp(weight, &weightExponent);
            const auto m = static_cast<unsigned __int128>(std::ldexp(weightFraction, 64));
            int divisorExponent = 0;
            const double divisorFraction = std::frexp(divisor, &divisorExponent);
            auto d = static_cast<unsigned __int128>(std::ldexp(divisorFraction, 53));
            int j = divisorExponent - 53;
            while (d % 2 == 0) {
                d /= 2;
                ++j;
            }
            const int k = weightExponent - 64;
            const int p = -(k + j);
            ASSERT_GT(p, 0);
            ASSERT_LT(p, 127);
            const unsigned __int128 product = m * d;
            const unsigned __int128 power = static_cast<unsigned __int128>(1) << p;
            const unsigned __int128 distance = product > power ? product - power : power - product;
            EXPECT_LE(2 * distance, d) << "set " << static_cast<int>(column.id) << " rating " << i;
            // And it is a 64-bit significand: the top bit set.
            EXPECT_EQ(m >> 63, 1u);
        }
    }
}

TEST(OverallWeights, InexactDivisorsUseTheirNearestDouble) {
    const auto& goalie = detail::OverallWeightSet(detail::OverallWeightSetId::kGoalie);
    EXPECT_EQ(goalie.weight[kSP], 1.0L / static_cast<long double>(3.11));
    EXPECT_EQ(goalie.weight[kEN], 1.0L / static_cast<long double>(17.67));
    EXPECT_EQ(goalie.weight[kPA], 1.0L / static_cast<long double>(17.67));
    EXPECT_EQ(goalie.weight[kPC], 1.0L / static_cast<long double>(6.67));
    // Not the extended value nearest to the decimal 1/3.11 = 100/311.
    EXPECT_NE(goalie.weight[kSP], 100.0L / 311.0L);
}

TEST(OverallExact, SumsInRatingOrderWithExtendedRounding) {
    // The definition step by step, for a few records of every position.
    const Ratings samples[] = {
        {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40},
        {255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255},
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
        {99, 98, 97, 96, 95, 94, 93, 92, 91, 90, 89, 88, 87},
    };
    for (int position = 0; position <= 4; ++position) {
        for (const Ratings& ratings : samples) {
            const auto& set = ReferenceWeightSet(position, ratings);
            volatile long double sum = 0.0L;  // volatile: every partial sum stored as extended
            for (int i = 0; i < kStoredRatingCount; ++i) {
                if (position == 4 && (i == kDF || i == kSC))
                    continue;
                const long double product =
                    static_cast<long double>(ratings[static_cast<std::size_t>(i)]) *
                    set.weight[static_cast<std::size_t>(i)];
                sum = sum + product;
            }
            sum = sum + set.constant;
            EXPECT_EQ(Exact(Player(position, ratings)), static_cast<double>(sum));
        }
    }
}

// The definition of OverallValue, step by step: text, parse with the same separator,
// truncate.
double ReferenceValueOf(double ov, std::string_view separator) {
    const std::optional<double> parsed = ParseReal(RealText(ov, separator), separator);
    return parsed ? std::trunc(*parsed) : 0;
}

double ReferenceValue(const PlayerBuilder& player, std::string_view separator = ".") {
    return ReferenceValueOf(Exact(player), separator);
}

bool NearNextWhole(double ov) {
    return ov - std::floor(ov) >= 1 - 1e-9;
}

TEST(OverallValueOf, MatchesTheTextRoundTripAroundEveryWholeNumber) {
    int slowPathDiffers = 0;
    for (int n = 0; n <= 262; ++n) {
        const double whole = n;
        // The last 3000 doubles below n and the first 300 above it.
        double below = whole;
        for (int k = 0; k < 3000; ++k) {
            below = std::nextafter(below, -1.0);
            if (below < 0)
                break;
            ASSERT_EQ(OverallValueOf(below), ReferenceValueOf(below, ".")) << below;
            if (OverallValueOf(below) != std::trunc(below))
                ++slowPathDiffers;
        }
        double above = whole;
        for (int k = 0; k < 300; ++k) {
            ASSERT_EQ(OverallValueOf(above), ReferenceValueOf(above, ".")) << above;
            above = std::nextafter(above, 1e9);
        }
        // Distances from 1e-15 to 1e-8 below n, dense around the fast path's margin.
        for (double distance = 1e-15; distance < 1e-8; distance *= 1.01) {
            const double x = whole - distance;
            if (x < 0)
                continue;
            ASSERT_EQ(OverallValueOf(x), ReferenceValueOf(x, ".")) << x;
        }
        const double margin = whole - 1e-9;
        double x = margin;
        for (int k = 0; k < 50 && x > 0; ++k)
            x = std::nextafter(x, -1.0);
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
        for (std::uint8_t rating : {0, 255}) {
            const PlayerBuilder record = Player(position, Filled(rating));
            EXPECT_EQ(Value(record), ReferenceValue(record, "."));
            EXPECT_EQ(Value(record), ReferenceValue(record, ","));
        }
    }
}

// Random rating sets of every position.
TEST(OverallValueEquivalence, RandomRecords) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int position = 0; position <= 5; ++position) {
        PlayerBuilder record = Player(position, Filled(0));
        for (int i = 0; i < 400000; ++i) {
            for (int r = 0; r < kStoredRatingCount; ++r)
                record.Rating(r, static_cast<std::uint8_t>(byte(random)));
            ASSERT_EQ(Value(record), ReferenceValue(record)) << Exact(record);
        }
    }
}

// Goalies found offline (meet-in-the-middle over SP, PA, PC against IT, ST, SK) whose OV
// lies about 2.4e-13 below a whole number n: the fast path must not be taken for them.
// OverallValue and the unrounded text give n, the list column (the truncated text) n - 1.
TEST(OverallValueEquivalence, KnownGoaliesJustBelowAWholeNumber) {
    const Ratings goalies[] = {
        {42, 107, 1, 50, 60, 60, 86, 228, 206, 0, 0, 60, 60},      // 100.99999999999976
        {42, 107, 54, 50, 60, 60, 251, 228, 206, 0, 0, 60, 60},    // 126.99999999999976
        {128, 107, 1, 50, 60, 60, 236, 228, 206, 0, 0, 60, 60},    // 128.99999999999977
        {171, 107, 213, 50, 60, 60, 251, 228, 206, 0, 0, 60, 60},  // 150.99999999999977
        {214, 107, 213, 50, 60, 60, 251, 228, 206, 0, 0, 60, 60},  // 154.99999999999977
    };
    for (const Ratings& ratings : goalies) {
        const PlayerBuilder record = Player(4, ratings);
        const double ov = Exact(record);
        ASSERT_TRUE(NearNextWhole(ov)) << ov;
        ASSERT_GT(ov, std::floor(ov) + 1 - 1e-12) << ov;
        const int whole = static_cast<int>(std::floor(ov)) + 1;
        EXPECT_EQ(Value(record), whole) << ov;
        EXPECT_EQ(Value(record), ReferenceValue(record, "."));
        EXPECT_EQ(Value(record), ReferenceValue(record, ","));
        EXPECT_EQ(Text(record, false, "."), WholeText(whole));
        EXPECT_EQ(Text(record, true, "."), WholeText(whole - 1));
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
    const auto& set = ReferenceWeightSet(position, base);
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
            table.push_back(
                {static_cast<double>(v - std::floor(v)), static_cast<std::uint16_t>(x << 8 | y)});
        }
    }
    std::sort(table.begin(), table.end(),
              [](const Entry& l, const Entry& r) { return l.fraction < r.fraction; });
    std::vector<std::size_t> bucketStart(kBuckets + 1);
    for (std::size_t k = 0, i = 0; k <= kBuckets; ++k) {
        while (i < table.size() && table[i].fraction < static_cast<double>(k) / kBuckets)
            ++i;
        bucketStart[k] = i;
    }

    long double fixed = set.constant;
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const bool varied = i == a1 || i == a2 ||
                            std::any_of(others.begin(), others.end(),
                                        [i](const Dimension& d) { return d.rating == i; });
        if (!varied)
            fixed += base[static_cast<std::size_t>(i)] * w(i);
    }

    constexpr double kWindow = 1e-9;
    SearchResult result;
    Ratings ratings = base;
    auto check = [&](std::size_t index) {
        ratings[static_cast<std::size_t>(a1)] = static_cast<std::uint8_t>(table[index].pair >> 8);
        ratings[static_cast<std::size_t>(a2)] = static_cast<std::uint8_t>(table[index].pair & 0xFF);
        const PlayerBuilder record = Player(position, ratings);
        const double ov = Exact(record);
        const double value = Value(record);
        EXPECT_EQ(value, ReferenceValue(record)) << ov;
        ++result.checked;
        if (NearNextWhole(ov))
            ++result.slowPath;
        if (value != std::trunc(ov))
            ++result.roundedUp;
    };
    // The entries with fraction in [lo, hi], 0 <= lo <= hi < 1.
    auto scan = [&](double lo, double hi) {
        const auto bucket = static_cast<std::size_t>(lo * kBuckets);
        for (std::size_t i = bucketStart[std::min<std::size_t>(bucket, kBuckets)];
             i < table.size() && table[i].fraction <= hi; ++i) {
            if (table[i].fraction >= lo)
                check(i);
        }
    };

    std::vector<int> counter(others.size(), 0);
    while (true) {
        long double v = fixed;
        for (std::size_t d = 0; d < others.size(); ++d) {
            ratings[static_cast<std::size_t>(others[d].rating)] =
                static_cast<std::uint8_t>(counter[d]);
            v += counter[d] * w(others[d].rating);
        }
        // A's fraction must lie within the window of 1 - frac(v), modulo 1.
        double target = 1 - static_cast<double>(v - std::floor(v));
        if (target >= 1)
            target -= 1;
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
        while (d < others.size() && ++counter[d] == others[d].count)
            counter[d++] = 0;
        if (d == others.size())
            break;
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
