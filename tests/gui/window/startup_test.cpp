// The main window as the start-up leaves it: no league, every control disabled, the menu
// usable, the first two pages visible, and the frame's resizing rules.

#include "apptest.h"

#include <QMenuBar>
#include <QTabBar>

namespace vantrel::apptest {
namespace {

using StartUpTest = AppTest;

TEST_F(StartUpTest, WithoutLeagueEveryControlIsDisabledAndTheMenuWorks) {
    EXPECT_EQ(Window().League().PlayersPerTeam, 0);
    EXPECT_EQ(ControlsNotInState(false), QStringList());

    EXPECT_TRUE(Window().menuBar()->isEnabled());
    for (const char* name : {"Filesffnen1", "beenden1", "FileInfos1", "CheckboxLegend1",
                             "AboutVantrelDizaruRezudoz1"}) {
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    for (QMenu* menu : Window().menuBar()->findChildren<QMenu*>())
        EXPECT_TRUE(menu->isEnabled()) << menu->objectName().toStdString();
}

TEST_F(StartUpTest, InitialTextsOfPanelAndFileStatistics) {
    EXPECT_EQ(Control<QLabel>("avgov")->text(), "");
    EXPECT_EQ(Control<QLabel>("agemin")->text(), "<=18");
    EXPECT_EQ(Control<QLabel>("agemax")->text(), ">=40");
    EXPECT_EQ(Control<QLineEdit>("edname")->text(), "*");
    EXPECT_EQ(Control<QComboBox>("cbt")->count(), 0);
    EXPECT_EQ(Lanz(), "0");
    for (int n = 1; n <= 14; ++n) {
        EXPECT_EQ(Lbx(n)->text(), "0") << n;
        EXPECT_EQ(Tbx(n)->value(), 0) << n;
        EXPECT_EQ(Cbx(n)->checkState(), Qt::Unchecked) << n;
        EXPECT_TRUE(Cbx(n)->isTristate()) << n;
    }
    EXPECT_EQ(Control<QSlider>("tbmin")->value(), 18);
    EXPECT_EQ(Control<QSlider>("tbmax")->value(), 40);
    EXPECT_EQ(Control<QLineEdit>("Edit6")->text(), "");
    EXPECT_EQ(Control<QLineEdit>("Edit7")->text(), "");
    EXPECT_EQ(Control<QTableView>("found")->model()->rowCount(), 0);

    EXPECT_EQ(Finfo().objectName(), "finfo");
    EXPECT_FALSE(Finfo().isVisible());
    EXPECT_EQ(FinfoTexts(), QStringList({"??", "??", "??", "??"}));
}

TEST_F(StartUpTest, ResultPageAndSkaterDetailsAreTheVisibleTabs) {
    auto* pc = Control<QTabWidget>("pc");
    const int found = pc->indexOf(Control<QWidget>("TabSheet1"));
    const int skater = pc->indexOf(Control<QWidget>("TabSheet2"));
    const int goalie = pc->indexOf(Control<QWidget>("TabSheet3"));
    EXPECT_EQ(pc->currentIndex(), found);
    EXPECT_TRUE(pc->isTabVisible(found));
    EXPECT_TRUE(pc->isTabVisible(skater));
    EXPECT_FALSE(pc->isTabVisible(goalie));
    EXPECT_EQ(pc->tabText(found), "Players found");
    EXPECT_EQ(pc->tabText(skater), "Details");
    EXPECT_EQ(pc->tabText(goalie), "Details");
}

TEST_F(StartUpTest, WidthIsFixedAndHeightHasAFloor) {
    VAvevadi& w = Window();
    EXPECT_EQ(w.minimumWidth(), w.maximumWidth());
    EXPECT_EQ(w.width(), w.minimumWidth());
    EXPECT_GT(w.height(), w.minimumHeight());

    w.resize(w.width() + 300, 100);
    QApplication::processEvents();
    EXPECT_EQ(w.width(), w.minimumWidth());
    EXPECT_EQ(w.height(), w.minimumHeight());

    // At the lowest height the list and the "Details" button still fit on the page
    // without covering each other.
    auto* page = Control<QWidget>("TabSheet1");
    auto* found = Control<QTableView>("found");
    auto* details = Control<QPushButton>("Button1");
    EXPECT_LE(found->geometry().bottom(), details->geometry().top());
    EXPECT_LE(details->geometry().bottom(), page->height());
    EXPECT_GE(found->height(), 40);
}

TEST_F(StartUpTest, GrowingTallerEnlargesPagesAndListAndKeepsDetailsButtonAtTheBottom) {
    VAvevadi& w = Window();
    auto* pc = Control<QTabWidget>("pc");
    auto* page = Control<QWidget>("TabSheet1");
    auto* found = Control<QTableView>("found");
    auto* details = Control<QPushButton>("Button1");
    auto* sc = Control<QGroupBox>("sc");

    const int pcHeight = pc->height();
    const int foundHeight = found->height();
    const int buttonGap = page->height() - details->geometry().bottom();
    const QRect scGeometry = sc->geometry();
    const int pcBottomGap = pc->parentWidget()->height() - pc->geometry().bottom();

    const int windowHeight = w.height();
    w.resize(w.width(), windowHeight + 200);
    QApplication::processEvents();
    ASSERT_EQ(w.height(), windowHeight + 200);
    EXPECT_EQ(pc->height(), pcHeight + 200);
    EXPECT_EQ(found->height(), foundHeight + 200);
    EXPECT_EQ(page->height() - details->geometry().bottom(), buttonGap);
    EXPECT_EQ(pc->parentWidget()->height() - pc->geometry().bottom(), pcBottomGap);
    EXPECT_EQ(sc->geometry(), scGeometry);  // the criteria group keeps its place and size
}

TEST_F(StartUpTest, OpenDialogAsksForTeamOrRosterFiles) {
    auto* od = Control<QFileDialog>("od");
    EXPECT_FALSE(od->isVisible());
    EXPECT_EQ(od->windowTitle(), "select Team- or Rosterfile ...");
    ASSERT_EQ(od->nameFilters().size(), 1);
    EXPECT_TRUE(od->nameFilters()[0].contains("*.ros"));
    EXPECT_TRUE(od->nameFilters()[0].contains("*.tms"));
    EXPECT_EQ(od->fileMode(), QFileDialog::AnyFile);
}

TEST_F(StartUpTest, ExitClosesTheMainWindow) {
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);  // the test program goes on
    Action("FileInfos1")->trigger();
    Action("beenden1")->trigger();
    EXPECT_FALSE(Window().isVisible());
    QApplication::setQuitOnLastWindowClosed(quitOnLast);
}

}  // namespace
}  // namespace vantrel::apptest
