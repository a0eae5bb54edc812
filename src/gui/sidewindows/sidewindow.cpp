#include "gui/sidewindows/sidewindow.h"

#include "gui/common/windowfont.h"

namespace vantrel {

void ShowSideWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void PrepareSideWindow(QWidget* window) {
    window->setAttribute(Qt::WA_QuitOnClose, false);
    ApplyWindowFont(window);
}

}  // namespace vantrel
