#include "gui/results/resultview.h"

#include "gui/common/guardedslot.h"
#include "gui/common/longwork.h"
#include "gui/results/clipboard.h"
#include "gui/results/resultcelldelegate.h"
#include "gui/results/resultmodel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace vantrel {

namespace {

// Compare and Find Similar: no standard key of any platform uses them.
const QKeySequence kCompareKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_M);
const QKeySequence kFindSimilarKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_L);

}  // namespace

ResultView::ResultView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setItemDelegate(new ResultCellDelegate(this));
    setTabKeyNavigation(false);
    setSortingEnabled(false);  // ordering goes through the window's header-click handler
    QHeaderView* rows = verticalHeader();
    rows->hide();
    // Fixed row heights keep the view's cost independent of the number of rows.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    FitRowHeight();
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);

    // The menu shows the copy keys; keyPressEvent is their one path (a shortcut would
    // need an active window, and the list's own Ctrl+C copies a single cell).
    copyAction_ = AddCopyAction(QStringLiteral("Copy"), QKeySequence::Copy, false);
    copyWithHeadersAction_ = AddCopyAction(QStringLiteral("Copy with Headers"),
                                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), true);
    // Each action does what it says however it is triggered: from the menu, by a key, or
    // by an accessibility client.
    detailsAction_ = new QAction(QStringLiteral("Details"), this);
    detailsAction_->setObjectName(QStringLiteral("Details1"));
    connect(detailsAction_, &QAction::triggered, this, [this] { emit detailsRequested(); });
    compareAction_ = AddRowsAction(QStringLiteral("Compare"), "Compare1", kCompareKeys);
    connect(compareAction_, &QAction::triggered, this, [this] { emit compareRequested(); });
    findSimilarAction_ =
        AddRowsAction(QStringLiteral("Find Similar"), "FindSimilar1", kFindSimilarKeys);
    connect(findSimilarAction_, &QAction::triggered, this, [this] { emit similarRequested(); });
}

// An action on the selected rows whose keys work on the list (see keyPressEvent).
QAction* ResultView::AddRowsAction(const QString& text, const char* objectName,
                                   const QKeySequence& keys) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

QAction* ResultView::AddCopyAction(const QString& text, const QKeySequence& keys,
                                   bool withHeaders) {
    auto* action = new QAction(text, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this,
            Guarded([this, withHeaders](bool) { CopySelectedRows(withHeaders); }));
    return action;
}

void ResultView::FitRowHeight() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 3);
}

void ResultView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    // The window's font arrives after the list is made.
    if (event->type() == QEvent::FontChange)
        FitRowHeight();
}

void ResultView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    FitColumnWidths(0, model->columnCount() - 1);
    // A column that comes and goes (the season's change) gets its width when it comes.
    connect(model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int first, int last) { FitColumnWidths(first, last); });
}

void ResultView::FitColumnWidths(int first, int last) {
    const auto* rows = qobject_cast<const ResultModel*>(model());
    for (int column = first; rows && column <= last; ++column)
        horizontalHeader()->resizeSection(column, rows->ColumnWidth(column));
}

QList<int> ResultView::SelectedRows() const {
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int ResultView::SelectedRowCount() const {
    if (!selectionModel())
        return 0;
    // One interval per selection range (not per row), merged where they overlap.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    int count = 0;
    int coveredTo = -1;
    for (const auto& [top, bottom] : ranges) {
        count += std::max(0, bottom - std::max(top, coveredTo + 1) + 1);
        coveredTo = std::max(coveredTo, bottom);
    }
    return count;
}

int ResultView::FirstSelectedRow() const {
    int first = -1;
    if (!selectionModel())
        return first;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (first < 0 || range.top() < first)
            first = range.top();
    }
    return first;
}

void ResultView::CopySelectedRows(bool withHeaders) {
    const auto* results = qobject_cast<const ResultModel*>(model());
    const int count = SelectedRowCount();  // counted without a list of the rows
    if (!results || count == 0)
        return;
    try {
        const QList<int> rows = SelectedRows();
        ClipboardTexts texts;
        bool made = false;
        const LongWork copying{.doing = QStringLiteral("Copying %1 players\u2026"),
                               .rows = count,
                               .steps = 2 * std::int64_t{count},
                               .cancellable = true};
        RunLongWork(window(), copying, [&](WorkProgress& progress) {
            made = MakeClipboardTexts(*results, rows, withHeaders, progress.Reporter(), texts);
        });
        if (made)  // a cancelled copy leaves the clipboard as it was
            QApplication::clipboard()->setMimeData(ClipboardData(texts));
    } catch (const std::bad_alloc&) {
        ShowOutOfMemory(QStringLiteral("copy"), count);  // the clipboard keeps its text
    }
}

void ResultView::keyPressEvent(QKeyEvent* event) {
    const bool withHeaders = event->key() == Qt::Key_C &&
                             event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    if (event->matches(QKeySequence::Copy) || withHeaders)
        Guarded([this, withHeaders] { CopySelectedRows(withHeaders); })();
    else if (QKeySequence(event->keyCombination()) == kCompareKeys)
        compareAction_->trigger();
    else if (QKeySequence(event->keyCombination()) == kFindSimilarKeys)
        findSimilarAction_->trigger();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit detailsRequested();
    else
        QTableView::keyPressEvent(event);
}

void ResultView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit detailsRequested();
}

void ResultView::contextMenuEvent(QContextMenuEvent* event) {
    const bool hasSelection = selectionModel() && selectionModel()->hasSelection();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("foundMenu"));
    for (QAction* action : {copyAction_, copyWithHeadersAction_}) {
        action->setEnabled(hasSelection);
        menu.addAction(action);
    }
    menu.addSeparator();
    for (QAction* action : {detailsAction_, compareAction_, findSimilarAction_}) {
        action->setEnabled(hasSelection);
        menu.addAction(action);
    }
    // The chosen action triggers itself; outside the menu every action stays usable.
    menu.exec(event->globalPos());
    for (QAction* action :
         {copyAction_, copyWithHeadersAction_, detailsAction_, compareAction_, findSimilarAction_})
        action->setEnabled(true);
}

}  // namespace vantrel
