#include "gui/window/mainwindow.h"

#include "gui/common/guardedslot.h"
#include "gui/common/windowfont.h"
#include "gui/sidewindows/sidewindows.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/window/teamlistmodel.h"

#include "ui_criteriapanel.h"
#include "ui_goaliepage.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"
#include "ui_skaterpage.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTabBar>
#include <QTimer>

using vantrel::Guarded;

namespace {

// Design size of the client area below the menu bar, and the lowest it may get.
constexpr int kClientWidth = 738;
constexpr int kClientHeight = 608;
constexpr int kMinClientHeight = 595;
constexpr int kPagesTop = 264;
constexpr int kPagesBottomGap = 5;

// Widgets that Qt creates inside composite controls (scroll bars, the tab bar's arrows,
// the list's header) are not controls of the window: their states are Qt's own.
bool IsLeagueControl(const QWidget* widget, const QWidget* root) {
    if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_"))
        return false;
    for (const QWidget* w = widget->parentWidget(); w && w != root; w = w->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
            qobject_cast<const QTabBar*>(w))
            return false;
    }
    return !qobject_cast<const QTabBar*>(widget);
}

}  // namespace

VAvevadi::VAvevadi(QWidget* parent)
    : QMainWindow(parent),
      frameUi_(std::make_unique<Ui::VAvevadi>()),
      panelUi_(std::make_unique<Ui::CriteriaPanel>()),
      resultUi_(std::make_unique<Ui::ResultPage>()),
      skaterUi_(std::make_unique<Ui::SkaterPage>()),
      goalieUi_(std::make_unique<Ui::GoaliePage>()) {
    frameUi_->setupUi(this);
    sc_ = new QGroupBox(frameUi_->frame);
    panelUi_->setupUi(sc_);
    panelUi_->cbt->setModel(new vantrel::TeamListModel(panelUi_->cbt));
    sc_->setGeometry(1, 1, 732, 256);
    resultUi_->setupUi(frameUi_->TabSheet1);
    skaterUi_->setupUi(frameUi_->TabSheet2);
    goalieUi_->setupUi(frameUi_->TabSheet3);
    sc_->lower();
    vantrel::ApplyWindowFont(this);

    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedWidth(kClientWidth);
    setMinimumHeight(kMinClientHeight + menuHeight);
    resize(kClientWidth, kClientHeight + menuHeight);
    frameUi_->frame->installEventFilter(this);
    frameUi_->TabSheet1->installEventFilter(this);

    resultModel_ = new vantrel::ResultModel(this);
    resultUi_->found->setModel(resultModel_);

    od_ = new QFileDialog(this, QStringLiteral("select Team- or Rosterfile ..."));
    od_->setObjectName(QStringLiteral("od"));
    od_->setNameFilter(QStringLiteral("Team-/Roster-File (*.ros *.tms)"));
    od_->setFileMode(QFileDialog::AnyFile);  // a typed name that does not exist is accepted
    od_->setAcceptMode(QFileDialog::AcceptOpen);

    tim_ = new QTimer(this);
    tim_->setObjectName(QStringLiteral("tim"));
    tim_->setInterval(15);

    // Members start empty; the age labels show their bound forms from the start.
    UpdateAgeMin();
    UpdateAgeMax();
    frameUi_->pc->setCurrentWidget(frameUi_->TabSheet1);
    SetUpRatingCharts();

    ConnectHandlers();
    SetUpAccessibility();
}

VAvevadi::~VAvevadi() {
    ReleaseLeagueData();
}

void VAvevadi::AttachSideWindows(vantrel::Tlegende* legende, vantrel::Tfinfo* finfo,
                                 vantrel::Tabout* about) {
    legende_ = legende;
    finfo_ = finfo;
    about_ = about;
}

void VAvevadi::ConnectHandlers() {
    connect(frameUi_->Filesffnen1, &QAction::triggered, this,
            Guarded([this](bool) { Filesffnen1Click(); }));
    connect(frameUi_->beenden1, &QAction::triggered, this,
            Guarded([this](bool) { beenden1Click(); }));
    connect(frameUi_->FileInfos1, &QAction::triggered, this,
            Guarded([this](bool) { FileInfos1Click(); }));
    connect(frameUi_->SearchReport1, &QAction::triggered, this,
            Guarded([this](bool) { SearchReport1Click(); }));
    connect(frameUi_->ExportList1, &QAction::triggered, this,
            Guarded([this](bool) { ExportList1Click(); }));
    connect(frameUi_->CopyCriteria1, &QAction::triggered, this,
            Guarded([this](bool) { CopyCriteria1Click(); }));
    connect(frameUi_->PasteCriteria1, &QAction::triggered, this,
            Guarded([this](bool) { PasteCriteria1Click(); }));
    connect(frameUi_->Query1, &QAction::triggered, this, Guarded([this](bool) { Query1Click(); }));
    connect(frameUi_->SearchThresholdsOnChart1, &QAction::toggled, this,
            Guarded([this](bool shown) { SearchThresholdsOnChart1Click(shown); }));
    connect(frameUi_->CheckboxLegend1, &QAction::triggered, this,
            Guarded([this](bool) { SpeedButton1Click(); }));
    connect(panelUi_->SpeedButton1, &QToolButton::clicked, this,
            Guarded([this](bool) { SpeedButton1Click(); }));
    connect(frameUi_->AboutVantrelDizaruRezudoz1, &QAction::triggered, this,
            Guarded([this](bool) { AboutVantrelDizaruRezudoz1Click(); }));
    connect(tim_, &QTimer::timeout, this, Guarded([this](auto&&...) { timTimer(); }));
    ConnectPanelHandlers();
    ConnectResultHandlers();
    ConnectDesktopHandlers();
}

void VAvevadi::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring a minimised window is no new show of the form.
    if (!event->spontaneous())
        Guarded([this] { FormShow(); })();
}

void VAvevadi::FormShow() {
    frameUi_->pc->setTabVisible(frameUi_->pc->indexOf(frameUi_->TabSheet3), false);
    BindCriteriaControls();
    EnableLeagueControls();
}

bool VAvevadi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        (watched == frameUi_->frame || watched == frameUi_->TabSheet1))
        LayoutPages();
    if (watched == sc_ && event->type() == QEvent::KeyPress &&
        PanelKeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// The page control follows the window's height; on the result page the list grows with
// it and the "Details" button stays at the bottom edge.
void VAvevadi::LayoutPages() {
    QTabWidget* pc = frameUi_->pc;
    const int pagesHeight = frameUi_->frame->height() - kPagesTop - kPagesBottomGap;
    pc->setGeometry(2, kPagesTop, 731, std::max(pagesHeight, 120));
    const QWidget* page = frameUi_->TabSheet1;
    const int h = page->height();
    resultUi_->found->setGeometry(8, 22, page->width() - 16, std::max(h - 22 - 36, 40));
    resultUi_->Button1->move(8, h - 31);
}

QList<QWidget*> VAvevadi::LeagueControls() const {
    QList<QWidget*> controls{sc_, frameUi_->pc};
    for (QWidget* area : {static_cast<QWidget*>(sc_), static_cast<QWidget*>(frameUi_->pc)}) {
        for (QWidget* w : area->findChildren<QWidget*>()) {
            if (IsLeagueControl(w, area))
                controls.append(w);
        }
    }
    return controls;
}

void VAvevadi::EnableLeagueControls() {
    const bool enabled = league_.IsLoaded();
    // Only the window's own controls; the menu bar, the dialog and the timer stay as they are.
    for (QWidget* control : LeagueControls())
        control->setEnabled(enabled);
    UpdateFileInfo();
    MarkReportOfEarlierLeague();
}

void VAvevadi::UpdateFileInfo() {
    if (!finfo_)
        return;
    const std::int32_t figures[] = {league_.TeamFileSize, league_.RosterFileSize, league_.TeamCount,
                                    league_.PlayersPerTeam};
    for (int row = 0; row < 4; ++row) {
        finfo_->SetFigureText(
            row, figures[row] > 0 ? QString::number(figures[row]) : QStringLiteral("??"));
    }
}

void VAvevadi::Filesffnen1Click() {
    LoadLeague();
    EnableLeagueControls();
}

void VAvevadi::beenden1Click() {
    close();
}

void VAvevadi::FileInfos1Click() {
    if (finfo_)
        vantrel::ShowSideWindow(finfo_);
}

void VAvevadi::SpeedButton1Click() {
    if (legende_)
        vantrel::ShowSideWindow(legende_);
}

void VAvevadi::AboutVantrelDizaruRezudoz1Click() {
    if (about_)
        vantrel::ShowSideWindow(about_);
}
