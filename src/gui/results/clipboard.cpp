#include "gui/results/clipboard.h"

#include "gui/results/resultmodel.h"

#include <QMimeData>

namespace vantrel {

namespace {

// A tab or line break inside a cell would shift the columns of a pasted row.
QString PlainCell(QString text) {
    return text.replace(QLatin1Char('\t'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
}

}  // namespace

QMimeData* RowsAsMimeData(const ResultModel& model, const QList<int>& rows, bool withHeaders) {
    QStringList lines;
    QString html = QStringLiteral("<table>\n");
    auto addLine = [&](const QStringList& cells, const char* tag) {
        QStringList plain;
        html += QStringLiteral("<tr>");
        for (const QString& cell : cells) {
            plain << PlainCell(cell);
            html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), cell.toHtmlEscaped());
        }
        html += QStringLiteral("</tr>\n");
        lines << plain.join(QLatin1Char('\t'));
    };
    if (withHeaders) {
        QStringList captions;
        for (int column = 0; column < model.columnCount(); ++column)
            captions << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        addLine(captions, "th");
    }
    for (const int row : rows) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.CellText(row, column);
        addLine(cells, "td");
    }
    html += QStringLiteral("</table>\n");

    auto* data = new QMimeData;
    data->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    data->setHtml(html);
    return data;
}

}  // namespace vantrel
