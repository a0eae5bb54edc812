#pragma once

// Find Similar: "Find Similar" on the list (its context menu, Ctrl+Shift+L, the Players
// menu) shows the players of the loaded league most like the first selected one in the
// Similar Players window, from where their details and a comparison with him are a
// click away.

#include "core/league/leaguedata.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

namespace vantrel {

class WindowFace;
class CompareFeature;
class SimilarWindow;

class SimilarFeature : public QObject {
    Q_OBJECT
  public:
    SimilarFeature(WindowFace& face, CompareFeature& compare);
    ~SimilarFeature() override;

    SimilarWindow* Window() const { return window_.get(); }

  private:
    void FindForSelectedRow();
    // The records the list shows when it was found in `roster`, else none.
    std::vector<std::int32_t> ListedRecords(const SharedImage& roster) const;
    void FollowLoad();
    void FollowSearch();

    WindowFace& face_;
    CompareFeature& compare_;
    std::unique_ptr<SimilarWindow> window_;
};

}  // namespace vantrel
