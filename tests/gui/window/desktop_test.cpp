// Copying rows, the list's context menu and keys, dropping a league file on the window
// and the standard shortcuts.

#include "apptest.h"

#include "gui/results/resultmodel.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

class DesktopTest : public AppTest {
  protected:
    void LoadThree() {
        std::vector<std::uint8_t> roster;
        PlayerBuilder().Name("Zora").Position(1).Age(30).Salary(500).Rating(0, 80).AppendTo(roster);
        PlayerBuilder().Name("Andr\xE9").Position(0).Age(22).Salary(900).AppendTo(roster);
        PlayerBuilder().Name("Mo <b>").Position(4).Age(200).Salary(-1).AppendTo(roster);
        roster.resize(2 * 3 * 86);
        base_ = WriteFiles("lg", TeamImage({"Alpha", "Bravo"}), roster);
        LoadLeague(base_ + ".tms");
        Search();
    }
    void Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at(300, 300);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Window(), &enter);
        accepted_ = enter.isAccepted();
        if (!accepted_)
            return;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Window(), &drop);
    }
    QString base_;
    bool accepted_ = false;
};

TEST_F(DesktopTest, CopyWithNothingSelectedKeepsTheClipboard) {
    LoadThree();
    Found()->clearSelection();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    Found()->setFocus();
    QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

TEST_F(DesktopTest, CopyPutsTheSelectedRowsInDisplayOrderAsTextAndTable) {
    LoadThree();
    Found()->horizontalHeader()->setSortIndicatorShown(false);
    Window().foundColumnClick(kNameColumn);  // Andre, Mo, Zora by bytes
    SelectRows({2, 0});
    Found()->setFocus();
    QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QStringList first = lines[0].split('\t');
    ASSERT_EQ(first.size(), 19);
    EXPECT_EQ(first[0], QString::fromUtf8("Andr\u00e9"));  // decoded from Windows-1252
    EXPECT_EQ(first[1], "C");
    EXPECT_EQ(first[17], "900");
    EXPECT_EQ(lines[1].split('\t')[0], "Zora");
    EXPECT_EQ(lines[1].split('\t')[3], "80");
    EXPECT_TRUE(copied->hasHtml());
    EXPECT_TRUE(copied->html().contains(QString::fromUtf8("<td>Andr\u00e9</td>")));
    EXPECT_FALSE(copied->html().contains("<th>"));

    SelectRows({1});
    QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList withHeaders =
        QApplication::clipboard()->mimeData()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(withHeaders.size(), 2);
    EXPECT_TRUE(withHeaders[0].startsWith("Player Name\tPos.\tAge\tIT\t"));
    EXPECT_TRUE(withHeaders[0].endsWith("\tOV\tSalary\tCt"));
    EXPECT_TRUE(withHeaders[1].startsWith("Mo <b>\tG\t-56\t"));
    // Texts that look like markup stay texts in the table.
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->html().contains("<td>Mo &lt;b&gt;</td>"));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->html().contains("<th>Player Name</th>"));
}

TEST_F(DesktopTest, ContextMenuAndEnterShowTheDetailsOfTheRow) {
    LoadThree();
    SelectRows({1});
    // The list's menu offers both copies, Details, Compare and Find Similar; choosing
    // Details shows the player.
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), "foundMenu");
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                texts << action->text() + (action->isEnabled() ? "" : " (off)");
        }
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint at(20, 5);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, Found()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Found()->viewport(), &click);
    EXPECT_EQ(texts,
              QStringList({"Copy", "Copy with Headers", "Details", "Compare", "Find Similar"}));
    EXPECT_EQ(Control<QTabWidget>("pc")->currentWidget()->objectName(), "TabSheet2");
    EXPECT_EQ(ChildOf<QLabel>(*Control<QWidget>("TabSheet2"), "Label5")->text(),
              QString::fromUtf8("Andr\u00e9"));

    SelectRows({0});
    Found()->setFocus();
    QTest::keyClick(Found(), Qt::Key_Return);
    EXPECT_EQ(ChildOf<QLabel>(*Control<QWidget>("TabSheet2"), "Label5")->text(), "Zora");
}

TEST_F(DesktopTest, DroppingOneLeagueFileLoadsItLikeOpenFile) {
    std::vector<std::uint8_t> roster(18 * 30 * 86, 0);
    PlayerBuilder().Name("Dropped").AppendTo(roster);
    roster.resize(18 * 30 * 86);
    const QString base =
        WriteFiles("drop.me", TeamImage(std::vector<std::string>(18, "Team")), roster);
    Drop({QUrl::fromLocalFile(base + ".ros")});
    EXPECT_TRUE(accepted_);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Window().League().PlayersPerTeam == 30; }, 5000))
        << Window().League().PlayersPerTeam;
    EXPECT_EQ(FinfoTexts(), QStringList({"4572", "46440", "18", "30"}));
    EXPECT_TRUE(ControlsNotInState(true).isEmpty());

    // Several files, or something that is not a local file, are refused.
    Drop({QUrl::fromLocalFile(base + ".ros"), QUrl::fromLocalFile(base + ".tms")});
    EXPECT_FALSE(accepted_);
    Drop({QUrl("https://example.invalid/league.ros")});
    EXPECT_FALSE(accepted_);

    // A dropped file that fails gives the usual message and state.
    ModalAnswerer answerer;
    Drop({QUrl::fromLocalFile(Path("nothing.ros"))});
    EXPECT_TRUE(accepted_);
    ASSERT_TRUE(QTest::qWaitFor([&answerer] { return answerer.Boxes().size() == 1; }, 5000))
        << answerer.Boxes().size();
    EXPECT_EQ(answerer.Boxes()[0].text, "Es trat ein Fehler beim Lesen der Team-Datei auf!");
    EXPECT_EQ(Window().League().PlayersPerTeam, 0);
    EXPECT_TRUE(ControlsNotInState(false).isEmpty());
}

TEST_F(DesktopTest, StandardShortcutsOnTheMenu) {
    EXPECT_EQ(Action("Filesffnen1")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Action("beenden1")->shortcut(), QKeySequence(QKeySequence::Quit));
    EXPECT_FALSE(Action("Filesffnen1")->shortcut().isEmpty());
}

}  // namespace
}  // namespace vantrel::apptest
