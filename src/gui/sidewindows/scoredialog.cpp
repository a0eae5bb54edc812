#include "gui/sidewindows/scoredialog.h"

#include "core/eval/vocabulary.h"
#include "gui/sidewindows/sidewindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace vantrel {

namespace {

constexpr int kWeightRows = 7;  // the weights stand in two columns, IT..SK and PA..LD

struct Preset {
    const char* name;
    const char* objectName;
    ScorePreset preset;
};
constexpr Preset kPresets[] = {{"Centre", "scorePresetCentre", ScorePreset::kCentre},
                               {"Wing", "scorePresetWing", ScorePreset::kWing},
                               {"Defender", "scorePresetDefender", ScorePreset::kDefender},
                               {"Goalie", "scorePresetGoalie", ScorePreset::kGoalie}};

QDoubleSpinBox* MakeBound(const char* objectName, const QString& accessibleName) {
    auto* bound = new QDoubleSpinBox;
    bound->setObjectName(QString::fromLatin1(objectName));
    bound->setAccessibleName(accessibleName);
    bound->setRange(0.0, kScoreTenthsMax / 10.0);
    bound->setDecimals(1);
    bound->setSingleStep(0.5);
    bound->setEnabled(false);
    return bound;
}

int TenthsOf(const QDoubleSpinBox* bound) {
    return static_cast<int>(std::lround(bound->value() * 10.0));
}

}  // namespace

ScoreDialog::ScoreDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ScoreDialog"));
    setWindowTitle(QStringLiteral("Score Column"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral(
        "Weigh each rating from 0 to 10. The score is the weighted sum as a share of the "
        "highest possible, 0.0 to 100.0; the list shows it in the column \"Score\"."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addWidget(MakePresets());
    layout->addWidget(MakeWeights());
    formula_ = new QLabel;
    formula_->setObjectName(QStringLiteral("scoreFormula"));
    formula_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(formula_);
    layout->addWidget(MakeBounds());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("scoreButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScoreDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScoreDialog::reject);
    layout->addWidget(buttons);
    PrepareSideWindow(this);
    ShowFormula();
}

QWidget* ScoreDialog::MakePresets() {
    auto* box = new QGroupBox(QStringLiteral("Presets"));
    auto* row = new QHBoxLayout(box);
    for (const Preset& preset : kPresets) {
        auto* button = new QPushButton(QString::fromLatin1(preset.name));
        button->setObjectName(QString::fromLatin1(preset.objectName));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, which = preset.preset] { SetWeights(PresetWeights(which)); });
        row->addWidget(button);
    }
    return box;
}

QWidget* ScoreDialog::MakeWeights() {
    auto* box = new QGroupBox(QStringLiteral("Weights"));
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < kStoredRatingCount; ++i) {
        const QString name =
            QString::fromLatin1(RatingAbbrev(i).data(), qsizetype(RatingAbbrev(i).size()));
        auto* weight = new QSpinBox;
        weight->setObjectName(QStringLiteral("scoreWeight") + name);
        weight->setAccessibleName(QStringLiteral("Weight of ") + name);
        weight->setRange(0, kScoreWeightMax);
        connect(weight, &QSpinBox::valueChanged, this, [this] { ShowFormula(); });
        auto* label = new QLabel(name);
        label->setBuddy(weight);
        const int column = i / kWeightRows * 2;
        grid->addWidget(label, i % kWeightRows, column);
        grid->addWidget(weight, i % kWeightRows, column + 1);
        weights_[std::size_t(i)] = weight;
    }
    grid->setColumnMinimumWidth(2, 60);
    return box;
}

QWidget* ScoreDialog::MakeBounds() {
    auto* box = new QGroupBox(QStringLiteral("Search"));
    auto* grid = new QGridLayout(box);
    hasAtLeast_ = new QCheckBox(QStringLiteral("Keep players with a score of at least"));
    hasAtLeast_->setObjectName(QStringLiteral("scoreHasAtLeast"));
    hasAtMost_ = new QCheckBox(QStringLiteral("Keep players with a score of at most"));
    hasAtMost_->setObjectName(QStringLiteral("scoreHasAtMost"));
    atLeast_ = MakeBound("scoreAtLeast", QStringLiteral("Lowest score kept"));
    atMost_ = MakeBound("scoreAtMost", QStringLiteral("Highest score kept"));
    atMost_->setValue(kScoreTenthsMax / 10.0);
    grid->addWidget(hasAtLeast_, 0, 0);
    grid->addWidget(atLeast_, 0, 1);
    grid->addWidget(hasAtMost_, 1, 0);
    grid->addWidget(atMost_, 1, 1);
    connect(hasAtLeast_, &QCheckBox::toggled, atLeast_, &QWidget::setEnabled);
    connect(hasAtMost_, &QCheckBox::toggled, atMost_, &QWidget::setEnabled);
    return box;
}

void ScoreDialog::SetWeights(const ScoreWeights& weights) {
    for (std::size_t i = 0; i < weights_.size(); ++i)
        weights_[i]->setValue(weights.weights[i]);
}

ScoreWeights ScoreDialog::Weights() const {
    ScoreWeights weights;
    for (std::size_t i = 0; i < weights_.size(); ++i)
        weights.weights[i] = static_cast<std::uint8_t>(weights_[i]->value());
    return weights;
}

void ScoreDialog::SetCriteria(const ScoreCriteria& criteria) {
    SetWeights(criteria.weights);
    hasAtLeast_->setChecked(criteria.atLeast.has_value());
    atLeast_->setValue(criteria.atLeast.value_or(0) / 10.0);
    hasAtMost_->setChecked(criteria.atMost.has_value());
    atMost_->setValue(criteria.atMost.value_or(kScoreTenthsMax) / 10.0);
}

ScoreCriteria ScoreDialog::Criteria() const {
    ScoreCriteria criteria;
    criteria.weights = Weights();
    if (hasAtLeast_->isChecked())
        criteria.atLeast = TenthsOf(atLeast_);
    if (hasAtMost_->isChecked())
        criteria.atMost = TenthsOf(atMost_);
    return criteria;
}

void ScoreDialog::ShowFormula() {
    formula_->setText(QString::fromStdString(ScoreFormulaWords(Weights())));
}

void ScoreDialog::accept() {
    const ScoreCriteria criteria = Criteria();
    QString refusal;
    if (!criteria.weights.IsSet())
        refusal = QStringLiteral("Give at least one rating a weight above 0.");
    else if (criteria.atLeast && criteria.atMost && *criteria.atLeast > *criteria.atMost)
        refusal = QStringLiteral(
            "The lowest score kept is above the highest: no player "
            "could be listed.");
    if (!refusal.isEmpty()) {
        QMessageBox::information(this, windowTitle(), refusal);
        return;
    }
    QDialog::accept();
}

}  // namespace vantrel
