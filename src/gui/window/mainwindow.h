#pragma once

// The main window: the criteria panel on top, the result and details pages below. It
// owns the loaded league and all other program state. Handlers keep the names of the
// controls that raise them; their definitions live beside this header, one file per
// theme: mainwindow.cpp (frame, menu, enabled states), mainwindow_loading.cpp,
// mainwindow_panel.cpp, mainwindow_search.cpp, mainwindow_ordering.cpp,
// mainwindow_details.cpp, mainwindow_charts.cpp, mainwindow_desktop.cpp (drops, shortcuts),
// mainwindow_report.cpp (search report), mainwindow_compare.cpp (compare window),
// mainwindow_export.cpp (the list as a CSV file), mainwindow_accessibility.cpp.

#include "core/eval/leaguerank.h"
#include "core/league/leaguedata.h"
#include "core/search/criteriatext.h"
#include "core/search/playerfilter.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QKeyEvent;
class QDragEnterEvent;
class QDropEvent;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSaveFile;
class QSlider;
class QTabWidget;
class QTimer;
class QToolButton;

namespace Ui {
class VAvevadi;
class CriteriaPanel;
class ResultPage;
class SkaterPage;
class GoaliePage;
}  // namespace Ui

namespace vantrel {
class PlayerRecord;
class ResultModel;
class BarChart3D;
class BarSeries3D;
class Tlegende;
class Tfinfo;
class Tabout;
class SearchReportWindow;
class CompareWindow;
struct ComparePlayer;
}  // namespace vantrel

class VAvevadi : public QMainWindow {
    Q_OBJECT

  public:
    explicit VAvevadi(QWidget* parent = nullptr);
    ~VAvevadi() override;  // FormDestroy

    // The side windows are created after the main window; the start-up hands them over.
    void AttachSideWindows(vantrel::Tlegende* legende, vantrel::Tfinfo* finfo,
                           vantrel::Tabout* about);

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
    // The load sequence after the dialog, for the chosen path (also a dropped file).
    void LoadLeagueFrom(const QString& chosen);
    // A league opened without the dialog (a dropped file, the command line): the load
    // sequence, then the enabled states, as after a dialog choice.
    void OpenLeagueFile(const QString& file);
    bool ReadTeamFile(const QString& path);
    bool ReadRosterFile(const QString& path);
    void FillTeamList();
    void ReleaseTeamData();
    void ReleaseRosterData();
    void ReleaseLeagueData();
    void ShowLeagueAverage();

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
    // The panel's criteria as one value, taken once per search.
    vantrel::SearchCriteria CurrentCriteria() const;

    // --- search run
    void Button2Click();
    // The matches listed, with their count; false when their rows found no memory.
    bool ListMatches(const vantrel::PlayerFilter& filter);

    // --- search report (a side window beside the file statistics)
    void AttachReportWindow(vantrel::SearchReportWindow* report);
    void SearchReport1Click();
    void RelaxCriterion(int criterion);
    void ShowNearMissDetails(std::int32_t recordIndex);

    // --- comparing the selected players (a side window)
    void AttachCompareWindow(vantrel::CompareWindow* compare);
    void CompareSelectedRows();
    // The league's ranks of the ratings, built at every load with the league average.
    const vantrel::LeagueRanks& Ranks() const { return ranks_; }

    // --- criteria as text: Edit -> Copy Criteria, Paste Criteria, Query... (Ctrl+L)
    void CopyCriteria1Click();
    void PasteCriteria1Click();
    void Query1Click();
    vantrel::PanelState PanelStateNow();
    void ApplyPanelState(const vantrel::PanelState& state);
    bool ApplyCriteriaText(const QString& text);

    // --- accessible names and descriptions (mainwindow_accessibility.cpp)
    void SetUpAccessibility();
    void UpdateRatingAccessibility(int i);
    void UpdateAgeAccessibility();
    void UpdateListAccessibility();
    void UpdateDetailsAccessibility();

    // --- File -> Export List... (Ctrl+E): the list's rows as a CSV file
    void ExportList1Click();
    // Writes the rows the export takes to path: the empty text on success, else the reason.
    QString ExportRowsTo(const QString& path);
    // The header and the rows (the selected ones, or the first count) into file; false
    // when the file refused bytes.
    bool WriteCsvRows(QSaveFile& file, const QList<int>* selected, int count);

    // --- result list ordering, details and charts
    void foundColumnClick(int column);
    // Reverses or sorts the rows; false (the order unchanged) when that found no memory.
    bool OrderRows(bool reverse, int sortKey);
    void foundDblClick();
    void Button1Click();
    void ShowPlayerDetails();
    void FillRatingCharts(const std::uint8_t* record);
    // "View" -> "Search Thresholds on Chart": the panel's rating bounds on both charts.
    void SearchThresholdsOnChart1Click(bool shown);
    void timTimer();

    const vantrel::LeagueData& League() const { return league_; }
    std::int32_t SalaryMin = 0;
    int SortKey = 0;  // signed 1-based sort column of the result list, 0 = record order
    std::int32_t SalaryMax = 0;
    double AnimationAngle = 0;

    struct CriteriaControlRefs {
        std::array<QCheckBox*, 14> checkBoxes{};
        std::array<QSlider*, 14> trackBars{};
        std::array<QLabel*, 14> valueLabels{};
    };
    CriteriaControlRefs CriteriaControls;

  protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ConnectHandlers();
    void ConnectPanelHandlers();
    void ConnectResultHandlers();
    void LayoutPages();
    void SetUpRatingCharts();
    bool PanelKeyPress(QKeyEvent* event);
    void ConnectDesktopHandlers();
    QList<QWidget*> LeagueControls() const;
    void RememberSearch(const vantrel::SearchCriteria& criteria);
    void RefreshReport();
    void MarkReportOfEarlierLeague();
    void ShowRecordDetails(const vantrel::SharedImage& source, std::int32_t recordIndex);

    // The steps of ShowPlayerDetails.
    struct PlayerAndTeam {
        const std::uint8_t* player;
        const std::uint8_t* team;
    };
    PlayerAndTeam DetailsRecords(const vantrel::SharedImage& source,
                                 std::int32_t recordIndex) const;
    void ShowDetailsPage(bool goalie);
    void FillSkaterLabels(const vantrel::PlayerRecord& player, const QString& position);
    void FillGoalieLabels(const vantrel::PlayerRecord& player, const QString& name,
                          const QString& position);

    std::unique_ptr<Ui::VAvevadi> frameUi_;
    std::unique_ptr<Ui::CriteriaPanel> panelUi_;
    std::unique_ptr<Ui::ResultPage> resultUi_;
    std::unique_ptr<Ui::SkaterPage> skaterUi_;
    std::unique_ptr<Ui::GoaliePage> goalieUi_;

    vantrel::LeagueData league_;
    vantrel::LeagueRanks ranks_;
    vantrel::CompareWindow* compare_ = nullptr;
    vantrel::ResultModel* resultModel_ = nullptr;
    QFileDialog* od_ = nullptr;
    QFileDialog* sd_ = nullptr;  // the export's save dialog, made at its first use
    // Both files of the last successful load, canonical: the export never replaces them.
    QStringList leagueFiles_;
    // The details pages' value labels with the spoken words of their captions, found once.
    std::vector<std::pair<QLabel*, QString>> detailsCaptions_;
    QTimer* tim_ = nullptr;
    vantrel::BarChart3D* ch_ = nullptr;
    vantrel::BarChart3D* chart1_ = nullptr;
    vantrel::BarSeries3D* series1_ = nullptr;
    vantrel::BarSeries3D* barSeries1_ = nullptr;
    QGroupBox* sc_ = nullptr;

    vantrel::Tlegende* legende_ = nullptr;
    vantrel::Tfinfo* finfo_ = nullptr;
    vantrel::Tabout* about_ = nullptr;
    vantrel::SearchReportWindow* report_ = nullptr;

    // What the search report explains: the criteria and images of the last search.
    struct LastSearch {
        bool done = false;
        vantrel::SearchCriteria criteria;
        vantrel::SharedImage roster;
        vantrel::SharedImage teams;
        std::int32_t teamStride = 0;
        std::int32_t playerCount = 0;
    };
    LastSearch lastSearch_;
};
