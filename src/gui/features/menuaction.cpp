#include "gui/features/menuaction.h"

#include <QAction>
#include <QMenu>

namespace vantrel {

QAction* AddMenuAction(QMenu* menu, const char* objectName, const QString& text,
                       const QKeySequence& keys, QAction* before) {
    auto* action = new QAction(text, menu);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(keys);
    menu->insertAction(before, action);  // no `before`: at the end
    return action;
}

}  // namespace vantrel
