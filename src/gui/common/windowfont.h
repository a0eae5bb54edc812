#pragma once

class QWidget;

namespace vantrel {

// The font of every window: the classic dialog font where it exists, otherwise a
// family of similar width so that no caption is clipped.
void ApplyWindowFont(QWidget* window);

}  // namespace vantrel
