#include "gui/sidewindows/legende.h"

#include "gui/sidewindows/sidewindow.h"

#include "ui_legende.h"

namespace vantrel {

Tlegende::Tlegende(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::Legende>()) {
    ui_->setupUi(this);
    PrepareSideWindow(this);
    setWindowFlags(kSingleBorderFlags);
    setFixedSize(174, 140);
    ui_->CheckBox1->setCheckState(Qt::Unchecked);
    ui_->CheckBox2->setCheckState(Qt::PartiallyChecked);
    ui_->CheckBox3->setCheckState(Qt::Checked);
}
Tlegende::~Tlegende() = default;

}  // namespace vantrel
