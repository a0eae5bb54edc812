#pragma once

// Work over the records of a roster split into one stretch per core.

#include <algorithm>
#include <cstdint>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

namespace vantrel {

// Fewer records than this a stretch are not worth a thread of their own.
inline constexpr std::int64_t kRecordsPerStretch = 1 << 16;

// The bounds of the stretches [0, count) is split into: whole multiples of `align`
// records, one per core and none shorter than kRecordsPerStretch (at least one stretch).
// Stretch k runs from bounds[k] to bounds[k + 1]; the last bound is `count`.
inline std::vector<std::int64_t> StretchBounds(std::int64_t count, std::int64_t align = 1) {
    // Asked once: the system reads a file to answer.
    static const std::int64_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::int64_t parts = std::clamp<std::int64_t>(count / kRecordsPerStretch, 1, cores);
    const std::int64_t stretch = (count / parts + align - 1) / align * align;
    std::vector<std::int64_t> bounds;
    for (std::int64_t p = 0; p < parts; ++p)
        bounds.push_back(std::min(count, p * stretch));
    bounds.push_back(count);
    return bounds;
}

// Counts each stretch k of `bounds` with countStretch(k, begin, end), the first on the
// calling thread, and adds the parts in record order with Part::Add. A thread the system
// cannot start (no memory for its stack, say) is no error: its stretch is counted on the
// calling thread when asked for.
template <class Part, class CountStretch>
Part CountInStretches(const std::vector<std::int64_t>& bounds, CountStretch countStretch) {
    std::vector<std::future<Part>> others;
    others.reserve(bounds.size());
    for (std::size_t k = 1; k + 1 < bounds.size(); ++k) {
        try {
            others.push_back(
                std::async(std::launch::async, countStretch, k, bounds[k], bounds[k + 1]));
        } catch (const std::system_error&) {
            others.push_back(
                std::async(std::launch::deferred, countStretch, k, bounds[k], bounds[k + 1]));
        }
    }
    Part whole = countStretch(std::size_t{0}, bounds[0], bounds[1]);
    for (std::future<Part>& other : others)
        whole.Add(other.get());
    return whole;
}

// Counts the records [0, count) with countStretch(begin, end) in the stretches
// StretchBounds gives, as CountInStretches does.
template <class Part, class CountStretch>
Part CountInParts(std::int64_t count, std::int64_t align, CountStretch countStretch) {
    return CountInStretches<Part>(
        StretchBounds(count, align),
        [&countStretch](std::size_t, std::int64_t begin, std::int64_t end) {
            return countStretch(begin, end);
        });
}

// Runs work(k, bounds[k], bounds[k + 1]) for every stretch k of `bounds`, for work that
// writes its results in place.
template <class Work>
void InEachStretch(const std::vector<std::int64_t>& bounds, Work work) {
    struct Done {
        void Add(const Done&) {}
    };
    CountInStretches<Done>(bounds, [&work](std::size_t k, std::int64_t begin, std::int64_t end) {
        work(k, begin, end);
        return Done{};
    });
}

// Runs work(begin, end) on the stretches of [0, count), for work that writes the result
// of each record in its own place.
template <class Work>
void WorkInParts(std::int64_t count, Work work) {
    InEachStretch(StretchBounds(count),
                  [&work](std::size_t, std::int64_t begin, std::int64_t end) { work(begin, end); });
}

}  // namespace vantrel
