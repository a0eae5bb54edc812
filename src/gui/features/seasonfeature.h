#pragma once

// Two seasons side by side. File > "Open Earlier Season..." reads another league file as
// last season's; every player of the loaded league is matched to it by name, the list
// gains the column "ΔOV", the criteria text the change keys (dOV>=3, season=new), the
// details chart a mark at each rating's earlier value, and Statistics > "Season
// Changes..." a window of risers, fallers, players gone and team changes. Nothing of it
// shows while no earlier season is open.

#include "gui/features/earlierleague.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>

class QAction;
class QLabel;

namespace vantrel {

class WindowFace;
class SeasonWindow;

class SeasonFeature : public QObject {
    Q_OBJECT
  public:
    explicit SeasonFeature(WindowFace& face);
    ~SeasonFeature() override;

    SeasonWindow* Window() const { return window_.get(); }

  private:
    void AddActions();
    void AddLines();
    void OpenEarlierSeason();
    void CloseEarlierSeason();
    // The loaded league matched to the earlier season again (after either was opened).
    void Match();
    void ShowStatus();
    void ShowChangeLine();
    void MarkEarlierValues(const std::uint8_t* record);
    void ShowMarks();
    void ShowSeasonWindow();

    WindowFace& face_;
    std::optional<EarlierLeague> earlier_;
    std::unique_ptr<SeasonWindow> window_;
    QAction* close_ = nullptr;
    QAction* marks_ = nullptr;
    QAction* changes_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* changeLine_ = nullptr;
};

}  // namespace vantrel
