#include "gui/sidewindows/about.h"

#include "gui/sidewindows/sidewindow.h"

#include "ui_about.h"

#include <QFont>

namespace vantrel {

Tabout::Tabout(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::About>()) {
    ui_->setupUi(this);
    PrepareSideWindow(this);
    resize(277, 217);
    // The title keeps its own size; everything else uses the window font.
    QFont title = font();
    title.setPointSize(10);
    title.setBold(true);
    ui_->Label6->setFont(title);
}
Tabout::~Tabout() = default;

}  // namespace vantrel
