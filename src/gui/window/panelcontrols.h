#pragma once

// Small accessors of the panel's controls shared by the panel handlers and the search run.

#include "core/search/playerfilter.h"

#include <QColor>
#include <qnamespace.h>

class QGroupBox;
class QLineEdit;

namespace vantrel {

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
