// The criteria panel driven as a user drives it: age trackbars and their labels, the
// rating rows and the master trackbar, the tri-state checkboxes, Reset and the colour of
// the salary edits.

#include "apptest.h"

namespace vantrel::apptest {
namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

QColor BaseColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base);
}

class CriteriaPanelTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        std::vector<std::uint8_t> roster;
        leaguegen::PlayerBuilder().Name("Rich Player").Salary(500000).AppendTo(roster);
        leaguegen::PlayerBuilder().Name("Poor Player").Salary(-7).AppendTo(roster);
        leaguegen::PlayerBuilder().Name("Mid Player").Salary(42).AppendTo(roster);
        leaguegen::PlayerBuilder().Name("Other Team").Salary(100).AppendTo(roster);
        LoadLeague(WriteFiles("panel", TeamImage({"Alpha", "Beta"}), roster) + ".tms");
    }

    QSlider* TbMin() { return Control<QSlider>("tbmin"); }
    QSlider* TbMax() { return Control<QSlider>("tbmax"); }
    QString AgeMin() { return Control<QLabel>("agemin")->text(); }
    QString AgeMax() { return Control<QLabel>("agemax")->text(); }
    QLineEdit* Edit(const char* name) { return Control<QLineEdit>(name); }
};

TEST_F(CriteriaPanelTest, AgeLabelsShowBoundFormsOnlyAtTheRangeEnds) {
    TbMin()->setValue(25);
    EXPECT_EQ(AgeMin(), "25");
    TbMin()->setValue(18);
    EXPECT_EQ(AgeMin(), "<=18");
    TbMax()->setValue(39);
    EXPECT_EQ(AgeMax(), "39");
    TbMax()->setValue(40);
    EXPECT_EQ(AgeMax(), ">=40");

    // By keyboard, one step at a time; the range runs downwards from its top end.
    TbMin()->setFocus();
    QTest::keyClick(TbMin(), Qt::Key_Down);
    EXPECT_EQ(TbMin()->value(), 19);
    EXPECT_EQ(AgeMin(), "19");
    QTest::keyClick(TbMin(), Qt::Key_Up);
    EXPECT_EQ(AgeMin(), "<=18");
}

TEST_F(CriteriaPanelTest, AgeTrackbarsDragEachOtherAlong) {
    TbMax()->setValue(30);
    TbMin()->setValue(35);
    EXPECT_EQ(TbMax()->value(), 35);
    EXPECT_EQ(AgeMax(), "35");
    EXPECT_EQ(AgeMin(), "35");

    Control<QPushButton>("Button3")->click();
    TbMin()->setValue(30);
    TbMax()->setValue(25);
    EXPECT_EQ(TbMin()->value(), 25);
    EXPECT_EQ(AgeMin(), "25");
    EXPECT_EQ(AgeMax(), "25");

    Control<QPushButton>("Button3")->click();
    TbMin()->setValue(40);
    EXPECT_EQ(AgeMin(), "40");
    EXPECT_EQ(TbMax()->value(), 40);
    EXPECT_EQ(AgeMax(), ">=40");
}

TEST_F(CriteriaPanelTest, RatingTrackbarWritesOnlyItsOwnLabel) {
    // Seven pages of 10 by keyboard.
    Tbx(5)->setFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(Tbx(5), Qt::Key_PageUp);
    EXPECT_EQ(Tbx(5)->value(), 70);
    for (int n = 1; n <= 14; ++n)
        EXPECT_EQ(Lbx(n)->text(), n == 5 ? "70" : "0") << n;
    EXPECT_EQ(Control<QSlider>("tball")->value(), 0);

    // Each row is bound to its own label, also where the checkboxes are stored out of order.
    for (int n = 1; n <= 14; ++n)
        Tbx(n)->setValue(n);
    for (int n = 1; n <= 14; ++n)
        EXPECT_EQ(Lbx(n)->text(), QString::number(n)) << n;
}

TEST_F(CriteriaPanelTest, MasterTrackbarPushesAndSingleRowsDoNotPullIt) {
    auto* tball = Control<QSlider>("tball");
    tball->setValue(55);
    for (int n = 1; n <= 14; ++n) {
        EXPECT_EQ(Tbx(n)->value(), 55) << n;
        EXPECT_EQ(Lbx(n)->text(), "55") << n;
    }
    Tbx(1)->setValue(60);
    EXPECT_EQ(tball->value(), 55);
    EXPECT_EQ(Lbx(1)->text(), "60");
    EXPECT_EQ(Lbx(2)->text(), "55");

    // Trackbars clamp: a page up from 95 stops at 100.
    Tbx(2)->setValue(95);
    Tbx(2)->setFocus();
    QTest::keyClick(Tbx(2), Qt::Key_PageUp);
    EXPECT_EQ(Tbx(2)->value(), 100);
    EXPECT_EQ(Lbx(2)->text(), "100");
}

TEST_F(CriteriaPanelTest, CheckboxClicksCycleThroughTheThreeModes) {
    for (int n : {1, 3, 4, 14}) {
        QCheckBox* box = Cbx(n);
        ASSERT_EQ(box->checkState(), Qt::Unchecked) << n;
        ClickIndicator(box);
        EXPECT_EQ(box->checkState(), Qt::PartiallyChecked) << n;
        ClickIndicator(box);
        EXPECT_EQ(box->checkState(), Qt::Checked) << n;
        ClickIndicator(box);
        EXPECT_EQ(box->checkState(), Qt::Unchecked) << n;
    }
}

// Reset from a panel where everything was changed, with the master trackbar left at
// 0, 1 or elsewhere before the click.
class ResetTest : public CriteriaPanelTest, public ::testing::WithParamInterface<int> {};

TEST_P(ResetTest, ResetRestoresEveryCriterion) {
    auto* cbt = Control<QComboBox>("cbt");
    auto* tball = Control<QSlider>("tball");
    cbt->setCurrentIndex(2);
    TypeInto("edname", "Smith");
    ClickRadio("rgstateItem2");
    ClickRadio("rgteamItem3");
    ClickRadio("rgposItem5");
    TbMin()->setValue(25);
    TbMax()->setValue(30);
    TypeInto("Edit6", "abc");
    TypeInto("Edit7", "7");
    Search();
    ASSERT_EQ(BaseColour(Edit("Edit6")), kRed);
    const std::int32_t salaryMin = Window().SalaryMin;
    const std::int32_t salaryMax = Window().SalaryMax;
    const QStringList rows = Column(0);
    ClickIndicator(Cbx(3));
    ClickIndicator(Cbx(14));
    ClickIndicator(Cbx(14));
    ClickIndicator(Cbx(12));
    tball->setValue(70);
    Tbx(5)->setValue(33);
    Tbx(11)->setValue(100);
    tball->setValue(GetParam());
    Tbx(1)->setValue(12);

    QTest::mouseClick(Control<QPushButton>("Button3"), Qt::LeftButton);

    EXPECT_EQ(cbt->currentIndex(), 0);
    EXPECT_EQ(cbt->currentText(), "<All>");
    EXPECT_EQ(cbt->count(), 3);
    EXPECT_EQ(Control<QLineEdit>("edname")->text(), "*");
    for (const char* item : {"rgstateItem0", "rgteamItem0", "rgposItem0"})
        EXPECT_TRUE(Control<QRadioButton>(item)->isChecked()) << item;
    EXPECT_EQ(TbMin()->value(), 18);
    EXPECT_EQ(TbMax()->value(), 40);
    EXPECT_EQ(AgeMin(), "<=18");
    EXPECT_EQ(AgeMax(), ">=40");
    for (const char* name : {"Edit6", "Edit7"}) {
        EXPECT_EQ(Edit(name)->text(), "") << name;
        EXPECT_EQ(BaseColour(Edit(name)), kWhite) << name;
    }
    EXPECT_EQ(tball->value(), 0);
    for (int n = 1; n <= 14; ++n) {
        EXPECT_EQ(Cbx(n)->checkState(), Qt::Unchecked) << n;
        EXPECT_EQ(Tbx(n)->value(), 0) << n;
        EXPECT_EQ(Lbx(n)->text(), "0") << n;
    }
    // Reset leaves the league, the rows and the last salary bounds alone.
    EXPECT_GT(Window().League().PlayersPerTeam, 0);
    EXPECT_EQ(Column(0), rows);
    EXPECT_EQ(Window().SalaryMin, salaryMin);
    EXPECT_EQ(Window().SalaryMax, salaryMax);
}

INSTANTIATE_TEST_SUITE_P(MasterTrackbarBefore, ResetTest, ::testing::Values(0, 1, 55));

TEST_F(CriteriaPanelTest, UnusableSalaryTextsTurnTheEditRed) {
    struct Case {
        const char* edit;
        const char* text;
    };
    for (const Case& c : {Case{"Edit6", "abc"}, Case{"Edit6", "-5"}, Case{"Edit6", "100000 "},
                          Case{"Edit6", "1 000"}, Case{"Edit6", "- 5"}, Case{"Edit6", "2147483648"},
                          Case{"Edit7", "2147483647"}, Case{"Edit7", "100000 "},
                          Case{"Edit7", "1.5"}, Case{"Edit7", "x"}}) {
        Control<QPushButton>("Button3")->click();
        TypeInto(c.edit, c.text);
        ASSERT_EQ(BaseColour(Edit(c.edit)), kWhite) << c.edit << " '" << c.text << "'";
        Search();
        EXPECT_EQ(BaseColour(Edit(c.edit)), kRed) << c.edit << " '" << c.text << "'";
        // No bound: every named player is listed.
        EXPECT_EQ(Column(0).size(), 4) << c.edit << " '" << c.text << "'";
        EXPECT_EQ(Lanz(), "4") << c.edit << " '" << c.text << "'";
    }
}

TEST_F(CriteriaPanelTest, UsableSalaryTextsKeepTheEditWhiteAndBound) {
    TypeInto("Edit6", "0");
    Search();
    EXPECT_EQ(BaseColour(Edit("Edit6")), kWhite);
    EXPECT_EQ(Window().SalaryMin, 0);
    EXPECT_EQ(Column(0), QStringList({"Rich Player", "Mid Player", "Other Team"}));

    TypeInto("Edit6", " 42");
    TypeInto("Edit7", "100");
    Search();
    EXPECT_EQ(BaseColour(Edit("Edit6")), kWhite);
    EXPECT_EQ(BaseColour(Edit("Edit7")), kWhite);
    EXPECT_EQ(Window().SalaryMin, 42);
    EXPECT_EQ(Window().SalaryMax, 100);
    EXPECT_EQ(Column(0), QStringList({"Mid Player", "Other Team"}));

    // A negative upper bound is used as it is.
    Control<QPushButton>("Button3")->click();
    TypeInto("Edit7", "-1");
    Search();
    EXPECT_EQ(BaseColour(Edit("Edit7")), kWhite);
    EXPECT_EQ(Window().SalaryMax, -1);
    EXPECT_EQ(Column(0), QStringList({"Poor Player"}));

    // Empty edits give no bounds.
    Control<QPushButton>("Button3")->click();
    Search();
    EXPECT_EQ(Window().SalaryMin, -1);
    EXPECT_EQ(Window().SalaryMax, 2147483647);
    EXPECT_EQ(BaseColour(Edit("Edit6")), kWhite);
    EXPECT_EQ(BaseColour(Edit("Edit7")), kWhite);
}

TEST_F(CriteriaPanelTest, TypingIntoARedEditTurnsItWhite) {
    TypeInto("Edit6", "abc");
    TypeInto("Edit7", "2147483647");
    Search();
    ASSERT_EQ(BaseColour(Edit("Edit6")), kRed);
    ASSERT_EQ(BaseColour(Edit("Edit7")), kRed);

    // A second search with the same texts leaves them red.
    Search();
    EXPECT_EQ(BaseColour(Edit("Edit6")), kRed);

    Edit("Edit6")->setFocus();
    QTest::keyClick(Edit("Edit6"), Qt::Key_1);
    EXPECT_EQ(BaseColour(Edit("Edit6")), kWhite);
    EXPECT_EQ(BaseColour(Edit("Edit7")), kRed);
    Edit("Edit7")->setFocus();
    QTest::keyClick(Edit("Edit7"), Qt::Key_Backspace);
    EXPECT_EQ(BaseColour(Edit("Edit7")), kWhite);
}

}  // namespace
}  // namespace vantrel::apptest
