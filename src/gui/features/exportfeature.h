#pragma once

// File -> Export List... (Ctrl+E): the rows of the result list as a CSV file, written to
// a temporary file beside the target that replaces it only when complete. The loaded
// league's own files are refused.

#include <QObject>

class QFileDialog;

namespace vantrel {

class WindowFace;

class ExportFeature : public QObject {
    Q_OBJECT
  public:
    explicit ExportFeature(WindowFace& face);

  private:
    void Export();

    WindowFace& face_;
    QFileDialog* sd_ = nullptr;  // the save dialog, made at its first use
};

}  // namespace vantrel
