#include "cli/reporttext.h"

#include <QStringList>

namespace vantrel {

namespace {

void AppendLine(std::string& out, const QStringList& cells) {
    out += cells.join(QLatin1Char('\t')).toStdString();
    out += '\n';
}

void AppendCriteria(std::string& out, const std::vector<ReportCriterionRow>& criteria) {
    if (criteria.empty()) {
        AppendLine(out, {QStringLiteral("Nothing is filtered: every named player is listed.")});
        return;
    }
    AppendLine(out, {QStringLiteral("Criterion"), QStringLiteral("Fail it"),
                     QStringLiteral("Fail only it")});
    for (const ReportCriterionRow& row : criteria)
        AppendLine(out, {row.text, QString::number(row.failing), QString::number(row.failingOnly)});
}

void AppendNearMisses(std::string& out, const ReportContent& content) {
    AppendLine(out, {NearMissHeading(content.missTotal,
                                     static_cast<std::int64_t>(content.misses.size()))});
    if (content.misses.empty())
        return;
    AppendLine(out, {QStringLiteral("Player Name"), QStringLiteral("Team"), QStringLiteral("Pos."),
                     QStringLiteral("Criterion"), QStringLiteral("Missed by")});
    for (const NearMissRow& row : content.misses) {
        const NearMissTexts texts = content.words(row.miss);
        AppendLine(out, QStringList(texts.begin(), texts.end()));
    }
}

}  // namespace

std::string ReportText(const ReportContent& content) {
    std::string out;
    AppendLine(out, {content.summary});
    out += '\n';
    AppendCriteria(out, content.criteria);
    out += '\n';
    AppendNearMisses(out, content);
    return out;
}

}  // namespace vantrel
