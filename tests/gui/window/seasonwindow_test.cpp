// The Season Changes window filled from two small leagues: the counts, every table's rows
// worked out by hand, the position filter and the details asked for by a double-click.
// OV from one rating: a defender's is 7 + DF/6, a forward's 5 + SC/5.5.

#include "apptest.h"

#include "core/season/seasonmatch.h"
#include "gui/sidewindows/seasonwindow.h"
#include "support/byteimage.h"

#include <QSignalSpy>
#include <QTableWidget>

namespace vantrel::apptest {
namespace {

using Texts = std::vector<QStringList>;

// Two teams of two; a defender's rating is DF, anybody else's SC.
LeagueData League(const std::vector<std::string>& teams,
                  const std::vector<std::tuple<const char*, int, int>>& players) {
    std::vector<std::uint8_t> roster;
    for (const auto& [name, position, value] : players)
        leaguegen::PlayerBuilder()
            .Name(name)
            .Position(static_cast<std::uint8_t>(position))
            .Rating(position == 3 ? kDF : kSC, static_cast<std::uint8_t>(value))
            .AppendTo(roster);
    LeagueData league{.TeamFileImage = testsupport::SharedImageOf(TeamImage(teams)),
                      .TeamFileSize = kTeamRecordSize * 2,
                      .RosterFileImage = testsupport::SharedImageOf(roster),
                      .RosterFileSize = kPlayerRecordSize * 4};
    league.ComputeGeometry();
    return league;
}

Texts Rows(const SeasonWindow& window, const char* name) {
    const auto* table = window.findChild<QTableWidget*>(name);
    Texts rows(static_cast<std::size_t>(table->rowCount()));
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            rows[std::size_t(r)] << table->item(r, c)->text();
    return rows;
}

// Bo +4 and Alpha to Bravo, Gil new, Ann +5, Dee -2 and Bravo to Alpha, Fay gone.
TEST(SeasonWindowTest, CountsTablesPositionFilterAndDetails) {
    const LeagueData earlier =
        League({"Alpha", "Bravo"},
               {{"Ann Kell", 3, 78}, {"Bo Rand", 0, 55}, {"Dee Lorn", 3, 60}, {"Fay Quin", 2, 33}});
    const LeagueData current = League(
        {"Bravo", "Alpha"},
        {{"Bo Rand", 0, 77}, {"Gil Hart", 0, 11}, {"Ann Kell", 3, 108}, {"Dee Lorn", 3, 48}});
    SeasonWindow window;
    window.ShowSeason(
        std::make_shared<SeasonMatch>(current.RosterFileImage, 4, earlier.RosterFileImage, 4),
        current, earlier, "old.ros");
    window.show();
    EXPECT_EQ(window.findChild<QLabel*>("seasonCounts")->text(),
              "Matched: 3   New: 1   Ambiguous: 0   Gone: 1");
    EXPECT_EQ(Rows(window, "seasonRisers"), (Texts{{"Ann Kell", "Alpha", "D", "20", "25", "+5"},
                                                   {"Bo Rand", "Bravo", "C", "15", "19", "+4"}}));
    EXPECT_EQ(Rows(window, "seasonFallers"), (Texts{{"Dee Lorn", "Alpha", "D", "17", "15", "-2"}}));
    EXPECT_EQ(Rows(window, "seasonGone"), (Texts{{"Fay Quin", "Bravo", "RW", "11"}}));
    EXPECT_EQ(Rows(window, "seasonTeamChanges"),
              (Texts{{"Bo Rand", "C", "Alpha", "Bravo"}, {"Dee Lorn", "D", "Bravo", "Alpha"}}));

    // A double-click on a row of any table but the gone players' asks for its current record.
    QSignalSpy details(&window, &SeasonWindow::detailsRequested);
    for (const char* name : {"seasonRisers", "seasonFallers", "seasonGone", "seasonTeamChanges"}) {
        auto* table = window.findChild<QTableWidget*>(name);
        window.findChild<QTabWidget*>("seasonTabs")->setCurrentWidget(table);
        const QPoint at = table->visualItemRect(table->item(table->rowCount() - 1, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    ASSERT_EQ(details.count(), 3);
    for (const auto& [signal, record] : {std::pair(0, 0), std::pair(1, 3), std::pair(2, 3)}) {
        EXPECT_EQ(details[signal][0].value<SharedImage>(), current.RosterFileImage);
        EXPECT_EQ(details[signal][1].value<std::int32_t>(), record);
    }

    auto* position = window.findChild<QComboBox*>("seasonPosition");
    QStringList positions;
    for (int i = 0; i < position->count(); ++i)
        positions << position->itemText(i);
    EXPECT_EQ(positions, QStringList({"All", "C", "LW", "RW", "D", "G"}));
    position->setFocus();
    QTest::keyClicks(position, "D");
    EXPECT_EQ(Rows(window, "seasonRisers"), (Texts{{"Ann Kell", "Alpha", "D", "20", "25", "+5"}}));
    EXPECT_EQ(Rows(window, "seasonGone"), Texts{});
    EXPECT_EQ(Rows(window, "seasonTeamChanges"), (Texts{{"Dee Lorn", "D", "Bravo", "Alpha"}}));
    EXPECT_EQ(window.findChild<QTabWidget*>("seasonTabs")->tabText(0), "Risers (1)");
}

}  // namespace
}  // namespace vantrel::apptest
