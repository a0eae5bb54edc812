// The user's own score, driven as a user would: the real dialog from the Players menu (all
// weights 0 refused, weights typed, a bound ticked), the column and its order, the search
// bound, the criteria text, Reset, the chart's tooltip and Clear Score.

#include "apptest.h"

#include "gui/chart/barchart3d.h"
#include "gui/sidewindows/comparewindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTableWidget>

namespace vantrel::apptest {
namespace {

constexpr int kScoreColumn = 19;

class ScoreTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // SK*2+PA+PC: Ann (160+70+61)/4 = 72.75, Bo (100+90+90)/4 = 70, Cy 40.
        std::vector<std::uint8_t> roster;
        const auto add = [&roster](const char* name, int sk, int pa, int pc) {
            leaguegen::PlayerBuilder()
                .Name(name)
                .Age(25)
                .Rating(kSK, std::uint8_t(sk))
                .Rating(kPA, std::uint8_t(pa))
                .Rating(kPC, std::uint8_t(pc))
                .AppendTo(roster);
        };
        add("Ann", 80, 70, 61);
        add("Bo", 50, 90, 90);
        add("Cy", 40, 40, 40);
        LoadLeague(WriteFiles("score", TeamImage({"Alpha"}), roster) + ".ros");
        Search();
    }

    // Opens the dialog and runs `fill` on it once it shows; the message boxes it opens
    // are kept and closed.
    template <class Fill>
    void InDialog(Fill fill) {
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                refusals_ << box->text();
                box->accept();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !filled_) {
                filled_ = true;
                // Outside this handler: a timer never fires inside its own, and the
                // boxes the dialog opens are answered by this one.
                QTimer::singleShot(0, dialog, [&fill, dialog] { fill(*dialog); });
            }
        });
        poll.start();
        filled_ = false;
        Action("ScoreColumn1")->trigger();
        EXPECT_TRUE(filled_) << "the dialog was not shown";
    }
    static void TypeWeight(QDialog& dialog, const char* rating, const char* text) {
        auto* box = ChildOf<QSpinBox>(dialog, QStringLiteral("scoreWeight") + rating);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static void ClickOk(QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }
    QStringList refusals_;
    bool filled_ = false;
};

TEST_F(ScoreTest, TheDialogSetsTheColumnAndABoundThatSearchesKeep) {
    EXPECT_EQ(Found()->model()->columnCount(), 19);
    QString formula;
    InDialog([&](QDialog& dialog) {
        ClickOk(dialog);  // every weight 0: refused, the dialog stays
        TypeWeight(dialog, "SK", "2");
        TypeWeight(dialog, "PA", "1");
        TypeWeight(dialog, "PC", "1");
        formula = ChildOf<QLabel>(dialog, "scoreFormula")->text();
        QTest::mouseClick(ChildOf<QCheckBox>(dialog, "scoreHasAtLeast"), Qt::LeftButton);
        auto* atLeast = ChildOf<QDoubleSpinBox>(dialog, "scoreAtLeast");
        atLeast->setFocus();
        atLeast->selectAll();
        QTest::keyClicks(atLeast, "70");
        ClickOk(dialog);
    });
    EXPECT_EQ(refusals_, QStringList({"Give at least one rating a weight above 0."}));
    EXPECT_EQ(formula, QString::fromUtf8("Score = (2\u00d7SK + PA + PC) \u00f7 4"));
    ASSERT_EQ(Found()->model()->columnCount(), 20);
    EXPECT_EQ(Found()->model()->headerData(kScoreColumn, Qt::Horizontal).toString(), "Score");
    EXPECT_EQ(Column(kScoreColumn), QStringList({"72.8", "70.0", "40.0"}));
    ClickHeader(kScoreColumn);
    EXPECT_EQ(Column(0), QStringList({"Cy", "Bo", "Ann"}));
    ClickHeader(kScoreColumn);
    EXPECT_EQ(Column(0), QStringList({"Ann", "Bo", "Cy"}));

    Search();  // the bound: 70.0 is kept, 40.0 is not
    EXPECT_EQ(Column(0), QStringList({"Ann", "Bo"}));
    // The compare window adds the score as its last row, the highest marked best.
    SelectRows({0, 1});
    Action("Compare1")->trigger();
    auto* compared = ChildOf<QTableWidget>(*program_->compare, "compareTable");
    const int last = compared->rowCount() - 1;
    EXPECT_EQ(compared->verticalHeaderItem(last)->text(), "Score");
    EXPECT_EQ(compared->item(last, 0)->text(), "72.8");
    EXPECT_EQ(compared->item(last, 1)->text(), "70.0");
    EXPECT_TRUE(compared->item(last, 0)->data(Qt::UserRole).toBool());
    EXPECT_FALSE(compared->item(last, 1)->data(Qt::UserRole).toBool());
    Action("CopyCriteria1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "score=SK*2+PA+PC score>=70");

    // Reset clears the bound but keeps the column; Clear Score removes it.
    QTest::mouseClick(Control<QPushButton>("Button3"), Qt::LeftButton);
    Search();
    EXPECT_EQ(Lanz(), "3");
    EXPECT_EQ(Column(kScoreColumn), QStringList({"72.8", "70.0", "40.0"}));
    ASSERT_TRUE(Action("ClearScore1")->isEnabled());
    Action("ClearScore1")->trigger();
    EXPECT_EQ(Found()->model()->columnCount(), 19);
    EXPECT_FALSE(Action("ClearScore1")->isEnabled());
}

TEST_F(ScoreTest, QueriesSetTheScoreAndABadOneChangesNothing) {
    {
        ModalAnswerer answerer;
        answerer.AnswerInput("score=sk*2+pa+pc score<=71");
        answerer.CancelInput();
        Action("Query1")->trigger();
        EXPECT_TRUE(answerer.Boxes().empty());
    }
    EXPECT_EQ(Column(0), QStringList({"Bo", "Cy"}));
    EXPECT_EQ(Column(kScoreColumn), QStringList({"70.0", "40.0"}));

    ModalAnswerer answerer;
    answerer.AnswerInput("score=SK*12 score>=1");
    answerer.CancelInput();
    Action("Query1")->trigger();
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_TRUE(answerer.Boxes()[0].text.contains("SK*12"))
        << answerer.Boxes()[0].text.toStdString();
    EXPECT_EQ(Column(0), QStringList({"Bo", "Cy"}));

    // The details chart's OV bar tells the score.
    ShowDetailsOfRow(0);
    const BarSeries3D* series = Control<BarChart3D>("ch")->findChild<BarSeries3D*>("Series1");
    ASSERT_NE(series, nullptr);
    QString overallTip;
    for (int bar = 0; bar < series->barCount(); ++bar)
        if (series->barLabel(bar) == "OV")
            overallTip = series->barToolTip(bar);
    EXPECT_TRUE(
        overallTip.endsWith(QString::fromUtf8("\nScore 70.0 = (2\u00d7SK + PA + PC) \u00f7 4")))
        << overallTip.toStdString();
}

}  // namespace
}  // namespace vantrel::apptest
