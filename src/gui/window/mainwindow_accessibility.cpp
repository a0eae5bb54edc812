// What a screen reader hears: accessible names for every control of the main window in
// the words a user would speak, labels tied to the controls they describe, and
// descriptions that follow the values (a rating's mode and threshold, the list's row
// count, each details value with its caption). Nothing here changes what a control does.

#include "gui/window/mainwindow.h"

#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "gui/chart/barchart3d.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/window/panelcontrols.h"

#include "ui_criteriapanel.h"
#include "ui_goaliepage.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"
#include "ui_skaterpage.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

struct SpokenCaption {
    const char* label;  // the value label's object name
    const char* words;
};

// The details pages' value labels and what each holds, in the words a user would speak
// (the pages' own captions where they are words; the heading labels have none).
constexpr SpokenCaption kDetailsCaptions[] = {
    {"Label9", "Number"},
    {"Label5", "Name"},
    {"Label36", "Team"},
    {"Label8", "Position"},
    {"Label22", "Age"},
    {"Label74", "Hand"},
    {"Label76", "Team assignment"},
    {"Label24", "Height"},
    {"Label26", "Weight"},
    {"Label72", "Condition"},
    {"Label69", "Injury"},
    {"Label70", "Contract"},
    {"Label71", "Salary"},
    {"Label21", "Status"},
    {"Label15", "Games played"},
    {"Label18", "Goals"},
    {"Label20", "Assists"},
    {"Label52", "Points"},
    {"Label55", "Penalty minutes"},
    {"Label57", "Plus minus"},
    {"Label35", "Powerplay goals"},
    {"Label60", "Shorthanded goals"},
    {"Label62", "Game winning goals"},
    {"Label63", "Game tying goals"},
    {"Label66", "Shots"},
    {"Label67", "Shooting percentage"},
    {"Label78", "Number"},
    {"Label79", "Name"},
    {"Label80", "Short code"},
    {"Label81", "Team"},
    {"Label83", "Position"},
    {"Label85", "Age"},
    {"Label89", "Hand"},
    {"Label86", "Team assignment"},
    {"Label91", "Height"},
    {"Label93", "Weight"},
    {"Label95", "Condition"},
    {"Label97", "Injury"},
    {"Label99", "Contract"},
    {"Label101", "Salary"},
    {"Label103", "Status"},
    {"Label104", "Games played"},
    {"Label109", "Wins"},
    {"Label114", "Losses"},
    {"Label118", "Ties"},
    {"Label123", "Shots"},
    {"Label127", "Save ratio"},
    {"Label107", "Penalty minutes"},
    {"Label111", "Assists"},
    {"Label115", "Shutouts"},
    {"Label121", "Goals against"},
    {"Label119", "Average goals against"},
};

QString ModeWords(vantrel::CriterionMode mode) {
    return mode == vantrel::CriterionMode::kAtLeast  ? QStringLiteral("at least")
           : mode == vantrel::CriterionMode::kAtMost ? QStringLiteral("at most")
                                                     : QStringLiteral("equal");
}

void Name(QWidget* widget, const QString& name, const QString& description = {}) {
    widget->setAccessibleName(name);
    if (!description.isEmpty())
        widget->setAccessibleDescription(description);
}

// The caption label with exactly this text in the panel, tied to the control it names.
void TieCaption(QWidget* panel, const QString& text, QWidget* control) {
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        if (label->text() == text)
            label->setBuddy(control);
    }
}

// Each value label of the pages with its caption's words and ": " to put before its text.
std::vector<std::pair<QLabel*, QString>> DetailsCaptions(std::initializer_list<QWidget*> pages) {
    std::vector<std::pair<QLabel*, QString>> captions;
    for (const SpokenCaption& caption : kDetailsCaptions) {
        for (QWidget* page : pages) {
            if (auto* label = page->findChild<QLabel*>(QLatin1String(caption.label)))
                captions.emplace_back(label, QLatin1String(caption.words) + QStringLiteral(": "));
        }
    }
    return captions;
}

}  // namespace

void VAvevadi::SetUpAccessibility() {
    Ui::CriteriaPanel& p = *panelUi_;
    BindCriteriaControls();
    Name(p.cbt, QStringLiteral("Team"), QStringLiteral("The team to search; <All> for all teams"));
    Name(p.edname, QStringLiteral("Name pattern"),
         QStringLiteral("* stands for any characters, ? for one"));
    Name(p.Edit6, QStringLiteral("Salary from"));
    Name(p.Edit7, QStringLiteral("Salary up to"));
    Name(p.rgstate, QStringLiteral("Status"));
    Name(p.rgteam, QStringLiteral("Team assignment"));
    Name(p.rgpos, QStringLiteral("Position"));
    Name(p.tbmin, QStringLiteral("Minimum age"));
    Name(p.tbmax, QStringLiteral("Maximum age"));
    Name(p.tball, QStringLiteral("All ratings"),
         QStringLiteral("Sets every rating threshold at once"));
    Name(p.SpeedButton1, QStringLiteral("Checkbox legend"));
    p.avgov->setAccessibleDescription(QStringLiteral("League average OV"));
    p.agemin->setBuddy(p.tbmin);
    p.agemax->setBuddy(p.tbmax);
    TieCaption(sc_, QStringLiteral("Team"), p.cbt);
    TieCaption(sc_, QStringLiteral("Name"), p.edname);
    TieCaption(sc_, QStringLiteral("from"), p.Edit6);
    TieCaption(sc_, QStringLiteral("up to"), p.Edit7);
    TieCaption(sc_, QStringLiteral("ALL"), p.tball);
    for (int i = 0; i < vantrel::kRatingCriteriaCount; ++i) {
        const QString abbrev = QString::fromLatin1(vantrel::RatingAbbrev(i));
        Name(CriteriaControls.trackBars[i], abbrev + QStringLiteral(" threshold"));
        Name(CriteriaControls.checkBoxes[i], abbrev + QStringLiteral(" mode"));
        CriteriaControls.valueLabels[i]->setBuddy(CriteriaControls.trackBars[i]);
        TieCaption(sc_, abbrev, CriteriaControls.trackBars[i]);
        UpdateRatingAccessibility(i);
        connect(CriteriaControls.trackBars[i], &QSlider::valueChanged, this,
                [this, i] { UpdateRatingAccessibility(i); });
        connect(CriteriaControls.checkBoxes[i], &QCheckBox::stateChanged, this,
                [this, i] { UpdateRatingAccessibility(i); });
    }
    for (QSlider* age : {p.tbmin, p.tbmax}) {
        connect(age, &QSlider::valueChanged, this, [this] { UpdateAgeAccessibility(); });
    }
    connect(p.tball, &QSlider::valueChanged, p.tball,
            [bar = p.tball](int value) { bar->setAccessibleDescription(QString::number(value)); });
    UpdateAgeAccessibility();

    Name(resultUi_->found, QStringLiteral("Players found"));
    connect(resultModel_, &QAbstractItemModel::modelReset, this,
            [this] { UpdateListAccessibility(); });
    connect(resultModel_, &QAbstractItemModel::layoutChanged, this,
            [this] { UpdateListAccessibility(); });
    UpdateListAccessibility();
    detailsCaptions_ = DetailsCaptions({frameUi_->TabSheet2, frameUi_->TabSheet3});
    Name(ch_, QStringLiteral("Skater ratings chart"));
    Name(chart1_, QStringLiteral("Goalie ratings chart"));
}

// "at least 70": the mode and the threshold together, as the search reads them.
void VAvevadi::UpdateRatingAccessibility(int i) {
    const QCheckBox* box = CriteriaControls.checkBoxes[i];
    QSlider* bar = CriteriaControls.trackBars[i];
    const QString mode = ModeWords(vantrel::CriterionModeOf(box->checkState()));
    bar->setAccessibleDescription(mode + QLatin1Char(' ') + QString::number(bar->value()));
    CriteriaControls.checkBoxes[i]->setAccessibleDescription(mode);
}

// The age sliders read as their labels do ("<=18" for no lower bound).
void VAvevadi::UpdateAgeAccessibility() {
    panelUi_->tbmin->setAccessibleDescription(panelUi_->agemin->text());
    panelUi_->tbmax->setAccessibleDescription(panelUi_->agemax->text());
}

void VAvevadi::UpdateListAccessibility() {
    const int rows = resultModel_->rowCount();
    resultUi_->found->setAccessibleDescription(rows == 1 ? QStringLiteral("1 player")
                                                         : QStringLiteral("%1 players").arg(rows));
}

// "Position: C" for every value label of both details pages, after each display.
void VAvevadi::UpdateDetailsAccessibility() {
    for (const auto& [label, words] : detailsCaptions_)
        label->setAccessibleName(words + label->text());
}
