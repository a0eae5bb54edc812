#pragma once

// The dialog of long work ("progressDialog"): what runs, a bar with the count done (a
// busy bar for work that cannot count) and Cancel for work that can stop early. Closing
// it (Escape, the title bar) is that Cancel; for work that cannot stop it does nothing,
// and the dialog stays until the work has ended.

#include <QDialog>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vantrel {

class WorkProgress;

class ProgressDialog : public QDialog {
  public:
    // steps: the count the work reports up to; 0 for a busy bar.
    ProgressDialog(QWidget* owner, const QString& text, std::int64_t steps, bool cancellable,
                   WorkProgress& progress);

    // Shows the count the work reported last.
    void ShowDone();
    void reject() override;

  private:
    WorkProgress& progress_;
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vantrel
