#include "gui/common/windowfont.h"

#include <QFont>
#include <QWidget>

namespace vantrel {

void ApplyWindowFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
    font.setPointSize(8);
    window->setFont(font);
}

}  // namespace vantrel
