#include "cli/scriptsearch.h"

#include "cli/reporttext.h"
#include "core/eval/cp1252.h"
#include "core/search/criteriatext.h"
#include "core/season/changefilter.h"
#include "core/season/seasonmatch.h"
#include "gui/common/displaytext.h"
#include "gui/common/loadmessages.h"
#include "gui/features/earlierleague.h"
#include "gui/features/listexport.h"
#include "gui/features/searchreportcontent.h"
#include "gui/results/resultmodel.h"
#include "gui/window/teamlistmodel.h"
#include "gui/window/windowface.h"

#include <QFileInfo>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace vantrel {

namespace {

// A script's error: its message and exit status.
struct ScriptError {
    int status;
    QString message;
};

// Loads the league and last season's where asked; the panel state of the query.
class ScriptSession {
  public:
    explicit ScriptSession(const ScriptRequest& request) : request_(request) {}

    std::optional<ScriptError> Load() {
        if (const QString error = ReadEarlierLeague(request_.file, league_); !error.isEmpty())
            return ScriptError{kScriptFailed, error};
        teams_.Fill(league_.league.TeamFileImage, league_.league.TeamCount);
        if (request_.earlier.isEmpty())
            return std::nullopt;
        EarlierLeague earlier;
        if (const QString error = ReadEarlierLeague(request_.earlier, earlier); !error.isEmpty())
            return ScriptError{kScriptFailed,
                               QStringLiteral("%1: %2").arg(request_.earlier, error)};
        season_ = std::make_shared<const SeasonMatch>(
            league_.league.RosterFileImage, league_.league.PlayerCount(),
            earlier.league.RosterFileImage, earlier.league.PlayerCount());
        return std::nullopt;
    }

    // The query read with the checks Edit -> Query makes.
    std::optional<ScriptError> ReadQuery() {
        PanelChecks checks;
        checks.teamExists = [this](const std::string& team) {
            return teams_.EntryNamed(Utf8Text(team)) > 0;
        };
        checks.nameSearchable = [](const std::string& name) {
            return Utf8ToCp1252(name).has_value();
        };
        checks.seasonOpen = [this] { return season_ != nullptr; };
        const CriteriaParse parse =
            ParseCriteriaText(request_.query.toStdString(), PanelLimits{}, checks);
        if (!parse.state) {
            QString message = QStringLiteral(
                                  "the criteria were not applied: at \"%1\": "
                                  "expected %2.")
                                  .arg(Utf8Text(parse.error.token), Utf8Text(parse.error.expected));
            // The window's words name its menu; a script opens last season with an option.
            if (!season_ && parse.error.expected.find("earlier season") != std::string::npos)
                message += QStringLiteral(" Here: --earlier FILE.");
            return ScriptError{kScriptRefused, message};
        }
        state_ = *parse.state;
        return std::nullopt;
    }

    // The search of the panel state, and what it found.
    LastSearch Search(std::vector<std::int32_t>& found) const {
        const LeagueData& league = league_.league;
        PanelContext context;
        context.teamIndex =
            state_.team.empty() ? -1 : teams_.TeamAt(teams_.EntryNamed(Utf8Text(state_.team)));
        const SearchCriteria criteria = SearchCriteriaOf(state_, context);
        found = SearchRoster(PlayerFilter(criteria, league.TeamStride), *league.RosterFileImage,
                             league.PlayerCount(), ScoreBounds(state_.score));
        if (state_.changes.IsActive())
            KeepPassingChanges(state_.changes, *season_, found);
        return LastSearch{true,
                          criteria,
                          league.RosterFileImage,
                          league.TeamFileImage,
                          league.TeamStride,
                          league.PlayerCount(),
                          state_.changes,
                          static_cast<std::int64_t>(found.size()),
                          state_.score};
    }

    // The list as the window shows it after the search.
    void FillList(ResultModel& list, std::vector<std::int32_t> found) const {
        list.SetSeason(season_);
        list.SetScore(state_.score.weights);
        list.SetRows(league_.league.RosterFileImage, std::move(found));
    }

    // The league's own files, which an output never replaces.
    QStringList LeagueFiles() const {
        const QString base = *LeagueBaseName(QFileInfo(request_.file).absoluteFilePath());
        return {base + QStringLiteral(".tms"), base + QStringLiteral(".ros")};
    }

  private:
    const ScriptRequest& request_;
    EarlierLeague league_;
    TeamListModel teams_;
    std::shared_ptr<const SeasonMatch> season_;
    PanelState state_;
};

// The column of a caption as the list's header shows it, in any case; "Pos" for "Pos.",
// and "dOV", as the criteria text writes it, for "ΔOV".
std::optional<int> ColumnCaptioned(const ResultModel& list, const QString& caption) {
    for (int column = 0; column < list.columnCount(); ++column) {
        QString shown = list.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        if (caption.compare(QString(shown).replace(QChar(0x394), QLatin1Char('d')),
                            Qt::CaseInsensitive) == 0)
            return column;
        for (int tries = 0; tries < 2; ++tries) {
            if (shown.compare(caption, Qt::CaseInsensitive) == 0)
                return column;
            if (!shown.endsWith(QLatin1Char('.')))
                break;
            shown.chop(1);
        }
    }
    return std::nullopt;
}

// Orders the list by a column as one header click does, or as two with reverse.
std::optional<ScriptError> SortList(ResultModel& list, const ScriptRequest& request) {
    if (request.sortColumn.isEmpty())
        return std::nullopt;
    const std::optional<int> column = ColumnCaptioned(list, request.sortColumn);
    if (!column) {
        QStringList captions;
        for (int c = 0; c < list.columnCount(); ++c)
            captions << list.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return ScriptError{kScriptRefused,
                           QStringLiteral("no column \"%1\" to sort by; the "
                                          "columns are: %2")
                               .arg(request.sortColumn, captions.join(QStringLiteral(", ")))};
    }
    const bool inPlace = list.ReversesInPlace(*column);
    list.SortRows(request.reverse && !inPlace ? -(*column + 1) : *column + 1);
    if (request.reverse && inPlace)
        list.ReverseRows();
    return std::nullopt;
}

// Text to standard output; the error of a refused write (a closed pipe, a full disk).
class StreamSink {
  public:
    explicit StreamSink(std::FILE* out) : out_(out) {}
    bool operator()(std::string_view text) {
        if (std::fwrite(text.data(), 1, text.size(), out_) == text.size())
            return true;
        error_ = errno;
        return false;
    }
    bool Finish() {
        if (error_ == 0 && std::fflush(out_) != 0)
            error_ = errno;
        return error_ == 0;
    }
    QString Error() const {
        return QStringLiteral("could not write to standard output: %1")
            .arg(QString::fromLocal8Bit(std::strerror(error_)));
    }

  private:
    std::FILE* out_;
    int error_ = 0;
};

std::optional<ScriptError> PrintText(std::FILE* out, const std::string& text) {
    StreamSink sink(out);
    if (sink(text) && sink.Finish())
        return std::nullopt;
    return ScriptError{kScriptFailed, sink.Error()};
}

std::optional<ScriptError> WriteList(const ResultModel& list, const ScriptRequest& request,
                                     const QStringList& leagueFiles, std::FILE* out) {
    ListTextOptions options;
    options.format = request.format;
    if (!request.output.isEmpty()) {
        const QString failure = WriteListFile(list, nullptr, options, leagueFiles, request.output);
        if (failure.isEmpty())
            return std::nullopt;
        return ScriptError{kScriptFailed, failure};
    }
    StreamSink sink(out);
    const TextSink toStream = [&sink](std::string_view text) { return sink(text); };
    if (WriteListText(list, nullptr, options, toStream) == WriteResult::kDone && sink.Finish())
        return std::nullopt;
    return ScriptError{kScriptFailed, sink.Error()};
}

std::optional<ScriptError> Run(const ScriptRequest& request, std::FILE* out) {
    ScriptSession session(request);
    if (std::optional<ScriptError> error = session.Load())
        return error;
    if (std::optional<ScriptError> error = session.ReadQuery())
        return error;
    std::vector<std::int32_t> found;
    const LastSearch search = session.Search(found);
    if (request.countOnly)
        return PrintText(out, std::to_string(found.size()) + '\n');
    if (request.report)
        return PrintText(out, ReportText(MakeReportContent(search)));
    ResultModel list;
    session.FillList(list, std::move(found));
    if (std::optional<ScriptError> error = SortList(list, request))
        return error;
    return WriteList(list, request, session.LeagueFiles(), out);
}

}  // namespace

int RunScriptSearch(const ScriptRequest& request, std::FILE* out, std::FILE* err) {
#if defined(SIGPIPE)
    // A reader that stops early (a pipe into head) is a write error with a message, not a
    // signal that ends the program without one.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#if defined(_WIN32)
    // The bytes as written: CSV's CR LF must not become CR CR LF.
    _setmode(_fileno(out), _O_BINARY);
#endif
    std::optional<ScriptError> error;
    try {
        error = Run(request, out);
    } catch (const std::bad_alloc&) {
        error = ScriptError{kScriptFailed, QStringLiteral("not enough memory for the search")};
    }
    if (!error)
        return kScriptDone;
    std::fprintf(err, "vantrel-search: %s\n", error->message.toLocal8Bit().constData());
    return error->status;
}

}  // namespace vantrel
