#include "gui/window/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace vantrel {

namespace {

// Options QApplication reads itself (-platform offscreen, -style fusion, ...): accepted,
// not shown, left in the arguments for the application object.
void AddQtOptions(QCommandLineParser& parser) {
    for (const char* name : {"platform", "style", "stylesheet", "qwindowgeometry", "display"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCoreApplication::setApplicationName(QStringLiteral("vantrel-search"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Searches the players of an ice-hockey league simulation: a team file "
                       "(.tms) and a roster file (.ros) side by side."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Made here rather than by addHelpOption: that one also offers --help-all, which
    // needs the application object.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
    parser.addOptions({help, version});
    AddQtOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Either file of a league, opened at start."),
                                 QStringLiteral("[FILE]"));

    // Without an application object the usage line knows no program name.
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                    QStringLiteral("vantrel-search"));
    CommandLine line;
    const auto fail = [&](const QString& error) {
        line.exitCode = 2;
        line.output = QStringLiteral("vantrel-search: %1\n%2").arg(error, usage);
        return line;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        line.exitCode = 0;
        line.output = usage;
    } else if (parser.isSet(version)) {
        line.exitCode = 0;
        line.output = QStringLiteral("vantrel-search %1\n").arg(QStringLiteral(VANTREL_VERSION));
    } else if (parser.positionalArguments().size() > 1) {
        return fail(
            QStringLiteral("one FILE at most, not %1").arg(parser.positionalArguments().size()));
    } else if (!parser.positionalArguments().isEmpty()) {
        line.file = parser.positionalArguments().constFirst();
    }
    return line;
}

}  // namespace vantrel
