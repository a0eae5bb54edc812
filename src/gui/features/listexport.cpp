#include "gui/features/listexport.h"

#include "gui/common/displaytext.h"
#include "gui/common/longwork.h"
#include "gui/results/listtext.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"

#include <QDir>
#include <QSaveFile>

#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>

namespace vantrel {

namespace {

// The same file by another name (a link, another spelling of the folder) counts too.
bool IsLeagueFile(const QString& path, const QStringList& leagueFiles) {
    for (const QString& leagueFile : leagueFiles) {
        std::error_code error;
        if (std::filesystem::equivalent(FileSystemPath(path), FileSystemPath(leagueFile), error))
            return true;
    }
    return false;
}

QString WriteFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Could not write %1:\n%2").arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

QString WriteListFile(const ResultModel& rows, const QList<int>* selected,
                      const ListTextOptions& options, const QStringList& leagueFiles,
                      const QString& path) {
    if (IsLeagueFile(path, leagueFiles)) {
        return QStringLiteral("%1 is a file of the loaded league; league files are never written.")
            .arg(QDir::toNativeSeparators(path));
    }
    QSaveFile file(path);  // an uncommitted file takes its temporary file with it
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure(path, file.errorString());
    // A short write (the disk filled up, a size limit) sets no reason; writing the rest
    // either goes on or fails with one.
    const TextSink toFile = [&file](std::string_view text) {
        while (!text.empty()) {
            const qint64 written = file.write(text.data(), static_cast<qint64>(text.size()));
            if (written <= 0)
                return false;
            text.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    };
    const qsizetype count = selected ? selected->size() : rows.rowCount();
    try {
        const WriteResult written = WriteListText(rows, selected, options, toFile);
        if (written == WriteResult::kCancelled)
            return {};
        if (written == WriteResult::kRefused || !file.commit())
            return WriteFailure(path, file.errorString());
    } catch (const std::bad_alloc&) {
        return WriteFailure(path,
                            QStringLiteral("Not enough memory to export %1 players.").arg(count));
    }
    return {};
}

QString ExportRows(const ResultView& list, const ResultModel& rows, const QStringList& leagueFiles,
                   const QString& path) {
    // Several selected rows are exported alone; one selected row marks a place, not a choice.
    const bool selectionOnly = list.SelectedRowCount() > 1;
    const QList<int> selected = selectionOnly ? list.SelectedRows() : QList<int>();
    const qsizetype count = selectionOnly ? selected.size() : rows.rowCount();
    const LongWork exporting{.doing = QStringLiteral("Exporting %1 players\u2026"),
                             .rows = count,
                             .steps = count,
                             .cancellable = true};
    QString failure;
    RunLongWork(list.window(), exporting, [&](WorkProgress& progress) {
        ListTextOptions options;
        options.progress = progress.Reporter();
        failure =
            WriteListFile(rows, selectionOnly ? &selected : nullptr, options, leagueFiles, path);
    });
    return failure;
}

}  // namespace vantrel
