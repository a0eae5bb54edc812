#include "gui/common/guardedslot.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace vantrel {

void ShowErrorBox(const QString& caption, const QString& text, const QString& objectName) {
    // No owner window: the box stands on its own.
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setObjectName(objectName);
    box.exec();
}

void ShowOutOfMemory(const QString& verb, long long players) {
    ShowErrorBox(QApplication::applicationDisplayName(),
                 QStringLiteral("Not enough memory to %1 %2 players.").arg(verb).arg(players),
                 QStringLiteral("outOfMemory"));
}

void ShowHandlerError(const QString& message) {
    ShowErrorBox(QApplication::applicationDisplayName(), message, QStringLiteral("handlerError"));
}

void ShowHandlerError(const std::exception& error) {
    ShowHandlerError(QString::fromUtf8(error.what()));
}

}  // namespace vantrel
