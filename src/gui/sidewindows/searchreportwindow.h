#pragma once

// The search report: why the last search found whom it found. A table of the active
// criteria with how many named players fail each and how many fail only it (each with a
// "Relax" button), and the near misses, the players who fail exactly one criterion,
// nearest first. A side window: shown modeless, hidden on close. It knows nothing of the
// main window; the main window fills it and answers its two signals.

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTableView;

namespace Ui {
class SearchReport;
}

namespace vantrel {

class NearMissModel;

struct ReportCriterionRow {
    int criterion = 0;  // CriterionId
    QString text;       // "SK at least 70"
    std::int64_t failing = 0;
    std::int64_t failingOnly = 0;
};

struct NearMissRow {
    std::int32_t record = 0;
    std::int64_t distance = -1;  // for ordering; -1 where the criterion has none
    std::size_t miss = 0;        // which near miss, for NearMissWords
};

// The texts of a near miss's columns: name, team, position, criterion, gap. Made only
// for the rows shown (or sorted by a text), not for all of a long list up front.
using NearMissTexts = std::array<QString, 5>;
using NearMissWords = std::function<NearMissTexts(std::size_t miss)>;

struct ReportContent {
    QString summary;
    std::vector<ReportCriterionRow> criteria;
    std::vector<NearMissRow> misses;  // at most the cap
    NearMissWords words;
    std::int64_t missTotal = 0;
};

// The heading of the near misses: how many there are, and how many are listed.
QString NearMissHeading(std::int64_t total, std::int64_t shown);

class SearchReportWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SearchReportWindow(QWidget* parent = nullptr);
    ~SearchReportWindow() override;

    // A text instead of numbers: no league, no search yet.
    void ShowMessage(const QString& text);
    void ShowContent(ReportContent content);
    // The report stays, marked as belonging to a league that is no longer loaded.
    void MarkStale();

    // The near miss a row shows, -1 for none.
    std::int32_t RecordAtRow(int row) const;

  signals:
    void relaxRequested(int criterion);
    void detailsRequested(std::int32_t record);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillCriteria(const std::vector<ReportCriterionRow>& rows);
    void RequestDetails(int row);

    std::unique_ptr<Ui::SearchReport> ui_;
    NearMissModel* misses_ = nullptr;
    QString summary_;
};

}  // namespace vantrel
