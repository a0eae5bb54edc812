#include "core/season/changeorder.h"

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

// A counting sort: stable, and linear in the rows.
std::vector<std::int32_t> ChangeRowOrder(const SeasonMatch* match,
                                         const std::vector<std::int32_t>& records,
                                         const std::vector<std::int32_t>& rows, bool descending) {
    std::vector<std::uint32_t> bucketOfRow(rows.size());
    std::vector<std::int64_t> starts(kBuckets + 1, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::int32_t record = records[static_cast<std::size_t>(rows[row])];
        bucketOfRow[row] = static_cast<std::uint32_t>(BucketOf(match, record, descending));
        ++starts[bucketOfRow[row] + 1];
    }
    for (std::size_t b = 1; b <= kBuckets; ++b)
        starts[b] += starts[b - 1];
    std::vector<std::int32_t> order(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row)
        order[static_cast<std::size_t>(starts[bucketOfRow[row]]++)] =
            static_cast<std::int32_t>(row);
    return order;
}

}  // namespace vantrel
