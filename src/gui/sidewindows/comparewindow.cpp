#include "gui/sidewindows/comparewindow.h"

#include "core/eval/vocabulary.h"
#include "gui/chart/barchart3d.h"
#include "gui/common/windowfont.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vantrel {

namespace {

QString RatingCaption(int rating) {
    const std::string_view abbrev = RatingAbbrev(rating);
    return QString::fromLatin1(abbrev.data(), static_cast<qsizetype>(abbrev.size()));
}

// The chart takes colours as 0x00BBGGRR.
QRgb BgrOf(const QColor& colour) {
    return static_cast<QRgb>(colour.blue() << 16 | colour.green() << 8 | colour.red());
}

QPixmap Swatch(const QColor& colour) {
    QPixmap swatch(12, 12);
    swatch.fill(colour);
    return swatch;
}

// The best value of a rating among the players who show it; nullopt when none does.
std::optional<int> BestOf(const std::vector<ComparePlayer>& players, int rating) {
    std::optional<int> best;
    for (const ComparePlayer& player : players) {
        const std::optional<int> value = player.ratings[static_cast<std::size_t>(rating)];
        if (value && (!best || *value > *best))
            best = value;
    }
    return best;
}

// Bold on amber, and so named to a screen reader.
void MarkBest(QTableWidgetItem* item) {
    QFont bold = item->font();
    bold.setBold(true);
    item->setFont(bold);
    item->setBackground(CompareWindow::BestValueColour());
    item->setForeground(Qt::black);
    item->setData(Qt::UserRole, true);
    item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("best"));
}

QTableWidgetItem* RatingItem(const ComparePlayer& player, int rating, std::optional<int> best) {
    const auto r = static_cast<std::size_t>(rating);
    const std::optional<int> value = player.ratings[r];
    if (!value) {
        auto* item = new QTableWidgetItem(QString::fromUtf8("\u2013"));
        item->setToolTip(QStringLiteral("Not on the goalie's details page"));
        return item;
    }
    QString text = QString::number(*value);
    if (!player.change[r].isEmpty())
        text += QString::fromUtf8("  \u0394") + player.change[r];
    if (!player.topPercent[r].isEmpty())
        text += QStringLiteral("   (%1)").arg(player.topPercent[r]);
    auto* item = new QTableWidgetItem(text);
    QString tip = player.rankText[r];
    if (value == best) {
        MarkBest(item);
        tip += QStringLiteral("\nThe best of the players compared");
    }
    item->setToolTip(tip);
    return item;
}

}  // namespace

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CompareWindow"));
    setWindowTitle(QStringLiteral("Compare Players"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);  // never keeps the program running
    ApplyWindowFont(this);

    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("compareTable"));
    table_->setAccessibleName(QStringLiteral("Players compared"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    QStringList rows;
    for (const char* fact : kCompareFacts)
        rows << QString::fromLatin1(fact);
    for (int rating = 0; rating < kRatingCriteriaCount; ++rating)
        rows << RatingCaption(rating);
    table_->setRowCount(static_cast<int>(rows.size()));
    table_->setVerticalHeaderLabels(rows);
    layout->addWidget(table_, 3);

    chart_ = new BarChart3D(this);
    chart_->setObjectName(QStringLiteral("compareChart"));
    chart_->setAccessibleName(QStringLiteral("Comparison chart"));
    chart_->setChart3DPercent(60);
    chart_->setElevation(336);
    chart_->setPerspective(68);
    chart_->setRotation(347);
    chart_->setZoom(93);
    chart_->setMinimumHeight(220);
    layout->addWidget(chart_, 2);

    legend_ = new QHBoxLayout;
    legend_->setObjectName(QStringLiteral("compareLegend"));
    layout->addLayout(legend_);
    resize(620, 760);
}

CompareWindow::~CompareWindow() = default;

QColor CompareWindow::PlayerColour(int i) {
    // Blue, orange, bluish green, vermilion: apart in hue and in lightness.
    static const std::array<QColor, 4> kColours = {QColor(0, 114, 178), QColor(230, 159, 0),
                                                   QColor(0, 158, 115), QColor(213, 94, 0)};
    return kColours[static_cast<std::size_t>(i) % kColours.size()];
}

QColor CompareWindow::BestValueColour() {
    return QColor(255, 221, 119);  // light amber
}

void CompareWindow::ShowPlayers(const std::vector<ComparePlayer>& players) {
    FillTable(players);
    FillChart(players);
    FillLegend(players);
}

void CompareWindow::FillTable(const std::vector<ComparePlayer>& players) {
    table_->clearContents();
    table_->setColumnCount(static_cast<int>(players.size()));
    const int facts = static_cast<int>(kCompareFacts.size());
    for (int p = 0; p < table_->columnCount(); ++p) {
        const ComparePlayer& player = players[static_cast<std::size_t>(p)];
        table_->setHorizontalHeaderItem(
            p, new QTableWidgetItem(QIcon(Swatch(PlayerColour(p))), player.facts[0]));
        for (int f = 0; f < facts; ++f)
            table_->setItem(f, p, new QTableWidgetItem(player.facts[static_cast<std::size_t>(f)]));
        for (int rating = 0; rating < kRatingCriteriaCount; ++rating)
            table_->setItem(facts + rating, p, RatingItem(player, rating, BestOf(players, rating)));
    }
    FillScoreRow(players);
}

// A last row "Score" while a score is set, the highest marked as the best ratings are.
void CompareWindow::FillScoreRow(const std::vector<ComparePlayer>& players) {
    const int row = static_cast<int>(kCompareFacts.size()) + kRatingCriteriaCount;
    const bool scored = !players.empty() && !players.front().score.isEmpty();
    table_->setRowCount(row + (scored ? 1 : 0));
    if (!scored)
        return;
    table_->setVerticalHeaderItem(row, new QTableWidgetItem(QStringLiteral("Score")));
    double best = -1;
    for (const ComparePlayer& player : players)
        best = std::max(best, player.score.toDouble());
    for (int p = 0; p < table_->columnCount(); ++p) {
        const QString& score = players[static_cast<std::size_t>(p)].score;
        auto* item = new QTableWidgetItem(score);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (players.size() > 1 && score.toDouble() == best)
            MarkBest(item);
        table_->setItem(row, p, item);
    }
}

void CompareWindow::FillChart(const std::vector<ComparePlayer>& players) {
    // One series a player, made as they are needed and kept; the unused ones switched off.
    QList<BarSeries3D*> series = chart_->Series();
    while (series.size() < static_cast<qsizetype>(players.size()))
        series.append(chart_->AddSeries(QStringLiteral("compareSeries%1").arg(series.size())));
    for (qsizetype p = 0; p < series.size(); ++p) {
        BarSeries3D* bars = series[p];
        bars->Clear();
        bars->setActive(p < static_cast<qsizetype>(players.size()));
        if (!bars->active())
            continue;
        const ComparePlayer& player = players[static_cast<std::size_t>(p)];
        const QRgb colour = BgrOf(PlayerColour(static_cast<int>(p)));
        bars->setTitle(player.facts[0]);
        for (int rating = 0; rating < kRatingCriteriaCount; ++rating)
            bars->AddBar(player.ratings[static_cast<std::size_t>(rating)].value_or(0),
                         RatingCaption(rating), colour);
    }
}

void CompareWindow::FillLegend(const std::vector<ComparePlayer>& players) {
    while (QLayoutItem* item = legend_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    legend_->addStretch();
    for (std::size_t p = 0; p < players.size(); ++p) {
        auto* entry = new QLabel(this);
        entry->setObjectName(QStringLiteral("legend%1").arg(p));
        entry->setTextFormat(Qt::RichText);
        entry->setText(QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
                           .arg(PlayerColour(static_cast<int>(p)).name(),
                                players[p].facts[0].toHtmlEscaped()));
        legend_->addWidget(entry);
        legend_->addSpacing(12);
    }
    legend_->addStretch();
}

}  // namespace vantrel
