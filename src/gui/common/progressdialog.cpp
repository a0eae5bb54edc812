#include "gui/common/progressdialog.h"

#include "gui/common/workprogress.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace vantrel {

namespace {

// The bar counts in int; no work of a league counts that far, the bar stops at its end.
int BarValue(std::int64_t count) {
    return static_cast<int>(std::min<std::int64_t>(count, INT_MAX));
}

}  // namespace

ProgressDialog::ProgressDialog(QWidget* owner, const QString& text, std::int64_t steps,
                               bool cancellable, WorkProgress& progress)
    : QDialog(owner),
      progress_(progress),
      text_(new QLabel(text, this)),
      bar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(QApplication::applicationDisplayName());
    // Every window, the side windows too, can start work on the rows the work reads.
    setWindowModality(Qt::ApplicationModal);
    text_->setObjectName(QStringLiteral("progressText"));
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setRange(0, BarValue(steps));  // 0 to 0 is the busy bar
    bar_->setMinimumWidth(300);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    if (cancellable) {
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        cancel_ = buttons->button(QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::rejected, this, &ProgressDialog::reject);
        layout->addWidget(buttons);
    }
    ShowDone();
}

void ProgressDialog::ShowDone() {
    if (bar_->maximum() > 0)
        bar_->setValue(BarValue(progress_.Done()));
}

void ProgressDialog::reject() {
    if (!cancel_ || !cancel_->isEnabled())
        return;
    progress_.Cancel();
    // The work stops at its next report; the dialog goes when it has.
    cancel_->setEnabled(false);
    text_->setText(QStringLiteral("Cancelling\u2026"));
}

}  // namespace vantrel
