#include "gui/window/panelcontrols.h"

#include "gui/common/displaytext.h"
#include "gui/window/teamlistmodel.h"

#include "ui_criteriapanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

namespace vantrel {

namespace {

const QColor kSalaryRed(0xFF, 0x00, 0x00);
const QColor kSalaryWhite(0xFF, 0xFF, 0xFF);

// A radio group is a group box whose radio buttons are its items, in creation order.
QList<QRadioButton*> RadioItems(const QGroupBox* group) {
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

std::string TeamOf(const QComboBox* teams) {
    return teams->currentIndex() > 0 ? teams->currentText().toStdString() : std::string();
}

void SetTeam(QComboBox* teams, const std::string& team) {
    if (TeamOf(teams) != team)
        teams->setCurrentIndex(team.empty() ? 0 : std::max(0, TeamEntry(teams, Utf8Text(team))));
}

void SetText(QLineEdit* edit, const std::string& text) {
    const QString wanted = Utf8Text(text);
    if (edit->text() != wanted)
        edit->setText(wanted);
}

}  // namespace

PanelState ReadPanel(const Ui::CriteriaPanel& p, const CriteriaControlRefs& rows) {
    PanelState s;
    s.team = TeamOf(p.cbt);
    s.name = p.edname->text().toStdString();
    s.status = RadioItemIndex(p.rgstate);
    s.assignment = RadioItemIndex(p.rgteam);
    s.position = RadioItemIndex(p.rgpos);
    s.ageMin = p.tbmin->value();
    s.ageMax = p.tbmax->value();
    s.salaryFrom = p.Edit6->text().toStdString();
    s.salaryTo = p.Edit7->text().toStdString();
    s.all = p.tball->value();
    for (std::size_t i = 0; i < s.ratings.size(); ++i)
        s.ratings[i] = {rows.trackBars[i]->value(),
                        CriterionModeOf(rows.checkBoxes[i]->checkState())};
    return s;
}

PanelContext ReadPanelContext(const Ui::CriteriaPanel& p) {
    PanelContext context;
    context.teamIndex = p.cbt->currentIndex() > 0 ? p.cbt->currentData().toInt() : -1;
    context.ageLow = p.tbmin->minimum();
    context.ageHigh = p.tbmax->maximum();
    return context;
}

PanelLimits ReadPanelLimits(const Ui::CriteriaPanel& p) {
    PanelLimits limits;
    limits.ageLow = p.tbmin->minimum();
    limits.ageHigh = p.tbmax->maximum();
    limits.ratingHigh = p.tball->maximum();
    limits.textMax = std::min({p.edname->maxLength(), p.Edit6->maxLength(), p.Edit7->maxLength()});
    return limits;
}

void WritePanel(Ui::CriteriaPanel& p, const CriteriaControlRefs& rows, const PanelState& s) {
    SetTeam(p.cbt, s.team);
    SetText(p.edname, s.name);
    SetRadioItemIndex(p.rgstate, s.status);
    SetRadioItemIndex(p.rgteam, s.assignment);
    SetRadioItemIndex(p.rgpos, s.position);
    p.tbmin->setValue(s.ageMin);  // the lower first: it never pushes the upper one down
    p.tbmax->setValue(s.ageMax);
    SetText(p.Edit6, s.salaryFrom);
    SetText(p.Edit7, s.salaryTo);
    p.tball->setValue(s.all);
    for (std::size_t i = 0; i < s.ratings.size(); ++i) {
        rows.checkBoxes[i]->setCheckState(CheckStateOf(s.ratings[i].mode));
        rows.trackBars[i]->setValue(s.ratings[i].threshold);
    }
}

int TeamEntry(const QComboBox* teams, const QString& name) {
    return qobject_cast<const TeamListModel*>(teams->model())->EntryNamed(name);
}

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
