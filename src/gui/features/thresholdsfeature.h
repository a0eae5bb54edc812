#pragma once

// View -> Search Thresholds on Chart (on at start): while rating criteria are set in the
// panel, each details chart marks every one's bound on its bar and outlines the bars
// that fail it. Switched off, the charts draw no marks.

#include <QObject>

#include <cstdint>

namespace vantrel {

class WindowFace;

class ThresholdsFeature : public QObject {
    Q_OBJECT
  public:
    explicit ThresholdsFeature(WindowFace& face);

  private:
    void ShowThresholds(bool shown);
    void SetBounds(const std::uint8_t* record);

    WindowFace& face_;
};

}  // namespace vantrel
