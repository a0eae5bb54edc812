#include "gui/features/similarfeature.h"

#include "gui/common/guardedslot.h"
#include "gui/features/comparefeature.h"
#include "gui/features/playersmenu.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/sidewindows/sidewindow.h"
#include "gui/sidewindows/similarwindow.h"
#include "gui/window/windowface.h"

#include <QMainWindow>
#include <QMessageBox>

namespace vantrel {

SimilarFeature::SimilarFeature(WindowFace& face, CompareFeature& compare)
    : QObject(&face), face_(face), compare_(compare), window_(std::make_unique<SimilarWindow>()) {
    PlayersMenu(face);  // its "Find Similar" triggers the list's
    connect(face.List(), &ResultView::similarRequested, this,
            Guarded([this] { FindForSelectedRow(); }));
    connect(window_.get(), &SimilarWindow::detailsRequested, this,
            Guarded([this](const SharedImage& roster, std::int32_t record) {
                face_.ShowDetails(roster, record);
            }));
    connect(window_.get(), &SimilarWindow::compareRequested, this,
            Guarded([this](const SharedImage& roster, const std::vector<std::int32_t>& records) {
                compare_.ComparePlayers(roster, records);
            }));
    connect(&face, &WindowFace::leagueLoaded, this, Guarded([this] { FollowLoad(); }));
    connect(&face, &WindowFace::searchFinished, this, Guarded([this] { FollowSearch(); }));
}

SimilarFeature::~SimilarFeature() = default;

void SimilarFeature::FindForSelectedRow() {
    const ResultModel* rows = face_.Rows();
    const int row = face_.List()->FirstSelectedRow();
    if (row < 0 || row >= rows->rowCount()) {
        QMessageBox::information(face_.Window(), QStringLiteral("Find Similar"),
                                 QStringLiteral("Select a player in the list to find players "
                                                "like him."));
        return;
    }
    const LeagueData& league = face_.League();
    if (rows->Roster() != league.RosterFileImage) {
        QMessageBox::information(face_.Window(), QStringLiteral("Find Similar"),
                                 QStringLiteral("The list is of a league that is no longer "
                                                "open. Search again to find players like one "
                                                "of it."));
        return;
    }
    const std::int32_t record = rows->RecordIndexAt(row);
    face_.RecordsOf(rows->Roster(), record);  // refuses a record outside the teams as Details does
    window_->ShowPlayer(league, record, ListedRecords(league.RosterFileImage));
    ShowSideWindow(window_.get());
}

std::vector<std::int32_t> SimilarFeature::ListedRecords(const SharedImage& roster) const {
    const ResultModel* rows = face_.Rows();
    std::vector<std::int32_t> listed;
    if (!roster || rows->Roster() != roster)
        return listed;
    listed.reserve(static_cast<std::size_t>(rows->rowCount()));
    for (int row = 0; row < rows->rowCount(); ++row)
        listed.push_back(rows->RecordIndexAt(row));
    return listed;
}

// The window keeps the players of a league loaded before readable; see MarkStale.
void SimilarFeature::FollowLoad() {
    const SharedImage& shown = window_->Roster();
    if (shown && shown != face_.League().RosterFileImage)
        window_->MarkStale();
}

void SimilarFeature::FollowSearch() {
    if (window_->isVisible())
        window_->SetListed(ListedRecords(window_->Roster()));
}

}  // namespace vantrel
