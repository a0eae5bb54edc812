// The search for scripts: the built program run without any display, its three formats
// byte for byte against what the window itself exports and copies for the same search,
// every exit status, and a league of hostile names.

#include "apptest.h"

#include "core/league/records.h"
#include "gui/window/teamlistmodel.h"
#include "support/byteimage.h"

#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QProcess>

namespace vantrel::apptest {
namespace {

using leaguegen::PlayerBuilder;

struct ScriptRun {
    int status = -1;
    QByteArray out;
    QString err;
};

// The program as a script runs it: no display of any kind.
ScriptRun RunScript(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VANTREL_PROGRAM), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        ADD_FAILURE() << "the program did not end";
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly), "file read: " + path.toStdString());
    return file.readAll();
}

class ScriptSearchTest : public AppTest {
  protected:
    // Edit -> Query with the text, then Search as the dialog's OK does.
    void Query(const QString& text) {
        ModalAnswerer answerer;
        answerer.AnswerInput(text);
        Action("Query1")->trigger();
        EXPECT_TRUE(answerer.Unexpected().isEmpty());
    }
    // File -> Export List to the path; the file's bytes.
    QByteArray ExportedBytes(const QString& path) {
        ModalAnswerer answerer;
        answerer.AnswerFile(path);
        Action("ExportList1")->trigger();
        EXPECT_TRUE(answerer.Boxes().empty());
        return FileBytes(path);
    }
};

TEST_F(ScriptSearchTest, EachFormatIsWhatTheWindowExportsAndCopies) {
    leaguegen::Options options;
    options.seed = 30;
    options.teams = 20;
    options.slotsPerTeam = 150;
    const QString league = WriteLeague("league", leaguegen::Generate(options)) + ".ros";
    LoadLeague(league);
    const QString query = QStringLiteral("age=20-34 SK>=35 score=SK*2+PA score>=40");
    Query(query);
    const int rows = Found()->model()->rowCount();
    ASSERT_GT(rows, 100);
    ClickHeader(16);  // OV, then the other way
    ClickHeader(16);

    const QStringList sorted = {"--query", query, "--sort", "ov", "--reverse", league};
    const QByteArray exported = ExportedBytes(Path("window.csv"));
    const ScriptRun csv = RunScript(sorted);
    EXPECT_EQ(csv.status, 0) << csv.err.toStdString();
    EXPECT_EQ(csv.err, "");
    EXPECT_EQ(csv.out, exported);
    EXPECT_EQ(RunScript(sorted + QStringList{"--output", Path("script.csv")}).status, 0);
    EXPECT_EQ(FileBytes(Path("script.csv")), exported);

    Found()->selectAll();
    QTest::keyClick(Found(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const ScriptRun tsv = RunScript(sorted + QStringList{"--format", "tsv"});
    EXPECT_EQ(QString::fromUtf8(tsv.out), QApplication::clipboard()->mimeData()->text());

    // JSON: one object per row in the list's order, numbers as numbers.
    const ScriptRun json = RunScript(sorted + QStringList{"--format", "json"});
    const QJsonArray array = QJsonDocument::fromJson(json.out).array();
    ASSERT_EQ(array.size(), rows);
    for (const int row : {0, rows / 2, rows - 1}) {
        const QJsonObject player = array[row].toObject();
        const auto cell = [&](int column) {
            return Found()->model()->index(row, column).data().toString();
        };
        EXPECT_EQ(player["Player Name"].toString(), cell(0));
        EXPECT_EQ(player["Pos."].toString(), cell(1));
        EXPECT_EQ(player["OV"].toInt(-1), cell(16).toInt());
        EXPECT_EQ(player["Salary"].toInteger(-1), cell(17).toLongLong());
        EXPECT_DOUBLE_EQ(player["Score"].toDouble(-1), cell(19).toDouble());
    }
    EXPECT_EQ(RunScript({"--query", query, "--count", league}).out,
              QByteArray::number(rows) + '\n');
}

TEST(ScriptSearchStatus, EveryOutcomeHasItsStatusAndMessage) {
    QTemporaryDir dir;
    const QString demo = QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.ros");
    const QString demoTeams = QStringLiteral(VANTREL_SOURCE_DIR "/samples/demo.tms");
    const struct {
        QStringList arguments;
        int status;
        const char* message;  // the start of standard error
    } cases[] = {
        {{"--query", "SK>=100 DF>=100", demo}, 0, ""},
        {{"--query", "", dir.filePath("gone.ros")},
         1,
         "vantrel-search: Es trat ein Fehler beim Lesen der Team"},
        {{"--query", "", "--output", demoTeams, demo}, 1, "vantrel-search: /"},
        {{"--query", "", "--output", dir.path(), demo}, 1, "vantrel-search: Could not write"},
        {{"--query", "SK>=300", demo},
         2,
         "vantrel-search: the criteria were not applied: at "
         "\"SK>=300\""},
        {{"--query", "dOV>=3", demo}, 2, "vantrel-search: the criteria were not applied"},
        {{"--query", "", "--sort", "Speed", demo}, 2, "vantrel-search: no column \"Speed\""},
        {{"--query", "", "--format", "xml", demo}, 2, "vantrel-search: --format takes"},
        {{"--query", "", "--reverse", demo}, 2, "vantrel-search: --reverse needs --sort"},
        {{"--query", "", "--count", "--report", demo}, 2, "vantrel-search: --count cannot go"},
        {{"--query", "", demo, demoTeams}, 2, "vantrel-search: --query needs one league FILE"},
        {{"--count", demo}, 2, "vantrel-search: --count needs --query"},
    };
    for (const auto& c : cases) {
        const ScriptRun run = RunScript(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(run.err.left(message.size()), message)
            << run.err.toStdString() << " for " << c.arguments.join(' ').toStdString();
    }
    // Nobody found: the captions alone, or an empty array; the league files untouched.
    EXPECT_EQ(RunScript({"--query", "SK>=100 DF>=100", demo}).out,
              "Player Name,Pos.,Age,IT,SP,ST,EN,DU,DI,SK,PA,PC,DF,SC,EX,LD,OV,Salary,Ct\r\n");
    EXPECT_EQ(RunScript({"--query", "SK>=100 DF>=100", "--format", "json", demo}).out, "[]\n");

    // A reader that stops early: a message and status 1, not a death by signal.
    QProcess shell;
    shell.start("bash", {"-c", QStringLiteral("set -o pipefail; \"%1\" --query '' --format json "
                                              "\"%2\" | head -c 1 >/dev/null")
                                   .arg(VANTREL_PROGRAM, demo)});
    ASSERT_TRUE(shell.waitForFinished(20000));
    EXPECT_EQ(shell.exitCode(), 1);
    EXPECT_TRUE(shell.readAllStandardError().startsWith(
        "vantrel-search: could not write to standard output: "));
}

TEST(ScriptSearchHostile, NamesThatLookLikeFormulasAreTextInCsvAndTsvButNotInJson) {
    QTemporaryDir dir;
    std::vector<std::uint8_t> roster;
    for (const char* name : {"=cmd|' /C calc'!A0", "@SUM(A1)", "-5", "+1x", "Lee, \"Jr\"",
                             "Line\nBreak", "Andr\xE9 \x80uro"})
        PlayerBuilder().Name(name).Age(25).Rating(kSK, 50).AppendTo(roster);
    roster.resize(2 * 4 * kPlayerRecordSize, 0);
    const QString base = dir.filePath("hostile");
    ASSERT_TRUE(WriteBytes(base + ".tms", TeamImage({"Alpha", "Bravo"})));
    ASSERT_TRUE(WriteBytes(base + ".ros", roster));
    const auto names = [&](const char* format) {
        QList<QByteArray> lines = RunScript({"--query", "", "--format", format, base + ".ros"})
                                      .out.split(format[0] == 'c' ? '\r' : '\n');
        QList<QByteArray> firstCells;
        for (qsizetype i = 1; i < lines.size(); ++i)
            firstCells << lines[i].left(lines[i].indexOf(format[0] == 'c' ? ",C," : "\tC\t"));
        return firstCells;
    };
    EXPECT_EQ(names("csv"),
              (QList<QByteArray>{"\n'=cmd|' /C calc'!A0", "\n'@SUM(A1)", "\n-5", "\n'+1x",
                                 "\n\"Lee, \"\"Jr\"\"\"", "\n\"Line\nBreak\"",
                                 "\nAndr\xC3\xA9 \xE2\x82\xACuro", ""}));
    EXPECT_EQ(names("tsv"),
              (QList<QByteArray>{"'=cmd|' /C calc'!A0", "'@SUM(A1)", "-5", "'+1x", "Lee, \"Jr\"",
                                 "Line Break", "Andr\xC3\xA9 \xE2\x82\xACuro", ""}));
    const QJsonArray json =
        QJsonDocument::fromJson(RunScript({"--query", "", "--format", "json", base + ".ros"}).out)
            .array();
    ASSERT_EQ(json.size(), 7);
    EXPECT_EQ(json[0].toObject()["Player Name"].toString(), "=cmd|' /C calc'!A0");
    EXPECT_EQ(json[2].toObject()["Player Name"].toString(), "-5");
    EXPECT_EQ(json[5].toObject()["Player Name"].toString(), "Line\nBreak");
}

// The lookup Edit -> Query and --query share: the same case first, then any case; a row
// outside the list stands for no team.
TEST(TeamLookup, ANameFindsItsEntryAndARowOutsideTheListNoTeam) {
    TeamListModel teams;
    teams.Fill(testsupport::SharedImageOf(TeamImage({"Alpha", "x", "ALPHA", "Bravo"})), 4);
    EXPECT_EQ(teams.EntryNamed("ALPHA"), 2);  // "x" is too short to be listed
    EXPECT_EQ(teams.EntryNamed("alpha"), 1);
    EXPECT_EQ(teams.EntryNamed("Zulu"), -1);
    EXPECT_EQ(teams.TeamAt(2), 2);
    EXPECT_EQ(teams.TeamAt(3), 3);
    for (const int outside : {-1, 0, 4})
        EXPECT_EQ(teams.TeamAt(outside), -1) << outside;
}

}  // namespace
}  // namespace vantrel::apptest
