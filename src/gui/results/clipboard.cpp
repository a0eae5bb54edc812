#include "gui/results/clipboard.h"

#include "core/export/cellguard.h"
#include "gui/results/resultmodel.h"

#include <QMimeData>

#include <string>

namespace vantrel {

namespace {

// The rows as an HTML table; cells of league data guarded as in the text form. The
// progress is told counts from `counted` on; false when it stopped the table.
bool AppendHtmlTable(QString& html, const ResultModel& model, const QList<int>& rows,
                     bool withHeaders, const RowProgress& progress, std::int64_t counted) {
    html += QStringLiteral("<table>\n");
    const auto addCell = [&html](const char* tag, const QString& text) {
        html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
    };
    if (withHeaders) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < model.columnCount(); ++column)
            addCell("th", model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        html += QStringLiteral("</tr>\n");
    }
    std::string cell;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < model.columnCount(); ++column) {
            cell.clear();
            model.AppendCellUtf8(cell, rows[i], column);
            addCell("td", QString::fromStdString(GuardedCell(cell)));
        }
        html += QStringLiteral("</tr>\n");
        if (progress && (i + 1) % kProgressRows == 0 && !progress(counted + i + 1))
            return false;
    }
    html += QStringLiteral("</table>\n");
    return true;
}

}  // namespace

bool MakeClipboardTexts(const ResultModel& model, const QList<int>& rows, bool withHeaders,
                        const RowProgress& progress, ClipboardTexts& texts) {
    ListTextOptions options;
    options.format = ListFormat::kTsv;
    options.captions = withHeaders;
    options.progress = progress;
    const WriteResult written =
        WriteListText(model, &rows, options, [&texts](std::string_view piece) {
            texts.tabText += piece;
            return true;
        });
    return written == WriteResult::kDone &&
           AppendHtmlTable(texts.html, model, rows, withHeaders, progress, rows.size());
}

QMimeData* ClipboardData(const ClipboardTexts& texts) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(texts.tabText));
    data->setHtml(texts.html);
    return data;
}

}  // namespace vantrel
