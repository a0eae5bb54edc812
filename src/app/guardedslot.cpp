#include "app/guardedslot.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace vantrel {

void ShowHandlerError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                    QMessageBox::Ok);
    box.setObjectName("handlerError");
    box.exec();
}

void ShowHandlerError(const std::exception& error) {
    ShowHandlerError(QString::fromUtf8(error.what()));
}

}  // namespace vantrel
