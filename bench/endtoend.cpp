// End-to-end timings of the real main window on generated leagues: the load through the
// open dialog, searches, header-click sorts, a repaint of the result list, a details
// display, two chart frames, the search report of a search with six criteria, the compare
// window on four rows and a chart frame with three search thresholds drawn. Every
// timing is the median of several runs and stands next to a floor measured in the same
// run: one read of the league files into a fresh buffer for the load (and, as a second
// floor, into pages already in memory), one pass summing the roster bytes for the
// searches; the search report stands next to the Reset search.
//
// Usage: bench_endtoend [--runs N] [--json FILE] [--largest] [RECORDS ...]
//   RECORDS: league sizes in player records (default 540 100000 1000000 10000000).
//   --largest: the largest league the format allows (24 970 740 records, a roster of
//   2 147 483 640 bytes): load, Reset search, sorts and displays only; opt-in, not in CI.

#include "gui/features/listexport.h"
#include "gui/window/mainwindow.h"
#include "gui/window/startup.h"
#include "core/league/leaguedata.h"
#include "core/league/records.h"
#include "core/search/playerfilter.h"
#include "core/search/reportwords.h"
#include "gui/results/resultmodel.h"
#include "gui/sidewindows/comparewindow.h"
#include "gui/sidewindows/searchreportwindow.h"
#include "support/modalanswerer.h"

#include "leaguegen.h"
#include "thresholds.h"
#include "timing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::MillisecondsSince;
using bench::TimeMs;

// Peak resident memory of the process in KiB, and a reset of that peak; Linux only.
std::int64_t ProcStatusKiB(const char* field) {
#ifdef __linux__
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0)
            return std::strtoll(line.c_str() + prefix.size(), nullptr, 10);
    }
#else
    (void)field;
#endif
    return -1;
}

void ResetPeakMemory() {
#ifdef __linux__
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";  // resets VmHWM to the current VmRSS
#endif
}

// The load floor: the same files read whole into fresh buffers of their exact size.
std::uint64_t ReadFilesFloor(const std::vector<std::string>& paths) {
    std::uint64_t total = 0;
    for (const std::string& path : paths) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(0, std::ios::end);
        const auto size = static_cast<std::size_t>(in.tellg());
        in.seekg(0, std::ios::beg);
        auto buffer = std::make_unique_for_overwrite<char[]>(size);
        in.read(buffer.get(), static_cast<std::streamsize>(size));
        total += static_cast<std::uint64_t>(in.gcount());
        total += static_cast<unsigned char>(buffer[size / 2]);
    }
    return total;
}

// The second load floor: the same files read into buffers whose pages are already in
// memory, so that only the kernel's copy is timed.
double ReadIntoPlaceFloorMs(const std::vector<std::string>& paths) {
    std::vector<std::vector<char>> buffers;
    std::vector<std::ifstream> files;
    for (const std::string& path : paths) {
        files.emplace_back(path, std::ios::binary);
        files.back().seekg(0, std::ios::end);
        buffers.emplace_back(static_cast<std::size_t>(files.back().tellg()), '\1');
        files.back().seekg(0, std::ios::beg);
    }
    return TimeMs([&] {
        for (std::size_t i = 0; i < files.size(); ++i)
            files[i].read(buffers[i].data(), static_cast<std::streamsize>(buffers[i].size()));
    });
}

// The search floor: every roster byte read once.
std::uint64_t SumBytes(const vantrel::ByteImage& image) {
    std::uint64_t sum = 0;
    const std::uint8_t* bytes = image.data.get();
    for (std::size_t i = 0; i < image.size; ++i)
        sum += bytes[i];
    return sum;
}

// One measured figure: the median of its runs, and the median of its floor if it has one.
struct Figure {
    std::string name;
    std::vector<double> runs;
    std::vector<double> floorRuns;
    std::string floorName;
};

struct SizeResult {
    std::int64_t records = 0;
    std::int64_t rowsReset = 0;
    std::int64_t rowsSelective = 0;
    int selectiveThreshold = 0;
    std::int64_t rowsSix = 0;
    vantrel::SearchCriteria sixCriteria;  // as the panel gave them
    vantrel::SearchReport report;         // the core's report of the six criteria, for the figures
    std::int64_t loadPeakKiB = -1;        // the first load's
    std::int64_t listPeakKiB = -1;        // the searches', sorts' and displays'
    std::int64_t peakKiB = -1;            // the same with every other feature
    std::int64_t imageBytes = 0;
    double modelBytesPerRow = 0;
    double rssBytesPerRow = 0;
    std::vector<Figure> figures;
    bool largest = false;  // load, Reset search, sorts and displays only
};

// A league of about the given number of records: 40 slots a team (30 for the smallest,
// which is the classic 18 x 30 league; 60 where that gives the exact count and 40 does
// not, as for the largest league), three goalies a team.
leaguegen::League MakeLeague(std::int64_t records) {
    leaguegen::Options options;
    options.seed = 7;
    options.slotsPerTeam = records <= 540 ? 30 : (records % 40 != 0 && records % 60 == 0 ? 60 : 40);
    options.teams = static_cast<int>(std::max<std::int64_t>(1, records / options.slotsPerTeam));
    options.goaliesPerTeam = 3;
    return leaguegen::Generate(options);
}

template <typename T>
T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        std::cerr << "control not found: " << name << "\n";
        std::exit(2);
    }
    return child;
}

// Writes the league of about `wanted` records to base.tms and base.ros; returns the
// number of records written. The generated league is freed before the window starts.
std::int64_t WriteLeagueFiles(std::int64_t wanted, const QString& base) {
    const leaguegen::League league = MakeLeague(wanted);
    if (!leaguegen::WriteLeague(league, base.toStdString())) {
        std::cerr << "cannot write " << base.toStdString() << "\n";
        std::exit(2);
    }
    return static_cast<std::int64_t>(league.roster.size()) / 86;
}

// The running program and the controls the measurements drive, for one league size.
struct Session {
    QString base;
    std::vector<std::string> files;
    std::unique_ptr<vantrel::Program> program;
    vantrel::VAvevadi* window = nullptr;
    QAction* open = nullptr;
    QAction* searchReport = nullptr;
    QPushButton* search = nullptr;
    QPushButton* reset = nullptr;
    QPushButton* details = nullptr;
    QTableView* found = nullptr;
    QWidget* chart = nullptr;
    vantrel::ResultModel* model = nullptr;
    const vantrel::ByteImage* roster = nullptr;  // set once the league is loaded
};

// Starts the program, waits for the main window and finds its controls.
void StartWindow(Session& s) {
    s.program = vantrel::StartUp();
    s.window = s.program->Pfinder.get();
    if (!QTest::qWaitForWindowExposed(s.window)) {
        std::cerr << "main window not shown\n";
        std::exit(2);
    }

    s.open = Child<QAction>(s.window, "Filesffnen1");
    s.searchReport = Child<QAction>(s.window, "SearchReport1");
    s.search = Child<QPushButton>(s.window, "Button2");
    s.reset = Child<QPushButton>(s.window, "Button3");
    s.details = Child<QPushButton>(s.window, "Button1");
    s.found = Child<QTableView>(s.window, "found");
    s.chart = Child<QWidget>(s.window, "ch");
    s.model = qobject_cast<vantrel::ResultModel*>(s.found->model());
    if (!s.model) {
        std::cerr << "the result list has no result model\n";
        std::exit(2);
    }
}

// The load through the open dialog, each run next to a plain read of both files. From
// the second run on, a load reuses the memory of the images it replaces; the first is
// also given alone in `first`. The memory peak of the first load, the only one without a
// floor's buffer beside a league, goes to `peakKiB`.
Figure MeasureLoad(Session& s, int runs, std::int64_t& peakKiB, Figure& first) {
    Figure load{"load (dialog accepted .. handler done)", {}, {}, "read both files"};
    for (int run = 0; run < runs; ++run) {
        load.floorRuns.push_back(TimeMs([&] {
            volatile std::uint64_t sink = ReadFilesFloor(s.files);
            (void)sink;
        }));
        vantrel::testsupport::ModalAnswerer answer;
        answer.AnswerFile(s.base + QStringLiteral(".ros"));
        if (run == 0)
            ResetPeakMemory();
        s.open->trigger();
        const double ms = MillisecondsSince(answer.FileAccepted());
        if (run == 0)
            peakKiB = ProcStatusKiB("VmHWM");
        QStringList problems = answer.Unexpected();
        for (const vantrel::testsupport::BoxSeen& box : answer.Boxes())
            problems << box.text;
        if (!answer.AllFileAnswersUsed() || !problems.isEmpty() || !s.window->League().IsLoaded()) {
            std::cerr << "load failed: " << problems.join(QStringLiteral("; ")).toStdString()
                      << "\n";
            std::exit(2);
        }
        load.runs.push_back(ms);
    }
    first = Figure{"first load (images in fresh memory)",
                   {load.runs.front()},
                   {load.floorRuns.front()},
                   "read both files"};
    s.roster = s.window->League().RosterFileImage.get();
    return load;
}

Figure MeasureReadIntoPlace(const Session& s, int runs) {
    Figure read{"read both files into pages in memory", {}, {}, {}};
    for (int run = 0; run < runs; ++run)
        read.runs.push_back(ReadIntoPlaceFloorMs(s.files));
    return read;
}

// The floor of the searches and sorts: one pass over the roster bytes.
double SearchFloorMs(const Session& s) {
    return TimeMs([&] {
        volatile std::uint64_t sink = SumBytes(*s.roster);
        (void)sink;
    });
}

// A search that about 1 % of the players pass: the SK bar at its threshold, "at least".
Figure MeasureSelectiveSearch(Session& s, int runs, SizeResult& result) {
    result.selectiveThreshold = bench::OnePercentThreshold(*s.roster, vantrel::kSK);
    s.reset->click();
    s.window->BindCriteriaControls();
    QSlider* skBar = s.window->CriteriaControls.trackBars[vantrel::kSK];
    QCheckBox* skBox = s.window->CriteriaControls.checkBoxes[vantrel::kSK];

    Figure selective{"search, SK >= threshold (~1 % pass)", {}, {}, "sum roster bytes"};
    skBox->setCheckState(Qt::Unchecked);
    skBar->setValue(result.selectiveThreshold);
    for (int run = 0; run < runs; ++run) {
        selective.floorRuns.push_back(SearchFloorMs(s));
        selective.runs.push_back(TimeMs([&] { s.search->click(); }));
    }
    result.rowsSelective = s.model->rowCount();
    s.reset->click();
    return selective;
}

// The search with the Reset criteria into an empty list, and the storage of its rows.
Figure MeasureFullSearch(Session& s, int runs, SizeResult& result) {
    Figure all{"search, Reset criteria (all named)", {}, {}, "sum roster bytes"};
    std::int64_t rssBefore = 0, rssAfter = 0;
    for (int run = 0; run < runs; ++run) {
        all.floorRuns.push_back(SearchFloorMs(s));
        s.model->Clear();
        // Freed rows are reused by later runs: only the first search shows the growth.
        if (run == 0)
            rssBefore = ProcStatusKiB("VmRSS");
        all.runs.push_back(TimeMs([&] { s.search->click(); }));
        if (run == 0)
            rssAfter = ProcStatusKiB("VmRSS");
    }
    result.rowsReset = s.model->rowCount();
    if (result.rowsReset > 0) {
        result.modelBytesPerRow =
            static_cast<double>(s.model->RowStorageBytes()) / static_cast<double>(result.rowsReset);
        result.rssBytesPerRow = static_cast<double>(rssAfter - rssBefore) * 1024.0 /
                                static_cast<double>(result.rowsReset);
    }
    return all;
}

// The header-click sorts, then the displays, measured in this order in every run.
struct ListFigures {
    Figure sortNumber{"sort by Salary (record order)", {}, {}, "sum roster bytes"};
    Figure sortSmall{"sort by OV (after Salary)", {}, {}, "sum roster bytes"};
    Figure sortName{"sort by name (after OV)", {}, {}, "sum roster bytes"};
    Figure sortReverse{"sort by name again (reverse)", {}, {}, "sum roster bytes"};
    Figure repaint{"repaint of the result list", {}, {}, ""};
    Figure show{"details (first skater row, Button1)", {}, {}, ""};
    Figure frame{"one chart frame (repaint ch)", {}, {}, ""};
    Figure finished{"chart frame, animation ended", {}, {}, ""};
};

// One run of the sorts, each a click on a column header, after a search that restores
// the record order; all four share one floor.
void MeasureSortRun(Session& s, ListFigures& f) {
    s.search->click();  // record order again, sort key 0
    QApplication::processEvents();
    const double floor = SearchFloorMs(s);
    f.sortNumber.floorRuns.push_back(floor);
    f.sortSmall.floorRuns.push_back(floor);
    f.sortName.floorRuns.push_back(floor);
    f.sortReverse.floorRuns.push_back(floor);
    vantrel::VAvevadi& window = *s.window;
    f.sortNumber.runs.push_back(TimeMs([&] { window.foundColumnClick(vantrel::kSalaryColumn); }));
    f.sortSmall.runs.push_back(TimeMs([&] { window.foundColumnClick(vantrel::kOverallColumn); }));
    f.sortName.runs.push_back(TimeMs([&] { window.foundColumnClick(vantrel::kNameColumn); }));
    f.sortReverse.runs.push_back(TimeMs([&] { window.foundColumnClick(vantrel::kNameColumn); }));
    QApplication::processEvents();
}

// One run of the displays: a repaint of the list, the details of the first skater row,
// one frame of the chart those details show (the first of the zoom-in, small and without
// texts) and one of the finished chart with every label and value mark.
void MeasureDisplayRun(Session& s, ListFigures& f) {
    f.repaint.runs.push_back(TimeMs([&] { s.found->viewport()->repaint(); }));

    int row = 0;
    while (row < s.model->rowCount() && s.model->CellText(row, vantrel::kPositionColumn) == "G")
        ++row;
    s.found->clearSelection();
    s.found->selectRow(row);
    f.show.runs.push_back(TimeMs([&] { s.details->click(); }));
    QApplication::processEvents();
    f.frame.runs.push_back(TimeMs([&] { s.chart->repaint(); }));
    const auto* animation = s.window->findChild<QTimer*>(QStringLiteral("tim"));
    if (!QTest::qWaitFor([&] { return !animation->isActive(); }, 5000)) {
        std::cerr << "chart animation did not end\n";
        std::exit(2);
    }
    f.finished.runs.push_back(TimeMs([&] { s.chart->repaint(); }));
}

// The compare window opened on the first four rows of the list, from hidden, until it
// has been shown and painted; closed again after each run.
Figure MeasureCompare(Session& s, int runs) {
    Figure open{"compare window, four rows, opened", {}, {}, ""};
    QWidget* window = s.program->compare;
    for (int run = 0; run < runs; ++run) {
        s.found->clearSelection();
        for (int row = 0; row < 4; ++row)
            s.found->selectionModel()->select(
                s.model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        open.runs.push_back(TimeMs([&] {
            s.window->findChild<QAction*>(QStringLiteral("Compare1"))->trigger();
            QApplication::processEvents();
        }));
        if (!window->isVisible()) {
            std::cerr << "the compare window did not open\n";
            std::exit(2);
        }
        window->close();
        QApplication::processEvents();
    }
    return open;
}

// File -> Export List... without its dialog: every row of a Reset search written as a
// CSV file and renamed over the last run's file.
Figure MeasureExport(Session& s, int runs) {
    Figure exported{"export list as CSV (all rows)", {}, {}, ""};
    s.reset->click();
    s.search->click();
    s.found->clearSelection();
    QApplication::processEvents();
    const QString path = s.base + QStringLiteral("-list.csv");
    for (int run = 0; run < runs; ++run) {
        QString failure;
        exported.runs.push_back(TimeMs([&] {
            failure = vantrel::ExportRows(*s.window->Face().List(), *s.window->Face().Rows(),
                                          s.window->Face().LeagueFiles(), path);
        }));
        if (!failure.isEmpty()) {
            std::cerr << "export failed: " << failure.toStdString() << "\n";
            std::exit(2);
        }
    }
    QFile::remove(path);
    return exported;
}

// A frame of the finished details chart with three rating criteria drawn on it (SK and PA
// at least, OV at most), the panel reset afterwards.
Figure MeasureThresholdFrame(Session& s, int runs) {
    Figure frame{"chart frame, three thresholds drawn", {}, {}, ""};
    s.reset->click();
    s.window->BindCriteriaControls();
    const std::array<std::pair<int, Qt::CheckState>, 3> criteria = {
        {{vantrel::kSK, Qt::Unchecked},
         {vantrel::kPA, Qt::Unchecked},
         {vantrel::kOverallIndex, Qt::PartiallyChecked}}};
    for (const auto& [rating, mode] : criteria) {
        s.window->CriteriaControls.checkBoxes[static_cast<std::size_t>(rating)]->setCheckState(
            mode);
        s.window->CriteriaControls.trackBars[static_cast<std::size_t>(rating)]->setValue(60);
    }
    s.found->clearSelection();
    s.found->selectRow(0);
    s.details->click();
    const auto* animation = s.window->findChild<QTimer*>(QStringLiteral("tim"));
    if (!QTest::qWaitFor([&] { return !animation->isActive(); }, 5000)) {
        std::cerr << "chart animation did not end\n";
        std::exit(2);
    }
    for (int run = 0; run < runs; ++run)
        frame.runs.push_back(TimeMs([&] { s.chart->repaint(); }));
    s.reset->click();
    QApplication::processEvents();
    return frame;
}

// The six criteria of the report figures, set on the panel's own controls after Reset.
void SetSixCriteria(Session& s, const bench::SixCriteria& six) {
    s.reset->click();
    s.window->BindCriteriaControls();
    Child<QRadioButton>(s.window, ("rgposItem" + std::to_string(six.positionItem)).c_str())
        ->click();
    Child<QSlider>(s.window, "tbmax")->setValue(six.ageMax);
    for (std::size_t i = 0; i < six.ratings.size(); ++i) {
        const auto rating = static_cast<std::size_t>(six.ratings[i]);
        s.window->CriteriaControls.checkBoxes[rating]->setCheckState(Qt::Unchecked);
        s.window->CriteriaControls.trackBars[rating]->setValue(six.thresholds[i]);
    }
    Child<QLineEdit>(s.window, "Edit6")->setText(QString::number(six.salaryMin));
}

// The search with the six criteria, the report window still closed (as the Reset and SK
// searches are measured); the panel must give exactly six active criteria.
Figure MeasureSixCriteriaSearch(Session& s, int runs, SizeResult& result) {
    SetSixCriteria(s, bench::SixCriteriaOf(*s.roster));
    Figure six{"search, six criteria", {}, {}, "sum roster bytes"};
    for (int run = 0; run < runs; ++run) {
        six.floorRuns.push_back(SearchFloorMs(s));
        six.runs.push_back(TimeMs([&] { s.search->click(); }));
    }
    result.rowsSix = s.model->rowCount();
    result.sixCriteria = s.window->Face().CriteriaNow();
    return six;
}

// The core's pass alone, with the criteria the panel gave, to tell it from the window's
// share of the report; its counts must agree with the list.
Figure MeasureReportPass(Session& s, int runs, const Figure& resetSearch, SizeResult& result) {
    Figure pass{"search report, core pass only", {}, resetSearch.runs, "search, Reset criteria"};
    const vantrel::PlayerFilter filter(result.sixCriteria, s.window->League().TeamStride);
    if (filter.ActiveCriteria().size() != 6) {
        std::cerr << "the panel gives " << filter.ActiveCriteria().size()
                  << " active criteria, not six\n";
        std::exit(2);
    }
    for (int run = 0; run < runs; ++run) {
        pass.runs.push_back(TimeMs([&] {
            result.report =
                vantrel::MakeSearchReport(filter, *s.roster, s.window->League().PlayerCount());
        }));
    }
    if (result.report.matches != result.rowsSix) {
        std::cerr << "the search report counts " << result.report.matches
                  << " matches, the list shows " << result.rowsSix << "\n";
        std::exit(2);
    }
    return pass;
}

// The search report of the six-criteria search, through the real window: the menu item
// opens it once, then each run refreshes it by the menu's handler without a search. The
// Reset search of this run is its reference. The window is closed and the panel reset
// afterwards.
Figure MeasureReport(Session& s, int runs, const Figure& resetSearch) {
    Figure report{"search report, six criteria", {}, resetSearch.runs, "search, Reset criteria"};
    QWidget* window = s.program->report;
    s.searchReport->trigger();
    QApplication::processEvents();
    if (!window || !window->isVisible()) {
        std::cerr << "the search report window did not open\n";
        std::exit(2);
    }
    for (int run = 0; run < runs; ++run) {
        report.runs.push_back(TimeMs([&] { s.searchReport->trigger(); }));
        QApplication::processEvents();
    }
    window->close();
    s.reset->click();
    QApplication::processEvents();
    return report;
}

// The figures of one league size, in the order of the printed table. The largest league
// (an opt-in run) gets the load, the Reset search, the sorts and the displays only.
SizeResult MeasureSize(std::int64_t wanted, int runs, const QString& folder, bool largest) {
    SizeResult result;
    result.largest = largest;
    Session s;
    s.base = folder + QStringLiteral("/league") + QString::number(wanted);
    result.records = WriteLeagueFiles(wanted, s.base);
    s.files = {s.base.toStdString() + ".tms", s.base.toStdString() + ".ros"};
    for (const std::string& file : s.files)
        result.imageBytes += static_cast<std::int64_t>(std::filesystem::file_size(file));
    StartWindow(s);

    Figure firstLoad;
    const Figure load = MeasureLoad(s, runs, result.loadPeakKiB, firstLoad);
    // From here on the program's memory only: the floors below allocate nothing.
    ResetPeakMemory();
    const Figure selective = largest ? Figure{} : MeasureSelectiveSearch(s, runs, result);
    const Figure all = MeasureFullSearch(s, runs, result);
    ListFigures list;
    for (int run = 0; run < runs; ++run) {
        MeasureSortRun(s, list);
        MeasureDisplayRun(s, list);
    }
    result.listPeakKiB = ProcStatusKiB("VmHWM");
    std::vector<Figure> more;
    if (!largest) {
        // After every other figure, so that the report window open and the six criteria
        // set change none of them.
        more = {MeasureSixCriteriaSearch(s, runs, result),
                MeasureReport(s, runs, all),
                MeasureReportPass(s, runs, all, result),
                MeasureCompare(s, runs),
                MeasureThresholdFrame(s, runs),
                MeasureExport(s, runs)};
    }
    result.peakKiB = ProcStatusKiB("VmHWM");
    // After the peak is taken: its buffers hold both files once more.
    const Figure readIntoPlace = MeasureReadIntoPlace(s, runs);
    result.figures = {load, firstLoad, readIntoPlace};
    if (!largest)
        result.figures.push_back(selective);
    result.figures.insert(result.figures.end(),
                          {all, list.sortNumber, list.sortSmall, list.sortName, list.sortReverse,
                           list.repaint, list.show, list.frame, list.finished});
    result.figures.insert(result.figures.end(), more.begin(), more.end());
    s.program.reset();
    QApplication::processEvents();
    return result;
}

void PrintTable(const SizeResult& r, int runs) {
    if (r.largest) {
        std::printf(
            "\n== %lld records, the largest league (%lld named listed), median of %d runs\n",
            static_cast<long long>(r.records), static_cast<long long>(r.rowsReset), runs);
    } else {
        std::printf(
            "\n== %lld records (%lld named listed; selective SK >= %d lists %lld), median of "
            "%d runs\n",
            static_cast<long long>(r.records), static_cast<long long>(r.rowsReset),
            r.selectiveThreshold, static_cast<long long>(r.rowsSelective), runs);
    }
    std::printf("%-40s %12s %12s %8s  %s\n", "step", "median ms", "floor ms", "ratio", "floor");
    for (const Figure& f : r.figures) {
        const double m = Median(f.runs);
        if (f.floorRuns.empty()) {
            std::printf("%-40s %12.3f %12s %8s\n", f.name.c_str(), m, "", "");
        } else {
            const double fl = Median(f.floorRuns);
            std::printf("%-40s %12.3f %12.3f %8.2f  %s\n", f.name.c_str(), m, fl,
                        fl > 0 ? m / fl : 0.0, f.floorName.c_str());
        }
    }
    std::printf("%-40s %12.1f MiB\n", "peak memory (VmHWM), first load",
                static_cast<double>(r.loadPeakKiB) / 1024);
    std::printf("%-40s %12.1f MiB\n", "peak memory, searches and sorts",
                static_cast<double>(r.listPeakKiB) / 1024);
    std::printf("%-40s %12.1f MiB\n", "peak memory, every feature",
                static_cast<double>(r.peakKiB) / 1024);
    const double budget = static_cast<double>(r.imageBytes + 32 * r.rowsReset) / 1048576.0 + 64;
    std::printf("%-40s %12.1f MiB\n", "budget: images + 32 B/row + 64 MiB", budget);
    std::printf("%-40s %12.1f (process RSS growth: %.1f)\n", "bytes per listed row (model)",
                r.modelBytesPerRow, r.rssBytesPerRow);
    if (r.largest)
        return;
    std::printf("six criteria list %lld of %lld named; %lld fail at least one, %lld by one only\n",
                static_cast<long long>(r.rowsSix), static_cast<long long>(r.report.namedPlayers),
                static_cast<long long>(r.report.failingAny),
                static_cast<long long>(r.report.nearMissTotal));
    for (const vantrel::CriterionCount& count : r.report.criteria) {
        std::printf("  %-30s fail it %10lld, fail only it %10lld\n",
                    vantrel::CriterionText(r.sixCriteria, count.criterion, "").c_str(),
                    static_cast<long long>(count.failing),
                    static_cast<long long>(count.failingOnly));
    }
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void WriteJson(const std::string& path, const std::vector<SizeResult>& results, int runs) {
    std::ofstream out(path);
    out << "{\n  \"runs\": " << runs << ",\n  \"sizes\": [\n";
    for (std::size_t s = 0; s < results.size(); ++s) {
        const SizeResult& r = results[s];
        out << "    {\"records\": " << r.records << ", \"rowsReset\": " << r.rowsReset
            << ", \"rowsSelective\": " << r.rowsSelective
            << ", \"selectiveThreshold\": " << r.selectiveThreshold
            << ", \"rowsSixCriteria\": " << r.rowsSix
            << ", \"sixCriteriaNearMisses\": " << r.report.nearMissTotal
            << ", \"loadPeakKiB\": " << r.loadPeakKiB << ", \"listPeakKiB\": " << r.listPeakKiB
            << ", \"peakKiB\": " << r.peakKiB << ", \"modelBytesPerRow\": " << r.modelBytesPerRow
            << ", \"rssBytesPerRow\": " << r.rssBytesPerRow << ",\n     \"steps\": [\n";
        for (std::size_t i = 0; i < r.figures.size(); ++i) {
            const Figure& f = r.figures[i];
            out << "       {\"step\": " << JsonString(f.name)
                << ", \"medianMs\": " << Median(f.runs);
            if (!f.floorRuns.empty()) {
                out << ", \"floor\": " << JsonString(f.floorName)
                    << ", \"floorMedianMs\": " << Median(f.floorRuns);
            }
            out << "}" << (i + 1 < r.figures.size() ? "," : "") << "\n";
        }
        out << "     ]}" << (s + 1 < results.size() ? "," : "") << "\n";
    }
    out << "  ]\n}\n";
}

// Wall-clock nanoseconds, comparable between two processes on this machine.
std::int64_t WallNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The child of the start-up measurement: the program's own start-up, then the moment the
// main window is shown, printed for the parent.
int StartupChild() {
    auto program = vantrel::StartUp();
    if (!QTest::qWaitForWindowExposed(program->Pfinder.get()))
        return 1;
    std::printf("%lld\n", static_cast<long long>(WallNanoseconds()));
    return 0;
}

// Process start to main window shown: the parent notes the time, starts a child of this
// program that runs the start-up, and takes the child's time of the shown window.
double MeasureStartupMs(const QString& program, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        const std::int64_t before = WallNanoseconds();
        child.start(program, {QStringLiteral("--startup-child")});
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            continue;
        const qint64 shown = child.readAllStandardOutput().trimmed().toLongLong();
        times.push_back(static_cast<double>(shown - before) / 1e6);
    }
    return times.empty() ? -1 : Median(times);
}

}  // namespace

// The most whole records a roster can hold: 86-byte records in at most 2147483647 bytes.
constexpr qlonglong kLargestLeagueRecords = 24'970'740;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    if (QApplication::arguments().contains(QStringLiteral("--startup-child")))
        return StartupChild();

    int runs = 5;
    bool largest = false;
    std::string jsonPath;
    std::vector<std::int64_t> sizes;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--runs") && i + 1 < args.size()) {
            runs = std::max(1, args[++i].toInt());
        } else if (args[i] == QStringLiteral("--json") && i + 1 < args.size()) {
            jsonPath = args[++i].toStdString();
        } else if (args[i] == QStringLiteral("--largest")) {
            largest = true;
        } else {
            bool ok = false;
            const qlonglong records = args[i].toLongLong(&ok);
            if (!ok || records < 1 || records > kLargestLeagueRecords) {
                std::cerr << "usage: bench_endtoend [--runs N] [--json FILE] [--largest] "
                             "[RECORDS ...]\n";
                return 2;
            }
            sizes.push_back(records);
        }
    }
    if (largest)
        sizes = {kLargestLeagueRecords};
    if (sizes.empty())
        sizes = {540, 100'000, 1'000'000, 10'000'000};

    std::printf("start-up (process start to main window shown, offscreen): %.1f ms, median of %d\n",
                MeasureStartupMs(QApplication::applicationFilePath(), std::max(runs, 5)),
                std::max(runs, 5));

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::cerr << "no temporary folder\n";
        return 2;
    }
    std::vector<SizeResult> results;
    for (const std::int64_t records : sizes) {
        results.push_back(MeasureSize(records, runs, folder.path(), largest));
        PrintTable(results.back(), runs);
        std::fflush(stdout);
    }
    if (!jsonPath.empty())
        WriteJson(jsonPath, results, runs);
    return 0;
}
