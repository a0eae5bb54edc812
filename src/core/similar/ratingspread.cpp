#include "core/similar/ratingspread.h"

#include <cmath>
#include <cstdlib>

namespace vantrel::similar {

namespace {

// An unsigned 128-bit number: players * squares outgrows 64 bits on the largest rosters.
struct Wide {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    bool IsZero() const { return high == 0 && low == 0; }
    double ToDouble() const {
        return std::ldexp(static_cast<double>(high), 64) + static_cast<double>(low);
    }
};

Wide Product(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t mask = 0xffffffffu;
    const std::uint64_t lowLow = (a & mask) * (b & mask);
    const std::uint64_t lowHigh = (a & mask) * (b >> 32);
    const std::uint64_t highLow = (a >> 32) * (b & mask);
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & mask) + (highLow & mask);
    return {(a >> 32) * (b >> 32) + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & mask)};
}

// a - b for a >= b.
Wide Difference(const Wide& a, const Wide& b) {
    return {a.high - b.high - (a.low < b.low ? 1 : 0), a.low - b.low};
}

}  // namespace

void RatingSums::Add(const RatingSums& other) {
    players += other.players;
    for (std::size_t k = 0; k < sums.size(); ++k) {
        sums[k] += other.sums[k];
        squares[k] += other.squares[k];
    }
}

std::array<double, kStoredRatingCount> WeightsOf(const RatingSums& sums, int count) {
    // players^2 * variance = players * squares - sum^2, exact; zero exactly when every
    // player has the same value.
    std::array<double, kStoredRatingCount> scaledVariance{};
    int spread = 0;
    for (int k = 0; k < count; ++k) {
        const Wide variance =
            Difference(Product(static_cast<std::uint64_t>(sums.players),
                               static_cast<std::uint64_t>(sums.squares[k])),
                       Product(static_cast<std::uint64_t>(std::llabs(sums.sums[k])),
                               static_cast<std::uint64_t>(std::llabs(sums.sums[k]))));
        scaledVariance[k] = variance.ToDouble();
        spread += variance.IsZero() ? 0 : 1;
    }
    std::array<double, kStoredRatingCount> weights{};
    const double players = static_cast<double>(sums.players);
    for (int k = 0; k < count; ++k) {
        if (scaledVariance[k] > 0)
            weights[k] = players * players / (scaledVariance[k] * spread);
    }
    return weights;
}

}  // namespace vantrel::similar
