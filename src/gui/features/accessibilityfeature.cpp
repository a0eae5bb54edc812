#include "gui/features/accessibilityfeature.h"

#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "gui/common/displaytext.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/window/panelcontrols.h"
#include "gui/window/windowface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSlider>
#include <QToolButton>

#include <initializer_list>
#include <tuple>

namespace vantrel {

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

QString ModeWords(CriterionMode mode) {
    return mode == CriterionMode::kAtLeast  ? QStringLiteral("at least")
           : mode == CriterionMode::kAtMost ? QStringLiteral("at most")
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

template <class T>
T* AccessibilityFeature::Control(const char* name) const {
    return window_->findChild<T*>(QLatin1String(name));
}

AccessibilityFeature::AccessibilityFeature(WindowFace& face)
    : QObject(&face), window_(face.Window()), panel_(Control<QWidget>("sc")) {
    NamePanel();
    NameRatingRows();
    ResultView* found = face.List();
    Name(found, QStringLiteral("Players found"));
    const auto describeList = [found, rows = face.Rows()] {
        const int count = rows->rowCount();
        found->setAccessibleDescription(count == 1 ? QStringLiteral("1 player")
                                                   : QStringLiteral("%1 players").arg(count));
    };
    connect(face.Rows(), &QAbstractItemModel::modelReset, this, describeList);
    connect(face.Rows(), &QAbstractItemModel::layoutChanged, this, describeList);
    describeList();
    detailsCaptions_ =
        DetailsCaptions({Control<QWidget>("TabSheet2"), Control<QWidget>("TabSheet3")});
    connect(&face, &WindowFace::detailsShown, this, [this] { NameDetailsValues(); });
    Name(Control<QWidget>("ch"), QStringLiteral("Skater ratings chart"));
    Name(Control<QWidget>("Chart1"), QStringLiteral("Goalie ratings chart"));
}

void AccessibilityFeature::NamePanel() {
    Name(Control<QWidget>("cbt"), QStringLiteral("Team"),
         QStringLiteral("The team to search; <All> for all teams"));
    Name(Control<QWidget>("edname"), QStringLiteral("Name pattern"),
         QStringLiteral("* stands for any characters, ? for one"));
    Name(Control<QWidget>("Edit6"), QStringLiteral("Salary from"));
    Name(Control<QWidget>("Edit7"), QStringLiteral("Salary up to"));
    Name(Control<QWidget>("rgstate"), QStringLiteral("Status"));
    Name(Control<QWidget>("rgteam"), QStringLiteral("Team assignment"));
    Name(Control<QWidget>("rgpos"), QStringLiteral("Position"));
    Name(Control<QWidget>("SpeedButton1"), QStringLiteral("Checkbox legend"));
    Control<QWidget>("avgov")->setAccessibleDescription(QStringLiteral("League average OV"));
    TieCaption(panel_, QStringLiteral("Team"), Control<QWidget>("cbt"));
    TieCaption(panel_, QStringLiteral("Name"), Control<QWidget>("edname"));
    TieCaption(panel_, QStringLiteral("from"), Control<QWidget>("Edit6"));
    TieCaption(panel_, QStringLiteral("up to"), Control<QWidget>("Edit7"));

    auto* tball = Control<QSlider>("tball");
    Name(tball, QStringLiteral("All ratings"),
         QStringLiteral("Sets every rating threshold at once"));
    TieCaption(panel_, QStringLiteral("ALL"), tball);
    connect(tball, &QSlider::valueChanged, tball,
            [tball](int value) { tball->setAccessibleDescription(QString::number(value)); });

    // The age sliders read as their labels do ("<=18" for no lower bound).
    for (const auto& [slider, label, words] : {std::tuple{"tbmin", "agemin", "Minimum age"},
                                               std::tuple{"tbmax", "agemax", "Maximum age"}}) {
        auto* age = Control<QSlider>(slider);
        auto* text = Control<QLabel>(label);
        Name(age, QLatin1String(words));
        text->setBuddy(age);
        const auto describe = [age, text] { age->setAccessibleDescription(text->text()); };
        // Connected after the window's own handler, which writes the label first.
        connect(age, &QSlider::valueChanged, this, describe);
        describe();
    }
}

// "at least 70": each rating's mode and threshold together, as the search reads them.
void AccessibilityFeature::NameRatingRows() {
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        const QString n = QString::number(i + 1);
        auto* box = panel_->findChild<QCheckBox*>("cbx" + n);
        auto* bar = panel_->findChild<QSlider*>("tbx" + n);
        const QString abbrev = Utf8Text(RatingAbbrev(i));
        Name(bar, abbrev + QStringLiteral(" threshold"));
        Name(box, abbrev + QStringLiteral(" mode"));
        panel_->findChild<QLabel*>("lbx" + n)->setBuddy(bar);
        TieCaption(panel_, abbrev, bar);
        const auto describe = [box, bar] {
            const QString mode = ModeWords(CriterionModeOf(box->checkState()));
            bar->setAccessibleDescription(mode + QLatin1Char(' ') + QString::number(bar->value()));
            box->setAccessibleDescription(mode);
        };
        describe();
        connect(bar, &QSlider::valueChanged, this, describe);
        connect(box, &QCheckBox::stateChanged, this, describe);
    }
}

// "Position: C" for every value label of both details pages, after each display.
void AccessibilityFeature::NameDetailsValues() {
    for (const auto& [label, words] : detailsCaptions_)
        label->setAccessibleName(words + label->text());
}

}  // namespace vantrel
