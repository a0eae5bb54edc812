#pragma once

// A player's score by the user's own weights: a weight from 0 to 10 for each of the 13
// stored ratings, and the weighted sum as a share of the highest possible, 0.0 to 100.0.
// A rating above 100 (only a damaged file holds one) counts as 100, so the share stays a
// share. Scores are whole tenths, rounded half up, so the list, the criteria text and a
// threshold agree to the last digit.

#include "core/league/leaguedata.h"
#include "core/league/records.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

inline constexpr int kScoreWeightMax = 10;
inline constexpr int kScoreRatingCap = 100;
inline constexpr int kScoreTenthsMax = 1000;

struct ScoreWeights {
    std::array<std::uint8_t, kStoredRatingCount> weights{};  // RatingIndex order IT..LD

    // A score needs at least one weight above 0.
    bool IsSet() const;
    bool operator==(const ScoreWeights&) const = default;
};

// The weights and the bounds a search keeps scores within, in tenths, both inclusive.
struct ScoreCriteria {
    ScoreWeights weights;
    std::optional<int> atLeast;
    std::optional<int> atMost;

    bool HasBounds() const { return atLeast.has_value() || atMost.has_value(); }
    bool operator==(const ScoreCriteria&) const = default;
};

// The weights as 16 lanes, the three after LD 0: one vector's width of a record's bytes.
using ScoreLanes = std::array<std::uint8_t, 16>;
inline ScoreLanes LanesOf(const ScoreWeights& weights) {
    ScoreLanes lanes{};
    std::copy(weights.weights.begin(), weights.weights.end(), lanes.begin());
    return lanes;
}

// The sum of each rating, capped at 100, times its weight. The 16 bytes from the first
// rating lie inside the record (up to the salary); where SSE2 is (every x86-64) they are
// capped and multiplied as one vector, which a search with a score bound needs to stay
// near the cost of the search without.
inline int WeightedRatingSum(const std::uint8_t* record, const ScoreLanes& weights) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i ratings =
        _mm_min_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(record + player::kRatings)),
                     _mm_set1_epi8(static_cast<char>(kScoreRatingCap)));
    const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights.data()));
    __m128i sums =
        _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(ratings, zero), _mm_unpacklo_epi8(w, zero)),
                      _mm_madd_epi16(_mm_unpackhi_epi8(ratings, zero), _mm_unpackhi_epi8(w, zero)));
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, _MM_SHUFFLE(1, 0, 3, 2)));
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(sums);
#else
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const int rating = record[player::kRatings + i];
        sum += (rating < kScoreRatingCap ? rating : kScoreRatingCap) * weights[i];
    }
    return sum;
#endif
}

// The test of a search's score bounds, made once: the weighted sum S of a record against
// bounds on 20 S + W (W the weights' total), so that no record costs a division.
// Default-made or without bounds, every record holds.
class ScoreBounds {
  public:
    ScoreBounds() = default;
    explicit ScoreBounds(const ScoreCriteria& criteria);

    bool Active() const { return active_; }
    bool Holds(const std::uint8_t* record) const {
        const int scaled = 20 * WeightedRatingSum(record, weights_) + total_;
        return scaled >= low_ && scaled < high_;
    }

  private:
    bool active_ = false;
    ScoreLanes weights_{};
    int total_ = 0;
    int low_ = 0, high_ = 0;  // tenths t pass when 2 W t <= 20 S + W < 2 W (t + 1)
};

// Starting points of the Score dialog, from the weights OV gives each position, scaled so
// the heaviest rating weighs 10: centre and wing lean to passing or to scoring.
enum class ScorePreset : std::uint8_t { kCentre, kWing, kDefender, kGoalie };
ScoreWeights PresetWeights(ScorePreset preset);

// The score of a player record in tenths, 0..1000; the weights must be set.
int ScoreTenths(const std::uint8_t* record, const ScoreWeights& weights);

// Tenths as the list writes them: "70.5", "100.0", "0.0".
std::string ScoreText(int tenths);
// Tenths as the criteria text writes a bound: "70", "70.5".
std::string ScoreBoundText(int tenths);
// A bound as typed, "70" or "70.5", 0 to 100 with at most one decimal; nullopt else.
std::optional<int> ParseScoreBound(std::string_view text);

// The weights as the criteria text writes them: the rated ratings in RatingIndex order,
// a weight of 1 bare, "SK*2+PA+PC".
std::string ScoreFormula(const ScoreWeights& weights);
// The weights of such a formula (ratings in any order and case); on failure the error
// says what was expected, naming the offending term.
struct ScoreFormulaParse {
    std::optional<ScoreWeights> weights;
    std::string error;
};
ScoreFormulaParse ParseScoreFormula(std::string_view formula);
// The formula as the Score dialog shows it: "Score = (2×SK + PA + PC) ÷ 4", UTF-8.
std::string ScoreFormulaWords(const ScoreWeights& weights);

// The bounds in words for the search report: "Score 70.0 or more", "Score 85.5 or less",
// "Score from 70.0 to 85.5"; empty without bounds.
std::string ScoreBoundsLine(const ScoreCriteria& criteria);

// The stable order of the list's rows (as SortedRowOrder takes them: `records` in the
// search's order, `rows` each row's place in it) by score.
std::vector<std::int32_t> ScoreRowOrder(const ByteImage& roster, const ScoreWeights& weights,
                                        const std::vector<std::int32_t>& records,
                                        const std::vector<std::int32_t>& rows, bool descending);

}  // namespace vantrel
