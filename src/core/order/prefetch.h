#pragma once

// Reads and writes out of order over arrays larger than the cache wait on a cache miss
// each; asking for the line a few places ahead lets the misses overlap.

#include <cstddef>

namespace vantrel {

// How many places ahead a loop that reads or writes out of order asks for its lines.
inline constexpr std::size_t kPrefetchAhead = 16;

// Asks for the cache line of `address`; a hint only.
inline void Prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace vantrel
