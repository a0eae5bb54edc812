#pragma once

// What the side windows share: they are created hidden at start-up, shown modeless, and
// closing one only hides it.

#include <QWidget>

namespace vantrel {

// Shows a side window, or brings it to the front when it is already open.
void ShowSideWindow(QWidget* window);

// A side window that never keeps the program running once the main window is closed,
// in the window font.
void PrepareSideWindow(QWidget* window);

// A fixed border with a title, the system menu and the close button.
inline constexpr Qt::WindowFlags kSingleBorderFlags =
    Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

}  // namespace vantrel
