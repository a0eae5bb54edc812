#pragma once

// Work that can take long on a large league (an export, a copy, a sort, the search
// report, the season match) runs on a worker thread while the window goes on painting.
// Until its progress dialog is due the window takes no input, so that nothing starts
// other work on the rows the work reads; then the dialog tells how far it is (see
// progressdialog.h) and keeps every window from input until the work has ended. Work that
// ends within 50 ms shows nothing new; work on fewer than kBusyRowCount rows runs at once
// on the calling thread, as any other handler.

#include "gui/common/workprogress.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>

class QWidget;

namespace vantrel {

// One piece of long work as the progress dialog tells it.
struct LongWork {
    // What runs, %1 standing for the rows: "Exporting %1 players…".
    QString doing;
    // The rows the work goes through; they decide whether it is long.
    std::int64_t rows = 0;
    // The count the work reports up to; 0 shows a busy bar.
    std::int64_t steps = 0;
    // The dialog offers Cancel; the work stops at its next report.
    bool cancellable = false;
};

// Runs work(progress) and returns once it has ended (or stopped for a cancel); an
// exception of the work is thrown again here. The dialog stands over owner.
void RunLongWork(QWidget* owner, const LongWork& what,
                 const std::function<void(WorkProgress&)>& work);

// How long long work runs before its dialog shows (400 ms, so that the dialog is painted
// within half a second); returns the delay before. With 0 the dialog of every long work
// shows at once: tests see it however quick their machine is.
std::chrono::milliseconds SetProgressDelay(std::chrono::milliseconds delay);

}  // namespace vantrel
