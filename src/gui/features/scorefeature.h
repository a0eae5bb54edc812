#pragma once

// Players > "Score Column..." scores every player by the user's own weights of the 13
// ratings: the list gains the column "Score" (after "Ct", after "ΔOV" where that is),
// the criteria text the keys score=SK*2+PA and score>=70, the details chart's OV bar the
// score in its tooltip. "Clear Score" takes it all away again.

#include <QObject>

#include <cstdint>

class QAction;

namespace vantrel {

class WindowFace;

class ScoreFeature : public QObject {
    Q_OBJECT
  public:
    explicit ScoreFeature(WindowFace& face);

  private:
    void SetScore();
    void ClearScore();
    void FollowScore();
    void AddScoreToChart(const std::uint8_t* record);

    WindowFace& face_;
    QAction* clear_ = nullptr;
};

}  // namespace vantrel
