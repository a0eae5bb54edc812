#pragma once

// Compare and rank: "Compare" on the list (its context menu, Ctrl+Shift+M, or the action
// triggered any other way) puts two to four selected players side by side in the compare
// window with each rating's place in the league; and every rating bar of a details chart
// tells that place in full when the mouse rests on it.

#include "core/league/leaguedata.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

namespace vantrel {

class WindowFace;
class CompareWindow;

class CompareFeature : public QObject {
    Q_OBJECT
  public:
    explicit CompareFeature(WindowFace& face);
    ~CompareFeature() override;

    CompareWindow* Window() const { return compare_.get(); }

    // Two to four records of a roster side by side in the compare window, in this order;
    // records of a league loaded since are refused as the list's rows are.
    void ComparePlayers(const SharedImage& roster, const std::vector<std::int32_t>& records);

  private:
    void CompareSelectedRows();
    void SetRankToolTips(const std::uint8_t* record);

    WindowFace& face_;
    std::unique_ptr<CompareWindow> compare_;
};

}  // namespace vantrel
