// The handlers of the search criteria panel: age labels and their coupling, the rating
// rows with their master trackbar, the salary edit colour and Reset.

#include "gui/window/mainwindow.h"

#include "core/league/records.h"
#include "gui/window/panelcontrols.h"

#include "ui_criteriapanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

namespace vantrel {

void VAvevadi::UpdateAgeMin() {
    QSlider* tbmin = panelUi_->tbmin;
    QString text = QString::number(tbmin->value());
    if (tbmin->value() <= tbmin->minimum())
        text = "<=" + QString::number(tbmin->minimum());
    panelUi_->agemin->setText(text);
    if (panelUi_->tbmax->value() < tbmin->value())
        panelUi_->tbmax->setValue(tbmin->value());
}

void VAvevadi::UpdateAgeMax() {
    QSlider* tbmax = panelUi_->tbmax;
    QString text = QString::number(tbmax->value());
    if (tbmax->value() >= tbmax->maximum())
        text = ">=" + QString::number(tbmax->maximum());
    panelUi_->agemax->setText(text);
    if (tbmax->value() < panelUi_->tbmin->value())
        panelUi_->tbmin->setValue(tbmax->value());
}

void VAvevadi::tbminChange() {
    UpdateAgeMin();
}

void VAvevadi::tbmaxChange() {
    UpdateAgeMax();
}

void VAvevadi::BindCriteriaControls() {
    if (CriteriaControls.checkBoxes[0])
        return;
    // Bound by name: the window's stored control order differs from the rating order.
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        const QString n = QString::number(i + 1);
        CriteriaControls.checkBoxes[i] = sc_->findChild<QCheckBox*>("cbx" + n);
        CriteriaControls.trackBars[i] = sc_->findChild<QSlider*>("tbx" + n);
        CriteriaControls.valueLabels[i] = sc_->findChild<QLabel*>("lbx" + n);
    }
}

void VAvevadi::tbx1Change(QObject* sender) {
    BindCriteriaControls();
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        if (CriteriaControls.trackBars[i] == sender) {
            CriteriaControls.valueLabels[i]->setText(
                QString::number(CriteriaControls.trackBars[i]->value()));
            return;
        }
    }
}

void VAvevadi::tballChange() {
    BindCriteriaControls();
    // Each real change runs tbx1Change, which writes that row's value label.
    for (QSlider* bar : CriteriaControls.trackBars)
        bar->setValue(panelUi_->tball->value());
}

void VAvevadi::Edit6Change(QObject* sender) {
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (edit && IsSalaryRed(edit))
        PaintSalaryWhite(edit);
}

void VAvevadi::Button3Click() {
    face_->SetPanel(face_->ResetState());
}

}  // namespace vantrel
