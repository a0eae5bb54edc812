#pragma once

// What users of a desktop tool expect beyond the window's own controls: dropping a league
// file on the window, and the standard shortcuts of "Open File" and "Exit". (The list's
// own keys and menu are the ResultView's.)

#include <QObject>

namespace vantrel {

class WindowFace;

class DesktopFeature : public QObject {
    Q_OBJECT
  public:
    explicit DesktopFeature(WindowFace& face);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    WindowFace& face_;
};

}  // namespace vantrel
