#include "gui/window/mainwindow.h"

#include "gui/common/guardedslot.h"
#include "gui/common/windowfont.h"
#include "gui/chart/barchart3d.h"
#include "gui/results/resultmodel.h"
#include "gui/results/resultview.h"
#include "gui/sidewindows/about.h"
#include "gui/sidewindows/finfo.h"
#include "gui/sidewindows/legende.h"
#include "gui/sidewindows/sidewindow.h"
#include "gui/window/detailspages.h"
#include "gui/window/teamlistmodel.h"

#include "ui_criteriapanel.h"
#include "ui_goaliepage.h"
#include "ui_mainwindow.h"
#include "ui_resultpage.h"
#include "ui_skaterpage.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTabBar>
#include <QTimer>

namespace vantrel {

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

// The page control follows the window's height; on the result page the list grows with
// it and the "Details" button stays at the bottom edge.
void LayoutPages(Ui::VAvevadi& frame, Ui::ResultPage& results) {
    QTabWidget* pc = frame.pc;
    const int pagesHeight = frame.frame->height() - kPagesTop - kPagesBottomGap;
    pc->setGeometry(2, kPagesTop, 731, std::max(pagesHeight, 120));
    const QWidget* page = frame.TabSheet1;
    const int h = page->height();
    results.found->setGeometry(8, 22, page->width() - 16, std::max(h - 22 - 36, 40));
    results.Button1->move(8, h - 31);
}

// Enter anywhere in the panel runs the search, as in a dialog with a default button.
bool PanelKeyPress(QWidget* panel, QPushButton* search, const QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        button && panel->isAncestorOf(button)) {
        button->click();  // a focused button answers Enter itself
    } else if (search->isEnabled()) {
        search->click();
    }
    return true;
}

// The controls of both areas that take the enabled state of the league.
QList<QWidget*> LeagueControls(QWidget* panel, QWidget* pages) {
    QList<QWidget*> controls{panel, pages};
    for (QWidget* area : {panel, pages}) {
        for (QWidget* w : area->findChildren<QWidget*>()) {
            if (IsLeagueControl(w, area))
                controls.append(w);
        }
    }
    return controls;
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
    panelUi_->cbt->setModel(new TeamListModel(panelUi_->cbt));
    sc_->setGeometry(1, 1, 732, 256);
    resultUi_->setupUi(frameUi_->TabSheet1);
    skaterUi_->setupUi(frameUi_->TabSheet2);
    goalieUi_->setupUi(frameUi_->TabSheet3);
    sc_->lower();
    ApplyWindowFont(this);

    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedWidth(kClientWidth);
    setMinimumHeight(kMinClientHeight + menuHeight);
    resize(kClientWidth, kClientHeight + menuHeight);
    frameUi_->frame->installEventFilter(this);
    frameUi_->TabSheet1->installEventFilter(this);

    resultModel_ = new ResultModel(this);
    resultUi_->found->setModel(resultModel_);
    for (const auto moved :
         {&QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(resultModel_, moved, this,
                [this](const QModelIndex&, int first, int) { ForgetSortFrom(first); });

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
    SetUpRatingCharts(*skaterUi_, *goalieUi_);
    ch_ = skaterUi_->ch;
    chart1_ = goalieUi_->Chart1;
    series1_ = ch_->Series().constFirst();
    barSeries1_ = chart1_->Series().constFirst();
    PaintSalaryWhite(panelUi_->Edit6);
    PaintSalaryWhite(panelUi_->Edit7);

    face_ = new WindowFace(*this);
    ConnectHandlers();
}

VAvevadi::~VAvevadi() {
    ReleaseLeagueData();
}

void VAvevadi::AttachSideWindows(Tlegende* legende, Tfinfo* finfo, Tabout* about) {
    legende_ = legende;
    finfo_ = finfo;
    about_ = about;
}

void VAvevadi::ConnectHandlers() {
    const auto onTrigger = [this](QAction* action, void (VAvevadi::*handler)()) {
        connect(action, &QAction::triggered, this,
                Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    onTrigger(frameUi_->Filesffnen1, &VAvevadi::Filesffnen1Click);
    onTrigger(frameUi_->beenden1, &VAvevadi::beenden1Click);
    onTrigger(frameUi_->FileInfos1, &VAvevadi::FileInfos1Click);
    onTrigger(frameUi_->CheckboxLegend1, &VAvevadi::SpeedButton1Click);
    onTrigger(frameUi_->AboutVantrelDizaruRezudoz1, &VAvevadi::AboutVantrelDizaruRezudoz1Click);
    connect(panelUi_->SpeedButton1, &QToolButton::clicked, this,
            Guarded([this](bool) { SpeedButton1Click(); }));
    connect(tim_, &QTimer::timeout, this, Guarded([this](auto&&...) { timTimer(); }));

    Ui::CriteriaPanel& p = *panelUi_;
    connect(p.tbmin, &QSlider::valueChanged, this, Guarded([this](int) { tbminChange(); }));
    connect(p.tbmax, &QSlider::valueChanged, this, Guarded([this](int) { tbmaxChange(); }));
    for (QSlider* bar : {p.tbx1, p.tbx2, p.tbx3, p.tbx4, p.tbx5, p.tbx6, p.tbx7, p.tbx8, p.tbx9,
                         p.tbx10, p.tbx11, p.tbx12, p.tbx13, p.tbx14}) {
        connect(bar, &QSlider::valueChanged, this, Guarded([this, bar](int) { tbx1Change(bar); }));
    }
    connect(p.tball, &QSlider::valueChanged, this, Guarded([this](int) { tballChange(); }));
    for (QLineEdit* edit : {p.Edit6, p.Edit7}) {
        connect(edit, &QLineEdit::textChanged, this,
                Guarded([this, edit](const QString&) { Edit6Change(edit); }));
    }
    connect(p.Button3, &QPushButton::clicked, this, Guarded([this](bool) { Button3Click(); }));
    connect(p.Button2, &QPushButton::clicked, this, Guarded([this](bool) { Button2Click(); }));
    sc_->installEventFilter(this);  // Enter anywhere in the panel

    connect(resultUi_->found->horizontalHeader(), &QHeaderView::sectionClicked, this,
            Guarded([this](int column) { foundColumnClick(column); }));
    connect(resultUi_->Button1, &QPushButton::clicked, this,
            Guarded([this](bool) { Button1Click(); }));
    connect(resultUi_->found, &ResultView::detailsRequested, this,
            Guarded([this] { foundDblClick(); }));
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
        LayoutPages(*frameUi_, *resultUi_);
    if (watched == sc_ && event->type() == QEvent::KeyPress &&
        PanelKeyPress(sc_, panelUi_->Button2, static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void VAvevadi::EnableLeagueControls() {
    const bool enabled = league_.IsLoaded();
    // Only the window's own controls; the menu bar, the dialog and the timer stay as they are.
    for (QWidget* control : LeagueControls(sc_, frameUi_->pc))
        control->setEnabled(enabled);
    UpdateFileInfo();
    emit face_->leagueLoaded();
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
        ShowSideWindow(finfo_);
}

void VAvevadi::SpeedButton1Click() {
    if (legende_)
        ShowSideWindow(legende_);
}

void VAvevadi::AboutVantrelDizaruRezudoz1Click() {
    if (about_)
        ShowSideWindow(about_);
}

}  // namespace vantrel
