#include "core/eval/overall.h"

#include "core/eval/leaguerank.h"
#include "core/eval/numbertext.h"
#include "core/league/leaguedata.h"
#include "core/league/programerror.h"
#include "core/league/corestretches.h"
#include "core/league/records.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vantrel {

namespace {

using detail::OverallWeights;
using detail::OverallWeightSetId;

// Divisors by RatingIndex IT..LD; 0 marks a rating that takes no part.
struct DivisorColumn {
    std::array<double, kStoredRatingCount> divisor;
    long double constant;
};

// 3.11, 17.67 and 6.67 are not exact in binary: the weight is 1 divided by the double
// nearest to them, which is what converting the double literal gives. Every other divisor
// is exact, so 1.0L / divisor is the extended value nearest to its reciprocal. The tables
// are computed at compile time (the compiler rounds constant long double arithmetic
// exactly as the x87 does at run time; the tests check every weight), so they need no
// initialisation order and no per-call work.
constexpr OverallWeights MakeWeights(const DivisorColumn& column) {
    OverallWeights weights{};
    for (std::size_t i = 0; i < column.divisor.size(); ++i) {
        const double d = column.divisor[i];
        weights.weight[i] = d == 0 ? 0.0L : 1.0L / static_cast<long double>(d);
    }
    weights.constant = column.constant;
    return weights;
}

// Divisors in RatingIndex order IT SP ST EN DU DI SK PA PC DF SC EX LD, then the constant;
// indexed by OverallWeightSetId: forward, goalie, defender SC > DF, defender SC <= DF.
constexpr std::array<OverallWeights, 4> kWeightSets = {
    MakeWeights(
        {{13.25, 13.25, 9.75, 22.25, 67.75, 67.75, 11.25, 6.75, 8.25, 9.75, 5.5, 67.75, 67.75}, 5}),
    MakeWeights({{10.75, 3.11, 13.25, 17.67, 53, 53, 7.5, 17.67, 6.67, 0, 0, 53, 53}, 0}),
    MakeWeights({{14, 14, 10, 23, 68, 68, 11.5, 7, 9, 10, 6, 68, 68}, 8}),
    MakeWeights({{9, 14, 6, 23, 68, 68, 12, 9, 12, 6, 14, 68, 68}, 7}),
};

// The weight set of a record's position; nullopt for positions 5..255, whose OV is 0.
std::optional<OverallWeightSetId> WeightSetOf(const PlayerRecord& player) {
    switch (player.Position()) {
        case 0:
        case 1:
        case 2:
            return OverallWeightSetId::kForward;
        case 4:
            return OverallWeightSetId::kGoalie;
        case 3:
            return player.Rating(kSC) > player.Rating(kDF) ? OverallWeightSetId::kDefenderScAboveDf
                                                           : OverallWeightSetId::kDefenderOther;
        default:
            return std::nullopt;
    }
}

// The weights rounded to double, for a quick estimate of OV that the average uses to
// skip the extended-precision sum where it cannot change the whole number.
struct QuickWeights {
    std::array<double, kStoredRatingCount> weight;
    double constant;
};

constexpr QuickWeights MakeQuick(const OverallWeights& set) {
    QuickWeights quick{};
    for (std::size_t i = 0; i < quick.weight.size(); ++i)
        quick.weight[i] = static_cast<double>(set.weight[i]);
    quick.constant = static_cast<double>(set.constant);
    return quick;
}

// Indexed like kWeightSets, by OverallWeightSetId.
constexpr std::array<QuickWeights, 4> kQuickSets = {
    MakeQuick(kWeightSets[0]), MakeQuick(kWeightSets[1]), MakeQuick(kWeightSets[2]),
    MakeQuick(kWeightSets[3])};

}  // namespace

// The double sum differs from OverallExact by less than 1e-11: OV < 261, so each of the
// 14 weights (relative error 2^-53) and the 26 double roundings adds at most
// 261 * 2^-53 (3e-14). When the estimate lies at least 1e-9 above a whole number n and
// 2e-9 below n + 1, the exact OV lies in [n + 1e-9 - 1e-11, n + 1 - 2e-9 + 1e-11): its
// integer part is n and it is more than 1e-9 below n + 1, where OverallValueOf takes
// trunc directly. Elsewhere the exact path runs.

double OverallValueFast(const std::uint8_t* record) {
    const PlayerRecord player(record);
    const std::optional<OverallWeightSetId> set = WeightSetOf(player);
    if (!set)
        return 0;  // OverallValue of OV 0
    const QuickWeights& quick = kQuickSets[static_cast<std::size_t>(*set)];
    const std::uint8_t* ratings = player.Ratings();
    double estimate = 0;
    for (std::size_t i = 0; i < quick.weight.size(); ++i)
        estimate += static_cast<double>(ratings[i]) * quick.weight[i];
    estimate += quick.constant;
    const double whole = std::trunc(estimate);
    const double fraction = estimate - whole;  // exact for 0 <= estimate < 2^52
    if (fraction >= 1e-9 && fraction <= 1 - 2e-9)
        return whole;
    return OverallValue(record);
}

namespace detail {
const OverallWeights& OverallWeightSet(OverallWeightSetId id) {
    return kWeightSets[static_cast<std::size_t>(id)];
}
}  // namespace detail

double OverallExact(const std::uint8_t* record) {
    const PlayerRecord player(record);
    const std::optional<OverallWeightSetId> id = WeightSetOf(player);
    if (!id)
        return 0;
    const OverallWeights& set = kWeightSets[static_cast<std::size_t>(*id)];
    // Every operation below is one x87 extended operation, rounded to 64 bits; a goalie's
    // DF and SC add an exact 0. Order IT..LD, constant last, then one rounding to double.
    long double sum = 0.0L;
    for (int i = 0; i < kStoredRatingCount; ++i) {
        sum += static_cast<long double>(player.Rating(i)) * set.weight[static_cast<std::size_t>(i)];
    }
    sum += set.constant;
    return static_cast<double>(sum);
}

std::string OverallRating(const std::uint8_t* record, bool truncate,
                          std::string_view decimalSeparator) {
    if (!record)
        return {};
    double ov = OverallExact(record);
    // OV lies in [0, 261): the 32-bit truncation is defined and is the floor.
    if (truncate)
        ov = static_cast<std::int32_t>(ov);
    return RealText(ov, decimalSeparator);
}

double OverallValueOf(double ov) {
    // Fast path. Let n = trunc(ov) with 0 <= n < 10^6 and frac(ov) < 1 - 1e-9. Rounding to
    // 15 significant digits is monotone and keeps n and n + 0.999999999 (at most 6 + 9
    // digits) as they are, so the rounded text lies in [n, n + 0.999999999]; parsing it
    // back is monotone too and gives a double in [n, n + 1). Its truncation is n. Only an
    // OV within 1e-9 of the next whole number needs the texts: there the 15-digit rounding
    // (at most 5e-13 for OV < 1000) may carry into it.
    if (ov >= 0 && ov < 1e6) {
        const double whole = std::trunc(ov);
        if (ov - whole < 1 - 1e-9)
            return whole;  // the subtraction is exact
    }
    const std::optional<double> parsed = ParseReal(RealText(ov, "."), ".");
    return parsed ? std::trunc(*parsed) : 0;
}

double OverallValue(const std::uint8_t* record) {
    if (!record)
        return 0;  // the text "" fails to parse
    return OverallValueOf(OverallExact(record));
}

namespace {

// The named players of a stretch of the roster: their OV values summed, and ranked.
struct AveragePart {
    double sum = 0;
    std::int64_t count = 0;
    LeagueRanks ranks;

    void Add(const AveragePart& other) {
        sum += other.sum;
        count += other.count;
        ranks.Add(other.ranks);
    }
};

AveragePart AverageStretch(const std::uint8_t* data, std::int64_t begin, std::int64_t end) {
    AveragePart part;
    for (std::int64_t i = begin; i < end; ++i) {
        const std::uint8_t* record = data + i * kPlayerRecordSize;
        if (IsNamedPlayer(record)) {
            const double overall = OverallValueFast(record);
            part.sum += overall;
            ++part.count;
            part.ranks.Add(record, overall);
        }
    }
    return part;
}

}  // namespace

double LeagueAverageOverall(const LeagueData& league, LeagueRanks* ranks) {
    const ByteImage* image = league.RosterFileImage.get();
    if (!image || !image->data || image->size == 0 || league.RosterFileSize <= 0 ||
        !league.IsLoaded()) {
        throw ProgramError(kSomethingsWrong);
    }
    // PlayerCount comes from the recorded file size; never read past the image itself.
    const std::int64_t records = std::min<std::int64_t>(
        league.PlayerCount(), static_cast<std::int64_t>(image->size / kPlayerRecordSize));
    // Every OV value is a whole number below 262, so every partial sum is a whole number
    // below 2^53 and exact: the sum is the same in parts as in one pass.
    const std::uint8_t* data = image->data.get();
    AveragePart whole = CountInParts<AveragePart>(
        records, 1,
        [data](std::int64_t begin, std::int64_t end) { return AverageStretch(data, begin, end); });
    if (ranks) {
        *ranks = whole.ranks;
        ranks->Finish();
    }
    if (whole.count == 0)
        return 0;
    // The quotient is formed in extended precision and then rounded to a double, as the
    // caller keeps it.
    return static_cast<double>(static_cast<long double>(whole.sum) /
                               static_cast<long double>(whole.count));
}

std::string LeagueAverageText(double average, std::string_view decimalSeparator) {
    const long double tenfold = 10.0L * static_cast<long double>(average);
    // The average of OverallValues lies in [0, 260]; anything not representable as a
    // tenth count is shown as it is rather than converted with undefined behaviour.
    if (!(std::fabs(tenfold) < 9.0e18L))
        return RealText(average, decimalSeparator);
    const auto n = static_cast<std::int64_t>(tenfold);  // truncation toward zero
    return RealText(static_cast<double>(static_cast<long double>(n) * 0.1L), decimalSeparator);
}

}  // namespace vantrel
