#pragma once

// Large arrays read and written out of order (hash tables, maps from one roster to
// another). Fresh memory costs a page fault every 4 KiB and random reads miss the address
// translation cache; on Linux such arrays ask for 2 MiB pages instead, where the system
// offers them on request. Elsewhere, and for small arrays, this is plain memory.

#include <cstddef>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vantrel {

inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

template <class T>
struct LargePageAllocator {
    using value_type = T;

    LargePageAllocator() = default;
    template <class U>
    explicit LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kLargePage)
            return static_cast<T*>(::operator new(bytes));
        void* memory = ::operator new(Rounded(bytes), std::align_val_t(kLargePage));
#if defined(__linux__)
        madvise(memory, Rounded(bytes), MADV_HUGEPAGE);  // a hint; refused is fine
#endif
        return static_cast<T*>(memory);
    }
    void deallocate(T* memory, std::size_t n) {
        if (n * sizeof(T) < kLargePage)
            ::operator delete(memory);
        else
            ::operator delete(memory, std::align_val_t(kLargePage));
    }
    bool operator==(const LargePageAllocator&) const = default;

  private:
    static std::size_t Rounded(std::size_t bytes) {
        return (bytes + kLargePage - 1) / kLargePage * kLargePage;
    }
};

template <class T>
using LargeVector = std::vector<T, LargePageAllocator<T>>;

}  // namespace vantrel
