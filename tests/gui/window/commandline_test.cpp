// The ways in besides the dialog: a league file named on the command line opens exactly
// as a dialog choice does, messages included, and the program's own options answer
// without a window.

#include "apptest.h"

#include "gui/window/startup.h"

#include <QProcess>

namespace vantrel::apptest {
namespace {

class CommandLineTest : public AppTest {
  protected:
    // The league file of the command line, opened as main() does, its boxes answered.
    std::vector<BoxSeen> OpenAtStart(const QString& file) {
        ModalAnswerer answerer;
        OpenAtStartUp(*program_, file);
        QTest::qWait(50);
        EXPECT_TRUE(answerer.Unexpected().isEmpty());
        return answerer.Boxes();
    }
    struct State {
        QStringList disabled;
        QString average;
        QStringList teams;
        bool operator==(const State&) const = default;
    };
    State Now() {
        return {ControlsNotInState(true), Control<QLabel>("avgov")->text(), TeamEntries()};
    }
};

TEST_F(CommandLineTest, AFileLoadsAsADialogChoiceWouldWithItsMessages) {
    const QString missing = Path("gone.ros");
    const std::vector<BoxSeen> atStart = OpenAtStart(missing);
    ASSERT_EQ(atStart.size(), 1u);
    EXPECT_EQ(atStart[0].text, "Es trat ein Fehler beim Lesen der Team-Datei auf!");
    EXPECT_TRUE(Window().isVisible());  // the program goes on
    const State afterStart = Now();
    const std::vector<BoxSeen> byDialog = OpenFile(missing);
    ASSERT_EQ(byDialog.size(), 1u);
    EXPECT_EQ(byDialog[0].text, atStart[0].text);
    EXPECT_EQ(byDialog[0].title, atStart[0].title);
    EXPECT_EQ(Now(), afterStart);

    // A relative name counts from the working folder, as a shell user means it.
    const QString kept = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(VANTREL_SOURCE_DIR));
    EXPECT_TRUE(OpenAtStart(QStringLiteral("samples/demo.ros")).empty());
    QDir::setCurrent(kept);
    const State opened = Now();
    EXPECT_TRUE(opened.disabled.isEmpty()) << opened.disabled.join(", ").toStdString();
    EXPECT_EQ(opened.average, "62.9");
    EXPECT_EQ(opened.teams.size(), 19);
}

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};

ProgramRun RunProgram(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VANTREL_PROGRAM), arguments);
    const bool finished = process.waitForFinished(10000);
    EXPECT_TRUE(finished) << "the program did not end";
    if (!finished)
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(CommandLineOptions, HelpVersionAndABadOptionAnswerWithoutAWindow) {
    // No display at all: a window, or only the application object, would fail here.
    qputenv("QT_QPA_PLATFORM", "none-such");
    const ProgramRun help = RunProgram({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: vantrel-search [options] [FILE]\n"))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--version"));
    EXPECT_EQ(help.err, "");

    const ProgramRun version = RunProgram({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vantrel-search " VANTREL_VERSION "\n");

    for (const QStringList& bad :
         {QStringList{"--bogus"}, QStringList{"-x", "a.ros"}, QStringList{"a.ros", "b.ros"}}) {
        const ProgramRun run = RunProgram(bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        const QStringList lines = run.err.split('\n');
        EXPECT_TRUE(lines[0].startsWith("vantrel-search: ")) << run.err.toStdString();
        ASSERT_GT(lines.size(), 1);
        EXPECT_EQ(lines[1], "Usage: vantrel-search [options] [FILE]");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace
}  // namespace vantrel::apptest
