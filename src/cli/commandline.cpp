#include "cli/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <variant>

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
}

// The options of the search for scripts, and the exit status in the help's words.
struct ScriptOptions {
    QCommandLineOption query{QStringLiteral("query"),
                             QStringLiteral("Searches FILE's league with the criteria TEXT (as "
                                            "Edit > Query takes it; '' lists every named "
                                            "player) and prints the list, without a window."),
                             QStringLiteral("TEXT")};
    QCommandLineOption earlier{QStringLiteral("earlier"),
                               QStringLiteral("Last season's league beside FILE's: the change "
                                              "keys (dOV>=3, season=new) and the column ΔOV."),
                               QStringLiteral("FILE")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("csv (the Export List file, the default), tsv (the "
                                             "clipboard's text) or json (an array of objects "
                                             "keyed by the column captions)."),
                              QStringLiteral("FORMAT")};
    QCommandLineOption sort{QStringLiteral("sort"),
                            QStringLiteral("Orders the list by the column with this caption "
                                           "(\"OV\", \"Salary\", \"Player Name\") as a header "
                                           "click does."),
                            QStringLiteral("COLUMN")};
    QCommandLineOption reverse{QStringLiteral("reverse"),
                               QStringLiteral("With --sort: the other way, as a second click.")};
    QCommandLineOption output{QStringLiteral("output"),
                              QStringLiteral("Writes the list to FILE as Export List does "
                                             "(complete or not at all) instead of printing it."),
                              QStringLiteral("FILE")};
    QCommandLineOption count{QStringLiteral("count"),
                             QStringLiteral("Prints only the number of players found.")};
    QCommandLineOption report{QStringLiteral("report"),
                              QStringLiteral("Prints the search report: each criterion's counts "
                                             "and the near misses.")};

    QList<QCommandLineOption> All() const {
        return {query, earlier, format, sort, reverse, output, count, report};
    }
};

constexpr const char* kExitStatus =
    "\nWith --query the exit status is 0 when the search ran (also when it found nobody), 1 "
    "when a league cannot be read or the output cannot be written, 2 for a usage error or a "
    "criteria text that does not read.";

std::optional<ListFormat> FormatNamed(const QString& name) {
    if (name == QLatin1String("csv"))
        return ListFormat::kCsv;
    if (name == QLatin1String("tsv"))
        return ListFormat::kTsv;
    if (name == QLatin1String("json"))
        return ListFormat::kJson;
    return std::nullopt;
}

// The script request of a parsed line with --query, or the usage error it makes.
std::variant<ScriptRequest, QString> ScriptRequestOf(const QCommandLineParser& parser,
                                                     const ScriptOptions& options) {
    ScriptRequest request;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return QStringLiteral("--query needs one league FILE, not %1").arg(files.size());
    request.file = files.constFirst();
    request.query = parser.value(options.query);
    request.earlier = parser.value(options.earlier);
    if (parser.isSet(options.format)) {
        const std::optional<ListFormat> format = FormatNamed(parser.value(options.format));
        if (!format) {
            return QStringLiteral("--format takes csv, tsv or json, not \"%1\"")
                .arg(parser.value(options.format));
        }
        request.format = *format;
    }
    request.sortColumn = parser.value(options.sort);
    request.reverse = parser.isSet(options.reverse);
    request.output = parser.value(options.output);
    request.countOnly = parser.isSet(options.count);
    request.report = parser.isSet(options.report);
    if (request.reverse && !parser.isSet(options.sort))
        return QStringLiteral("--reverse needs --sort");
    if (request.countOnly && request.report)
        return QStringLiteral("--count cannot go with --report");
    const bool listOptions =
        parser.isSet(options.format) || parser.isSet(options.sort) || parser.isSet(options.output);
    if ((request.countOnly || request.report) && listOptions) {
        return QStringLiteral("%1 prints no list: --format, --sort and --output cannot go with it")
            .arg(QLatin1String(request.countOnly ? "--count" : "--report"));
    }
    return request;
}

// The first option of the search for scripts that is set although --query is not. Without
// it, -reverse is the application object's own (a right-to-left layout).
QString ScriptOptionWithoutQuery(const QCommandLineParser& parser, const ScriptOptions& options) {
    for (const QCommandLineOption& option : options.All()) {
        if (parser.isSet(option) && option.names() != options.reverse.names())
            return QStringLiteral("--%1 needs --query").arg(option.names().constFirst());
    }
    return {};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCoreApplication::setApplicationName(QStringLiteral("vantrel-search"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Searches the players of an ice-hockey league simulation: a team file "
                       "(.tms) and a roster file (.ros) side by side.") +
        QLatin1String(kExitStatus));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Made here rather than by addHelpOption: that one also offers --help-all, which
    // needs the application object.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
    parser.addOptions({help, version});
    const ScriptOptions script;
    parser.addOptions(script.All());
    AddQtOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Either file of a league, opened at start (searched with --query)."),
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
    } else if (parser.isSet(script.query)) {
        std::variant<ScriptRequest, QString> request = ScriptRequestOf(parser, script);
        if (const QString* error = std::get_if<QString>(&request))
            return fail(*error);
        line.script = std::get<ScriptRequest>(std::move(request));
    } else if (const QString error = ScriptOptionWithoutQuery(parser, script); !error.isEmpty()) {
        return fail(error);
    } else if (parser.positionalArguments().size() > 1) {
        return fail(
            QStringLiteral("one FILE at most, not %1").arg(parser.positionalArguments().size()));
    } else if (!parser.positionalArguments().isEmpty()) {
        line.file = parser.positionalArguments().constFirst();
    }
    return line;
}

}  // namespace vantrel
