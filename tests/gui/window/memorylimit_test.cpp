// The window when memory runs out, under a real address-space limit: a league larger than
// the memory left is a failed read of that file, and a search or a sort whose rows do not
// fit says so, leaves the list as the count label says, and the program goes on. The limit
// binds a whole process, so each case runs in a child of this test program; the child's
// test is registered only there (VANTREL_LIMITED_CHILD names the case and its folder).

#include "apptest.h"

#include "gui/results/resultmodel.h"
#include "gui/sidewindows/searchreportwindow.h"
#include "support/addressspace.h"

#include <QClipboard>
#include <QHeaderView>
#include <QProcess>

#include <cstdlib>

#ifdef VANTREL_ADDRESS_SPACE_TESTS

namespace vantrel::apptest {
namespace {

using testsupport::LiftAddressSpaceLimit;
using testsupport::LimitAddressSpace;

constexpr char kChildVariable[] = "VANTREL_LIMITED_CHILD";
constexpr int kSkColumn = 9;
// A roster of 200 MiB: its rows (4 bytes a player, twice) need far more than the 4 MiB
// a limited child may still map.
constexpr std::int64_t kWidePlayers = 101 * 24'150;  // 2 439 150
constexpr std::uintmax_t kRowsSlack = std::uintmax_t{4} << 20;
// Room for a search of 24 150 rows, too little for the report's near misses, the export's
// buffer or the copied text.
constexpr std::uintmax_t kTightSlack = std::uintmax_t{1} << 20;

// One team "Alpha" holding every record; SK runs 0..100 again and again, so that an SK
// sort moves rows.
void WriteWideLeague(const QString& base) {
    Require(WriteBytes(base + ".tms", TeamImage({"Alpha"})), "team file written");
    std::vector<std::uint8_t> block;
    for (int i = 0; i < 101; ++i)
        leaguegen::PlayerBuilder().Name("Wide Player").Rating(6, std::uint8_t(i)).AppendTo(block);
    QFile roster(base + ".ros");
    Require(roster.open(QIODevice::WriteOnly), "roster file opened");
    for (std::int64_t written = 0; written < kWidePlayers; written += 101)
        Require(roster.write(reinterpret_cast<const char*>(block.data()), qint64(block.size())) ==
                    qint64(block.size()),
                "roster written");
}

class LimitedWindow : public AppTest {
  public:
    LimitedWindow(std::string scenario, QString folder)
        : scenario_(std::move(scenario)), folder_(std::move(folder)) {}

    void TestBody() override {
        if (scenario_ == "LeagueTooLarge")
            LeagueTooLarge();
        else if (scenario_ == "RowsDoNotFit")
            RowsDoNotFit();
        else
            ReportExportAndCopyDoNotFit();
        LiftAddressSpaceLimit();
    }

  private:
    QString In(const QString& name) const { return folder_ + "/" + name; }

    static void ExpectOneBox(const std::vector<BoxSeen>& boxes, const QString& text,
                             const QString& objectName) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].objectName, objectName);
    }
    std::vector<std::int32_t> FirstRecords() {
        std::vector<std::int32_t> records;
        for (int row = 0; row < 3; ++row)
            records.push_back(Found()->model()->index(row, 0).data(kRecordIndexRole).toInt());
        return records;
    }

    // The same state as any failed read of a roster after a load (see the load tests).
    void LeagueTooLarge() {
        LoadLeague(In("small.tms"));
        if (!LimitAddressSpace(std::uintmax_t{64} << 20))
            GTEST_SKIP() << "the kernel refused the address-space limit";
        ExpectOneBox(OpenFile(In("big.tms")), kRosterError, "loadError");
        EXPECT_EQ(Window().League().PlayersPerTeam, 0);
        EXPECT_EQ(ControlsNotInState(false), QStringList());
        EXPECT_EQ(Control<QLabel>("avgov")->text(), "0");
        EXPECT_EQ(FinfoTexts(), QStringList({"508", "46440", "??", "??"}));

        LiftAddressSpaceLimit();
        LoadLeague(In("small.tms"));
        EXPECT_EQ(ControlsNotInState(true), QStringList());
    }

    void RowsDoNotFit() {
        LoadLeague(In("wide.tms"));
        auto* search = Control<QPushButton>("Button2");
        const QString all = QString::number(kWidePlayers);
        const QString told = "Not enough memory to list " + all + " players.";

        // A search that fits (SK at least 100), then one that does not: the count of the
        // first must not stay behind.
        Tbx(7)->setValue(100);
        QTest::mouseClick(search, Qt::LeftButton);
        ASSERT_EQ(Lanz(), "24150");
        Tbx(7)->setValue(0);
        if (!LimitAddressSpace(kRowsSlack))
            GTEST_SKIP() << "the kernel refused the address-space limit";
        ExpectOneBox(BoxesOf([&] { QTest::mouseClick(search, Qt::LeftButton); }), told,
                     "outOfMemory");
        EXPECT_EQ(Found()->model()->rowCount(), 0);
        EXPECT_EQ(Lanz(), "0");

        LiftAddressSpaceLimit();
        QTest::mouseClick(search, Qt::LeftButton);
        ASSERT_EQ(Lanz(), all);
        const std::vector<std::int32_t> before = FirstRecords();

        ASSERT_TRUE(LimitAddressSpace(kRowsSlack));
        ExpectOneBox(BoxesOf([&] { ClickHeader(kSkColumn); }), told, "outOfMemory");
        EXPECT_EQ(FirstRecords(), before) << "the order changed";
        EXPECT_EQ(Window().SortKey, 0);
        EXPECT_FALSE(Found()->horizontalHeader()->isSortIndicatorShown());
        EXPECT_EQ(Lanz(), all);

        LiftAddressSpaceLimit();
        ClickHeader(kSkColumn);
        EXPECT_EQ(Window().SortKey, kSkColumn + 1);
        EXPECT_EQ(FirstRecords(), std::vector<std::int32_t>({0, 101, 202}));
    }

    // The report, an export and a copy that do not fit: each says so, the report shows
    // no counts, no file is left behind and the clipboard keeps its text.
    void ReportExportAndCopyDoNotFit() {
        LoadLeague(In("wide.tms"));
        Tbx(7)->setValue(100);  // SK at least 100: 24 150 rows, every other player a near miss
        Search();
        ASSERT_EQ(Lanz(), "24150");
        // The report window and the save dialog made while memory is plenty.
        Action("SearchReport1")->trigger();
        {
            ModalAnswerer first;
            first.AnswerFile(In("first.csv"));
            Action("ExportList1")->trigger();
        }
        Require(QFile::exists(In("first.csv")), "an export that fits");
        QApplication::clipboard()->setText("kept");
        Found()->selectAll();
        const QStringList files = QDir(folder_).entryList(QDir::Files | QDir::Hidden);
        ModalAnswerer answerer;
        answerer.AnswerFile(In("second.csv"));

        if (!LimitAddressSpace(kTightSlack))
            GTEST_SKIP() << "the kernel refused the address-space limit";
        Action("SearchReport1")->trigger();
        const QString summary = ChildOf<QLabel>(*program_->report, "summary")->text();
        Action("ExportList1")->trigger();
        Found()->setFocus();
        QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier);
        LiftAddressSpaceLimit();

        EXPECT_EQ(summary,
                  "Not enough memory to report on " + QString::number(kWidePlayers) + " players.");
        EXPECT_TRUE(answerer.Unexpected().isEmpty())
            << answerer.Unexpected().join(", ").toStdString();
        ASSERT_EQ(answerer.Boxes().size(), 2u);
        EXPECT_EQ(answerer.Boxes()[0].text, "Could not write " + In("second.csv") +
                                                ":\nNot enough memory to export 24150 players.");
        EXPECT_EQ(answerer.Boxes()[1].text, "Not enough memory to copy 24150 players.");
        EXPECT_EQ(QDir(folder_).entryList(QDir::Files | QDir::Hidden), files);
        EXPECT_EQ(QApplication::clipboard()->text(), "kept");
    }

    std::string scenario_;
    QString folder_;
};

// Registered only in the child, so that the test list of the program never shows it.
[[maybe_unused]] const bool kChildRegistered = [] {
    const char* job = std::getenv(kChildVariable);
    if (!job)
        return false;
    const QString folder = QString::fromLocal8Bit(job).section('\n', 1);
    const std::string scenario = QString::fromLocal8Bit(job).section('\n', 0, 0).toStdString();
    testing::RegisterTest("LimitedWindow", scenario.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                          [=]() -> AppTest* { return new LimitedWindow(scenario, folder); });
    return true;
}();

// Runs one case in a child; its output is the failure message when it fails.
void RunLimitedChild(const QString& scenario, const QString& folder) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildVariable, scenario + "\n" + folder);
    // One malloc arena: a worker thread's spare arena is address space already reserved,
    // which an allocation that fails in the main arena would quietly fall back on.
    environment.insert("MALLOC_ARENA_MAX", "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=LimitedWindow." + scenario});
    ASSERT_TRUE(child.waitForFinished(120000)) << "the child did not end";
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (output.contains("[  SKIPPED ]"))
        GTEST_SKIP() << "the kernel refused the address-space limit";
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST(MemoryLimit, LeagueLargerThanTheMemoryLeftIsAFailedReadOfTheRoster) {
    QTemporaryDir folder;
    Require(folder.isValid(), "temporary folder");
    leaguegen::Options small;
    small.teams = 18;
    small.slotsPerTeam = 30;  // 4572 and 46440 bytes
    Require(
        leaguegen::WriteLeague(leaguegen::Generate(small), folder.filePath("small").toStdString()),
        "small league written");
    Require(WriteBytes(folder.filePath("big.tms"), TeamImage({"Alpha", "Beta"})), "team written");
    QFile big(folder.filePath("big.ros"));
    Require(big.open(QIODevice::WriteOnly) && big.resize(qint64{512} << 20), "sparse roster");
    big.close();
    RunLimitedChild("LeagueTooLarge", folder.path());
}

TEST(MemoryLimit, SearchAndSortWhoseRowsDoNotFitSaySoAndChangeNothingElse) {
    QTemporaryDir folder;
    Require(folder.isValid(), "temporary folder");
    WriteWideLeague(folder.filePath("wide"));
    RunLimitedChild("RowsDoNotFit", folder.path());
}

TEST(MemoryLimit, ReportExportAndCopyThatDoNotFitSaySoAndLeaveNothingBehind) {
    QTemporaryDir folder;
    Require(folder.isValid(), "temporary folder");
    WriteWideLeague(folder.filePath("wide"));
    RunLimitedChild("ReportExportAndCopyDoNotFit", folder.path());
}

}  // namespace
}  // namespace vantrel::apptest

#endif
