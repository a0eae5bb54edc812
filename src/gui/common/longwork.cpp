#include "gui/common/longwork.h"

#include "gui/common/busycursor.h"
#include "gui/common/progressdialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <future>
#include <system_error>
#include <thread>
#include <utility>

namespace vantrel {

namespace {

std::chrono::milliseconds progressDelay{400};
// How often the window looks whether the work has ended, and shows the count done.
constexpr std::chrono::milliseconds kCheckInterval{5};
constexpr std::chrono::milliseconds kShowInterval{50};
// How long the window waits for the work without handling events.
constexpr std::chrono::milliseconds kQuietWait{50};
// How a wait ends: the work has ended, or the dialog is due (any other code: the
// application quits).
constexpr int kWorkEnded = 1;
constexpr int kDialogDue = 2;

// The work on a thread of its own. A thread the system cannot start (no memory for its
// stack, say) is no error: the work then runs at once on the calling thread.
class Worker {
  public:
    Worker(const std::function<void(WorkProgress&)>& work, WorkProgress& progress)
        : progress_(progress), ended_(end_.get_future()) {
        try {
            thread_ = std::thread([this, run = &work] { Run(*run); });
        } catch (const std::system_error&) {
            Run(work);
        }
    }
    // Work still running when the caller leaves early is told to stop, and waited for.
    ~Worker() { Join(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Whether the work has ended, waiting at most `wait` for it.
    bool Finished(std::chrono::milliseconds wait = {}) const {
        return !ended_.valid() || ended_.wait_for(wait) == std::future_status::ready;
    }
    // Waits for the work (told to stop if it still runs), then throws what it threw.
    void End() {
        Join();
        ended_.get();
    }

  private:
    void Run(const std::function<void(WorkProgress&)>& work) {
        try {
            work(progress_);
            end_.set_value();
        } catch (...) {
            end_.set_exception(std::current_exception());
        }
    }
    void Join() {
        if (!Finished())
            progress_.Cancel();
        if (thread_.joinable())
            thread_.join();
    }

    WorkProgress& progress_;
    std::promise<void> end_;
    std::future<void> ended_;
    std::thread thread_;
};

// Refuses drops on every window while work runs: a drop arrives as a message, not as
// input, and a dropped league file would load over the rows the work reads.
class DropGuard : public QObject {
  public:
    DropGuard() { QCoreApplication::instance()->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        event->ignore();
        return true;
    }
};

// Until the dialog is due the window paints but takes no input; for a first moment it
// does not even handle events, so that quick work ends as any handler does. True when the
// dialog is due; false when the work has ended or the application quits.
bool WaitForDialog(const Worker& worker, QEventLoop& loop) {
    const BusyCursor busy;
    if (worker.Finished(kQuietWait))
        return false;
    QTimer due;
    due.setSingleShot(true);
    QObject::connect(&due, &QTimer::timeout, &loop, [&loop] { loop.exit(kDialogDue); });
    due.start(std::max(progressDelay - kQuietWait, std::chrono::milliseconds::zero()));
    return loop.exec(QEventLoop::ExcludeUserInputEvents) == kDialogDue && !worker.Finished();
}

// Waits until the work has ended, or the application quits (every event loop ends then),
// with the dialog shown once it is due (at once without a delay, even for work that has
// ended by then).
void Wait(QWidget* owner, const LongWork& what, WorkProgress& progress, const Worker& worker) {
    QEventLoop loop;
    // The worker sends nothing: the window looks whether it has finished.
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&loop, &worker] {
        if (worker.Finished())
            loop.exit(kWorkEnded);
    });
    check.start(kCheckInterval);
    if (progressDelay > std::chrono::milliseconds::zero() && !WaitForDialog(worker, loop))
        return;
    ProgressDialog dialog(owner, what.doing.arg(QLocale().toString(what.rows)), what.steps,
                          what.cancellable, progress);
    QTimer show;
    QObject::connect(&show, &QTimer::timeout, &dialog, &ProgressDialog::ShowDone);
    show.start(kShowInterval);
    dialog.show();
    if (!worker.Finished())
        loop.exec();
}

}  // namespace

void RunLongWork(QWidget* owner, const LongWork& what,
                 const std::function<void(WorkProgress&)>& work) {
    WorkProgress progress;
    if (what.rows < kBusyRowCount) {
        work(progress);
        return;
    }
    const DropGuard noDrops;
    Worker worker(work, progress);
    Wait(owner, what, progress, worker);
    worker.End();
}

std::chrono::milliseconds SetProgressDelay(std::chrono::milliseconds delay) {
    return std::exchange(progressDelay, delay);
}

}  // namespace vantrel
