// The user's own score: the list's text against sums worked out by hand and against a
// plain reference over a generated league, the search bounds and the column's order.

#include "core/score/scoreweights.h"

#include "leaguegen.h"
#include "support/byteimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace vantrel {
namespace {

ScoreWeights SkTwicePaPc() {
    ScoreWeights w;
    w.weights[kSK] = 2;
    w.weights[kPA] = 1;
    w.weights[kPC] = 1;
    return w;
}

std::array<std::uint8_t, 86> WithRatings(std::array<std::uint8_t, 13> ratings) {
    return leaguegen::PlayerBuilder().Name("Ahl").Ratings(ratings).Build();
}

TEST(ScoreTest, TextIsTheWeightedShareInTenthsRoundedHalfUp) {
    // (2*80 + 70 + 61) / 4 = 72.75
    const auto ahl = WithRatings({0, 0, 0, 0, 0, 0, 80, 70, 61, 0, 0, 0, 0});
    EXPECT_EQ(ScoreText(ScoreTenths(ahl.data(), SkTwicePaPc())), "72.8");
    // (2*80 + 70 + 60) / 4 = 72.5 exactly
    const auto bo = WithRatings({0, 0, 0, 0, 0, 0, 80, 70, 60, 0, 0, 0, 0});
    EXPECT_EQ(ScoreText(ScoreTenths(bo.data(), SkTwicePaPc())), "72.5");
    EXPECT_TRUE(ScoreBounds({SkTwicePaPc(), 725, 725}).Holds(bo.data()));
    EXPECT_FALSE(ScoreBounds({SkTwicePaPc(), std::nullopt, 724}).Holds(bo.data()));
    EXPECT_FALSE(ScoreBounds({SkTwicePaPc(), 726, std::nullopt}).Holds(bo.data()));
    // A damaged byte above 100 counts as 100; ratings without weight take no part.
    const auto odd = WithRatings({255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0});
    EXPECT_EQ(ScoreText(ScoreTenths(odd.data(), SkTwicePaPc())), "100.0");
    ScoreWeights ldOnly;
    ldOnly.weights[kLD] = 7;
    EXPECT_EQ(ScoreText(ScoreTenths(odd.data(), ldOnly)), "0.0");
    EXPECT_EQ(ScoreFormulaWords(SkTwicePaPc()), "Score = (2\u00d7SK + PA + PC) \u00f7 4");
    EXPECT_EQ(ScoreFormulaWords(ldOnly), "Score = 7\u00d7LD \u00f7 7");
    EXPECT_FALSE(ScoreWeights{}.IsSet());
}

TEST(ScoreTest, PresetsWeighWhatEachPositionPlaysBy) {
    for (const ScorePreset preset :
         {ScorePreset::kCentre, ScorePreset::kWing, ScorePreset::kDefender, ScorePreset::kGoalie}) {
        const ScoreWeights w = PresetWeights(preset);
        EXPECT_EQ(*std::max_element(w.weights.begin(), w.weights.end()), 10);
    }
    EXPECT_EQ(PresetWeights(ScorePreset::kCentre).weights[kPA], 10);
    EXPECT_EQ(PresetWeights(ScorePreset::kWing).weights[kSC], 10);
    EXPECT_EQ(PresetWeights(ScorePreset::kDefender).weights[kDF], 10);
    EXPECT_EQ(PresetWeights(ScorePreset::kGoalie).weights[kSP], 10);
    EXPECT_EQ(PresetWeights(ScorePreset::kGoalie).weights[kDF], 0);  // no part of a goalie's game
}

// Over a generated league: every score against a plain long double reference, the bounds
// keep exactly the players the reference puts inside, and the column sorts by it stably.
TEST(ScoreTest, GeneratedLeagueAgreesWithAReferenceSum) {
    leaguegen::Options options;
    options.seed = 29;
    options.oddShare = 0.2;
    const leaguegen::League league = leaguegen::Generate(options);
    const ByteImage roster = testsupport::ImageOf(league.roster);
    const auto count = std::int32_t(league.roster.size() / kPlayerRecordSize);
    ScoreWeights weights = PresetWeights(ScorePreset::kDefender);
    weights.weights[kLD] = 0;
    std::vector<int> reference(static_cast<std::size_t>(count), 0);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t* ratings = roster.data.get() + std::size_t(i) * kPlayerRecordSize + 32;
        long double sum = 0, total = 0;
        for (int r = 0; r < 13; ++r) {
            sum += weights.weights[std::size_t(r)] * std::min<long double>(ratings[r], 100);
            total += weights.weights[std::size_t(r)];
        }
        reference[std::size_t(i)] = int(std::floor(sum / total * 10 + 0.5L));
        ASSERT_EQ(ScoreTenths(roster.data.get() + std::size_t(i) * kPlayerRecordSize, weights),
                  reference[std::size_t(i)])
            << i;
    }
    std::vector<std::int32_t> all(static_cast<std::size_t>(count));
    std::iota(all.begin(), all.end(), 0);
    const ScoreBounds bounds({weights, 550, 700});
    int kept = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const int want = reference[std::size_t(i)];
        const bool holds = bounds.Holds(roster.data.get() + std::size_t(i) * kPlayerRecordSize);
        ASSERT_EQ(holds, want >= 550 && want <= 700) << i << ": " << want;
        kept += holds ? 1 : 0;
    }
    EXPECT_GT(kept, 20);
    EXPECT_LT(kept, count);

    // Rows listed in reverse file order; descending keeps equal scores in that order.
    std::vector<std::int32_t> rows(all.rbegin(), all.rend());
    const std::vector<std::int32_t> order = ScoreRowOrder(roster, weights, all, rows, true);
    std::vector<std::int32_t> byHand(rows.size());
    std::iota(byHand.begin(), byHand.end(), 0);
    std::stable_sort(byHand.begin(), byHand.end(), [&](std::int32_t a, std::int32_t b) {
        return reference[std::size_t(rows[std::size_t(a)])] >
               reference[std::size_t(rows[std::size_t(b)])];
    });
    EXPECT_EQ(order, byHand);
}

}  // namespace
}  // namespace vantrel
