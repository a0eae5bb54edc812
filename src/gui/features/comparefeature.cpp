#include "gui/features/comparefeature.h"

#include "core/eval/leaguerank.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "core/score/scoreweights.h"
#include "core/search/changecriteria.h"
#include "core/season/seasonmatch.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/sidewindows/comparewindow.h"
#include "gui/sidewindows/sidewindow.h"
#include "gui/window/detailspages.h"
#include "gui/window/windowface.h"

#include <QMainWindow>
#include <QMessageBox>

namespace vantrel {

namespace {

constexpr int kMinCompared = 2;
constexpr int kMaxCompared = 4;

QString OptionalText(std::optional<std::string_view> text) {
    return text ? Utf8Text(*text) : QString();
}

QString NumberText(const std::uint8_t* record, int column) {
    return QString::number(NumberCell(record, column));
}

// The facts of the compare table: list columns as the list writes them, the others as
// the details pages do.
std::array<QString, kCompareFacts.size()> Facts(const std::uint8_t* record,
                                                const std::uint8_t* team) {
    const PlayerRecord player(record);
    return {DecodeText(TextCell(record, kNameColumn)),
            DecodeText(TeamRecord(team).Name()),
            DecodeText(TextCell(record, kPositionColumn)),
            NumberText(record, kAgeColumn),
            OptionalText(HandText(player.Hand())),
            QString::number(player.Height()),
            QString::number(player.Weight()),
            NumberText(record, kSalaryColumn),
            NumberText(record, kContractColumn),
            OptionalText(StatusText(player.Status()))};
}

ComparePlayer ComparePlayerOf(const std::uint8_t* record, const std::uint8_t* team,
                              const LeagueRanks& ranks) {
    ComparePlayer compared;
    compared.facts = Facts(record, team);
    const RankGroup group = RankGroupOf(record);
    for (int rating = 0; rating < kRatingCriteriaCount; ++rating) {
        if (!ShowsRating(group, rating))
            continue;
        const auto value = static_cast<int>(NumberCell(
            record, rating == kOverallIndex ? kOverallColumn : kFirstRatingColumn + rating));
        const LeagueRank rank = ranks.RankOf(group, rating, value);
        const auto r = static_cast<std::size_t>(rating);
        compared.ratings[r] = value;
        compared.topPercent[r] = Utf8Text(TopPercentText(rank));
        compared.rankText[r] = Utf8Text(RankText(rating, value, rank, group));
    }
    return compared;
}

// Each rating's change since the earlier season, when one is open for the player's league.
void AddChanges(ComparePlayer& player, const SeasonMatch* season, const SharedImage& roster,
                std::int32_t index) {
    if (!season || season->Current() != roster)
        return;
    for (int rating = 0; rating < kRatingCriteriaCount; ++rating) {
        const std::optional<int> change = season->RatingChange(index, rating);
        if (change && player.ratings[static_cast<std::size_t>(rating)])
            player.change[static_cast<std::size_t>(rating)] =
                QString::fromStdString(ChangeText(*change));
    }
}

}  // namespace

CompareFeature::CompareFeature(WindowFace& face)
    : QObject(&face), face_(face), compare_(std::make_unique<CompareWindow>()) {
    connect(face.List(), &ResultView::compareRequested, this,
            Guarded([this] { CompareSelectedRows(); }));
    connect(&face, &WindowFace::detailsShown, this,
            Guarded([this](const std::uint8_t* record) { SetRankToolTips(record); }));
}

CompareFeature::~CompareFeature() = default;

void CompareFeature::CompareSelectedRows() {
    ResultView* list = face_.List();
    // Counted first: a whole list selected is never copied row by row.
    const int selected = list->SelectedRowCount();
    if (selected < kMinCompared || selected > kMaxCompared) {
        QMessageBox::information(face_.Window(), QStringLiteral("Compare"),
                                 QStringLiteral("Select 2 to 4 players in the list to "
                                                "compare them (%1 selected).")
                                     .arg(selected));
        return;
    }
    const ResultModel* rows = face_.Rows();
    std::vector<std::int32_t> records;
    for (const int row : list->SelectedRows())
        records.push_back(rows->RecordIndexAt(row));
    ComparePlayers(rows->Roster(), records);
}

void CompareFeature::ComparePlayers(const SharedImage& roster,
                                    const std::vector<std::int32_t>& records) {
    std::vector<ComparePlayer> players;
    const ScoreWeights weights = face_.Panel().score.weights;
    for (const std::int32_t index : records) {
        // Rows of a league loaded since are refused as their details are.
        const auto [record, team] = face_.RecordsOf(roster, index);
        players.push_back(ComparePlayerOf(record, team, face_.Ranks()));
        AddChanges(players.back(), face_.Season().get(), roster, index);
        if (weights.IsSet())
            players.back().score = QString::fromStdString(ScoreText(ScoreTenths(record, weights)));
    }
    compare_->ShowPlayers(players);
    ShowSideWindow(compare_.get());
}

// Every rating bar tells its rank in the league: "SK 85: rank 12 of 540 skaters, top 3 %".
void CompareFeature::SetRankToolTips(const std::uint8_t* record) {
    const RankGroup group = RankGroupOf(record);
    for (BarSeries3D* series : face_.RatingSeries()) {
        for (int bar = 0; bar < series->barCount(); ++bar) {
            const int rating = RatingOfBar(series->barLabel(bar));
            if (rating < 0)
                continue;
            const double value = series->barValue(bar);
            series->setBarToolTip(
                bar, Utf8Text(RankText(rating, value, face_.Ranks().RankOf(group, rating, value),
                                       group)));
        }
    }
}

}  // namespace vantrel
