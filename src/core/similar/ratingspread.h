#pragma once

// The spread of each compared rating, summed exactly in whole numbers so that every
// split of the roster gives the same figures, and the weights it makes of them.

#include "core/league/records.h"

#include <array>
#include <cstdint>
#include <limits>

namespace vantrel::similar {

struct RatingSums {
    std::int64_t players = 0;
    std::array<std::int64_t, kStoredRatingCount> sums{};
    std::array<std::int64_t, kStoredRatingCount> squares{};

    void Add(const RatingSums& other);
};

// Counts the profiles of one stretch. The running sums stay in 32-bit lanes, which the
// compiler works side by side, and move to the totals before they could overflow.
template <class Profile>
class RatingCounter {
  public:
    void Count(const Profile& profile) {
        for (int k = 0; k < Profile::kCount; ++k) {
            sums_[k] += profile.values[k];
            squares_[k] += profile.values[k] * profile.values[k];
        }
        if (++pending_ == kPendingMost)
            Flush();
    }

    RatingSums Total() {
        Flush();
        return total_;
    }

  private:
    static constexpr std::int32_t kPendingMost =
        std::numeric_limits<std::int32_t>::max() / (Profile::kLargest * Profile::kLargest);

    void Flush() {
        total_.players += pending_;
        for (int k = 0; k < Profile::kCount; ++k) {
            total_.sums[k] += sums_[k];
            total_.squares[k] += squares_[k];
        }
        sums_ = {};
        squares_ = {};
        pending_ = 0;
    }

    RatingSums total_;
    std::array<std::int32_t, Profile::kCount> sums_{};
    std::array<std::int32_t, Profile::kCount> squares_{};
    std::int32_t pending_ = 0;
};

// Weights w such that the squared distance of two profiles is the sum of w[k] times the
// square of their k-th difference: 1 / (variance of rating k * ratings with spread), 0 for
// a rating without spread or beyond `count`; all 0 when no rating has spread.
std::array<double, kStoredRatingCount> WeightsOf(const RatingSums& sums, int count);

}  // namespace vantrel::similar
