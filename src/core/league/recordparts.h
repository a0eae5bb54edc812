#pragma once

// Work over the records of a roster split into one stretch per core.

#include <algorithm>
#include <cstdint>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

namespace vantrel {

// The bounds of the stretches [0, count) is counted in: whole multiples of `align`
// records, one per core and none shorter than `minimum` (at least one stretch). Stretch k
// runs from bounds[k] to bounds[k + 1]; the last bound is `count`.
inline std::vector<std::int64_t> StretchBounds(std::int64_t count, std::int64_t minimum,
                                               std::int64_t align) {
    // Asked once: the system reads a file to answer.
    static const std::int64_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::int64_t parts = std::clamp<std::int64_t>(count / minimum, 1, cores);
    const std::int64_t stretch = (count / parts + align - 1) / align * align;
    std::vector<std::int64_t> bounds;
    for (std::int64_t p = 0; p < parts; ++p)
        bounds.push_back(std::min(count, p * stretch));
    bounds.push_back(count);
    return bounds;
}

// Counts the records [0, count) in the stretches StretchBounds gives; the first stays on
// the calling thread. The parts are added in record order with Part::Add. A thread the
// system cannot start (no memory for its stack, say) is no error: its stretch is counted
// on the calling thread when asked for.
template <class Part, class CountStretch>
Part CountInParts(std::int64_t count, std::int64_t minimum, std::int64_t align,
                  CountStretch countStretch) {
    const std::vector<std::int64_t> bounds = StretchBounds(count, minimum, align);
    std::vector<std::future<Part>> others;
    others.reserve(bounds.size());
    for (std::size_t p = 1; p + 1 < bounds.size(); ++p) {
        try {
            others.push_back(
                std::async(std::launch::async, countStretch, bounds[p], bounds[p + 1]));
        } catch (const std::system_error&) {
            others.push_back(
                std::async(std::launch::deferred, countStretch, bounds[p], bounds[p + 1]));
        }
    }
    Part whole = countStretch(bounds[0], bounds[1]);
    for (std::future<Part>& other : others)
        whole.Add(other.get());
    return whole;
}

// Runs work(k, bounds[k], bounds[k + 1]) for every stretch k of `bounds`, as
// CountInParts counts them, for work that writes its results in place.
template <class Work>
void InEachStretch(const std::vector<std::int64_t>& bounds, Work work) {
    struct Done {
        void Add(const Done&) {}
    };
    const auto parts = static_cast<std::int64_t>(bounds.size() - 1);
    // One "record" per stretch, so that CountInParts hands out one stretch a thread.
    CountInParts<Done>(parts, 1, 1, [&](std::int64_t first, std::int64_t end) {
        for (std::int64_t k = first; k < end; ++k)
            work(static_cast<std::size_t>(k), bounds[std::size_t(k)], bounds[std::size_t(k) + 1]);
        return Done{};
    });
}

// Runs work(begin, end) on the stretches CountInParts makes, for work that writes the
// result of each record in its own place.
template <class Work>
void WorkInParts(std::int64_t count, std::int64_t minimum, Work work) {
    InEachStretch(StretchBounds(count, minimum, 1),
                  [&work](std::size_t, std::int64_t begin, std::int64_t end) { work(begin, end); });
}

}  // namespace vantrel
