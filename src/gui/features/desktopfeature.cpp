#include "gui/features/desktopfeature.h"

#include "gui/common/guardedslot.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace vantrel {

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

DesktopFeature::DesktopFeature(WindowFace& face) : QObject(&face), face_(face) {
    QMainWindow* window = face.Window();
    window->findChild<QAction*>(QStringLiteral("Filesffnen1"))->setShortcut(QKeySequence::Open);
    window->findChild<QAction*>(QStringLiteral("beenden1"))->setShortcut(QKeySequence::Quit);
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool DesktopFeature::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (DroppedFile(enter->mimeData()))
            enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (const std::optional<QString> path = DroppedFile(drop->mimeData())) {
            drop->acceptProposedAction();
            // Loaded once the drop has ended, so that a message box does not stand inside it.
            QMetaObject::invokeMethod(this,
                                      Guarded([this, file = *path] { face_.OpenLeagueFile(file); }),
                                      Qt::QueuedConnection);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrel
