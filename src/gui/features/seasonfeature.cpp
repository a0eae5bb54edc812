#include "gui/features/seasonfeature.h"

#include "core/eval/overall.h"
#include "core/season/changefilter.h"
#include "core/season/seasonmatch.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "gui/common/longwork.h"
#include "gui/features/menuaction.h"
#include "gui/sidewindows/seasonwindow.h"
#include "gui/sidewindows/sidewindow.h"
#include "gui/window/detailspages.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

#include <new>

namespace vantrel {

namespace {

// The earlier season's dialog is the "Open File" dialog's twin: the same filter and modes.
QString ChooseLeagueFile(QWidget* window) {
    const auto* open = window->findChild<QFileDialog*>(QStringLiteral("od"));
    QFileDialog dialog(window,
                       QStringLiteral("select the earlier season's Team- or Rosterfile ..."));
    dialog.setObjectName(QStringLiteral("odEarlier"));
    dialog.setNameFilters(open->nameFilters());
    dialog.setFileMode(open->fileMode());
    dialog.setAcceptMode(open->acceptMode());
    dialog.setOptions(open->options());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The bar's value of the earlier record: the chart's own rule, a rating or OV cut to a
// whole number.
double EarlierBarValue(const std::uint8_t* then, int rating) {
    return rating == kOV ? OverallValue(then) : PlayerRecord(then).Rating(rating);
}

}  // namespace

SeasonFeature::SeasonFeature(WindowFace& face)
    : QObject(&face), face_(face), window_(std::make_unique<SeasonWindow>()) {
    AddActions();
    AddLines();
    connect(&face, &WindowFace::leagueLoaded, this, Guarded([this] { Match(); }));
    connect(&face, &WindowFace::panelSet, this, Guarded([this] { ShowChangeLine(); }));
    connect(&face, &WindowFace::detailsShown, this,
            Guarded([this](const std::uint8_t* record) { MarkEarlierValues(record); }));
    connect(window_.get(), &SeasonWindow::detailsRequested, this,
            Guarded([this](const SharedImage& roster, std::int32_t record) {
                face_.ShowDetails(roster, record);
            }));
}

SeasonFeature::~SeasonFeature() = default;

void SeasonFeature::AddActions() {
    QMenu* file = face_.Menu("Datei1");
    // Right after "Open File"; the menu's actions belong to the window, not to the menu.
    const QList<QAction*> actions = file->actions();
    qsizetype openFile = 0;
    while (openFile < actions.size() &&
           actions[openFile]->objectName() != QLatin1String("Filesffnen1"))
        ++openFile;
    QAction* before = actions.value(openFile + 1);
    QAction* openEarlier =
        AddMenuAction(file, "OpenEarlierSeason1", QStringLiteral("Open Earlier Season..."),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), before);
    connect(openEarlier, &QAction::triggered, this, Guarded([this](bool) { OpenEarlierSeason(); }));
    close_ = AddMenuAction(file, "CloseEarlierSeason1", QStringLiteral("Close Earlier Season"), {},
                           before);
    connect(close_, &QAction::triggered, this, Guarded([this](bool) { CloseEarlierSeason(); }));
    marks_ = AddMenuAction(face_.Menu("View1"), "EarlierSeasonOnChart1",
                           QStringLiteral("Earlier Season on Chart"));
    marks_->setCheckable(true);
    marks_->setChecked(true);
    connect(marks_, &QAction::toggled, this, Guarded([this](bool) { ShowMarks(); }));
    changes_ = AddMenuAction(face_.Menu("Statistics1"), "SeasonChanges1",
                             QStringLiteral("Season Changes..."));
    connect(changes_, &QAction::triggered, this, Guarded([this](bool) { ShowSeasonWindow(); }));
    close_->setEnabled(false);
    changes_->setEnabled(false);
}

// The status bar line of the open season, and the panel's line of change criteria: both
// hidden while they have nothing to say.
void SeasonFeature::AddLines() {
    status_ = new QLabel(face_.Window());
    status_->setObjectName(QStringLiteral("earlierSeasonStatus"));
    status_->setAccessibleName(QStringLiteral("Earlier season"));
    face_.Window()->statusBar()->addWidget(status_, 1);
    face_.Window()->statusBar()->hide();
    changeLine_ = new QLabel(face_.PanelBox());
    changeLine_->setObjectName(QStringLiteral("changeCriteriaLine"));
    changeLine_->setProperty("vantrelFeature", true);  // no control of the panel's own
    changeLine_->setAccessibleName(QStringLiteral("Change criteria"));
    // The free corner below the Team and Position boxes.
    changeLine_->setGeometry(204, 202, 206, 46);
    changeLine_->setWordWrap(true);
    changeLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    changeLine_->hide();
}

void SeasonFeature::OpenEarlierSeason() {
    const QString chosen = ChooseLeagueFile(face_.Window());
    if (chosen.isEmpty())
        return;
    EarlierLeague read;
    const QString error = [&] {
        const BusyCursor busy;  // the match shows its own progress
        return ReadEarlierLeague(chosen, read);
    }();
    if (!error.isEmpty()) {
        ShowErrorBox(QStringLiteral("Fehler"), error, QStringLiteral("loadError"));
        return;
    }
    earlier_ = std::move(read);
    Match();
}

void SeasonFeature::CloseEarlierSeason() {
    earlier_.reset();
    PanelState panel = face_.Panel();
    if (panel.changes.IsActive()) {
        panel.changes = {};
        face_.SetPanel(panel);
    }
    Match();
    window_->hide();
}

void SeasonFeature::Match() {
    const LeagueData& league = face_.League();
    std::shared_ptr<const SeasonMatch> match;
    if (earlier_ && league.IsLoaded()) {
        const LongWork matching{
            .doing = QStringLiteral("Matching %1 players with the earlier season\u2026"),
            .rows = league.PlayerCount()};
        try {
            RunLongWork(face_.Window(), matching, [&](WorkProgress&) {
                match = std::make_shared<const SeasonMatch>(
                    league.RosterFileImage, league.PlayerCount(), earlier_->league.RosterFileImage,
                    earlier_->league.PlayerCount());
            });
        } catch (const std::bad_alloc&) {
            ShowOutOfMemory(QStringLiteral("match"), league.PlayerCount());
        }
    }
    face_.SetSeason(match);
    close_->setEnabled(earlier_.has_value());
    changes_->setEnabled(match != nullptr);
    ShowStatus();
    ShowMarks();
    if (match && window_->isVisible())
        ShowSeasonWindow();
}

void SeasonFeature::ShowStatus() {
    QMainWindow* window = face_.Window();
    QStatusBar* bar = window->statusBar();
    if (bar->isVisibleTo(window) != earlier_.has_value()) {
        // The window grows by the line, so that the pages keep all of their room.
        const int line = bar->sizeHint().height();
        bar->setVisible(earlier_.has_value());
        window->resize(window->width(), window->height() + (earlier_ ? line : -line));
    }
    if (!earlier_)
        return;
    QString text = QStringLiteral("Earlier season: %1 \u2014 ").arg(earlier_->name);
    if (const auto& match = face_.Season()) {
        const SeasonCounts counts = match->Counts();
        text += QStringLiteral("%1 of %2 players matched")
                    .arg(counts.matched)
                    .arg(counts.matched + counts.fresh + counts.ambiguous);
    } else {
        text += QStringLiteral("open a league to compare it with");
    }
    status_->setText(text);
}

void SeasonFeature::ShowChangeLine() {
    const QString line = QString::fromStdString(ChangeCriteriaLine(face_.Panel().changes));
    changeLine_->setText(line);
    changeLine_->setToolTip(line);
    changeLine_->setVisible(!line.isEmpty());
}

void SeasonFeature::ShowMarks() {
    const bool shown = marks_->isChecked() && face_.Season() != nullptr;
    for (BarSeries3D* series : face_.RatingSeries())
        qobject_cast<BarChart3D*>(series->parent())->setEarlierVisible(shown);
}

// Each rating bar of a matched player gets the earlier value as a mark, and its tooltip
// the words "last season 80, +5".
void SeasonFeature::MarkEarlierValues(const std::uint8_t* record) {
    const auto& match = face_.Season();
    const SharedImage& roster = face_.League().RosterFileImage;
    if (!match || match->Current() != roster || record < roster->data.get())
        return;
    const auto index = static_cast<std::int32_t>((record - roster->data.get()) / kPlayerRecordSize);
    const std::uint8_t* then = match->EarlierRecordOf(index);
    if (!then)
        return;
    for (BarSeries3D* series : face_.RatingSeries()) {
        for (int bar = 0; bar < series->barCount(); ++bar) {
            const int rating = RatingOfBar(series->barLabel(bar));
            if (rating < 0)
                continue;
            const double was = EarlierBarValue(then, rating);
            series->setBarEarlier(bar, was);
            const QString words = QStringLiteral("last season %1, %2")
                                      .arg(was)
                                      .arg(QString::fromStdString(ChangeText(
                                          static_cast<int>(series->barValue(bar) - was))));
            const QString tip = series->barToolTip(bar);
            series->setBarToolTip(bar, tip.isEmpty() ? words : tip + QLatin1Char('\n') + words);
        }
    }
}

void SeasonFeature::ShowSeasonWindow() {
    if (!face_.Season() || !earlier_)
        return;
    window_->ShowSeason(face_.Season(), face_.League(), earlier_->league, earlier_->name);
    ShowSideWindow(window_.get());
}

}  // namespace vantrel
