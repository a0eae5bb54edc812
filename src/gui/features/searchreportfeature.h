#pragma once

// Statistics -> Search Report...: why the last search found whom it found. While the
// report window is open it follows every search; Relax sets one criterion back to
// neutral and searches again; a near miss shows its details as a listed row would.

#include <QObject>

#include <cstdint>
#include <memory>

namespace vantrel {

class WindowFace;
class SearchReportWindow;

class SearchReportFeature : public QObject {
    Q_OBJECT
  public:
    explicit SearchReportFeature(WindowFace& face);
    ~SearchReportFeature() override;

    SearchReportWindow* Window() const { return report_.get(); }

  private:
    void Show();
    void Refresh();
    void FollowLoad();
    void Relax(int criterion);
    void ShowNearMiss(std::int32_t recordIndex);

    WindowFace& face_;
    std::unique_ptr<SearchReportWindow> report_;
};

}  // namespace vantrel
