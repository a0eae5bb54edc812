#pragma once

// The criteria panel's controls: the one place that reads them into a PanelState and
// writes a PanelState to them, and the small accessors the panel handlers share.

#include "core/league/records.h"
#include "core/search/panelstate.h"

#include <QColor>
#include <qnamespace.h>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QString;

namespace Ui {
class CriteriaPanel;
}  // namespace Ui

namespace vantrel {

// The rating rows, RatingIndex order (OV last): bound by name at the first show.
struct CriteriaControlRefs {
    std::array<QCheckBox*, kRatingCriteriaCount> checkBoxes{};
    std::array<QSlider*, kRatingCriteriaCount> trackBars{};
    std::array<QLabel*, kRatingCriteriaCount> valueLabels{};
};

// The panel as it stands, and what the window knows beyond its values.
PanelState ReadPanel(const Ui::CriteriaPanel& panel, const CriteriaControlRefs& rows);
PanelContext ReadPanelContext(const Ui::CriteriaPanel& panel);
PanelLimits ReadPanelLimits(const Ui::CriteriaPanel& panel);

// Sets every control whose value differs from the state, through the controls' own
// handlers, in the order a user would: the lower age before the upper one, the master
// trackbar before the single ratings it moves. Controls that already agree are left alone.
void WritePanel(Ui::CriteriaPanel& panel, const CriteriaControlRefs& rows, const PanelState& state);

// The team list's entry of a team name: the exact name first, then one that differs
// only in case; -1 for none. Entry 0 is "<All>".
int TeamEntry(const QComboBox* teams, const QString& name);

// The checked item of a radio group (its radio buttons in creation order), -1 for none.
int RadioItemIndex(const QGroupBox* group);
void SetRadioItemIndex(QGroupBox* group, int index);

// A salary edit's colour is the Base colour of its palette: white, or red after a text
// that gives no bound.
QColor EditColour(const QLineEdit* edit);
void SetEditColour(QLineEdit* edit, const QColor& colour);
void PaintSalaryRed(QLineEdit* edit);
void PaintSalaryWhite(QLineEdit* edit);
bool IsSalaryRed(const QLineEdit* edit);

// A rating checkbox's three states are the criterion's modes: unchecked "at least",
// partly checked "at most", checked "equal".
CriterionMode CriterionModeOf(Qt::CheckState state);
Qt::CheckState CheckStateOf(CriterionMode mode);

}  // namespace vantrel
