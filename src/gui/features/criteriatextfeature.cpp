#include "gui/features/criteriatextfeature.h"

#include "core/eval/cp1252.h"
#include "core/search/criteriatext.h"
#include "gui/common/displaytext.h"
#include "gui/common/guardedslot.h"
#include "gui/features/menuaction.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>

namespace vantrel {

namespace {

// A bad token as the message shows it: a very long one cut to its start.
QString Shortened(const QString& token) {
    constexpr qsizetype kShown = 60;
    if (token.size() <= kShown)
        return token;
    // Never half of a character beyond 16 bits.
    const qsizetype cut = token.at(kShown - 1).isHighSurrogate() ? kShown - 1 : kShown;
    return token.left(cut) + QChar(0x2026);
}

}  // namespace

CriteriaTextFeature::CriteriaTextFeature(WindowFace& face) : QObject(&face), face_(face) {
    QMenu* edit = face.Menu("Edit1");
    connect(AddMenuAction(edit, "CopyCriteria1", QStringLiteral("Copy Criteria")),
            &QAction::triggered, this, Guarded([this](bool) { Copy(); }));
    connect(AddMenuAction(edit, "PasteCriteria1", QStringLiteral("Paste Criteria")),
            &QAction::triggered, this, Guarded([this](bool) { Paste(); }));
    connect(AddMenuAction(edit, "Query1", QStringLiteral("Query..."),
                          QKeySequence(Qt::CTRL | Qt::Key_L)),
            &QAction::triggered, this, Guarded([this](bool) { Query(); }));
}

bool CriteriaTextFeature::Apply(const QString& text) {
    const auto refuse = [this](const QString& why) {
        QMessageBox::warning(face_.Window(), QStringLiteral("Criteria"),
                             QStringLiteral("The criteria were not applied.\n\n") + why);
        return false;
    };
    if (!face_.League().IsLoaded())
        return refuse(QStringLiteral("No league is loaded: open a league first."));
    const PanelLimits limits = face_.Limits();
    PanelChecks checks;
    checks.teamExists = [this](const std::string& team) { return face_.HasTeam(team); };
    checks.nameSearchable = [](const std::string& name) { return Utf8ToCp1252(name).has_value(); };
    checks.seasonOpen = [this] { return face_.Season() != nullptr; };
    const CriteriaParse parse = ParseCriteriaText(text.toStdString(), limits, checks);
    if (!parse.state) {
        return refuse(
            QStringLiteral("At \"%1\": expected %2.")
                .arg(Shortened(Utf8Text(parse.error.token)), Utf8Text(parse.error.expected)));
    }
    face_.ResetPanel();
    face_.SetPanel(*parse.state);
    return true;
}

void CriteriaTextFeature::Copy() {
    QApplication::clipboard()->setText(Utf8Text(CriteriaText(face_.Panel())));
}

void CriteriaTextFeature::Paste() {
    Apply(QApplication::clipboard()->text());
}

// The query dialog comes back with the text typed until the text is good or the user
// cancels; a good text is applied and searched.
void CriteriaTextFeature::Query() {
    QInputDialog query(face_.Window());
    query.setObjectName(QStringLiteral("queryDialog"));
    query.setWindowTitle(QStringLiteral("Query"));
    query.setLabelText(QStringLiteral("Criteria, for example: pos=C age=20-30 SK>=70 OV=80"));
    query.setTextValue(Utf8Text(CriteriaText(face_.Panel())));
    query.resize(560, query.sizeHint().height());
    while (query.exec() == QDialog::Accepted) {
        if (Apply(query.textValue())) {
            face_.Search();
            return;
        }
    }
}

}  // namespace vantrel
