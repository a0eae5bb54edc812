// What the keyboard and a screen reader meet: Tab reaches every control of the panel in
// its given order, and the names and descriptions follow the values they speak of.

#include "apptest.h"

namespace vantrel::apptest {
namespace {

class AccessibilityTest : public AppTest {};

// The widgets Tab visits from `start`, as QWidget::focusNextPrevChild picks them.
QStringList TabChain(QWidget* start) {
    QStringList chain;
    QWidget* w = start;
    do {
        if (w->isEnabled() && w->isVisibleTo(start->window()) && (w->focusPolicy() & Qt::TabFocus))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    return chain;
}

TEST_F(AccessibilityTest, TabVisitsThePanelInItsOrderAndReachesTheList) {
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms"));
    Search();
    QStringList want = {"cbt", "edname", "Edit6", "Edit7"};
    for (const char* group : {"rgstate", "rgteam", "rgpos"}) {
        for (QRadioButton* item : Control<QGroupBox>(group)->findChildren<QRadioButton*>())
            want << item->objectName();
    }
    want << "tbmin"
         << "tbmax"
         << "Button2"
         << "Button3";
    for (const char* prefix : {"tbx", "cbx"}) {
        for (int n = 1; n <= 14; ++n)
            want << prefix + QString::number(n);
    }
    want << "tball"
         << "SpeedButton1";
    const QStringList chain = TabChain(Control<QWidget>("cbt"));
    ASSERT_GE(chain.size(), want.size());
    EXPECT_EQ(chain.mid(0, want.size()), want);
    EXPECT_TRUE(chain.contains("found"));
}

TEST_F(AccessibilityTest, DescriptionsFollowTheValues) {
    LoadLeague(QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms"));
    Tbx(7)->setValue(70);
    QTest::mouseClick(Cbx(7), Qt::LeftButton);
    EXPECT_EQ(Tbx(7)->accessibleName(), "SK threshold");
    EXPECT_EQ(Tbx(7)->accessibleDescription(), "at most 70");
    EXPECT_EQ(Cbx(7)->accessibleDescription(), "at most");
    Control<QSlider>("tbmin")->setValue(25);
    EXPECT_EQ(Control<QSlider>("tbmin")->accessibleDescription(), "25");
    Search();
    const int rows = Found()->model()->rowCount();
    ASSERT_GT(rows, 1);
    EXPECT_EQ(Found()->accessibleDescription(), QString::number(rows) + " players");

    Found()->selectRow(0);
    QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    const QString name = Control<QLabel>("Label5")->text();
    EXPECT_EQ(Control<QLabel>("Label5")->accessibleName(), "Name: " + name);
    EXPECT_EQ(Control<QLabel>("Label8")->accessibleName(),
              "Position: " + Control<QLabel>("Label8")->text());
    const QString bars = Control<QWidget>("ch")->accessibleDescription();
    EXPECT_TRUE(bars.contains("SK ")) << bars.toStdString();
    EXPECT_TRUE(bars.contains(", OV ")) << bars.toStdString();
}

}  // namespace
}  // namespace vantrel::apptest
