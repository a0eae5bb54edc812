// Makes the README's screenshots: starts the program as usual, opens a league through
// the real open dialog, searches, and shows a skater's and a goalie's details once the
// chart animation has ended, then a narrower search and its report, and a skater's details
// with the panel's rating bounds on his chart. Each window is saved as a PNG.
//
// Last, an earlier season beside it: the season window and a chart with last season's marks;
// then a list with the user's own score and the players most like its top scorer.
//
//   screenshots LEAGUEFILE EARLIERFILE OUTDIR   (run under Xvfb, or QT_QPA_PLATFORM=offscreen)

#include "core/league/records.h"
#include "gui/results/resultmodel.h"
#include "gui/window/mainwindow.h"
#include "gui/sidewindows/searchreportwindow.h"
#include "gui/sidewindows/about.h"
#include "gui/sidewindows/comparewindow.h"
#include "gui/sidewindows/finfo.h"
#include "gui/sidewindows/legende.h"
#include "gui/window/startup.h"
#include "support/modalanswerer.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget* window, const QString& file) {
    const bool ok = window->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    return ok;
}

// Selects a row of the list and shows its player once the chart animation has ended.
void ShowRow(vantrel::VAvevadi& window, int row) {
    auto* found = window.findChild<QTableView*>(QStringLiteral("found"));
    found->selectionModel()->select(
        found->model()->index(row, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    Wait(1200);  // the animation takes about 0.6 s
}

// Shows the first listed player for whom wanted(position text) holds.
bool ShowDetails(vantrel::VAvevadi& window, const std::function<bool(const QString&)>& wanted) {
    QAbstractItemModel* model = window.findChild<QTableView*>(QStringLiteral("found"))->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (wanted(model->index(row, 1).data().toString())) {
            ShowRow(window, row);
            return true;
        }
    }
    return false;
}

// A search for centres of at most 30 with SK and PA at least 70, then its report.
bool ShowSearchReport(vantrel::VAvevadi& window) {
    window.findChild<QRadioButton*>(QStringLiteral("rgposItem1"))->setChecked(true);
    window.findChild<QSlider*>(QStringLiteral("tbmax"))->setValue(30);
    window.findChild<QSlider*>(QStringLiteral("tbx7"))->setValue(70);
    window.findChild<QSlider*>(QStringLiteral("tbx8"))->setValue(70);
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    window.findChild<QAction*>(QStringLiteral("SearchReport1"))->trigger();
    Wait(300);
    return true;
}

// After Reset and a search for everybody: SK at least 70, PA at least 50 and OV at least
// 60 set on the panel, then the details of the first centre who fails SK and meets PA.
bool ShowThresholds(vantrel::VAvevadi& window) {
    window.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    window.findChild<QSlider*>(QStringLiteral("tbx7"))->setValue(70);
    window.findChild<QSlider*>(QStringLiteral("tbx8"))->setValue(50);
    window.findChild<QSlider*>(QStringLiteral("tbx14"))->setValue(60);
    const auto* model = qobject_cast<const vantrel::ResultModel*>(
        window.findChild<QTableView*>(QStringLiteral("found"))->model());
    for (int row = 0; model && row < model->rowCount(); ++row) {
        const vantrel::PlayerRecord player(window.League().PlayerAt(model->RecordIndexAt(row)));
        if (player.Position() == 0 && player.Rating(vantrel::kSK) < 70 &&
            player.Rating(vantrel::kPA) >= 50) {
            ShowRow(window, row);
            return true;
        }
    }
    return false;
}

// Three skaters and a goalie of the list side by side in the compare window.
bool ShowCompare(vantrel::VAvevadi& window) {
    window.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    auto* found = window.findChild<QTableView*>(QStringLiteral("found"));
    QAbstractItemModel* model = found->model();
    found->clearSelection();
    int skaters = 0;
    bool goalie = false;
    for (int row = 0; row < model->rowCount() && (skaters < 3 || !goalie); ++row) {
        const bool isGoalie = model->index(row, 1).data().toString() == "G";
        if (isGoalie ? goalie : skaters == 3)
            continue;
        if (isGoalie)
            goalie = true;
        else
            ++skaters;
        found->selectionModel()->select(model->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    window.findChild<QAction*>(QStringLiteral("Compare1"))->trigger();
    Wait(300);
    return true;
}

// The earlier season opened through its dialog, a search for the players whose OV rose
// by 3 or more, the season window, and the first centre found, his chart marking last
// season's values.
bool ShowSeason(vantrel::VAvevadi& window, const QString& earlier) {
    {
        vantrel::testsupport::ModalAnswerer answerer;
        answerer.AnswerFile(earlier);
        window.findChild<QAction*>(QStringLiteral("OpenEarlierSeason1"))->trigger();
    }
    window.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    QApplication::clipboard()->setText(QStringLiteral("dOV>=3"));
    window.findChild<QAction*>(QStringLiteral("PasteCriteria1"))->trigger();
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    window.findChild<QAction*>(QStringLiteral("SeasonChanges1"))->trigger();
    Wait(300);
    QAbstractItemModel* model = window.findChild<QTableView*>(QStringLiteral("found"))->model();
    for (int row = 0; model->columnCount() > 19 && row < model->rowCount(); ++row) {
        const QString change = model->index(row, 19).data().toString();
        if (model->index(row, 1).data().toString() == "C" && change.startsWith('+')) {
            ShowRow(window, row);
            return true;
        }
    }
    return false;
}

QWidget* TopLevel(const QString& name);

// The season closed, a score of the centre preset's kind set through the criteria text
// for centres scoring 60 or more, the list sorted by it, highest first; then the players
// most like the top scorer.
bool ShowScoreAndSimilar(vantrel::VAvevadi& window) {
    window.findChild<QAction*>(QStringLiteral("CloseEarlierSeason1"))->trigger();
    window.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    QApplication::clipboard()->setText(
        QStringLiteral("pos=C score=IT*4+SP*4+ST*5+EN*3+DU+DI+SK*6+PA*10+PC*8+DF*5+SC*8+EX*2+LD*2 "
                       "score>=60"));
    window.findChild<QAction*>(QStringLiteral("PasteCriteria1"))->trigger();
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    auto* found = window.findChild<QTableView*>(QStringLiteral("found"));
    const int score = found->model()->columnCount() - 1;
    if (found->model()->headerData(score, Qt::Horizontal).toString() != "Score" ||
        found->model()->rowCount() == 0)
        return false;
    for (int click = 0; click < 2; ++click)
        emit found->horizontalHeader()->sectionClicked(score);
    found->selectionModel()->select(
        found->model()->index(0, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Wait(300);  // the scroll range follows the new column once laid out
    found->horizontalScrollBar()->setValue(found->horizontalScrollBar()->maximum());
    Wait(100);
    return true;
}

QWidget* TopLevel(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == name)
            return top;
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: screenshots LEAGUEFILE EARLIERFILE OUTDIR\n");
        return 2;
    }
    const QString league = QFileInfo(args[1]).absoluteFilePath();
    const QString earlier = QFileInfo(args[2]).absoluteFilePath();
    const QDir out(args[3]);
    QDir().mkpath(out.path());

    auto program = vantrel::StartUp();
    vantrel::VAvevadi& window = *program->Pfinder;
    Wait(300);
    {
        vantrel::testsupport::ModalAnswerer answerer;
        answerer.AnswerFile(league);
        window.findChild<QAction*>(QStringLiteral("Filesffnen1"))->trigger();
    }
    if (window.League().PlayersPerTeam <= 0) {
        std::fprintf(stderr, "the league did not load\n");
        return 1;
    }
    window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    Wait(300);
    bool ok = Save(&window, out.filePath("main-window.png"));
    ok = ShowDetails(window, [](const QString& pos) { return pos == "C"; }) &&
         Save(&window, out.filePath("skater-details.png")) && ok;
    ok = ShowDetails(window, [](const QString& pos) { return pos == "G"; }) &&
         Save(&window, out.filePath("goalie-details.png")) && ok;
    window.findChild<QAction*>(QStringLiteral("FileInfos1"))->trigger();
    window.findChild<QAction*>(QStringLiteral("CheckboxLegend1"))->trigger();
    window.findChild<QAction*>(QStringLiteral("AboutVantrelDizaruRezudoz1"))->trigger();
    Wait(300);
    ok = Save(program->finfo.get(), out.filePath("file-infos.png")) && ok;
    ok = Save(program->legende.get(), out.filePath("legend.png")) && ok;
    ok = Save(program->about.get(), out.filePath("about.png")) && ok;
    ok = ShowSearchReport(window) && Save(program->report, out.filePath("search-report.png")) && ok;
    ok = ShowThresholds(window) && Save(&window, out.filePath("details-thresholds.png")) && ok;
    ok = ShowCompare(window) && Save(program->compare, out.filePath("compare.png")) && ok;
    ok = ShowSeason(window, earlier) && Save(&window, out.filePath("details-earlier.png")) && ok;
    ok = TopLevel("SeasonWindow") &&
         Save(TopLevel("SeasonWindow"), out.filePath("season-changes.png")) && ok;
    TopLevel("SeasonWindow")->hide();
    ok = ShowScoreAndSimilar(window) && Save(&window, out.filePath("score-list.png")) && ok;
    window.findChild<QAction*>(QStringLiteral("FindSimilar1"))->trigger();
    Wait(300);
    ok = TopLevel("SimilarWindow") &&
         Save(TopLevel("SimilarWindow"), out.filePath("similar-players.png")) && ok;
    return ok ? 0 : 1;
}
