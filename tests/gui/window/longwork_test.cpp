// Long work on a list of more than 200 000 rows, its progress dialog shown at once: a
// cancelled export leaves no trace and an old target as it was, a finished one writes
// every row, a cancelled copy leaves the clipboard alone, a sort under the dialog gives
// the column's order; a few selected rows are exported without a dialog.

#include "apptest.h"

#include "core/order/resultcolumns.h"
#include "gui/common/longwork.h"
#include "gui/results/resultmodel.h"

#include <QClipboard>

#include <algorithm>
#include <chrono>

namespace vantrel::apptest {
namespace {

class LongWorkTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        delayBefore_ = SetProgressDelay(std::chrono::milliseconds::zero());
        leaguegen::Options options;
        options.teams = 6000;
        options.slotsPerTeam = 40;
        options.oddShare = 0;  // every age a plain number
        LoadLeague(WriteLeague("big", leaguegen::Generate(options)) + ".ros");
        Search();
        rows_ = Found()->model()->rowCount();
        Require(rows_ > 200000 && Lanz() == QString::number(rows_), "a long list");
    }
    void TearDown() override {
        SetProgressDelay(delayBefore_);
        AppTest::TearDown();
    }

    // File -> Export List... to path (replacing it); the progress dialogs shown.
    std::vector<ProgressSeen> Export(const QString& path, bool cancel) {
        ModalAnswerer answerer;
        answerer.AnswerFile(path);
        if (cancel)
            answerer.CancelProgress();
        Action("ExportList1")->trigger();
        EXPECT_TRUE(answerer.Unexpected().isEmpty());
        EXPECT_TRUE(answerer.AllFileAnswersUsed());
        for (const BoxSeen& box : answerer.Boxes())
            EXPECT_TRUE(box.text.contains("already exists")) << box.text.toStdString();
        return answerer.Progresses();
    }
    QString Players(const char* doing) const {
        return QString("%1 %2 players\u2026").arg(doing).arg(rows_);
    }

    std::chrono::milliseconds delayBefore_{};
    int rows_ = 0;
};

TEST_F(LongWorkTest, ExportIsCancelledWithoutATraceOrWrittenWhole) {
    const QString target = Path("list.csv");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old list\n") == 9);
    old.close();
    const QStringList folder = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);

    const std::vector<ProgressSeen> cancelled = Export(target, true);
    ASSERT_EQ(cancelled.size(), 1u);
    EXPECT_EQ(cancelled[0].text, Players("Exporting"));
    EXPECT_EQ(cancelled[0].maximum, rows_);
    EXPECT_TRUE(cancelled[0].cancellable);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old list\n");
    old.close();
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), folder);

    EXPECT_EQ(Export(target, false).size(), 1u);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll().count("\r\n"), rows_ + 1);  // the captions and every row

    // Two selected rows are quick work: no dialog.
    SelectRows({5, 7});
    EXPECT_TRUE(Export(Path("two.csv"), false).empty());
    QFile two(Path("two.csv"));
    ASSERT_TRUE(two.open(QIODevice::ReadOnly));
    EXPECT_EQ(two.readAll().count("\r\n"), 3);
}

TEST_F(LongWorkTest, CancelledCopyLeavesTheClipboardAlone) {
    QApplication::clipboard()->setText("kept");
    Found()->selectAll();
    Found()->setFocus();
    ModalAnswerer answerer;
    answerer.CancelProgress();
    QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(answerer.Progresses().size(), 1u);
    EXPECT_EQ(answerer.Progresses()[0].text, Players("Copying"));
    EXPECT_EQ(answerer.Progresses()[0].maximum, 2 * rows_);  // the text, then the table
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

TEST_F(LongWorkTest, SortUnderTheDialogGivesTheColumnsOrder) {
    // Ascending age; players of one age keep the search's order.
    std::vector<std::pair<int, int>> expected;
    for (int row = 0; row < rows_; ++row) {
        const QModelIndex cell = Found()->model()->index(row, kAgeColumn);
        expected.emplace_back(cell.data().toInt(), cell.data(kRecordIndexRole).toInt());
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    ModalAnswerer answerer;
    ClickHeader(kAgeColumn);
    ASSERT_EQ(answerer.Progresses().size(), 1u);
    EXPECT_EQ(answerer.Progresses()[0].text, Players("Sorting"));
    EXPECT_EQ(answerer.Progresses()[0].maximum, 0);  // a busy bar
    EXPECT_FALSE(answerer.Progresses()[0].cancellable);
    for (int row = 0; row < rows_; ++row) {
        const QModelIndex cell = Found()->model()->index(row, kAgeColumn);
        ASSERT_EQ(std::make_pair(cell.data().toInt(), cell.data(kRecordIndexRole).toInt()),
                  expected[static_cast<std::size_t>(row)])
            << "row " << row;
    }
}

}  // namespace
}  // namespace vantrel::apptest
