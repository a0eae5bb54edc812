#pragma once

// The players a similar-players search compares and the whole numbers it compares them by.

#include "core/league/records.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace vantrel::similar {

// The ratings a goalie is compared on: all stored ones but DF and SC.
inline constexpr std::array<int, 11> kGoalieRatings{kIT, kSP, kST, kEN, kDU, kDI,
                                                    kSK, kPA, kPC, kEX, kLD};

// A player's compared ratings. Centred: count * rating - sum of his ratings, that is the
// rating less his own average, scaled by the count to stay a whole number.
template <bool kGoalie, bool kCentred>
struct Profile {
    static constexpr int kCount = kGoalie ? 11 : kStoredRatingCount;
    static constexpr std::int32_t kLargest = kCentred ? (kCount - 1) * 255 : 255;
    std::array<std::int32_t, kCount> values;

    static Profile Of(const std::uint8_t* record) {
        const std::uint8_t* ratings = record + player::kRatings;
        Profile profile;
        std::int32_t sum = 0;
        for (int k = 0; k < kCount; ++k) {
            profile.values[k] = ratings[kGoalie ? kGoalieRatings[k] : k];
            sum += profile.values[k];
        }
        if constexpr (kCentred) {
            for (std::int32_t& value : profile.values)
                value = kCount * value - sum;
        }
        return profile;
    }
};

// The records a player is compared with: named players of positions first..last other
// than himself, and with a chosen set only the records marked in it.
struct Members {
    const std::uint8_t* roster = nullptr;
    std::uint8_t firstPosition = 0;
    std::uint8_t lastPosition = 0;
    std::int64_t self = -1;
    const std::vector<std::uint64_t>* chosen = nullptr;  // one bit a record, or all

    const std::uint8_t* Record(std::int64_t i) const { return roster + i * kPlayerRecordSize; }

    bool Takes(std::int64_t i) const {
        const std::uint8_t* record = Record(i);
        const std::uint8_t position = record[player::kPosition];
        return position >= firstPosition && position <= lastPosition && i != self &&
               IsNamedPlayer(record);
    }

    // Calls visit(i, record) for every member in [begin, end), in file order. One loop
    // over words of 64 records for both kinds, so that the visit is inlined once.
    template <class Visit>
    void ForEach(std::int64_t begin, std::int64_t end, Visit visit) const {
        for (std::int64_t word = begin / 64; word * 64 < end; ++word) {
            std::uint64_t bits = chosen ? (*chosen)[static_cast<std::size_t>(word)] : ~0ull;
            if (word * 64 < begin)
                bits &= ~0ull << (begin % 64);
            if (word * 64 + 64 > end)
                bits &= ~(~0ull << (end % 64));
            for (; bits != 0; bits &= bits - 1) {
                const std::int64_t i = word * 64 + std::countr_zero(bits);
                if (Takes(i))
                    visit(i, Record(i));
            }
        }
    }
};

}  // namespace vantrel::similar
