#include "gui/sidewindows/searchreportwindow.h"

#include "gui/common/guardedslot.h"
#include "gui/common/windowfont.h"
#include "gui/sidewindows/nearmissmodel.h"

#include "ui_searchreport.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>

namespace vantrel {

namespace {

enum CriteriaColumn { kWhat, kFailing, kFailingOnly, kRelax, kCriteriaColumns };

QTableWidgetItem* NumberItem(std::int64_t value) {
    auto* item = new QTableWidgetItem(QString::number(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

SearchReportWindow::SearchReportWindow(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::SearchReport>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);  // never keeps the program running
    ApplyWindowFont(this);

    const int rowHeight = fontMetrics().height() + 8;
    QTableWidget* table = ui_->criteriaTable;
    table->setColumnCount(kCriteriaColumns);
    table->setHorizontalHeaderLabels({"Criterion", "Fail it", "Fail only it", ""});
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->horizontalHeader()->setSectionResizeMode(kWhat, QHeaderView::Stretch);
    table->setWordWrap(false);

    misses_ = new NearMissModel(this);
    QTableView* view = ui_->missesView;
    view->setModel(misses_);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(rowHeight - 4);
    view->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {140, 90, 40, 130};
    for (int column = 0; column < 4; ++column)
        view->horizontalHeader()->resizeSection(column, widths[column]);
    view->setSortingEnabled(true);
    // Nearest first until a header is clicked; then the arrow shows the order.
    view->horizontalHeader()->setSortIndicatorShown(false);
    connect(view->horizontalHeader(), &QHeaderView::sectionClicked, view->horizontalHeader(),
            [header = view->horizontalHeader()](int) { header->setSortIndicatorShown(true); });
    connect(view, &QTableView::doubleClicked, this,
            Guarded([this](const QModelIndex& index) { RequestDetails(index.row()); }));
    view->installEventFilter(this);
    ShowMessage(QStringLiteral("No search yet: the report explains the last search."));
}

SearchReportWindow::~SearchReportWindow() = default;

void SearchReportWindow::ShowMessage(const QString& text) {
    summary_ = text;
    ui_->summary->setText(text);
    FillCriteria({});
    ui_->criteriaTable->hide();
    ui_->missesLabel->hide();
    ui_->missesView->hide();
    misses_->SetRows({}, {});
}

QString NearMissHeading(std::int64_t total, std::int64_t shown) {
    return shown == total
               ? QStringLiteral("Near misses, failing exactly one criterion: %1").arg(shown)
               : QStringLiteral(
                     "Near misses, failing exactly one criterion: %1 (the first %2 "
                     "shown)")
                     .arg(total)
                     .arg(shown);
}

void SearchReportWindow::ShowContent(ReportContent content) {
    summary_ = content.summary;
    ui_->summary->setText(summary_);
    FillCriteria(content.criteria);
    const auto shown = static_cast<std::int64_t>(content.misses.size());
    ui_->missesLabel->setText(NearMissHeading(content.missTotal, shown));
    ui_->missesView->horizontalHeader()->setSortIndicatorShown(false);
    misses_->SetRows(std::move(content.misses), std::move(content.words));
    for (QWidget* part :
         {static_cast<QWidget*>(ui_->criteriaTable), static_cast<QWidget*>(ui_->missesLabel),
          static_cast<QWidget*>(ui_->missesView)})
        part->show();
}

void SearchReportWindow::MarkStale() {
    ui_->summary->setText(
        QStringLiteral("Of a league no longer loaded (search again to renew it). ") + summary_);
}

void SearchReportWindow::FillCriteria(const std::vector<ReportCriterionRow>& rows) {
    QTableWidget* table = ui_->criteriaTable;
    table->clearContents();
    if (rows.empty()) {
        table->setRowCount(1);
        table->setItem(0, kWhat,
                       new QTableWidgetItem(
                           QStringLiteral("Nothing is filtered: every named player is listed.")));
        return;
    }
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const ReportCriterionRow& row = rows[static_cast<std::size_t>(r)];
        table->setItem(r, kWhat, new QTableWidgetItem(row.text));
        table->setItem(r, kFailing, NumberItem(row.failing));
        table->setItem(r, kFailingOnly, NumberItem(row.failingOnly));
        auto* relax = new QPushButton(QStringLiteral("Relax"));
        relax->setObjectName(QStringLiteral("relax%1").arg(row.criterion));
        relax->setAccessibleName(QStringLiteral("Relax ") + row.text);
        relax->setToolTip(
            QStringLiteral("Set this criterion to its neutral state and search "
                           "again"));
        connect(
            relax, &QPushButton::clicked, this,
            Guarded([this, criterion = row.criterion](bool) { emit relaxRequested(criterion); }));
        table->setCellWidget(r, kRelax, relax);
    }
    for (int column : {kFailing, kFailingOnly, kRelax})
        table->resizeColumnToContents(column);
}

std::int32_t SearchReportWindow::RecordAtRow(int row) const {
    const NearMissRow* miss = misses_->RowAt(row);
    return miss ? miss->record : -1;
}

void SearchReportWindow::RequestDetails(int row) {
    const std::int32_t record = RecordAtRow(row);
    if (record >= 0)
        emit detailsRequested(record);
}

bool SearchReportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->missesView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guarded([this] { RequestDetails(ui_->missesView->currentIndex().row()); })();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vantrel
