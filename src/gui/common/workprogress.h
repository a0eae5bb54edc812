#pragma once

// What long work tells the window while it runs on a worker thread, and how the window
// tells it to stop: the worker writes the count done, the window reads it and may ask
// for a cancel, which the worker reads at its next report.

#include <atomic>
#include <cstdint>
#include <functional>

namespace vantrel {

class WorkProgress {
  public:
    // The count done so far; false once a cancel was asked for.
    bool Report(std::int64_t done) {
        done_.store(done, std::memory_order_relaxed);
        return !Cancelled();
    }
    // Report as a callback, for writers that take one.
    std::function<bool(std::int64_t)> Reporter() {
        return [this](std::int64_t done) { return Report(done); };
    }

    std::int64_t Done() const { return done_.load(std::memory_order_relaxed); }
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

  private:
    std::atomic<std::int64_t> done_{0};
    std::atomic<bool> cancelled_{false};
};

}  // namespace vantrel
