#pragma once

// The rows of the result list as a CSV file: the 19 captions, then the rows in the list's
// order (only the selected rows when more than one is selected), exactly as the list shows
// them. Written to a temporary file beside the target that replaces it only when complete.

#include <QString>
#include <QStringList>

namespace vantrel {

class ResultView;
class ResultModel;

// Writes the list's rows to path: the empty text on success, else the reason. The files
// of leagueFiles (the loaded league's, under any name) are never written.
QString ExportRows(const ResultView& list, const ResultModel& rows, const QStringList& leagueFiles,
                   const QString& path);

}  // namespace vantrel
