#include "gui/features/searchreportcontent.h"

#include "core/league/records.h"
#include "core/order/resultcolumns.h"
#include "core/search/reportwords.h"
#include "core/search/searchreport.h"
#include "core/score/scoreweights.h"
#include "core/season/changefilter.h"
#include "gui/common/displaytext.h"
#include "gui/window/windowface.h"

#include <array>

namespace vantrel {

namespace {

// The name of a team of a team image as stored; empty outside the image.
std::string_view TeamBytes(const ByteImage* teams, std::int64_t teamIndex) {
    const std::uint8_t* team = RecordInImage(teams, teamIndex, kTeamRecordSize);
    return team ? TeamRecord(team).Name() : std::string_view();
}

// The words of the near misses of one report, made row by row as the table asks. Holds
// the images weakly: a report left open does not keep a released league in memory.
class NearMissDescriber {
  public:
    NearMissDescriber(const SearchReport& report, const SearchCriteria& criteria,
                      const SharedImage& roster, const SharedImage& teams, std::int32_t teamStride)
        : misses_(report.nearMisses),
          criteria_(criteria),
          roster_(roster),
          teams_(teams),
          teamStride_(teamStride) {}

    NearMissTexts operator()(std::size_t index) {
        const SharedImage roster = roster_.lock();
        const SharedImage teams = teams_.lock();
        if (!roster || index >= misses_.size())
            return {};
        const NearMiss& miss = misses_[index];
        const std::uint8_t* record = RecordInImage(roster.get(), miss.record, kPlayerRecordSize);
        const std::string_view team = TeamBytes(teams.get(), TeamBlockOf(miss.record, teamStride_));
        const std::string_view wantedTeam = TeamBytes(teams.get(), criteria_.teamIndex);
        return {DecodeText(CellBytes(record, kNameColumn)), DecodeText(team),
                DecodeText(CellBytes(record, kPositionColumn)),
                CriterionWords(miss.criterion, wantedTeam),
                DecodeText(NearMissText(criteria_, miss, team, wantedTeam))};
    }

  private:
    // The same few criteria stand in every row: their words are made once each.
    const QString& CriterionWords(int criterion, std::string_view wantedTeam) {
        QString& words = criterionWords_[static_cast<std::size_t>(criterion)];
        if (words.isEmpty())
            words = DecodeText(CriterionText(criteria_, criterion, wantedTeam));
        return words;
    }

    std::vector<NearMiss> misses_;
    SearchCriteria criteria_;
    std::weak_ptr<const ByteImage> roster_, teams_;
    std::int32_t teamStride_ = 0;
    std::array<QString, kCriterionCount> criterionWords_;
};

// The near misses as rows of the report's table, nearest first as the report lists them.
std::vector<NearMissRow> NearMissRows(const SearchReport& report, const PlayerFilter& filter) {
    std::vector<NearMissRow> rows;
    rows.reserve(report.nearMisses.size());
    for (std::size_t i = 0; i < report.nearMisses.size(); ++i) {
        const NearMiss& miss = report.nearMisses[i];
        rows.push_back(
            NearMissRow{miss.record, filter.MissDistance(miss.criterion, miss.value), i});
    }
    return rows;
}

}  // namespace

ReportContent MakeReportContent(const LastSearch& last) {
    const PlayerFilter filter(last.criteria, last.teamStride);
    const SearchReport report = MakeSearchReport(filter, *last.roster, last.playerCount);
    ReportContent content;
    content.summary = QStringLiteral(
                          "%1 players found of %2 named players; %3 fail at least "
                          "one criterion.")
                          .arg(report.matches)
                          .arg(report.namedPlayers)
                          .arg(report.failingAny);
    // The report counts the panel's criteria; the changes since last season and the score
    // bounds come after.
    QStringList after;
    if (last.changes.IsActive())
        after << QString::fromStdString(ChangeCriteriaLine(last.changes));
    if (last.score.HasBounds())
        after << QString::fromStdString(ScoreBoundsLine(last.score));
    if (!after.isEmpty())
        content.summary += QStringLiteral("\n%1: %2 of them are listed.")
                               .arg(after.join(QStringLiteral("; ")))
                               .arg(last.listed);
    const std::string_view wantedTeam = TeamBytes(last.teams.get(), last.criteria.teamIndex);
    for (const CriterionCount& count : report.criteria) {
        content.criteria.push_back(ReportCriterionRow{
            count.criterion, DecodeText(CriterionText(last.criteria, count.criterion, wantedTeam)),
            count.failing, count.failingOnly});
    }
    content.misses = NearMissRows(report, filter);
    content.words =
        NearMissDescriber(report, last.criteria, last.roster, last.teams, last.teamStride);
    content.missTotal = report.nearMissTotal;
    return content;
}

}  // namespace vantrel
