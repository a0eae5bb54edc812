#include "core/eval/overall.h"

#include "core/eval/numbertext.h"
#include "core/eval/testrecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vantrel {
namespace {

using testing::Ratings;
using testing::TestRecord;

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
    {"centre", 0, {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40}, "71.3863727351694", "71", 71},
    {"goalie", 4, {85, 80, 78, 70, 75, 70, 82, 60, 77, 30, 25, 65, 50}, "74.2575658960784", "74", 74},
    {"defender, SC 74 > DF 70", 3, {60, 62, 70, 72, 80, 75, 68, 66, 64, 70, 74, 60, 55},
     "72.6013680834653", "72", 72},
    {"defender, SC 55 <= DF 78", 3, {60, 62, 70, 72, 80, 75, 68, 66, 64, 78, 55, 60, 55},
     "72.1248325417123", "72", 72},
    {"defender, SC 70 = DF 70", 3, {60, 62, 70, 72, 80, 75, 68, 66, 64, 70, 70, 60, 55},
     "71.8629277798076", "71", 71},
    {"any ratings, position 7", 7, {70, 65, 60, 75, 80, 70, 72, 68, 66, 50, 74, 55, 40}, "0", "0", 0},
};

std::string WithComma(std::string text) {
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

TEST(OverallRating, WorkedExamplesWithPoint) {
    for (const WorkedExample& example : kWorkedExamples) {
        const TestRecord record(example.position, example.ratings);
        EXPECT_EQ(OverallRating(record.data(), false, "."), example.unrounded) << example.player;
        EXPECT_EQ(OverallRating(record.data(), true, "."), example.truncated) << example.player;
        EXPECT_EQ(OverallValue(record.data()), example.value) << example.player;
    }
}

TEST(OverallRating, WorkedExamplesWithComma) {
    for (const WorkedExample& example : kWorkedExamples) {
        const TestRecord record(example.position, example.ratings);
        EXPECT_EQ(OverallRating(record.data(), false, ","), WithComma(example.unrounded))
            << example.player;
        EXPECT_EQ(OverallRating(record.data(), true, ","), example.truncated) << example.player;
    }
}

TEST(OverallRating, AllRatingsZero) {
    TestRecord record;
    record.SetAllRatings(0);
    for (int position : {0, 1, 2}) {
        record.SetPosition(position);
        EXPECT_EQ(OverallExact(record.data()), 5.0);
        EXPECT_EQ(OverallRating(record.data(), false, "."), "5");
        EXPECT_EQ(OverallValue(record.data()), 5.0);
    }
    record.SetPosition(4);
    EXPECT_EQ(OverallRating(record.data(), false, "."), "0");
    EXPECT_EQ(OverallValue(record.data()), 0.0);
    record.SetPosition(3);  // SC = DF = 0: the second defender set, constant 7
    EXPECT_EQ(OverallRating(record.data(), false, "."), "7");
    EXPECT_EQ(OverallValue(record.data()), 7.0);
}

TEST(OverallRating, AllRatings255) {
    TestRecord record;
    record.SetAllRatings(255);
    for (int position : {0, 1, 2}) {
        record.SetPosition(position);
        EXPECT_EQ(OverallRating(record.data(), false, "."), "260.031454773409");
        EXPECT_EQ(OverallRating(record.data(), false, ","), "260,031454773409");
        EXPECT_EQ(OverallRating(record.data(), true, "."), "260");
        EXPECT_EQ(OverallValue(record.data()), 260.0);
    }
    record.SetPosition(3);  // SC = DF: second set
    EXPECT_EQ(OverallRating(record.data(), false, "."), "253.682194616977");
    EXPECT_EQ(OverallValue(record.data()), 253.0);
    record.SetPosition(4);
    EXPECT_EQ(OverallRating(record.data(), false, "."), "245.298428737437");
    EXPECT_EQ(OverallValue(record.data()), 245.0);
}

TEST(OverallRating, GoalieIgnoresDefenceAndScoring) {
    TestRecord record(4, {85, 80, 78, 70, 75, 70, 82, 60, 77, 30, 25, 65, 50});
    const double expected = OverallExact(record.data());
    for (int df : {0, 1, 30, 128, 255}) {
        for (int sc : {0, 1, 25, 200, 255}) {
            record.SetRating(kDF, df).SetRating(kSC, sc);
            EXPECT_EQ(OverallExact(record.data()), expected) << df << ' ' << sc;
            EXPECT_EQ(OverallRating(record.data(), false, "."), "74.2575658960784");
        }
    }
}

TEST(OverallRating, DefenderSetChosenByScAboveDf) {
    // SC = DF uses the second set (constant 7), SC = DF + 1 the first (constant 8).
    TestRecord record;
    record.SetPosition(3);
    record.SetAllRatings(0);
    record.SetRating(kDF, 42).SetRating(kSC, 42);
    // Second set: 42/6 + 42/14 + 7 = 7 + 3 + 7 = 17.
    EXPECT_EQ(OverallExact(record.data()), 17.0);
    record.SetRating(kSC, 43);
    // First set: 42/10 + 43/6 + 8 = 19.3666...
    EXPECT_EQ(OverallRating(record.data(), false, "."), "19.3666666666667");
    record.SetRating(kSC, 41);
    // Second set: 42/6 + 41/14 + 7 = 16.928571...
    EXPECT_EQ(OverallRating(record.data(), false, "."), "16.9285714285714");
}

TEST(OverallRating, PositionsBeyondFourGiveZero) {
    TestRecord record;
    record.SetAllRatings(255);
    for (int position = 5; position <= 255; ++position) {
        record.SetPosition(position);
        EXPECT_EQ(OverallExact(record.data()), 0.0) << position;
        EXPECT_EQ(OverallRating(record.data(), false, "."), "0") << position;
        EXPECT_EQ(OverallRating(record.data(), true, ","), "0") << position;
        EXPECT_EQ(OverallValue(record.data()), 0.0) << position;
    }
}

TEST(OverallRating, NoRecord) {
    EXPECT_EQ(OverallRating(nullptr, false, "."), "");
    EXPECT_EQ(OverallRating(nullptr, true, "."), "");
    EXPECT_EQ(OverallValue(nullptr), 0.0);
}

TEST(OverallRating, SingleRatingWeights) {
    // One rating at 100, the rest 0: OV = 100 / divisor + constant.
    TestRecord record;
    record.SetPosition(0).SetAllRatings(0).SetRating(kSC, 100);  // 100 / 5.5 + 5
    EXPECT_EQ(OverallRating(record.data(), false, "."), "23.1818181818182");
    record.SetPosition(4).SetAllRatings(0).SetRating(kSP, 100);  // 100 / 3.11
    EXPECT_EQ(OverallRating(record.data(), false, "."), "32.1543408360129");
    record.SetAllRatings(0).SetRating(kPC, 100);  // 100 / 6.67
    EXPECT_EQ(OverallRating(record.data(), false, "."), "14.9925037481259");
    record.SetAllRatings(0).SetRating(kEN, 100).SetRating(kPA, 100);  // 200 / 17.67
    EXPECT_EQ(OverallRating(record.data(), false, "."), "11.3186191284663");
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
         {13.25, 13.25, 9.75, 22.25, 67.75, 67.75, 11.25, 6.75, 8.25, 9.75, 5.5, 67.75, 67.75}, 5},
        {OverallWeightSetId::kGoalie, {10.75, 3.11, 13.25, 17.67, 53, 53, 7.5, 17.67, 6.67, 0, 0, 53, 53}, 0},
        {OverallWeightSetId::kDefenderScAboveDf, {14, 14, 10, 23, 68, 68, 11.5, 7, 9, 10, 6, 68, 68}, 8},
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
            const TestRecord record(position, ratings);
            using detail::OverallWeightSetId;
            OverallWeightSetId id = OverallWeightSetId::kForward;
            if (position == 4) id = OverallWeightSetId::kGoalie;
            if (position == 3) {
                id = ratings[kSC] > ratings[kDF] ? OverallWeightSetId::kDefenderScAboveDf
                                                 : OverallWeightSetId::kDefenderOther;
            }
            const auto& set = detail::OverallWeightSet(id);
            volatile long double sum = 0.0L;  // volatile: every partial sum stored as extended
            for (int i = 0; i < kStoredRatingCount; ++i) {
                if (position == 4 && (i == kDF || i == kSC)) continue;
                const long double product =
                    static_cast<long double>(ratings[static_cast<std::size_t>(i)]) *
                    set.weight[static_cast<std::size_t>(i)];
                sum = sum + product;
            }
            sum = sum + set.constant;
            EXPECT_EQ(OverallExact(record.data()), static_cast<double>(sum));
        }
    }
}

TEST(OverallValue, NearWholeNumberDiffersFromTruncatedText) {
    // A goalie found by a meet-in-the-middle search: OV = 100.99999999999976 lies 2.4e-13
    // below 101, less than half a unit of the 15th digit. The list column shows 100, the
    // unrounded text is "101", and OverallValue is 101.
    const TestRecord record(4, {42, 107, 1, 50, 60, 60, 86, 228, 206, 0, 0, 60, 60});
    const double ov = OverallExact(record.data());
    EXPECT_LT(ov, 101.0);
    EXPECT_GT(ov, 101.0 - 1e-12);
    EXPECT_EQ(OverallRating(record.data(), false, "."), "101");
    EXPECT_EQ(OverallRating(record.data(), true, "."), "100");
    EXPECT_EQ(OverallValue(record.data()), 101.0);
}

}  // namespace
}  // namespace vantrel
