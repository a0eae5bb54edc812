// The sample league a new user opens first.

#include "apptest.h"

namespace vantrel::apptest {
namespace {

class SampleTest : public AppTest {};

TEST_F(SampleTest, OpensWithItsTeamsAndItsAverage) {
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms"));
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
    EXPECT_EQ(TeamEntries().size(), 19);
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "62.9");

    Search();
    EXPECT_EQ(Lanz(), "486");
}

TEST_F(SampleTest, TheAverageFollowsTheLocaleSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.ros"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "62,9");
}

}  // namespace
}  // namespace vantrel::apptest
