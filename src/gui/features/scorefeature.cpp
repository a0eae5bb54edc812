#include "gui/features/scorefeature.h"

#include "core/score/scoreweights.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/guardedslot.h"
#include "gui/features/menuaction.h"
#include "gui/features/playersmenu.h"
#include "gui/sidewindows/scoredialog.h"
#include "gui/window/detailspages.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace vantrel {

ScoreFeature::ScoreFeature(WindowFace& face) : QObject(&face), face_(face) {
    QMenu* menu = PlayersMenu(face);
    menu->addSeparator();
    QAction* set = AddMenuAction(menu, "ScoreColumn1", QStringLiteral("Score &Column..."));
    clear_ = AddMenuAction(menu, "ClearScore1", QStringLiteral("C&lear Score"));
    clear_->setEnabled(false);
    connect(set, &QAction::triggered, this, Guarded([this](bool) { SetScore(); }));
    connect(clear_, &QAction::triggered, this, Guarded([this](bool) { ClearScore(); }));
    connect(&face, &WindowFace::scoreChanged, this, Guarded([this] { FollowScore(); }));
    connect(&face, &WindowFace::detailsShown, this,
            Guarded([this](const std::uint8_t* record) { AddScoreToChart(record); }));
}

void ScoreFeature::SetScore() {
    PanelState panel = face_.Panel();
    // Made anew each time: the window's font and its place follow the main window.
    ScoreDialog dialog(face_.Window());
    if (panel.score.weights.IsSet())
        dialog.SetCriteria(panel.score);
    if (dialog.exec() != QDialog::Accepted)
        return;
    panel.score = dialog.Criteria();
    face_.SetPanel(panel);
}

void ScoreFeature::ClearScore() {
    PanelState panel = face_.Panel();
    panel.score = {};
    face_.SetPanel(panel);
}

void ScoreFeature::FollowScore() {
    clear_->setEnabled(face_.Panel().score.weights.IsSet());
}

// The OV bar's tooltip adds the score: "Score 72.4 = (2×SK + PA + PC) ÷ 4".
void ScoreFeature::AddScoreToChart(const std::uint8_t* record) {
    const ScoreWeights weights = face_.Panel().score.weights;
    if (!weights.IsSet() || !record)
        return;
    const std::string formula = ScoreFormulaWords(weights);
    const QString words = QStringLiteral("Score %1 %2")
                              .arg(QString::fromStdString(ScoreText(ScoreTenths(record, weights))),
                                   QString::fromStdString(formula.substr(formula.find('='))));
    for (BarSeries3D* series : face_.RatingSeries()) {
        for (int bar = 0; bar < series->barCount(); ++bar) {
            if (RatingOfBar(series->barLabel(bar)) != kOverallIndex)
                continue;
            const QString tip = series->barToolTip(bar);
            series->setBarToolTip(bar, tip.isEmpty() ? words : tip + QLatin1Char('\n') + words);
        }
    }
}

}  // namespace vantrel
