#pragma once

// The main window: the criteria panel on top, the result and details pages below. It
// owns the loaded league, the panel's values and the handlers of its own controls; the
// features beyond them (gui/features/) see it only through its WindowFace. Definitions
// live beside this header, one file per theme: mainwindow.cpp (frame, menu, enabled
// states), mainwindow_loading.cpp, mainwindow_panel.cpp, mainwindow_search.cpp,
// mainwindow_details.cpp (details pages, ordering of the list) and mainwindow_charts.cpp.

#include "core/eval/leaguerank.h"
#include "core/league/leaguedata.h"
#include "gui/window/panelcontrols.h"
#include "gui/window/windowface.h"

#include <QMainWindow>
#include <QStringList>

#include <cstdint>
#include <memory>

class QFileDialog;
class QGroupBox;
class QTimer;

namespace Ui {
class VAvevadi;
class CriteriaPanel;
class ResultPage;
class SkaterPage;
class GoaliePage;
}  // namespace Ui

namespace vantrel {

class ResultModel;
class BarChart3D;
class BarSeries3D;
class Tlegende;
class Tfinfo;
class Tabout;

class VAvevadi : public QMainWindow {
    Q_OBJECT

  public:
    explicit VAvevadi(QWidget* parent = nullptr);
    ~VAvevadi() override;  // FormDestroy

    // The side windows are created after the main window; the start-up hands them over.
    void AttachSideWindows(Tlegende* legende, Tfinfo* finfo, Tabout* about);
    WindowFace& Face() { return *face_; }

    // --- application shell
    void FormShow();
    void EnableLeagueControls();
    void UpdateFileInfo();
    void Filesffnen1Click();
    void beenden1Click();
    void FileInfos1Click();
    void SpeedButton1Click();
    void AboutVantrelDizaruRezudoz1Click();

    // --- league loading
    void LoadLeague();
    // The load sequence after the dialog, for the chosen path.
    void LoadLeagueFrom(const QString& chosen);
    // A league opened without the dialog: the load sequence, then the enabled states.
    void OpenLeagueFile(const QString& file);
    bool ReadTeamFile(const QString& path);
    bool ReadRosterFile(const QString& path);
    void FillTeamList();
    void ReleaseTeamData();
    void ReleaseRosterData();
    void ReleaseLeagueData();
    void ShowLeagueAverage();
    const LeagueData& League() const { return league_; }

    // --- criteria panel
    void UpdateAgeMin();
    void UpdateAgeMax();
    void tbminChange();
    void tbmaxChange();
    void BindCriteriaControls();
    void tbx1Change(QObject* sender);
    void tballChange();
    void Edit6Change(QObject* sender);
    void Button3Click();

    // --- search run, ordering, details and charts
    void Button2Click();
    void foundColumnClick(int column);
    // A column that comes or goes at `first` or before the sorted one: the list stands
    // sorted by no column it could name, so the next click sorts afresh.
    void ForgetSortFrom(int first);
    void foundDblClick();
    void Button1Click();
    void ShowPlayerDetails();
    void FillRatingCharts(const std::uint8_t* record);
    void timTimer();

    std::int32_t SalaryMin = 0;
    std::int32_t SalaryMax = 0;
    CriteriaControlRefs CriteriaControls;
    double AnimationAngle = 0;
    int SortKey = 0;  // signed 1-based sort column of the result list, 0 = record order

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class WindowFace;

    void ConnectHandlers();
    void ShowRecordDetails(const SharedImage& source, std::int32_t recordIndex);

    std::unique_ptr<Ui::VAvevadi> frameUi_;
    std::unique_ptr<Ui::CriteriaPanel> panelUi_;
    std::unique_ptr<Ui::ResultPage> resultUi_;
    std::unique_ptr<Ui::SkaterPage> skaterUi_;
    std::unique_ptr<Ui::GoaliePage> goalieUi_;
    QGroupBox* sc_ = nullptr;
    WindowFace* face_ = nullptr;

    LeagueData league_;
    LeagueRanks ranks_;
    QStringList leagueFiles_;  // both files of the last successful load, canonical
    LastSearch lastSearch_;
    ResultModel* resultModel_ = nullptr;
    QFileDialog* od_ = nullptr;
    QTimer* tim_ = nullptr;
    BarChart3D* ch_ = nullptr;
    BarChart3D* chart1_ = nullptr;
    BarSeries3D* series1_ = nullptr;
    BarSeries3D* barSeries1_ = nullptr;

    Tlegende* legende_ = nullptr;
    Tfinfo* finfo_ = nullptr;
    Tabout* about_ = nullptr;
};

}  // namespace vantrel
