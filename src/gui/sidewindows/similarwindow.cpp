#include "gui/sidewindows/similarwindow.h"

#include "core/eval/leaguerank.h"
#include "core/order/resultcolumns.h"
#include "core/similar/similarplayers.h"
#include "gui/common/busycursor.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/sidewindows/sidewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <new>

namespace vantrel {

namespace {

constexpr int kShown = 50;
// Besides the player himself: the compare window holds four.
constexpr int kMostCompared = 3;
enum Column { kSimilarity, kName, kTeam, kPosition, kAge, kOverall, kSalary, kColumnCount };
const char* const kCaptions[kColumnCount] = {"Similarity", "Player Name", "Team",  "Pos.",
                                             "Age",        "OV",          "Salary"};

bool IsNumberColumn(int column) {
    return column == kSimilarity || column == kAge || column == kOverall || column == kSalary;
}

QString ListCell(const std::uint8_t* record, int column) {
    return IsTextColumn(column) ? DecodeText(TextCell(record, column))
                                : QString::number(NumberCell(record, column));
}

QString TeamName(const LeagueData& league, std::int32_t record) {
    const std::uint8_t* team = league.TeamAt(league.TeamOfRecord(record));
    return team ? DecodeText(TeamRecord(team).Name()) : QString();
}

}  // namespace

SimilarWindow::SimilarWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SimilarWindow"));
    setWindowTitle(QStringLiteral("Similar Players"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    PrepareSideWindow(this);

    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("similarHeading"));
    heading_->setTextFormat(Qt::PlainText);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    layout->addWidget(heading_);
    AddChoices(layout);
    AddTable(layout);
    AddFoot(layout);
    ShowHeading();
    resize(560, 480);
}

SimilarWindow::~SimilarWindow() = default;

void SimilarWindow::AddChoices(QVBoxLayout* layout) {
    measure_ = new QComboBox(this);
    measure_->setObjectName(QStringLiteral("similarMeasure"));
    measure_->addItem(QStringLiteral("Style and level"),
                      static_cast<int>(SimilarityMeasure::kStyleAndLevel));
    measure_->setItemData(0, QStringLiteral("Near in every rating: as good, and good at the same"),
                          Qt::ToolTipRole);
    measure_->addItem(QStringLiteral("Style"), static_cast<int>(SimilarityMeasure::kStyle));
    measure_->setItemData(
        1, QStringLiteral("Strong and weak in the same ratings, however good he is overall"),
        Qt::ToolTipRole);
    auto* label = new QLabel(QStringLiteral("&Measure:"), this);
    label->setBuddy(measure_);
    samePosition_ = new QCheckBox(QStringLiteral("Same &position only"), this);
    samePosition_->setObjectName(QStringLiteral("similarSamePosition"));
    samePosition_->setChecked(true);
    listedOnly_ = new QCheckBox(QStringLiteral("Only players the search &lists"), this);
    listedOnly_->setObjectName(QStringLiteral("similarListedOnly"));

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(measure_);
    row->addSpacing(12);
    row->addWidget(samePosition_);
    row->addSpacing(12);
    row->addWidget(listedOnly_);
    row->addStretch();
    layout->addLayout(row);
    connect(measure_, &QComboBox::currentIndexChanged, this, Guarded([this](int) { Fill(); }));
    for (QCheckBox* box : {samePosition_, listedOnly_})
        connect(box, &QCheckBox::toggled, this, Guarded([this](bool) { Fill(); }));
}

void SimilarWindow::AddTable(QVBoxLayout* layout) {
    rows_ = new QStandardItemModel(0, kColumnCount, this);
    for (int column = 0; column < kColumnCount; ++column) {
        rows_->setHeaderData(column, Qt::Horizontal, QString::fromLatin1(kCaptions[column]));
        if (IsNumberColumn(column))
            rows_->setHeaderData(column, Qt::Horizontal,
                                 QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter),
                                 Qt::TextAlignmentRole);
    }
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("similarTable"));
    table_->setAccessibleName(QStringLiteral("Similar players"));
    table_->setModel(rows_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* header = table_->horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kName, QHeaderView::Stretch);
    layout->addWidget(table_, 1);
    connect(table_, &QTableView::doubleClicked, this,
            Guarded([this](const QModelIndex& index) { RequestDetails(index.row()); }));
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            Guarded([this](const QItemSelection&, const QItemSelection&) { EnableCompare(); }));
    table_->installEventFilter(this);
}

void SimilarWindow::AddFoot(QVBoxLayout* layout) {
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("similarNote"));
    note_->setWordWrap(true);
    compare_ = new QPushButton(QStringLiteral("&Compare"), this);
    compare_->setObjectName(QStringLiteral("similarCompare"));
    compare_->setToolTip(
        QStringLiteral("Select 1 to 3 players to compare them with him. A double-click "
                       "shows a player's details."));
    auto* row = new QHBoxLayout;
    row->addWidget(note_, 1);
    row->addWidget(compare_);
    layout->addLayout(row);
    connect(compare_, &QPushButton::clicked, this, Guarded([this](bool) { RequestCompare(); }));
}

void SimilarWindow::ShowPlayer(const LeagueData& league, std::int32_t record,
                               std::vector<std::int32_t> listed) {
    league_ = league;
    player_ = league.PlayerAt(record) ? record : -1;
    listed_ = std::move(listed);
    stale_ = false;
    ShowHeading();
    Fill();
}

void SimilarWindow::SetListed(std::vector<std::int32_t> listed) {
    listed_ = std::move(listed);
    if (listedOnly_->isChecked())
        Fill();
}

void SimilarWindow::MarkStale() {
    stale_ = true;
    Fill();
}

// "Players like Ann Kell — C, Alpha, OV 78". A goalie is compared with goalies whatever
// the box says.
void SimilarWindow::ShowHeading() {
    const std::uint8_t* record = league_.PlayerAt(player_);
    if (!record) {
        heading_->setText(
            QStringLiteral("No player chosen: select one in the list and "
                           "choose Find Similar."));
        return;
    }
    heading_->setText(QStringLiteral("Players like %1 \u2014 %2, %3, OV %4")
                          .arg(ListCell(record, kNameColumn), ListCell(record, kPositionColumn),
                               TeamName(league_, player_), ListCell(record, kOverallColumn)));
    const bool goalie = RankGroupOf(record) == RankGroup::kGoalies;
    samePosition_->setEnabled(!goalie);
    samePosition_->setToolTip(goalie ? QStringLiteral("A goalie is compared with goalies only.")
                                     : QStringLiteral("Off: skaters of every position."));
}

void SimilarWindow::Fill() {
    rows_->setRowCount(0);
    const std::uint8_t* record = league_.PlayerAt(player_);
    if (!record) {
        ShowNote({});
        return;
    }
    SimilarQuery query;
    query.player = player_;
    query.measure = static_cast<SimilarityMeasure>(measure_->currentData().toInt());
    query.samePosition = samePosition_->isChecked();
    query.candidates = listedOnly_->isChecked() ? &listed_ : nullptr;
    query.count = kShown;
    std::vector<SimilarPlayer> similar;
    try {
        const BusyCursor busy(league_.PlayerCount() >= kBusyRowCount);
        similar = FindSimilar(*league_.RosterFileImage, league_.PlayerCount(), query);
    } catch (const std::bad_alloc&) {
        ShowNote(
            QStringLiteral("Not enough memory to compare %1 players.").arg(league_.PlayerCount()));
        return;
    }
    for (const SimilarPlayer& player : similar)
        AddRow(player);
    if (!similar.empty())
        ShowNote(QStringLiteral("%1 players, the most similar first.").arg(similar.size()));
    else if (query.candidates)
        ShowNote(QStringLiteral("None of the players the search lists can be compared with him."));
    else
        ShowNote(QStringLiteral("Nobody in the league can be compared with him."));
}

void SimilarWindow::AddRow(const SimilarPlayer& similar) {
    const std::uint8_t* record = league_.PlayerAt(similar.record);
    const QString texts[kColumnCount] = {QStringLiteral("%1 %").arg(similar.similarity, 0, 'f', 1),
                                         ListCell(record, kNameColumn),
                                         TeamName(league_, similar.record),
                                         ListCell(record, kPositionColumn),
                                         ListCell(record, kAgeColumn),
                                         ListCell(record, kOverallColumn),
                                         ListCell(record, kSalaryColumn)};
    QList<QStandardItem*> items;
    for (int column = 0; column < kColumnCount; ++column) {
        auto* item = new QStandardItem(texts[column]);
        if (IsNumberColumn(column))
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    items[0]->setData(similar.record, Qt::UserRole);
    rows_->appendRow(items);
}

// Rows of a league no longer loaded say so before anything else.
void SimilarWindow::ShowNote(const QString& note) {
    const QString stale = QStringLiteral(
        "Of a league no longer loaded: choose Find Similar in the list again "
        "to see details or compare.");
    note_->setText(stale_ ? (note.isEmpty() ? stale : stale + QLatin1Char(' ') + note) : note);
    EnableCompare();
}

void SimilarWindow::EnableCompare() {
    const auto chosen = table_->selectionModel()->selectedRows().size();
    compare_->setEnabled(!stale_ && chosen >= 1 && chosen <= kMostCompared);
}

void SimilarWindow::RequestDetails(int row) {
    if (stale_ || row < 0 || row >= rows_->rowCount())
        return;
    emit detailsRequested(league_.RosterFileImage,
                          rows_->item(row, 0)->data(Qt::UserRole).value<std::int32_t>());
}

void SimilarWindow::RequestCompare() {
    QModelIndexList chosen = table_->selectionModel()->selectedRows();
    if (stale_ || chosen.isEmpty() || chosen.size() > kMostCompared)
        return;
    std::sort(chosen.begin(), chosen.end());
    std::vector<std::int32_t> records{player_};
    for (const QModelIndex& index : chosen)
        records.push_back(index.data(Qt::UserRole).value<std::int32_t>());
    emit compareRequested(league_.RosterFileImage, records);
}

// Enter on a row asks for its details, as a double-click does.
bool SimilarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guarded([this] { RequestDetails(table_->currentIndex().row()); })();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vantrel
