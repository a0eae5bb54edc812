#pragma once

// A counting sort of the list's rows by a small whole-number key: stable, and linear in
// the rows.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

// The rows 0..rowCount-1 ordered by bucketOf(row), which gives a value below `buckets`;
// rows of one bucket keep their order.
template <typename BucketOf>
std::vector<std::int32_t> BucketRowOrder(std::size_t rowCount, std::size_t buckets,
                                         BucketOf bucketOf) {
    std::vector<std::uint32_t> bucketOfRow(rowCount);
    std::vector<std::int64_t> starts(buckets + 1, 0);
    for (std::size_t row = 0; row < rowCount; ++row) {
        bucketOfRow[row] = static_cast<std::uint32_t>(bucketOf(row));
        ++starts[bucketOfRow[row] + 1];
    }
    for (std::size_t b = 1; b <= buckets; ++b)
        starts[b] += starts[b - 1];
    std::vector<std::int32_t> order(rowCount);
    for (std::size_t row = 0; row < rowCount; ++row)
        order[static_cast<std::size_t>(starts[bucketOfRow[row]]++)] =
            static_cast<std::int32_t>(row);
    return order;
}

}  // namespace vantrel
