// What users of a desktop list tool expect beyond the window's own controls: copying
// result rows, a context menu on the list, Enter on a row, dropping a league file on the
// window, the standard shortcuts and a busy cursor during long work.

#include "app/mainwindow.h"

#include "app/guardedslot.h"
#include "results/clipboard.h"
#include "results/resultmodel.h"

#include "ui_mainwindow.h"
#include "ui_resultpage.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

#include <algorithm>
#include <optional>

using vantrel::Guarded;

namespace {

// A dropped league: exactly one local file; anything else is refused without a word.
std::optional<QString> DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return std::nullopt;
    return urls.constFirst().toLocalFile();
}

}  // namespace

void VAvevadi::ConnectDesktopHandlers() {
    frameUi_->Filesffnen1->setShortcut(QKeySequence::Open);
    frameUi_->beenden1->setShortcut(QKeySequence::Quit);
    setAcceptDrops(true);

    QTableView* found = resultUi_->found;
    auto addListAction = [&](const QString& text, const QKeySequence& keys, auto handler) {
        auto* action = new QAction(text, found);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, Guarded([handler](bool) { handler(); }));
        found->addAction(action);
        return action;
    };
    copyAction_ = addListAction(QStringLiteral("Copy"), QKeySequence::Copy,
                                [this] { CopySelectedRows(false); });
    copyWithHeadersAction_ = addListAction(QStringLiteral("Copy with Headers"),
                                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                                           [this] { CopySelectedRows(true); });
    found->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(found, &QWidget::customContextMenuRequested, this,
            Guarded([this](const QPoint& at) { ShowListMenu(at); }));
    found->installEventFilter(this);
}

QList<int> VAvevadi::SelectedRowsInDisplayOrder() const {
    QList<int> rows;
    for (const QItemSelectionRange& range : resultUi_->found->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void VAvevadi::CopySelectedRows(bool withHeaders) {
    const QList<int> rows = SelectedRowsInDisplayOrder();
    if (rows.isEmpty())
        return;
    QApplication::clipboard()->setMimeData(
        vantrel::RowsAsMimeData(*resultModel_, rows, withHeaders));
}

void VAvevadi::ShowListMenu(const QPoint& at) {
    QTableView* found = resultUi_->found;
    const bool hasSelection = found->selectionModel()->hasSelection();
    QMenu menu(found);
    menu.setObjectName(QStringLiteral("foundMenu"));
    for (QAction* action : {copyAction_, copyWithHeadersAction_}) {
        action->setEnabled(hasSelection);
        menu.addAction(action);
    }
    menu.addSeparator();
    QAction* details = menu.addAction(QStringLiteral("Details"));
    details->setEnabled(hasSelection);
    if (menu.exec(found->viewport()->mapToGlobal(at)) == details)
        ShowPlayerDetails();
    for (QAction* action : {copyAction_, copyWithHeadersAction_})
        action->setEnabled(true);
}

bool VAvevadi::ListKeyPress(QKeyEvent* event) {
    // The list's own Ctrl+C would copy a single cell; whole rows are what users want.
    if (event->matches(QKeySequence::Copy)) {
        Guarded([this] { CopySelectedRows(false); })();
        return true;
    }
    if (event->key() == Qt::Key_C &&
        event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
        Guarded([this] { CopySelectedRows(true); })();
        return true;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    Guarded([this] { ShowPlayerDetails(); })();
    return true;
}

void VAvevadi::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void VAvevadi::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedFile(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    // Loaded once the drop has ended, so that a message box does not stand inside it.
    QMetaObject::invokeMethod(this, Guarded([this, file = *path] {
                                  LoadLeagueFrom(file);
                                  EnableLeagueControls();
                              }),
                              Qt::QueuedConnection);
}
