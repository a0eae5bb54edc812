#include "core/season/changeorder.h"

#include "core/order/bucketorder.h"
#include "core/season/seasonmatch.h"

#include <optional>

namespace vantrel {

namespace {

// Every change an int16 holds, then one bucket for the unmatched.
constexpr int kChangeOffset = 32768;
constexpr std::size_t kBuckets = 65536 + 1;

std::size_t BucketOf(const SeasonMatch* match, std::int32_t record, bool descending) {
    const std::optional<int> change = match ? match->OverallChange(record) : std::nullopt;
    if (!change)
        return kBuckets - 1;
    const int key = *change + kChangeOffset;
    return static_cast<std::size_t>(descending ? 65535 - key : key);
}

}  // namespace

std::vector<std::int32_t> ChangeRowOrder(const SeasonMatch* match,
                                         const std::vector<std::int32_t>& records,
                                         const std::vector<std::int32_t>& rows, bool descending) {
    return BucketRowOrder(rows.size(), kBuckets, [&](std::size_t row) {
        return BucketOf(match, records[static_cast<std::size_t>(rows[row])], descending);
    });
}

}  // namespace vantrel
