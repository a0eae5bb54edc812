// The criteria panel as one line of text: Edit -> Copy Criteria puts it on the clipboard,
// Paste Criteria sets the panel from the clipboard, Query... lets the user type it and
// searches. The panel is always set through its own handlers, after a Reset, and only
// when the whole text is good.

#include "gui/window/mainwindow.h"

#include "core/search/criteriatext.h"
#include "gui/common/displaytext.h"
#include "gui/window/panelcontrols.h"

#include "ui_criteriapanel.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The team list's entry of a team name: the exact name first, then one that differs
// only in case; -1 for none. Entry 0 is "<All>".
int TeamEntry(const QComboBox* teams, const QString& name) {
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int i = 1; i < teams->count(); ++i) {
            if (teams->itemText(i).compare(name, sensitivity) == 0)
                return i;
        }
    }
    return -1;
}

// A bad token as the message shows it: a very long one cut to its start.
QString Shortened(const QString& token) {
    constexpr qsizetype kShown = 60;
    if (token.size() <= kShown)
        return token;
    // Never half of a character beyond 16 bits.
    const qsizetype cut = token.at(kShown - 1).isHighSurrogate() ? kShown - 1 : kShown;
    return token.left(cut) + QChar(0x2026);
}

}  // namespace

vantrel::PanelState VAvevadi::PanelStateNow() {
    const Ui::CriteriaPanel& p = *panelUi_;
    BindCriteriaControls();
    vantrel::PanelState s;
    s.team = p.cbt->currentIndex() > 0 ? p.cbt->currentText().toStdString() : std::string();
    s.name = p.edname->text().toStdString();
    s.status = vantrel::RadioItemIndex(p.rgstate);
    s.assignment = vantrel::RadioItemIndex(p.rgteam);
    s.position = vantrel::RadioItemIndex(p.rgpos);
    s.ageMin = p.tbmin->value();
    s.ageMax = p.tbmax->value();
    s.salaryFrom = p.Edit6->text().toStdString();
    s.salaryTo = p.Edit7->text().toStdString();
    s.all = p.tball->value();
    for (std::size_t i = 0; i < s.ratings.size(); ++i)
        s.ratings[i] = {CriteriaControls.trackBars[i]->value(),
                        vantrel::CriterionModeOf(CriteriaControls.checkBoxes[i]->checkState())};
    return s;
}

// Reset, then every control the state changes, in the order a user would set them: the
// master trackbar before the single ratings it moves.
void VAvevadi::ApplyPanelState(const vantrel::PanelState& s) {
    Ui::CriteriaPanel& p = *panelUi_;
    Button3Click();
    p.cbt->setCurrentIndex(s.team.empty() ? 0 : std::max(0, TeamEntry(p.cbt, Utf8(s.team))));
    p.edname->setText(Utf8(s.name));
    vantrel::SetRadioItemIndex(p.rgstate, s.status);
    vantrel::SetRadioItemIndex(p.rgteam, s.assignment);
    vantrel::SetRadioItemIndex(p.rgpos, s.position);
    p.tbmin->setValue(s.ageMin);  // the lower first: it never pushes the upper one down
    p.tbmax->setValue(s.ageMax);
    p.Edit6->setText(Utf8(s.salaryFrom));
    p.Edit7->setText(Utf8(s.salaryTo));
    p.tball->setValue(s.all);
    for (std::size_t i = 0; i < s.ratings.size(); ++i) {
        CriteriaControls.checkBoxes[i]->setCheckState(vantrel::CheckStateOf(s.ratings[i].mode));
        CriteriaControls.trackBars[i]->setValue(s.ratings[i].threshold);
    }
}

// Sets the panel from a criteria text, or leaves it exactly as it is and says why.
bool VAvevadi::ApplyCriteriaText(const QString& text) {
    const auto refuse = [this](const QString& why) {
        QMessageBox::warning(this, QStringLiteral("Criteria"),
                             QStringLiteral("The criteria were not applied.\n\n") + why);
        return false;
    };
    if (!league_.IsLoaded())
        return refuse(QStringLiteral("No league is loaded: open a league first."));
    const Ui::CriteriaPanel& p = *panelUi_;
    vantrel::PanelLimits limits;
    limits.ageLow = p.tbmin->minimum();
    limits.ageHigh = p.tbmax->maximum();
    limits.ratingHigh = p.tball->maximum();
    limits.textMax = std::min({p.edname->maxLength(), p.Edit6->maxLength(), p.Edit7->maxLength()});
    vantrel::PanelChecks checks;
    checks.teamExists = [&p](const std::string& team) { return TeamEntry(p.cbt, Utf8(team)) > 0; };
    checks.nameSearchable = [](const std::string& name) {
        return vantrel::EncodeText(Utf8(name)).has_value();
    };
    const vantrel::CriteriaParse parse =
        vantrel::ParseCriteriaText(text.toStdString(), limits, checks);
    if (!parse.state) {
        return refuse(QStringLiteral("At \"%1\": expected %2.")
                          .arg(Shortened(Utf8(parse.error.token)), Utf8(parse.error.expected)));
    }
    ApplyPanelState(*parse.state);
    return true;
}

void VAvevadi::CopyCriteria1Click() {
    QApplication::clipboard()->setText(Utf8(vantrel::CriteriaText(PanelStateNow())));
}

void VAvevadi::PasteCriteria1Click() {
    ApplyCriteriaText(QApplication::clipboard()->text());
}

// The query dialog comes back with the text typed until the text is good or the user
// cancels; a good text is applied and searched.
void VAvevadi::Query1Click() {
    QInputDialog query(this);
    query.setObjectName(QStringLiteral("queryDialog"));
    query.setWindowTitle(QStringLiteral("Query"));
    query.setLabelText(QStringLiteral("Criteria, for example: pos=C age=20-30 SK>=70 OV=80"));
    query.setTextValue(Utf8(vantrel::CriteriaText(PanelStateNow())));
    query.resize(560, query.sizeHint().height());
    while (query.exec() == QDialog::Accepted) {
        if (ApplyCriteriaText(query.textValue())) {
            Button2Click();
            return;
        }
    }
}
