#include "gui/features/exportfeature.h"

#include "gui/common/guardedslot.h"
#include "gui/features/listexport.h"
#include "gui/features/menuaction.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>

namespace vantrel {

ExportFeature::ExportFeature(WindowFace& face) : QObject(&face), face_(face) {
    QMenu* file = face.Menu("Datei1");
    QAction* separator = face.Window()->findChild<QAction*>(QStringLiteral("N1"));
    QAction* action = AddMenuAction(file, "ExportList1", QStringLiteral("Export List..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_E), separator);
    connect(action, &QAction::triggered, this, Guarded([this](bool) { Export(); }));
}

void ExportFeature::Export() {
    if (!sd_) {
        sd_ = new QFileDialog(face_.Window(), QStringLiteral("Export List"));
        sd_->setObjectName(QStringLiteral("sd"));
        sd_->setNameFilter(QStringLiteral("CSV files (*.csv)"));
        sd_->setAcceptMode(QFileDialog::AcceptSave);
        sd_->setDefaultSuffix(QStringLiteral("csv"));  // added to a name without a suffix
        sd_->setOption(QFileDialog::DontUseNativeDialog);
    }
    if (sd_->exec() != QDialog::Accepted || sd_->selectedFiles().isEmpty())
        return;
    const QString failure = ExportRows(*face_.List(), *face_.Rows(), face_.LeagueFiles(),
                                       sd_->selectedFiles().constFirst());
    if (!failure.isEmpty())
        ShowErrorBox(QStringLiteral("Export List"), failure, QStringLiteral("exportError"));
}

}  // namespace vantrel
