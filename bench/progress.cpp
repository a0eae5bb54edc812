// Export List with and without its progress path, in the same run: every row of a Reset
// search written by ExportRows (the work on a worker thread, the window waiting in its
// own event loop, the progress dialog after its delay) and by WriteListFile called on the
// window's thread as before the progress path; the runs alternate, the medians are
// compared. Also measured: the time from the start of an export to the first paint of
// its progress dialog, and how many repaints of the list, asked for every 100 ms, were
// done while each export ran.
//
// Usage: bench_progress [--runs N] [RECORDS]   (default 5 runs, 10 000 000 records:
// 40 slots a team, 9 000 000 named players listed)

#include "gui/features/listexport.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/window/mainwindow.h"
#include "gui/window/startup.h"
#include "gui/window/windowface.h"
#include "support/modalanswerer.h"

#include "leaguegen.h"
#include "timing.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <vector>

namespace {

using bench::Clock;
using bench::Median;
using bench::MillisecondsSince;

// Notes the first paint of the progress dialog and counts the paints of the list.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(QWidget* list) : list_(list) { qApp->installEventFilter(this); }

    void Start() {
        start_ = Clock::now();
        firstDialogPaint.reset();
        listPaints = 0;
    }

    std::optional<double> firstDialogPaint;  // ms after Start()
    int listPaints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched == list_)
            ++listPaints;
        else if (!firstDialogPaint && watched->objectName() == "progressDialog")
            firstDialogPaint = MillisecondsSince(start_);
        return false;
    }

  private:
    QWidget* list_;
    Clock::time_point start_;
};

struct Runs {
    std::vector<double> direct, progress, firstPaint;
    std::vector<int> directPaints, progressPaints;
};

// One export each way, the order alternating from run to run.
void MeasureRun(vantrel::VAvevadi& window, const QString& path, PaintWatch& watch, bool directFirst,
                Runs& runs) {
    vantrel::WindowFace& face = window.Face();
    for (const bool direct : {directFirst, !directFirst}) {
        watch.Start();
        QString failure;
        const double ms = bench::TimeMs([&] {
            failure =
                direct ? vantrel::WriteListFile(*face.Rows(), nullptr, {}, face.LeagueFiles(), path)
                       : vantrel::ExportRows(*face.List(), *face.Rows(), face.LeagueFiles(), path);
        });
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(failure));
            std::exit(2);
        }
        (direct ? runs.direct : runs.progress).push_back(ms);
        (direct ? runs.directPaints : runs.progressPaints).push_back(watch.listPaints);
        if (!direct)
            runs.firstPaint.push_back(watch.firstDialogPaint.value_or(-1));
        QApplication::processEvents();
    }
}

// Writes, loads and searches the league; returns the rows listed.
int LoadAndSearch(vantrel::VAvevadi& window, const QString& base, long long records) {
    leaguegen::Options options;
    options.seed = 7;
    options.slotsPerTeam = 40;
    options.teams = static_cast<int>(records / options.slotsPerTeam);
    if (!leaguegen::WriteLeague(leaguegen::Generate(options), base.toStdString())) {
        std::fprintf(stderr, "cannot write the league\n");
        std::exit(2);
    }
    vantrel::testsupport::ModalAnswerer answer;
    answer.AnswerFile(base + ".ros");
    window.findChild<QAction*>(QStringLiteral("Filesffnen1"))->trigger();
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    return window.Face().Rows()->rowCount();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int runCount = 5;
    long long records = 10'000'000;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--runs" && i + 1 < args.size())
            runCount = std::max(1, args[++i].toInt());
        else
            records = std::max(40LL, args[i].toLongLong());
    }
    QTemporaryDir folder;
    auto program = vantrel::StartUp();
    vantrel::VAvevadi& window = *program->Pfinder;
    if (!folder.isValid() || !QTest::qWaitForWindowExposed(&window))
        return 2;
    const int rows = LoadAndSearch(window, folder.filePath("league"), records);
    window.Face().List()->clearSelection();

    QWidget* list = window.Face().List()->viewport();
    PaintWatch watch(list);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, list, [list] { list->update(); });
    repaint.start(100);
    Runs runs;
    for (int run = 0; run < runCount; ++run)
        MeasureRun(window, folder.filePath("list.csv"), watch, run % 2 == 0, runs);

    const double direct = Median(runs.direct);
    const double progress = Median(runs.progress);
    std::printf("Export List of %d rows (%lld records), median of %d runs\n", rows, records,
                runCount);
    std::printf("  without the progress path (window thread)  %10.1f ms\n", direct);
    std::printf("  with the progress path (worker, dialog)    %10.1f ms  (%.3f x)\n", progress,
                progress / direct);
    std::printf("  first paint of the progress dialog         %10.1f ms after the start\n",
                Median(runs.firstPaint));
    std::printf("  list repaints done while exporting         %10d without, %d with the path\n",
                runs.directPaints.back(), runs.progressPaints.back());
    return 0;
}
