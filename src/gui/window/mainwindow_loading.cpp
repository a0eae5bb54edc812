// Loading a league: the open dialog, both files of one base name read whole, the
// geometry from the two sizes, the team list and the league average.

#include "gui/window/mainwindow.h"
#include "gui/window/teamlistmodel.h"

#include "core/eval/overall.h"
#include "gui/common/busycursor.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/common/loadmessages.h"

#include "ui_criteriapanel.h"

#include <QFileDialog>
#include <QFileInfo>

namespace vantrel {

namespace {

void ShowLoadError(const QString& text) {
    ShowErrorBox(QStringLiteral("Fehler"), text, QStringLiteral("loadError"));
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

// The reads release the images they replace; the team box lets its image go first, so
// that the read can reuse the image's memory.
bool VAvevadi::ReadTeamFile(const QString& path) {
    panelUi_->cbt->clear();
    return league_.ReadTeamImage(FileSystemPath(path));
}

bool VAvevadi::ReadRosterFile(const QString& path) {
    return league_.ReadRosterImage(FileSystemPath(path));
}

void VAvevadi::FillTeamList() {
    QComboBox* cbt = panelUi_->cbt;
    // The box keeps the team list model it was given when the window was made.
    qobject_cast<TeamListModel*>(cbt->model())->Fill(league_.TeamFileImage, league_.TeamCount);
    cbt->setCurrentIndex(0);
}

void VAvevadi::ShowLeagueAverage() {
    ranks_ = LeagueRanks();
    LeagueRanks ranks;
    const double average = LeagueAverageOverall(league_, &ranks);
    ranks_ = ranks;
    panelUi_->avgov->setText(
        QString::fromStdString(LeagueAverageText(average, LocaleDecimalSeparator())));
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
    const BusyCursor busy;
    panelUi_->avgov->setText(QStringLiteral("0"));
    const std::optional<QString> baseName = LeagueBaseName(chosen);
    if (!baseName) {
        ShowLoadError(NoBaseNameMessage());
        return;
    }
    const QString& base = *baseName;
    if (!ReadTeamFile(base + QStringLiteral(".tms"))) {
        ShowLoadError(TeamFileMessage());
        return;
    }
    if (!ReadRosterFile(base + QStringLiteral(".ros"))) {
        ShowLoadError(RosterFileMessage());
        return;
    }
    if (league_.ComputeGeometry() != GeometryResult::kOk) {
        ShowLoadError(GeometryMessage());
        return;
    }
    FillTeamList();
    ShowLeagueAverage();
    leagueFiles_ = {QFileInfo(base + QStringLiteral(".tms")).canonicalFilePath(),
                    QFileInfo(base + QStringLiteral(".ros")).canonicalFilePath()};
}

}  // namespace vantrel
