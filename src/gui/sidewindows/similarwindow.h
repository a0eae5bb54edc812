#pragma once

// Similar Players: the players of a league nearest to one player by their ratings, the
// most similar first, with the measure and the players taking part to choose; a
// double-click (or Enter) asks for a row's details, "Compare" puts the chosen rows beside
// the player. A side window: one instance, shown modeless, hidden on close. It knows
// nothing of the main window; the similar-players feature fills it and answers its
// signals.

#include "core/league/leaguedata.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QVBoxLayout;

namespace vantrel {

struct SimilarPlayer;

class SimilarWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SimilarWindow(QWidget* parent = nullptr);
    ~SimilarWindow() override;

    // Players like `record` of `league`; `listed` holds the records the search lists in
    // that league, for "Only players the search lists".
    void ShowPlayer(const LeagueData& league, std::int32_t record,
                    std::vector<std::int32_t> listed);
    // The search lists other records of the player's league now (none when its list is of
    // another league).
    void SetListed(std::vector<std::int32_t> listed);
    // Another league was loaded: the rows stay readable and the controls still choose
    // among the player's league, but details and compare, which show players of the
    // loaded league, are off until a player is shown again.
    void MarkStale();
    // The roster of the player shown; nullptr before the first.
    const SharedImage& Roster() const { return league_.RosterFileImage; }

  signals:
    void detailsRequested(SharedImage roster, std::int32_t record);
    // The player shown, then the chosen rows' players top to bottom.
    void compareRequested(SharedImage roster, std::vector<std::int32_t> records);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddChoices(QVBoxLayout* layout);
    void AddTable(QVBoxLayout* layout);
    void AddFoot(QVBoxLayout* layout);
    void Fill();
    void AddRow(const SimilarPlayer& similar);
    void ShowHeading();
    void ShowNote(const QString& note);
    void EnableCompare();
    void RequestDetails(int row);
    void RequestCompare();

    LeagueData league_;  // a copy: it keeps the images the rows read
    std::int32_t player_ = -1;
    std::vector<std::int32_t> listed_;
    bool stale_ = false;
    QLabel* heading_ = nullptr;
    QLabel* note_ = nullptr;
    QComboBox* measure_ = nullptr;
    QCheckBox* samePosition_ = nullptr;
    QCheckBox* listedOnly_ = nullptr;
    QTableView* table_ = nullptr;
    QStandardItemModel* rows_ = nullptr;
    QPushButton* compare_ = nullptr;
};

}  // namespace vantrel
