#include "gui/results/clipboard.h"

#include "core/export/cellguard.h"
#include "gui/results/listtext.h"
#include "gui/results/resultmodel.h"

#include <QMimeData>

#include <string>

namespace vantrel {

namespace {

// The rows as an HTML table; cells of league data guarded as in the text form.
QString HtmlTable(const ResultModel& model, const QList<int>& rows, bool withHeaders) {
    QString html = QStringLiteral("<table>\n");
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
    for (const int row : rows) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < model.columnCount(); ++column) {
            cell.clear();
            model.AppendCellUtf8(cell, row, column);
            addCell("td", QString::fromStdString(GuardedCell(cell)));
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

}  // namespace

QMimeData* RowsAsMimeData(const ResultModel& model, const QList<int>& rows, bool withHeaders) {
    std::string text;
    ListTextOptions options;
    options.format = ListFormat::kTsv;
    options.captions = withHeaders;
    WriteListText(model, &rows, options, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(text));
    data->setHtml(HtmlTable(model, rows, withHeaders));
    return data;
}

}  // namespace vantrel
