#pragma once

// Result rows as clipboard contents: tab-separated text for plain pastes and an HTML
// table for spreadsheets and rich-text editors. The texts may be made on a worker
// thread; the clipboard's data object only on the window's.

#include "gui/results/listtext.h"

#include <QList>
#include <QString>

#include <string>

class QMimeData;

namespace vantrel {

class ResultModel;

struct ClipboardTexts {
    std::string tabText;  // UTF-8
    QString html;
};

// The rows (model rows, in the order given) with their 19 cell texts; with headers the
// column captions come first. The progress counts the rows of the text, then those of the
// table: twice the rows in all. False, with nothing made, when the progress stopped it.
bool MakeClipboardTexts(const ResultModel& model, const QList<int>& rows, bool withHeaders,
                        const RowProgress& progress, ClipboardTexts& texts);

QMimeData* ClipboardData(const ClipboardTexts& texts);

}  // namespace vantrel
