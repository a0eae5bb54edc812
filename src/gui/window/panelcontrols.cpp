#include "gui/window/panelcontrols.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace vantrel {

namespace {

const QColor kSalaryRed(0xFF, 0x00, 0x00);
const QColor kSalaryWhite(0xFF, 0xFF, 0xFF);

// A radio group is a group box whose radio buttons are its items, in creation order.
QList<QRadioButton*> RadioItems(const QGroupBox* group) {
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

}  // namespace

int RadioItemIndex(const QGroupBox* group) {
    const QList<QRadioButton*> items = RadioItems(group);
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

void SetRadioItemIndex(QGroupBox* group, int index) {
    const QList<QRadioButton*> items = RadioItems(group);
    if (index >= 0 && index < items.size())
        items[index]->setChecked(true);
}

QColor EditColour(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base);
}

void SetEditColour(QLineEdit* edit, const QColor& colour) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
}

void PaintSalaryRed(QLineEdit* edit) {
    SetEditColour(edit, kSalaryRed);
}

void PaintSalaryWhite(QLineEdit* edit) {
    SetEditColour(edit, kSalaryWhite);
}

bool IsSalaryRed(const QLineEdit* edit) {
    return EditColour(edit) == kSalaryRed;
}

CriterionMode CriterionModeOf(Qt::CheckState state) {
    return state == Qt::Unchecked          ? CriterionMode::kAtLeast
           : state == Qt::PartiallyChecked ? CriterionMode::kAtMost
                                           : CriterionMode::kEqual;
}

Qt::CheckState CheckStateOf(CriterionMode mode) {
    return mode == CriterionMode::kAtLeast  ? Qt::Unchecked
           : mode == CriterionMode::kAtMost ? Qt::PartiallyChecked
                                            : Qt::Checked;
}

}  // namespace vantrel
