// The handlers of the search criteria panel: age labels and their coupling, the rating
// rows with their master trackbar, the salary edit colour and Reset.

#include "gui/window/mainwindow.h"

#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "core/league/records.h"
#include "gui/window/panelcontrols.h"

#include "ui_criteriapanel.h"

#include <QApplication>
#include <QKeyEvent>

using vantrel::Guarded;

void VAvevadi::ConnectPanelHandlers() {
    Ui::CriteriaPanel& p = *panelUi_;
    vantrel::PaintSalaryWhite(p.Edit6);
    vantrel::PaintSalaryWhite(p.Edit7);

    connect(p.tbmin, &QSlider::valueChanged, this, Guarded([this](int) { tbminChange(); }));
    connect(p.tbmax, &QSlider::valueChanged, this, Guarded([this](int) { tbmaxChange(); }));
    for (QSlider* bar : {p.tbx1, p.tbx2, p.tbx3, p.tbx4, p.tbx5, p.tbx6, p.tbx7, p.tbx8, p.tbx9,
                         p.tbx10, p.tbx11, p.tbx12, p.tbx13, p.tbx14}) {
        connect(bar, &QSlider::valueChanged, this, Guarded([this, bar](int) { tbx1Change(bar); }));
    }
    connect(p.tball, &QSlider::valueChanged, this, Guarded([this](int) { tballChange(); }));
    for (QLineEdit* edit : {p.Edit6, p.Edit7}) {
        connect(edit, &QLineEdit::textChanged, this,
                Guarded([this, edit](const QString&) { Edit6Change(edit); }));
    }
    connect(p.Button3, &QPushButton::clicked, this, Guarded([this](bool) { Button3Click(); }));
    connect(p.Button2, &QPushButton::clicked, this, Guarded([this](bool) { Button2Click(); }));
    // Enter anywhere in the panel runs the search, as in a dialog with a default button.
    sc_->installEventFilter(this);
}

bool VAvevadi::PanelKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        button && sc_->isAncestorOf(button)) {
        button->click();  // a focused button answers Enter itself
    } else if (panelUi_->Button2->isEnabled()) {
        panelUi_->Button2->click();
    }
    return true;
}

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
    for (int i = 0; i < vantrel::kRatingCriteriaCount; ++i) {
        const QString n = QString::number(i + 1);
        CriteriaControls.checkBoxes[i] = sc_->findChild<QCheckBox*>("cbx" + n);
        CriteriaControls.trackBars[i] = sc_->findChild<QSlider*>("tbx" + n);
        CriteriaControls.valueLabels[i] = sc_->findChild<QLabel*>("lbx" + n);
    }
}

void VAvevadi::tbx1Change(QObject* sender) {
    BindCriteriaControls();
    for (int i = 0; i < vantrel::kRatingCriteriaCount; ++i) {
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
    if (edit && vantrel::IsSalaryRed(edit))
        vantrel::PaintSalaryWhite(edit);
}

void VAvevadi::Button3Click() {
    Ui::CriteriaPanel& p = *panelUi_;
    p.cbt->setCurrentIndex(0);
    p.edname->setText(QStringLiteral("*"));
    for (QGroupBox* group : {p.rgstate, p.rgteam, p.rgpos})
        vantrel::SetRadioItemIndex(group, 0);
    // Both positions lie outside 18..40 and are clamped to the range ends.
    p.tbmin->setValue(10);
    p.tbmax->setValue(50);
    p.Edit6->setText(QString());
    p.Edit7->setText(QString());
    BindCriteriaControls();
    for (QCheckBox* box : CriteriaControls.checkBoxes)
        box->setCheckState(Qt::Unchecked);
    // Passing through 1 makes the master trackbar push its 0 even when it stood at 0.
    p.tball->setValue(1);
    p.tball->setValue(0);
}

vantrel::SearchCriteria VAvevadi::CurrentCriteria() const {
    const Ui::CriteriaPanel& p = *panelUi_;
    vantrel::SearchCriteria c;
    c.teamIndex = p.cbt->currentIndex() > 0 ? p.cbt->currentData().toInt() : -1;
    c.ageMinPosition = p.tbmin->value();
    c.ageMaxPosition = p.tbmax->value();
    c.ageRangeMin = p.tbmin->minimum();
    c.ageRangeMax = p.tbmax->maximum();
    c.statusItem = vantrel::RadioItemIndex(p.rgstate);
    c.teamItem = vantrel::RadioItemIndex(p.rgteam);
    c.positionItem = vantrel::RadioItemIndex(p.rgpos);
    c.salaryMin = SalaryMin;
    c.salaryMax = SalaryMax;
    for (int i = 0; i < vantrel::kRatingCriteriaCount; ++i) {
        c.ratings[i].threshold = CriteriaControls.trackBars[i]->value();
        c.ratings[i].mode = vantrel::CriterionModeOf(CriteriaControls.checkBoxes[i]->checkState());
    }
    const std::optional<std::string> pattern = vantrel::EncodeText(p.edname->text());
    c.namePattern = pattern.value_or(std::string());
    c.namePatternEncodable = pattern.has_value();
    return c;
}
