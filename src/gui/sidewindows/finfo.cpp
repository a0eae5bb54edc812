#include "gui/sidewindows/finfo.h"

#include "gui/sidewindows/sidewindow.h"

#include "ui_finfo.h"

namespace vantrel {

Tfinfo::Tfinfo(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::Finfo>()) {
    ui_->setupUi(this);
    PrepareSideWindow(this);
    setWindowFlags(kSingleBorderFlags);
    setFixedSize(275, 250);
}
Tfinfo::~Tfinfo() = default;

void Tfinfo::SetFigureText(int row, const QString& text) {
    QLabel* const labels[] = {ui_->Label14, ui_->Label15, ui_->Label18, ui_->Label19};
    if (row >= 0 && row < 4)
        labels[row]->setText(text);
}

}  // namespace vantrel
