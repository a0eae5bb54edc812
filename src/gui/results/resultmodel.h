#pragma once

// The result list as a table model. A row is only the index of its player record; the
// model shares the roster image it was searched in, so rows of an earlier search keep
// their texts after another league was loaded. Cell texts are made when shown.

#include "core/league/leaguedata.h"
#include "core/order/resultcolumns.h"
#include "core/score/scoreweights.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

class SeasonMatch;

// The role under which a row answers its record index.
inline constexpr int kRecordIndexRole = Qt::UserRole;
// The column "ΔOV" after the list's own, there only while an earlier season is open.
inline constexpr int kOverallChangeColumn = kResultColumnCount;

// What a column after the list's own shows: "ΔOV", then "Score", each only while set.
enum class ExtraColumn : std::uint8_t { kNone, kOverallChange, kScore };

class ResultModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ResultModel(QObject* parent = nullptr);

    // The width of a column in pixels, as the report list shows it.
    int ColumnWidth(int column) const;
    ExtraColumn ExtraAt(int column) const;
    // The column of the score, -1 while no score is set.
    int ScoreColumn() const;

    void Clear();
    void SetRows(SharedImage roster, std::vector<std::int32_t> recordIndices);
    // The earlier season whose OV changes the "ΔOV" column shows; nullptr removes the
    // column. Rows of another roster than the match's show no change.
    void SetSeason(std::shared_ptr<const SeasonMatch> season);
    // The weights whose score the "Score" column shows; unset weights remove the column.
    void SetScore(const ScoreWeights& weights);
    const ScoreWeights& Score() const { return score_; }
    // Whether turning the list round orders it by the column the other way: not so for the
    // change column, whose unmatched rows stay last.
    bool ReversesInPlace(int column) const {
        return ExtraAt(column) != ExtraColumn::kOverallChange;
    }

    // The roster image the rows were found in.
    const SharedImage& Roster() const { return roster_; }
    std::int32_t RecordIndexAt(int row) const {
        return records_[static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)])];
    }
    // Bytes the model holds for its rows (the shared roster image not counted).
    std::size_t RowStorageBytes() const {
        return (records_.capacity() + rows_.capacity()) * sizeof(std::int32_t);
    }
    // The cell text as Windows-1252 bytes (name) or ASCII (all others).
    std::string CellBytes(int row, int column) const;
    // The cell text as the list shows it, appended as UTF-8; nothing for a row or column
    // outside the list.
    void AppendCellUtf8(std::string& out, int row, int column) const;
    QString CellText(int row, int column) const;
    std::string CaptionUtf8(int column) const;

    // Reorders the rows by a signed 1-based column (+k ascending, -k descending); rows
    // that compare equal keep their current order. 0 leaves the order as it is.
    void SortRows(int sortKey) { PutInOrder(SortOrder(sortKey)); }
    // SortRows in two steps, so that the order can be made on a worker thread while the
    // list is shown: the current row of each new place (empty when the order stays), then
    // the rows put in that order on the model's own thread. An order whose length is not
    // the list's is ignored.
    std::vector<std::int32_t> SortOrder(int sortKey) const;
    void PutInOrder(std::vector<std::int32_t> order);
    // Turns a list sorted by one column into the opposite order of that column. Rows that
    // compare equal may come out in any order, so a plain reversal serves and costs no keys.
    void ReverseRows();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const std::uint8_t* RecordAtRow(int row) const;
    // The season match when it was made for the rows' roster, else nullptr.
    const SeasonMatch* SeasonOfRows() const;
    // Where the score column stands while set: after the list's own and the change column.
    int ScorePlace() const { return kResultColumnCount + (season_ ? 1 : 0); }
    Qt::Alignment AlignmentOf(int column) const;
    QString CaptionOf(int column) const;
    // The new place of each row (its current row) in the order of a signed sort key.
    std::vector<std::int32_t> RowOrder(int sortKey) const;
    // Inserts or removes the column `column` around change(), or tells its cells changed.
    template <class Change>
    void ChangeExtraColumn(int column, bool had, bool has, Change change);
    // The persistent indexes before, at the places the order (old row of each new
    // place) moves them to.
    QModelIndexList MovedIndexes(const QModelIndexList& before,
                                 const std::vector<std::int32_t>& order) const;

    SharedImage roster_;
    std::shared_ptr<const SeasonMatch> season_;
    ScoreWeights score_;
    // The record indices in the order the search found them, and for each displayed row
    // its place in that list. Sort keys are read in the search's (file) order, which
    // walks the roster image forward instead of jumping through it row by row.
    std::vector<std::int32_t> records_;
    std::vector<std::int32_t> rows_;
};

}  // namespace vantrel
