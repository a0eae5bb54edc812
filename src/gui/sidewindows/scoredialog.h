#pragma once

// The dialog of Players > "Score Column...": a weight from 0 to 10 for each of the 13
// stored ratings, presets for centre, wing, defender and goalie, the formula as text, and
// optional bounds a search keeps scores within. All weights 0 is refused.

#include "core/score/scoreweights.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace vantrel {

class ScoreDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ScoreDialog(QWidget* parent = nullptr);

    void SetCriteria(const ScoreCriteria& criteria);
    ScoreCriteria Criteria() const;

  public slots:
    void accept() override;

  private:
    QWidget* MakeWeights();
    QWidget* MakePresets();
    QWidget* MakeBounds();
    void SetWeights(const ScoreWeights& weights);
    ScoreWeights Weights() const;
    void ShowFormula();

    std::array<QSpinBox*, kStoredRatingCount> weights_{};
    QLabel* formula_ = nullptr;
    QCheckBox* hasAtLeast_ = nullptr;
    QCheckBox* hasAtMost_ = nullptr;
    QDoubleSpinBox* atLeast_ = nullptr;
    QDoubleSpinBox* atMost_ = nullptr;
};

}  // namespace vantrel
