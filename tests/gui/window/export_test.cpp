// File -> Export List... through the real save dialog: the bytes of the CSV file against
// the list as it shows, the selection, the refusal of the loaded league's files and
// targets that cannot be written.

#include "apptest.h"

#include "core/league/records.h"
#include "core/order/resultcolumns.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMimeData>

#include <sys/stat.h>

#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

// A field as RFC 4180 wants it: quoted, quotes doubled, only when it must be.
QByteArray CsvField(const QString& text) {
    QByteArray field = text.toUtf8();
    if (!field.contains(',') && !field.contains('"') && !field.contains('\r') &&
        !field.contains('\n'))
        return field;
    return '"' + field.replace("\"", "\"\"") + '"';
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly), "file read: " + path.toStdString());
    return file.readAll();
}

QStringList Listing(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

class ExportTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        std::vector<std::uint8_t> roster;
        const struct {
            const char* name;
            int age, sk, salary;
        } players[] = {{"Kell, \"Ann\"", 24, 70, 900000},
                       {"M\xFCller", 31, 55, 400000},
                       {"Zed Ox", 22, 80, 1200000},
                       {"Bo Rand", 35, 60, 250000},
                       {"Cy Moor", 28, 65, 700000}};
        for (const auto& p : players)
            PlayerBuilder()
                .Name(p.name)
                .Age(static_cast<std::uint8_t>(p.age))
                .Rating(kSK, static_cast<std::uint8_t>(p.sk))
                .Salary(p.salary)
                .AppendTo(roster);
        roster.resize(std::size_t{2} * 4 * 86, 0);
        base_ = WriteFiles("league", TeamImage({"Alpha", "Bravo"}), roster);
        LoadLeague(base_ + ".ros");
        Search();
    }

    // The file the list's rows make, as the list shows them: the captions of its header,
    // then each of the given rows.
    QByteArray Expected(const QList<int>& rows) {
        QAbstractItemModel* model = Found()->model();
        QHeaderView* header = Found()->horizontalHeader();
        EXPECT_EQ(header->count(), kResultColumnCount);
        QByteArray text;
        for (int column = 0; column < header->count(); ++column) {
            text += (column ? "," : "") +
                    CsvField(header->model()->headerData(column, Qt::Horizontal).toString());
        }
        text += "\r\n";
        for (int row : rows) {
            for (int column = 0; column < model->columnCount(); ++column)
                text += (column ? "," : "") + CsvField(model->index(row, column).data().toString());
            text += "\r\n";
        }
        return text;
    }
    QList<int> AllRows() {
        QList<int> rows;
        for (int row = 0; row < Found()->model()->rowCount(); ++row)
            rows << row;
        return rows;
    }

    // "File" -> "Export List...", the path typed into the save dialog; the boxes shown
    // other than the dialog's question whether to replace a file.
    std::vector<BoxSeen> Export(const QString& typed, bool replaces = false) {
        ModalAnswerer answerer;
        answerer.AnswerFile(typed);
        Action("ExportList1")->trigger();
        EXPECT_TRUE(answerer.AllFileAnswersUsed()) << "the save dialog was not shown";
        EXPECT_TRUE(answerer.Unexpected().isEmpty())
            << answerer.Unexpected().join(", ").toStdString();
        std::vector<BoxSeen> boxes = answerer.Boxes();
        const bool asked =
            !boxes.empty() && boxes[0].text.contains("already exists") && boxes[0].hasOwner;
        EXPECT_EQ(asked, replaces) << typed.toStdString();
        if (asked)
            boxes.erase(boxes.begin());
        return boxes;
    }
    static void ExpectExportError(const std::vector<BoxSeen>& boxes, const QString& start) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].objectName, "exportError");
        EXPECT_EQ(boxes[0].title, "Export List");
        EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(boxes[0].text.startsWith(start)) << boxes[0].text.toStdString();
    }

    QString base_;
};

TEST_F(ExportTest, WritesTheRowsAsTheListShowsThem) {
    EXPECT_EQ(Action("ExportList1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    const QStringList fileOrder = Column(kNameColumn);
    ClickHeader(kNameColumn);
    ClickHeader(kNameColumn);
    ASSERT_NE(Column(kNameColumn), fileOrder);
    ASSERT_EQ(Column(kNameColumn).size(), 5);

    // A name without a suffix gets ".csv"; nothing else is left in the folder.
    EXPECT_TRUE(Export(Path("all")).empty());
    const QByteArray all = FileBytes(Path("all.csv"));
    EXPECT_EQ(all, Expected(AllRows()));
    EXPECT_TRUE(all.startsWith("Player Name,Pos.,Age,IT,"));
    EXPECT_TRUE(all.contains("\r\n\"Kell, \"\"Ann\"\"\","));
    EXPECT_TRUE(all.contains("\r\nM\xC3\xBCller,"));
    EXPECT_EQ(all.count("\r\n"), 6);
    EXPECT_EQ(all.count('\n'), 6);
    EXPECT_EQ(Listing(dir_.path()), QStringList({"all.csv", "league.ros", "league.tms"}));

    // Two or more selected rows alone, top to bottom; a single one marks no choice.
    SelectRows({3, 1});
    EXPECT_TRUE(Export(Path("some.csv")).empty());
    EXPECT_EQ(FileBytes(Path("some.csv")), Expected({1, 3}));
    SelectRows({2});
    EXPECT_TRUE(Export(Path("one")).empty());
    EXPECT_EQ(FileBytes(Path("one.csv")), all);

    // A list of no rows replaces a file with the header line alone.
    Control<QLineEdit>("edname")->setText("Nobody*");
    Search();
    ASSERT_EQ(Found()->model()->rowCount(), 0);
    EXPECT_TRUE(Export(Path("all"), true).empty());
    EXPECT_EQ(FileBytes(Path("all.csv")), Expected({}));
    EXPECT_EQ(FileBytes(Path("all.csv")).count("\r\n"), 1);
}

TEST_F(ExportTest, FilesOfTheLoadedLeagueAreNeverWritten) {
    const QByteArray tms = FileBytes(base_ + ".tms");
    const QByteArray ros = FileBytes(base_ + ".ros");
    Require(QFile::link(base_ + ".tms", Path("link.tms")), "link made");
    Require(QFile::link(dir_.path(), Path("alias")), "folder link made");
    const QStringList listing = Listing(dir_.path());

    ExpectExportError(Export(base_ + ".ros", true),
                      QDir::toNativeSeparators(base_ + ".ros") + " is a file of the loaded league");
    ExpectExportError(Export(Path("link.tms"), true), QDir::toNativeSeparators(Path("link.tms")) +
                                                          " is a file of the loaded league");
    for (const QString& spelling : {Path("./league.tms"), Path("alias/league.ros")}) {
        const std::vector<BoxSeen> boxes = Export(spelling, true);
        ASSERT_EQ(boxes.size(), 1u) << spelling.toStdString();
        EXPECT_TRUE(boxes[0].text.contains("is a file of the loaded league"))
            << spelling.toStdString();
    }

    EXPECT_EQ(FileBytes(base_ + ".tms"), tms);
    EXPECT_EQ(FileBytes(base_ + ".ros"), ros);
    EXPECT_EQ(Listing(dir_.path()), listing);
    EXPECT_TRUE(QFileInfo(Path("link.tms")).isSymLink());
}

// Names a spreadsheet would run as formulas reach the file and the clipboard with an
// apostrophe; whole numbers and the list itself stay as they are.
TEST_F(ExportTest, FormulaNamesAreGuardedInTheFileAndOnTheClipboard) {
    const struct {
        const char *bytes, *csv, *tsv, *html;
    } names[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"@SUM(A1)", "'@SUM(A1)", "'@SUM(A1)", "'@SUM(A1)"},
        {"+1", "+1", "+1", "+1"},
        {"-5", "-5", "-5", "-5"},
        {"\t=2+3", "'=2+3", "'=2+3", "'=2+3"},  // the tab is trimmed off the name
        {"-1,5", "\"'-1,5\"", "'-1,5", "'-1,5"},
        {"Mo \"Ace\"", "\"Mo \"\"Ace\"\"\"", "Mo \"Ace\"", "Mo &quot;Ace&quot;"},
        {"Bo\r\nKay", "\"Bo\r\nKay\"", "Bo  Kay", "Bo\r\nKay"},
        // Quoted whole for readers that split at tabs or semicolons.
        {"a\t=1+2", "\"a\t=1+2\"", "a =1+2", "a\t=1+2"},
        {"x;@SUM(A1)", "\"x;@SUM(A1)\"", "x;@SUM(A1)", "x;@SUM(A1)"},
        {"=\xE9\x80", "'=\xC3\xA9\xE2\x82\xAC", "'=\xC3\xA9\xE2\x82\xAC", "'=\xC3\xA9\xE2\x82\xAC"},
    };
    std::vector<std::uint8_t> roster;
    for (const auto& name : names)
        PlayerBuilder().Name(name.bytes).AppendTo(roster);
    roster.resize(std::size_t{2} * 6 * 86, 0);
    LoadLeague(WriteFiles("hostile", TeamImage({"Alpha", "Bravo"}), roster) + ".ros");
    Search();
    ASSERT_EQ(Column(kNameColumn).size(), 11);
    EXPECT_EQ(Column(kNameColumn)[0], "=cmd|' /C calc'!A0");

    EXPECT_TRUE(Export(Path("hostile.csv")).empty());
    const QByteArray file = FileBytes(Path("hostile.csv"));
    Found()->selectAll();
    Found()->setFocus();
    QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(names[i].csv);
        EXPECT_TRUE(file.contains("\r\n" + QByteArray(names[i].csv) + ",C,"));
        EXPECT_TRUE(lines[i].startsWith(QString::fromUtf8(names[i].tsv) + "\tC\t"));
        EXPECT_TRUE(
            copied->html().contains("<td>" + QString::fromUtf8(names[i].html) + "</td><td>C</td>"));
    }
}

#ifdef __linux__
// Folder permissions bind this thread even when it runs as root: the capability to
// override them leaves its effective set for a while. The other threads keep theirs.
class PermissionsBind {
  public:
    PermissionsBind() {
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~PermissionsBind() {
        if (lowered_)
            syscall(SYS_capset, &header_, saved_);
    }
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};
#else
struct PermissionsBind {};
#endif

// Permissions of a folder set for a test and given back at its end.
class FolderMode {
  public:
    FolderMode(const QString& folder, mode_t mode) : path_(QFile::encodeName(folder)) {
        Require(::chmod(path_.constData(), mode) == 0, "folder mode set");
    }
    ~FolderMode() { ::chmod(path_.constData(), 0755); }

  private:
    QByteArray path_;
};

TEST_F(ExportTest, AnUnwritableTargetLeavesNoFileAndKeepsTheOldOne) {
    // A folder that is a plain file: no user can write there.
    Require(WriteBytes(Path("plain"), {'x'}), "plain file written");
    ExpectExportError(Export(Path("plain/out.csv")), "Could not write");
    EXPECT_EQ(FileBytes(Path("plain")), QByteArray("x"));

    Require(QDir(dir_.path()).mkdir("ro"), "folder made");
    const QString old = Path("ro/old.csv");
    Require(WriteBytes(old, {'o', 'l', 'd', '\r', '\n'}), "old export written");
    const FolderMode readOnly(Path("ro"), 0555);
    const PermissionsBind asAnyUser;
    if (QFile probe(Path("ro/probe")); probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        GTEST_SKIP() << "a read-only folder is writable for this user";
    }

    ExpectExportError(Export(Path("ro/new")),
                      "Could not write " + QDir::toNativeSeparators(Path("ro/new.csv")));
    ExpectExportError(Export(old, true), "Could not write " + QDir::toNativeSeparators(old));
    EXPECT_EQ(Listing(Path("ro")), QStringList({"old.csv"}));
    EXPECT_EQ(FileBytes(old), QByteArray("old\r\n"));
}

}  // namespace
}  // namespace vantrel::apptest
