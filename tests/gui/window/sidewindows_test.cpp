// The three side windows: shown modeless from the menu and the "??" button, one
// instance each, hidden by closing and shown again intact; the legend cannot be changed.

#include "apptest.h"

namespace vantrel::apptest {
namespace {

using SideWindowTest = AppTest;

int VisibleTopLevelsNamed(const QString& name) {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            ++count;
    return count;
}

TEST_F(SideWindowTest, AllSideWindowsStartHidden) {
    EXPECT_FALSE(Finfo().isVisible());
    EXPECT_FALSE(Legende().isVisible());
    EXPECT_FALSE(About().isVisible());
    EXPECT_EQ(Legende().windowTitle(), "help...");
    EXPECT_EQ(Finfo().windowTitle(), "finfo");
    EXPECT_EQ(About().windowTitle(), "about Vantrel Search Machine");
}

TEST_F(SideWindowTest, FileInfosTwiceShowsOneWindowModeless) {
    Action("FileInfos1")->trigger();
    Action("FileInfos1")->trigger();
    EXPECT_TRUE(Finfo().isVisible());
    EXPECT_EQ(VisibleTopLevelsNamed("finfo"), 1);
    EXPECT_EQ(Finfo().windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The main window stays usable: the menu still opens the other windows.
    Action("AboutVantrelDizaruRezudoz1")->trigger();
    EXPECT_TRUE(About().isVisible());
    EXPECT_TRUE(Finfo().isVisible());
}

TEST_F(SideWindowTest, OpenStatisticsWindowShowsALoadAtOnce) {
    Action("FileInfos1")->trigger();
    ASSERT_TRUE(Finfo().isVisible());
    leaguegen::Options options;
    options.teams = 2;
    options.slotsPerTeam = 3;
    LoadLeague(WriteLeague("small", leaguegen::Generate(options)) + ".tms");
    EXPECT_EQ(FinfoTexts(), QStringList({"508", "516", "2", "3"}));
}

TEST_F(SideWindowTest, ClosingHidesAndShowingAgainKeepsTheContents) {
    leaguegen::Options options;
    options.teams = 2;
    options.slotsPerTeam = 3;
    LoadLeague(WriteLeague("small", leaguegen::Generate(options)) + ".tms");

    Action("FileInfos1")->trigger();
    ASSERT_TRUE(Finfo().isVisible());
    EXPECT_TRUE(Finfo().close());
    EXPECT_FALSE(Finfo().isVisible());
    Action("FileInfos1")->trigger();
    EXPECT_TRUE(Finfo().isVisible());
    EXPECT_EQ(FinfoTexts(), QStringList({"508", "516", "2", "3"}));

    Action("AboutVantrelDizaruRezudoz1")->trigger();
    ASSERT_TRUE(About().isVisible());
    EXPECT_TRUE(About().close());
    EXPECT_FALSE(About().isVisible());
    Action("AboutVantrelDizaruRezudoz1")->trigger();
    EXPECT_TRUE(About().isVisible());
    EXPECT_EQ(ChildOf<QLabel>(About(), "Label6")->text(), "Vantrel Search Machine");

    // Closing a side window does not end the program or touch the main window.
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(SideWindowTest, MenuItemAndSpeedButtonOpenTheSameLegend) {
    Action("CheckboxLegend1")->trigger();
    EXPECT_TRUE(Legende().isVisible());
    EXPECT_EQ(VisibleTopLevelsNamed("legende"), 1);
    Legende().close();
    ASSERT_FALSE(Legende().isVisible());

    // Without a league the button is disabled and a click does nothing.
    auto* button = Control<QToolButton>("SpeedButton1");
    EXPECT_EQ(button->text(), "??");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(Legende().isVisible());

    leaguegen::Options options;
    options.teams = 2;
    options.slotsPerTeam = 3;
    LoadLeague(WriteLeague("small", leaguegen::Generate(options)) + ".tms");
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(Legende().isVisible());
    EXPECT_EQ(VisibleTopLevelsNamed("legende"), 1);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(VisibleTopLevelsNamed("legende"), 1);
}

TEST_F(SideWindowTest, LegendCheckboxesShowTheThreeStatesAndCannotBeChanged) {
    Action("CheckboxLegend1")->trigger();
    ASSERT_TRUE(Legende().isVisible());
    struct Row {
        const char* name;
        const char* caption;
        Qt::CheckState state;
    };
    for (const Row& row : {Row{"CheckBox1", "equal or more", Qt::Unchecked},
                           Row{"CheckBox2", "equal or less", Qt::PartiallyChecked},
                           Row{"CheckBox3", "equal", Qt::Checked}}) {
        auto* box = ChildOf<QCheckBox>(Legende(), row.name);
        EXPECT_EQ(box->text(), row.caption) << row.name;
        EXPECT_EQ(box->checkState(), row.state) << row.name;
        EXPECT_TRUE(box->isTristate()) << row.name;
        ClickIndicator(box);
        QTest::mouseClick(box, Qt::LeftButton);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(box->checkState(), row.state) << row.name;
    }
}

}  // namespace
}  // namespace vantrel::apptest
