#pragma once

// Work over the records of a roster split into one stretch per core.

#include <algorithm>
#include <cstdint>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

namespace vantrel {

// Counts the records [0, count) in stretches of whole multiples of `align` records, one
// per core and none shorter than `minimum` (at least one stretch); the first stays on the
// calling thread. The parts are added in record order with Part::Add. A thread the system
// cannot start (no memory for its stack, say) is no error: its stretch is counted on the
// calling thread when asked for.
template <class Part, class CountStretch>
Part CountInParts(std::int64_t count, std::int64_t minimum, std::int64_t align,
                  CountStretch countStretch) {
    const std::int64_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::int64_t parts = std::clamp<std::int64_t>(count / minimum, 1, cores);
    const std::int64_t stretch = (count / parts + align - 1) / align * align;
    std::vector<std::future<Part>> others;
    others.reserve(static_cast<std::size_t>(parts));
    for (std::int64_t p = 1; p < parts; ++p) {
        const std::int64_t begin = std::min(count, p * stretch);
        const std::int64_t end = std::min(count, begin + stretch);
        try {
            others.push_back(std::async(std::launch::async, countStretch, begin, end));
        } catch (const std::system_error&) {
            others.push_back(std::async(std::launch::deferred, countStretch, begin, end));
        }
    }
    Part whole = countStretch(0, std::min(count, stretch));
    for (std::future<Part>& other : others)
        whole.Add(other.get());
    return whole;
}

// Runs work(begin, end) on the stretches CountInParts makes, for work that writes the
// result of each record in its own place.
template <class Work>
void WorkInParts(std::int64_t count, std::int64_t minimum, Work work) {
    struct Done {
        void Add(const Done&) {}
    };
    CountInParts<Done>(count, minimum, 1, [&work](std::int64_t begin, std::int64_t end) {
        work(begin, end);
        return Done{};
    });
}

}  // namespace vantrel
