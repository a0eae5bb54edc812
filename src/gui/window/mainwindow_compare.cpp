// Comparing two to four players of the list side by side in the compare window, with
// the rank of each rating in the loaded league.

#include "gui/window/mainwindow.h"

#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/sidewindows/comparewindow.h"
#include "gui/sidewindows/sidewindows.h"

#include "ui_resultpage.h"

#include <QMessageBox>

namespace {

constexpr int kMinCompared = 2;
constexpr int kMaxCompared = 4;

QString Latin(std::optional<std::string_view> text) {
    return text ? QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size()))
                : QString();
}

QString NumberText(const std::uint8_t* record, int column) {
    return QString::number(vantrel::NumberCell(record, column));
}

// The facts of the compare table: list columns as the list writes them, the others as
// the details pages do.
std::array<QString, vantrel::kCompareFacts.size()> Facts(const std::uint8_t* record,
                                                         const std::uint8_t* team) {
    const vantrel::PlayerRecord player(record);
    return {vantrel::DecodeText(vantrel::TextCell(record, vantrel::kNameColumn)),
            vantrel::DecodeText(vantrel::TeamRecord(team).Name()),
            vantrel::DecodeText(vantrel::TextCell(record, vantrel::kPositionColumn)),
            NumberText(record, vantrel::kAgeColumn),
            Latin(vantrel::HandText(player.Hand())),
            QString::number(player.Height()),
            QString::number(player.Weight()),
            NumberText(record, vantrel::kSalaryColumn),
            NumberText(record, vantrel::kContractColumn),
            Latin(vantrel::StatusText(player.Status()))};
}

vantrel::ComparePlayer ComparePlayerOf(const std::uint8_t* record, const std::uint8_t* team,
                                       const vantrel::LeagueRanks& ranks) {
    vantrel::ComparePlayer compared;
    compared.facts = Facts(record, team);
    const vantrel::RankGroup group = vantrel::RankGroupOf(record);
    for (int rating = 0; rating < vantrel::kCompareRatings; ++rating) {
        // The goalie page shows neither DF nor SC.
        if (group == vantrel::RankGroup::kGoalies &&
            (rating == vantrel::kDF || rating == vantrel::kSC))
            continue;
        const auto value = static_cast<int>(vantrel::NumberCell(
            record, rating == vantrel::kOverallIndex ? vantrel::kOverallColumn
                                                     : vantrel::kFirstRatingColumn + rating));
        const vantrel::LeagueRank rank = ranks.RankOf(group, rating, value);
        const auto r = static_cast<std::size_t>(rating);
        compared.ratings[r] = value;
        compared.topPercent[r] = QString::fromStdString(vantrel::TopPercentText(rank));
        compared.rankText[r] =
            QString::fromStdString(vantrel::RankText(rating, value, rank, group));
    }
    return compared;
}

}  // namespace

void VAvevadi::AttachCompareWindow(vantrel::CompareWindow* compare) {
    compare_ = compare;
    connect(resultUi_->found, &vantrel::ResultView::compareRequested, this,
            vantrel::Guarded([this] { CompareSelectedRows(); }));
}

void VAvevadi::CompareSelectedRows() {
    // Counted first: a whole list selected is never copied row by row.
    const int selected = resultUi_->found->SelectedRowCount();
    if (selected < kMinCompared || selected > kMaxCompared) {
        QMessageBox::information(this, QStringLiteral("Compare"),
                                 QStringLiteral("Select 2 to 4 players in the list to "
                                                "compare them (%1 selected).")
                                     .arg(selected));
        return;
    }
    const QList<int> rows = resultUi_->found->SelectedRows();
    std::vector<vantrel::ComparePlayer> players;
    for (const int row : rows) {
        // Rows of a league loaded since are refused as their details are.
        const auto [record, team] =
            DetailsRecords(resultModel_->Roster(), resultModel_->RecordIndexAt(row));
        players.push_back(ComparePlayerOf(record, team, ranks_));
    }
    if (!compare_)
        return;
    compare_->ShowPlayers(players);
    vantrel::ShowSideWindow(compare_);
}
