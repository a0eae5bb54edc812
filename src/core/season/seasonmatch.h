#pragma once

// Two seasons of a league side by side: every named player of the current league matched
// to the same player in an earlier league file, by the exact bytes of the trimmed name.
// Where several players of either season share a name, a candidate of the same position
// is preferred, then one whose age now is the same or one year more; a pair is matched
// only when each is the other's single preferred candidate. A named player is matched,
// new (no earlier player has the name) or ambiguous (the name is there, but no pair is
// certain); an earlier named player is matched or gone. File order decides nothing.

#include "core/league/largepages.h"
#include "core/league/leaguedata.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantrel {

// What EarlierOf gives besides an earlier record index (>= 0).
inline constexpr std::int32_t kNewPlayer = -1;
inline constexpr std::int32_t kAmbiguousPlayer = -2;
inline constexpr std::int32_t kNoPlayer = -3;  // an empty slot, or a record outside the league

struct SeasonCounts {
    std::int64_t matched = 0;
    std::int64_t fresh = 0;  // new players
    std::int64_t ambiguous = 0;
    std::int64_t gone = 0;

    bool operator==(const SeasonCounts&) const = default;
};

class SeasonMatch {
  public:
    // Matches the first currentCount records of `current` to the first earlierCount of
    // `earlier` (whole records only; counts beyond an image are cut to it). Both images
    // are kept. Throws std::bad_alloc when the memory for the match is not there.
    SeasonMatch(SharedImage current, std::int32_t currentCount, SharedImage earlier,
                std::int32_t earlierCount);

    const SharedImage& Current() const { return current_; }
    const SharedImage& Earlier() const { return earlier_; }
    std::int32_t CurrentCount() const { return static_cast<std::int32_t>(earlierOf_.size()); }
    std::int32_t EarlierCount() const { return earlierCount_; }

    // The earlier record index of a current record, or kNewPlayer, kAmbiguousPlayer,
    // kNoPlayer.
    std::int32_t EarlierOf(std::int32_t currentIndex) const;
    // The earlier record of a matched current record; nullptr for any other.
    const std::uint8_t* EarlierRecordOf(std::int32_t currentIndex) const;
    // The change of the OV column (whole numbers, now minus then); none when unmatched.
    std::optional<int> OverallChange(std::int32_t currentIndex) const;
    // The change of a rating (RatingIndex; kOV gives OverallChange); none when unmatched.
    std::optional<int> RatingChange(std::int32_t currentIndex, int rating) const;

    // EarlierOf and the OV changes of every current record at once, for loops over many
    // records; an unmatched record's OV change is kNoChange.
    static constexpr std::int16_t kNoChange = INT16_MIN;
    std::span<const std::int32_t> EarlierIndices() const { return earlierOf_; }
    std::span<const std::int16_t> OverallChanges() const { return overallChange_; }

    SeasonCounts Counts() const { return counts_; }
    // The earlier named players nobody was matched to, in file order.
    std::vector<std::int32_t> GoneRecords() const;
    // Bytes held beyond the two images.
    std::size_t StorageBytes() const;

  private:
    void Match();
    void SetOverallChanges();
    void CountAll();

    SharedImage current_;
    SharedImage earlier_;
    std::int32_t earlierCount_ = 0;
    LargeVector<std::int32_t> earlierOf_;      // a current record index each
    LargeVector<std::int16_t> overallChange_;  // a current record index each
    SeasonCounts counts_;
};

}  // namespace vantrel
