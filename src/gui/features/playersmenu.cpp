#include "gui/features/playersmenu.h"

#include "gui/features/menuaction.h"
#include "gui/results/resultview.h"
#include "gui/window/windowface.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace vantrel {

namespace {

// A menu item that triggers the list's action of the same text and keys. Its keys work
// anywhere in the window, as a menu item's do.
void AddListItem(QMenu* menu, const char* objectName, QAction* listAction) {
    QAction* item = AddMenuAction(menu, objectName, listAction->text(), listAction->shortcut());
    QObject::connect(item, &QAction::triggered, listAction,
                     [listAction] { listAction->trigger(); });
}

}  // namespace

QMenu* PlayersMenu(WindowFace& face) {
    if (QMenu* menu = face.Menu("Players1"))
        return menu;
    QMenuBar* bar = face.Window()->menuBar();
    auto* menu = new QMenu(QStringLiteral("&Players"), bar);
    menu->setObjectName(QStringLiteral("Players1"));
    const QList<QAction*> menus = bar->actions();
    const qsizetype view = menus.indexOf(face.Menu("View1")->menuAction());
    bar->insertMenu(menus.value(view + 1), menu);  // none after "View": at the end

    const ResultView* list = face.List();
    AddListItem(menu, "PlayersDetails1", list->DetailsAction());
    AddListItem(menu, "PlayersCompare1", list->CompareAction());
    AddListItem(menu, "PlayersFindSimilar1", list->FindSimilarAction());
    return menu;
}

}  // namespace vantrel
