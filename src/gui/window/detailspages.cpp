#include "gui/window/detailspages.h"

#include "core/eval/numbertext.h"
#include "core/eval/vocabulary.h"
#include "core/league/records.h"
#include "gui/common/displaytext.h"

#include "ui_goaliepage.h"
#include "ui_skaterpage.h"

#include <limits>
#include <optional>

namespace vantrel {

namespace {

double Ratio(double numerator, double denominator) {
    if (denominator == 0) {
        if (numerator != 0)
            throw DivisionFault{};
        return std::numeric_limits<double>::quiet_NaN();  // 0/0
    }
    return numerator / denominator;
}

QString Number(std::int64_t value) {
    return QString::number(value);
}

// A ratio with the separator of the user's locale.
QString Real(double value) {
    return Utf8Text(RealText(value, LocaleDecimalSeparator()));
}

// Labels whose code has no text keep what they show.
void SetOptionalText(QLabel* label, std::optional<std::string_view> text) {
    if (text)
        label->setText(Utf8Text(*text));
}

}  // namespace

void FillSkaterLabels(Ui::SkaterPage& s, const PlayerRecord& player, const QString& position) {
    s.Label8->setText(position);
    s.Label9->setText(Number(player.Number()));
    s.Label22->setText(Number(player.AgeUnsigned()));
    s.Label24->setText(Number(player.Height()));
    s.Label26->setText(Number(player.Weight()));
    s.Label15->setText(Number(player.GamesPlayed()));
    s.Label18->setText(Number(player.GoalsOrPim()));
    s.Label20->setText(Number(player.Assists()));
    s.Label52->setText(Number(player.GoalsOrPim() + player.Assists()));
    s.Label55->setText(Number(player.PimOrGoalsAgainst()));
    s.Label57->setText(Number(player.PlusMinus()));
    s.Label35->setText(Number(player.PowerPlayGoalsOrShutouts()));
    s.Label60->setText(Number(player.ShortHandedGoalsOrWins()));
    s.Label62->setText(Number(player.GameWinningGoalsOrLosses()));
    s.Label63->setText(Number(player.GameTyingGoalsOrTies()));
    s.Label66->setText(Number(player.Shots()));
    s.Label67->setText(Real(Ratio(player.GoalsOrPim() * 100.0, player.Shots())));
    s.Label71->setText(Number(player.Salary()));
    s.Label72->setText(Number(player.Condition()));
    s.Label70->setText(Number(player.Contract()));
    SetOptionalText(s.Label74, HandText(player.Hand()));
    s.Label76->setText(Utf8Text(AssignmentText(player.Assignment())));
    s.Label69->setText(Utf8Text(InjuryText(player.Assignment())));
    SetOptionalText(s.Label21, StatusText(player.Status()));
}

void FillGoalieLabels(Ui::GoaliePage& g, const PlayerRecord& player, const QString& name,
                      const QString& position) {
    g.Label79->setText(name);
    g.Label80->setText(DecodeText(ExtractTextView(player.ShortCodeField(), kShortCodeWidth)));
    g.Label78->setText(Number(player.Number()));
    g.Label83->setText(position);
    g.Label85->setText(Number(player.AgeUnsigned()));
    g.Label91->setText(Number(player.Height()));
    g.Label93->setText(Number(player.Weight()));
    SetOptionalText(g.Label89, HandText(player.Hand()));
    g.Label86->setText(Utf8Text(AssignmentText(player.Assignment())));
    g.Label95->setText(Number(player.Condition()));
    g.Label97->setText(Utf8Text(InjuryText(player.Assignment())));
    g.Label101->setText(Number(player.Salary()));
    g.Label99->setText(Number(player.Contract()));
    SetOptionalText(g.Label103, StatusText(player.Status()));
    g.Label111->setText(Number(player.Assists()));
    g.Label107->setText(Number(player.GoalsOrPim()));
    g.Label104->setText(Number(player.GamesPlayed()));
    g.Label115->setText(Number(player.PowerPlayGoalsOrShutouts()));
    g.Label109->setText(Number(player.ShortHandedGoalsOrWins()));
    g.Label114->setText(Number(player.GameWinningGoalsOrLosses()));
    g.Label118->setText(Number(player.GameTyingGoalsOrTies()));
    g.Label121->setText(Number(player.PimOrGoalsAgainst()));
    g.Label123->setText(Number(player.Shots()));
    g.Label127->setText(Real(
        Ratio(static_cast<double>(player.Shots()) - player.PimOrGoalsAgainst(), player.Shots())));
    g.Label119->setText(Real(Ratio(player.PimOrGoalsAgainst(), player.GamesPlayed())));
}

}  // namespace vantrel
