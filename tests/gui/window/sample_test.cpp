// The sample league a new user opens first.

#include "apptest.h"

#include "core/eval/overall.h"

namespace vantrel::apptest {
namespace {

class SampleTest : public AppTest {};

TEST_F(SampleTest, OpensWithItsTeamsAndAPlausibleAverage) {
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms"));
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
    EXPECT_EQ(TeamEntries().size(), 19);
    const QString average = Control<QLabel>("avgov")->text();
    // Generated ratings lie between 20 and 99, so the mean OV must lie well inside.
    bool ok = false;
    const double value = average.toDouble(&ok);
    ASSERT_TRUE(ok) << average.toStdString();
    EXPECT_GT(value, 40);
    EXPECT_LT(value, 90);
    EXPECT_EQ(average.toStdString(),
              LeagueAverageText(LeagueAverageOverall(Window().League()), "."));
    EXPECT_EQ(average, "62.9");

    QTest::mouseClick(Control<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(Control<QLabel>("lanz")->text(), "486");
}

TEST_F(SampleTest, TheAverageFollowsTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.ros"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "62,9");
}

}  // namespace
}  // namespace vantrel::apptest
