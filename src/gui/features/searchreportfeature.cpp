#include "gui/features/searchreportfeature.h"

#include "core/search/panelstate.h"
#include "gui/common/guardedslot.h"
#include "gui/common/longwork.h"
#include "gui/features/menuaction.h"
#include "gui/features/searchreportcontent.h"
#include "gui/sidewindows/searchreportwindow.h"
#include "gui/sidewindows/sidewindow.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QMainWindow>

#include <new>
#include <utility>

namespace vantrel {

SearchReportFeature::SearchReportFeature(WindowFace& face)
    : QObject(&face), face_(face), report_(std::make_unique<SearchReportWindow>()) {
    QAction* action = AddMenuAction(face.Menu("Statistics1"), "SearchReport1",
                                    QStringLiteral("Search Report..."));
    connect(action, &QAction::triggered, this, Guarded([this](bool) { Show(); }));
    connect(report_.get(), &SearchReportWindow::relaxRequested, this,
            Guarded([this](int criterion) { Relax(criterion); }));
    connect(report_.get(), &SearchReportWindow::detailsRequested, this,
            Guarded([this](std::int32_t record) { ShowNearMiss(record); }));
    connect(&face, &WindowFace::searchFinished, this, Guarded([this] {
        if (report_->isVisible())
            Refresh();
    }));
    connect(&face, &WindowFace::leagueLoaded, this, Guarded([this] { FollowLoad(); }));
}

SearchReportFeature::~SearchReportFeature() = default;

void SearchReportFeature::Show() {
    Refresh();
    ShowSideWindow(report_.get());
}

void SearchReportFeature::Refresh() {
    const LastSearch& last = face_.Last();
    if (!last.done) {
        report_->ShowMessage(face_.League().IsLoaded()
                                 ? QStringLiteral("No search yet: the report explains the last "
                                                  "search.")
                                 : QStringLiteral("No league loaded: open a league and search."));
        return;
    }
    const LongWork reporting{.doing = QStringLiteral("Reporting on %1 players\u2026"),
                             .rows = last.playerCount};
    try {
        ReportContent content;
        RunLongWork(face_.Window(), reporting,
                    [&](WorkProgress&) { content = MakeReportContent(last); });
        report_->ShowContent(std::move(content));
    } catch (const std::bad_alloc&) {
        report_->ShowMessage(
            QStringLiteral("Not enough memory to report on %1 players.").arg(last.playerCount));
        return;
    }
    if (last.roster != face_.League().RosterFileImage)
        report_->MarkStale();
}

// A report of the league loaded before says so; before the first search the window's
// message follows whether a league is loaded.
void SearchReportFeature::FollowLoad() {
    const LastSearch& last = face_.Last();
    if (!last.done && report_->isVisible())
        Refresh();
    if (last.done && last.roster != face_.League().RosterFileImage)
        report_->MarkStale();
}

void SearchReportFeature::Relax(int criterion) {
    face_.SetPanel(Relaxed(face_.Panel(), criterion));
    face_.Search();
}

// A report of an earlier league, or of images since released, has nobody here to show.
void SearchReportFeature::ShowNearMiss(std::int32_t recordIndex) {
    face_.ShowDetails(face_.Last().roster, recordIndex);
}

}  // namespace vantrel
