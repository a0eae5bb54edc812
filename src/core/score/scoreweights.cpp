#include "core/score/scoreweights.h"

#include "core/eval/vocabulary.h"
#include "core/order/bucketorder.h"

#include <algorithm>

namespace vantrel {

namespace {

// The weights taken apart once: the sum they divide by.
class Scorer {
  public:
    explicit Scorer(const ScoreWeights& weights) : weights_(LanesOf(weights)) {
        for (const std::uint8_t w : weights_)
            total_ += w;
    }

    // Rounded half up: (20 S + W) / 2W is 10 S / W + 1/2, floored.
    int Tenths(const std::uint8_t* record) const {
        return total_ > 0 ? (20 * WeightedRatingSum(record, weights_) + total_) / (2 * total_) : 0;
    }

  private:
    ScoreLanes weights_;
    int total_ = 0;
};

int RatingOfName(std::string_view name) {
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const std::string_view abbrev = RatingAbbrev(i);
        if (name.size() == abbrev.size() &&
            std::equal(name.begin(), name.end(), abbrev.begin(), [](char a, char b) {
                return (a >= 'a' && a <= 'z' ? char(a - 32) : a) == b;
            }))
            return i;
    }
    return -1;
}

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A weight as typed after "*": a whole number from 0 to 10.
std::optional<int> WeightOf(std::string_view text) {
    if (!IsDigits(text) || text.size() > 2)
        return std::nullopt;
    const int weight = std::stoi(std::string(text));
    return weight <= kScoreWeightMax ? std::optional<int>(weight) : std::nullopt;
}

std::string FormulaTerm(int rating, int weight, const char* times, bool weightFirst) {
    std::string name(RatingAbbrev(rating));
    if (weight == 1)
        return name;
    const std::string w = std::to_string(weight);
    return weightFirst ? w + times + name : name + times + w;
}

}  // namespace

ScoreBounds::ScoreBounds(const ScoreCriteria& criteria)
    : active_(criteria.HasBounds() && criteria.weights.IsSet()),
      weights_(LanesOf(criteria.weights)) {
    for (const std::uint8_t w : weights_)
        total_ += w;
    low_ = 2 * total_ * criteria.atLeast.value_or(0);
    high_ = 2 * total_ * (criteria.atMost.value_or(kScoreTenthsMax) + 1);
}

bool ScoreWeights::IsSet() const {
    return std::any_of(weights.begin(), weights.end(), [](std::uint8_t w) { return w > 0; });
}

ScoreWeights PresetWeights(ScorePreset preset) {
    // IT SP ST EN DU DI SK PA PC DF SC EX LD
    switch (preset) {
        case ScorePreset::kCentre:
            return {{4, 4, 5, 3, 1, 1, 6, 10, 8, 5, 8, 2, 2}};
        case ScorePreset::kWing:
            return {{4, 5, 5, 2, 1, 1, 6, 7, 7, 4, 10, 1, 1}};
        case ScorePreset::kDefender:
            return {{7, 4, 10, 3, 1, 1, 5, 7, 5, 10, 4, 1, 1}};
        case ScorePreset::kGoalie:
            return {{3, 10, 2, 2, 1, 1, 4, 2, 5, 0, 0, 1, 1}};
    }
    return {};
}

int ScoreTenths(const std::uint8_t* record, const ScoreWeights& weights) {
    return Scorer(weights).Tenths(record);
}

std::string ScoreText(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string ScoreBoundText(int tenths) {
    return tenths % 10 == 0 ? std::to_string(tenths / 10) : ScoreText(tenths);
}

std::optional<int> ParseScoreBound(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view tenth = point == std::string_view::npos ? "0" : text.substr(point + 1);
    if (!IsDigits(whole) || whole.size() > 3 || tenth.size() != 1 || !IsDigits(tenth))
        return std::nullopt;
    const int tenths = std::stoi(std::string(whole)) * 10 + (tenth[0] - '0');
    return tenths <= kScoreTenthsMax ? std::optional<int>(tenths) : std::nullopt;
}

std::string ScoreFormula(const ScoreWeights& weights) {
    std::string formula;
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const int w = weights.weights[std::size_t(i)];
        if (w == 0)
            continue;
        // Appended piece by piece: GCC 12 at -O3 takes "+" + string() for overlapping copies.
        if (!formula.empty())
            formula += '+';
        formula += FormulaTerm(i, w, "*", false);
    }
    return formula;
}

ScoreFormulaParse ParseScoreFormula(std::string_view formula) {
    const std::string expected =
        "terms of a rating IT .. LD and a weight from 0 to 10 "
        "joined by +, such as SK*2+PA+PC";
    ScoreWeights weights;
    std::array<bool, kStoredRatingCount> given{};
    std::size_t at = 0;
    while (true) {
        const std::size_t plus = std::min(formula.find('+', at), formula.size());
        const std::string_view term = formula.substr(at, plus - at);
        const std::size_t star = term.find('*');
        const int rating = RatingOfName(term.substr(0, star));
        const std::optional<int> weight =
            star == std::string_view::npos ? 1 : WeightOf(term.substr(star + 1));
        if (rating < 0 || !weight)
            return {std::nullopt, "at \"" + std::string(term) + "\": " + expected};
        if (given[std::size_t(rating)])
            return {std::nullopt,
                    "each rating once; " + std::string(RatingAbbrev(rating)) + " is given twice"};
        given[std::size_t(rating)] = true;
        weights.weights[std::size_t(rating)] = static_cast<std::uint8_t>(*weight);
        if (plus == formula.size())
            break;
        at = plus + 1;
    }
    if (!weights.IsSet())
        return {std::nullopt, "a weight above 0 for at least one rating"};
    return {weights, {}};
}

std::string ScoreFormulaWords(const ScoreWeights& weights) {
    std::string sum;
    int total = 0, terms = 0;
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const int w = weights.weights[std::size_t(i)];
        total += w;
        terms += w > 0 ? 1 : 0;
        if (w == 0)
            continue;
        if (!sum.empty())
            sum += " + ";
        sum += FormulaTerm(i, w, "\u00d7", true);
    }
    if (total == 0)
        return "Score: no weight set";
    if (total == 1)
        return "Score = " + sum;
    return "Score = " + (terms > 1 ? "(" + sum + ")" : sum) + " \u00f7 " + std::to_string(total);
}

std::string ScoreBoundsLine(const ScoreCriteria& criteria) {
    if (criteria.atLeast && criteria.atMost)
        return "Score from " + ScoreText(*criteria.atLeast) + " to " + ScoreText(*criteria.atMost);
    if (criteria.atLeast)
        return "Score " + ScoreText(*criteria.atLeast) + " or more";
    if (criteria.atMost)
        return "Score " + ScoreText(*criteria.atMost) + " or less";
    return {};
}

std::vector<std::int32_t> ScoreRowOrder(const ByteImage& roster, const ScoreWeights& weights,
                                        const std::vector<std::int32_t>& records,
                                        const std::vector<std::int32_t>& rows, bool descending) {
    const Scorer scorer(weights);
    // A record outside the image (none in a list of its own roster) sorts as 0.
    return BucketRowOrder(rows.size(), std::size_t{kScoreTenthsMax} + 1, [&](std::size_t row) {
        const std::uint8_t* record =
            RecordInImage(&roster, records[static_cast<std::size_t>(rows[row])], kPlayerRecordSize);
        const int tenths = record ? scorer.Tenths(record) : 0;
        return std::size_t(descending ? kScoreTenthsMax - tenths : tenths);
    });
}

}  // namespace vantrel
