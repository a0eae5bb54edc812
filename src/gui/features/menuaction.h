#pragma once

// A feature's menu item: an action of its own, placed in a menu of the main window.

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;

namespace vantrel {

// An action named objectName (the name tests and tools find it by) with text and keys,
// added to menu, before the action `before` when given.
QAction* AddMenuAction(QMenu* menu, const char* objectName, const QString& text,
                       const QKeySequence& keys = {}, QAction* before = nullptr);

}  // namespace vantrel
