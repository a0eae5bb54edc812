#pragma once

// Result rows as clipboard contents: tab-separated text for plain pastes and an HTML
// table for spreadsheets and rich-text editors.

#include <QList>

class QMimeData;

namespace vantrel {

class ResultModel;

// The rows (model rows, in the order given) with their 19 cell texts; with headers the
// column captions come first.
QMimeData* RowsAsMimeData(const ResultModel& model, const QList<int>& rows, bool withHeaders);

}  // namespace vantrel
