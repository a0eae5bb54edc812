// What users of a desktop tool expect beyond the window's own controls: dropping a league
// file on the window and the standard shortcuts of the menu. (The list's own keys and
// menu are the ResultView's.)

#include "gui/window/mainwindow.h"

#include "gui/common/guardedslot.h"

#include "ui_mainwindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

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
    QMetaObject::invokeMethod(this, Guarded([this, file = *path] { OpenLeagueFile(file); }),
                              Qt::QueuedConnection);
}
