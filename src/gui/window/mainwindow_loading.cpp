// Loading a league: the open dialog, both files of one base name read whole, the
// geometry from the two sizes, the team list and the league average.

#include "gui/window/mainwindow.h"

#include "core/eval/overall.h"
#include "core/league/records.h"
#include "gui/common/busycursor.h"
#include "gui/common/guardedslot.h"
#include "gui/common/displaytext.h"

#include "ui_criteriapanel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardItemModel>

namespace {

void ShowLoadError(const QString& text) {
    vantrel::ShowErrorBox(QStringLiteral("Fehler"), text, QStringLiteral("loadError"));
}

}  // namespace

void VAvevadi::ReleaseTeamData() {
    panelUi_->cbt->clear();
    league_.ReleaseTeamImage();
}

void VAvevadi::ReleaseRosterData() {
    league_.ReleaseRosterImage();
}

void VAvevadi::ReleaseLeagueData() {
    ReleaseRosterData();
    ReleaseTeamData();
}

bool VAvevadi::ReadTeamFile(const QString& path) {
    ReleaseTeamData();
    return league_.ReadTeamImage(vantrel::FileSystemPath(path));
}

bool VAvevadi::ReadRosterFile(const QString& path) {
    ReleaseRosterData();
    return league_.ReadRosterImage(vantrel::FileSystemPath(path));
}

void VAvevadi::FillTeamList() {
    QComboBox* cbt = panelUi_->cbt;
    // The whole list goes into the box's model in one insertion: item by item, a league
    // of a hundred thousand teams spends most of its load on the box's updates.
    QList<QStandardItem*> items;
    try {
        items.reserve(league_.TeamCount + 1);
        items.append(new QStandardItem(QStringLiteral("<All>")));
        for (std::int32_t i = 0; i < league_.TeamCount; ++i) {
            const std::uint8_t* bytes = league_.TeamAt(i);
            if (!bytes)
                continue;
            const vantrel::TeamRecord team(bytes);
            if (team.FirstByte() == 0)
                continue;
            const std::string_view name = team.Name();
            if (name.size() < 2)
                continue;
            items.append(new QStandardItem(vantrel::DecodeText(name)));
            items.back()->setData(QVariant(static_cast<int>(i)), Qt::UserRole);
        }
    } catch (...) {
        qDeleteAll(items);
        throw;
    }
    // The box keeps the QStandardItemModel it was made with.
    qobject_cast<QStandardItemModel*>(cbt->model())->invisibleRootItem()->appendRows(items);
    cbt->setCurrentIndex(0);
}

void VAvevadi::ShowLeagueAverage() {
    ranks_ = vantrel::LeagueRanks();
    vantrel::LeagueRanks ranks;
    const double average = vantrel::LeagueAverageOverall(league_, &ranks);
    ranks_ = ranks;
    panelUi_->avgov->setText(QString::fromStdString(
        vantrel::LeagueAverageText(average, vantrel::LocaleDecimalSeparator())));
}

void VAvevadi::LoadLeague() {
    if (od_->exec() != QDialog::Accepted || od_->selectedFiles().isEmpty())
        return;
    LoadLeagueFrom(od_->selectedFiles().constFirst());
}

void VAvevadi::OpenLeagueFile(const QString& file) {
    LoadLeagueFrom(file);
    EnableLeagueControls();
}

void VAvevadi::LoadLeagueFrom(const QString& chosen) {
    const vantrel::BusyCursor busy;
    panelUi_->avgov->setText(QStringLiteral("0"));
    // The base name ends at the last "." of the whole path, folder names included.
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        ShowLoadError(QStringLiteral("Es trat ein Fehler beim Lesen der Dateien auf!"));
        return;
    }
    const QString base = chosen.left(dot);
    if (!ReadTeamFile(base + QStringLiteral(".tms"))) {
        ShowLoadError(QStringLiteral("Es trat ein Fehler beim Lesen der Team-Datei auf!"));
        return;
    }
    if (!ReadRosterFile(base + QStringLiteral(".ros"))) {
        ShowLoadError(QStringLiteral("Es trat ein Fehler beim Lesen der Rooster-Datei auf!"));
        return;
    }
    if (league_.ComputeGeometry() != vantrel::GeometryResult::kOk) {
        ShowLoadError(QString::fromUtf8(
            "Es trat ein Fehler beim Berechnen der relevanten Eintragsgrößen auf...!"));
        return;
    }
    FillTeamList();
    ShowLeagueAverage();
    leagueFiles_ = {QFileInfo(base + QStringLiteral(".tms")).canonicalFilePath(),
                    QFileInfo(base + QStringLiteral(".ros")).canonicalFilePath()};
}
