#pragma once

// A player record built byte by byte for the evaluation tests.

#include "core/league/records.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace vantrel::testing {

using Ratings = std::array<int, kStoredRatingCount>;

struct TestRecord {
    std::array<std::uint8_t, kPlayerRecordSize> bytes{};

    TestRecord() = default;
    TestRecord(int position, const Ratings& ratings) {
        SetPosition(position);
        SetRatings(ratings);
    }

    TestRecord& SetPosition(int position) {
        bytes[player::kPosition] = static_cast<std::uint8_t>(position);
        return *this;
    }
    TestRecord& SetRatings(const Ratings& ratings) {
        for (std::size_t i = 0; i < ratings.size(); ++i) {
            bytes[player::kRatings + i] = static_cast<std::uint8_t>(ratings[i]);
        }
        return *this;
    }
    TestRecord& SetRating(int index, int value) {
        bytes[static_cast<std::size_t>(player::kRatings + index)] = static_cast<std::uint8_t>(value);
        return *this;
    }
    TestRecord& SetAllRatings(int value) {
        std::fill_n(bytes.begin() + player::kRatings, kStoredRatingCount,
                    static_cast<std::uint8_t>(value));
        return *this;
    }
    TestRecord& SetName(std::string_view name) {
        std::fill_n(bytes.begin() + player::kName, kPlayerNameWidth, std::uint8_t{0});
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), kPlayerNameWidth),
                    bytes.begin() + player::kName);
        return *this;
    }
    TestRecord& SetByte(int offset, int value) {
        bytes[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
        return *this;
    }

    const std::uint8_t* data() const { return bytes.data(); }
};

}  // namespace vantrel::testing
