#pragma once

// The rows of the result list as a CSV file: the 19 captions, then the rows in the list's
// order (only the selected rows when more than one is selected), exactly as the list shows
// them. Written to a temporary file beside the target that replaces it only when complete.

#include "gui/results/listtext.h"

#include <QString>
#include <QStringList>

namespace vantrel {

class ResultView;
class ResultModel;

// Writes the model rows `selected` (every row for nullptr) as the options say to path: the
// empty text on success or when the options' progress cancelled it (no file is left then
// and an old one stays), else the reason. The files of leagueFiles (the loaded league's,
// under any name) are never written.
QString WriteListFile(const ResultModel& rows, const QList<int>* selected,
                      const ListTextOptions& options, const QStringList& leagueFiles,
                      const QString& path);

// Writes the list's rows to path as CSV: the empty text on success or a cancel, else the
// reason. The files of leagueFiles (the loaded league's, under any name) are never written.
// A long list is written as long work (longwork.h) that can be cancelled.
QString ExportRows(const ResultView& list, const ResultModel& rows, const QStringList& leagueFiles,
                   const QString& path);

}  // namespace vantrel
