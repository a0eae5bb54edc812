#include "gui/sidewindows/seasonwindow.h"

#include "core/eval/vocabulary.h"
#include "core/order/resultcolumns.h"
#include "core/search/changecriteria.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/sidewindows/sidewindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>
#include <utility>

namespace vantrel {

namespace {

constexpr std::size_t kMoversShown = 50;
// Enough for any real league; a hostile file of millions of records stays quick.
constexpr std::size_t kListShown = 1000;
constexpr int kPositionCount = 5;
// A SetRow without numbers.
constexpr int kNoNumbers = std::numeric_limits<int>::max();
// By SeasonWindow::Tab: the tables' names, for their tabs and screen readers.
const std::array<const char*, 4> kTabNames = {"Risers", "Fallers", "Gone", "Team changes"};

const std::uint8_t* RecordOf(const SharedImage& image, std::int32_t index) {
    return RecordInImage(image.get(), index, kPlayerRecordSize);
}

QString PlayerName(const std::uint8_t* record) {
    return DecodeText(ExtractTextView(record + player::kName, kPlayerNameWidth));
}

QString PositionText(const std::uint8_t* record) {
    return DecodeText(PositionAbbrev(record));
}

QString TeamText(const LeagueData& league, std::int64_t team) {
    const std::uint8_t* bytes = league.TeamAt(team);
    return bytes ? DecodeText(TeamRecord(bytes).Name()) : QString();
}

QString OverallText(const std::uint8_t* record) {
    return QString::number(NumberCell(record, kOverallColumn));
}

// One row: the texts from the left, the ones from `firstNumber` on right-aligned; the
// first cell keeps the record the row stands for.
void SetRow(QTableWidget* table, int row, std::int32_t record, const QStringList& texts,
            int firstNumber) {
    for (int column = 0; column < texts.size(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        if (column >= firstNumber)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
    table->item(row, 0)->setData(Qt::UserRole, record);
}

QString TabTitle(int tab, std::size_t shown, std::int64_t total) {
    const QString what = QString::fromLatin1(kTabNames[static_cast<std::size_t>(tab)]);
    return std::cmp_equal(shown, total)
               ? QStringLiteral("%1 (%2)").arg(what).arg(total)
               : QStringLiteral("%1 (%2 of %3)").arg(what).arg(shown).arg(total);
}

}  // namespace

SeasonWindow::SeasonWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SeasonWindow"));
    setWindowTitle(QStringLiteral("Season Changes"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    PrepareSideWindow(this);

    auto* layout = new QVBoxLayout(this);
    earlierName_ = new QLabel(this);
    earlierName_->setObjectName(QStringLiteral("seasonEarlier"));
    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("seasonCounts"));
    layout->addWidget(earlierName_);
    layout->addWidget(counts_);

    AddPositionFilter(layout);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("seasonTabs"));
    layout->addWidget(tabs_);
    const QStringList movers{"Name",    "Team",   "Pos.",
                             "OV then", "OV now", QString::fromUtf8("\u0394OV")};
    AddTable(kRisers, QStringLiteral("seasonRisers"), movers);
    AddTable(kFallers, QStringLiteral("seasonFallers"), movers);
    AddTable(kGone, QStringLiteral("seasonGone"), {"Name", "Team", "Pos.", "OV then"});
    AddTable(kTeamChanges, QStringLiteral("seasonTeamChanges"),
             {"Name", "Pos.", "Team then", "Team now"});
    ShowSeason(nullptr, {}, {}, {});
    resize(560, 520);
}

SeasonWindow::~SeasonWindow() = default;

// "All", then the positions as the result list writes them.
void SeasonWindow::AddPositionFilter(QVBoxLayout* layout) {
    position_ = new QComboBox(this);
    position_->setObjectName(QStringLiteral("seasonPosition"));
    position_->addItem(QStringLiteral("All"), kAnyPosition);
    std::array<std::uint8_t, kPlayerRecordSize> record{};
    for (int position = 0; position < kPositionCount; ++position) {
        record[player::kPosition] = static_cast<std::uint8_t>(position);
        position_->addItem(PositionText(record.data()), position);
    }
    auto* label = new QLabel(QStringLiteral("&Position:"), this);
    label->setBuddy(position_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(position_);
    row->addStretch();
    layout->addLayout(row);
    connect(position_, &QComboBox::currentIndexChanged, this, Guarded([this](int) { Fill(); }));
}

void SeasonWindow::AddTable(Tab tab, const QString& objectName, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), this);
    table->setObjectName(objectName);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    if (tab != kGone) {
        connect(table, &QTableWidget::cellDoubleClicked, this,
                Guarded([this, table](int row, int) { RequestDetails(table, row); }));
        table->installEventFilter(this);
    }
    table->setAccessibleName(QString::fromLatin1(kTabNames[tab]));
    tables_[tab] = table;
    tabs_->addTab(table, QString());
}

void SeasonWindow::ShowSeason(std::shared_ptr<const SeasonMatch> match, const LeagueData& current,
                              const LeagueData& earlier, const QString& earlierName) {
    match_ = std::move(match);
    current_ = current;
    earlier_ = earlier;
    earlierName_->setText(match_ ? QStringLiteral("Earlier season: %1").arg(earlierName)
                                 : QStringLiteral("No earlier season loaded."));
    const SeasonCounts counts = match_ ? match_->Counts() : SeasonCounts{};
    counts_->setText(QStringLiteral("Matched: %1   New: %2   Ambiguous: %3   Gone: %4")
                         .arg(counts.matched)
                         .arg(counts.fresh)
                         .arg(counts.ambiguous)
                         .arg(counts.gone));
    Fill();
}

void SeasonWindow::Fill() {
    const int position = position_->currentData().toInt();
    FillMovers(kRisers, ChangeSide::kRisers, position);
    FillMovers(kFallers, ChangeSide::kFallers, position);
    FillGone(position);
    FillTeamChanges(position);
}

void SeasonWindow::FillMovers(Tab tab, ChangeSide side, int position) {
    const CappedList<std::int32_t> movers =
        match_ ? OverallMovers(*match_, side, position, kMoversShown) : CappedList<std::int32_t>{};
    QTableWidget* table = tables_[tab];
    table->setRowCount(static_cast<int>(movers.shown.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const std::int32_t c = movers.shown[static_cast<std::size_t>(row)];
        const std::uint8_t* now = RecordOf(match_->Current(), c);
        const std::uint8_t* then = match_->EarlierRecordOf(c);
        SetRow(table, row, c,
               {PlayerName(now), TeamText(current_, current_.TeamOfRecord(c)), PositionText(now),
                OverallText(then), OverallText(now),
                QString::fromStdString(ChangeText(match_->OverallChange(c).value_or(0)))},
               3);
    }
    tabs_->setTabText(tab, TabTitle(tab, movers.shown.size(), movers.total));
}

void SeasonWindow::FillGone(int position) {
    const CappedList<GonePlayer> gone =
        match_ ? GonePlayers(*match_, earlier_, position, kListShown) : CappedList<GonePlayer>{};
    QTableWidget* table = tables_[kGone];
    table->setRowCount(static_cast<int>(gone.shown.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const GonePlayer& player = gone.shown[static_cast<std::size_t>(row)];
        const std::uint8_t* then = RecordOf(match_->Earlier(), player.earlierRecord);
        SetRow(table, row, player.earlierRecord,
               {PlayerName(then), TeamText(earlier_, player.earlierTeam), PositionText(then),
                OverallText(then)},
               3);
    }
    tabs_->setTabText(kGone, TabTitle(kGone, gone.shown.size(), gone.total));
}

void SeasonWindow::FillTeamChanges(int position) {
    const CappedList<TeamChange> changes =
        match_ ? TeamChanges(*match_, current_, earlier_, position, kListShown)
               : CappedList<TeamChange>{};
    QTableWidget* table = tables_[kTeamChanges];
    table->setRowCount(static_cast<int>(changes.shown.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const TeamChange& change = changes.shown[static_cast<std::size_t>(row)];
        const std::uint8_t* now = RecordOf(match_->Current(), change.currentRecord);
        SetRow(table, row, change.currentRecord,
               {PlayerName(now), PositionText(now), TeamText(earlier_, change.earlierTeam),
                TeamText(current_, change.currentTeam)},
               kNoNumbers);
    }
    tabs_->setTabText(kTeamChanges, TabTitle(kTeamChanges, changes.shown.size(), changes.total));
}

void SeasonWindow::RequestDetails(const QTableWidget* table, int row) {
    const QTableWidgetItem* first = match_ ? table->item(row, 0) : nullptr;
    if (first)
        emit detailsRequested(match_->Current(), first->data(Qt::UserRole).value<std::int32_t>());
}

// Enter on a row asks for its details, as a double-click does.
bool SeasonWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* table = qobject_cast<QTableWidget*>(watched);
    if (table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guarded([this, table] { RequestDetails(table, table->currentRow()); })();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vantrel
