#include "gui/sidewindows/sidewindows.h"

#include "gui/common/windowfont.h"

#include "ui_about.h"
#include "ui_finfo.h"
#include "ui_legende.h"

#include <QFont>

namespace vantrel {

namespace {

constexpr Qt::WindowFlags kSingleBorderFlags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint |
                                               Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                               Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

// A side window never keeps the program running once the main window is closed.
void PrepareSideWindow(QWidget* window) {
    window->setAttribute(Qt::WA_QuitOnClose, false);
    ApplyWindowFont(window);
}

}  // namespace

void ShowSideWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

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
